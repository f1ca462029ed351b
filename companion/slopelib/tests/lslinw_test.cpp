#include <slopelib/slopelib.h>

#include "pearson_york.h"
#include "strd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

struct Result {
    std::vector<float> a = std::vector<float>(10, 0.0f), siga = std::vector<float>(10, -7.0f);
    float chisq = -7, prob = -7;
    std::vector<float> yfit;
};

struct Call {
    int16_t model = 1, kind = 1;
    std::vector<float> x, y, sigy, sigx{0, 0};
    std::vector<float> start = std::vector<float>(10, 1.0f);
    std::vector<int16_t> vary = std::vector<int16_t>(10, 1);
    int16_t np = 10;

    Result run() const {
        Result r;
        r.a = start;
        r.yfit.assign(x.size() + 1, -7.0f); // one guard element past the points
        const auto n = static_cast<int16_t>(x.size());
        int16_t nparm = 3, nhold = 0;
        const int16_t nsigx = static_cast<int16_t>(sigx.size());
        lslinw(x.data(), y.data(), sigy.data(), &n, &kind, &nparm, &nhold, r.a.data(), r.siga.data(),
               vary.data(), &model, &r.chisq, &r.prob, r.yfit.data(), &n, &np, sigx.data(), &nsigx);
        EXPECT_EQ(r.yfit.back(), -7.0f) << "yfit written past the points";
        return r;
    }
};

std::vector<float> toFloat(const std::vector<double>& v) { return {v.begin(), v.end()}; }

double digits(double got, double want) { return testsupport::significantDigits(got, want); }

// The certified values of a NIST linear set: parameters, their standard deviations, and the
// residual standard deviation (with no Y errors the reduced chi-square is the variance).
void expectCertified(const std::string& name, int16_t model, double minimumDigits) {
    const testsupport::StrdSet set = testsupport::loadStrd(name);
    Call call;
    call.model = model;
    call.kind = 0;
    call.x = toFloat(set.x);
    call.y = toFloat(set.y);
    call.sigy.assign(call.x.size(), 0.0f); // not read for kind 0
    const Result r = call.run();
    double worst = 16;
    for (size_t j = 0; j < set.parameters.size(); ++j) {
        const double p = digits(r.a[j], set.parameters[j].certified);
        const double s = digits(r.siga[j], set.parameters[j].certifiedSd);
        EXPECT_GE(p, minimumDigits) << name << " parameter " << j << ' ' << r.a[j];
        EXPECT_GE(s, minimumDigits) << name << " sd " << j << ' ' << r.siga[j];
        worst = std::min({worst, p, s});
    }
    const double dof = double(set.x.size() - set.parameters.size());
    const double residual = digits(std::sqrt(r.chisq), std::sqrt(set.residualSumOfSquares / dof));
    EXPECT_GE(residual, minimumDigits) << name << " residual sd " << std::sqrt(r.chisq);
    worst = std::min(worst, residual);
    std::printf("%s: every certified value to %.1f significant digits\n", name.c_str(), worst);
}

TEST(Lslinw, NistNorrisStraightLine) { expectCertified("Norris", 1, 6.0); }

TEST(Lslinw, NistPontiusQuadratic) { expectCertified("Pontius", 4, 6.0); }

TEST(Lslinw, PearsonYorkWithXErrorsIsYorksLine) {
    const companion_test::PearsonYork data;
    Call call;
    call.x = data.x;
    call.y = data.y;
    call.sigy = data.sigmaY;
    call.sigx = data.sigmaX;
    call.start = std::vector<float>(10, 0.0f);
    const Result r = call.run();
    EXPECT_GE(digits(r.a[1], data.slope), 5.0) << r.a[1];
    EXPECT_GE(digits(r.a[0], data.intercept), 5.0) << r.a[0];
    EXPECT_NEAR(r.chisq, data.reducedChiSquare, 5e-5);
    EXPECT_NEAR(r.prob, data.probability, 5e-4);
    EXPECT_NEAR(r.siga[1], data.scaledSlopeError, 5e-5);
    EXPECT_NEAR(r.siga[0], data.scaledInterceptError, 5e-5);
    EXPECT_EQ(r.siga[2], 0.0f);
}

