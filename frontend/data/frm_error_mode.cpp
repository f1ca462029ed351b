#include "data/frm_error_mode.h"

#include "app/help_pages.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace frontend {

ErrorModeDialog::ErrorModeDialog(Application& app, QWidget* parent, int helpContext, const Texts& texts,
                                 std::int16_t& remembered)
    : ModalDialog(app, parent, helpContext), remembered_(remembered), group_(new QButtonGroup(this)) {
    setObjectName(texts.objectName);
    setWindowTitle(texts.caption);

    auto* layout = new QVBoxLayout(this);
    auto* instruction = new QLabel(texts.instruction, this);
    instruction->setObjectName(QStringLiteral("lblInstruction"));
    layout->addWidget(instruction);

    for (int i = 0; i < texts.options.size(); ++i) {
        auto* button = new QRadioButton(texts.options[i], this);
        button->setObjectName(QStringLiteral("optErrorMode_%1").arg(i));
        group_->addButton(button, i);
        options_.push_back(button);
        layout->addWidget(button);
    }
    connect(group_, &QButtonGroup::idClicked, this, [this](int id) { remembered_ = static_cast<std::int16_t>(id); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* okButton = new QPushButton(texts.ok, this);
    okButton->setObjectName(QStringLiteral("cmdOK"));
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(texts.cancel, this);
    cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);
    connect(okButton, &QPushButton::clicked, this, &ErrorModeDialog::ok);
    connect(cancelButton, &QPushButton::clicked, this, &ErrorModeDialog::reject);
}

QRadioButton* ErrorModeDialog::option(int index) const {
    return index >= 0 && index < static_cast<int>(options_.size()) ? options_[static_cast<std::size_t>(index)]
                                                                   : nullptr;
}

void ErrorModeDialog::selectOnOpen(std::int16_t option) {
    remembered_ = option;
    keptForCancel_ = option;
    select(option);
}

void ErrorModeDialog::select(std::int16_t option) {
    // An exclusive group cannot show "nothing selected" by itself.
    group_->setExclusive(false);
    for (std::size_t i = 0; i < options_.size(); ++i) options_[i]->setChecked(static_cast<int>(i) == option);
    group_->setExclusive(true);
}

void ErrorModeDialog::ok() {
    switch (acceptOption(remembered_)) {
    case ModeOkOutcome::Accepted: accept(); break;
    case ModeOkOutcome::StayOpen: break;
    case ModeOkOutcome::Unselected:
        remembered_ = NoOptionChosen;
        select(NoOptionChosen);
        break;
    }
}

void ErrorModeDialog::reject() {
    remembered_ = keptForCancel_;
    ModalDialog::reject();
}

FrmErrorMode::FrmErrorMode(Application& app, QWidget* parent)
    : ErrorModeDialog(app, parent, HelpContext::ErrorModes,
                      {QStringLiteral("frmErrorMode"),
                       QStringLiteral("Set Mode of Error Analysis for Y Errors"),
                       QStringLiteral("Please choose Y error mode; click on OK or hit Enter key to continue"),
                       {QStringLiteral(" Y Error as percentage of Y"), QStringLiteral(" Same (constant) error for each Y"),
                        QStringLiteral(" Enter each Y error individually"),
                        QStringLiteral(" Error = Square Root of Y value"),
                        QStringLiteral(" None; errors autoscaled assuming chi-sq = 1")},
                       QStringLiteral("OK"),
                       QStringLiteral("Cancel")},
                      app.rememberedYErrorOption) {
    selectOnOpen(YModeOptionOnOpen(app.session(), app.store(), app.rememberedYErrorOption));
    const bool advanced = app.session().Advanced;
    option(3)->setVisible(advanced);
    option(4)->setVisible(advanced);
}

ModeOkOutcome FrmErrorMode::acceptOption(std::int16_t option) {
    return AcceptYMode(app_.session(), app_.store(), app_.dialogs(), option);
}

FrmXErrorMode::FrmXErrorMode(Application& app, QWidget* parent)
    : ErrorModeDialog(app, parent, HelpContext::XErrorMode,
                      {QStringLiteral("frmXErrorMode"),
                       QStringLiteral("Set Mode of Error Analysis for X Errors"),
                       QStringLiteral("Please choose X error mode; click on OK or hit Enter key to continue"),
                       {QStringLiteral(" X Error as percentage of X"), QStringLiteral(" Same (constant) error for each X"),
                        QStringLiteral(" Enter each X error individually")},
                       QStringLiteral("&OK"),
                       QStringLiteral("&Cancel")},
                      app.rememberedXErrorOption) {
    selectOnOpen(XModeOptionOnOpen(app.session(), app.store(), app.rememberedXErrorOption));
}

ModeOkOutcome FrmXErrorMode::acceptOption(std::int16_t option) {
    return AcceptXMode(app_.session(), app_.store(), app_.dialogs(), option);
}

} // namespace frontend
