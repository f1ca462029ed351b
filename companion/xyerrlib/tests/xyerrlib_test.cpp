#include <xyerrlib/xyerrlib.h>

#include "pearson_york.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

struct Result {
    std::vector<float> a, siga = std::vector<float>(10, -7.0f), yfit;
    float chisq = -7, prob = -7;
};

enum class Method { Joliette, Lybanon };

struct Call {
    int16_t model = 1, kind = 1, np = 10;
    std::vector<float> x, y, sigx, sigy;
    std::vector<float> start = std::vector<float>(10, 0.0f);
    std::vector<int16_t> vary = std::vector<int16_t>(10, 1);

    Result run(Method method) const {
        Result r;
        r.a = start;
        r.yfit.assign(x.size() + 1, -7.0f);
        const auto n = static_cast<int16_t>(x.size());
        const int16_t nparm = 3, nhold = 0;
        if (method == Method::Joliette)
            joliette(x.data(), y.data(), sigx.data(), sigy.data(), &n, &nparm, r.a.data(), r.siga.data(), &model,
                     &r.chisq, &r.prob, r.yfit.data(), &n, &np);
        else
            lybanon(x.data(), y.data(), sigx.data(), sigy.data(), &n, &kind, &nparm, &nhold, &model, vary.data(), &n,
                    &np, r.yfit.data(), r.a.data(), r.siga.data(), &r.chisq, &r.prob);
        EXPECT_EQ(r.yfit.back(), -7.0f) << "yfit written past the points";
        return r;
    }
};

const char* name(Method m) { return m == Method::Joliette ? "joliette" : "lybanon"; }

double digits(double got, double want) { return -std::log10(std::fabs(got - want) / std::fabs(want)); }

Call pearsonYork() {
    const companion_test::PearsonYork data;
    Call call;
    call.x = data.x, call.y = data.y, call.sigx = data.sigmaX, call.sigy = data.sigmaY;
    return call;
}

TEST(XYErrors, BothMethodsGiveYorksLineForPearsonsData) {
    using D = companion_test::PearsonYork;
    for (Method method : {Method::Joliette, Method::Lybanon}) {
        SCOPED_TRACE(name(method));
        const Result r = pearsonYork().run(method);
        EXPECT_GE(digits(r.a[1], D::slope), 5.0) << r.a[1];
        EXPECT_GE(digits(r.a[0], D::intercept), 5.0) << r.a[0];
        EXPECT_NEAR(r.chisq * 8, D::sum, 5e-4);
        EXPECT_NEAR(r.chisq, D::reducedChiSquare, 5e-5);
        EXPECT_NEAR(r.prob, D::probability, 5e-4);
        EXPECT_NEAR(r.siga[1], D::scaledSlopeError, 5e-5);
        EXPECT_NEAR(r.siga[0], D::scaledInterceptError, 5e-5);
        EXPECT_NEAR(r.siga[1] / std::sqrt(r.chisq), D::slopeError, 5e-6);
        EXPECT_NEAR(r.siga[0] / std::sqrt(r.chisq), D::interceptError, 5e-6);
        for (size_t i = 0; i < r.yfit.size() - 1; ++i) EXPECT_FLOAT_EQ(r.yfit[i], r.a[0] + r.a[1] * pearsonYork().x[i]);
    }
}

// A quadratic with errors in X and Y: points scattered about a known curve.
Call scatteredQuadratic(unsigned seed, int n) {
    const double truth[] = {2.0, -1.5, 0.8};
    std::mt19937 random(seed);
    std::normal_distribution<double> normal;
    Call call;
    call.model = 4;
    for (int i = 0; i < n; ++i) {
        const double xTrue = -2.0 + 6.0 * i / (n - 1);
        const double sx = 0.05 + 0.02 * (i % 3), sy = 0.1 + 0.05 * (i % 4);
        call.x.push_back(static_cast<float>(xTrue + sx * normal(random)));
        call.y.push_back(static_cast<float>(truth[0] + truth[1] * xTrue + truth[2] * xTrue * xTrue + sy * normal(random)));
        call.sigx.push_back(static_cast<float>(sx));
        call.sigy.push_back(static_cast<float>(sy));
    }
    return call;
}

TEST(XYErrors, BothMethodsAgreeOnAQuadraticAndRecoverIt) {
    const double truth[] = {2.0, -1.5, 0.8};
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const Call call = scatteredQuadratic(seed, 40);
        const Result j = call.run(Method::Joliette), l = call.run(Method::Lybanon);
        ASSERT_GT(j.chisq, 0);
        ASSERT_GT(l.chisq, 0);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(j.a[k], l.a[k], 0.15 * j.siga[k]) << "parameter " << k;
            EXPECT_NEAR(j.siga[k], l.siga[k], 0.05 * j.siga[k]) << "parameter " << k;
            EXPECT_NEAR(j.a[k], truth[k], 3 * j.siga[k]) << "parameter " << k;
        }
        EXPECT_NEAR(j.chisq, l.chisq, 0.05 * j.chisq);
        EXPECT_GT(l.prob, 0.0f);
    }
}

