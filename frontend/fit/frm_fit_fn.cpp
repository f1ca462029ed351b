#include "fit/frm_fit_fn.h"

#include "app/help_pages.h"
#include "app/screen_parts.h"
#include "session/number_format.h"
#include "session/utilcore_calls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace frontend {
namespace {

struct FunctionOption {
    const char* caption;
    std::int16_t parameters; // 0: set by the user-function editor
};

// The formula pictures beside the options, a little over half the home screen's size.
constexpr QSize PictureSize(240, 26);

constexpr std::array<FunctionOption, FunctionOptions> NonLinearOptions = {{
    {"&Linear", 2},
    {"&Power:", 2},
    {"&Exponential:", 2},
    {"Exponential #&1", 2},
    {"Exponential #&2", 3},
    {"Exponential #&3", 3},
    {"I&nverse X and Y", 2},
    {"&Special (ESR):", 4},
    {"&Real Z", 4},
    {"&Imag Z", 4},
    {"&User Defined", 0},
}};

constexpr std::array<FunctionOption, FunctionOptions> LinearOptions = {{
    {"&Linear", 2},
    {"&Power:", 2},
    {"&Exponential:", 2},
    {"&Quadratic:", 3},
    {"Elliptic 1st &kind", 1},
    {"&Special Power", 3},
    {"&Natural Log:", 2},
    {"Inverse &X:", 2},
    {"Inverse &Y:", 2},
    {"&Inverse X && Y:", 2},
    {"Special In&verse:", 3},
}};

constexpr int UserDefinedOption = 10;
// Only these linear-edition functions can be fitted with X errors; their captions are dark blue.
constexpr int XErrorOptions = 4;
const QColor XErrorCaptionColour(0x00, 0x00, 0x80); // &H00800000& (blue, green, red)

const QString NonLinearInstruction = QStringLiteral(
    "Please select a fitting function.  Then, enter your initial estimate  for each parameter.  THESE ESTIMATES "
    "ARE CRITICAL FOR NON-LINEAR FITS!  If you want to hold a parameter constant, check the box by it.  NOTE:  "
    "Unless your lab writeup or your instructor has told you to hold a parameter constant, you probably do not "
    "need to.");
const QString LinearInstruction = QStringLiteral(
    "Please select a fitting function.  Then, enter your initial estimate  for each parameter.  If you want to "
    "hold a parameter constant, check the box by it.  NOTE:  Unless your lab writeup or your instructor has told "
    "you to hold a parameter constant, you probably do not need to.  Functions shown in BLUE support fits using X "
    "errors.");

QString EstimateText(float v, bool linear) {
    const float magnitude = std::abs(v);
    if (v == 0.0f || (magnitude > 0.01f && magnitude < 100.0f)) return FormatPattern(v, "#0.00");
    return FormatPattern(v, linear ? "##0.00E+00" : "0.00E+00");
}

} // namespace

