#include "giza_api.h"

#include <cpgplot.h>
// giza.h declares its routines without C linkage for C++.
extern "C" {
#include <giza.h>
}
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>

namespace pgplot {

namespace {

// giza's patterns: 1 full, 2 dashed, 3 long dash, 4 dotted, 5 dash-dot, 6 dash-dot-dot-dot.
constexpr std::array<int, 6> kGizaByPgplot = {0, 1, 2, 5, 4, 6};
// PGPLOT's line width unit is 1/200 inch, giza's 0.25 mm.
constexpr double kGizaWidthsPerPgplotWidth = (25.4 / 200.0) / 0.25;
constexpr int kScreenWidthPixels = 640;
constexpr int kScreenHeightPixels = 480;

// Units as PGPLOT numbers them (giza's constants differ only in name).
enum Units { kNormalised = 0, kInches = 1, kMillimetres = 2, kDevice = 3, kWorld = 4 };

std::string userName() {
    // giza's own answer dereferences getlogin(), which is NULL without a terminal.
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_name != nullptr) {
        return entry->pw_name;
    }
    return {};
}

int openDevice(const DeviceRequest& device) {
    switch (device.kind) {
    case DeviceRequest::Kind::Screen:
        return giza_open_device_size("/xw", "pgplot", kScreenWidthPixels, kScreenHeightPixels,
                                     GIZA_UNITS_PIXELS);
    case DeviceRequest::Kind::PostScriptLandscape:
    case DeviceRequest::Kind::PostScriptPortrait:
        // giza's environment-free page sizing: a page of exactly the graph's size. The file
        // name must end in ".ps", or giza appends it.
        return giza_open_device_size(device.kind == DeviceRequest::Kind::PostScriptPortrait ? "/vps" : "/ps",
                                     device.file.c_str(), device.widthInches, device.heightInches,
                                     GIZA_UNITS_INCHES);
    case DeviceRequest::Kind::Ask:
        // giza's device prompt loops for ever on a closed or redirected standard input.
        if (isatty(STDIN_FILENO) == 0) {
            return 0;
        }
        return cpgopen("?");
    }
    return 0;
}

class GizaApi final : public PgplotApi {
  public:
    int open(const DeviceRequest& device) override {
        const int id = openDevice(device);
        open_ = id > 0;
        if (open_) {
            scf(1); // PGPLOT starts with its normal font
        }
        return id;
    }
    void ask(bool prompt) override { cpgask(prompt ? 1 : 0); }
    // giza still names the closed device as current: the table keeps the state itself.
    bool noto() override { return !open_; }
    void clos() override {
        cpgclos();
        open_ = false;
    }
    void page() override { cpgpage(); }

    void scr(int ci, float red, float green, float blue) override { cpgscr(ci, red, green, blue); }
    void slw(int width) override { giza_set_line_width(width * kGizaWidthsPerPgplotWidth); }
    void sls(int style) override { cpgsls(gizaLineStyle(style)); }
    int qls() override {
        int style = 1;
        cpgqls(&style);
        return pgplotLineStyle(style);
    }
    void sci(int ci) override { cpgsci(ci); }
    int qci() override {
        int ci = 1;
        cpgqci(&ci);
        return ci;
    }
    void scf(int font) override {
        font_ = font;
        italic_ = font == 3;
        cpgscf(gizaFont());
    }
    void sch(float size) override { cpgsch(size); }

    void vsiz(float xleft, float xright, float ybot, float ytop) override {
        cpgvsiz(xleft, xright, ybot, ytop);
    }
    void window(float x1, float x2, float y1, float y2) override { cpgswin(x1, x2, y1, y2); }
    void box(const std::string& xopt, float xtick, int nxsub, const std::string& yopt, float ytick,
             int nysub) override {
        cpgbox(xopt.c_str(), xtick, nxsub, yopt.c_str(), ytick, nysub);
    }

