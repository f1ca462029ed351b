#include "session/helpers.h"

namespace frontend {

bool FitReady(const Session& s) {
    const bool yReady = s.DataInProgram && s.YModeSet && s.FunctionChosen;
    return s.XErrorsAllowed ? yReady && s.XModeSet : yReady;
}

QString EditionWord(const QString& editionCode) {
    if (editionCode == u"LIN") return QStringLiteral("Tessaly");
    if (editionCode == u"NON") return QStringLiteral("Quorvex");
    return {};
}

QString EditionWord(Edition edition) { return EditionWord(EditionCode(edition)); }

std::int16_t MaxOf(std::int16_t a, std::int16_t b) { return a < b ? b : a; }

QString StrStyle(long long value) {
    return value < 0 ? QString::number(value) : u' ' + QString::number(value);
}

} // namespace frontend
