#include "fit/report_document.h"
#include "fit/report_layout.h"

#include <gtest/gtest.h>
#include <qstring_printer.h>

namespace frontend {
namespace {

TEST(ParseTableText, ReadsWidthsAlignmentsAndCells) {
    const ReportTable table = ParseTableText(QStringLiteral("<720|^1800|>350|1500;| |;1|X |Y;a|b|c|d|e;"));
    ASSERT_EQ(table.columns.size(), 4u);
    EXPECT_EQ(table.columns[0], (TableColumn{720, CellAlignment::Left}));
    EXPECT_EQ(table.columns[1], (TableColumn{1800, CellAlignment::Centre}));
    EXPECT_EQ(table.columns[2], (TableColumn{350, CellAlignment::Right}));
    EXPECT_EQ(table.columns[3], (TableColumn{1500, CellAlignment::Left}));
    EXPECT_EQ(table.widthTwips(), 4370);
    ASSERT_EQ(table.rows.size(), 3u);
    // A leading "|" is an empty first cell; short rows are padded, long ones cut to the columns.
    EXPECT_EQ(table.rows[0], (QStringList{"", " ", "", ""}));
    EXPECT_EQ(table.rows[1], (QStringList{"1", "X ", "Y", ""}));
    EXPECT_EQ(table.rows[2], (QStringList{"a", "b", "c", "d"}));
}

TEST(ParseTableText, ToleratesEmptyAndMalformedText) {
    EXPECT_TRUE(ParseTableText(QString()).columns.size() <= 1);
    const ReportTable table = ParseTableText(QStringLiteral("^abc|>;x"));
    ASSERT_EQ(table.columns.size(), 2u);
    EXPECT_EQ(table.columns[0].widthTwips, 0);
    EXPECT_EQ(table.rows.size(), 1u);
}

TEST(ReportDocument, BlocksKeepTheFontThatWasCurrent) {
    ReportDocument doc;
    doc.setFontName(QStringLiteral("Courier New"));
    doc.setBold(true);
    doc.addParagraph(QStringLiteral("one"));
    doc.setBold(false);
    doc.newPage();
    doc.addTable(QStringLiteral("100|100;a|b;"));
    ASSERT_EQ(doc.blocks().size(), 3u);
    EXPECT_EQ(doc.blocks()[0].font, (ReportFont{QStringLiteral("Courier New"), 11, true}));
    EXPECT_FALSE(doc.blocks()[2].font.bold);
    EXPECT_EQ(doc.plainText(), (QStringList{"one", "a|b"}));
}

} // namespace
} // namespace frontend
