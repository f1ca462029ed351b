// Pieces of the iteration: Gauss-Jordan elimination, the covariance spreading, the probability,
// and the model functions.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "curvlib/curvlib.h"
#include "levenberg_marquardt.h"
#include "probability.h"

namespace {

using curvlib::at;

TEST(GaussJordan, InvertsAndSolvesInPlace) {
    constexpr int np = 4;
    std::array<float, np * np> m{};
    // [[2, 1, 0], [1, 3, 1], [0, 1, 4]], stored by columns with leading dimension 4
    const float rows[3][3] = {{2, 1, 0}, {1, 3, 1}, {0, 1, 4}};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) at(m.data(), np, i, j) = rows[i - 1][j - 1];
    const auto original = m;
    std::array<float, np> b{3, 5, 5, 99};
    curvlib::GAUSSJ(m.data(), 3, np, b.data(), 1, 1);
    EXPECT_NEAR(b[0], 1.0f, 1e-6);
    EXPECT_NEAR(b[1], 1.0f, 1e-6);
    EXPECT_NEAR(b[2], 1.0f, 1e-6);
    EXPECT_EQ(b[3], 99.0f);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) {
            float s = 0;
            for (int k = 1; k <= 3; ++k) s += original[(i - 1) + (k - 1) * np] * at(m.data(), np, k, j);
            EXPECT_NEAR(s, i == j ? 1.0f : 0.0f, 1e-6) << i << "," << j;
        }
    EXPECT_EQ(at(m.data(), np, 4, 4), 0.0f); // outside the system: untouched
}

TEST(GaussJordan, SingularMatrixGivesNonFiniteResultsWithoutComplaint) {
    std::array<float, 4> m{1, 2, 2, 4};
    std::array<float, 2> b{1, 2};
    curvlib::GAUSSJ(m.data(), 2, 2, b.data(), 1, 1);
    EXPECT_FALSE(std::isfinite(b[0]) && std::isfinite(b[1]));
}

TEST(CovarianceSort, HeldParametersGetZeroRowsAndColumns) {
    constexpr int np = 3;
    // Fitted parameters 1 and 3; the 2 x 2 covariance [[1, 2], [2, 5]] sits in the top-left block.
    std::array<float, np * np> c{};
    at(c.data(), np, 1, 1) = 1;
    at(c.data(), np, 1, 2) = at(c.data(), np, 2, 1) = 2;
    at(c.data(), np, 2, 2) = 5;
    const std::array<int16_t, np> ia{1, 0, 1};
    curvlib::COVSRT(c.data(), np, 3, ia.data(), 2);
    const float expected[3][3] = {{1, 0, 2}, {0, 0, 0}, {2, 0, 5}};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) EXPECT_EQ(at(c.data(), np, i, j), expected[i - 1][j - 1]) << i << "," << j;
}

struct ProbabilityCase {
    const char* what;
    float r;
    int16_t nu;
    double expected;
    double tolerance;
};

class Probability : public testing::TestWithParam<ProbabilityCase> {};

TEST_P(Probability, UpperTailOfChiSquare) {
    const auto& c = GetParam();
    EXPECT_NEAR(curvlib::PCHISQ(c.r, c.nu), c.expected, c.tolerance) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Probability,
    testing::Values(ProbabilityCase{"two degrees: exp(-1)", 1.0f, 2, std::exp(-1.0), 1e-6},
                    ProbabilityCase{"one degree, series branch", 1.0f, 1, 0.3173105, 1e-5},
                    ProbabilityCase{"five degrees, series", 2.0f, 5, 0.0752352, 1e-5},
                    ProbabilityCase{"ten degrees, even sum", 1.5f, 10, 0.1320619, 1e-6},
                    ProbabilityCase{"three degrees far out: as two at x = r", 20.0f, 3, std::exp(-20.0), 1e-12},
                    ProbabilityCase{"one degree far out: empty sum", 60.0f, 1, 0.0, 0.0},
                    ProbabilityCase{"no degrees of freedom", 1.0f, 0, 0.0, 0.0},
                    ProbabilityCase{"negative degrees of freedom", 1.0f, -4, 0.0, 0.0}));

