#include "fit/report_layout.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace frontend {
namespace {

constexpr double TwipsPerPoint = 20.0;
constexpr double HalfInch = 720.0;
constexpr double TabStop = 720.0;
// Space above and below the text of a table row.
constexpr double CellPadding = 10.0;
// Space between a table cell's text and its column's edge.
constexpr double CellInset = 60.0;

PageGeometry PageOf(QSizeF paperTwips) {
    return {paperTwips, QMarginsF(HalfInch, HalfInch, HalfInch, HalfInch)};
}

} // namespace

PageGeometry LetterPage() { return PageOf({8.5 * TwipsPerInch, 11.0 * TwipsPerInch}); }
PageGeometry A4Page() { return PageOf({210.0 / 25.4 * TwipsPerInch, 297.0 / 25.4 * TwipsPerInch}); }

PageGeometry PageForLocale() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? LetterPage() : A4Page();
}

QFont LayoutFont(const ReportFont& font) {
    QFont f(font.name);
    f.setStyleHint(font.name.contains(QStringLiteral("courier"), Qt::CaseInsensitive) ? QFont::TypeWriter
                                                                                     : QFont::SansSerif);
    f.setPixelSize(static_cast<int>(std::lround(font.pointSize * TwipsPerPoint)));
    f.setBold(font.bold);
    // Metrics at the layout's own size, not snapped to a screen's pixels.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

ReportLayout::ReportLayout(const PageGeometry& geometry) : geometry_(geometry) { startPage(); }

ReportLayout::ReportLayout(const ReportDocument& document, const PageGeometry& geometry) : ReportLayout(geometry) {
    extend(document);
}

void ReportLayout::extend(const ReportDocument& document) {
    const std::vector<ReportBlock>& blocks = document.blocks();
    for (; laidOut_ < blocks.size(); ++laidOut_) {
        const ReportBlock& block = blocks[laidOut_];
        if (const auto* paragraph = std::get_if<ReportParagraph>(&block.content)) {
            addParagraph(*paragraph, block.font);
        } else if (const auto* table = std::get_if<ReportTable>(&block.content)) {
            addTable(*table, block.font);
        } else {
            startPage();
        }
    }
}

void ReportLayout::startPage() {
    pages_.emplace_back();
    y_ = geometry_.marginsTwips.top();
}

void ReportLayout::reserve(double height) {
    const bool pageEmpty = pages_.back().texts.empty() && y_ == geometry_.marginsTwips.top();
    if (!pageEmpty && y_ + height > geometry_.contentBottom()) startPage();
}

void ReportLayout::addParagraph(const ReportParagraph& paragraph, const ReportFont& font) {
    const QFont qfont = LayoutFont(font);
    const QFontMetricsF metrics(qfont);
    const double lineHeight = metrics.height();
    if (paragraph.text.isEmpty()) {
        reserve(lineHeight);
        y_ += lineHeight;
        return;
    }
    QTextLayout textLayout(paragraph.text, qfont);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    option.setTabStopDistance(TabStop);
    textLayout.setTextOption(option);
    textLayout.beginLayout();
    for (QTextLine line = textLayout.createLine(); line.isValid(); line = textLayout.createLine()) {
        line.setLineWidth(geometry_.contentWidth());
        reserve(lineHeight);
        // A tab moves on to the next tab stop; the pieces between tabs are placed one by one.
        const QStringList pieces = paragraph.text.mid(line.textStart(), line.textLength()).split(u'\t');
        double x = 0;
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (i > 0) x = (std::floor(x / TabStop) + 1) * TabStop;
            if (!pieces[i].isEmpty())
                pages_.back().texts.push_back(
                    {{geometry_.marginsTwips.left() + x, y_ + metrics.ascent()}, pieces[i], font});
            x += metrics.horizontalAdvance(pieces[i]);
        }
        y_ += lineHeight;
    }
    textLayout.endLayout();
}

void ReportLayout::addTable(const ReportTable& table, const ReportFont& font) {
    const QFont qfont = LayoutFont(font);
    const QFontMetricsF metrics(qfont);
    const double rowHeight = metrics.height() + 2 * CellPadding;
    for (const QStringList& row : table.rows) {
        reserve(rowHeight);
        double left = geometry_.marginsTwips.left();
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const TableColumn& column = table.columns[c];
            const QString& text = row[static_cast<qsizetype>(c)];
            if (!text.trimmed().isEmpty()) {
                const double width = metrics.horizontalAdvance(text);
                double x = left + CellInset;
                if (column.alignment == CellAlignment::Centre) x = left + (column.widthTwips - width) / 2;
                if (column.alignment == CellAlignment::Right) x = left + column.widthTwips - CellInset - width;
                pages_.back().texts.push_back({{x, y_ + CellPadding + metrics.ascent()}, text, font});
            }
            left += column.widthTwips;
        }
        y_ += rowHeight;
    }
}

void ReportLayout::paint(QPainter& painter, int index) const {
    if (index < 0 || index >= pageCount()) return;
    painter.save();
    painter.setPen(Qt::black);
    for (const Text& text : pages_[static_cast<std::size_t>(index)].texts) {
        painter.setFont(LayoutFont(text.font));
        painter.drawText(text.baseline, text.text);
    }
    painter.restore();
}

QImage RenderPage(const ReportLayout& layout, int index, double dotsPerInch) {
    const double scale = dotsPerInch / TwipsPerInch;
    const QSizeF paper = layout.geometry().paperTwips;
    QImage image(static_cast<int>(std::ceil(paper.width() * scale)), static_cast<int>(std::ceil(paper.height() * scale)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    layout.paint(painter, index);
    return image;
}

} // namespace frontend
