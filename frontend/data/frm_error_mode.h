// The Y error mode dialog frmErrorMode and the X error mode dialog frmXErrorMode: option buttons
// optErrorMode_<i>, OK and Cancel. Each remembers, for the whole run, the option last clicked; Cancel
// brings back the option that was selected when the dialog opened.
#ifndef FRONTEND_DATA_FRM_ERROR_MODE_H
#define FRONTEND_DATA_FRM_ERROR_MODE_H

#include "app/main_screen.h"
#include "data/error_modes.h"

#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace frontend {

class ErrorModeDialog : public ModalDialog {
    Q_OBJECT
public:
    struct Texts {
        QString objectName;
        QString caption;
        QString instruction;
        QStringList options;
        QString ok;
        QString cancel;
    };

    QRadioButton* option(int index) const;
    // Cancel and Escape: the remembered option goes back to the one selected at opening.
    void reject() override;

protected:
    ErrorModeDialog(Application& app, QWidget* parent, int helpContext, const Texts& texts,
                    std::int16_t& remembered);
    // Selects the option to show when the dialog opens and keeps it for Cancel.
    void selectOnOpen(std::int16_t option);
    // Stores the mode of the chosen option, asking for its value, and says what the dialog does next.
    virtual ModeOkOutcome acceptOption(std::int16_t option) = 0;

private:
    void ok();
    void select(std::int16_t option);

    std::int16_t& remembered_;
    std::int16_t keptForCancel_ = NoOptionChosen;
    QButtonGroup* group_;
    std::vector<QRadioButton*> options_;
};

class FrmErrorMode final : public ErrorModeDialog {
    Q_OBJECT
public:
    FrmErrorMode(Application& app, QWidget* parent);

protected:
    ModeOkOutcome acceptOption(std::int16_t option) override;
};

class FrmXErrorMode final : public ErrorModeDialog {
    Q_OBJECT
public:
    FrmXErrorMode(Application& app, QWidget* parent);

protected:
    ModeOkOutcome acceptOption(std::int16_t option) override;
};

} // namespace frontend

#endif
