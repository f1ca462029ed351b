// The fit engines and checks the fit driver calls, behind one interface so that tests can see which
// engine ran and with what. Production calls the libraries directly (LibraryEngines).
//
// Every argument is passed as the libraries take it: by address, arrays as their first element.
#ifndef FRONTEND_FIT_ENGINES_H
#define FRONTEND_FIT_ENGINES_H

#include <QString>
#include <cstdint>

namespace frontend {

class FitEngines {
public:
    virtual ~FitEngines() = default;

    virtual void lsnonw(const float* x, const float* y, const float* sigy, const std::int16_t* npts,
                        const std::int16_t* wtflag, std::int16_t* nparm, const std::int16_t* nhold, float* a,
                        float* siga, const std::int16_t* ia, const std::int16_t* funcnum, float* chisq, float* prob,
                        float* flamda, std::int16_t* niter, float* yfit, const std::int16_t* spare,
                        const std::int16_t* np) = 0;
    virtual void lslinw(const float* x, const float* y, const float* sigy, const std::int16_t* npts,
                        const std::int16_t* ykind, const std::int16_t* nparm, const std::int16_t* nhold, float* a,
                        float* siga, const std::int16_t* ia, const std::int16_t* funcnum, float* chisq, float* prob,
                        float* yfit, const std::int16_t* length, const std::int16_t* np, const float* sigx,
                        const std::int16_t* nsigx) = 0;
    virtual void joliette(const float* x, const float* y, const float* sigx, const float* sigy,
                          const std::int16_t* npts, const std::int16_t* nparm, float* a, float* siga,
                          const std::int16_t* funcnum, float* chisq, float* prob, float* yfit,
                          const std::int16_t* length, const std::int16_t* np) = 0;
    virtual void lybanon(const float* x, const float* y, const float* sigx, const float* sigy,
                         const std::int16_t* npts, const std::int16_t* ykind, const std::int16_t* nparm,
                         const std::int16_t* nhold, const std::int16_t* funcnum, const std::int16_t* ia,
                         const std::int16_t* length, const std::int16_t* np, float* yfit, float* a, float* siga,
                         float* chisq, float* prob) = 0;
    virtual void trapzero(const float* x, const float* y, const float* sigma, const std::int16_t* funcnum,
                          const std::int16_t* n, const std::int16_t* dimension, std::int16_t* flagX,
                          std::int16_t* flagY, std::int16_t* flagSigma) = 0;
    // holdstringbuf mode 3: the last message of the non-linear engine's message slot, trimmed of
    // its padding.
    virtual QString lastEngineMessage() = 0;
    // lsnonwsteps: how many steps the last non-linear fit accepted; 0 when no step away from the
    // estimates lowered chi-square, so that the values it returned are the estimates.
    virtual std::int16_t lastFitSteps() = 0;
};

// The engine libraries themselves: curvlib32, slopelib32, xyerrlib and utilcore32.
class LibraryEngines : public FitEngines {
public:
    void lsnonw(const float* x, const float* y, const float* sigy, const std::int16_t* npts,
                const std::int16_t* wtflag, std::int16_t* nparm, const std::int16_t* nhold, float* a, float* siga,
                const std::int16_t* ia, const std::int16_t* funcnum, float* chisq, float* prob, float* flamda,
                std::int16_t* niter, float* yfit, const std::int16_t* spare, const std::int16_t* np) override;
    void lslinw(const float* x, const float* y, const float* sigy, const std::int16_t* npts,
                const std::int16_t* ykind, const std::int16_t* nparm, const std::int16_t* nhold, float* a, float* siga,
                const std::int16_t* ia, const std::int16_t* funcnum, float* chisq, float* prob, float* yfit,
                const std::int16_t* length, const std::int16_t* np, const float* sigx,
                const std::int16_t* nsigx) override;
    void joliette(const float* x, const float* y, const float* sigx, const float* sigy, const std::int16_t* npts,
                  const std::int16_t* nparm, float* a, float* siga, const std::int16_t* funcnum, float* chisq,
                  float* prob, float* yfit, const std::int16_t* length, const std::int16_t* np) override;
    void lybanon(const float* x, const float* y, const float* sigx, const float* sigy, const std::int16_t* npts,
                 const std::int16_t* ykind, const std::int16_t* nparm, const std::int16_t* nhold,
                 const std::int16_t* funcnum, const std::int16_t* ia, const std::int16_t* length,
                 const std::int16_t* np, float* yfit, float* a, float* siga, float* chisq, float* prob) override;
    void trapzero(const float* x, const float* y, const float* sigma, const std::int16_t* funcnum,
                  const std::int16_t* n, const std::int16_t* dimension, std::int16_t* flagX, std::int16_t* flagY,
                  std::int16_t* flagSigma) override;
    QString lastEngineMessage() override;
    std::int16_t lastFitSteps() override;
};

} // namespace frontend

#endif
