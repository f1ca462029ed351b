// Dialogs: every message box, input box, file dialog and modal dialog of the front end goes through
// this service, so that production shows Qt dialogs and tests answer them from a script.
#ifndef FRONTEND_PLATFORM_DIALOGS_H
#define FRONTEND_PLATFORM_DIALOGS_H

#include <QString>
#include <QStringList>
#include <optional>

class QDialog;

namespace frontend {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

// Options of the open and save dialogs, combined with |.
enum FileDialogFlag : unsigned {
    NoFileDialogFlags = 0,
    PromptBeforeOverwrite = 1u << 0,
    HideReadOnly = 1u << 1,
    PathMustExist = 1u << 2,
    FileMustExist = 1u << 3,
};

struct FileDialogRequest {
    QString title;
    // Pairs of description and patterns joined by "|": "Data Files (*.dat)|*.dat|All Files (*.*)|*.*".
    QString filter;
    int filterIndex = 1; // 1 = the first pair
    QString fileName;    // preset file name, may be empty
    unsigned flags = NoFileDialogFlags;
};

struct MessageRequest {
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    QString title;
};

struct InputRequest {
    QString prompt;
    QString title;
    QString defaultText;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The product word that titles every box whose own title is left empty.
    void setProductWord(const QString& word) { productWord_ = word; }
    const QString& productWord() const { return productWord_; }

    MessageAnswer message(const QString& text, MessageButtons buttons = MessageButtons::Ok,
                          MessageIcon icon = MessageIcon::None, const QString& title = {});
    // The typed text, or nothing when the user cancels.
    std::optional<QString> input(const QString& prompt, const QString& title = {},
                                 const QString& defaultText = {});
    // The chosen path, or nothing when the user cancels: a cancelled dialog is a silent stop.
    std::optional<QString> openFile(const FileDialogRequest& request) { return showOpenFile(request); }
    std::optional<QString> saveFile(const FileDialogRequest& request) { return showSaveFile(request); }
    // Shows a dialog modal and returns its result code (QDialog::Accepted / Rejected or done()'s value).
    int runModal(QDialog& dialog) { return showModal(dialog); }

protected:
    virtual MessageAnswer showMessage(const MessageRequest& request) = 0;
    virtual std::optional<QString> showInput(const InputRequest& request) = 0;
    virtual std::optional<QString> showOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> showSaveFile(const FileDialogRequest& request) = 0;
    virtual int showModal(QDialog& dialog) = 0;

private:
    QString productWord_;
};

// The answer of a box closed without a button: Cancel where there is one, else the only harmless
// choice of the set.
MessageAnswer CancelAnswer(MessageButtons buttons);

// Converts the "|" filter list into Qt's name filters ("Data Files (*.dat)"); "*.*" means every file.
QStringList QtNameFilters(const QString& filter);

} // namespace frontend

#endif
