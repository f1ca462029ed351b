#include <plotaid/plotaid.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Every test works in a temporary directory of its own, named by TMPDIR.
class TemporaryDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "plotaid-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        const char* old = std::getenv("TMPDIR");
        if (old) saved_ = old;
        hadTmpdir_ = old != nullptr;
        ::setenv("TMPDIR", folder_.c_str(), 1);
    }
    void TearDown() override {
        if (hadTmpdir_) ::setenv("TMPDIR", saved_.c_str(), 1);
        else ::unsetenv("TMPDIR");
        fs::remove_all(folder_);
    }
    void touch(const std::string& name) { std::ofstream(folder_ / name) << "old"; }
    std::string read(const std::string& name) {
        std::ifstream in(folder_ / name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path folder_;
    std::string saved_;
    bool hadTmpdir_ = false;
};

using TemporaryFiles = TemporaryDirectory;

TEST_F(TemporaryFiles, DeltempRemovesTheGraphFilesButKeepsTheSecondSet) {
    for (const char* name : {"pgtemp.dat", "pgtemp.cfg", "pgtemp.ps", "pgtemp2.dat", "other.dat"}) touch(name);
    int16_t status = 5;
    deltemp(&status);
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(fs::exists(folder_ / "pgtemp.dat"));
    EXPECT_FALSE(fs::exists(folder_ / "pgtemp.cfg"));
    EXPECT_FALSE(fs::exists(folder_ / "pgtemp.ps"));
    EXPECT_TRUE(fs::exists(folder_ / "pgtemp2.dat"));
    EXPECT_TRUE(fs::exists(folder_ / "other.dat"));

    deltemp(&status); // nothing left to remove is not a failure
    EXPECT_EQ(status, 0);
    deltemp2(&status);
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(fs::exists(folder_ / "pgtemp2.dat"));
    EXPECT_TRUE(fs::exists(folder_ / "other.dat"));
}

TEST_F(TemporaryFiles, AFileThatCannotBeRemovedGivesANegativeStatus) {
    fs::create_directory(folder_ / "pgtemp.cfg"); // a folder of that name: remove() cannot take it
    touch("pgtemp.cfg/inside");
    int16_t status = 0;
    deltemp(&status);
    EXPECT_LT(status, 0);
}

std::string field(const std::string& path) {
    std::string f = path.substr(0, PLOTAID_PATH_LEN);
    f.resize(PLOTAID_PATH_LEN, ' ');
    return f;
}

TEST_F(TemporaryFiles, MyexistFindsFilesAndFolders) {
    touch("pgplot.exe");
    struct Case {
        std::string path;
        int16_t status;
    } const cases[] = {
        {(folder_ / "pgplot.exe").string(), -1},
        {folder_.string(), -1},
        {folder_.string() + "/", -1},
        {(folder_ / "missing.exe").string(), 0},
        {"e:\\my32\\pgplot.exe", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        int16_t status = 7;
        myexist(field(c.path).c_str(), &status);
        EXPECT_EQ(status, c.status) << c.path;
    }
    // A NUL ends the path; nothing after the 80 characters is read.
    std::string withNul = (folder_ / "pgplot.exe").string() + '\0' + "garbage";
    withNul.resize(PLOTAID_PATH_LEN, 'x');
    int16_t status = 7;
    myexist(withNul.c_str(), &status);
    EXPECT_EQ(status, -1);
    std::string unterminated(PLOTAID_PATH_LEN, 'a');
    myexist(unterminated.c_str(), &status);
    EXPECT_EQ(status, 0);
}

TEST_F(TemporaryFiles, PgdatWritesTheGraphDataLayout) {
    const std::vector<float> x{1, 2.5f, -3}, y{0.1f, 20, 3e-7f}, e{0.01f, 2, 1e-8f};
    const int16_t n = 3, with = -1, without = 0;
    pgdat(x.data(), y.data(), e.data(), &n, &with);
    EXPECT_EQ(read("pgtemp.dat"), "1 0.1 0.01\r\n2.5 20 2\r\n-3 3e-07 1e-08\r\n");
    pgdat(x.data(), y.data(), e.data(), &n, &without);
    EXPECT_EQ(read("pgtemp.dat"), "1 0.1\r\n2.5 20\r\n-3 3e-07\r\n");
    const int16_t none = -4;
    pgdat(x.data(), y.data(), e.data(), &none, &with);
    EXPECT_EQ(read("pgtemp.dat"), "");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

// Links planted in a shared temporary folder, at the data file's name or at the side name an
// earlier writer used, never get their targets overwritten.
TEST_F(TemporaryFiles, PgdatNeverWritesThroughAPlantedLink) {
    const fs::path victim = folder_ / "victim.txt";
    std::ofstream(victim) << "keep me";
    fs::create_symlink(victim, folder_ / "pgtemp.dat.partial");
    const std::vector<float> x{1}, y{2}, e{0};
    const int16_t n = 1, without = 0;
    pgdat(x.data(), y.data(), e.data(), &n, &without);
    EXPECT_EQ(read("pgtemp.dat"), "1 2\r\n");

    fs::remove(folder_ / "pgtemp.dat");
    fs::create_symlink(victim, folder_ / "pgtemp.dat");
    pgdat(x.data(), y.data(), e.data(), &n, &without);
    EXPECT_EQ(read("victim.txt"), "keep me");
    EXPECT_TRUE(fs::is_symlink(folder_ / "pgtemp.dat"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 3);
}

struct Axis {
    float low = 0, high = 0;
};

Axis scale(const std::vector<float>& v, const std::vector<float>& e, int16_t log, int16_t useErrors) {
    Axis axis{-99, -99};
    const auto n = static_cast<int16_t>(v.size());
    autoscale(v.data(), e.empty() ? nullptr : e.data(), &n, &n, &axis.low, &axis.high, &log, &useErrors);
    return axis;
}

TEST(Autoscale, ChoosesRoundLimitsOutsideTheData) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        std::vector<float> values, errors;
        int16_t log, useErrors;
        float low, high;
    } const cases[] = {
        {"0 to 10", {0, 3, 10}, {}, 0, 0, 0, 10},
        {"inside a step", {1.3f, 8.7f}, {}, 0, 0, 1, 9},
        {"offset data", {101, 104, 109}, {}, 0, 0, 100, 110},
        {"negative", {-7.2f, -0.4f}, {}, 0, 0, -8, 0},
        {"errors widen", {1.3f, 8.7f}, {2, 2}, 0, 1, -2, 12},
        {"errors widen more", {1.3f, 8.7f}, {2, 4}, 0, 1, -2, 14},
        {"errors off", {1.3f, 8.7f}, {2, 2}, 0, 0, 1, 9},
        {"small", {0.0012f, 0.0047f}, {}, 0, 0, 0.001f, 0.005f},
        {"one value", {5, 5}, {}, 0, 0, 4.4f, 5.6f},
        {"zeros", {0, 0}, {}, 0, 0, -1, 1},
        {"nothing", {}, {}, 0, 0, 0, 1},
        {"NaN left out", {nan, 2, 4, INFINITY}, {}, 0, 0, 2, 4},
        {"log decades", {2, 30, 700}, {}, 1, 0, 2, 1000},
        {"log inside a decade", {120, 180}, {}, 1, 0, 100, 200},
        {"log leaves out non-positive", {-5, 0, 3, 40}, {}, 1, 0, 2, 50},
        {"log error reaching zero", {1, 10}, {2, 2}, 1, 1, 1, 20},
        {"log one value", {10}, {}, 1, 0, 5, 20},
        {"log nothing positive", {-1, 0}, {}, 1, 0, 1, 10},
        {"log tiny", {3e-6f, 4e-5f}, {}, 1, 0, 2e-6f, 5e-5f},
    };
    for (const auto& c : cases) {
        const Axis axis = scale(c.values, c.errors, c.log, c.useErrors);
        EXPECT_FLOAT_EQ(axis.low, c.low) << c.what;
        EXPECT_FLOAT_EQ(axis.high, c.high) << c.what;
    }
}

// On any data the limits contain every value (and error bar); on a log axis they are positive
// and round.
TEST(Autoscale, AlwaysContainsTheDataWithRoundLimits) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> exponent(-30, 30), unit(-1, 1);
    for (int trial = 0; trial < 2000; ++trial) {
        const auto log = static_cast<int16_t>(trial % 2), useErrors = static_cast<int16_t>((trial / 2) % 2);
        const double magnitude = std::pow(10.0, exponent(random)), offset = unit(random) * magnitude * 5;
        std::vector<float> v(1 + trial % 17), e(v.size());
        for (size_t i = 0; i < v.size(); ++i) {
            v[i] = static_cast<float>(log ? std::fabs(offset) + magnitude * (1 + unit(random)) : offset + magnitude * unit(random));
            e[i] = static_cast<float>(0.1 * magnitude * std::fabs(unit(random)));
        }
        const Axis axis = scale(v, e, log, useErrors);
        ASSERT_LT(axis.low, axis.high);
        if (log) {
            ASSERT_GT(axis.low, 0.0f);
        }
        for (size_t i = 0; i < v.size(); ++i) {
            const double spread = useErrors ? e[i] : 0.0;
            if (!log || v[i] - spread > 0) {
                ASSERT_LE(axis.low, v[i] - spread) << trial;
            }
            ASSERT_GE(double(axis.high), double(v[i]) + spread) << trial;
        }
        // Log limits are 1, 2 or 5 times a power of ten.
        if (log) {
            for (float limit : {axis.low, axis.high}) {
                const double m = limit / std::pow(10.0, std::floor(std::log10(limit) + 1e-9));
                ASSERT_TRUE(std::fabs(m - 1) < 1e-5 || std::fabs(m - 2) < 1e-5 || std::fabs(m - 5) < 1e-5) << limit;
            }
        }
    }
}

TEST(Autoscale, ReadsNoMoreThanTheLength) {
    const float values[] = {1, 2, 1e30f};
    const int16_t n = 3, length = 2, log = 0, useErrors = 0;
    float low = 0, high = 0;
    autoscale(values, nullptr, &n, &length, &low, &high, &log, &useErrors);
    EXPECT_LE(high, 10.0f);
}

} // namespace
