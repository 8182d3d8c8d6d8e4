#include "platform/Report.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
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
        if (b.band == QStringLiteral("detail") && ++seen == 9) {
            EXPECT_EQ(b.items[0].text, QStringLiteral("40"));
        }
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

namespace {

// A report whose labels hold spaces, as PDF.
QByteArray reportPdfWithSpaces(const QString &file)
{
    Report r;
    r.title.height = 30;
    r.title.add(ReportItem::Label, QStringLiteral("qrlbl_Title"), QRectF(0, 0, 190, 10), QStringLiteral("송신요청 이체자료 리스트"),
                Qt::AlignHCenter | Qt::AlignVCenter);
    r.title.add(ReportItem::Label, QStringLiteral("qrlbl_Date"), QRectF(0, 10, 190, 10), QStringLiteral("출력 일자 : 2026년 12월 09일"),
                Qt::AlignRight | Qt::AlignVCenter);
    // A label of two lines draws its spaces the same way.
    r.title.add(ReportItem::Label, QStringLiteral("qrlbl_Firm"), QRectF(0, 20, 190, 10),
                QStringLiteral("대상 업체 :\r\n모든 대상거래처"), Qt::AlignLeft | Qt::AlignVCenter);
    if (!r.exportPdf(file))
        return {};
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The characters the PDF's ToUnicode maps name for its glyphs (glyph 0, the
// missing glyph, left out).
QList<uint> toUnicodeTargets(const QByteArray &pdf)
{
    QList<uint> out;
    static const QRegularExpression hex(QStringLiteral("<([0-9A-Fa-f]+)>"));
    for (qsizetype at = pdf.indexOf("begincmap"); at >= 0; at = pdf.indexOf("begincmap", at + 1)) {
        const QString cmap = QString::fromLatin1(pdf.mid(at, pdf.indexOf("endcmap", at) - at));
        for (const QString &line : cmap.split(u'\n')) {
            QList<uint> tokens;
            for (auto it = hex.globalMatch(line); it.hasNext();)
                tokens << it.next().captured(1).toUInt(nullptr, 16);
            if (line.contains(u'[') && tokens.size() > 2)
                out << tokens.mid(2);                 // <lo> <hi> [<dst> ...]
            else if (tokens.size() == 3 && tokens[0] != 0)
                out << tokens[2];                     // <lo> <hi> <dst>
            else if (tokens.size() == 2 && !line.contains(QLatin1String("codespace")) && tokens[0] != 0)
                out << tokens[1];                     // <glyph> <dst>
        }
    }
    return out;
}

} // namespace

TEST(Report, SpacesInAPdfReadAsSpacesNotAsControlCharacters)
{
    QTemporaryDir dir;
    const QByteArray pdf = reportPdfWithSpaces(dir.filePath(QStringLiteral("r.pdf")));
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    const QList<uint> targets = toUnicodeTargets(pdf);
    ASSERT_FALSE(targets.isEmpty());
    EXPECT_TRUE(targets.contains(0xC1A1)); // 송
    for (uint c : targets)
        EXPECT_GE(c, 0x20u) << "a glyph is copied as U+" << std::hex << c;
}

TEST(Report, PdfTextExtractsWithItsSpaces)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("r.pdf"));
    ASSERT_FALSE(reportPdfWithSpaces(file).isEmpty());
    QProcess p;
    p.start(pdftotext, {file, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("송신요청 이체자료 리스트"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("출력 일자 : 2026년 12월 09일"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("대상 업체 :\n모든 대상거래처"))) << text.toStdString();
}
