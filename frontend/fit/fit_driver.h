// The fit driver: the checks when the fit screen becomes active, and a run that calls one engine,
// checks and stores its results and builds the report. It shows its messages through Dialogs and
// knows nothing of the fit screen's widgets.
#ifndef FRONTEND_FIT_FIT_DRIVER_H
#define FRONTEND_FIT_FIT_DRIVER_H

#include "fit/engines.h"
#include "fit/fit_state.h"
#include "fit/report_builder.h"
#include "platform/dialogs.h"
#include "session/helpers.h"

#include <functional>
#include <optional>

namespace frontend {

struct Activation {
    bool stopped = false;  // a check stopped the activation: nothing after it was done
    bool sendHome = false; // at least one check asks for the home screen
    bool runMenuApplies = true; // false when the function cannot be fitted as the Run menu would say
};

class FitDriver {
public:
    FitDriver(Session& session, DataStore& store, Dialogs& dialogs, FitEngines& engines);

    // What the fit screen does with the store every time it becomes active: copy the data, error
    // modes and function, choose the report, check the data. Every failed check shows its message;
    // the checks on the data go on after a failure, so several messages can follow each other.
    Activation activate();

    // One run (F5 or the Run menu): true when the fit succeeded, its results are stored and the
    // report rebuilt. A failure shows its messages and leaves the store, the report and FitDone alone.
    bool run();

    // The empty report of a screen that shows no fit.
    void clearReport();

    FitState& state() { return state_; }
    const FitState& state() const { return state_; }
    const BuiltReport& report() const { return report_; }
    std::int16_t reportMode() const { return state_.fullReport ? FullReport : SummaryReport; }

    // Where the report lays out its pages and which day it is (tests fix both).
    void setPage(const PageGeometry& page) { page_ = page; }
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }

private:
    bool linear() const { return IsLinearEdition(session_); }
    // Where the Y errors that trapzero refuses begin: the first such point, for the refusal's message.
    QString firstZeroYErrorPoint();
    void setStartingValues();
    void callEngine();
    // C++ raises no arithmetic errors: a result that is not finite stands for one. The error number
    // (6 overflow, 11 division by zero when that flag was raised), or nothing when all are finite.
    std::optional<int> nonFiniteErrorNumber(bool divisionByZero) const;
    void showRunError(int number, const QString& description);

    Session& session_;
    DataStore& store_;
    Dialogs& dialogs_;
    FitEngines& engines_;
    FitState state_;
    PageGeometry page_;
    std::function<QDate()> today_;
    BuiltReport report_;
    const char* lastEngine_ = "";
};

} // namespace frontend

#endif
