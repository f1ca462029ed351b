#include "datafile.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <new>

#include "util.h"

namespace pgplot {

namespace {

constexpr std::size_t kDataLineLength = 80;

class DataFile {
  public:
    explicit DataFile(const std::string& name) {
        std::error_code error;
        if (name.empty() || !std::filesystem::is_regular_file(name, error)) {
            ERRSTOP("data file not found");
        }
        file_.open(name, std::ios::binary);
        if (!file_) {
            ERRSTOP("error reading data file in PGPLot");
        }
    }

    // The numbers of the next line (at most four are kept); false at the end of the file.
    bool next(float (&numbers)[4], int32_t& count) {
        std::string line;
        if (!std::getline(file_, line)) {
            if (file_.bad()) {
                ERRSTOP("error reading data file in PGPLot");
            }
            return false;
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        line.resize(std::min(line.size(), kDataLineLength));
        int16_t status = 0;
        PROCSTR(line, numbers, count, 4, status);
        return true;
    }

  private:
    std::ifstream file_;
};

// The column warnings, by what the line held against what the configuration declared.
enum Warning { kOnlyTwo = 0, kThreeForFour = 1, kThreeForTwo = 2, kFourForThree = 3 };

// Shows each of the column warnings at most once per file.
class ColumnWarnings {
  public:
    void warn(Warning which) {
        if (!shown_[which]) {
            shown_[which] = true;
            ERRMSG(kTexts[which]);
        }
    }

  private:
    static constexpr const char* kTexts[4] = {
        "There are apparently only two columns in the data file, but the configuration file reports "
        "that columns for X errors, Y errors, or both should be present.   If the graph does not "
        "appear as expected, please check these files.",
        "There are apparently three columns in the data file, but the configuration file reports "
        "that columns for both X errors and Y errors should be present.  If the graph does not "
        "appear as expected, please check these files.",
        "There are apparently three columns in the data file, but the configuration file reports "
        "that only two columns (X and Y) should be present.  If the graph does not appear as "
        "expected, please check these files.",
        "There are apparently four columns in the data file, but the configuration file reports that "
        "only three columns (X, Y, and either an X or Y error column) should be present.  If the "
        "graph does not appear as expected, please check these files."};
    bool shown_[4] = {};
};

// The errors a file does not carry, by the configured source: 1 the given percent of each value,
// 2 the given constant, 4 (Y only) the square root of the value's size; 0 keeps the errors as read.
void computeErrors(int source, float setting, const std::vector<float>& values, std::vector<float>& errors) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        switch (source) {
        case 1:
            errors[i] = setting / 100.0f * values[i];
            break;
        case 2:
            errors[i] = setting;
            break;
        case 4:
            errors[i] = std::sqrt(std::fabs(values[i]));
            break;
        default:
            break;
        }
    }
}

} // namespace

int COUNTPOINTS(const std::string& dataFileName) {
    DataFile file(dataFileName);
    float numbers[4];
    int32_t found = 0;
    int count = 0;
    for (int repetition = 0; repetition < kMaxPoints; ++repetition) {
        if (!file.next(numbers, found)) {
            break;
        }
        if (repetition == 0 && found < 2) {
            // A header line; a file of nothing but a header has no points.
            if (!file.next(numbers, found)) {
                break;
            }
            if (found < 2) {
                ERRSTOP("error reading data file in PGPLot");
            }
        }
        ++count;
    }
    return count;
}

SectionData allocateSection(int npoints, bool xErrorBars) {
    SectionData data;
    try {
        const auto n = static_cast<std::size_t>(npoints);
        data.XDAT.assign(n, 0.0f);
        data.YDAT.assign(n, 0.0f);
        data.EYDAT.assign(n, 0.0f);
        data.EXDAT.assign(xErrorBars ? n : 2, 0.0f);
    } catch (const std::bad_alloc&) {
        STATERR(1);
    }
    return data;
}

void READ_DATA_FILE(const std::string& dataFileName, const Config& cfg, SectionData& data) {
    DataFile file(dataFileName);
    ColumnWarnings warnings;
    const bool xErrorsHeld = cfg.XEBARON && data.EXDAT.size() == data.XDAT.size();
    float numbers[4];
    int32_t found = 0;
    for (std::size_t i = 0; i < data.XDAT.size(); ++i) {
        if (!file.next(numbers, found)) {
            break;
        }
        if (found < 2) {
            if (i != 0) {
                ERRSTOP("error reading data file");
            }
            if (!file.next(numbers, found)) {
                break;
            }
            if (found < 2) {
                ERRSTOP("error reading data file");
            }
        }
        data.XDAT[i] = numbers[0];
        if (found == 2) {
            data.YDAT[i] = numbers[1];
            if (cfg.XERRCOL || cfg.YERRCOL) {
                warnings.warn(kOnlyTwo);
            }
        } else if (found == 3) {
            if (cfg.XERRCOL && cfg.YERRCOL) {
                // No error is taken from the line; Y is its second number, as in every
                // three-column data file.
                data.YDAT[i] = numbers[1];
                warnings.warn(kThreeForFour);
            } else if (cfg.XERRCOL) {
                if (xErrorsHeld) {
                    data.EXDAT[i] = numbers[1];
                }
                data.YDAT[i] = numbers[2];
            } else if (cfg.YERRCOL) {
                data.YDAT[i] = numbers[1];
                data.EYDAT[i] = numbers[2];
            } else {
                data.YDAT[i] = numbers[1];
                warnings.warn(kThreeForTwo);
            }
        } else {
            if (xErrorsHeld) {
                data.EXDAT[i] = numbers[1];
            } else {
                warnings.warn(kFourForThree);
            }
            data.YDAT[i] = numbers[2];
            data.EYDAT[i] = numbers[3];
        }
    }

    if (cfg.YEBARON) {
        computeErrors(cfg.IYERRSOURCE, cfg.YERRVAL, data.YDAT, data.EYDAT);
    }
    if (xErrorsHeld) {
        computeErrors(cfg.IXERRSOURCE, cfg.XERRVAL, data.XDAT, data.EXDAT);
    }
}

} // namespace pgplot
