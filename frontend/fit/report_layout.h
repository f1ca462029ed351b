// Lays a report document out on pages and paints the pages with QPainter. Everything is measured in
// twips (1440 to the inch) from the paper's top-left corner; a painter that paints a page must be
// scaled so that one unit is one twip (PaintPage does it for a device of known resolution).
#ifndef FRONTEND_FIT_REPORT_LAYOUT_H
#define FRONTEND_FIT_REPORT_LAYOUT_H

#include "fit/report_document.h"

#include <QFont>
#include <QImage>
#include <QMarginsF>
#include <QPointF>
#include <QSizeF>

class QPainter;

namespace frontend {

inline constexpr double TwipsPerInch = 1440.0;

struct PageGeometry {
    QSizeF paperTwips;
    QMarginsF marginsTwips;
    double contentWidth() const { return paperTwips.width() - marginsTwips.left() - marginsTwips.right(); }
    double contentBottom() const { return paperTwips.height() - marginsTwips.bottom(); }
};

// Letter where the locale measures in inches (the United States), A4 elsewhere; half-inch side
// margins, so that the widest table of the report (10,450 twips) fits on either.
PageGeometry LetterPage();
PageGeometry A4Page();
PageGeometry PageForLocale();

// The font a report font stands for, sized in twips (the layout's unit).
QFont LayoutFont(const ReportFont& font);

class ReportLayout {
public:
    // One piece of text at its place: a line of a paragraph or a table cell.
    struct Text {
        QPointF baseline; // twips
        QString text;
        ReportFont font;
    };
    struct Page {
        std::vector<Text> texts;
    };

    explicit ReportLayout(const PageGeometry& geometry);
    ReportLayout(const ReportDocument& document, const PageGeometry& geometry);

    // Lays out the blocks added to `document` since the last call (the document only grows), so a
    // report can ask for its page count while it is being written.
    void extend(const ReportDocument& document);

    int pageCount() const { return static_cast<int>(pages_.size()); }
    const std::vector<Page>& pages() const { return pages_; }
    const PageGeometry& geometry() const { return geometry_; }

    // Paints page `index` (0-based) on a painter whose unit is one twip; the paper is not filled.
    void paint(QPainter& painter, int index) const;

private:
    void addParagraph(const ReportParagraph& paragraph, const ReportFont& font);
    void addTable(const ReportTable& table, const ReportFont& font);
    void startPage();
    // Moves to a new page when `height` more twips would not fit on this one (unless the page is empty).
    void reserve(double height);

    PageGeometry geometry_;
    std::vector<Page> pages_;
    double y_ = 0; // top of the next line
    std::size_t laidOut_ = 0; // blocks of the document already placed
};

// The page pictured on a white image at `dotsPerInch`.
QImage RenderPage(const ReportLayout& layout, int index, double dotsPerInch);

} // namespace frontend

#endif
