#include "graph.h"

#include <common/whole_file.h>
#include <curvlib/curvlib.h>
#include <slopelib/slopelib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "util.h"

namespace pgplot {

namespace {

constexpr std::size_t kCurvePoints = 100;
constexpr float kTerminal = 1.5f; // end marks 1.5 times PGPLOT's default length
constexpr int kHollowSquare = 6;
constexpr int kParameterSlots = 10;
constexpr char kEscape = 27;

constexpr const char* kNegativeLowEnd =
    "At least one error bar is negative on low end\nCannot plot on logarithmic scale";
constexpr const char* kNotOnLogAxis = "At least one data point is zero or negative\nIt is left out: it "
                                      "cannot be plotted on a logarithmic scale";

// Error bar direction codes of PGERR1.
enum ErrorDirection { kRight = 1, kUp = 2, kLeft = 3, kDown = 4, kHorizontal = 5, kVertical = 6 };

// A logarithmic axis: low and high come in as the requested limits and leave as the logarithms
// of the axis's limits (a limit not requested comes from the positive data; with no positive
// value the axis shows one decade). The box options are base with minor ticks for code 1, none
// for 2, and for 0 unless the axis spans a ratio above 5000.
std::string logAxis(const char* base, int minorTicks, const std::vector<float>& values, float& low,
                    float& high) {
    std::vector<float> positive;
    std::copy_if(values.begin(), values.end(), std::back_inserter(positive),
                 [](float v) { return v > 0.0f; });
    float smallest = 0.0f, largest = 0.0f;
    MINMAX(positive, smallest, largest);
    GRMIN(low, smallest, low);
    GRMAX(high, largest, high);
    if (!(low > 0.0f)) {
        low = high > 0.0f ? high / 10.0f : 1.0f;
    }
    if (!(high > low)) {
        high = low * 10.0f;
    }
    const bool minor = minorTicks == 1 || (minorTicks == 0 && !(high / low > 5000.0f));
    low = std::log10(low);
    high = std::log10(high);
    return std::string(base).insert(3, minor ? "S" : "");
}

std::array<char, CURVLIB_TEXT_LEN> functionText(const std::string& text) {
    std::array<char, CURVLIB_TEXT_LEN> buffer;
    buffer.fill(' ');
    std::copy_n(text.begin(), std::min(text.size(), buffer.size()), buffer.begin());
    return buffer;
}

} // namespace

void MINMAX(const std::vector<float>& values, float& smallest, float& largest) {
    smallest = largest = 0.0f;
    if (values.empty()) {
        return;
    }
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    smallest = *low;
    largest = *high;
}

void GRMIN(float& limit, float dataMinimum, float requested) {
    limit = requested > 0.0f ? requested : 0.5f * dataMinimum;
}

void GRMAX(float& limit, float dataMaximum, float requested) {
    limit = requested > 0.0f ? requested : 2.0f * dataMaximum;
}

Graph::Graph(PgplotApi& pg, const Config& cfg, int plotMode) : pg_(pg), cfg_(cfg), mode_(plotMode) {}

Graph::~Graph() {
    // The program is ending early: no partial graph is left behind.
    if (open_) {
        pg_.clos();
        if (!gizaFile_.empty()) {
            std::remove(gizaFile_.c_str());
        }
    }
}

void Graph::openDevice() {
    DeviceRequest device;
    if (mode_ == kScreen) {
        device.kind = DeviceRequest::Kind::Screen;
    } else if (postScript()) {
        geometry_ = pageGeometry(cfg_.KORIENT, cfg_.KSIZE);
        setPageEnvironment(geometry_);
        const std::string psFile(trimRight(cfg_.PSFILE));
        // The library reports an unwritable file only when it closes: look first. An output
        // that is not a regular file (a link, a device, a folder) is never replaced.
        const std::filesystem::path path(psFile);
        const std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";
        std::error_code error;
        if (psFile.empty() || !common::isReplaceable(psFile) || access(folder.c_str(), W_OK) != 0 ||
            (std::filesystem::exists(path, error) && access(psFile.c_str(), W_OK) != 0)) {
            STOPWITH("error opening PGPlot");
        }
        // The library's own page goes to a new file of a unique name beside the output (its name
        // must end in ".ps"); GRAPHCLOSE turns it into the output.
        const auto page = common::createUniqueFile(psFile + ".", ".page.ps");
        if (!page) {
            STOPWITH("error opening PGPlot");
        }
        close(page->fd);
        gizaFile_ = page->path;
        device.kind = geometry_.portrait ? DeviceRequest::Kind::PostScriptPortrait
                                         : DeviceRequest::Kind::PostScriptLandscape;
        device.file = gizaFile_;
        device.widthInches = geometry_.widthInches;
        device.heightInches = geometry_.heightInches;
    } else {
        device.kind = DeviceRequest::Kind::Ask;
    }
    if (pg_.open(device) <= 0) {
        if (!gizaFile_.empty()) {
            std::remove(gizaFile_.c_str());
            gizaFile_.clear();
        }
        STOPWITH("error opening PGPlot");
    }
    open_ = true;
    // No prompts from the library: the screen waits for its own key, files never wait.
    pg_.ask(false);
}

void Graph::GRAPHSTART(const SectionData& first) {
    openDevice();
    PGEX0();
    if (mode_ == kScreen) {
        pg_.scr(0, 0.9f, 0.9f, 0.9f);
        pg_.scr(1, 0.0f, 0.0f, 0.0f);
    } else if (postScript()) {
        pg_.slw(3);
    }
    pg_.page();
    PGVSTD1();
    GRAPHAXES(first.XDAT, first.YDAT);
}

void Graph::PGEX0() {
    static constexpr const char* kItems[] = {"version", "state",    "user",     "now",      "device", "file",
                                             "type",    "dev/type", "hardcopy", "terminal", "cursor"};
    for (const char* item : kItems) {
        messageShell().textOutput(std::string(item) + "=" + pg_.qinf(item));
    }
    float x1, x2, y1, y2;
    pg_.qvsz(1, x1, x2, y1, y2);
    char line[120];
    std::snprintf(line, sizeof line, "view surface width and height: %.3f x %.3f inches", x2 - x1, y2 - y1);
    messageShell().textOutput(line);
    std::snprintf(line, sizeof line, "view surface width and height: %.1f x %.1f mm", (x2 - x1) * 25.4f,
                  (y2 - y1) * 25.4f);
    messageShell().textOutput(line);
}

void Graph::PGVSTD1() {
    if (pg_.noto()) {
        return;
    }
    float xch, ych;
    pg_.qcs(3, xch, ych);
    float xin1, xin2, yin1, yin2, xdev1, xdev2, ydev1, ydev2;
    pg_.qvsz(1, xin1, xin2, yin1, yin2);
    pg_.qvsz(3, xdev1, xdev2, ydev1, ydev2);
    const float widthInches = xin2 - xin1;
    const float heightInches = yin2 - yin1;
    const float xPerInch = (xdev2 - xdev1) / widthInches;
    const float yPerInch = (ydev2 - ydev1) / heightInches;
    const float margin = 6.0f * ych;
    const float xmargin = margin / xPerInch;
    const float ymargin = margin / yPerInch;
    pg_.vsiz(xmargin, widthInches - xmargin, ymargin, heightInches - ymargin);
}

void Graph::GRAPHAXES(const std::vector<float>& x, const std::vector<float>& y) {
    float xlow = cfg_.XGRMININIT, xhigh = cfg_.XGRMAXINIT;
    float ylow = cfg_.YGRMININIT, yhigh = cfg_.YGRMAXINIT;
    std::string xopt = cfg_.MINORTICKX == 2 ? "BCNT" : "BCNST";
    std::string yopt = cfg_.MINORTICKY == 2 ? "BCNTV" : "BCNSTV";
    if (logY()) {
        yopt = logAxis("BCNTVL", cfg_.MINORTICKY, y, ylow, yhigh);
    }
    if (logX()) {
        xopt = logAxis("BCNTL", cfg_.MINORTICKX, x, xlow, xhigh);
    }
    window_ = {xlow, xhigh, ylow, yhigh};
    pg_.window(xlow, xhigh, ylow, yhigh);
    pg_.box(xopt, 0.0f, 0, yopt, 0.0f, 0);
    if (cfg_.IFONT >= 1 && cfg_.IFONT <= 4) {
        pg_.scf(cfg_.IFONT);
    }
    pg_.lab(std::string(trimRight(cfg_.XAXISLABLE)), "", std::string(trimRight(cfg_.PLOTTITLE)));
    pg_.mtxt("L", 4.0f, 0.5f, 0.5f, std::string(trimRight(cfg_.YAXISLABLE)));
    if (cfg_.NOTEON) {
        ANNOTE(xlow, xhigh, ylow, yhigh);
    }
}

void Graph::ANNOTE(float xlow, float xhigh, float ylow, float yhigh) {
    float cx, cy;
    pg_.qcs(4, cx, cy);
    float x = xlow + (xhigh - xlow) * cfg_.XNOTEPOS;
    float y = ylow + (yhigh - ylow) * cfg_.YNOTEPOS;
    y = std::min(y, yhigh - 1.5f * cy);
    y = std::max(y, ylow + static_cast<float>(cfg_.NOTELINES) * cy);
    x = std::min(x, xhigh - 10.0f * cx);
    x = std::max(x, xlow + cx);
    pg_.slw(2);
    for (int k = 0; k < cfg_.NOTELINES; ++k) {
        const float baseline = y - static_cast<float>(k) * cy;
        const std::string text(trimRight(cfg_.NOTELINE[static_cast<std::size_t>(k)]));
        const int marker = cfg_.LEGEND[static_cast<std::size_t>(k)];
        if (marker == 0) {
            pg_.text(x, baseline, text);
        } else {
            pg_.pt1(x + 0.2f * cx, baseline + 0.3f * cy, marker);
            pg_.text(x + 1.4f * cx, baseline, text);
        }
    }
    pg_.slw(3);
}

void Graph::drawPoints(const SectionData& data) {
    if (!logY()) {
        pg_.pt(data.count(), data.XDAT.data(), data.YDAT.data(), cfg_.IPOINTSTYLE);
        return;
    }
    std::vector<float> x, y;
    for (int i = 0; i < data.count(); ++i) {
        const float xi = data.XDAT[static_cast<std::size_t>(i)];
        const float yi = data.YDAT[static_cast<std::size_t>(i)];
        if (yi > 0.0f && (!logX() || xi > 0.0f)) {
            x.push_back(logX() ? std::log10(xi) : xi);
            y.push_back(std::log10(yi));
        }
    }
    if (x.size() != data.XDAT.size()) {
        ERRMSG(kNotOnLogAxis);
    }
    pg_.pt(static_cast<int>(x.size()), x.data(), y.data(), cfg_.IPOINTSTYLE);
}

void Graph::GRAPHDATA(const SectionData& data) {
    const int n = data.count();
    if (n == 0) {
        ERRMSG("There are no data points in the data file " + cfg_.DATAFILE);
        return;
    }
    auto errorBars = [&] {
        if (cfg_.YEBARON) {
            MYEBAR(n, data.XDAT.data(), data.YDAT.data(), data.EYDAT.data(), 'y');
        }
        if (cfg_.XEBARON) {
            MYEBAR(n, data.XDAT.data(), data.YDAT.data(), data.EXDAT.data(), 'x');
        }
    };
    if (logX()) {
        drawPoints(data);
        errorBars();
    } else {
        errorBars();
        drawPoints(data);
    }
    if (cfg_.JFITFUNC > 0 || cfg_.JFITFUNC == -1) {
        drawCurve(data);
    }
}

void Graph::MYEBAR(int n, const float* x, const float* y, const float* errors, char direction) {
    const bool vertical = direction == 'y';
    const bool logAlong = vertical ? logY() : logX();
    const bool logAcross = vertical ? logX() : logY();
    const float* along = vertical ? y : x;
    const float* across = vertical ? x : y;
    const int upward = vertical ? kUp : kRight;
    const int downward = vertical ? kDown : kLeft;

    if (postScript()) {
        pg_.slw(2);
    }
    float cx, cy;
    pg_.qcs(4, cx, cy);
    const float t = 0.25f * (vertical ? cy : cx);
    const bool automatic = vertical ? cfg_.YEBARAUTO : cfg_.XEBARAUTO;
    const float threshold = automatic ? 1.09f * t : 0.0f;
    const bool hollow = cfg_.IPOINTSTYLE == kHollowSquare;

    // One PGERR1 call: start on the bar's own axis, position on the other one.
    auto draw = [&](int code, float start, float position, float length) {
        if (vertical) {
            pg_.err1(code, position, start, length, kTerminal);
        } else {
            pg_.err1(code, start, position, length, kTerminal);
        }
    };
    bool warned = false;
    auto bar = [&](int i) {
        float position = across[i];
        if (logAcross) {
            if (!(position > 0.0f)) {
                return;
            }
            position = std::log10(position);
        }
        const float v = along[i];
        const float e = errors[i];
        if (!logAlong) {
            if (!(e >= threshold)) {
                return;
            }
            if (hollow) {
                draw(upward, v + t, position, e - t);
                draw(downward, v - t, position, e - t);
            } else {
                draw(vertical ? kVertical : kHorizontal, v, position, e);
            }
            return;
        }
        if (!(v > 0.0f) || !(v + e > 0.0f)) {
            return;
        }
        const float logV = std::log10(v);
        const float upper = std::log10(v + e) - logV;
        if (!(upper >= threshold)) {
            return;
        }
        draw(upward, hollow ? logV + t : logV, position, hollow ? upper - t : upper);
        if (v - e <= 0.0f) {
            if (!warned) {
                warned = true;
                ERRMSG(kNegativeLowEnd);
            }
            return;
        }
        const float lower = logV - std::log10(v - e);
        draw(downward, hollow ? logV - t : logV, position, hollow ? lower - t : lower);
    };

    if (cfg_.IEBARSKIP > 0) {
        for (int i = 0; i < n; i += cfg_.IEBARSKIP) {
            bar(i);
        }
    } else if (n > 0) {
        bar((n + 1) / 2 - 1);
    }
    if (postScript()) {
        pg_.slw(3);
    }
}

void Graph::drawCurve(const SectionData& data) {
    const int savedStyle = pg_.qls();
    pg_.sls(cfg_.LINESTYLE);

    float xmin, xmax;
    MINMAX(data.XDAT, xmin, xmax);
    const float xs = xmin > 0.0f ? 0.95f * xmin : 1.05f * xmin;
    const float xe = xmax > 0.0f ? 1.05f * xmax : 0.95f * xmax;
    const float step = std::fabs(xe - xs) / static_cast<float>(kCurvePoints);

    std::array<float, kParameterSlots> derivatives{};
    const int16_t functionNumber = cfg_.JFITFUNC;
    const int16_t slots = kParameterSlots;
    // The evaluators index the parameters by the count: never past the ten slots.
    const int16_t terms = std::min<int16_t>(cfg_.NTERMS, kParameterSlots);
    std::vector<std::string> reasonsShown;
    // The curve's function at x; NAN where the user's function has no value there.
    auto valueAt = [&](float x) -> float {
        if (cfg_.JFITFUNC != -1) {
            float y = NAN;
            if (cfg_.IPROG == 0) {
                funcslbuf(&x, cfg_.AA.data(), &y, derivatives.data(), &functionNumber, &slots);
            } else {
                int16_t parameterCount = terms;
                funcsnbuf(&x, cfg_.AA.data(), &y, derivatives.data(), &functionNumber, &parameterCount,
                          &slots);
            }
            return y;
        }
        auto text = functionText(cfg_.FUNCSTR); // the evaluator encodes the text in place
        std::array<char, CURVLIB_MESSAGE_LEN> message;
        message.fill(' ');
        double value = 0.0;
        int16_t failed = 0;
        tparsebuf(text.data(), cfg_.AA.data(), &x, &slots, &terms, &value, message.data(), &failed);
        if (failed == 0) {
            return static_cast<float>(value);
        }
        const std::string why(trimRight(std::string_view(message.data(), message.size())));
        // One box for each reason, not one for each point of the curve.
        if (std::find(reasonsShown.begin(), reasonsShown.end(), why) == reasonsShown.end()) {
            reasonsShown.push_back(why);
            ERRMSG(why);
        }
        return NAN;
    };

    std::array<float, kCurvePoints> cx{}, cy{};
    std::array<bool, kCurvePoints> valid{};
    for (std::size_t k = 0; k < kCurvePoints; ++k) {
        const float x = xs + static_cast<float>(k) * step;
        const float y = valueAt(x);
        valid[k] = std::isfinite(y) && (!logY() || y > 0.0f) && (!logX() || x > 0.0f);
        cx[k] = logX() && valid[k] ? std::log10(x) : x;
        cy[k] = logY() && valid[k] ? std::log10(y) : y;
    }

    if (postScript()) {
        pg_.slw(2);
    }
    const int savedColour = pg_.qci();
    if (mode_ == kScreen) {
        pg_.sci(2);
    }
    // Points the curve has no value for (or no logarithm of) break it into pieces.
    for (std::size_t start = 0; start < kCurvePoints;) {
        if (!valid[start]) {
            ++start;
            continue;
        }
        std::size_t end = start;
        while (end < kCurvePoints && valid[end]) {
            ++end;
        }
        pg_.line(static_cast<int>(end - start), cx.data() + start, cy.data() + start);
        start = end;
    }
    pg_.sci(savedColour);
    pg_.sls(savedStyle);
}

void Graph::GRAPHCLOSE() {
    if (!open_) {
        return;
    }
    if (mode_ == kScreen) {
        pg_.scf(1);
        pg_.sch(0.7f);
        pg_.mtxt("B", 7.0f, 1.0f, 1.0f, "Press q or Esc to close this window");
        float x = 0.5f * (window_.xlow + window_.xhigh);
        float y = 0.5f * (window_.ylow + window_.yhigh);
        char key = 0;
        while (pg_.curs(x, y, key) && key != 'q' && key != 'Q' && key != kEscape) {
        }
    }
    open_ = false;
    pg_.clos();
    if (!postScript()) {
        return;
    }
    const std::string psFile(trimRight(cfg_.PSFILE));
    const bool written = writeLetterPage(gizaFile_, psFile, geometry_);
    std::remove(gizaFile_.c_str());
    gizaFile_.clear();
    if (!written) {
        ERRSTOP("error writing the PostScript file " + psFile);
    }
}

} // namespace pgplot
