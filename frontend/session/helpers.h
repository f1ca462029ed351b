// Small helpers shared by the screens.
#ifndef FRONTEND_SESSION_HELPERS_H
#define FRONTEND_SESSION_HELPERS_H

#include "session/session.h"

#include <optional>

namespace frontend {

// True when a fit may start: data, a Y error mode and a function, and with X errors allowed an X
// error mode too.
bool FitReady(const Session& session);

// "Tessaly" for "LIN", "Quorvex" for "NON", empty otherwise.
QString EditionWord(const QString& editionCode);
QString EditionWord(Edition edition);
// True once the start screen has set the session to the linear edition ("LIN").
bool IsLinearEdition(const Session& session);

// b when a < b, else a.
std::int16_t MaxOf(std::int16_t a, std::int16_t b);

// Called after every file dialog. Drive letters do not exist here, so there is nothing to leave.
inline void LeaveDriveA(const Session&) {}

// The Y error mode as the home and data screens' label shows it; nothing when the label keeps its
// text (mode not set, or "none" while no Y mode is set).
std::optional<QString> YModeLabel(const Session& session, const DataStore& store);
// The X error mode label of the home screen.
QString XModeLabel(const Session& session, const DataStore& store);

// An integer as it is joined into a message: one leading blank when it is not negative (" 16000").
QString StrStyle(long long value);

} // namespace frontend

#endif
