// The help pages: each screen's context number and the HTML page that answers it. The pages lie in
// the folder "help" beside the program.
#ifndef FRONTEND_APP_HELP_PAGES_H
#define FRONTEND_APP_HELP_PAGES_H

#include "platform/help.h"

#include <QString>
#include <map>

namespace frontend {

namespace HelpContext {
inline constexpr int Contents = HelpContentsContext;
inline constexpr int Start = 100;
inline constexpr int Home = 110;
inline constexpr int About = 120;
inline constexpr int Data = 200;
inline constexpr int DataEntryOptions = 210;
inline constexpr int ErrorModes = 300;
inline constexpr int XErrorMode = 310;
inline constexpr int Fit = 400;
inline constexpr int FittingFunction = 410;
} // namespace HelpContext

inline const QString HelpFolderName = QStringLiteral("help");
inline const QString HelpOnHelpPage = QStringLiteral("helponhelp.html");

std::map<int, QString> HelpPageByContext();

} // namespace frontend

#endif
