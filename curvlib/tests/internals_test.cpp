// Pieces of the iteration: Gauss-Jordan elimination, the covariance spreading, the probability,
// and the model functions.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <vector>

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

// The upper tail Q(nu/2, nu r/2) at the float value of each r, computed with mpmath 1.3.0 at 60
// significant digits (mpmath.gammainc(nu/2, nu*r/2, mpmath.inf, regularized=True)) and rounded to
// nine; values below 1e-300, far under the smallest float, are written as 0.
// clang-format off
constexpr std::array<float, 10> kReducedChiSquares = {0.01f, 0.1f, 0.5f, 0.9f, 1.0f, 1.03f, 1.2f, 2.0f, 4.03f, 20.0f};
struct ProbabilityRow {
    int16_t nu;
    std::array<double, 10> q;
};
constexpr ProbabilityRow kProbabilities[] = {
    {1, {0.920344326, 0.751829632, 0.479500122, 0.342781718, 0.317310508, 0.310158674, 0.273321669, 0.157299207, 0.0446979354, 7.74421643e-6}},
    {2, {0.990049834, 0.904837417, 0.60653066, 0.406569669, 0.367879441, 0.357006971, 0.301194198, 0.135335283, 0.0177743262, 2.06115362e-9}},
    {3, {0.998630395, 0.960028479, 0.68227033, 0.440227307, 0.391625176, 0.377956039, 0.308022154, 0.111610225, 7.08113005e-3, 5.87823073e-13}},
    {5, {0.99997079, 0.992123293, 0.776495071, 0.479883454, 0.415880187, 0.397849811, 0.306218895, 0.0752352461, 1.17125985e-3, 5.28514836e-20}},
    {11, {1.0, 0.999918373, 0.904560532, 0.539404116, 0.443263278, 0.416045386, 0.280454771, 0.0243732437, 6.36155564e-6, 5.16398948e-41}},
    {45, {1.0, 1.0, 0.99797543, 0.662829214, 0.471958963, 0.41641361, 0.168232792, 7.78659284e-5, 2.78549051e-18, 1.8016706e-159}},
    {101, {1.0, 1.0, 0.999993716, 0.754423439, 0.481285045, 0.398239255, 0.0834201821, 1.00617873e-8, 2.3862559e-38, 0}},
    {999, {1.0, 1.0, 1.0, 0.989249738, 0.494049878, 0.248640938, 1.23702958e-5, 4.83318898e-69, 0, 0}},
    {15999, {1.0, 1.0, 1.0, 1.0, 0.498513182, 3.90076265e-3, 8.49841385e-64, 0, 0, 0}},
};
// clang-format on

// Six significant digits wherever a float can hold them.
TEST(Probability, UpperTailOfChiSquareForEveryDegreeOfFreedom) {
    for (const ProbabilityRow& row : kProbabilities) {
        for (std::size_t k = 0; k < kReducedChiSquares.size(); ++k) {
            const float r = kReducedChiSquares[k];
            const float p = curvlib::PCHISQ(r, row.nu);
            EXPECT_NEAR(p, row.q[k], std::max(1e-6 * row.q[k], 1e-37)) << "nu = " << row.nu << ", r = " << r;
        }
    }
}

// A probability never leaves 0 .. 1 and never grows with chi-square.
TEST(Probability, StaysAProbabilityAndFallsWithChiSquare) {
    std::vector<int16_t> degrees(120);
    std::iota(degrees.begin(), degrees.end(), int16_t{1});
    degrees.insert(degrees.end(), {999, 15999, 32767});
    for (const int16_t nu : degrees) {
        float previous = 1.0f;
        for (int step = 1; step <= 2000; ++step) {
            const float r = 0.01f * static_cast<float>(step);
            const float p = curvlib::PCHISQ(r, nu);
            ASSERT_TRUE(p >= 0.0f && p <= previous) << "nu = " << nu << ", r = " << r << ": " << p;
            previous = p;
        }
    }
}

TEST(Probability, NoDegreesOfFreedomGiveZero) {
    EXPECT_EQ(curvlib::PCHISQ(1.0f, 0), 0.0f);
    EXPECT_EQ(curvlib::PCHISQ(1.0f, -4), 0.0f);
}

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
