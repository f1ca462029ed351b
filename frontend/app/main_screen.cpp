#include "app/main_screen.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QIcon>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>

namespace frontend {

void AddHelpKey(QWidget& window, Help& help, int context) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, &window, [&help, context] { help.showContext(context); });
}

MainScreen::MainScreen(Application& app, ScreenId id, int helpContext) : app_(app), id_(id) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    AddHelpKey(*this, app.help(), helpContext);
}

int MainScreen::runModal(QDialog& dialog) {
    const int result = app_.dialogs().runModal(dialog);
    // The last box of the dialog may have been the active window; the screen below takes over again.
    if (isVisible()) {
        raise();
        activateWindow();
    }
    activate();
    return result;
}

bool MainScreen::unload() {
    unloadingByProgram_ = true;
    const bool closed = close();
    unloadingByProgram_ = false;
    return closed;
}

void MainScreen::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && (event->modifiers() & Qt::ShiftModifier)) {
        toggleStyle();
        event->accept();
        return;
    }
    QMainWindow::mousePressEvent(event);
}

void MainScreen::closeEvent(QCloseEvent* event) {
    if ((!unloadingByProgram_ && !closeButtonUnloads()) || !queryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    app_.help().quit();
    app_.forget(this);
    deleteLater();
}

ModalDialog::ModalDialog(Application& app, QWidget* parent, int helpContext, Qt::WindowFlags flags)
    : QDialog(parent, flags), app_(app) {
    AddHelpKey(*this, app.help(), helpContext);
}

void ModalDialog::done(int result) {
    app_.help().quit();
    QDialog::done(result);
}

Qt::WindowFlags WithoutCloseBox(Qt::WindowFlags kind) {
    return kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

QString EditionIconFile(Application& app) {
    return app.programFile(app.isLinear() ? QStringLiteral("tessaly.svg") : QStringLiteral("quorvex.svg"));
}

QIcon EditionIcon(Application& app) {
    const QString file = EditionIconFile(app);
    return QFileInfo(file).isFile() ? QIcon(file) : QIcon();
}

void CentreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

} // namespace frontend
