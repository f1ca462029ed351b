#include "platform/system_services.h"

#include <cups/cups.h>

namespace frontend {
namespace {

// The destinations known to CUPS, freed when it goes out of scope.
class Destinations {
public:
    Destinations() { count_ = cupsGetDests(&dests_); }
    ~Destinations() { cupsFreeDests(count_, dests_); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;
    const cups_dest_t* begin() const { return dests_; }
    const cups_dest_t* end() const { return dests_ + count_; }

private:
    cups_dest_t* dests_ = nullptr;
    int count_ = 0;
};

} // namespace

QStringList CupsPrinters::list() {
    QStringList names;
    for (const cups_dest_t& dest : Destinations())
        if (!dest.instance) names << QString::fromLocal8Bit(dest.name);
    return names;
}

QString CupsPrinters::defaultPrinter() {
    for (const cups_dest_t& dest : Destinations())
        if (dest.is_default) return QString::fromLocal8Bit(dest.name);
    return {};
}

bool CupsPrinters::sendRaw(const QString& printer, const QString& filePath, const QString& jobTitle) {
    cups_option_t* options = nullptr;
    const int optionCount = cupsAddOption("raw", "true", 0, &options);
    const int job = cupsPrintFile(printer.toLocal8Bit().constData(), filePath.toLocal8Bit().constData(),
                                  jobTitle.toLocal8Bit().constData(), optionCount, options);
    cupsFreeOptions(optionCount, options);
    return job > 0;
}

} // namespace frontend
