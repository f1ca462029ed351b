#include "platform/system_services.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

namespace frontend {

HtmlHelp::HtmlHelp(QString folder, std::map<int, QString> pageByContext, QString helpOnHelpPage)
    : folder_(std::move(folder)), pageByContext_(std::move(pageByContext)),
      helpOnHelpPage_(std::move(helpOnHelpPage)) {}

HtmlHelp::~HtmlHelp() { quit(); }

void HtmlHelp::showContext(int context) {
    auto page = pageByContext_.find(context);
    if (page == pageByContext_.end()) page = pageByContext_.find(HelpContentsContext);
    showPage(page == pageByContext_.end() ? QString() : page->second);
}

void HtmlHelp::showHelpOnHelp() { showPage(helpOnHelpPage_); }

void HtmlHelp::quit() { delete window_.data(); }

void HtmlHelp::showPage(const QString& page) {
    if (!window_) {
        window_ = new QTextBrowser;
        window_->setAttribute(Qt::WA_DeleteOnClose);
        window_->setOpenExternalLinks(true);
        window_->resize(640, 520);
    }
    const QFileInfo file(QDir(folder_), page);
    if (!page.isEmpty() && file.isFile()) {
        window_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    } else {
        window_->setPlainText(QStringLiteral("This help page is missing: ") + file.filePath());
    }
    window_->setWindowTitle(window_->documentTitle().isEmpty() ? QStringLiteral("Help") : window_->documentTitle());
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace frontend
