#include "models.h"

#include <cmath>

#include "curvlib/curvlib.h"

namespace curvlib {
namespace {

// The exponentials and the power are formed and evaluated in double and rounded once: the
// results of a fit (down to the final lambda) depend on it.
float expOf(float a, float x) { return static_cast<float>(std::exp(static_cast<double>(a) * x)); }
float powOf(float x, float p) { return static_cast<float>(std::pow(static_cast<double>(x), static_cast<double>(p))); }

// The frequency factor of the impedance models is 6.28318, not the float nearest to 2 pi.
constexpr float kTwoPi = 6.28318f;

} // namespace

void FUNCSN(float x, const float* a, float& y, float* dyda, int16_t funcnum, int16_t& nparm, int16_t np) {
    switch (funcnum) {
    case 1:
        y = a[0] + a[1] * x;
        dyda[0] = 1.0f;
        dyda[1] = x;
        break;
    case 2: {
        const float p = powOf(x, a[1]);
        y = a[0] * p;
        dyda[0] = p;
        dyda[1] = y * std::log(x);
        break;
    }
    case 3: {
        const float e = expOf(a[1], x);
        y = a[0] * e;
        dyda[0] = e;
        dyda[1] = y * x;
        break;
    }
    case 4: {
        const float e = expOf(a[1], x);
        y = a[0] * (e - 1.0f);
        dyda[0] = e - 1.0f;
        dyda[1] = a[0] * x * e;
        break;
    }
    case 5: {
        const float e = expOf(a[2], x);
        y = a[0] - (a[0] - a[1]) * e;
        dyda[0] = 1.0f - e;
        dyda[1] = e;
        dyda[2] = -(a[0] - a[1]) * x * e;
        break;
    }
    case 6: {
        const float e = expOf(a[1], x);
        y = a[0] * e + a[2];
        dyda[0] = e;
        dyda[1] = a[0] * x * e;
        dyda[2] = 1.0f;
        break;
    }
    case 7:
        y = 1.0f / (a[0] + a[1] / x);
        dyda[0] = -y * y;
        dyda[1] = -y * y / x;
        break;
    case 8: {
        const float t = a[1] * x - a[2];
        const float s = std::sqrt(t * t + a[3] * a[3]);
        y = a[0] * s;
        dyda[0] = s;
        dyda[1] = a[0] * x * t / s;
        dyda[2] = -a[0] * t / s;
        dyda[3] = a[0] * a[3] / s;
        break;
    }
    case 9: {
        if (x == 0.0f) return;
        const float w = kTwoPi * x;
        const float b = w * a[2] - 1.0f / (w * a[3]);
        const float a2sq = a[1] * a[1];
        const float d = 1.0f + a2sq * b * b;
        const float a2cube = a2sq * a[1];
        y = a[0] + a[1] / d;
        dyda[0] = 1.0f;
        dyda[1] = (1.0f - a2sq * b * b) / (d * d);
        dyda[2] = -2.0f * a2cube * b * w / (d * d);
        dyda[3] = -2.0f * a2cube * b / (w * a[3] * a[3] * d * d);
        break;
    }
    case 10: {
        if (x == 0.0f) return;
        const float w = kTwoPi * x;
        const float b = w * a[2] - 1.0f / (w * a[3]);
        const float g = 1.0f / a[1];
        const float q = g * g + b * b;
        y = w * a[0] - b / q;
        dyda[0] = w;
        dyda[1] = -2.0f * b / (a[1] * a[1] * a[1] * q * q);
        dyda[2] = w * (b * b - g * g) / (q * q);
        dyda[3] = (b * b - g * g) / (w * a[3] * a[3] * q * q);
        break;
    }
    case 11:
    case 12:
        USERFUNCSN(x, a, y, dyda, funcnum, nparm, np);
        break;
    default:
        break;
    }
}

} // namespace curvlib

extern "C" CURVLIB_API void funcsnbuf(const float* x, const float* a, float* y, float* dyda, const int16_t* funcnum,
                                      int16_t* nparm, const int16_t* np) {
    curvlib::FUNCSN(*x, a, *y, dyda, *funcnum, *nparm, *np);
}
