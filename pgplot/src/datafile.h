// Reading the graph data file of one section.
#pragma once

#include <string>
#include <vector>

#include "config.h"

namespace pgplot {

constexpr int kMaxPoints = 16000;

// The point arrays of one section. EXDAT holds one element per point when X error bars are on,
// otherwise 2.
struct SectionData {
    std::vector<float> XDAT, YDAT, EYDAT, EXDAT;
    int count() const { return static_cast<int>(XDAT.size()); }
};

// The number of points of the data file (a header line does not count; at most 16000).
int COUNTPOINTS(const std::string& dataFileName);

// Allocates the arrays for npoints points; an allocation failure goes to STATERR.
SectionData allocateSection(int npoints, bool xErrorBars);

// Reads the points of the data file into data (sized by allocateSection) by the column rules of
// cfg, then computes the errors the file does not carry.
void READ_DATA_FILE(const std::string& dataFileName, const Config& cfg, SectionData& data);

} // namespace pgplot
