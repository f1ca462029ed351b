// Lets GoogleTest print QStrings as text in its failure messages.
#ifndef FRONTEND_TESTSUPPORT_QSTRING_PRINTER_H
#define FRONTEND_TESTSUPPORT_QSTRING_PRINTER_H

#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (const QString& text : texts) *out << " \"" << text.toStdString() << '"';
    *out << " }";
}

#endif
