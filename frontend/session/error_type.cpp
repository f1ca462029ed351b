#include "session/error_type.h"

#include "session/store.h"

namespace frontend {

AllowXErrorsOutcome AllowXErrors(Session& session, DataStore& store, Dialogs& dialogs) {
    session.FitDone = false;
    bool yModeReset = false;
    if (session.YModeSet && store.YErrorKind == YKindNone) {
        const QString& crLf = session.CrLf;
        const QString question =
            QStringLiteral("The Y Error mode is currently set to 'autoscale to reduced chi-squared = 1'. ") +
            QStringLiteral("This Y error mode is not allowed when using X errors.  Please click ") + crLf + crLf +
            QStringLiteral("  -- OK to allow X errors and reset the Y Error mode, or") + crLf + crLf +
            QStringLiteral("  -- Cancel to retain the current (use Y Errors only) setting.");
        if (dialogs.message(question, MessageButtons::OkCancel, MessageIcon::Information,
                            QStringLiteral("Inconsistent error mode settings")) != MessageAnswer::Ok)
            return AllowXErrorsOutcome::Kept;
        std::int16_t kind = 0, sub = 0;
        float value = 0;
        bool byDialog = false;
        StoreYMode(store, kind, sub, value, OutOfStore, byDialog);
        kind = YKindNotSet;
        byDialog = false;
        StoreYMode(store, kind, sub, value, IntoStore, byDialog);
        session.YModeSet = false;
        yModeReset = true;
    }
    session.XErrorsAllowed = true;
    if (session.DataInProgram) {
        std::int16_t capacity = 0;
        StoreCapacity(store, capacity, OutOfStore);
        Floats unused;
        StoreXSigma(store, unused, capacity, ResizeInStore);
    }
    return yModeReset ? AllowXErrorsOutcome::AllowedYModeReset : AllowXErrorsOutcome::Allowed;
}

void UseYErrorsOnly(Session& session) {
    session.XErrorsAllowed = false;
    session.FitDone = false;
}

} // namespace frontend
