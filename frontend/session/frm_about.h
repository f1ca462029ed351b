// The About box frmAbout: product word, version and what the program is for. Modal; OK closes it.
#ifndef FRONTEND_SESSION_FRM_ABOUT_H
#define FRONTEND_SESSION_FRM_ABOUT_H

#include "app/main_screen.h"

namespace frontend {

inline constexpr int VersionMajor = 6;
inline constexpr int VersionMinor = 8;
inline constexpr int VersionRevision = 0;

class FrmAbout final : public ModalDialog {
    Q_OBJECT
public:
    FrmAbout(Application& app, QWidget* parent);
};

} // namespace frontend

#endif
