// The one table of PGPLOT routines the graph program draws with. Production draws through
// giza's PGPLOT C API (makeGizaApi); tests put a recorder in its place. Arguments follow the
// PGPLOT routines; line styles and fonts are PGPLOT's numbers, texts are PGPLOT texts.
#pragma once

#include <string>

namespace pgplot {

// What PGOPEN is asked to open.
struct DeviceRequest {
    enum class Kind {
        Screen,              // the X11 window, 640 by 480
        PostScriptLandscape, // "/ps" into file
        PostScriptPortrait,  // "/vps" into file
        Ask                  // "?": the library asks for a device
    };
    Kind kind = Kind::Screen;
    std::string file; // PostScript output written by the library
    double widthInches = 0.0;
    double heightInches = 0.0;
};

class PgplotApi {
  public:
    virtual ~PgplotApi() = default;

    // PGOPEN: the device identifier, or <= 0 when the device cannot be opened.
    virtual int open(const DeviceRequest& device) = 0;
    virtual void ask(bool prompt) = 0; // PGASK
    virtual bool noto() = 0;           // PGNOTO: true when no device is open
    virtual void clos() = 0;           // PGCLOS
    virtual void page() = 0;           // PGPAGE

    virtual void scr(int ci, float red, float green, float blue) = 0; // PGSCR
    virtual void slw(int width) = 0;                                  // PGSLW
    virtual void sls(int style) = 0;                                  // PGSLS
    virtual int qls() = 0;                                            // PGQLS
    virtual void sci(int ci) = 0;                                     // PGSCI
    virtual int qci() = 0;                                            // PGQCI
    virtual void scf(int font) = 0;                                   // PGSCF
    virtual void sch(float size) = 0;                                 // PGSCH

    virtual void vsiz(float xleft, float xright, float ybot, float ytop) = 0; // PGVSIZ
    virtual void window(float x1, float x2, float y1, float y2) = 0;          // PGWINDOW
    virtual void box(const std::string& xopt, float xtick, int nxsub, const std::string& yopt, float ytick,
                     int nysub) = 0; // PGBOX

    virtual void lab(const std::string& xlabel, const std::string& ylabel,
                     const std::string& top) = 0; // PGLAB
    virtual void mtxt(const std::string& side, float disp, float coord, float fjust,
                      const std::string& text) = 0;                         // PGMTXT
    virtual void text(float x, float y, const std::string& text) = 0;       // PGTEXT
    virtual void pt(int n, const float* x, const float* y, int symbol) = 0; // PGPT
    virtual void pt1(float x, float y, int symbol) = 0;                     // PGPT1
    virtual void line(int n, const float* x, const float* y) = 0;           // PGLINE
    virtual void err1(int dir, float x, float y, float e, float t) = 0;     // PGERR1

    // PGQCS: character size in units 0 (normalised), 1 (inches), 2 (mm), 3 (device), 4 (world).
    virtual void qcs(int units, float& xch, float& ych) = 0;
    // PGQVSZ: the view surface in units 0 to 3.
    virtual void qvsz(int units, float& x1, float& x2, float& y1, float& y2) = 0;
    virtual std::string qinf(const std::string& item) = 0; // PGQINF

    // PGCURS: waits for a key or click in the window; false when the device has no cursor.
    virtual bool curs(float& x, float& y, char& ch) = 0;
};

} // namespace pgplot
