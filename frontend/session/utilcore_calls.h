// The number utilities of utilcore32, in the shapes the front end uses them.
#ifndef FRONTEND_SESSION_UTILCORE_CALLS_H
#define FRONTEND_SESSION_UTILCORE_CALLS_H

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace frontend {

// The number in text (given to trapreal / trapint in a 50-character field), or nothing when it is
// not one. An empty or all-blank text, or one longer than the field, is not a number.
std::optional<float> TrapReal(const QString& text);
std::optional<std::int16_t> TrapInt(const QString& text);

// sig over points 1..n: fills sigma from v by the error mode; true when some sigma is <= 0. sigma
// is grown to v's length when it is shorter, and n is limited to the arrays' lengths.
bool Sig(std::int16_t n, float value, std::int16_t kind, std::int16_t sub, const std::vector<float>& v,
         std::vector<float>& sigma);

// sig for a single value: its sigma by the error mode. `sigma` comes back unchanged for individual
// errors and for a mode that is not set.
float SigmaOf(float v, float value, std::int16_t kind, std::int16_t sub, float sigma);

// One data file line by data2str, trimmed: layout 0 x y; 1 x y yerr; 2 and 3 x xerr y yerr.
QString Data2Str(float x, float y, float yErr, float xErr, std::int16_t layout);

} // namespace frontend

#endif
