#include "strd.h"

#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace testsupport {

StrdSet loadStrd(const std::string& name) {
    const std::string path = std::string(REFERENCE_DATA_DIR) + "/nist-strd/" + name + ".dat";
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);

    static const std::regex nonlinearParm(R"(^\s*b\d+\s*=\s*(\S+)\s+(\S+)\s+(\S+)\s+(\S+))");
    static const std::regex linearParm(R"(^\s*B\d+\s+(\S+)\s+(\S+)\s*$)");
    static const std::regex rss(R"(^Residual Sum of Squares:\s*(\S+))");
    static const std::regex rsd(R"(Residual\s+Standard Deviation:?\s*(\S+))");
    static const std::regex anovaResidual(R"(^Residual\s+\d+\s+(\S+))");
    static const std::regex dataHeader(R"(^Data:\s+y\s+x)");

    StrdSet set;
    std::string line;
    bool inData = false;
    std::smatch m;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (inData) {
            std::istringstream fields(line);
            double y, x;
            if (fields >> y >> x) {
                set.y.push_back(y);
                set.x.push_back(x);
            }
        } else if (std::regex_search(line, m, nonlinearParm)) {
            set.parameters.push_back({std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4])});
        } else if (std::regex_search(line, m, linearParm)) {
            set.parameters.push_back({0, 0, std::stod(m[1]), std::stod(m[2])});
        } else if (std::regex_search(line, m, rss) || std::regex_search(line, m, anovaResidual)) {
            set.residualSumOfSquares = std::stod(m[1]);
        } else if (std::regex_search(line, m, rsd)) {
            set.residualSd = std::stod(m[1]);
        } else if (std::regex_search(line, dataHeader)) {
            inData = true;
        }
    }
    if (set.parameters.empty() || set.x.empty()) throw std::runtime_error("no parameters or data in " + path);
    return set;
}

double significantDigits(double got, double want) {
    if (got == want) return 16.0;
    const double rel = std::fabs(got - want) / (want != 0 ? std::fabs(want) : 1.0);
    return -std::log10(rel);
}

} // namespace testsupport
