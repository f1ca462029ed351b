#include "session/frm_home.h"

#include "app/help_pages.h"
#include "app/screen_parts.h"
#include "data/data_file.h"
#include "data/frm_error_mode.h"
#include "session/error_type.h"
#include "session/helpers.h"
#include "session/store.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>

namespace frontend {
namespace {

const QString NoDataName = QStringLiteral("No Data in Program");

QPushButton* MakeButton(QWidget* parent, const QString& objectName, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    button->setMinimumWidth(150);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const QString& objectName, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

} // namespace

FrmHome::FrmHome(Application& app) : MainScreen(app, ScreenId::Home, HelpContext::Home) {
    setObjectName(QStringLiteral("frmHome"));
    const bool linear = app.isLinear();
    setWindowIcon(EditionIcon(app));

    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(16, 12, 16, 12);
    grid->setHorizontalSpacing(16);

    txtName_ = new QLineEdit(central);
    txtName_->setObjectName(QStringLiteral("txtName"));
    txtExp_ = new QLineEdit(central);
    txtExp_->setObjectName(QStringLiteral("txtExp"));
    grid->addWidget(MakeLabel(central, QStringLiteral("lblName"), QStringLiteral("Name(s):")), 0, 0);
    grid->addWidget(txtName_, 0, 1, 1, 2);
    grid->addWidget(MakeLabel(central, QStringLiteral("lblExperiment"), QStringLiteral("Experiment:")), 1, 0);
    grid->addWidget(txtExp_, 1, 1, 1, 2);
    grid->setRowMinimumHeight(2, 8);

    cmdEnterData_ = MakeButton(central, QStringLiteral("cmdEnterData"), QStringLiteral("&Data"));
    cmdMode_ = MakeButton(central, QStringLiteral("cmdMode"), QStringLiteral("&Y Error Type"));
    cmdXMode_ = MakeButton(central, QStringLiteral("cmdXMode"), QStringLiteral("&X Error Type"));
    cmdFctn_ = MakeButton(central, QStringLiteral("cmdFctn"), QStringLiteral("Fitting F&unction"));
    cmdSaveData_ = MakeButton(central, QStringLiteral("cmdSaveData"), QStringLiteral("S&ave Data to File"));
    cmdSpread_ = MakeButton(central, QStringLiteral("cmdSpread"), QStringLiteral("&Spreadsheet"));
    cmdPGPlot_ = MakeButton(central, QStringLiteral("cmdPGPlot"), QStringLiteral("&PGPlot Graph "));
    cmdFit_ = MakeButton(central, QStringLiteral("cmdFit"), QStringLiteral("Fi&t"));
    cmdQuit_ = MakeButton(central, QStringLiteral("cmdQuit"), QStringLiteral("&Quit"));

    lblDataInProgram_ = MakeLabel(central, QStringLiteral("lblDataInProgram"), QStringLiteral("No data in program"));
    lblErrorMode_ = MakeLabel(central, QStringLiteral("lblErrorMode"), QStringLiteral("Y Error Type not set"));
    lblXErrorMode_ = MakeLabel(central, QStringLiteral("lblXErrorMode"), QStringLiteral("X Error Type not set"));
    lblSaveData_ = MakeLabel(central, QStringLiteral("lblSaveData"), QStringLiteral("No data in program"));
    picFitFunc_ = MakeLabel(central, QStringLiteral("picFitFunc"), QString());
    // The pictures are 48 high and 240 to 444 wide, drawn on white in a sunken frame; the widest
    // (Imag Z, 444) is scaled down to the box's 390.
    picFitFunc_->setFrameShape(QFrame::Panel);
    picFitFunc_->setFrameShadow(QFrame::Sunken);
    picFitFunc_->setFixedSize(390 + 2 * picFitFunc_->frameWidth(), 48 + 2 * picFitFunc_->frameWidth());
    picFitFunc_->setAlignment(Qt::AlignCenter);
    picFitFunc_->setAutoFillBackground(true);
    QPalette white = picFitFunc_->palette();
    white.setColor(QPalette::Window, Qt::white);
    picFitFunc_->setPalette(white);
    auto* helpMessage =
        MakeLabel(central, QStringLiteral("lblHelpMessage"), QStringLiteral("Press F1 at any time for Help"));

    const struct {
        QPushButton* button;
        QWidget* beside;
    } rows[] = {{cmdEnterData_, lblDataInProgram_}, {cmdMode_, lblErrorMode_}, {cmdXMode_, lblXErrorMode_},
                {cmdFctn_, picFitFunc_},           {cmdSaveData_, lblSaveData_}, {cmdSpread_, nullptr}};
    int row = 3;
    for (const auto& entry : rows) {
        grid->addWidget(entry.button, row, 0);
        if (entry.beside) grid->addWidget(entry.beside, row, 1, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
        ++row;
    }
    auto* lastRow = new QHBoxLayout;
    for (QPushButton* button : {cmdPGPlot_, cmdFit_, cmdQuit_}) lastRow->addWidget(button);
    grid->setRowMinimumHeight(row++, 8);
    grid->addLayout(lastRow, row++, 0, 1, 3);
    grid->addWidget(helpMessage, row, 0, 1, 3, Qt::AlignHCenter);
    grid->setColumnStretch(2, 1);

    for (QPushButton* button : {cmdPGPlot_, cmdFit_}) SetGoState(*button, false);
    SetBackColour(*cmdSaveData_, StopColour);

    buildMenus();
    if (!linear) {
        cmdXMode_->hide();
        lblXErrorMode_->hide();
    }

    connect(txtName_, &QLineEdit::textChanged, this, [this](const QString& text) { this->app().session().Names = text; });
    connect(txtExp_, &QLineEdit::textChanged, this,
            [this](const QString& text) { this->app().session().Experiment = text; });
    connect(cmdEnterData_, &QPushButton::clicked, this, [this] { this->app().showScreen(ScreenId::Data, this); });
    connect(cmdMode_, &QPushButton::clicked, this, [this] {
        FrmErrorMode dialog(this->app(), this);
        runModal(dialog);
    });
    connect(cmdXMode_, &QPushButton::clicked, this, [this] {
        FrmXErrorMode dialog(this->app(), this);
        runModal(dialog);
    });
    connect(cmdFctn_, &QPushButton::clicked, this, [this] { openDialog(DialogId::FittingFunction); });
    connect(cmdSaveData_, &QPushButton::clicked, this, &FrmHome::saveData);
    connect(cmdSpread_, &QPushButton::clicked, this,
            [this] { this->app().showScreen(ScreenId::Spreadsheet, this, true); });
    connect(cmdPGPlot_, &QPushButton::clicked, this, [this] { this->app().showScreen(ScreenId::Graph, this); });
    connect(cmdFit_, &QPushButton::clicked, this, [this] { this->app().showScreen(ScreenId::Fit, this, true); });
    connect(cmdQuit_, &QPushButton::clicked, this, &QWidget::close);
    cmdFctn_->setEnabled(app.hasDialog(DialogId::FittingFunction));
    cmdSpread_->setEnabled(app.hasScreen(ScreenId::Spreadsheet));

    resize(600, 402);
    CentreOnScreen(*this);
}

void FrmHome::buildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("mnuExit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    QMenu* style = options->addMenu(QStringLiteral("&Style"));
    style->setObjectName(QStringLiteral("mnuStyle"));
    mnuStandard_ = style->addAction(QStringLiteral("Standard"));
    mnuStandard_->setObjectName(QStringLiteral("mnuStandard"));
    mnuAdvanced_ = style->addAction(QStringLiteral("Advanced"));
    mnuAdvanced_->setObjectName(QStringLiteral("mnuAdvanced"));
    for (QAction* item : {mnuStandard_, mnuAdvanced_}) item->setCheckable(true);
    connect(mnuStandard_, &QAction::triggered, this, &FrmHome::setStandardStyle);
    connect(mnuAdvanced_, &QAction::triggered, this, &FrmHome::setAdvancedStyle);

    QMenu* errorType = bar->addMenu(QStringLiteral("&Error Type"));
    errorType->setObjectName(QStringLiteral("mnuErrorType"));
    mnuYFit_ = errorType->addAction(QStringLiteral("Use &Y Errors only in Fit (default)"));
    mnuYFit_->setObjectName(QStringLiteral("mnuYFit"));
    mnuXYFit_ = errorType->addAction(QStringLiteral("Allow both &X and Y Errors in Fit"));
    mnuXYFit_->setObjectName(QStringLiteral("mnuXYFit"));
    for (QAction* item : {mnuYFit_, mnuXYFit_}) item->setCheckable(true);
    mnuYFit_->setChecked(true);
    connect(mnuYFit_, &QAction::triggered, this, &FrmHome::useYErrorsOnly);
    connect(mnuXYFit_, &QAction::triggered, this, &FrmHome::allowXAndYErrors);
    errorType->menuAction()->setVisible(app().isLinear());

    AddHelpMenu(*this, *bar);
}

void FrmHome::activate() {
    Application& application = app();
    const Session& session = application.session();
    DataStore& store = application.store();

    showStyleChecks();
    cmdPGPlot_->setVisible(true);

    cmdXMode_->setEnabled(session.XErrorsAllowed);
    lblXErrorMode_->setText(XModeLabel(session, store));
    cmdFit_->setToolTip(session.XErrorsAllowed ? QStringLiteral("Fits using both X and Y Errors")
                                               : QStringLiteral("Fits using only Y Errors "));

    txtName_->setText(session.Names);
    txtExp_->setText(session.Experiment);
    if (const std::optional<QString> text = YModeLabel(session, store)) lblErrorMode_->setText(*text);

    if (session.DataInProgram) {
        std::int16_t count = 0;
        StorePointCount(store, count, OutOfStore);
        lblDataInProgram_->setText(StrStyle(count) + QStringLiteral(" data points"));
    } else {
        lblDataInProgram_->setText(QStringLiteral("No data in program"));
    }
    SetGoState(*cmdPGPlot_, session.DataInProgram && application.hasScreen(ScreenId::Graph));

    ShowPicture(*picFitFunc_, FunctionPictureFile(application, session.FunctionChosen, store.FunctionNumber));
    showFitState();
    application.refreshSaveState();

    showCaption();
}

QString FrmHome::dataName() {
    return app().session().DataInProgram ? CurrentDataName(app().store()) : NoDataName;
}

void FrmHome::showCaption() {
    setWindowTitle(DataScreenCaption(app().session(), QStringLiteral("Home Screen"), dataName()));
}

void FrmHome::showSaveState() {
    const Session& session = app().session();
    SetGoState(*cmdSaveData_, session.DataInProgram);
    if (!session.DataInProgram)
        lblSaveData_->setText(QStringLiteral("No Data in Program"));
    else
        lblSaveData_->setText(session.DataSaved ? QStringLiteral("Data in program saved")
                                                : QStringLiteral("Data in program NOT saved"));
}

void FrmHome::showStyleChecks() {
    const bool advanced = app().session().Advanced;
    mnuStandard_->setChecked(!advanced);
    mnuAdvanced_->setChecked(advanced);
}

void FrmHome::showFitState() { SetGoState(*cmdFit_, FitReady(app().session()) && app().hasScreen(ScreenId::Fit)); }

void FrmHome::setStandardStyle() { setStyle(false); }

void FrmHome::setAdvancedStyle() { setStyle(true); }

void FrmHome::setStyle(bool advanced) {
    app().session().Advanced = advanced;
    showStyleChecks();
    cmdPGPlot_->setVisible(advanced);
}

void FrmHome::toggleStyle() {
    Session& session = app().session();
    session.Advanced = !session.Advanced;
    showStyleChecks();
}

void FrmHome::useYErrorsOnly() {
    UseYErrorsOnly(app().session());
    mnuYFit_->setChecked(true);
    mnuXYFit_->setChecked(false);
    cmdXMode_->setEnabled(false);
    lblXErrorMode_->setText(QStringLiteral("X Errors not enabled"));
    cmdFit_->setToolTip(QStringLiteral("Fits using only Y Errors"));
    showFitState();
}

void FrmHome::allowXAndYErrors() {
    Application& application = app();
    Session& session = application.session();
    // The menu checks its item on the click; it stays as it was unless X errors become allowed.
    mnuXYFit_->setChecked(session.XErrorsAllowed);
    const AllowXErrorsOutcome outcome = AllowXErrors(session, application.store(), application.dialogs());
    if (outcome == AllowXErrorsOutcome::Kept) return;
    if (outcome == AllowXErrorsOutcome::AllowedYModeReset) lblErrorMode_->setText(QStringLiteral("Y Error Type not set"));
    mnuXYFit_->setChecked(true);
    mnuYFit_->setChecked(false);
    cmdXMode_->setEnabled(true);
    lblXErrorMode_->setText(XModeLabel(session, application.store()));
    cmdFit_->setToolTip(QStringLiteral("Fits using both X and Y Errors"));
    showFitState();
}

void FrmHome::openDialog(DialogId id) {
    if (std::unique_ptr<QDialog> dialog = app().makeDialog(id, this)) runModal(*dialog);
}

bool FrmHome::saveData() {
    Application& application = app();
    const QString name = dataName();
    const QString preset = name == UntitledDataName ? QString() : name;
    const std::optional<QString> path = application.dialogs().saveFile(SaveDataFileRequest(preset));
    if (!path) return false;
    const bool saved = SaveDataFile(application.session(), application.store(), application.dialogs(), *path);
    if (saved) {
        application.refreshSaveState();
        showCaption();
    }
    LeaveDriveA(application.session());
    return saved;
}

bool FrmHome::quitSequence() {
    Application& application = app();
    Session& session = application.session();
    if (session.DataInProgram && !session.DataSaved) {
        const MessageAnswer answer = application.dialogs().message(
            QStringLiteral("Save changes in Data file ") + session.CrLf + dataName() +
                QStringLiteral(" before quitting?"),
            MessageButtons::YesNoCancel, MessageIcon::Question, QStringLiteral("Save Changes in Data?"));
        if (answer == MessageAnswer::Cancel) return false;
        if (answer == MessageAnswer::Yes) {
            saveData();
            if (!session.DataSaved) return false;
        }
    }
    application.help().quit();

    // Every other screen unloads; a screen that keeps itself loaded stops the quitting as QuitRefused does.
    while (!session.QuitRefused) {
        const std::vector<MainScreen*> screens = application.loadedScreens();
        const auto other = std::find_if(screens.begin(), screens.end(), [this](MainScreen* s) { return s != this; });
        if (other == screens.end()) return true;
        if (!application.unload(*other)) break;
    }
    session.QuitRefused = false;
    return false;
}

bool FrmHome::queryUnload() { return quitSequence(); }

void FrmHome::closeEvent(QCloseEvent* event) {
    MainScreen::closeEvent(event);
    if (event->isAccepted()) app().end();
}

} // namespace frontend
