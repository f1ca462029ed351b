// Builds the fit report document from the fit screen's working state and the session: the
// commentary, the table of points and the summary with the parameter table.
#ifndef FRONTEND_FIT_REPORT_BUILDER_H
#define FRONTEND_FIT_REPORT_BUILDER_H

#include "fit/fit_state.h"
#include "fit/report_document.h"
#include "fit/report_layout.h"
#include "platform/dialogs.h"

#include <QDate>

namespace frontend {

// Report modes.
inline constexpr std::int16_t FullReport = 0;
inline constexpr std::int16_t FullReportForRtf = -1;
inline constexpr std::int16_t SummaryReport = -2;

inline constexpr std::int16_t IterationLimit = 99; // more iterations than this: the engine gave up

extern const QString IterationLimitMessage;
// The summary's note after a non-linear run that never left its estimates.
extern const QString StayedAtEstimatesNote;

// The function's description in the commentary and the summary; empty for an unknown number.
QString FunctionDescription(bool linearEdition, std::int16_t functionNumber, const QString& userFunctionText);

struct BuiltReport {
    ReportDocument document;
    ReportLayout layout;
    int pageCount() const { return layout.pageCount(); }
};

struct ReportContext {
    const Session& session;
    const DataStore& store;
    PageGeometry page;
    QDate today;
};

// Builds the report in `mode`; writes the residuals into the state. In the non-linear edition a
// run past the iteration limit shows its message once per pass. A full report whose summary would
// run over a page break is built a second time with the summary on a fresh page.
BuiltReport BuildFitReport(FitState& state, const ReportContext& context, std::int16_t mode, Dialogs& dialogs);

} // namespace frontend

#endif
