#include "config.h"

#include <utilcore/utilcore.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "util.h"

namespace pgplot {

namespace {

constexpr std::size_t kTokenLength = 50;
constexpr std::size_t kTextLength = 80;
constexpr std::size_t kNoteLength = 50;
constexpr std::size_t kFunctionLength = 200;

bool isDelimiter(char c) {
    return c == ' ' || c == '\t' || c == ',';
}

// The number readers take a 50-character blank-padded field without a terminating NUL.
std::array<char, UTILCORE_FIELD_LEN> numberField(std::string_view token) {
    std::array<char, UTILCORE_FIELD_LEN> field;
    field.fill(' ');
    std::copy_n(token.begin(), std::min(token.size(), field.size()), field.begin());
    return field;
}

std::string cut(std::string_view text, std::size_t width) {
    return std::string(text.substr(0, width));
}

// Fatal unless exactly `wanted` numbers were read from value.
void readExactly(std::string value, float* values, int32_t wanted, std::string_view failure) {
    float read[4] = {};
    int32_t count = 0;
    int16_t status = 0;
    PROCSTR(value, read, count, wanted, status);
    if (status != 0 || count != wanted) {
        ERRSTOP(failure);
    }
    std::copy_n(read, wanted, values);
}

// One integer off value; a failure (or a value the accepted predicate refuses) ends the program
// through `fail`.
template <typename Fail, typename Accepted>
int16_t readInteger(std::string& value, Fail fail, Accepted accepted) {
    int16_t number = 0;
    int32_t errorCode = 0;
    int16_t status = 0;
    PROCINTSTR(value, number, errorCode, status);
    if (status != 0 || !accepted(number)) {
        fail();
    }
    return number;
}

auto anyValue = [](int16_t) { return true; };
auto fatal(std::string_view message) {
    return [message] { ERRSTOP(message); };
}
auto stopWith(std::string_view message) {
    return [message] { STOPWITH(message); };
}

void readErrorSource(Config& cfg, std::string_view value, bool forY) {
    const char source = value.empty() ? ' ' : value.front();
    int& kind = forY ? cfg.IYERRSOURCE : cfg.IXERRSOURCE;
    bool& column = forY ? cfg.YERRCOL : cfg.XERRCOL;
    float& errorValue = forY ? cfg.YERRVAL : cfg.XERRVAL;
    switch (source) {
    case '%':
        kind = 1;
        break;
    case '#':
        kind = 2;
        break;
    case '@':
        if (!forY) {
            STOPWITH("error reading configuration file");
        }
        kind = 4;
        break;
    case '$':
        kind = 0;
        break;
    default:
        STOPWITH(forY ? "error reading configuration file: -ey" : "error reading configuration file");
    }
    column = source == '$';
    if (source == '%' || source == '#') {
        readExactly(std::string(value.substr(1)), &errorValue, 1,
                    forY ? "error reading configuration file: y error bar"
                         : "error reading configuration file: x error bar");
    }
}

void readErrorBars(Config& cfg, std::string value) {
    const int16_t bars = readInteger(value, stopWith("error reading configuration file"), anyValue);
    constexpr std::string_view failure = "Error reading configuration file\n-eb line:  error bar";
    if (bars < 0 || bars > 3) {
        ERRSTOP(failure);
    }
    cfg.YEBARON = bars == 1 || bars == 3;
    cfg.XEBARON = bars == 2 || bars == 3;
    if (bars == 0) {
        return;
    }
    cfg.IEBARSKIP = readInteger(value, fatal(failure), anyValue);
    const int16_t autoCode = readInteger(value, fatal(failure), anyValue);
    if (autoCode >= 0 && autoCode <= 3) {
        cfg.XEBARAUTO = autoCode == 0 || autoCode == 1;
        cfg.YEBARAUTO = autoCode == 0 || autoCode == 2;
    }
}

void readFunction(Config& cfg, std::string value) {
    cfg.IPROG = readInteger(value, fatal("error reading configuration file:  calling program code (IProg)"),
                            [](int16_t code) { return code == 0 || code == 1; });
    cfg.JFITFUNC = readInteger(value, fatal("error reading configuration file:  fitting function"), anyValue);
    if (cfg.JFITFUNC == -1) {
        // A longer text would be cut to a different function: it is refused instead.
        const std::string_view text = trimRight(value);
        if (text.size() > kFunctionLength) {
            ERRSTOP("error reading configuration file:  fitting function longer than 200 characters");
        }
        cfg.FUNCSTR = text;
    }
}

// Applies one line of the current section; returns false when the line ends the section.
bool applyLine(Config& cfg, std::string_view key, std::string value, SectionEnd& end) {
    const char first = key[0];
    const char second = key[1];
    if (key == "fn") {
        // The whole path, blanks inside it included.
        cfg.DATAFILE = trimRight(value);
    } else if (key == "xm" || key == "ym") {
        float limits[2];
        readExactly(value, limits, 2,
                    key == "xm" ? "error reading configuration file: max and min x-axis values"
                                : "error reading configuration file:  max and min y-axis values");
        (key == "xm" ? cfg.XGRMININIT : cfg.YGRMININIT) = limits[0];
        (key == "xm" ? cfg.XGRMAXINIT : cfg.YGRMAXINIT) = limits[1];
    } else if (key == "mt") {
        const auto failure = fatal("Error reading configuration file, minor ticks");
        const int16_t x = readInteger(value, failure, anyValue);
        const int16_t y = readInteger(value, failure, anyValue);
        if (x < 0 || x > 2 || y < 0 || y > 2) {
            ERRSTOP("Incorrect values in configuration file, minor tics");
        }
        cfg.MINORTICKX = x;
        cfg.MINORTICKY = y;
    } else if (key == "at") {
        const char digit = value.empty() ? ' ' : value.front();
        if (digit < '1' || digit > '3') {
            ERRSTOP("error reading configuration file, program stops");
        }
        cfg.ILINLOG = digit - '0';
    } else if (key == "pt") {
        cfg.PLOTTITLE = cut(value, kTextLength);
    } else if (key == "xl") {
        cfg.XAXISLABLE = cut(value, kTextLength);
    } else if (key == "yl") {
        cfg.YAXISLABLE = cut(value, kTextLength);
    } else if (key == "eb") {
        readErrorBars(cfg, value);
    } else if (key == "ey" || key == "ex") {
        readErrorSource(cfg, value, key == "ey");
    } else if (key == "ps") {
        cfg.IPOINTSTYLE = readInteger(value, stopWith("error reading configuration file"), anyValue);
    } else if (key == "ft") {
        cfg.IFONT = readInteger(value, stopWith("error reading configuration file: font"),
                                [](int16_t font) { return font >= 1 && font <= 4; });
    } else if (key == "p1") {
        readFunction(cfg, value);
    } else if (first == 'a' && second >= '0' && second <= '9') {
        ++cfg.NTERMS;
        const int slot = second == '0' ? 9 : second - '1';
        readExactly(value, &cfg.AA[static_cast<std::size_t>(slot)], 1,
                    "error reading configuration file: fitting function parameters");
    } else if (key == "ls") {
        cfg.LINESTYLE =
            readInteger(value, fatal("Error reading configuration file: Bad fitting function line style"),
                        [](int16_t style) { return style >= 1 && style <= 5; });
    } else if (key == "pn") {
        if (!trimRight(value).empty()) {
            cfg.PSFILE = trimRight(value);
        }
    } else if (key == "nt") {
        const int16_t on =
            readInteger(value, fatal("error reading configuration file:  annotation information"), anyValue);
        if (on == 0 || on == 1) {
            cfg.NOTEON = on == 1;
        }
    } else if (key == "np") {
        float position[4] = {cfg.XNOTEPOS, cfg.YNOTEPOS};
        int32_t count = 0;
        int16_t status = 0;
        PROCSTR(value, position, count, 2, status);
        if (status != 0) {
            ERRSTOP("error reading configuration file:  annotation position");
        }
        cfg.XNOTEPOS = position[0];
        cfg.YNOTEPOS = position[1];
    } else if (first == 'n' && second >= '1' && second <= '4') {
        cfg.NOTELINES = second - '0';
        cfg.NOTELINE[static_cast<std::size_t>(cfg.NOTELINES - 1)] = cut(value, kNoteLength);
    } else if (first == 'g' && second >= '1' && second <= '4') {
        cfg.LEGEND[static_cast<std::size_t>(second - '1')] =
            readInteger(value, fatal("error reading configuration file:  legend information"), anyValue);
    } else if (key == "po") {
        cfg.KORIENT = readInteger(value, fatal("error reading configuration file:  Postscript orientation"),
                                  [](int16_t code) { return code == 0 || code == 1; });
    } else if (key == "pz") {
        cfg.KSIZE = readInteger(value, fatal("error reading configuration file:  Postscript graph size"),
                                [](int16_t code) { return code == 0 || code == 1; });
    } else if (key == "lp") {
        const char port = value.empty() ? ' ' : value.front();
        if (port >= '0' && port <= '4') {
            cfg.ILPT = port - '0';
        }
    } else if (key == "!s") {
        const int16_t section = readInteger(
            value, fatal("error reading configuration file:  secondary configuration section"), anyValue);
        if (section > cfg.NSECTION) {
            ++cfg.NSECTION;
            end = SectionEnd::NextSection;
            return false;
        }
    } else if (key == "!!") {
        cfg.LASTSECTION = true;
        end = SectionEnd::EndLine;
        return false;
    }
    return true;
}

} // namespace

std::string LCASE(std::string_view text) {
    std::string result(text.substr(0, 2));
    result.resize(2, ' ');
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return result;
}

void DELIMIT(std::string& line, std::string& token) {
    const auto start = std::find_if_not(line.begin(), line.end(), isDelimiter);
    line.erase(line.begin(), start);
    // The line is a blank-padded field: its end stands for the blanks that follow.
    const auto stop = std::find_if(line.begin(), line.end(), isDelimiter);
    token = cut(std::string_view(line.data(), static_cast<std::size_t>(stop - line.begin())), kTokenLength);
    line.erase(line.begin(), stop == line.end() ? stop : stop + 1);
}

void PROCINTSTR(std::string& line, int16_t& value, int32_t& errorCode, int16_t& status) {
    std::string token;
    DELIMIT(line, token);
    errorCode = 0;
    status = 0;
    if (token.empty()) {
        errorCode = -1;
        status = 1;
        return;
    }
    const auto field = numberField(token);
    trapint(field.data(), &value, &status);
}

void PROCSTR(std::string& line, float* values, int32_t& count, int32_t maximum, int16_t& status) {
    count = 0;
    status = 0;
    for (int32_t i = 0; i < maximum; ++i) {
        std::string token;
        DELIMIT(line, token);
        if (token.empty()) {
            return;
        }
        float number = 0.0f;
        int16_t flag = 0;
        const auto field = numberField(token);
        trapreal(field.data(), &number, &flag);
        if (flag != 0) {
            status = 1;
            return;
        }
        if (count < 4) {
            values[count] = number;
        }
        ++count;
    }
}

SectionEnd GETCONFIG(Config& cfg, const std::string& configFileName) {
    std::error_code error;
    if (configFileName.empty() || !std::filesystem::is_regular_file(configFileName, error)) {
        STOPWITH("configuration file not found");
    }
    std::ifstream file(configFileName, std::ios::binary);
    if (!file) {
        ERRSTOP("error reading configuration file, program stops");
    }
    cfg.ISECTION = 0;
    // Lines skipped on the way to this section never count a parameter.
    cfg.NTERMS = 0;
    bool sectionHasLines = false;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] != '-') {
            ERRSTOP("error reading configuration file:  line doesn't begin with - sign");
        }
        const std::string_view text = std::string_view(line).substr(start);
        const std::string key = LCASE(text.substr(1));
        std::string value(text.size() > 3 ? text.substr(3) : std::string_view{});

        if (cfg.NSECTION > 1 && cfg.ISECTION < cfg.NSECTION) {
            if (key == "!s") {
                cfg.ISECTION = readInteger(
                    value,
                    fatal("error reading configuration file:  look for secondary configuration section"),
                    anyValue);
            }
            continue;
        }
        sectionHasLines = true;
        SectionEnd end = SectionEnd::EndOfFile;
        if (!applyLine(cfg, key, std::move(value), end)) {
            return end;
        }
    }
    if (file.bad()) {
        ERRSTOP("error reading configuration file, program stops");
    }
    return sectionHasLines || cfg.NSECTION == 1 ? SectionEnd::EndOfFile : SectionEnd::NothingRead;
}

} // namespace pgplot
