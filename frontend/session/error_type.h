// The Error Type choice of the linear edition: fits with Y errors only, or with X and Y errors.
// What the screens show afterwards (menu checks, labels, the Fit button) is theirs to update.
#ifndef FRONTEND_SESSION_ERROR_TYPE_H
#define FRONTEND_SESSION_ERROR_TYPE_H

#include "platform/dialogs.h"
#include "session/session.h"

namespace frontend {

enum class AllowXErrorsOutcome {
    Kept,              // the user kept Y errors only; nothing but FitDone changed
    Allowed,           // X errors are allowed
    AllowedYModeReset, // X errors are allowed and the Y mode "none" was reset to not set
};

// "Allow both X and Y Errors in Fit". The Y mode "none" cannot go with X errors: the user is asked
// whether to reset it. With data in the program the stored X sigmas are resized to Capacity.
AllowXErrorsOutcome AllowXErrors(Session& session, DataStore& store, Dialogs& dialogs);

// "Use Y Errors only in Fit (default)".
void UseYErrorsOnly(Session& session);

} // namespace frontend

#endif
