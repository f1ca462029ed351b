// Scripted stand-ins for the platform services, for tests. The dialogs answer from a queue that the
// test fills in the order the user would answer, and record every box shown, so that a test reads
// like the user's conversation with the program.
#ifndef FRONTEND_PLATFORM_SCRIPTED_SERVICES_H
#define FRONTEND_PLATFORM_SCRIPTED_SERVICES_H

#include "platform/services.h"

#include <deque>
#include <functional>
#include <variant>
#include <vector>

namespace frontend {

enum class DialogKind { Message, Input, OpenFile, SaveFile, Modal };

// One box as the user saw it.
struct DialogRecord {
    DialogKind kind;
    QString title;
    QString text; // message text, input prompt, file dialog title, or the modal dialog's objectName
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    QString defaultText; // input box default, or the file dialog's preset name
    FileDialogRequest file;
};

class ScriptedDialogs final : public Dialogs {
public:
    using ModalAction = std::function<int(QDialog&)>;

    // Queue the user's next answer. A message box with only an OK button needs no answer: it is
    // acknowledged and recorded without taking one from the queue.
    ScriptedDialogs& answer(MessageAnswer answer);
    ScriptedDialogs& type(const QString& text);
    ScriptedDialogs& cancelInput();
    ScriptedDialogs& chooseFile(const QString& path);
    ScriptedDialogs& cancelFile();
    ScriptedDialogs& onModal(ModalAction action);

    const std::vector<DialogRecord>& transcript() const { return transcript_; }
    // The texts of every message and input box so far, in order.
    QStringList texts() const;
    // What went wrong with the script: boxes that found no fitting answer, in order.
    const QStringList& problems() const { return problems_; }
    std::size_t unusedAnswers() const { return answers_.size(); }
    void clearTranscript() { transcript_.clear(); }

protected:
    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<QString> showInput(const InputRequest& request) override;
    std::optional<QString> showOpenFile(const FileDialogRequest& request) override;
    std::optional<QString> showSaveFile(const FileDialogRequest& request) override;
    int showModal(QDialog& dialog) override;

private:
    struct InputAnswer {
        std::optional<QString> text;
    };
    struct FileAnswer {
        std::optional<QString> path;
    };
    using Answer = std::variant<MessageAnswer, InputAnswer, FileAnswer, ModalAction>;

    template <typename T> std::optional<T> take(const DialogRecord& record);
    std::optional<QString> fileAnswer(DialogRecord record);

    std::deque<Answer> answers_;
    std::vector<DialogRecord> transcript_;
    QStringList problems_;
};

class RecordingHelp final : public Help {
public:
    void showContext(int context) override { calls_ << QStringLiteral("context %1").arg(context); }
    void showHelpOnHelp() override { calls_ << QStringLiteral("help on help"); }
    void quit() override { calls_ << QStringLiteral("quit"); }
    const QStringList& calls() const { return calls_; }

private:
    QStringList calls_;
};

class ScriptedProcesses final : public Processes {
public:
    struct Call {
        QString program;
        QStringList arguments;
        bool waited;
    };
    // What the next calls report: whether a program starts, and the exit code of a waited one.
    void setStartable(bool startable) { startable_ = startable; }
    void setExitCode(int code) { exitCode_ = code; }
    // Runs in place of the program, e.g. to write the file the program would have written.
    void setBehaviour(std::function<void(const Call&)> behaviour) { behaviour_ = std::move(behaviour); }

    bool start(const QString& program, const QStringList& arguments) override;
    std::optional<int> run(const QString& program, const QStringList& arguments) override;
    const std::vector<Call>& calls() const { return calls_; }

private:
    bool record(const QString& program, const QStringList& arguments, bool waited);

    bool startable_ = true;
    int exitCode_ = 0;
    std::function<void(const Call&)> behaviour_;
    std::vector<Call> calls_;
};

class ScriptedPrinters final : public Printers {
public:
    struct Job {
        QString printer;
        QString filePath;
        QString title;
    };
    ScriptedPrinters(QStringList names = {}, QString defaultName = {})
        : names_(std::move(names)), default_(std::move(defaultName)) {}
    void setAccepting(bool accepting) { accepting_ = accepting; }

    QStringList list() override { return names_; }
    QString defaultPrinter() override { return default_; }
    bool sendRaw(const QString& printer, const QString& filePath, const QString& jobTitle) override;
    const std::vector<Job>& jobs() const { return jobs_; }

private:
    QStringList names_;
    QString default_;
    bool accepting_ = true;
    std::vector<Job> jobs_;
};

class FixedTempDir final : public TempDir {
public:
    explicit FixedTempDir(QString folder);
    QString path() override { return folder_; }

private:
    QString folder_;
};

// One of each scripted service; the temporary folder is a fresh empty folder of the test.
class ScriptedServices {
public:
    explicit ScriptedServices(const QString& tempFolder);
    Services services() { return {dialogs, help, processes, printers, tempDir}; }

    ScriptedDialogs dialogs;
    RecordingHelp help;
    ScriptedProcesses processes;
    ScriptedPrinters printers;
    FixedTempDir tempDir;
};

} // namespace frontend

#endif
