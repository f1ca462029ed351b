#include "fit/frm_fit.h"

#include "fit/report_preview.h"
#include "session/helpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace frontend {
namespace {

const QString ReportHint = QStringLiteral("Use up/down arrow keys to scroll page");

QAction* AddAction(QMenu& menu, const QString& text, const char* name) {
    QAction* action = menu.addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// The hourglass pointer while a run lasts.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

// A label that hides itself when clicked.
class HideOnClickLabel final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void mousePressEvent(QMouseEvent*) override { hide(); }
};

} // namespace

FrmFit::FrmFit(Session& session, DataStore& store, Dialogs& dialogs, Help& help, FitEngines& engines,
               QWidget* parent)
    : QMainWindow(parent), session_(session), help_(help), driver_(session, store, dialogs, engines) {
    setObjectName(QStringLiteral("frmFit"));
    const bool linear = session.Edition == u"LIN";
    setWindowIcon(QIcon(session.AppPath + (linear ? QStringLiteral("tessaly.svg") : QStringLiteral("quorvex.svg"))));

    QMenuBar& bar = *menuBar();
    QMenu* file = bar.addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuSaveRpt_ = AddAction(*file, QStringLiteral("&Save Fit Report to PDF  File"), "mnuSaveRpt");
    mnuSaveRtf_ = AddAction(*file, QStringLiteral("&Save Fit Report to Word (RTF) file"), "mnuSaveRtf");
    file->addSeparator();
    connect(AddAction(*file, QStringLiteral("E&xit"), "mnuExit"), &QAction::triggered, this, &QWidget::close);

    QMenu* runMenu = bar.addMenu(QStringLiteral("&Run"));
    runMenu->setObjectName(QStringLiteral("mnuRun"));
    mnuGo_ = AddAction(*runMenu, QStringLiteral("&Go (F5)"), "mnuGo");
    connect(mnuGo_, &QAction::triggered, this, [this] {
        driver_.state().useXErrors = true;
        run();
    });
    mnuRunFitxy_ = AddAction(*runMenu, QStringLiteral("Fit using only &Y Errors"), "mnuRunFitxy");
    connect(mnuRunFitxy_, &QAction::triggered, this, [this] {
        driver_.state().useXErrors = false;
        run();
    });

    QMenu* options = bar.addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    mnuOptionsQuad_ = options->addMenu(QStringLiteral("For quadratic fits with x-errors, use"));
    mnuOptionsQuad_->setObjectName(QStringLiteral("mnuOptionsQuad"));
    mnuOptionsJoliette_ = AddAction(*mnuOptionsQuad_, QStringLiteral("Joliette algorithm (default)"), "mnuOptionsJoliette");
    mnuOptionsLybanon_ = AddAction(*mnuOptionsQuad_, QStringLiteral("Lybanon algorithm"), "mnuOptionsLybanon");
    for (QAction* a : {mnuOptionsJoliette_, mnuOptionsLybanon_}) a->setCheckable(true);
    connect(mnuOptionsJoliette_, &QAction::triggered, this, [this] { chooseQuadraticAlgorithm(JolietteAlgorithm); });
    connect(mnuOptionsLybanon_, &QAction::triggered, this, [this] { chooseQuadraticAlgorithm(LybanonAlgorithm); });
    mnuOptShowFull_ = AddAction(*options, QStringLiteral("Show &Full Report"), "mnuOptShowFull");
    mnuOptShowSum_ = AddAction(*options, QStringLiteral("Show &SummaryRpt"), "mnuOptShowSum");
    for (QAction* a : {mnuOptShowFull_, mnuOptShowSum_}) a->setCheckable(true);
    connect(mnuOptShowFull_, &QAction::triggered, this, [this] { chooseReport(true); });
    connect(mnuOptShowSum_, &QAction::triggered, this, [this] { chooseReport(false); });

    QMenu* report = bar.addMenu(QStringLiteral("Re&port"));
    report->setObjectName(QStringLiteral("mnuReport"));
    mnuNextPage_ = AddAction(*report, QStringLiteral("&Next Page (F3 or <CTRL> Page Down)"), "mnuNextPage");
    mnuPrevPage_ = AddAction(*report, QStringLiteral("&Previous Page (F2 or <CTRL> Page Up)"), "mnuPrevPage");
    mnuReportPage_ = AddAction(*report, QStringLiteral("R&eport Page"), "mnuReportPage");
    mnuNextPage_->setShortcuts({QKeySequence(Qt::Key_F3), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
    mnuPrevPage_->setShortcuts({QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    connect(mnuNextPage_, &QAction::triggered, this, [this] {
        if (preview_->currentPage() != preview_->pageCount()) preview_->setCurrentPage(preview_->currentPage() + 1);
    });
    connect(mnuPrevPage_, &QAction::triggered, this, [this] {
        if (preview_->currentPage() != 1) preview_->setCurrentPage(preview_->currentPage() - 1);
    });
    connect(mnuReportPage_, &QAction::triggered, this, [this] { preview_->setCurrentPage(preview_->pageCount()); });

    QAction* mnuContinu = AddAction(*bar.addMenu(QStringLiteral("&Continue")), QStringLiteral("&Continue (Home Screen)"),
                                    "mnuContinu");
    connect(mnuContinu, &QAction::triggered, this, [this] { goTo(FitScreenTarget::Home); });
    QMenu* window = bar.addMenu(QStringLiteral("&Window"));
    window->setObjectName(QStringLiteral("mnuWindow"));
    const struct {
        const char* text;
        const char* name;
        FitScreenTarget target;
    } entries[] = {{"&Home Screen", "mnuWindowHome", FitScreenTarget::Home},
                   {"&Data Screen", "mnuWindowData", FitScreenTarget::Data},
                   {"&Spreadsheet", "mnuWindowSpread", FitScreenTarget::Spreadsheet},
                   {"&PGPlot Graph", "mnuWindowPGPlot", FitScreenTarget::Graph}};
    for (const auto& entry : entries) {
        QAction* action = AddAction(*window, QString::fromLatin1(entry.text), entry.name);
        const FitScreenTarget target = entry.target;
        connect(action, &QAction::triggered, this, [this, target] { goTo(target); });
        windowEntries_.push_back(action);
    }
    windowEntries_.push_back(mnuContinu);
    mnuWindowPGPlot_ = windowEntries_[3];
    for (QAction* a : windowEntries_) a->setEnabled(false);

    QMenu* helpMenu = bar.addMenu(QStringLiteral("&Help"));
    connect(AddAction(*helpMenu, QStringLiteral("&Contents"), "mnuHelpContents"), &QAction::triggered, this,
            [this] { help_.showContents(); });
    connect(AddAction(*helpMenu, QStringLiteral("&How to use Help"), "mnuHelpOnHelp"), &QAction::triggered, this,
            [this] { help_.showHelpOnHelp(); });

    lblInit_ = new HideOnClickLabel(
        QStringLiteral("Please press function key F 5 or choose Run from the top menu to do fit."));
    lblInit_->setObjectName(QStringLiteral("lblInit"));
    preview_ = new ReportPreview;
    preview_->setToolTip(ReportHint);
    connect(preview_, &ReportPreview::styleToggleRequested, this, [this] {
        session_.Advanced = !session_.Advanced;
        mnuWindowPGPlot_->setVisible(session_.Advanced);
    });
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(lblInit_);
    layout->addWidget(preview_, 1);
    setCentralWidget(central);
    resize(900, 760);

    // Loading: runs use the X errors, quadratic ones by Joliette's method.
    chooseQuadraticAlgorithm(JolietteAlgorithm);
    preview_->setLayout(&driver_.report().layout);
}

void FrmFit::setNavigation(std::function<void(FitScreenTarget)> showScreen) {
    showScreen_ = std::move(showScreen);
    for (QAction* a : windowEntries_) a->setEnabled(static_cast<bool>(showScreen_));
}

void FrmFit::goTo(FitScreenTarget target) {
    if (showScreen_) showScreen_(target);
    else hide();
}

void FrmFit::activate() {
    lblInit_->setVisible(!session_.FitDone);
    if (!session_.FitDone) {
        driver_.clearReport();
        preview_->setLayout(&driver_.report().layout);
        setPageCommands(false);
        mnuSaveRpt_->setEnabled(false);
        mnuSaveRtf_->setEnabled(false);
    }
    const Activation activation = driver_.activate();
    if (activation.runMenuApplies) {
        mnuGo_->setText(session_.XErrorsAllowed ? QStringLiteral("Fit using both X and Y Errors (F5)")
                                                : QStringLiteral("Fit (F5)"));
        mnuRunFitxy_->setVisible(session_.XErrorsAllowed);
        mnuOptionsQuad_->menuAction()->setVisible(session_.XErrorsAllowed);
    }
    if (!activation.stopped) {
        const bool full = driver_.state().fullReport;
        mnuOptShowFull_->setChecked(full);
        mnuOptShowSum_->setChecked(!full);
        setWindowTitle(EditionWord(session_.Edition) + QStringLiteral(" -- Fit Screen"));
    }
    if (activation.sendHome) goTo(FitScreenTarget::Home);
}

void FrmFit::run() {
    lblInit_->hide();
    bool done = false;
    {
        WaitCursor wait;
        done = driver_.run();
    }
    if (!done) return;
    showReport();
    mnuSaveRpt_->setEnabled(true);
    mnuSaveRtf_->setEnabled(true);
}

void FrmFit::showReport() {
    preview_->setLayout(&driver_.report().layout);
    setPageCommands(driver_.report().pageCount() > 1);
}

void FrmFit::setPageCommands(bool enabled) {
    for (QAction* a : {mnuNextPage_, mnuPrevPage_, mnuReportPage_}) a->setEnabled(enabled);
}

void FrmFit::chooseReport(bool full) {
    driver_.state().fullReport = full;
    mnuOptShowFull_->setChecked(full);
    mnuOptShowSum_->setChecked(!full);
}

void FrmFit::chooseQuadraticAlgorithm(std::int16_t algorithm) {
    driver_.state().quadraticAlgorithm = algorithm;
    mnuOptionsJoliette_->setChecked(algorithm == JolietteAlgorithm);
    mnuOptionsLybanon_->setChecked(algorithm == LybanonAlgorithm);
}

void FrmFit::keyPressEvent(QKeyEvent* event) {
    // F5 runs without touching the X-error switch; the screen sees the key whichever control has the focus.
    if (event->key() == Qt::Key_F5 && event->modifiers() == Qt::NoModifier) {
        event->accept();
        run();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void FrmFit::closeEvent(QCloseEvent* event) {
    event->accept();
    session_.FitDone = false;
    help_.quit();
    goTo(FitScreenTarget::Home);
}

} // namespace frontend
