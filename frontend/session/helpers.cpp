#include "session/helpers.h"

#include "session/number_format.h"

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

bool IsLinearEdition(const Session& session) { return session.Edition == u"LIN"; }

std::int16_t MaxOf(std::int16_t a, std::int16_t b) { return a < b ? b : a; }

namespace {

QString SeparateErrors(const Session& session) {
    return QStringLiteral("Separate error") + session.CrLf + QStringLiteral("for each point");
}

} // namespace

std::optional<QString> YModeLabel(const Session& session, const DataStore& store) {
    switch (store.YErrorKind) {
    case YKindGiven:
        if (store.YErrorSub == YSubPercentage) return FormatPattern(store.YErrorValue, "0.00%") + QStringLiteral("Error");
        if (store.YErrorSub == YSubConstant) return FormatPattern(store.YErrorValue, "0.00E+00") + QStringLiteral("Error");
        if (store.YErrorSub == YSubIndividual) return SeparateErrors(session);
        return std::nullopt;
    case YKindSquareRoot: return QStringLiteral("Error = SQRT(y)");
    case YKindNone:
        if (session.YModeSet) return QStringLiteral("no error entered; program scales to chisq = 1");
        return std::nullopt;
    default: return std::nullopt;
    }
}

QString XModeLabel(const Session& session, const DataStore& store) {
    if (!session.XErrorsAllowed) return QStringLiteral("X Errors not enabled");
    if (session.XModeSet) {
        switch (store.XErrorMode) {
        case XModePercentage: return FormatPattern(store.XErrorValue, "0.00%") + QStringLiteral("Error");
        case XModeConstant: return FormatPattern(store.XErrorValue, "0.00E+00") + QStringLiteral(" Error");
        case XModeIndividual: return SeparateErrors(session);
        default: break;
        }
    }
    return QStringLiteral("X Error Type not set");
}

QString StrStyle(long long value) {
    return value < 0 ? QString::number(value) : u' ' + QString::number(value);
}

} // namespace frontend
