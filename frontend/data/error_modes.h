// The rules behind the Y and X error mode dialogs: which option is selected when a dialog opens, and
// what OK does (the question for a percentage or constant, storing the mode, recomputing the
// uncertainties of the data in the program, and the messages).
//
// Y options: 0 percentage, 1 constant, 2 individual, 3 square root of Y, 4 none (autoscaled).
// X options: 0 percentage, 1 constant, 2 individual. NoOptionChosen when none is selected.
#ifndef FRONTEND_DATA_ERROR_MODES_H
#define FRONTEND_DATA_ERROR_MODES_H

#include "platform/dialogs.h"
#include "session/session.h"

namespace frontend {

inline constexpr std::int16_t NoOptionChosen = -2;

// The option to select when a dialog becomes active; the dialog remembers it. `remembered` is the
// option last clicked, used when the stored mode was set by this dialog.
std::int16_t YModeOptionOnOpen(const Session& session, const DataStore& store, std::int16_t remembered);
std::int16_t XModeOptionOnOpen(const Session& session, const DataStore& store, std::int16_t remembered);

enum class ModeOkOutcome {
    Accepted,   // the mode is stored and the sigmas follow it; the dialog closes
    StayOpen,   // a refusal was shown; the dialog stays open as it is
    Unselected, // the value question was left empty or cancelled: the option is unselected
};

ModeOkOutcome AcceptYMode(Session& session, DataStore& store, Dialogs& dialogs, std::int16_t option);
ModeOkOutcome AcceptXMode(Session& session, DataStore& store, Dialogs& dialogs, std::int16_t option);

} // namespace frontend

#endif
