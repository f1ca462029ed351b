// Opening a data file of 16000 points on the data screen (reading it, computing the 5 % Y errors and
// filling the grid), refusing files no data file can be, and scrolling the grid a page at a time,
// offscreen.
#include <benchmark/benchmark.h>

#include "app/application.h"
#include "app/main_screen.h"
#include "data/frm_data.h"
#include "platform/scripted_services.h"
#include "session/store.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace {

using namespace frontend;

QString WriteDataFile(const QTemporaryDir& folder) {
    const QString path = folder.filePath("points16000.dat");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("Ada Byron    Pendulum\r\n");
    for (int i = 1; i <= MaxPoints; ++i)
        file.write(QByteArray::number(0.01 * i) + " " + QByteArray::number(0.001 * i * i) + " " +
                   QByteArray::number(0.1 + 0.0001 * i) + "\r\n");
    return path;
}

// A run of the program at its data screen, with the Y error mode 5 %.
struct DataScreenRun {
    explicit DataScreenRun(const QString& folder)
        : scripted(folder), app(Edition::NonLinear, scripted.services(), QCoreApplication::applicationDirPath()) {
        app.start();
        app.session().Edition = EditionCode(Edition::NonLinear);
        std::int16_t kind = YKindGiven, sub = YSubPercentage;
        float value = 0.05f;
        bool byDialog = true;
        StoreYMode(app.store(), kind, sub, value, IntoStore, byDialog);
        app.session().YModeSet = true;
        app.showScreen(ScreenId::Data, app.loaded(ScreenId::Start));
        data = app.loadedAs<FrmData>(ScreenId::Data);
        data->resize(720, 520);
    }

    void open(const QString& path) {
        scripted.dialogs.onModal([](QDialog& dialog) {
            dialog.findChild<QAbstractButton*>("optDataFrFile")->click();
            dialog.findChild<QAbstractButton*>("Command1")->click();
            return dialog.result();
        });
        scripted.dialogs.chooseFile(path);
        data->enterData();
        benchmark::DoNotOptimize(data->grid().viewport()->grab());
    }

    ScriptedServices scripted;
    Application app;
    FrmData* data = nullptr;
};

// A file of the folder, filled by `fill`; its path.
QString MakeFile(const QTemporaryDir& folder, const char* name, const std::function<void(QFile&)>& fill) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    fill(file);
    return path;
}

// Times opening the file at path on a fresh data screen; `wrong` names what went wrong, if anything.
void TimeOpening(benchmark::State& state, const QTemporaryDir& folder, const QString& path,
                 const std::function<const char*(const DataScreenRun&)>& wrong) {
    for (auto _ : state) {
        state.PauseTiming();
        auto run = std::make_unique<DataScreenRun>(folder.path());
        state.ResumeTiming();
        run->open(path);
        state.PauseTiming();
        if (const char* error = wrong(*run)) state.SkipWithError(error);
        run.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

void BM_OpenDataFile16000(benchmark::State& state) {
    QTemporaryDir folder;
    TimeOpening(state, folder, WriteDataFile(folder), [](const DataScreenRun& run) {
        return run.data->points().count != MaxPoints ? "the file was not read" : nullptr;
    });
}
BENCHMARK(BM_OpenDataFile16000)->Unit(benchmark::kMillisecond);

// A file chosen by mistake: 1 GB (sparse), refused before anything is read.
void BM_RefuseHugeFile(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = MakeFile(folder, "disk.img", [](QFile& huge) { huge.resize(qint64(1) << 30); });
    TimeOpening(state, folder, path, [](const DataScreenRun& run) {
        return run.scripted.dialogs.texts().isEmpty() ? "the file was not refused" : nullptr;
    });
}
BENCHMARK(BM_RefuseHugeFile)->Unit(benchmark::kMillisecond);

// Just under the size limit: 60 MB of empty lines, of which the reader looks at the first few.
void BM_OpenFileOfEmptyLines(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path =
        MakeFile(folder, "empty-lines.dat", [](QFile& file) { file.write(QByteArray(60 << 20, '\n')); });
    TimeOpening(state, folder, path, [](const DataScreenRun& run) {
        return run.data->points().count != 0 ? "empty lines were read as points" : nullptr;
    });
}
BENCHMARK(BM_OpenFileOfEmptyLines)->Unit(benchmark::kMillisecond);

// One page down and a drawing of the visible rows, through all 16000 rows and back to the top.
void BM_ScrollGridOnePage(benchmark::State& state) {
    QTemporaryDir folder;
    DataScreenRun run(folder.path());
    run.open(WriteDataFile(folder));
    QScrollBar& bar = *run.data->grid().verticalScrollBar();
    for (auto _ : state) {
        bar.setValue(bar.value() >= bar.maximum() ? 0 : bar.value() + bar.pageStep());
        benchmark::DoNotOptimize(run.data->grid().viewport()->grab());
    }
    state.counters["pages"] = static_cast<double>(bar.maximum() / std::max(bar.pageStep(), 1) + 1);
}
BENCHMARK(BM_ScrollGridOnePage)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
