// The start screen frmStart: the students type their names and the experiment, then Continue leads
// to the home screen and Quit ends the program.
#ifndef FRONTEND_SESSION_FRM_START_H
#define FRONTEND_SESSION_FRM_START_H

#include "app/main_screen.h"

class QLineEdit;
class QPushButton;

namespace frontend {

class FrmStart final : public MainScreen {
    Q_OBJECT
public:
    explicit FrmStart(Application& app);
    void activate() override {}

    void continueToHome();
    void quit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The window's close button is Quit.
    void closeEvent(QCloseEvent* event) override;

private:
    QLineEdit* txtName_;
    QLineEdit* txtExp_;
    QPushButton* cmdContinue_;
};

} // namespace frontend

#endif
