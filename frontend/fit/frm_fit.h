// The fit screen: the Run and Options menus, F5, the page commands and the report view. The work is
// the fit driver's; the screen shows its state in the menus and the report in the view.
#ifndef FRONTEND_FIT_FRM_FIT_H
#define FRONTEND_FIT_FRM_FIT_H

#include "fit/fit_driver.h"
#include "platform/help.h"

#include <QMainWindow>
#include <functional>

class QAction;
class QLabel;
class QMenu;

namespace frontend {

class ReportPreview;

// The screens the fit screen's Window menu and checks lead to.
enum class FitScreenTarget { Home, Data, Spreadsheet, Graph };

class FrmFit final : public QMainWindow {
    Q_OBJECT
public:
    FrmFit(Session& session, DataStore& store, Dialogs& dialogs, Help& help, FitEngines& engines,
           QWidget* parent = nullptr);

    // Hides this screen and shows another one (the application's navigation). Until it is given the
    // Window menu entries stay disabled and a check that sends the user home only hides the screen.
    void setNavigation(std::function<void(FitScreenTarget)> showScreen);

    // Runs every time the screen becomes active.
    void activate();

    FitDriver& driver() { return driver_; }
    ReportPreview& reportView() { return *preview_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void run();
    void showReport();
    void setPageCommands(bool enabled);
    void chooseReport(bool full);
    void chooseQuadraticAlgorithm(std::int16_t algorithm);
    void goTo(FitScreenTarget target);

    Session& session_;
    Help& help_;
    FitDriver driver_;
    std::function<void(FitScreenTarget)> showScreen_;

    QLabel* lblInit_;
    ReportPreview* preview_;
    QAction *mnuGo_, *mnuRunFitxy_, *mnuOptionsJoliette_, *mnuOptionsLybanon_, *mnuOptShowFull_, *mnuOptShowSum_;
    QAction *mnuNextPage_, *mnuPrevPage_, *mnuReportPage_, *mnuSaveRpt_, *mnuSaveRtf_;
    QAction *mnuWindowPGPlot_;
    QMenu* mnuOptionsQuad_;
    std::vector<QAction*> windowEntries_;
};

} // namespace frontend

#endif
