// The data entry options dialog frmDataEntryOptions: data from a disk file or from the keyboard.
// Clicking an option sets EntryFromFile / EntryFromKeyboard at once; OK without a choice leaves them.
#ifndef FRONTEND_DATA_FRM_DATA_ENTRY_OPTIONS_H
#define FRONTEND_DATA_FRM_DATA_ENTRY_OPTIONS_H

#include "app/main_screen.h"

namespace frontend {

class FrmDataEntryOptions final : public ModalDialog {
    Q_OBJECT
public:
    FrmDataEntryOptions(Application& app, QWidget* parent);
};

} // namespace frontend

#endif
