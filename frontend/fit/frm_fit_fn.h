// The fitting function dialog ("Choose Fitting Function"): the edition's model list, the initial
// estimates of parameters A to E and the hold boxes. Continue writes the choice into the store.
#ifndef FRONTEND_FIT_FRM_FIT_FN_H
#define FRONTEND_FIT_FRM_FIT_FN_H

#include "platform/dialogs.h"
#include "platform/help.h"
#include "session/store.h"

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace frontend {

inline constexpr int FunctionOptions = 11;
inline constexpr int EstimateBoxes = 5;

class FrmFitFn final : public QDialog {
    Q_OBJECT
public:
    FrmFitFn(Edition edition, Session& session, DataStore& store, Dialogs& dialogs, Help& help,
             QWidget* parent = nullptr);

    // The user-function editor, shown modal by Continue when "&User Defined" is chosen (non-linear
    // edition). While none is given the option stays disabled.
    void setUserFunctionEditor(std::function<void()> showEditor);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool linear() const { return edition_ == Edition::Linear; }
    // The form's Activate: the stored function and estimates.
    void activate();
    void chooseFunction(int option);
    void enableParameters(int count);
    // LostFocus of an estimate box: false (after the message) when its text is not a number.
    bool takeEstimate(int box);
    void continueClicked();

    Edition edition_;
    Session& session_;
    DataStore& store_;
    Dialogs& dialogs_;
    Help& help_;
    std::function<void()> showEditor_;
    bool activated_ = false;

    std::int16_t chosen_ = 0, previous_ = 0, paramCount_ = 0, heldCount_ = 0;
    Params estimates_{};
    VaryFlagArray varyFlags_{};

    std::array<QRadioButton*, FunctionOptions> optFitFunc_{};
    std::array<QFrame*, EstimateBoxes> fraPrm_{};
    std::array<QLabel*, EstimateBoxes> lblPrm_{};
    std::array<QLineEdit*, EstimateBoxes> txtPrm_{};
    std::array<QCheckBox*, EstimateBoxes> chkPrm_{};
    QLabel* lblSpecFunc_ = nullptr;
};

} // namespace frontend

#endif