// The dialog keeps its close box, which cancels like the Cancel button.
FrmFitFn::FrmFitFn(Application& app, QWidget* parent)
    : ModalDialog(app, parent, HelpContext::FittingFunction, Qt::Dialog), session_(app.session()),
      store_(app.store()), dialogs_(app.dialogs()) {
    setObjectName(QStringLiteral("frmFitFn"));
    setWindowTitle(QStringLiteral("Choose Fitting Function"));
    const auto& options = linear() ? LinearOptions : NonLinearOptions;

    auto* Label1 = new QLabel(linear() ? LinearInstruction : NonLinearInstruction);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);

    auto* functions = new QGridLayout;
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < FunctionOptions; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(options[static_cast<std::size_t>(i)].caption));
        option->setObjectName(QStringLiteral("optFitFunc_%1").arg(i));
        if (linear() && i < XErrorOptions) {
            QPalette palette = option->palette();
            palette.setColor(QPalette::WindowText, XErrorCaptionColour);
            option->setPalette(palette);
        }
        group->addButton(option, i);
        optFitFunc_[static_cast<std::size_t>(i)] = option;
        auto* picture = new QLabel;
        picture->setObjectName(QStringLiteral("picFitFunc_%1").arg(i));
        picture->setFixedSize(PictureSize);
        ShowPicture(*picture, FunctionPictureFile(app, true, static_cast<std::int16_t>(i + 1)));
        functions->addWidget(option, i, 0);
        functions->addWidget(picture, i, 1);
    }
    connect(group, &QButtonGroup::idClicked, this, &FrmFitFn::chooseFunction);
    if (!linear()) optFitFunc_[UserDefinedOption]->setEnabled(false);

    auto* parameters = new QVBoxLayout;
    for (int i = 0; i < EstimateBoxes; ++i) {
        const QChar letter(u'A' + i);
        auto* frame = new QFrame;
        frame->setObjectName(QStringLiteral("fraPrm_%1").arg(i));
        frame->setFrameShape(QFrame::StyledPanel);
        auto* row = new QHBoxLayout(frame);
        auto* label = new QLabel(QString(letter) + QStringLiteral(" = "));
        label->setObjectName(QStringLiteral("lblPrm_%1").arg(i));
        auto* box = new QLineEdit;
        box->setObjectName(QStringLiteral("txtPrm_%1").arg(i));
        box->installEventFilter(this);
        box->setMinimumWidth(120); // room for "-1.23E+03" and more
        auto* hold = new QCheckBox(QStringLiteral("Hold ") + letter + QStringLiteral(" Constant?"));
        hold->setObjectName(QStringLiteral("chkPrm_%1").arg(i));
        row->addWidget(label);
        row->addWidget(box);
        row->addWidget(hold);
        parameters->addWidget(frame);
        fraPrm_[static_cast<std::size_t>(i)] = frame;
        lblPrm_[static_cast<std::size_t>(i)] = label;
        txtPrm_[static_cast<std::size_t>(i)] = box;
        chkPrm_[static_cast<std::size_t>(i)] = hold;
        if (linear()) {
            // A change of what is held, or of a held estimate, makes the last fit stale.
            connect(hold, &QCheckBox::clicked, this, [this] { session_.FitDone = false; });
            connect(box, &QLineEdit::textChanged, this, [this, hold] {
                if (hold->isChecked()) session_.FitDone = false;
            });
        }
    }
    lblSpecFunc_ = new QLabel(QStringLiteral("Push Continue to set up user-defined  function"));
    lblSpecFunc_->setObjectName(QStringLiteral("lblSpecFunc"));
    lblSpecFunc_->setVisible(false);
    parameters->addWidget(lblSpecFunc_);
    parameters->addStretch();

    auto* cmdContinue = new QPushButton(QStringLiteral("&Continue"));
    cmdContinue->setObjectName(QStringLiteral("cmdContinue"));
    cmdContinue->setDefault(true);
    connect(cmdContinue, &QPushButton::clicked, this, &FrmFitFn::continueClicked);
    auto* cmdCancel = new QPushButton(QStringLiteral("C&ancel"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdContinue);
    buttons->addWidget(cmdCancel);

    auto* columns = new QHBoxLayout;
    columns->addLayout(functions);
    columns->addLayout(parameters);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(columns);
    layout->addLayout(buttons);
}

void FrmFitFn::setUserFunctionEditor(std::function<void()> showEditor) {
    showEditor_ = std::move(showEditor);
    if (!linear()) optFitFunc_[UserDefinedOption]->setEnabled(static_cast<bool>(showEditor_));
}

void FrmFitFn::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!activated_) activate();
}

void FrmFitFn::activate() {
    activated_ = true;
    StoreFunction(store_, chosen_, paramCount_, heldCount_, varyFlags_, OutOfStore);
    if (session_.EstimatesEntered) {
        StoreInitialParams(store_, estimates_, OutOfStore);
        for (std::size_t i = 0; i < EstimateBoxes; ++i) txtPrm_[i]->setText(EstimateText(estimates_[i], linear()));
    }
    for (QRadioButton* option : optFitFunc_) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
    if (session_.FunctionChosen) {
        const int option = (!linear() && chosen_ == 12) ? UserDefinedOption : chosen_ - 1;
        if (option >= 0 && option < FunctionOptions) {
            optFitFunc_[static_cast<std::size_t>(option)]->setChecked(true);
            chooseFunction(option);
        }
        previous_ = chosen_;
    } else {
        enableParameters(0);
        previous_ = 0;
    }
    for (int i = 0; i < std::min<int>(paramCount_, EstimateBoxes); ++i)
        if (varyFlags_[static_cast<std::size_t>(i)] == 0) chkPrm_[static_cast<std::size_t>(i)]->setChecked(true);
}

void FrmFitFn::enableParameters(int count) {
    for (int i = 0; i < EstimateBoxes; ++i) {
        const bool on = i < count;
        const std::size_t k = static_cast<std::size_t>(i);
        for (QWidget* w : std::initializer_list<QWidget*>{fraPrm_[k], lblPrm_[k], txtPrm_[k], chkPrm_[k]})
            w->setEnabled(on);
    }
}

