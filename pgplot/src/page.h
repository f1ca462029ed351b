// Where a PostScript graph lies on the letter page. The orientation and size cases are set
// through PGPLOT's PostScript page variables; giza draws a page of exactly the graph's size,
// and the program places that page on a letter sheet itself.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace pgplot {

struct PageGeometry {
    bool portrait = false;
    // The graph as it is read, in inches.
    double widthInches = 0.0;
    double heightInches = 0.0;
    // Lower left corner of the graph's area on the upright letter sheet, in inches.
    double leftInches = 0.0;
    double bottomInches = 0.0;
    // The page variables (thousandths of an inch) that give this geometry.
    std::vector<std::pair<std::string, std::string>> environment;
};

// The geometry for KORIENT (1 portrait, 0 landscape) and KSIZE (0 small, 1 large).
PageGeometry pageGeometry(int orientation, int size);

// Sets the geometry's page variables in the environment.
void setPageEnvironment(const PageGeometry& geometry);

// The bounding box on the letter sheet in points: llx, lly, urx, ury.
std::vector<int> boundingBox(const PageGeometry& geometry);

// Writes psFile: a one-page letter document that places the PostScript page in graphFile at the
// geometry (turned a quarter for landscape). psFile is written whole (a unique new file beside
// it, renamed over it), so an old file survives a failure and nothing is written through a link.
// False when graphFile is missing or empty, or psFile is not a regular file or cannot be written.
bool writeLetterPage(const std::string& graphFile, const std::string& psFile, const PageGeometry& geometry);

} // namespace pgplot
