#include "app/application.h"

#include "data/frm_data.h"
#include "fit/frm_fit.h"
#include "fit/frm_fit_fn.h"
#include "session/frm_home.h"
#include "session/frm_start.h"

namespace frontend {

// The screens and dialogs of this build. The spreadsheet and the graph setup screen register here once
// they exist; until then the buttons and Window entries that lead to them stay disabled.
void RegisterScreens(Application& app) {
    app.registerScreen(ScreenId::Start, [](Application& a) { return new FrmStart(a); });
    app.registerScreen(ScreenId::Home, [](Application& a) { return new FrmHome(a); });
    app.registerScreen(ScreenId::Data, [](Application& a) { return new FrmData(a); });
    app.registerScreen(ScreenId::Fit, [](Application& a) { return new FrmFit(a); });
    app.registerDialog(DialogId::FittingFunction,
                       [](Application& a, QWidget* parent) { return std::make_unique<FrmFitFn>(a, parent); });
}

} // namespace frontend
