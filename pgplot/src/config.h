// Module CONFIG of the graph program: the settings and the reader of the configuration file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pgplot {

// The settings the configuration file fills, with their values at program start. Texts are
// held without their blank padding (a blank-padded field and its trimmed text say the same);
// the title, labels and note lines are cut to their field widths when they are read, paths and
// the function text are kept whole.
struct Config {
    // Outputs of GETCONFIG that the main program keeps between sections.
    std::string DATAFILE;
    float YERRVAL = 0.0f;
    float XERRVAL = 0.0f;
    bool LASTSECTION = false;

    float XGRMININIT = 0.0f, XGRMAXINIT = 0.0f;
    float YGRMININIT = 0.0f, YGRMAXINIT = 0.0f;
    int MINORTICKX = 0, MINORTICKY = 0;            // 0 automatic, 1 on, 2 off
    int ILINLOG = 0;                               // 1 linear, 2 semi-log, 3 log-log
    std::string PLOTTITLE, XAXISLABLE, YAXISLABLE; // 80 each

    bool YEBARON = false, XEBARON = false;
    int IEBARSKIP = 0;
    bool YEBARAUTO = false, XEBARAUTO = false;
    int IYERRSOURCE = 0; // 0 as read, 1 percent of Y, 2 constant, 4 square root of |Y|
    int IXERRSOURCE = 0; // 0 as read, 1 percent of X, 2 constant
    bool YERRCOL = false, XERRCOL = false;

    int IPOINTSTYLE = 16;
    int IFONT = 0;
    int LINESTYLE = 1;

    int IPROG = 0;        // 0 linear edition (funcslbuf), 1 non-linear edition (funcsnbuf)
    int16_t JFITFUNC = 0; // 0 no curve, > 0 function number, -1 user function FUNCSTR
    std::string FUNCSTR;  // at most 200 characters
    std::array<float, 10> AA{};
    int16_t NTERMS = 0; // "-a" lines of the current section

    bool NOTEON = false;
    float XNOTEPOS = 0.0f, YNOTEPOS = 0.0f;
    std::array<std::string, 4> NOTELINE; // 50 each
    int NOTELINES = 0;
    std::array<int, 4> LEGEND{};

    int KORIENT = 0;    // 1 portrait, 0 landscape
    int KSIZE = 0;      // 0 small, 1 large
    std::string PSFILE;
    int ILPT = 0;       // 0 no port, 1 to 4

    int NSECTION = 1;
    int ISECTION = 0;
};

// How a call of GETCONFIG ended.
enum class SectionEnd {
    NextSection, // a "-!s" line started a further section
    EndLine,     // the "-!!" line: LASTSECTION is set
    EndOfFile,   // the file ended without "-!!" after lines of this section
    NothingRead  // the file ended before this section had any line
};

// Reads the next section of the configuration file into cfg.
SectionEnd GETCONFIG(Config& cfg, const std::string& configFileName);

// Takes the next token off line and reads it as a 16-bit integer. An empty token gives
// error code -1 and status 1; a token that is not an integer gives status 1.
void PROCINTSTR(std::string& line, int16_t& value, int32_t& errorCode, int16_t& status);
// Reads up to maximum numbers off line; stops at the first empty token or at the first token
// that is not a number (status 1). Only the first four are stored; count is how many were read.
void PROCSTR(std::string& line, float* values, int32_t& count, int32_t maximum, int16_t& status);
// Removes leading blanks, tabs and commas from line; token is the text up to the next blank,
// tab or comma (cut to 50 characters); the token and that delimiter leave the line.
void DELIMIT(std::string& line, std::string& token);
// The first two characters of text with A to Z lower-cased.
std::string LCASE(std::string_view text);

} // namespace pgplot
