#include "app/application.h"

#include "data/frm_data.h"
#include "session/frm_home.h"
#include "session/frm_start.h"

namespace frontend {

// The screens of this build. The fit screen (ScreenId::Fit), the spreadsheet, the graph setup screen
// and the fitting function dialog (DialogId::FittingFunction) register here once they exist; until
// then the buttons and Window entries that lead to them stay disabled.
void RegisterScreens(Application& app) {
    app.registerScreen(ScreenId::Start, [](Application& a) { return new FrmStart(a); });
    app.registerScreen(ScreenId::Home, [](Application& a) { return new FrmHome(a); });
    app.registerScreen(ScreenId::Data, [](Application& a) { return new FrmData(a); });
}

} // namespace frontend