    // PGPLOT's placement of the three labels.
    void lab(const std::string& xlabel, const std::string& ylabel, const std::string& top) override {
        mtxt("T", 2.0f, 0.5f, 0.5f, top);
        mtxt("B", 3.2f, 0.5f, 0.5f, xlabel);
        mtxt("L", 2.2f, 0.5f, 0.5f, ylabel);
    }
    // giza measures the displacement in its height of the current face (see qcs), so labels in
    // another font than the one the margins were measured with move off the page: the text is
    // placed in world coordinates at PGPLOT's distance instead.
    void mtxt(const std::string& side, float disp, float coord, float fjust,
              const std::string& text) override {
        if (text.empty()) {
            return;
        }
        float x1, x2, y1, y2;
        cpgqwin(&x1, &x2, &y1, &y2);
        float xch, ych;
        qcs(kWorld, xch, ych);
        const char edge =
            side.empty() ? 'B' : static_cast<char>(std::toupper(static_cast<unsigned char>(side[0])));
        const bool vertical = edge == 'L' || edge == 'R';
        const float along = vertical ? y1 + coord * (y2 - y1) : x1 + coord * (x2 - x1);
        float across = 0.0f;
        switch (edge) {
        case 'L':
            across = x1 - disp * xch;
            break;
        case 'R':
            across = x2 + disp * xch;
            break;
        case 'T':
            across = y2 + disp * ych;
            break;
        default:
            across = y1 - disp * ych;
            break;
        }
        cpgptxt(vertical ? across : along, vertical ? along : across, vertical ? 90.0f : 0.0f, fjust,
                label(text).c_str());
    }
    void text(float x, float y, const std::string& text) override { cpgtext(x, y, label(text).c_str()); }
    void pt(int n, const float* x, const float* y, int symbol) override { cpgpt(n, x, y, symbol); }
    void pt1(float x, float y, int symbol) override { cpgpt1(x, y, symbol); }
    void line(int n, const float* x, const float* y) override { cpgline(n, x, y); }
    void err1(int dir, float x, float y, float e, float t) override { cpgerr1(dir, x, y, e, t); }

    void qcs(int units, float& xch, float& ych) override {
        // giza's character height follows the face (its Times is a quarter smaller than its
        // Arial, though the letters are alike); PGPLOT's does not. Measured with font 1, whose
        // height is PGPLOT's 1/40 of the view surface.
        if (font_ != 1) {
            cpgscf(1);
        }
        cpgqcs(units == kWorld ? kWorld : kNormalised, &xch, &ych);
        if (font_ != 1) {
            cpgscf(gizaFont());
        }
        if (units == kNormalised || units == kWorld) {
            return;
        }
        // giza scales units 1 to 3 the wrong way; the normalised height is right.
        float x1, x2, y1, y2;
        cpgqvsz(kInches, &x1, &x2, &y1, &y2);
        const float inches = ych * (y2 - y1);
        const float widthInches = x2 - x1;
        const float heightInches = y2 - y1;
        if (units == kInches || units == kMillimetres) {
            xch = ych = units == kInches ? inches : inches * 25.4f;
            return;
        }
        cpgqvsz(kDevice, &x1, &x2, &y1, &y2);
        xch = inches * (x2 - x1) / widthInches;
        ych = inches * (y2 - y1) / heightInches;
    }
    void qvsz(int units, float& x1, float& x2, float& y1, float& y2) override {
        cpgqvsz(units, &x1, &x2, &y1, &y2);
    }
    std::string qinf(const std::string& item) override {
        if (item == "user") {
            return userName();
        }
        std::array<char, 256> value{};
        int length = static_cast<int>(value.size()) - 1;
        cpgqinf(item.c_str(), value.data(), &length);
        return std::string(value.data(), static_cast<std::size_t>(std::max(0, std::min(length, 255))));
    }

    bool curs(float& x, float& y, char& ch) override {
        // giza returns 0 when a key or button was read (PGPLOT returns 1).
        return cpgcurs(&x, &y, &ch) == 0;
    }

  private:
    std::string label(const std::string& text) const { return gizaText(text, italic_); }
    // Font 3 is giza's roman with the italic escape on every text.
    int gizaFont() const { return italic_ ? 2 : font_; }

    int font_ = 1;
    bool italic_ = false;
    bool open_ = false;
};

} // namespace

std::unique_ptr<PgplotApi> makeGizaApi() {
    return std::make_unique<GizaApi>();
}

std::string gizaText(std::string_view text, bool italic) {
    std::string result = italic ? "\\fi" : "";
    if (text.find('\\') != std::string_view::npos) {
        return result.append(text);
    }
    for (const char c : text) {
        if (c == '_' || c == '^' || c == '{' || c == '}') {
            result += '\\';
        }
        result += c;
    }
    return result;
}

int gizaLineStyle(int pgplotStyle) {
    return pgplotStyle >= 1 && pgplotStyle <= 5 ? kGizaByPgplot[static_cast<std::size_t>(pgplotStyle)] : 1;
}

int pgplotLineStyle(int gizaStyle) {
    for (int style = 1; style <= 5; ++style) {
        if (kGizaByPgplot[static_cast<std::size_t>(style)] == gizaStyle) {
            return style;
        }
    }
    return 1;
}

} // namespace pgplot
