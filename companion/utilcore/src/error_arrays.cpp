// Uncertainty arrays from an error mode, and the check of the data before a fit.
#include <utilcore/utilcore.h>

#include <algorithm>
#include <cmath>

namespace utilcore {
namespace {

// The number of elements a routine may touch: n, but never beyond the allocated dimension.
int usableCount(const int16_t* n, const int16_t* dimension) {
    if (n == nullptr || dimension == nullptr) return 0;
    return std::max(0, std::min<int>(*n, *dimension));
}

bool badSigma(float s) { return !(s > 0.0f) || !std::isfinite(s); }

struct DomainFlags {
    bool x = false, y = false;
};

// What model funcnum of the linear edition cannot take at one point. Non-finite values are
// refused by every model.
DomainFlags domainFlags(int16_t funcnum, float x, float y) {
    DomainFlags bad;
    bad.x = !std::isfinite(x);
    bad.y = !std::isfinite(y);
    switch (funcnum) {
    case 2: // Y = A X^B, fitted as ln Y on ln X
        bad.x = bad.x || x <= 0;
        bad.y = bad.y || y <= 0;
        break;
    case 3: // Y = A exp(BX), fitted as ln Y on X
        bad.y = bad.y || y <= 0;
        break;
    case 7: // Y = A + B ln X
        bad.x = bad.x || x <= 0;
        break;
    case 8: // Y = A + B/X
    case 11: // Y = A + B/X^2 + C/X^4
        bad.x = bad.x || x == 0;
        break;
    case 9: // 1/Y = A + BX
        bad.y = bad.y || y == 0;
        break;
    case 10: // 1/Y = A + B/X
        bad.x = bad.x || x == 0;
        bad.y = bad.y || y == 0;
        break;
    default:
        break;
    }
    return bad;
}

} // namespace
} // namespace utilcore

extern "C" {

void sig(const int16_t* n, const float* value, const int16_t* kind, const int16_t* sub, const float* v,
         float* sigma, const int16_t* dimension, int16_t* flag) {
    const int count = (v && sigma) ? utilcore::usableCount(n, dimension) : 0;
    const int16_t errorKind = kind ? *kind : -2;
    const int16_t errorSub = sub ? *sub : 0;
    const float modeValue = value ? *value : 0.0f;
    bool bad = false;
    for (int i = 0; i < count; ++i) {
        if (errorKind == 1 && errorSub == 1) sigma[i] = modeValue * v[i];
        else if (errorKind == 1 && errorSub == 2) sigma[i] = modeValue;
        else if (errorKind == -1) sigma[i] = std::sqrt(std::fabs(v[i]));
        else if (errorKind == 0) sigma[i] = 1.0f;
        // Individual errors (kind 1, sub 3) and a mode not set keep the sigma given.
        bad = bad || utilcore::badSigma(sigma[i]);
    }
    if (flag) *flag = bad ? 1 : 0;
}

void trapzero(const float* x, const float* y, const float* sigma, const int16_t* funcnum, const int16_t* n,
              const int16_t* dimension, int16_t* flagX, int16_t* flagY, int16_t* flagSigma) {
    const int count = (x && y && sigma) ? utilcore::usableCount(n, dimension) : 0;
    const int16_t model = funcnum ? *funcnum : 0;
    bool badX = false, badY = false, badSigma = false;
    for (int i = 0; i < count; ++i) {
        const auto bad = utilcore::domainFlags(model, x[i], y[i]);
        badX = badX || bad.x;
        badY = badY || bad.y;
        badSigma = badSigma || sigma[i] == 0.0f || !std::isfinite(sigma[i]);
    }
    if (flagX) *flagX = badX ? 1 : 0;
    if (flagY) *flagY = badY ? 1 : 0;
    if (flagSigma) *flagSigma = badSigma ? 1 : 0;
}

} // extern "C"
