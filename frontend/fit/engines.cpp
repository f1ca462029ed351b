#include "fit/engines.h"

#include <curvlib/curvlib.h>
#include <slopelib/slopelib.h>
#include <utilcore/utilcore.h>
#include <xyerrlib/xyerrlib.h>

#include <array>

namespace frontend {

void LibraryEngines::lsnonw(const float* x, const float* y, const float* sigy, const std::int16_t* npts,
                            const std::int16_t* wtflag, std::int16_t* nparm, const std::int16_t* nhold, float* a,
                            float* siga, const std::int16_t* ia, const std::int16_t* funcnum, float* chisq,
                            float* prob, float* flamda, std::int16_t* niter, float* yfit,
                            const std::int16_t* spare, const std::int16_t* np) {
    ::lsnonw(x, y, sigy, npts, wtflag, nparm, nhold, a, siga, ia, funcnum, chisq, prob, flamda, niter, yfit, spare,
             np);
}

void LibraryEngines::lslinw(const float* x, const float* y, const float* sigy, const std::int16_t* npts,
                            const std::int16_t* ykind, const std::int16_t* nparm, const std::int16_t* nhold, float* a,
                            float* siga, const std::int16_t* ia, const std::int16_t* funcnum, float* chisq,
                            float* prob, float* yfit, const std::int16_t* length, const std::int16_t* np,
                            const float* sigx, const std::int16_t* nsigx) {
    ::lslinw(x, y, sigy, npts, ykind, nparm, nhold, a, siga, ia, funcnum, chisq, prob, yfit, length, np, sigx,
             nsigx);
}

void LibraryEngines::joliette(const float* x, const float* y, const float* sigx, const float* sigy,
                              const std::int16_t* npts, const std::int16_t* nparm, float* a, float* siga,
                              const std::int16_t* funcnum, float* chisq, float* prob, float* yfit,
                              const std::int16_t* length, const std::int16_t* np) {
    ::joliette(x, y, sigx, sigy, npts, nparm, a, siga, funcnum, chisq, prob, yfit, length, np);
}

void LibraryEngines::lybanon(const float* x, const float* y, const float* sigx, const float* sigy,
                             const std::int16_t* npts, const std::int16_t* ykind, const std::int16_t* nparm,
                             const std::int16_t* nhold, const std::int16_t* funcnum, const std::int16_t* ia,
                             const std::int16_t* length, const std::int16_t* np, float* yfit, float* a, float* siga,
                             float* chisq, float* prob) {
    ::lybanon(x, y, sigx, sigy, npts, ykind, nparm, nhold, funcnum, ia, length, np, yfit, a, siga, chisq, prob);
}

void LibraryEngines::trapzero(const float* x, const float* y, const float* sigma, const std::int16_t* funcnum,
                              const std::int16_t* n, const std::int16_t* dimension, std::int16_t* flagX,
                              std::int16_t* flagY, std::int16_t* flagSigma) {
    ::trapzero(x, y, sigma, funcnum, n, dimension, flagX, flagY, flagSigma);
}

QString LibraryEngines::lastEngineMessage() {
    std::array<char, CURVLIB_TEXT_LEN> text;
    std::array<char, CURVLIB_MESSAGE_LEN> message;
    text.fill(' ');
    message.fill(' ');
    const std::int16_t mode = 3, status = 0;
    ::holdstringbuf(text.data(), message.data(), &mode, &status);
    return QString::fromLatin1(message.data(), CURVLIB_MESSAGE_LEN).trimmed();
}

std::int16_t LibraryEngines::lastFitSteps() {
    std::int16_t steps = 0;
    ::lsnonwsteps(&steps);
    return steps;
}

} // namespace frontend
