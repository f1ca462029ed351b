#include "platform/dialogs.h"

namespace frontend {

MessageAnswer Dialogs::message(const QString& text, MessageButtons buttons, MessageIcon icon,
                               const QString& title) {
    return showMessage({text, buttons, icon, title.isEmpty() ? productWord_ : title});
}

std::optional<QString> Dialogs::input(const QString& prompt, const QString& title, const QString& defaultText) {
    return showInput({prompt, title.isEmpty() ? productWord_ : title, defaultText});
}

MessageAnswer CancelAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok: return MessageAnswer::Ok;
    case MessageButtons::YesNo: return MessageAnswer::No;
    case MessageButtons::AbortRetryIgnore: return MessageAnswer::Abort;
    default: return MessageAnswer::Cancel;
    }
}

QStringList QtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == u"*.*") pattern = QStringLiteral("*");
        }
        // Qt reads the patterns from the last parentheses, so the description's own "(*.*)" is replaced.
        QString description = parts[i].trimmed();
        if (description.endsWith(u')') && description.contains(u'('))
            description = description.left(description.lastIndexOf(u'(')).trimmed();
        filters << description + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters;
}

} // namespace frontend