TEST(XYErrors, ExactPointsOnACurveAreFittedExactly) {
    for (Method method : {Method::Joliette, Method::Lybanon}) {
        for (int16_t model = 1; model <= 4; ++model) {
            SCOPED_TRACE(std::string(name(method)) + " model " + std::to_string(model));
            Call call;
            call.model = model;
            for (int i = 1; i <= 12; ++i) {
                const double x = 0.5 * i;
                const double y = model == 1   ? 1 + 2 * x
                                 : model == 2 ? 1.5 * std::pow(x, 1.3)
                                 : model == 3 ? 4 * std::exp(-0.2 * x)
                                              : 1 - x + 0.25 * x * x;
                call.x.push_back(float(x)), call.y.push_back(float(y));
                call.sigx.push_back(0.01f), call.sigy.push_back(0.01f * float(std::fabs(y)) + 0.01f);
            }
            call.start = std::vector<float>(10, 1.0f);
            const Result r = call.run(method);
            EXPECT_LT(r.chisq, 1e-6);
            for (size_t i = 0; i < call.y.size(); ++i) EXPECT_NEAR(r.yfit[i], call.y[i], 1e-4 * std::fabs(call.y[i]));
        }
    }
}

TEST(Lybanon, HeldParametersKeepTheirValues) {
    Call call = pearsonYork();
    call.start[0] = 5.5f;
    call.vary[0] = 0;
    const Result r = call.run(Method::Lybanon);
    EXPECT_EQ(r.a[0], 5.5f);
    EXPECT_EQ(r.siga[0], 0.0f);
    EXPECT_GT(r.siga[1], 0.0f);
    EXPECT_NEAR(r.a[1], -0.4834, 0.01); // the slope that goes with that intercept
    // Compared with the free fit, one more degree of freedom.
    const Result free = pearsonYork().run(Method::Lybanon);
    EXPECT_GE(r.chisq * 9, free.chisq * 8);
}

TEST(XYErrors, ExactXValuesGiveTheOrdinaryWeightedLine) {
    Call call = pearsonYork();
    std::fill(call.sigx.begin(), call.sigx.end(), 0.0f);
    double sw = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (size_t i = 0; i < call.x.size(); ++i) {
        const double w = 1.0 / (double(call.sigy[i]) * call.sigy[i]);
        sw += w, sx += w * call.x[i], sy += w * call.y[i];
        sxx += w * call.x[i] * call.x[i], sxy += w * call.x[i] * call.y[i];
    }
    const double slope = (sw * sxy - sx * sy) / (sw * sxx - sx * sx);
    for (Method method : {Method::Joliette, Method::Lybanon}) {
        const Result r = call.run(method);
        EXPECT_NEAR(r.a[1], slope, 1e-5) << name(method);
        EXPECT_NEAR(r.a[0], (sy - slope * sx) / sw, 1e-5) << name(method);
    }
}

TEST(XYErrors, HostileCallsFailClearly) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    auto with = [](auto change) {
        Call c = pearsonYork();
        change(c);
        return c;
    };
    struct Case {
        const char* what;
        Call call;
    } const cases[] = {
        {"two points", with([](Call& c) { c.x.resize(2), c.y.resize(2), c.sigx.resize(2), c.sigy.resize(2); })},
        {"three points, quadratic", with([](Call& c) {
             c.model = 4, c.x.resize(3), c.y.resize(3), c.sigx.resize(3), c.sigy.resize(3);
         })},
        {"no points", with([](Call& c) { c.x.clear(), c.y.clear(), c.sigx.clear(), c.sigy.clear(); })},
        {"NaN x", with([&](Call& c) { c.x[3] = nan; })},
        {"infinite y", with([](Call& c) { c.y[0] = -INFINITY; })},
        {"NaN X error", with([&](Call& c) { c.sigx[2] = nan; })},
        {"negative X error", with([](Call& c) { c.sigx[2] = -0.1f; })},
        {"zero Y error", with([](Call& c) { c.sigy[4] = 0; })},
        {"model 5", with([](Call& c) { c.model = 5; })},
        {"model -1", with([](Call& c) { c.model = -1; })},
        {"power law at x = 0", with([](Call& c) { c.model = 2; })},
        {"all x equal", with([](Call& c) { std::fill(c.x.begin(), c.x.end(), 1.0f); })},
        {"np too small", with([](Call& c) { c.model = 4, c.np = 2; })},
    };
    for (Method method : {Method::Joliette, Method::Lybanon}) {
        for (const auto& c : cases) {
            Call call = c.call;
            call.start = std::vector<float>(10, 0.5f);
            const Result r = call.run(method);
            EXPECT_EQ(r.chisq, -1.0f) << name(method) << ": " << c.what;
            EXPECT_EQ(r.prob, 0.0f) << name(method) << ": " << c.what;
            for (int k = 0; k < 10; ++k) EXPECT_EQ(r.a[k], 0.5f) << name(method) << ": " << c.what;
            for (int k = 0; k < std::min<int>(call.np, 10); ++k) EXPECT_EQ(r.siga[k], 0.0f) << c.what;
        }
    }
}

} // namespace
