#include "session/frm_start.h"

#include "app/help_pages.h"
#include "session/frm_home.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace frontend {
namespace {

QLabel* AddLabel(QWidget* parent, QVBoxLayout* layout, const QString& objectName, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(true);
    layout->addWidget(label);
    return label;
}

} // namespace

FrmStart::FrmStart(Application& app) : MainScreen(app, ScreenId::Start, HelpContext::Start) {
    setObjectName(QStringLiteral("frmStart"));
    setWindowFlags(WithoutCloseBox(Qt::Window));
    setWindowTitle(app.productWord());
    const bool linear = app.isLinear();
    setWindowIcon(EditionIcon(app));

    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(30, 20, 30, 20);

    AddLabel(central, layout, QStringLiteral("lblWelcome"), QStringLiteral("Welcome to"));
    QLabel* product = AddLabel(central, layout, QStringLiteral("lblProduct"), app.productWord());
    QFont big = product->font();
    big.setPointSize(36);
    big.setBold(true);
    product->setFont(big);
    QPalette palette = product->palette();
    palette.setColor(QPalette::WindowText, linear ? QColor(0xFF, 0x00, 0x00) : QColor(0x00, 0x80, 0x00));
    product->setPalette(palette);
    AddLabel(central, layout, QStringLiteral("lblDescription"),
             linear ? QStringLiteral("A data analysis, graphing, and linear least-squares fitting program")
                    : QStringLiteral("A data analysis, graphing, and non-linear least-squares fitting program"));
    layout->addSpacing(8);
    AddLabel(central, layout, QStringLiteral("lblDepartment"), QStringLiteral("Department of Physics"));
    AddLabel(central, layout, QStringLiteral("lblInstitution"), QStringLiteral("Tamberlin"));
    layout->addSpacing(12);
    AddLabel(central, layout, QStringLiteral("lblPleaseEnter"),
             QStringLiteral("Please enter your name(s) and the name of your experiment:"));
    AddLabel(central, layout, QStringLiteral("lblTabHint"),
             QStringLiteral("Click on the box, or use the TAB key to change boxes"));

    auto* fields = new QGridLayout;
    auto* nameLabel = new QLabel(QStringLiteral("Name(s):"), central);
    nameLabel->setObjectName(QStringLiteral("lblName"));
    txtName_ = new QLineEdit(central);
    txtName_->setObjectName(QStringLiteral("txtName"));
    auto* expLabel = new QLabel(QStringLiteral("Experiment:"), central);
    expLabel->setObjectName(QStringLiteral("lblExperiment"));
    txtExp_ = new QLineEdit(central);
    txtExp_->setObjectName(QStringLiteral("txtExp"));
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(txtName_, 0, 1);
    fields->addWidget(expLabel, 1, 0);
    fields->addWidget(txtExp_, 1, 1);
    layout->addLayout(fields);

    AddLabel(central, layout, QStringLiteral("lblContinueHint"),
             QStringLiteral("Please click on Continue or hit the Enter key to continue"));

    auto* buttons = new QHBoxLayout;
    cmdContinue_ = new QPushButton(QStringLiteral("&Continue"), central);
    cmdContinue_->setObjectName(QStringLiteral("cmdContinue"));
    cmdContinue_->setDefault(true);
    auto* cmdQuit = new QPushButton(QStringLiteral("&Quit"), central);
    cmdQuit->setObjectName(QStringLiteral("cmdQuit"));
    buttons->addStretch();
    buttons->addWidget(cmdContinue_);
    buttons->addWidget(cmdQuit);
    buttons->addStretch();
    layout->addLayout(buttons);
    AddLabel(central, layout, QStringLiteral("lblHelpMessage"), QStringLiteral("Press F1 at any time for Help"));

    connect(cmdContinue_, &QPushButton::clicked, this, &FrmStart::continueToHome);
    connect(cmdQuit, &QPushButton::clicked, this, &FrmStart::quit);
    // Enter anywhere is Continue (the default button), Escape is Quit (the cancel button).
    for (QLineEdit* box : {txtName_, txtExp_}) connect(box, &QLineEdit::returnPressed, this, &FrmStart::continueToHome);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &FrmStart::quit);
    if (linear) cmdContinue_->installEventFilter(this);

    resize(520, sizeHint().height());
    CentreOnScreen(*this);
}

void FrmStart::continueToHome() {
    Application& application = app();
    Session& session = application.session();
    session.Names = txtName_->text();
    session.Experiment = txtExp_->text();
    session.Edition = EditionCode(application.edition());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (application.isLinear()) {
        application.showScreen(ScreenId::Home);
        QApplication::restoreOverrideCursor();
        application.unload(this);
    } else {
        session.Advanced = true;
        application.unload(this);
        application.showScreen(ScreenId::Home);
        QApplication::restoreOverrideCursor();
    }
}

void FrmStart::quit() {
    Application& application = app();
    application.unload(this);
    application.end();
}

void FrmStart::closeEvent(QCloseEvent* event) {
    const bool closeButton = !unloadingByProgram();
    MainScreen::closeEvent(event);
    if (closeButton && event->isAccepted()) app().end();
}

// Linear edition: the right mouse button on Continue continues in the Advanced style.
bool FrmStart::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cmdContinue_ && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        Application& application = app();
        continueToHome();
        application.session().Advanced = true;
        if (auto* home = application.loadedAs<FrmHome>(ScreenId::Home)) home->showStyleChecks();
        return true;
    }
    return MainScreen::eventFilter(watched, event);
}

} // namespace frontend
