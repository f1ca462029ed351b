#include "fit/report_document.h"

#include <numeric>

namespace frontend {
namespace {

TableColumn ParseColumnFormat(QString format) {
    format = format.trimmed();
    TableColumn column;
    if (!format.isEmpty()) {
        switch (format.front().unicode()) {
        case u'<': column.alignment = CellAlignment::Left; format.remove(0, 1); break;
        case u'^': column.alignment = CellAlignment::Centre; format.remove(0, 1); break;
        case u'>': column.alignment = CellAlignment::Right; format.remove(0, 1); break;
        default: break;
        }
    }
    column.widthTwips = std::max(0, format.toInt());
    return column;
}

} // namespace

int ReportTable::widthTwips() const {
    return std::accumulate(columns.begin(), columns.end(), 0,
                           [](int sum, const TableColumn& c) { return sum + c.widthTwips; });
}

ReportTable ParseTableText(const QString& tableText) {
    QStringList rows = tableText.split(u';');
    if (!rows.isEmpty() && rows.back().isEmpty()) rows.removeLast(); // the closing ";"
    ReportTable table;
    if (rows.isEmpty()) return table;
    for (const QString& format : rows.front().split(u'|')) table.columns.push_back(ParseColumnFormat(format));
    const qsizetype columnCount = static_cast<qsizetype>(table.columns.size());
    for (qsizetype r = 1; r < rows.size(); ++r) {
        QStringList cells = rows[r].split(u'|');
        if (cells.size() > columnCount) cells.resize(columnCount);
        while (cells.size() < columnCount) cells << QString();
        table.rows.push_back(cells);
    }
    return table;
}

QStringList ReportDocument::plainText() const {
    QStringList lines;
    for (const ReportBlock& block : blocks_) {
        if (const auto* paragraph = std::get_if<ReportParagraph>(&block.content)) {
            lines << paragraph->text;
        } else if (const auto* table = std::get_if<ReportTable>(&block.content)) {
            for (const QStringList& row : table->rows) lines << row.join(u'|');
        }
    }
    return lines;
}

} // namespace frontend
