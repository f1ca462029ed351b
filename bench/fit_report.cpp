// From F5 on the fit screen to the report shown: 16000 points, the exponential model (3), in the
// non-linear edition. The summary report is what the screen chooses for more than 100 points; the
// full report (every point in the table, some 300 pages) is the Options menu's other choice.
#include "app/application.h"
#include "fit/frm_fit.h"
#include "fit/report_preview.h"
#include "platform/scripted_services.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace frontend;

void SetUpExponentialData(Session& session, DataStore& store) {
    session.Edition = EditionCode(Edition::NonLinear);
    session.DataInProgram = session.YModeSet = session.FunctionChosen = session.EstimatesEntered = true;
    constexpr std::int16_t n = 16000;
    store.Capacity = store.PointCount = n;
    store.X.resize(n);
    store.Y.resize(n);
    store.YSigma.resize(n);
    for (int i = 0; i < n; ++i) {
        const float x = 0.001f * static_cast<float>(i + 1);
        const float noise = 0.01f * static_cast<float>((i * 7919) % 13 - 6) / 6.0f;
        store.X[static_cast<std::size_t>(i)] = x;
        store.Y[static_cast<std::size_t>(i)] = 5.0f * std::exp(-0.3f * x) * (1.0f + noise);
        store.YSigma[static_cast<std::size_t>(i)] = 0.05f;
    }
    store.YErrorKind = YKindGiven;
    store.YErrorSub = YSubConstant;
    store.YErrorValue = 0.05f;
    store.FunctionNumber = 3;
    store.ParamCount = 2;
    store.VaryFlags = {1, 1};
    store.InitialParams = {4.0f, -0.2f};
}

void FitReport(benchmark::State& state, bool fullReport) {
    QTemporaryDir folder;
    ScriptedServices scripted(folder.path());
    Application app(Edition::NonLinear, scripted.services(), folder.path());
    Session& session = app.session();
    SetUpExponentialData(session, app.store());
    ScriptedDialogs& dialogs = scripted.dialogs;
    FrmFit screen(app);
    screen.show();
    screen.activate();
    screen.driver().state().fullReport = fullReport;
    for (auto _ : state) {
        QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
        QApplication::sendEvent(&screen, &f5);
        screen.reportView().viewport()->repaint();
        QCoreApplication::processEvents();
    }
    if (!dialogs.texts().isEmpty() || !session.FitDone) state.SkipWithError("the fit did not run cleanly");
    state.counters["pages"] = screen.driver().report().pageCount();
}

BENCHMARK_CAPTURE(FitReport, summary, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FitReport, full, true)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