TEST(Lslinw, WithXErrorsAHeldSlopeLeavesAWeightedMeanIntercept) {
    // With B held the effective-variance weights are fixed: A = sum W (y - Bx) / sum W.
    const companion_test::PearsonYork data;
    Call call;
    call.x = data.x, call.y = data.y, call.sigy = data.sigmaY, call.sigx = data.sigmaX;
    call.start = std::vector<float>(10, 0.0f);
    call.start[1] = -0.5f;
    call.vary[1] = 0;
    const Result r = call.run();
    double sw = 0, swr = 0;
    for (size_t i = 0; i < data.x.size(); ++i) {
        const double w = 1.0 / (double(data.sigmaY[i]) * data.sigmaY[i] + 0.25 * double(data.sigmaX[i]) * data.sigmaX[i]);
        sw += w, swr += w * (data.y[i] + 0.5 * data.x[i]);
    }
    EXPECT_EQ(r.a[1], -0.5f);
    EXPECT_EQ(r.siga[1], 0.0f);
    EXPECT_NEAR(r.a[0], swr / sw, 1e-5);
    EXPECT_NEAR(r.siga[0], std::sqrt(r.chisq / sw), 1e-6);
}

TEST(Lslinw, WithoutXErrorsTheSameDataGiveTheWeightedLine) {
    const companion_test::PearsonYork data;
    Call call;
    call.x = data.x;
    call.y = data.y;
    call.sigy = data.sigmaY;
    const Result r = call.run(); // sigx: two zeros, length 2
    double sw = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (size_t i = 0; i < data.x.size(); ++i) {
        const double w = 1.0 / (double(data.sigmaY[i]) * data.sigmaY[i]);
        sw += w, sx += w * data.x[i], sy += w * data.y[i];
        sxx += w * data.x[i] * data.x[i], sxy += w * data.x[i] * data.y[i];
    }
    const double slope = (sw * sxy - sx * sy) / (sw * sxx - sx * sx);
    EXPECT_NEAR(r.a[1], slope, 1e-5);
    EXPECT_NEAR(r.a[0], (sy - slope * sx) / sw, 1e-5);
}

// Small deterministic scatter so that chi-square is of order one.
double scatter(size_t i) { return std::sin(12.9898 * double(i + 1)) * 0.6; }

struct ModelCase {
    int16_t model;
    std::vector<double> truth;
    double xFrom, xTo;
};

const ModelCase kModels[] = {
    {1, {2.0, -0.5}, 0.5, 9.5},       {2, {3.0, 1.7}, 0.5, 9.5},          {3, {40.0, -0.3}, 0.0, 9.0},
    {4, {1.0, 2.0, -0.3}, -3.0, 5.0}, {5, {2.0}, 0.1, 2.8},               {6, {1.0, 0.5, -0.02}, 0.5, 4.0},
    {7, {1.0, 2.5}, 0.5, 20.0},       {8, {3.0, 4.0}, 0.5, 9.0},          {9, {0.5, 0.25}, 0.0, 10.0},
    {10, {0.2, 1.5}, 0.5, 10.0},      {11, {2.0, 3.0, -0.5}, 0.8, 5.0},
};

