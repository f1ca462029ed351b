#include "session/utilcore_calls.h"

#include <utilcore/utilcore.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace frontend {
namespace {

// The text blank-padded into a 50-character field with a terminating NUL, or nothing when it does
// not fit or is blank.
std::optional<std::array<char, UTILCORE_FIELD_LEN + 1>> Field(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    if (bytes.size() > UTILCORE_FIELD_LEN || bytes.trimmed().isEmpty()) return std::nullopt;
    std::array<char, UTILCORE_FIELD_LEN + 1> field;
    field.fill(' ');
    std::memcpy(field.data(), bytes.constData(), static_cast<std::size_t>(bytes.size()));
    field[UTILCORE_FIELD_LEN] = '\0';
    return field;
}

} // namespace

std::optional<float> TrapReal(const QString& text) {
    const auto field = Field(text);
    if (!field) return std::nullopt;
    float value = 0;
    std::int16_t flag = 1;
    trapreal(field->data(), &value, &flag);
    if (flag != 0) return std::nullopt;
    return value;
}

std::optional<std::int16_t> TrapInt(const QString& text) {
    const auto field = Field(text);
    if (!field) return std::nullopt;
    std::int16_t value = 0, flag = 1;
    trapint(field->data(), &value, &flag);
    if (flag != 0) return std::nullopt;
    return value;
}

bool Sig(std::int16_t n, float value, std::int16_t kind, std::int16_t sub, const std::vector<float>& v,
         std::vector<float>& sigma) {
    if (sigma.size() < v.size()) sigma.resize(v.size(), 0.0f);
    const auto count = static_cast<std::int16_t>(std::min<std::size_t>(static_cast<std::size_t>(std::max<int>(n, 0)), v.size()));
    if (count == 0) return false;
    const auto dimension = static_cast<std::int16_t>(std::min<std::size_t>(sigma.size(), INT16_MAX));
    std::int16_t flag = 0;
    sig(&count, &value, &kind, &sub, v.data(), sigma.data(), &dimension, &flag);
    return flag != 0;
}

float SigmaOf(float v, float value, std::int16_t kind, std::int16_t sub, float sigma) {
    const std::int16_t one = 1;
    std::int16_t flag = 0;
    sig(&one, &value, &kind, &sub, &v, &sigma, &one, &flag);
    return sigma;
}

QString Data2Str(float x, float y, float yErr, float xErr, std::int16_t layout) {
    char buffer[UTILCORE_LINE_LEN + 1];
    std::memset(buffer, ' ', sizeof buffer);
    buffer[UTILCORE_LINE_LEN] = '\0';
    std::int16_t status = 0;
    data2str(buffer, &x, &y, &yErr, &xErr, &layout, &status);
    const std::size_t length = strnlen(buffer, UTILCORE_LINE_LEN);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(length)).trimmed();
}

} // namespace frontend
