#include "platform/system_services.h"

#include <QDir>

namespace frontend {

QString SystemTempDir::path() {
    QString folder = QDir::toNativeSeparators(QDir::tempPath());
    if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
    return folder;
}

SystemServices::SystemServices(QString helpFolder, std::map<int, QString> helpPageByContext,
                               QString helpOnHelpPage)
    : help_(std::move(helpFolder), std::move(helpPageByContext), std::move(helpOnHelpPage)) {}

} // namespace frontend