// Every model, fitted through its linear form, recovers noise-free parameters exactly and,
// with scatter, gives the uncertainties that the model as written implies (the propagation
// of the Y errors through ln Y and 1/Y, and of the uncertainty of ln A to A, is first-order).
TEST(Lslinw, EveryModelRecoversItsParametersWithPropagatedUncertainties) {
    for (const auto& c : kModels) {
        SCOPED_TRACE("model " + std::to_string(c.model));
        const size_t n = 25;
        Call exact, noisy;
        exact.model = noisy.model = c.model;
        exact.start = noisy.start = std::vector<float>(10, 1.0f);
        std::vector<float> a(10, 0.0f);
        for (size_t j = 0; j < c.truth.size(); ++j) a[j] = static_cast<float>(c.truth[j]);
        for (size_t i = 0; i < n; ++i) {
            const float x = static_cast<float>(c.xFrom + (c.xTo - c.xFrom) * double(i) / (n - 1));
            float y = 0, dyda[10];
            const int16_t np = 10;
            funcslbuf(&x, a.data(), &y, dyda, &c.model, &np);
            const float sigma = 0.01f * std::fabs(y);
            exact.x.push_back(x), exact.y.push_back(y), exact.sigy.push_back(sigma);
            noisy.x.push_back(x), noisy.y.push_back(static_cast<float>(y + scatter(i) * sigma));
            noisy.sigy.push_back(sigma);
        }
        const Result e = exact.run();
        for (size_t j = 0; j < c.truth.size(); ++j) EXPECT_NEAR(e.a[j], c.truth[j], 1e-4 * (1 + std::fabs(c.truth[j])));
        EXPECT_LT(e.chisq, 1e-3);

        const Result r = noisy.run();
        ASSERT_GT(r.chisq, 0.01);
        // Covariance of the model as written, from its derivatives at the fitted parameters.
        const size_t p = c.truth.size();
        double m[3][3] = {};
        for (size_t i = 0; i < n; ++i) {
            float y, g[10];
            const int16_t np = 10;
            funcslbuf(&noisy.x[i], r.a.data(), &y, g, &c.model, &np);
            for (size_t j = 0; j < p; ++j)
                for (size_t k = 0; k < p; ++k) m[j][k] += double(g[j]) * g[k] / (double(noisy.sigy[i]) * noisy.sigy[i]);
        }
        double inverse[3];
        if (p == 1) inverse[0] = 1 / m[0][0];
        if (p == 2) {
            const double det = m[0][0] * m[1][1] - m[0][1] * m[1][0];
            inverse[0] = m[1][1] / det, inverse[1] = m[0][0] / det;
        }
        if (p == 3) {
            const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                               m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
            inverse[0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) / det;
            inverse[1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det;
            inverse[2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det;
        }
        for (size_t j = 0; j < p; ++j) {
            const double expected = std::sqrt(inverse[j] * r.chisq);
            EXPECT_NEAR(r.siga[j], expected, 0.03 * expected) << "parameter " << j;
        }
        for (size_t j = p; j < 10; ++j) EXPECT_EQ(r.siga[j], 0.0f);
    }
}

TEST(Lslinw, HeldParametersKeepTheirValues) {
    Call call;
    call.model = 1;
    call.x = {0, 1, 2, 3};
    call.y = {1.1f, 2.9f, 5.2f, 6.8f};
    call.sigy = {0.1f, 0.1f, 0.1f, 0.1f};
    call.start = std::vector<float>(10, 0.0f);
    call.start[1] = 2.0f;
    call.vary[1] = 0;
    Result r = call.run();
    EXPECT_EQ(r.a[1], 2.0f);
    EXPECT_EQ(r.siga[1], 0.0f);
    EXPECT_NEAR(r.a[0], (1.1 + 0.9 + 1.2 + 0.8) / 4, 1e-6); // mean of y - 2x
    EXPECT_NEAR(r.siga[0], 0.05 * std::sqrt(r.chisq), 1e-6);

    // A held A of the power model stays bit for bit, though the fit works with ln A.
    call.model = 2;
    call.x = {1, 2, 3, 4};
    call.y = {0.3f, 1.2f, 2.7f, 4.8f}; // 0.3 x^2
    call.start = std::vector<float>(10, 0.0f);
    call.start[0] = 0.3f;
    call.vary = std::vector<int16_t>(10, 1);
    call.vary[0] = 0;
    r = call.run();
    EXPECT_EQ(r.a[0], 0.3f);
    EXPECT_NEAR(r.a[1], 2.0, 1e-5);
}

TEST(Lslinw, NoYErrorsGiveTheVarianceOfTheFit) {
    Call call;
    call.kind = 0;
    call.x = {1, 2, 3, 4, 5};
    call.y = {2, 4.5f, 5.5f, 8.5f, 9.5f};
    call.sigy = {-1, 0, 0, 0, 0}; // not read
    const Result r = call.run();
    double sum = 0;
    for (size_t i = 0; i < 5; ++i) sum += std::pow(call.y[i] - r.yfit[i], 2);
    EXPECT_NEAR(r.chisq, sum / 3, 1e-6);
    EXPECT_NEAR(r.a[1], 1.9, 1e-6);
}

TEST(Lslinw, XErrorsApplyOnlyToModelsOneToThree) {
    Call call;
    call.model = 4;
    call.x = {0, 1, 2, 3, 4};
    call.y = {1, 2.2f, 4.8f, 10.1f, 17};
    call.sigy = {0.1f, 0.1f, 0.1f, 0.1f, 0.1f};
    const Result plain = call.run();
    call.sigx = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    const Result withX = call.run();
    for (int j = 0; j < 3; ++j) EXPECT_EQ(plain.a[j], withX.a[j]);
}

// What a caller sees for a call that cannot be fitted: a as passed, every uncertainty 0,
// chisq -1, prob 0, and nothing written outside the arrays.
TEST(Lslinw, HostileCallsFailClearly) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        Call call;
    };
    Call base;
    base.x = {1, 2, 3, 4};
    base.y = {2, 4, 6, 8.5f};
    base.sigy = {1, 1, 1, 1};
    auto with = [&](auto change) {
        Call c = base;
        change(c);
        return c;
    };
    const Case cases[] = {
        {"two points, two parameters", with([](Call& c) { c.x.resize(2), c.y.resize(2), c.sigy.resize(2); })},
        {"no points", with([](Call& c) { c.x.clear(), c.y.clear(), c.sigy.clear(); })},
        {"NaN x", with([&](Call& c) { c.x[1] = nan; })},
        {"infinite y", with([](Call& c) { c.y[2] = INFINITY; })},
        {"zero Y error", with([](Call& c) { c.sigy[0] = 0; })},
        {"negative Y error", with([](Call& c) { c.sigy[0] = -1; })},
        {"all x equal", with([](Call& c) { c.x = {2, 2, 2, 2}; })},
        {"log of y <= 0", with([](Call& c) { c.model = 3, c.y[0] = -1; })},
        {"ln x of 0", with([](Call& c) { c.model = 7, c.x[0] = 0; })},
        {"1/y of 0", with([](Call& c) { c.model = 9, c.y[0] = 0; })},
        {"unknown model", with([](Call& c) { c.model = 12; })},
        {"model 0", with([](Call& c) { c.model = 0; })},
        {"np too small", with([](Call& c) { c.model = 4, c.np = 2; })},
        {"NaN X error", with([&](Call& c) { c.sigx = {0.1f, nan, 0.1f, 0.1f}; })},
        {"negative X error", with([](Call& c) { c.sigx = {0.1f, -0.1f, 0.1f, 0.1f}; })},
    };
    for (const auto& c : cases) {
        Call call = c.call;
        call.start = std::vector<float>(10, 0.5f);
        const Result r = call.run();
        EXPECT_EQ(r.chisq, -1.0f) << c.what;
        EXPECT_EQ(r.prob, 0.0f) << c.what;
        for (int j = 0; j < 10; ++j) EXPECT_EQ(r.a[j], 0.5f) << c.what;
        for (int j = 0; j < std::min<int>(call.np, 10); ++j) EXPECT_EQ(r.siga[j], 0.0f) << c.what;
    }
}

