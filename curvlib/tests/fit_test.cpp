// The fit call: the worked exponential example, held parameters, the iteration's stopping rules,
// the failure sentinel and its messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "curvlib/curvlib.h"
#include "store_access.h"

namespace {

struct Fit {
    std::vector<float> x, y, sigy;
    int16_t wtflag = 1;
    int16_t nparm = 2;
    std::array<float, 10> a{};
    std::array<int16_t, 10> ia{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    int16_t funcnum = 3;

    // Results, primed with sentinels so that "not written" can be checked.
    std::array<float, 10> siga{};
    float chisq = 1234.0f, prob = 555.0f, flamda = 777.0f;
    int16_t niter = -9;
    std::vector<float> yfit;

    void run() {
        siga.fill(-5.0f);
        yfit.assign(x.size(), -5.0f);
        auto npts = static_cast<int16_t>(x.size());
        int16_t nhold = 0;
        for (int j = 0; j < std::min<int>(nparm, 10); ++j) nhold = static_cast<int16_t>(nhold + (ia[j] == 0));
        const int16_t spare = 16000, np = 10;
        lsnonw(x.data(), y.data(), sigy.data(), &npts, &wtflag, &nparm, &nhold, a.data(), siga.data(), ia.data(),
               &funcnum, &chisq, &prob, &flamda, &niter, yfit.data(), &spare, &np);
    }
};

std::string message() { return store_access::storedMessage(); }

void clearMessage() { store_access::storeMessage(""); }

Fit workedExample() {
    Fit f;
    f.x = {1, 2, 3, 4, 5, 6, 7};
    f.y = {3.7141f, 2.7341f, 2.0428f, 1.496f, 1.1257f, 0.8165f, 0.6223f};
    f.sigy.assign(7, 0.05f);
    f.a[0] = 4.0f;
    f.a[1] = -0.2f;
    return f;
}

TEST(Fit, WorkedExponentialExample) {
    Fit f = workedExample();
    f.run();
    EXPECT_NEAR(f.a[0], 5.0073f, 5e-4);
    EXPECT_NEAR(f.a[1], -0.30031f, 5e-6);
    EXPECT_NEAR(f.siga[0], 0.019270f, 5e-6);
    EXPECT_NEAR(f.siga[1], 0.0015233f, 5e-8);
    EXPECT_NEAR(f.chisq, 0.053918f, 5e-7);
    EXPECT_NEAR(f.prob, 0.99818f, 5e-6);
    EXPECT_EQ(f.niter, 4);
    EXPECT_FLOAT_EQ(f.flamda, 0.01f);
    EXPECT_EQ(f.nparm, 2);
    for (std::size_t i = 0; i < f.x.size(); ++i)
        EXPECT_NEAR(f.yfit[i], f.a[0] * std::exp(f.a[1] * f.x[i]), 1e-5) << "point " << i + 1;
}

TEST(Fit, HeldParameterKeepsItsValueAndGetsNoUncertainty) {
    Fit f = workedExample();
    f.a[1] = -0.3f;
    f.ia[1] = 0;
    f.run();
    EXPECT_NEAR(f.a[0], 5.0040f, 5e-4);
    EXPECT_EQ(f.a[1], -0.3f);
    // The true value 0.0097239006 lies on a rounding boundary of the 32-bit arithmetic.
    EXPECT_NEAR(f.siga[0], 0.0097239f, 0.0097239 * 1e-5);
    EXPECT_EQ(f.siga[1], 0.0f);
    EXPECT_NEAR(f.chisq, 0.045315f, 5e-7);
    EXPECT_EQ(f.niter, 3);
}

// A straight line a1 + a2 x through four points, started at a1 = 1, a2 = 2.
Fit straightLine(std::vector<float> y, float sigma) {
    Fit f;
    f.funcnum = 1;
    f.x = {1, 2, 3, 4};
    f.y = std::move(y);
    f.sigy.assign(4, sigma);
    f.a[0] = 1.0f;
    f.a[1] = 2.0f;
    return f;
}

TEST(Fit, ExactModelConvergesAtOnceWithZeroUncertainties) {
    Fit f = straightLine({3, 5, 7, 9}, 0.1f);
    f.run();
    EXPECT_EQ(f.niter, 1);
    EXPECT_EQ(f.chisq, 0.0f);
    EXPECT_EQ(f.siga[0], 0.0f);
    EXPECT_EQ(f.siga[1], 0.0f);
    EXPECT_EQ(f.prob, 1.0f);
}

int16_t acceptedSteps() {
    int16_t steps = -1;
    lsnonwsteps(&steps);
    return steps;
}

// At the minimum of a linear fit every damped step fails to lower chi-square: each of two calls
// tries 20 lambdas, with a held parameter as without, and the fit reports that it never left
// its estimates.
TEST(Fit, StartFromWhichNoStepImprovesEndsAfterTwoCallsAtHugeLambda) {
    for (const bool holdSlope : {false, true}) {
        Fit f = straightLine({2, 5, 7, 9}, 1.0f);
        f.ia[1] = holdSlope ? 0 : 1;
        f.a[1] = holdSlope ? 2.0f : f.a[1];
        f.run(); // converge first
        EXPECT_GT(acceptedSteps(), 0) << holdSlope;
        Fit g = f;
        g.run(); // now start at the minimum
        EXPECT_EQ(g.niter, 2) << holdSlope;
        EXPECT_FLOAT_EQ(g.flamda, 1e37f) << holdSlope;
        EXPECT_EQ(g.a, f.a) << holdSlope;
        EXPECT_EQ(acceptedSteps(), 0) << holdSlope;
    }
}

TEST(Fit, WithoutMeasuredErrorsProbabilityIsLeftAlone) {
    Fit f = workedExample();
    f.wtflag = 0;
    f.run();
    EXPECT_EQ(f.prob, 555.0f);
    EXPECT_NEAR(f.chisq, 0.053918f, 5e-7);
    EXPECT_NEAR(f.siga[0], 0.019270f, 5e-6);
}

TEST(Fit, HundredIterationsWithoutConvergenceStillGiveResults) {
    // Scattered data and a three-parameter exponential: accepted and rejected steps alternate
    // and chi-square keeps changing by more than 1e-4 of itself for 100 iterations.
    Fit f;
    f.funcnum = 5;
    f.nparm = 3;
    f.x = {1, 2, 3, 4, 5, 6, 7, 8};
    f.y = {-2.90680027f, 2.71698666f, 0.560888529f, -1.68964052f,
           -0.397941828f, -1.50779879f, 1.84416294f, 2.18281078f};
    f.sigy.assign(8, 1.0f);
    f.a = {-1.10853124f, -1.58839011f, 2.35733223f};
    f.run();
    EXPECT_EQ(f.niter, 101);
    EXPECT_GT(f.chisq, 0.0f);
    EXPECT_TRUE(std::isfinite(f.chisq));
    for (int j = 0; j < 3; ++j) EXPECT_TRUE(std::isfinite(f.siga[j]) && f.siga[j] > 0.0f) << j;
    for (float v : f.yfit) EXPECT_NE(v, -5.0f);
}

TEST(Fit, NegativeCovarianceDiagonalFailsWithTheSqrtMessage) {
    // The ESR model started at a4 = 0: the a4 column of the curvature matrix vanishes and the
    // inverted matrix has no usable diagonal.
    Fit f;
    f.funcnum = 8;
    f.nparm = 4;
    f.x = {1, 2, 3, 4, 5, 6};
    f.y = {1, 2, 3, 4, 5, 6};
    f.sigy.assign(6, 0.1f);
    f.a = {1, 1, 0, 0};
    clearMessage();
    f.run();
    ASSERT_EQ(f.chisq, -1.0f);
    const std::string m = message();
    EXPECT_EQ(m.size(), 80u);
    EXPECT_EQ(m, "Tarvex SQRT error in FITN; please check fitting function, parameter estimates.  ");
    EXPECT_EQ(f.siga[0], -5.0f);
    EXPECT_EQ(f.prob, 555.0f);
}

Fit withPoints(Fit f, std::size_t n) {
    f.x.resize(n);
    f.y.resize(n);
    f.sigy.resize(n);
    return f;
}

Fit withParameterCount(int16_t nparm) {
    Fit f = workedExample();
    f.nparm = nparm;
    return f;
}

Fit impedanceWithZeroFrequency(int16_t funcnum) {
    Fit f;
    f.funcnum = funcnum;
    f.nparm = 4;
    f.x = {0, 1, 2, 3, 4, 5};
    f.y = {1, 2, 3, 4, 5, 6};
    f.sigy.assign(6, 0.1f);
    f.a = {0.3f, 2.1f, 0.55f, 0.8f};
    return f;
}

struct RefusedCall {
    const char* what;
    Fit fit;
    const char* message; // the start of the message left in the slot
};

// Calls the iteration cannot work with fail before it starts: chisq = -1, the reason in the
// message slot, and nothing else written.
TEST(Fit, RefusedCallsFailWithTheirReasonAndWriteNothingElse) {
    const char* noFreedom = "Too few data points: there must be more data points than fitted parameters.";
    const char* badCount = "Bad parameter count";
    const char* zeroFrequency = "Real Z and Imag Z need a frequency above 0: a data point has X = 0.";
    const RefusedCall cases[] = {
        {"as many points as fitted parameters", withPoints(workedExample(), 2), noFreedom},
        {"no parameters", withParameterCount(0), badCount},
        {"a negative parameter count", withParameterCount(-3), badCount},
        {"more parameters than the array dimension", withParameterCount(11), badCount},
        {"more parameters than the working storage", withParameterCount(21), badCount},
        {"Real Z with a point at x = 0", impedanceWithZeroFrequency(9), zeroFrequency},
        {"Imag Z with a point at x = 0", impedanceWithZeroFrequency(10), zeroFrequency},
    };
    for (const RefusedCall& c : cases) {
        workedExample().run(); // a fit that moves, before the refused one
        Fit f = c.fit;
        const auto start = f.a;
        clearMessage();
        f.run();
        EXPECT_EQ(acceptedSteps(), 0) << c.what;
        EXPECT_EQ(f.chisq, -1.0f) << c.what;
        EXPECT_EQ(message().rfind(c.message, 0), 0u) << c.what;
        EXPECT_EQ(f.a, start) << c.what;
        EXPECT_EQ(f.siga[0], -5.0f) << c.what;
        EXPECT_EQ(f.prob, 555.0f) << c.what;
    }
}

TEST(Fit, HoldingAParameterFreesADegreeOfFreedom) {
    // Two points and one fitted parameter.
    Fit f = withPoints(workedExample(), 2);
    f.ia[1] = 0;
    f.run();
    EXPECT_GT(f.chisq, 0.0f);
}

} // namespace
