// The fitting function dialog ("Choose Fitting Function"): the edition's model list, the initial
// estimates of parameters A to E and the hold boxes. Continue writes the choice into the store.
#ifndef FRONTEND_FIT_FRM_FIT_FN_H
#define FRONTEND_FIT_FRM_FIT_FN_H

#include "app/main_screen.h"
#include "session/store.h"

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

class FrmFitFn final : public ModalDialog {
    Q_OBJECT
public:
    explicit FrmFitFn(Application& app, QWidget* parent = nullptr);

    // The user-function editor, shown modal by Continue when "&User Defined" is chosen (non-linear
    // edition). While none is given the option stays disabled.
    void setUserFunctionEditor(std::function<void()> showEditor);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool linear() const { return app_.isLinear(); }
    // The form's Activate: the stored function and estimates.
    void activate();
    void chooseFunction(int option);
    void enableParameters(int count);
    // LostFocus of an estimate box: false (after the message) when its text is not a number.
    bool takeEstimate(int box);
    void continueClicked();

    Session& session_;
    DataStore& store_;
    Dialogs& dialogs_;
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
