// The fit screen: the Run and Options menus, F5, the page commands and the report view. The work is
// the fit driver's; the screen shows its state in the menus and the report in the view.
#ifndef FRONTEND_FIT_FRM_FIT_H
#define FRONTEND_FIT_FRM_FIT_H

#include "app/main_screen.h"
#include "fit/fit_driver.h"

#include <memory>

class QAction;
class QLabel;
class QMenu;

namespace frontend {

class ReportPreview;
class WindowMenu;

class FrmFit final : public MainScreen {
    Q_OBJECT
public:
    // The fit screen of the application, fitting with the engine libraries.
    explicit FrmFit(Application& app);
    // The same with other engines (tests watch what the driver hands them).
    FrmFit(Application& app, FitEngines& engines);
    ~FrmFit() override;

    // Every time the screen becomes active: the store's data, the checks, the menus.
    void activate() override;

    FitDriver& driver() { return driver_; }
    ReportPreview& reportView() { return *preview_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    FrmFit(Application& app, std::unique_ptr<FitEngines> ownEngines, FitEngines* engines);
    // The X-error switch of mnuGo and mnuRunFitxy, and the Run menu that shows which fit F5 runs.
    void setXErrorSwitch(bool useXErrors);
    void showRunMenu();
    void run();
    void showReport();
    void setPageCommands(bool enabled);
    void chooseReport(bool full);
    void chooseQuadraticAlgorithm(std::int16_t algorithm);
    void toggleReportStyle();

    std::unique_ptr<FitEngines> ownEngines_;
    FitDriver driver_;
    std::unique_ptr<WindowMenu> windowMenu_;

    QLabel* lblInit_;
    ReportPreview* preview_;
    QAction *mnuGo_, *mnuRunFitxy_, *mnuOptionsJoliette_, *mnuOptionsLybanon_, *mnuOptShowFull_, *mnuOptShowSum_;
    QAction *mnuNextPage_, *mnuPrevPage_, *mnuReportPage_, *mnuSaveRpt_, *mnuSaveRtf_;
    QMenu* mnuOptionsQuad_;
};

} // namespace frontend

#endif
