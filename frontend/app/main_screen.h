// The base of every main screen (start, home, data, fit, spreadsheet, graph setup) and of the modal
// dialogs: F1 opens the screen's help page, unloading tells the help viewer to quit, and a modal
// dialog shown from a main screen makes it active again when it closes.
#ifndef FRONTEND_APP_MAIN_SCREEN_H
#define FRONTEND_APP_MAIN_SCREEN_H

#include "app/application.h"

#include <QDialog>
#include <QMainWindow>

namespace frontend {

class MainScreen : public QMainWindow {
    Q_OBJECT
public:
    MainScreen(Application& app, ScreenId id, int helpContext);

    ScreenId id() const { return id_; }
    Application& app() { return app_; }

    // Runs every time the screen becomes active: when it is shown, and when a modal dialog shown
    // from it closes.
    virtual void activate() = 0;
    // This screen's part of RefreshSaveState.
    virtual void showSaveState() {}

    // Shows the dialog modal through the Dialogs service; then the screen becomes active again.
    int runModal(QDialog& dialog);

    // Unloads the screen as the program does (Application::unload); false when it refused.
    bool unload();

protected:
    // Whether the screen may unload now; a screen that refuses keeps itself loaded.
    virtual bool queryUnload() { return true; }
    // The window's close button does what the screen's own exit does. By default that exit unloads
    // the screen (queryUnload may still refuse); a screen whose exit is something else does it here
    // and returns false.
    virtual bool closeButtonUnloads() { return true; }
    // True while the program itself unloads the screen, false for the window's close button.
    bool unloadingByProgram() const { return unloadingByProgram_; }
    // Shift + right mouse button on the screen's background.
    virtual void toggleStyle() {}

    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Application& app_;
    ScreenId id_;
    bool unloadingByProgram_ = false;
};

// Window flags of a window without a close box.
Qt::WindowFlags WithoutCloseBox(Qt::WindowFlags kind);

// A modal dialog of the application: F1 opens its help page, and closing it tells the help viewer
// to quit.
class ModalDialog : public QDialog {
    Q_OBJECT
public:
    ModalDialog(Application& app, QWidget* parent, int helpContext,
                Qt::WindowFlags flags = WithoutCloseBox(Qt::Dialog));
    void done(int result) override;

protected:
    Application& app_;
};

// The edition's icon file beside the program ("quorvex.svg" or "tessaly.svg"), and the icon itself
// (an empty icon when the file is missing).
QString EditionIconFile(Application& app);
QIcon EditionIcon(Application& app);

// F1 in the window opens the help page of the context.
void AddHelpKey(QWidget& window, Help& help, int context);

// Puts the window in the middle of the screen it is on.
void CentreOnScreen(QWidget& window);

} // namespace frontend

#endif
