#include "page.h"

#include <common/whole_file.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace pgplot {

namespace {

// PGPLOT's PostScript view surface when no variable says otherwise, in thousandths of an inch,
// measured on the sheet held upright: width, height and the offsets from its lower left corner.
constexpr double kDefaultWidth = 7800;
constexpr double kDefaultHeight = 10500;
constexpr double kDefaultHOffset = 350;
constexpr double kDefaultVOffset = 250;
constexpr double kPointsPerInch = 72.0;

double setting(const PageGeometry& geometry, const std::string& name, double fallback) {
    for (const auto& [variable, value] : geometry.environment) {
        if (variable == name) {
            return std::strtod(value.c_str(), nullptr);
        }
    }
    return fallback;
}

} // namespace

PageGeometry pageGeometry(int orientation, int size) {
    PageGeometry geometry;
    geometry.portrait = orientation == 1;
    if (geometry.portrait) {
        geometry.environment =
            size == 0 ? std::vector<std::pair<std::string, std::string>>{{"PGPLOT_PS_HEIGHT", "5630"},
                                                                         {"PGPLOT_PS_VOFFSET", "5000"}}
                      : std::vector<std::pair<std::string, std::string>>{{"PGPLOT_PS_HEIGHT", "7800"},
                                                                         {"PGPLOT_PS_VOFFSET", "3000"}};
    } else if (size == 0) {
        geometry.environment = {{"PGPLOT_PS_WIDTH", "6800"}, {"PGPLOT_PS_HEIGHT", "9000"}};
    }
    const double width = setting(geometry, "PGPLOT_PS_WIDTH", kDefaultWidth) / 1000.0;
    const double height = setting(geometry, "PGPLOT_PS_HEIGHT", kDefaultHeight) / 1000.0;
    geometry.leftInches = setting(geometry, "PGPLOT_PS_HOFFSET", kDefaultHOffset) / 1000.0;
    geometry.bottomInches = setting(geometry, "PGPLOT_PS_VOFFSET", kDefaultVOffset) / 1000.0;
    // A landscape graph lies across the upright sheet: its width runs up the sheet.
    geometry.widthInches = geometry.portrait ? width : height;
    geometry.heightInches = geometry.portrait ? height : width;
    return geometry;
}

void setPageEnvironment(const PageGeometry& geometry) {
    for (const auto& [variable, value] : geometry.environment) {
        setenv(variable.c_str(), value.c_str(), 1);
    }
}

std::vector<int> boundingBox(const PageGeometry& geometry) {
    const double acrossSheet = geometry.portrait ? geometry.widthInches : geometry.heightInches;
    const double upSheet = geometry.portrait ? geometry.heightInches : geometry.widthInches;
    return {static_cast<int>(std::floor(geometry.leftInches * kPointsPerInch)),
            static_cast<int>(std::floor(geometry.bottomInches * kPointsPerInch)),
            static_cast<int>(std::ceil((geometry.leftInches + acrossSheet) * kPointsPerInch)),
            static_cast<int>(std::ceil((geometry.bottomInches + upSheet) * kPointsPerInch))};
}

bool writeLetterPage(const std::string& graphFile, const std::string& psFile, const PageGeometry& geometry) {
    std::ifstream graph(graphFile, std::ios::binary);
    const std::string body((std::istreambuf_iterator<char>(graph)), std::istreambuf_iterator<char>());
    if (body.empty()) { // missing, unreadable or empty
        return false;
    }

    const auto box = boundingBox(geometry);
    std::ostringstream boxText;
    boxText << box[0] << ' ' << box[1] << ' ' << box[2] << ' ' << box[3];
    std::ostringstream placement;
    const double left = geometry.leftInches * kPointsPerInch;
    const double bottom = geometry.bottomInches * kPointsPerInch;
    if (geometry.portrait) {
        placement << left << ' ' << bottom << " translate\n";
    } else {
        placement << left + geometry.heightInches * kPointsPerInch << ' ' << bottom
                  << " translate 90 rotate\n";
    }

    std::ostringstream out;
    out << "%!PS-Adobe-3.0\n"
        << "%%Creator: pgplot\n"
        << "%%BoundingBox: " << boxText.str() << '\n'
        << "%%DocumentMedia: Letter 612 792 0 () ()\n"
        << "%%Orientation: " << (geometry.portrait ? "Portrait" : "Landscape") << '\n'
        << "%%Pages: 1\n"
        << "%%EndComments\n"
        << "%%Page: 1 1\n"
        << "%%PageBoundingBox: " << boxText.str()
        << '\n'
        // The graph's own page ends with showpage and asks for its page size: both are
        // made harmless while it runs, and everything it leaves behind is cleared after it.
        << "/pgplot_state save def\n"
        << "/pgplot_dictionaries countdictstack def\n"
        << "/pgplot_operands count 1 sub def\n"
        << "userdict begin\n"
        << "/showpage { } def\n"
        << "/setpagedevice { pop } def\n"
        << placement.str() << "%%BeginDocument: graph\n"
        << body << (body.back() == '\n' ? "" : "\n") << "%%EndDocument\n"
        << "count pgplot_operands sub { pop } repeat\n"
        << "countdictstack pgplot_dictionaries sub { end } repeat\n"
        << "pgplot_state restore\n"
        << "showpage\n"
        << "%%Trailer\n"
        << "%%EOF\n";
    return common::writeWholeFile(psFile, out.str());
}

} // namespace pgplot
