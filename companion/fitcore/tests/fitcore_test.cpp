#include <fitcore/least_squares.h>
#include <fitcore/models.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TEST(EllipticK, ByTheArithmeticGeometricMean) {
    const double pi = std::numbers::pi;
    EXPECT_DOUBLE_EQ(fitcore::ellipticK(1.0), pi / 2);
    EXPECT_NEAR(fitcore::ellipticK(std::cos(pi / 4)), 1.854074677301372, 1e-15);
    EXPECT_NEAR(fitcore::ellipticK(std::cos(80 * pi / 180)), 3.153385251887839, 1e-14);
    EXPECT_TRUE(std::isinf(fitcore::ellipticK(0.0)));
}

TEST(SolveLeastSquares, SolvesExactlyAndRefusesDependentColumns) {
    // y = 1 + 2 (x - 100) + 1e-3 (x - 100)^2 in the columns 1, x, x^2 with x around 100.
    const int m = 8;
    std::vector<double> a, b;
    for (int i = 0; i < m; ++i) {
        const double x = 100.0 + i, u = x - 100.0;
        a.insert(a.end(), {1.0, x, x * x});
        b.push_back(1.0 + 2.0 * u + 1e-3 * u * u);
    }
    const auto s = fitcore::solveLeastSquares(a, b, m, 3);
    ASSERT_TRUE(s.ok);
    EXPECT_NEAR(s.coef[2], 1e-3, 1e-12);
    EXPECT_NEAR(s.coef[1], 2.0 - 0.2, 1e-9);
    EXPECT_NEAR(s.coef[0], 1.0 - 200.0 + 10.0, 1e-7);

    std::vector<double> dependent{1, 2, 2, 4, 3, 6};
    EXPECT_FALSE(fitcore::solveLeastSquares(dependent, {1, 2, 3}, 3, 2).ok);
    EXPECT_FALSE(fitcore::solveLeastSquares({1, 2}, {1, 2}, 1, 2).ok); // fewer rows than columns
}

} // namespace
