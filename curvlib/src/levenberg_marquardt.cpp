#include "levenberg_marquardt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "models.h"

namespace curvlib {
namespace {

// Working values of MRQMIN, kept between the calls of one fit; a negative lambda resets them.
struct StepState {
    int mfit = 0;
    float ochisq = 0.0f;
    std::array<float, kMaxFitParameters> atry{};
    std::array<float, kMaxFitParameters> beta{};
    std::array<float, kMaxFitParameters> da{};
    int accepted = 0; // steps that lowered chi-square since the fit began
};
StepState state;

int countFitted(const int16_t* ia, int nparm) {
    return static_cast<int>(std::count_if(ia, ia + nparm, [](int16_t v) { return v != 0; }));
}

} // namespace

void MRQCOF(const float* x, const float* y, const float* sigy, int16_t npts, const float* a, const int16_t* ia,
            int16_t nparm, float* alpha, float* beta, int16_t np, float& chisq, int16_t funcnum) {
    const int mfit = countFitted(ia, nparm);
    for (int j = 1; j <= mfit; ++j) {
        for (int k = 1; k <= j; ++k) at(alpha, np, j, k) = 0.0f;
        beta[j - 1] = 0.0f;
    }
    std::array<float, kMaxFitParameters> dyda{};
    double sum = 0.0;
    for (int i = 0; i < npts; ++i) {
        float ymod = 0.0f;
        int16_t count = nparm; // a copy: the caller's count must survive a failing model
        FUNCSN(x[i], a, ymod, dyda.data(), funcnum, count, np);
        if (count < 0) {
            chisq = -1.0f;
            return;
        }
        // The square of the uncertainty is a float; only the weight and the sums are double.
        const double s = 1.0 / static_cast<double>(sigy[i] * sigy[i]);
        const float dy = y[i] - ymod;
        for (int l = 1, j = 0; l <= nparm; ++l) {
            if (ia[l - 1] == 0) continue;
            ++j;
            const auto wt = static_cast<float>(dyda[l - 1] * s);
            for (int m = 1, k = 0; m <= l; ++m) {
                if (ia[m - 1] == 0) continue;
                ++k;
                at(alpha, np, j, k) += wt * dyda[m - 1];
            }
            beta[j - 1] += dy * wt;
        }
        sum += (dy * dy) * s;
    }
    for (int j = 2; j <= mfit; ++j)
        for (int k = 1; k < j; ++k) at(alpha, np, k, j) = at(alpha, np, j, k);
    chisq = static_cast<float>(sum);
}

void GAUSSJ(float* a, int n, int np, float* b, int m, int /*mp*/) {
    std::array<int, kMaxEquations + 1> indxc{}, indxr{}, ipiv{};
    n = std::min(n, kMaxEquations);
    int irow = 1, icol = 1;
    for (int i = 1; i <= n; ++i) {
        float big = 0.0f;
        for (int j = 1; j <= n; ++j) {
            if (ipiv[j] == 1) continue;
            for (int k = 1; k <= n; ++k) {
                if (ipiv[k] == 0 && std::fabs(at(a, np, j, k)) >= big) {
                    big = std::fabs(at(a, np, j, k));
                    irow = j;
                    icol = k;
                }
            }
        }
        ++ipiv[icol];
        if (irow != icol) {
            for (int l = 1; l <= n; ++l) std::swap(at(a, np, irow, l), at(a, np, icol, l));
            for (int l = 1; l <= m; ++l) std::swap(at(b, np, irow, l), at(b, np, icol, l));
        }
        indxr[i] = irow;
        indxc[i] = icol;
        const float pivinv = 1.0f / at(a, np, icol, icol);
        at(a, np, icol, icol) = 1.0f;
        for (int l = 1; l <= n; ++l) at(a, np, icol, l) *= pivinv;
        for (int l = 1; l <= m; ++l) at(b, np, icol, l) *= pivinv;
        for (int ll = 1; ll <= n; ++ll) {
            if (ll == icol) continue;
            const float dum = at(a, np, ll, icol);
            at(a, np, ll, icol) = 0.0f;
            for (int l = 1; l <= n; ++l) at(a, np, ll, l) -= at(a, np, icol, l) * dum;
            for (int l = 1; l <= m; ++l) at(b, np, ll, l) -= at(b, np, icol, l) * dum;
        }
    }
    for (int l = n; l >= 1; --l) {
        if (indxr[l] == indxc[l]) continue;
        for (int k = 1; k <= n; ++k) std::swap(at(a, np, k, indxr[l]), at(a, np, k, indxc[l]));
    }
}

void COVSRT(float* covar, int np, int nparm, const int16_t* ia, int mfit) {
    for (int i = mfit + 1; i <= nparm; ++i)
        for (int j = 1; j <= i; ++j) at(covar, np, i, j) = at(covar, np, j, i) = 0.0f;
    int k = mfit;
    for (int j = nparm; j >= 1; --j) {
        if (ia[j - 1] == 0) continue;
        for (int i = 1; i <= nparm; ++i) std::swap(at(covar, np, i, k), at(covar, np, i, j));
        for (int i = 1; i <= nparm; ++i) std::swap(at(covar, np, k, i), at(covar, np, j, i));
        --k;
    }
}

int acceptedSteps() {
    return state.accepted;
}

void MRQMIN(const float* x, const float* y, const float* sigy, int16_t npts, float* a, const int16_t* ia,
            int16_t nparm, float* covar, float* alpha, int16_t np, float& chisq, int16_t funcnum, float& alamda) {
    StepState& s = state;
    if (alamda < 0.0f) {
        s.mfit = countFitted(ia, nparm);
        s.accepted = 0;
        alamda = 0.001f;
        MRQCOF(x, y, sigy, npts, a, ia, nparm, alpha, s.beta.data(), np, chisq, funcnum);
        if (chisq < 0.0f) return;
        s.ochisq = chisq;
        std::copy_n(a, nparm, s.atry.begin());
    }
    const int mfit = s.mfit;
    for (int tries = 0;;) {
        for (int j = 1; j <= mfit; ++j) {
            for (int k = 1; k <= mfit; ++k) at(covar, np, j, k) = at(alpha, np, j, k);
            at(covar, np, j, j) = at(alpha, np, j, j) * (1.0f + alamda);
            s.da[j - 1] = s.beta[j - 1];
        }
        GAUSSJ(covar, mfit, np, s.da.data(), 1, 1);
        if (alamda == 0.0f) {
            COVSRT(covar, np, nparm, ia, mfit);
            return;
        }
        for (int l = 1, j = 0; l <= nparm; ++l)
            if (ia[l - 1] != 0) s.atry[l - 1] = a[l - 1] + s.da[j++];
        MRQCOF(x, y, sigy, npts, s.atry.data(), ia, nparm, covar, s.da.data(), np, chisq, funcnum);
        if (chisq < 0.0f) return;
        if (chisq < s.ochisq) {
            alamda *= 0.1f;
            s.ochisq = chisq;
            ++s.accepted;
            for (int j = 1; j <= mfit; ++j) {
                for (int k = 1; k <= mfit; ++k) at(alpha, np, j, k) = at(covar, np, j, k);
                s.beta[j - 1] = s.da[j - 1];
            }
            std::copy_n(s.atry.begin(), nparm, a);
            return;
        }
        // A rejected step is tried again with ten times the lambda, up to 20 tries in one call,
        // whether parameters are held or not.
        alamda *= 10.0f;
        chisq = s.ochisq;
        if (++tries == 20) return;
    }
}

} // namespace curvlib
