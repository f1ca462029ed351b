#include "app/run_edition.h"

#include "app/application.h"
#include "app/help_pages.h"
#include "platform/system_services.h"

#include <QApplication>
#include <QDir>

namespace frontend {

int RunEdition(Edition edition, int argc, char** argv) {
    QApplication qt(argc, argv);
    // Screens are hidden and shown while the user moves between them; only the quit sequence ends
    // the program.
    QApplication::setQuitOnLastWindowClosed(false);
    const QString programFolder = QApplication::applicationDirPath();
    SystemServices system(QDir(programFolder).filePath(HelpFolderName), HelpPageByContext(), HelpOnHelpPage);
    Application app(edition, system.services(), programFolder);
    QObject::connect(&app, &Application::ended, &qt, &QCoreApplication::quit, Qt::QueuedConnection);
    app.start();
    return QApplication::exec();
}

} // namespace frontend
