#include "platform/Report.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using qvx::Report;
using qvx::ReportItem;

namespace {

// The list screens' report: title once, header and footer on every page, and
// NeedData that prints the rows, then empty rows until the page is full.
struct ListReport
{
    Report report;
    int rows = 0;
    int i = 0;
    int p = 0;
    int firstPageRows = 0;
    int laterPageRows = 0;
    bool firstPage = true;

    explicit ListReport(int dataRows)
        : rows(dataRows)
    {
        report.title.height = 277 - 10 - 8 - 31 * 6.0;
        report.columnHeader.height = 10;
        report.detail.height = 6;
        report.pageFooter.height = 8;
        report.detail.add(ReportItem::Label, QStringLiteral("qdata_no"), QRectF(0, 0, 10, 6));
        report.detail.add(ReportItem::Box, QString(), QRectF(0, 0, 190, 6));
        report.pageFooter.add(ReportItem::PageNumber, QStringLiteral("page"), QRectF(150, 0, 40, 8), QStringLiteral("Page : "));
        firstPageRows = report.detailCapacity(true);
        laterPageRows = report.detailCapacity(false);
        report.BeforePrint = [this] { i = 0; p = 0; firstPage = true; };
        report.NeedData = [this] {
            const bool more = i < rows || p % (firstPage ? firstPageRows : laterPageRows) != 0;
            if (!more)
                return false;
            report.detail.setCaption(QStringLiteral("qdata_no"), i < rows ? QString::number(i + 1) : QString());
            ++i;
            ++p;
            return true;
        };
        report.EndPage = [this] { p = 0; firstPage = false; };
    }
};

} // namespace

TEST(Report, CapacityFollowsTheBandsAndThePage)
{
    ListReport r(0);
    EXPECT_EQ(r.firstPageRows, 31);
    EXPECT_EQ(r.laterPageRows, 43);   // 277 - 10 - 8 = 259 mm, 6 mm rows
    r.report.orientation = QPageLayout::Landscape;
    EXPECT_LT(r.report.detailCapacity(false), 43);
}

TEST(Report, LastPageIsFilledWithEmptyRowsAndEveryPageHasItsNumber)
{
    ListReport r(40);
    const auto pages = r.report.layout();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].detailCount(), 31);
    EXPECT_EQ(pages[1].detailCount(), 43);
    EXPECT_EQ(pages[0].bands.first().band, QStringLiteral("title"));
    EXPECT_EQ(pages[1].bands.first().band, QStringLiteral("columnHeader"));
    EXPECT_EQ(pages[1].bands.last().band, QStringLiteral("pageFooter"));
    // Row 40 is the 9th detail of page 2; the 10th is an empty filler.
    int seen = 0;
    for (const auto &b : pages[1].bands)
        if (b.band == QStringLiteral("detail") && ++seen == 9)
            EXPECT_EQ(b.items[0].text, QStringLiteral("40"));
}

TEST(Report, AnEmptyListStillPrintsOnePageAndARunawayReportIsCut)
{
    ListReport r(0);
    auto pages = r.report.layout();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].detailCount(), 0);

    Report endless;
    endless.detail.height = 10;
    endless.NeedData = [] { return true; };
    EXPECT_EQ(endless.layout(5).size(), 5);
}

TEST(Report, ExportsAPdf)
{
    QTemporaryDir dir;
    ListReport r(3);
    r.report.title.add(ReportItem::Label, QStringLiteral("qrlbl_Title"), QRectF(0, 0, 190, 10), QStringLiteral("이체처리 현황"));
    const QString file = dir.filePath(QStringLiteral("r.pdf"));
    ASSERT_TRUE(r.report.exportPdf(file));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5).startsWith("%PDF"));
}

TEST(Report, DataEndingExactlyAtThePageEndAddsNoEmptyPage)
{
    ListReport r(31);
    const auto pages = r.report.layout();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].detailCount(), 31);
    EXPECT_EQ(pages[0].bands.last().band, QStringLiteral("pageFooter"));
}