TEST(Lslinw, AnOversizedNpTouchesOnlyTenSlots) {
    Call call;
    call.x = {1, 2, 3, 4};
    call.y = {2, 4, 6, 8.5f};
    call.sigy = {1, 1, 1, 1};
    call.np = 30000; // the arrays have 10 slots, as documented; AddressSanitizer watches the rest
    const Result r = call.run();
    EXPECT_GT(r.chisq, 0.0f);
    EXPECT_NEAR(r.a[1], 2.15, 1e-5);
}

TEST(Lslinw, MorePointsThanTheDeclaredLengthIsRefusedWithoutReading) {
    std::vector<float> x{1, 2, 3}, y{1, 2, 3}, s{1, 1, 1}, a(10, 0.5f), siga(10, 9), yfit(3, -7), sigx{0, 0};
    std::vector<int16_t> ia(10, 1);
    const int16_t npts = 30000, length = 3, kind = 1, nparm = 2, nhold = 0, model = 1, np = 10, nsigx = 2;
    float chisq = 0, prob = 0;
    lslinw(x.data(), y.data(), s.data(), &npts, &kind, &nparm, &nhold, a.data(), siga.data(), ia.data(), &model,
           &chisq, &prob, yfit.data(), &length, &np, sigx.data(), &nsigx);
    EXPECT_EQ(chisq, -1.0f);
    EXPECT_EQ(yfit[0], -7.0f);
}

TEST(Funcslbuf, EvaluatesEachModel) {
    const float a[10] = {2, 3, 0.5f, 0, 0, 0, 0, 0, 0, 0};
    struct Case {
        int16_t model;
        float x;
        double y;
    } const cases[] = {
        {1, 2, 8},
        {2, 4, 2 * 64},
        {3, 1, 2 * std::exp(3.0)},
        {4, 2, 2 + 6 + 2},
        {5, 0, 2 * M_PI / 2},
        {5, static_cast<float>(M_PI / 2), 2 * 1.854074677301372}, // K(sin 45 deg)
        {5, static_cast<float>(M_PI * 160 / 180), 2 * 3.153385251887839}, // K(sin 80 deg)
        {6, 2, 2 + 12 + 8},
        {7, static_cast<float>(std::exp(1.0)), 5},
        {8, 4, 2.75},
        {9, 2, 1.0 / 8},
        {10, 3, 1.0 / 3},
        {11, 2, 2 + 0.75 + 0.5 / 16},
    };
    for (const auto& c : cases) {
        float y = 0, dyda[10];
        std::fill(dyda, dyda + 10, -7.0f);
        const int16_t np = 10;
        funcslbuf(&c.x, a, &y, dyda, &c.model, &np);
        EXPECT_NEAR(y, c.y, 2e-6 * std::fabs(c.y)) << "model " << c.model;
        EXPECT_EQ(dyda[3], 0.0f) << "model " << c.model;
    }
    // An unknown model gives NaN and writes only within np.
    float y = 0, dyda[2] = {-7, -7};
    const int16_t unknown = 99, np = 1;
    funcslbuf(&cases[0].x, a, &y, dyda, &unknown, &np);
    EXPECT_TRUE(std::isnan(y));
    EXPECT_EQ(dyda[1], -7.0f);
}

} // namespace
