#include "platform/system_services.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <vector>

namespace frontend {
namespace {

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonChoice {
    QMessageBox::StandardButton button;
    MessageAnswer answer;
};

std::vector<ButtonChoice> ButtonsOf(MessageButtons buttons) {
    using B = QMessageBox;
    using A = MessageAnswer;
    switch (buttons) {
    case MessageButtons::Ok: return {{B::Ok, A::Ok}};
    case MessageButtons::OkCancel: return {{B::Ok, A::Ok}, {B::Cancel, A::Cancel}};
    case MessageButtons::AbortRetryIgnore: return {{B::Abort, A::Abort}, {B::Retry, A::Retry}, {B::Ignore, A::Ignore}};
    case MessageButtons::YesNoCancel: return {{B::Yes, A::Yes}, {B::No, A::No}, {B::Cancel, A::Cancel}};
    case MessageButtons::YesNo: return {{B::Yes, A::Yes}, {B::No, A::No}};
    case MessageButtons::RetryCancel: return {{B::Retry, A::Retry}, {B::Cancel, A::Cancel}};
    }
    return {{B::Ok, A::Ok}};
}

QFileDialog& Prepare(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setWindowTitle(request.title);
    const QStringList filters = QtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    return dialog;
}

std::optional<QString> Run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

MessageAnswer QtDialogs::showMessage(const MessageRequest& request) {
    QMessageBox box(QtIcon(request.icon), request.title, request.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    // Messages may quote a line of a file: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    const std::vector<ButtonChoice> choices = ButtonsOf(request.buttons);
    for (const ButtonChoice& choice : choices) box.addButton(choice.button);
    box.setDefaultButton(choices.front().button);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    for (const ButtonChoice& choice : choices)
        if (clicked && clicked == box.button(choice.button)) return choice.answer;
    return CancelAnswer(request.buttons);
}

std::optional<QString> QtDialogs::showInput(const InputRequest& request) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(request.title);
    dialog.setLabelText(request.prompt);
    dialog.setTextValue(request.defaultText);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtDialogs::showOpenFile(const FileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow());
    Prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode((request.flags & FileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    return Run(dialog);
}

std::optional<QString> QtDialogs::showSaveFile(const FileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow());
    Prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(request.flags & PromptBeforeOverwrite));
    return Run(dialog);
}

int QtDialogs::showModal(QDialog& dialog) { return dialog.exec(); }

} // namespace frontend