TEST(Probability, GammaAndFactorialTables) {
    EXPECT_DOUBLE_EQ(curvlib::GAMMA(0.5f), 1.77245385);
    EXPECT_DOUBLE_EQ(curvlib::GAMMA(1.0f), 1.0);
    EXPECT_DOUBLE_EQ(curvlib::GAMMA(3.0f), 2.0);
    EXPECT_NEAR(curvlib::GAMMA(5.5f), 52.3428, 1e-4);
    EXPECT_NEAR(curvlib::GAMMA(12.5f), std::tgamma(12.5), std::tgamma(12.5) * 1e-8);
    EXPECT_EQ(curvlib::FACTOR(0), 1.0f);
    EXPECT_EQ(curvlib::FACTOR(1), 1.0f);
    EXPECT_EQ(curvlib::FACTOR(10), 3628800.0f);
    EXPECT_NEAR(curvlib::FACTOR(12), 479001600.0f, 479001600.0f * 1e-6f);
}

struct ModelCase {
    int16_t funcnum;
    float x;
    std::array<float, 4> a;
    float y;
    std::array<float, 4> dyda;
    int16_t nparm;
    float relTolerance;
};

class Model : public testing::TestWithParam<ModelCase> {};

TEST_P(Model, ValueAndDerivatives) {
    const auto& c = GetParam();
    std::array<float, 10> a{};
    std::copy(c.a.begin(), c.a.end(), a.begin());
    float y = 0;
    std::array<float, 10> dyda{};
    int16_t nparm = c.nparm;
    const int16_t np = 10;
    funcsnbuf(&c.x, a.data(), &y, dyda.data(), &c.funcnum, &nparm, &np);
    EXPECT_NEAR(y, c.y, std::fabs(c.y) * c.relTolerance) << "model " << c.funcnum;
    for (int j = 0; j < c.nparm; ++j)
        EXPECT_NEAR(dyda[j], c.dyda[j], std::fabs(c.dyda[j]) * c.relTolerance + 1e-7f)
            << "model " << c.funcnum << " derivative " << j + 1;
    EXPECT_EQ(nparm, c.nparm);
}

// Reference values from the formulas in double precision.
INSTANTIATE_TEST_SUITE_P(
    BuiltIn, Model,
    testing::Values(ModelCase{1, 1.7f, {0.3f, 2.1f}, 3.87f, {1, 1.7f}, 2, 1e-6f},
                    ModelCase{2, 2.0f, {1.5f, 3.0f}, 12.0f, {8.0f, 12.0f * 0.69314718f}, 2, 1e-6f},
                    ModelCase{3, 2.0f, {1.5f, -0.5f}, 0.55181916f, {0.36787944f, 1.1036383f}, 2, 1e-6f},
                    ModelCase{4, 2.0f, {1.5f, -0.5f}, -0.94818084f, {-0.63212056f, 1.1036383f}, 2, 1e-6f},
                    ModelCase{5, 2.0f, {3.0f, 1.0f, -0.5f}, 2.2642411f, {0.63212056f, 0.36787944f, -1.4715178f},
                              3, 1e-6f},
                    ModelCase{6, 2.0f, {1.5f, -0.5f, 0.25f}, 0.80181916f, {0.36787944f, 1.1036383f, 1.0f}, 3,
                              1e-6f},
                    ModelCase{7, 2.0f, {0.5f, 1.0f}, 1.0f, {-1.0f, -0.5f}, 2, 1e-6f},
                    ModelCase{8, 2.0f, {2.0f, 1.5f, 1.0f, 2.0f}, 5.6568542f, {2.8284271f, 2.8284271f,
                                                                               -1.4142136f, 1.4142136f},
                              4, 1e-6f},
                    ModelCase{9, 1.7f, {0.3f, 2.1f, 0.55f, 0.8f}, 0.31427f, {1, -0.0067012f, -0.052573f, -0.00072f},
                              4, 2e-4f},
                    ModelCase{10, 1.7f, {0.3f, 2.1f, 0.55f, 0.8f}, 3.03192f, {10.6814f, -0.0011161f, 0.31566f,
                                                                                0.0043230f},
                              4, 1e-4f}));

TEST(Model, ImpedanceModelsAtZeroFrequencyAndUnknownNumbersWriteNothing) {
    const std::array<float, 10> a{0.3f, 2.1f, 0.55f, 0.8f};
    for (int16_t funcnum : {int16_t{9}, int16_t{10}, int16_t{0}, int16_t{13}, int16_t{-1}}) {
        const float x = funcnum >= 9 && funcnum <= 10 ? 0.0f : 1.0f;
        float y = 42.0f;
        std::array<float, 10> dyda;
        dyda.fill(7.0f);
        int16_t nparm = 4;
        const int16_t np = 10;
        funcsnbuf(&x, a.data(), &y, dyda.data(), &funcnum, &nparm, &np);
        EXPECT_EQ(y, 42.0f) << funcnum;
        EXPECT_EQ(dyda[0], 7.0f) << funcnum;
        EXPECT_EQ(nparm, 4) << funcnum;
    }
}

} // namespace
