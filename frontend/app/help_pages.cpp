#include "app/help_pages.h"

namespace frontend {

std::map<int, QString> HelpPageByContext() {
    return {
        {HelpContext::Contents, QStringLiteral("contents.html")},
        {HelpContext::Start, QStringLiteral("start.html")},
        {HelpContext::Home, QStringLiteral("home.html")},
        {HelpContext::About, QStringLiteral("contents.html")},
        {HelpContext::Data, QStringLiteral("data.html")},
        {HelpContext::DataEntryOptions, QStringLiteral("data.html")},
        {HelpContext::ErrorModes, QStringLiteral("errormodes.html")},
        {HelpContext::XErrorMode, QStringLiteral("errormodes.html")},
        {HelpContext::Fit, QStringLiteral("fit.html")},
        {HelpContext::FittingFunction, QStringLiteral("fit.html")},
    };
}

} // namespace frontend
