#include "platform/scripted_services.h"

#include <QDialog>
#include <QDir>

namespace frontend {
namespace {

QString KindName(DialogKind kind) {
    switch (kind) {
    case DialogKind::Message: return QStringLiteral("message box");
    case DialogKind::Input: return QStringLiteral("input box");
    case DialogKind::OpenFile: return QStringLiteral("open dialog");
    case DialogKind::SaveFile: return QStringLiteral("save dialog");
    case DialogKind::Modal: return QStringLiteral("modal dialog");
    }
    return {};
}

} // namespace

ScriptedDialogs& ScriptedDialogs::answer(MessageAnswer answer) {
    answers_.emplace_back(answer);
    return *this;
}
ScriptedDialogs& ScriptedDialogs::type(const QString& text) {
    answers_.emplace_back(InputAnswer{text});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::cancelInput() {
    answers_.emplace_back(InputAnswer{std::nullopt});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::chooseFile(const QString& path) {
    answers_.emplace_back(FileAnswer{path});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::cancelFile() {
    answers_.emplace_back(FileAnswer{std::nullopt});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::onModal(ModalAction action) {
    answers_.emplace_back(std::move(action));
    return *this;
}

QStringList ScriptedDialogs::texts() const {
    QStringList result;
    for (const DialogRecord& record : transcript_)
        if (record.kind == DialogKind::Message || record.kind == DialogKind::Input) result << record.text;
    return result;
}

// Records the box and takes the next answer when it is of the kind the box needs; a missing or
// mismatched answer is written to problems() and the box is treated as cancelled.
template <typename T> std::optional<T> ScriptedDialogs::take(const DialogRecord& record) {
    transcript_.push_back(record);
    if (!answers_.empty() && std::holds_alternative<T>(answers_.front())) {
        T answer = std::get<T>(std::move(answers_.front()));
        answers_.pop_front();
        return answer;
    }
    problems_ << QStringLiteral("%1 \"%2\" found %3").arg(KindName(record.kind), record.text,
                                                          answers_.empty() ? QStringLiteral("no answer")
                                                                           : QStringLiteral("another kind of answer"));
    return std::nullopt;
}

MessageAnswer ScriptedDialogs::showMessage(const MessageRequest& request) {
    DialogRecord record{DialogKind::Message, request.title, request.text, request.buttons, request.icon, {}, {}};
    if (request.buttons == MessageButtons::Ok) {
        transcript_.push_back(record);
        return MessageAnswer::Ok;
    }
    return take<MessageAnswer>(record).value_or(CancelAnswer(request.buttons));
}

std::optional<QString> ScriptedDialogs::showInput(const InputRequest& request) {
    DialogRecord record{DialogKind::Input, request.title, request.prompt, MessageButtons::OkCancel,
                        MessageIcon::None, request.defaultText, {}};
    if (auto answer = take<InputAnswer>(record)) return answer->text;
    return std::nullopt;
}

std::optional<QString> ScriptedDialogs::fileAnswer(DialogRecord record) {
    if (auto answer = take<FileAnswer>(record)) return answer->path;
    return std::nullopt;
}

std::optional<QString> ScriptedDialogs::showOpenFile(const FileDialogRequest& request) {
    return fileAnswer({DialogKind::OpenFile, {}, request.title, MessageButtons::OkCancel, MessageIcon::None,
                       request.fileName, request});
}

std::optional<QString> ScriptedDialogs::showSaveFile(const FileDialogRequest& request) {
    return fileAnswer({DialogKind::SaveFile, {}, request.title, MessageButtons::OkCancel, MessageIcon::None,
                       request.fileName, request});
}

int ScriptedDialogs::showModal(QDialog& dialog) {
    DialogRecord record{DialogKind::Modal, dialog.windowTitle(), dialog.objectName(), MessageButtons::Ok,
                        MessageIcon::None, {}, {}};
    if (auto action = take<ModalAction>(record)) return (*action)(dialog);
    return QDialog::Rejected;
}

bool ScriptedProcesses::record(const QString& program, const QStringList& arguments, bool waited) {
    calls_.push_back({program, arguments, waited});
    if (startable_ && behaviour_) behaviour_(calls_.back());
    return startable_;
}

bool ScriptedProcesses::start(const QString& program, const QStringList& arguments) {
    return record(program, arguments, false);
}

std::optional<int> ScriptedProcesses::run(const QString& program, const QStringList& arguments) {
    if (!record(program, arguments, true)) return std::nullopt;
    return exitCode_;
}

bool ScriptedPrinters::sendRaw(const QString& printer, const QString& filePath, const QString& jobTitle) {
    if (!accepting_) return false;
    jobs_.push_back({printer, filePath, jobTitle});
    return true;
}

FixedTempDir::FixedTempDir(QString folder) : folder_(std::move(folder)) {
    if (!folder_.endsWith(QDir::separator())) folder_ += QDir::separator();
}

ScriptedServices::ScriptedServices(const QString& tempFolder) : tempDir(tempFolder) {}

} // namespace frontend
