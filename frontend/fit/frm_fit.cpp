#include "fit/frm_fit.h"

#include "app/help_pages.h"
#include "app/screen_parts.h"
#include "fit/report_preview.h"
#include "session/helpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
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

FrmFit::FrmFit(Application& app) : FrmFit(app, std::make_unique<LibraryEngines>(), nullptr) {}

FrmFit::FrmFit(Application& app, FitEngines& engines) : FrmFit(app, nullptr, &engines) {}

FrmFit::~FrmFit() = default;

FrmFit::FrmFit(Application& app, std::unique_ptr<FitEngines> ownEngines, FitEngines* engines)
    : MainScreen(app, ScreenId::Fit, HelpContext::Fit), ownEngines_(std::move(ownEngines)),
      driver_(app.session(), app.store(), app.dialogs(), engines ? *engines : *ownEngines_) {
    setObjectName(QStringLiteral("frmFit"));
    setWindowIcon(EditionIcon(app));

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
        setXErrorSwitch(true);
        run();
    });
    mnuRunFitxy_ = AddAction(*runMenu, QStringLiteral("Fit using only &Y Errors"), "mnuRunFitxy");
    connect(mnuRunFitxy_, &QAction::triggered, this, [this] {
        setXErrorSwitch(false);
        run();
    });

    QMenu* options = bar.addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    mnuOptionsQuad_ = options->addMenu(QStringLiteral("For quadratic fits with x-errors, use"));
    mnuOptionsQuad_->setObjectName(QStringLiteral("mnuOptionsQuad"));
    mnuOptionsJoliette_ =
        AddAction(*mnuOptionsQuad_, QStringLiteral("Joliette algorithm (default)"), "mnuOptionsJoliette");
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

    QAction* mnuContinu = bar.addAction(QStringLiteral("&Continue (Home Screen)"));
    mnuContinu->setObjectName(QStringLiteral("mnuContinu"));
    connect(mnuContinu, &QAction::triggered, this, [this] { this->app().showScreen(ScreenId::Home, this); });
    windowMenu_ = std::make_unique<WindowMenu>(
        *this, bar,
        std::initializer_list<WindowMenu::Entry>{
            {ScreenId::Home, QStringLiteral("&Home Screen"), QStringLiteral("mnuWindowHome")},
            {ScreenId::Data, QStringLiteral("&Data Screen"), QStringLiteral("mnuWindowData")},
            {ScreenId::Spreadsheet, QStringLiteral("&Spreadsheet"), QStringLiteral("mnuWindowSpread")},
            {ScreenId::Graph, QStringLiteral("&PGPlot Graph"), QStringLiteral("mnuWindowPGPlot")}});
    AddHelpMenu(*this, bar);

    lblInit_ = new HideOnClickLabel(
        QStringLiteral("Please press function key F 5 or choose Run from the top menu to do fit."));
    lblInit_->setObjectName(QStringLiteral("lblInit"));
    preview_ = new ReportPreview;
    preview_->setToolTip(ReportHint);
    connect(preview_, &ReportPreview::styleToggleRequested, this, &FrmFit::toggleReportStyle);
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(lblInit_);
    layout->addWidget(preview_, 1);
    setCentralWidget(central);
    resize(900, 760);
    CentreOnScreen(*this);

    // On loading, runs use the X errors, and quadratic ones Joliette's method.
    chooseQuadraticAlgorithm(JolietteAlgorithm);
    preview_->setLayout(&driver_.report().layout);
}

void FrmFit::activate() {
    Session& session = app().session();
    lblInit_->setVisible(!session.FitDone);
    if (!session.FitDone) {
        driver_.clearReport();
        preview_->setLayout(&driver_.report().layout);
        setPageCommands(false);
        mnuSaveRpt_->setEnabled(false);
        mnuSaveRtf_->setEnabled(false);
    }
    const Activation activation = driver_.activate();
    if (activation.runMenuApplies) {
        showRunMenu();
        mnuRunFitxy_->setVisible(session.XErrorsAllowed);
        mnuOptionsQuad_->menuAction()->setVisible(session.XErrorsAllowed);
    }
    if (!activation.stopped) {
        const bool full = driver_.state().fullReport;
        mnuOptShowFull_->setChecked(full);
        mnuOptShowSum_->setChecked(!full);
        setWindowTitle(EditionWord(session.Edition) + QStringLiteral(" -- Fit Screen"));
    }
    if (activation.sendHome) app().showScreen(ScreenId::Home, this);
}

void FrmFit::setXErrorSwitch(bool useXErrors) {
    driver_.state().useXErrors = useXErrors;
    showRunMenu();
}

void FrmFit::showRunMenu() {
    if (!app().session().XErrorsAllowed) {
        mnuGo_->setText(QStringLiteral("Fit (F5)"));
        return;
    }
    // "(F5)" marks the fit that F5 repeats.
    const bool both = driver_.state().useXErrors;
    mnuGo_->setText(both ? QStringLiteral("Fit using both X and Y Errors (F5)")
                         : QStringLiteral("Fit using both X and Y Errors"));
    mnuRunFitxy_->setText(both ? QStringLiteral("Fit using only &Y Errors")
                               : QStringLiteral("Fit using only &Y Errors (F5)"));
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

void FrmFit::toggleReportStyle() { ToggleStyle(app().session(), *windowMenu_); }

void FrmFit::keyPressEvent(QKeyEvent* event) {
    // F5 runs without touching the X-error switch; the screen sees the key whichever control has the focus.
    if (event->key() == Qt::Key_F5 && event->modifiers() == Qt::NoModifier) {
        event->accept();
        run();
        return;
    }
    MainScreen::keyPressEvent(event);
}

void FrmFit::closeEvent(QCloseEvent* event) {
    MainScreen::closeEvent(event);
    if (!event->isAccepted()) return;
    // Unloading the fit screen makes its results stale and brings the home screen back.
    app().session().FitDone = false;
    app().showScreen(ScreenId::Home);
}

} // namespace frontend
