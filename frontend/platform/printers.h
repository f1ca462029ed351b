// Printers: the system's printer list and raw jobs (the file goes to the printer unchanged).
#ifndef FRONTEND_PLATFORM_PRINTERS_H
#define FRONTEND_PLATFORM_PRINTERS_H

#include <QString>
#include <QStringList>

namespace frontend {

class Printers {
public:
    virtual ~Printers() = default;
    virtual QStringList list() = 0;
    // The default printer's name, empty when there is none.
    virtual QString defaultPrinter() = 0;
    // Sends the file's bytes to the printer as one job; false when the job was not accepted.
    virtual bool sendRaw(const QString& printer, const QString& filePath, const QString& jobTitle) = 0;
};

} // namespace frontend

#endif
