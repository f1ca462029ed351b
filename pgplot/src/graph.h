// Module GRAPH of the graph program: the device, the axes, and each section's error bars,
// points and fitted curve, drawn through the PGPLOT table.
#pragma once

#include <string>
#include <vector>

#include "config.h"
#include "datafile.h"
#include "page.h"
#include "pgplot_api.h"

namespace pgplot {

// The output mode of the command line.
enum PlotMode { kPostScriptFile = 1, kScreen = 2, kPrinterPort = 3 };

// The axis window as passed to PGWINDOW (base-10 logarithms on a logarithmic axis).
struct AxisWindow {
    float xlow = 0.0f, xhigh = 0.0f, ylow = 0.0f, yhigh = 0.0f;
};

void MINMAX(const std::vector<float>& values, float& smallest, float& largest);
// The limits of a logarithmic axis: the requested value if positive, else 0.5 x the data
// minimum (GRMIN) or 2 x the data maximum (GRMAX).
void GRMIN(float& limit, float dataMinimum, float requested);
void GRMAX(float& limit, float dataMaximum, float requested);

class Graph {
  public:
    Graph(PgplotApi& pg, const Config& cfg, int plotMode);
    ~Graph();
    Graph(const Graph&) = delete;
    Graph& operator=(const Graph&) = delete;

    // Opens the device and draws the frame from the first section's data.
    void GRAPHSTART(const SectionData& first);
    void GRAPHAXES(const std::vector<float>& x, const std::vector<float>& y);
    // Error bars, points and fitted curve of one section.
    void GRAPHDATA(const SectionData& data);
    // Error bars of the points chosen by IEBARSKIP; direction 'x' or 'y'.
    void MYEBAR(int n, const float* x, const float* y, const float* errors, char direction);
    void ANNOTE(float xlow, float xhigh, float ylow, float yhigh);
    // The standard viewport with margins of 6 character heights.
    void PGVSTD1();
    // The device inquiry listing, to the program's text output.
    void PGEX0();
    // Closes the device: on the screen after the user has pressed q, Q or Esc; for PostScript
    // the letter page is written to PSFILE.
    void GRAPHCLOSE();

  private:
    bool postScript() const { return mode_ == kPostScriptFile || mode_ == kPrinterPort; }
    bool logX() const { return cfg_.ILINLOG == 3; }
    bool logY() const { return cfg_.ILINLOG == 2 || cfg_.ILINLOG == 3; }
    void openDevice();
    void drawPoints(const SectionData& data);
    void drawCurve(const SectionData& data);

    PgplotApi& pg_;
    const Config& cfg_;
    int mode_;
    AxisWindow window_; // where the screen's cursor starts
    PageGeometry geometry_;
    std::string gizaFile_;
    bool open_ = false;
};

} // namespace pgplot
