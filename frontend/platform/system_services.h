// The production services: Qt dialogs, the HTML help window, QProcess, CUPS and the system's
// temporary folder.
#ifndef FRONTEND_PLATFORM_SYSTEM_SERVICES_H
#define FRONTEND_PLATFORM_SYSTEM_SERVICES_H

#include "platform/services.h"

#include <QPointer>
#include <QTextBrowser>
#include <map>

namespace frontend {

class QtDialogs final : public Dialogs {
protected:
    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<QString> showInput(const InputRequest& request) override;
    std::optional<QString> showOpenFile(const FileDialogRequest& request) override;
    std::optional<QString> showSaveFile(const FileDialogRequest& request) override;
    int showModal(QDialog& dialog) override;
};

// Help pages are HTML files in one folder; each context number names its page, and a context
// without a page of its own shows the contents page.
class HtmlHelp final : public Help {
public:
    HtmlHelp(QString folder, std::map<int, QString> pageByContext, QString helpOnHelpPage);
    ~HtmlHelp() override;
    void showContext(int context) override;
    void showHelpOnHelp() override;
    void quit() override;
    // The help window while it is open (for tests), else null.
    QTextBrowser* window() const { return window_; }

private:
    void showPage(const QString& page);

    QString folder_;
    std::map<int, QString> pageByContext_;
    QString helpOnHelpPage_;
    QPointer<QTextBrowser> window_;
};

class QtProcesses final : public Processes {
public:
    bool start(const QString& program, const QStringList& arguments) override;
    std::optional<int> run(const QString& program, const QStringList& arguments) override;
};

class CupsPrinters final : public Printers {
public:
    QStringList list() override;
    QString defaultPrinter() override;
    bool sendRaw(const QString& printer, const QString& filePath, const QString& jobTitle) override;
};

class SystemTempDir final : public TempDir {
public:
    QString path() override;
};

// Owns one of each production service.
class SystemServices {
public:
    SystemServices(QString helpFolder, std::map<int, QString> helpPageByContext, QString helpOnHelpPage);
    Services services() { return {dialogs_, help_, processes_, printers_, tempDir_}; }

private:
    QtDialogs dialogs_;
    HtmlHelp help_;
    QtProcesses processes_;
    CupsPrinters printers_;
    SystemTempDir tempDir_;
};

} // namespace frontend

#endif