void FrmFitFn::chooseFunction(int option) {
    const auto& options = linear() ? LinearOptions : NonLinearOptions;
    previous_ = chosen_;
    chosen_ = static_cast<std::int16_t>(option + 1);
    const std::int16_t parameters = options[static_cast<std::size_t>(option)].parameters;
    if (parameters > 0) paramCount_ = parameters;
    enableParameters(paramCount_);
    txtPrm_[0]->setFocus();
    if (!linear()) lblSpecFunc_->setVisible(chosen_ > 10);
}

bool FrmFitFn::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        for (int i = 0; i < EstimateBoxes; ++i)
            if (watched == txtPrm_[static_cast<std::size_t>(i)]) takeEstimate(i);
    }
    return QDialog::eventFilter(watched, event);
}

bool FrmFitFn::takeEstimate(int box) {
    QLineEdit* edit = txtPrm_[static_cast<std::size_t>(box)];
    const QString text = edit->text().trimmed();
    // An empty box is left for Continue to judge (Standard style asks for every estimate).
    if (text.isEmpty() || !edit->isEnabled()) return true;
    // A box the user did not edit shows the stored estimate rounded; the estimate keeps every digit.
    if (!edit->isModified()) return true;
    const std::optional<float> value = TrapReal(text);
    if (!value) {
        dialogs_.message(QStringLiteral("Data Entry Error, please correct estimate."));
        edit->setFocus();
        return false;
    }
    estimates_[static_cast<std::size_t>(box)] = *value;
    return true;
}

void FrmFitFn::continueClicked() {
    // The box being edited loses the focus to the button first.
    for (int i = 0; i < std::min<int>(paramCount_, EstimateBoxes); ++i)
        if (!takeEstimate(i)) return;

    if (linear() && session_.XErrorsAllowed && (chosen_ < 1 || chosen_ > 4)) {
        const MessageAnswer answer = dialogs_.message(
            QStringLiteral("Tessaly cannot do fits using X Errors with this function.  Please select OK to continue "
                           "anyway, or Cancel to pick a different function."),
            MessageButtons::OkCancel, MessageIcon::Information);
        if (answer == MessageAnswer::Cancel) return;
    }
    if (chosen_ != previous_) session_.FitDone = false;
    if (!linear()) {
        if (chosen_ <= 10) {
            session_.UserFnInUse = false;
        } else {
            session_.UserFnCancelled = false;
            if (showEditor_) showEditor_();
            if (session_.UserFnCancelled) chosen_ = previous_;
            accept();
            return;
        }
    }
    const int count = std::min<int>(paramCount_, EstimateBoxes);
    if (!session_.Advanced) {
        for (int i = 0; i < count; ++i) {
            if (txtPrm_[static_cast<std::size_t>(i)]->text().isEmpty()) {
                dialogs_.message(QStringLiteral("Please enter parameter estimate"));
                txtPrm_[static_cast<std::size_t>(i)]->setFocus();
                return;
            }
        }
    }
    std::int16_t held = 0;
    VaryFlagArray flags = varyFlags_;
    for (int i = 0; i < count; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        if (chkPrm_[k]->isChecked()) {
            flags[k] = 0;
            if (++held == paramCount_) {
                dialogs_.message(QStringLiteral("At least one parameter must be allowed to vary"));
                chkPrm_[k]->setFocus();
                return;
            }
        } else {
            flags[k] = 1;
        }
    }
    varyFlags_ = flags;
    heldCount_ = held;
    if (linear() && heldCount_ > 0 && session_.XErrorsAllowed)
        dialogs_.message(QStringLiteral("Parameters cannot be held constant in fits done using X Errors.  Checked "
                                        "boxes will be disregarded."));
    bool anyEstimate = false;
    for (int i = 0; i < count; ++i) anyEstimate = anyEstimate || !txtPrm_[static_cast<std::size_t>(i)]->text().isEmpty();
    if (anyEstimate) {
        session_.EstimatesEntered = true;
        StoreInitialParams(store_, estimates_, IntoStore);
    }
    if (chosen_ > 0) {
        StoreFunction(store_, chosen_, paramCount_, heldCount_, varyFlags_, IntoStore);
        session_.FunctionChosen = true;
    }
    accept();
}

} // namespace frontend
