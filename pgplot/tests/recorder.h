// A PGPLOT table that draws nothing and records every call, for the drawing tests.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "pgplot_api.h"

namespace pgplot::testing {

struct Call {
    std::string name;
    std::vector<float> numbers; // the call's numeric arguments in order (point arrays flattened)
    std::vector<std::string> texts;
};

class Recorder : public PgplotApi {
  public:
    // What the queries answer: character size in world units (unit 4) and, for every other unit,
    // the device height (unit 3); a view surface of 10 x 8 inches at 100 device units per inch.
    float worldCharWidth = 0.1f, worldCharHeight = 0.2f;
    float deviceCharHeight = 12.0f;
    int openResult = 1;
    std::vector<char> keys; // what PGCURS reads, in order

    std::vector<Call> calls;
    std::vector<DeviceRequest> opened;

    std::vector<Call> named(const std::string& name) const {
        std::vector<Call> result;
        for (const auto& call : calls) {
            if (call.name == name) {
                result.push_back(call);
            }
        }
        return result;
    }

    int open(const DeviceRequest& device) override {
        opened.push_back(device);
        if (!device.file.empty() && openResult > 0) {
            std::ofstream(device.file) << "%!PS-Adobe-3.0\nshowpage\n"; // the page a PostScript device leaves
        }
        record("open", {});
        open_ = openResult > 0;
        return openResult;
    }
    void ask(bool prompt) override { record("ask", {prompt ? 1.0f : 0.0f}); }
    bool noto() override { return !open_; }
    void clos() override {
        open_ = false;
        record("clos", {});
    }
    void page() override { record("page", {}); }
    void scr(int ci, float r, float g, float b) override { record("scr", {float(ci), r, g, b}); }
    void slw(int width) override { record("slw", {float(width)}); }
    void sls(int style) override {
        style_ = style;
        record("sls", {float(style)});
    }
    int qls() override { return style_; }
    void sci(int ci) override {
        ci_ = ci;
        record("sci", {float(ci)});
    }
    int qci() override { return ci_; }
    void scf(int font) override { record("scf", {float(font)}); }
    void sch(float size) override { record("sch", {size}); }
    void vsiz(float a, float b, float c, float d) override { record("vsiz", {a, b, c, d}); }
    void window(float a, float b, float c, float d) override { record("window", {a, b, c, d}); }
    void box(const std::string& xopt, float xtick, int nxsub, const std::string& yopt, float ytick,
             int nysub) override {
        record("box", {xtick, float(nxsub), ytick, float(nysub)}, {xopt, yopt});
    }
    void lab(const std::string& x, const std::string& y, const std::string& top) override {
        record("lab", {}, {x, y, top});
    }
    void mtxt(const std::string& side, float disp, float coord, float fjust,
              const std::string& text) override {
        record("mtxt", {disp, coord, fjust}, {side, text});
    }
    void text(float x, float y, const std::string& text) override { record("text", {x, y}, {text}); }
    void pt(int n, const float* x, const float* y, int symbol) override {
        std::vector<float> numbers{float(n), float(symbol)};
        for (int i = 0; i < n; ++i) {
            numbers.push_back(x[i]);
            numbers.push_back(y[i]);
        }
        record("pt", numbers);
    }
    void pt1(float x, float y, int symbol) override { record("pt1", {x, y, float(symbol)}); }
    void line(int n, const float* x, const float* y) override {
        std::vector<float> numbers{float(n)};
        for (int i = 0; i < n; ++i) {
            numbers.push_back(x[i]);
            numbers.push_back(y[i]);
        }
        record("line", numbers);
    }
    void err1(int dir, float x, float y, float e, float t) override {
        record("err1", {float(dir), x, y, e, t});
    }
    void qcs(int units, float& xch, float& ych) override {
        if (units == 4) {
            xch = worldCharWidth;
            ych = worldCharHeight;
        } else {
            xch = ych = deviceCharHeight;
        }
    }
    void qvsz(int units, float& x1, float& x2, float& y1, float& y2) override {
        x1 = y1 = 0.0f;
        const float scale = units == 3 ? 100.0f : 1.0f;
        x2 = 10.0f * scale;
        y2 = 8.0f * scale;
    }
    std::string qinf(const std::string& item) override { return item + "-value"; }
    bool curs(float& x, float& y, char& ch) override {
        record("curs", {x, y});
        if (keys.empty()) {
            return false;
        }
        ch = keys.front();
        keys.erase(keys.begin());
        return true;
    }

  private:
    void record(std::string name, std::vector<float> numbers, std::vector<std::string> texts = {}) {
        calls.push_back({std::move(name), std::move(numbers), std::move(texts)});
    }
    bool open_ = false;
    int style_ = 1;
    int ci_ = 1;
};

} // namespace pgplot::testing
