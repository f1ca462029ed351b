#include <common/probability.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ChiSquareProbability, MatchesTabulatedValues) {
    const double x = 5.933; // half of 11.866: with 8 degrees the tail is e^-x (1 + x + x^2/2 + x^3/6)
    struct Case {
        double chiSquare;
        int dof;
        double probability;
    } const cases[] = {
        {3.841459, 1, 0.05},
        {6.634897, 1, 0.01},
        {18.307038, 10, 0.05},
        {2.0, 2, std::exp(-1.0)},
        {2 * x, 8, std::exp(-x) * (1 + x + x * x / 2 + x * x * x / 6)},
        {0.0, 5, 1.0},
        {124.342, 100, 0.05},
        {1e6, 3, 0.0},
        {0.5, 30, 1.0},
        {9.342, 10, 0.5},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(common::chiSquareProbability(c.chiSquare, c.dof), c.probability, 2e-5)
            << c.chiSquare << " with " << c.dof;
}

TEST(ChiSquareProbability, ArgumentsOutsideItsDomain) {
    EXPECT_EQ(common::chiSquareProbability(1.0, 0), 0.0);
    EXPECT_EQ(common::chiSquareProbability(NAN, 3), 0.0);
    EXPECT_EQ(common::chiSquareProbability(INFINITY, 3), 0.0);
    EXPECT_EQ(common::chiSquareProbability(-1.0, 3), 1.0);
    EXPECT_TRUE(std::isnan(common::upperIncompleteGamma(-1, 1)));
    EXPECT_TRUE(std::isnan(common::upperIncompleteGamma(1, -1)));
    EXPECT_EQ(common::upperIncompleteGamma(2.5, INFINITY), 0.0);
}

} // namespace
