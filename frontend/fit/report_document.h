// The content of a fit report, independent of how it is laid out on pages: a list of blocks, each
// a paragraph, a table or the start of a new page, each written in the font that was current when
// it was added. The page preview, printing, PDF and RTF all read the same document.
//
// Tables come from one text: rows separated by ";", cells by "|". The first row gives the column
// formats, a width in twips optionally preceded by "<" (left, the default), "^" (centred) or ">"
// (right); the other rows are the cells. Leading "|" means an empty first cell, and a row with fewer
// cells than columns leaves the rest empty.
#ifndef FRONTEND_FIT_REPORT_DOCUMENT_H
#define FRONTEND_FIT_REPORT_DOCUMENT_H

#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

namespace frontend {

struct ReportFont {
    QString name = QStringLiteral("Arial");
    int pointSize = 11;
    bool bold = false;
    bool operator==(const ReportFont&) const = default;
};

enum class CellAlignment { Left, Centre, Right };

struct TableColumn {
    int widthTwips = 0;
    CellAlignment alignment = CellAlignment::Left;
    bool operator==(const TableColumn&) const = default;
};

struct ReportParagraph {
    QString text;
};

struct ReportTable {
    std::vector<TableColumn> columns;
    std::vector<QStringList> rows; // every row has exactly one cell per column
    int widthTwips() const;
};

struct ReportPageBreak {};

struct ReportBlock {
    std::variant<ReportParagraph, ReportTable, ReportPageBreak> content;
    ReportFont font;
};

// Parses a table text as described above.
ReportTable ParseTableText(const QString& tableText);

class ReportDocument {
public:
    void setFontName(const QString& name) { font_.name = name; }
    void setFontSize(int points) { font_.pointSize = points; }
    void setBold(bool bold) { font_.bold = bold; }
    const ReportFont& font() const { return font_; }

    void addParagraph(const QString& text) { blocks_.push_back({ReportParagraph{text}, font_}); }
    void addTable(const QString& tableText) { blocks_.push_back({ParseTableText(tableText), font_}); }
    void newPage() { blocks_.push_back({ReportPageBreak{}, font_}); }

    const std::vector<ReportBlock>& blocks() const { return blocks_; }
    bool isEmpty() const { return blocks_.empty(); }
    // Every paragraph and table cell in order, one line each (cells joined by "|"): what the report says.
    QStringList plainText() const;

private:
    ReportFont font_;
    std::vector<ReportBlock> blocks_;
};

} // namespace frontend

#endif
