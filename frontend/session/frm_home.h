// The home screen frmHome: names and experiment, the buttons to every other screen and dialog, the
// state of the data, error modes and function, the Style and Error Type menus and the quit sequence.
#ifndef FRONTEND_SESSION_FRM_HOME_H
#define FRONTEND_SESSION_FRM_HOME_H

#include "app/main_screen.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace frontend {

class FrmHome final : public MainScreen {
    Q_OBJECT
public:
    explicit FrmHome(Application& app);

    void activate() override;
    void showSaveState() override;
    // The Style menu's checks from Advanced.
    void showStyleChecks();

    void setStandardStyle();
    void setAdvancedStyle();
    void useYErrorsOnly();
    void allowXAndYErrors();
    // The save dialog and the data file writer; false when nothing was saved.
    bool saveData();

protected:
    bool queryUnload() override;
    void toggleStyle() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void setStyle(bool advanced);
    void showFitState();
    void openDialog(DialogId id);
    bool quitSequence();
    // The data set's name as this screen shows and uses it, and the caption that shows it.
    QString dataName();
    void showCaption();

    QLineEdit* txtName_;
    QLineEdit* txtExp_;
    QPushButton* cmdEnterData_;
    QPushButton* cmdMode_;
    QPushButton* cmdXMode_;
    QPushButton* cmdFctn_;
    QPushButton* cmdSaveData_;
    QPushButton* cmdSpread_;
    QPushButton* cmdPGPlot_;
    QPushButton* cmdFit_;
    QPushButton* cmdQuit_;
    QLabel* lblErrorMode_;
    QLabel* lblXErrorMode_;
    QLabel* lblDataInProgram_;
    QLabel* lblSaveData_;
    QLabel* picFitFunc_;
    QAction* mnuStandard_ = nullptr;
    QAction* mnuAdvanced_ = nullptr;
    QAction* mnuYFit_ = nullptr;
    QAction* mnuXYFit_ = nullptr;
};

} // namespace frontend

#endif
