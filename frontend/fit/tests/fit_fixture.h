// What the fit tests share: engines that record every call before handing it to the libraries (and
// can change what comes back), and sessions set up like the user would have set them.
#ifndef FRONTEND_FIT_TESTS_FIT_FIXTURE_H
#define FRONTEND_FIT_TESTS_FIT_FIXTURE_H

#include "fit/engines.h"
#include "session/session.h"

#include <functional>
#include <vector>

namespace frontend::testing {

struct EngineCall {
    QString engine;
    std::vector<float> a;       // parameters as they went in
    std::vector<std::int16_t> ia; // vary flags (empty for joliette)
    std::int16_t npts = 0, nparm = 0, nhold = 0, funcnum = 0, kind = 0, length = 0, np = 0;
    std::vector<float> sigx; // X errors as passed (lslinw: nsigx elements; joliette, lybanon: npts)
    std::int16_t nsigx = 0;
};

// The results an engine call returned, before the driver sees them; a test may change them.
struct EngineResults {
    float* a;
    float* siga;
    float* chisq;
    std::int16_t* niter; // nullptr for the linear engines
    float* yfit;
};

class RecordingEngines final : public LibraryEngines {
public:
    std::vector<EngineCall> calls;
    std::function<void(EngineResults&)> afterCall; // runs after every fit call

    void lsnonw(const float* x, const float* y, const float* sigy, const std::int16_t* npts,
                const std::int16_t* wtflag, std::int16_t* nparm, const std::int16_t* nhold, float* a, float* siga,
                const std::int16_t* ia, const std::int16_t* funcnum, float* chisq, float* prob, float* flamda,
                std::int16_t* niter, float* yfit, const std::int16_t* spare, const std::int16_t* np) override {
        calls.push_back({QStringLiteral("lsnonw"), {a, a + *np}, {ia, ia + *np}, *npts, *nparm, *nhold, *funcnum,
                         *wtflag, *spare, *np, {}, 0});
        LibraryEngines::lsnonw(x, y, sigy, npts, wtflag, nparm, nhold, a, siga, ia, funcnum, chisq, prob, flamda,
                               niter, yfit, spare, np);
        finish({a, siga, chisq, niter, yfit});
    }
    void lslinw(const float* x, const float* y, const float* sigy, const std::int16_t* npts,
                const std::int16_t* ykind, const std::int16_t* nparm, const std::int16_t* nhold, float* a, float* siga,
                const std::int16_t* ia, const std::int16_t* funcnum, float* chisq, float* prob, float* yfit,
                const std::int16_t* length, const std::int16_t* np, const float* sigx,
                const std::int16_t* nsigx) override {
        calls.push_back({QStringLiteral("lslinw"), {a, a + *np}, {ia, ia + *np}, *npts, *nparm, *nhold, *funcnum,
                         *ykind, *length, *np, {sigx, sigx + *nsigx}, *nsigx});
        LibraryEngines::lslinw(x, y, sigy, npts, ykind, nparm, nhold, a, siga, ia, funcnum, chisq, prob, yfit, length,
                               np, sigx, nsigx);
        finish({a, siga, chisq, nullptr, yfit});
    }
    void joliette(const float* x, const float* y, const float* sigx, const float* sigy, const std::int16_t* npts,
                  const std::int16_t* nparm, float* a, float* siga, const std::int16_t* funcnum, float* chisq,
                  float* prob, float* yfit, const std::int16_t* length, const std::int16_t* np) override {
        calls.push_back({QStringLiteral("joliette"), {a, a + *np}, {}, *npts, *nparm, 0, *funcnum, 0, *length, *np,
                         {sigx, sigx + *npts}, 0});
        LibraryEngines::joliette(x, y, sigx, sigy, npts, nparm, a, siga, funcnum, chisq, prob, yfit, length, np);
        finish({a, siga, chisq, nullptr, yfit});
    }
    void lybanon(const float* x, const float* y, const float* sigx, const float* sigy, const std::int16_t* npts,
                 const std::int16_t* ykind, const std::int16_t* nparm, const std::int16_t* nhold,
                 const std::int16_t* funcnum, const std::int16_t* ia, const std::int16_t* length,
                 const std::int16_t* np, float* yfit, float* a, float* siga, float* chisq, float* prob) override {
        calls.push_back({QStringLiteral("lybanon"), {a, a + *np}, {ia, ia + *np}, *npts, *nparm, *nhold, *funcnum,
                         *ykind, *length, *np, {sigx, sigx + *npts}, 0});
        LibraryEngines::lybanon(x, y, sigx, sigy, npts, ykind, nparm, nhold, funcnum, ia, length, np, yfit, a, siga,
                                chisq, prob);
        finish({a, siga, chisq, nullptr, yfit});
    }

    QStringList engineNames() const {
        QStringList names;
        for (const EngineCall& call : calls) names << call.engine;
        return names;
    }

private:
    void finish(EngineResults results) {
        if (afterCall) afterCall(results);
    }
};

// The worked example: x = 1 ... 7, every Y error 0.05 (constant), exponential model with the
// estimates 4 and -0.2; data typed in, so the capacity is 100.
inline void LoadWorkedExample(Session& session, DataStore& store) {
    session.DataInProgram = session.YModeSet = session.FunctionChosen = session.EstimatesEntered = true;
    const std::vector<float> y{3.7141f, 2.7341f, 2.0428f, 1.496f, 1.1257f, 0.8165f, 0.6223f};
    store.Capacity = 100;
    store.PointCount = 7;
    store.X.assign(100, 0.0f);
    store.Y.assign(100, 0.0f);
    store.YSigma.assign(100, 0.0f);
    for (std::size_t i = 0; i < y.size(); ++i) {
        store.X[i] = static_cast<float>(i + 1);
        store.Y[i] = y[i];
        store.YSigma[i] = 0.05f;
    }
    store.YErrorKind = YKindGiven;
    store.YErrorSub = YSubConstant;
    store.YErrorValue = 0.05f;
    store.FunctionNumber = 3;
    store.ParamCount = 2;
    store.HeldCount = 0;
    store.VaryFlags = {1, 1};
    store.InitialParams = {4.0f, -0.2f};
}

// A fresh session of the edition with the worked example in it.
inline void SetUpWorkedExample(Session& session, DataStore& store, Edition edition) {
    StartUp(session, store, QStringLiteral("/opt/fit/"));
    session.Edition = EditionCode(edition);
    session.Names = QStringLiteral("Ada Lovelace");
    session.Experiment = QStringLiteral("Radioactive decay");
    LoadWorkedExample(session, store);
}

// n points on an exact straight line y = 1 + 2x with Y errors of 0.1.
inline void LoadLine(Session& session, DataStore& store, int n) {
    LoadWorkedExample(session, store);
    store.Capacity = static_cast<std::int16_t>(std::max(n, 100));
    store.PointCount = static_cast<std::int16_t>(n);
    store.X.assign(static_cast<std::size_t>(store.Capacity), 0.0f);
    store.Y = store.X;
    store.YSigma = store.X;
    for (int i = 0; i < n; ++i) {
        const float x = static_cast<float>(i + 1);
        store.X[static_cast<std::size_t>(i)] = x;
        // alternate small offsets so that the reduced chi-square is near 1
        store.Y[static_cast<std::size_t>(i)] = 1.0f + 2.0f * x + (i % 2 == 0 ? 0.1f : -0.1f);
        store.YSigma[static_cast<std::size_t>(i)] = 0.1f;
    }
    store.YErrorValue = 0.1f;
    store.FunctionNumber = 1;
    store.InitialParams = {1.0f, 2.0f};
}

inline void SetUpLine(Session& session, DataStore& store, Edition edition, int n) {
    SetUpWorkedExample(session, store, edition);
    LoadLine(session, store, n);
}

} // namespace frontend::testing

#endif
