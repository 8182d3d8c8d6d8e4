// Every printed report of the inquiry screens laid out as its preview lays
// it out: its title band is printed with the title, account, period and
// totals, its pages hold the lines the screen names, and no column cuts the
// widest value its list can hold (13-digit amounts, hyphenated accounts,
// dashed dates, the longest kinds and names), no two texts of a line run
// together, no title overlaps the column header and none leaves an empty
// stretch above it. The result lists' totals grids hold 13-digit sums whole. Each first page is also
// drawn to a picture for a person to look at.
#include "ListScreenFixture.h"
#include "ReportLayoutCheck.h"

#include "core/ListColumns.h"
#include "core/screens/ScreenRegistry.h"
#include "inquiries/DepositNoticeColumns.h"
#include "inquiries/DraftNoticeColumns.h"
#include "inquiries/FailedTransferColumns.h"
#include "inquiries/ResultList.h"
#include "inquiries/SummaryInquiry.h"
#include "inquiries/screens/AmtSearchUnit.h"
#include "inquiries/screens/DepositUnit.h"
#include "inquiries/screens/DraftUnit.h"
#include "inquiries/screens/IcheErrViewUnit.h"
#include "inquiries/screens/IcheSearchUnit.h"
#include "inquiries/screens/IcheViewUnit.h"
#include "inquiries/screens/InquiryScreens.h"
#include "inquiries/screens/TicheErrTUnit.h"
#include "inquiries/screens/TrsumUnit.h"
#include "inquiries/screens/VDepositUnit.h"
#include "controls/panels/KitComboBox.h"
#include "platform/Report.h"
#include "platform/ResultSet.h"
#include "platform/TListGrid.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

const QString WidestAmount = QStringLiteral("1,234,567,890,123");
const QString WidestBalance = QStringLiteral("-1,234,567,890,123");
const QString WidestAccount = QStringLiteral("123-4567-8901-234");
const QString WidestCount = QStringLiteral("9,999,999");

// The widest text a list column of this form can hold; empty for free texts.
QString Widest(const ListColumn &column)
{
    switch (column.format) {
    case CellFormat::Money:
        return WidestAmount;
    case CellFormat::Account:
        return WidestAccount;
    case CellFormat::Date:
        return QStringLiteral("2026-12-31");
    case CellFormat::Time:
        return QStringLiteral("23:59:59");
    case CellFormat::Text:
    case CellFormat::Trimmed:
        return QStringLiteral("A");   // a short text: the list holds data
    default:
        return QString();
    }
}

// `rows` data rows of the widest values (row numbers in the row-number
// column), `balanceCol` with a negative amount, and the texts of `named`
// (column, text) in their columns.
void FillWidest(TListGrid *grid, const ListColumns &columns, int rows, int balanceCol = -1,
                const QList<std::pair<int, QString>> &named = {})
{
    grid->SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < columns.size(); ++c) {
            QString text = columns[c].format == CellFormat::RowNo ? QString::number(r) : Widest(columns[c]);
            if (c == balanceCol)
                text = WidestBalance;
            for (const auto &[col, value] : named)
                if (col == c)
                    text = value;
            grid->SetCells(c, r, text);
        }
}

// The totals grid of a result list at the screen's size: every figure
// column holds the widest count and amount whole, and all ten columns lie
// inside the grid (the last one not cut at its edge).
void ExpectTotalsWhole(TListGrid *totals)
{
    for (int c = 1; c < 10; ++c) {
        totals->SetCells(c, 2, WidestCount);
        totals->SetCells(c, 3, WidestAmount);
    }
    QCoreApplication::processEvents();   // the grid fits its columns once the event loop runs
    const QFontMetrics metrics(totals->font());
    int right = 0;
    for (int c = 0; c < 10; ++c) {
        EXPECT_GE(totals->ColWidths(c), c == 0 ? 1 : metrics.horizontalAdvance(WidestAmount) + 6) << "column " << c;
        right += totals->ColWidths(c);
    }
    EXPECT_LE(right, totals->viewport()->width()) << "the last figure column is cut";
}

void SavePage(qvx::Report &report, const QVector<qvx::Report::Page> &pages, const char *name)
{
    const double dotsPerMm = 6;
    const QSizeF mm = report.pageSizeMm();
    QImage image(int(mm.width() * dotsPerMm), int(mm.height() * dotsPerMm), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(dotsPerMm * 1000));
    image.setDotsPerMeterY(int(dotsPerMm * 1000));
    image.fill(Qt::white);
    QPainter painter(&image);
    report.paintPage(painter, pages.first(), dotsPerMm);
    painter.end();
    const QString dir = qEnvironmentVariable("QUVEX_TEST_OUTPUT", QDir::tempPath());
    QDir().mkpath(dir);
    image.save(dir + u'/' + QString::fromLatin1(name) + QStringLiteral(".png"));
}

const QStringList NoticeTitle = {QStringLiteral("qrlbl_Title"), QStringLiteral("qlbl_mobankno"),
                                 QStringLiteral("qlbl_date")};

class InquiryReports : public ListScreenFixture
{
protected:
    void registerScreens() override { registerInquiryScreens(); }

    template <class Screen>
    Screen *create(const char *name)
    {
        auto *s = qobject_cast<Screen *>(
            ScreenRegistry::instance().create(QString::fromLatin1(name), nullptr, main->screenContext()));
        if (s) {
            s->setAttribute(Qt::WA_DeleteOnClose);
            s->show();
        }
        return s;
    }

    // Lays the report out and checks its title band (the named labels
    // filled), the detail lines of the first two pages and that nothing is
    // cut; the first page goes to a picture.
    void check(qvx::Report &report, const char *name, const QStringList &titleLabels, int first, int later)
    {
        SCOPED_TRACE(name);
        const QVector<qvx::Report::Page> pages = report.layout();
        ASSERT_GE(pages.size(), 1);
        ASSERT_FALSE(pages[0].bands.isEmpty());
        const qvx::Report::PlacedBand &title = pages[0].bands.first();
        EXPECT_EQ(title.band, QStringLiteral("title"));
        for (const QString &label : titleLabels) {
            QString text;
            for (const qvx::ReportItem &item : title.items)
                if (item.name.compare(label, Qt::CaseInsensitive) == 0)
                    text = item.text;
            EXPECT_FALSE(text.trimmed().isEmpty()) << label.toStdString();
        }
        if (first > 0) {
            ASSERT_GE(pages.size(), 2);
            EXPECT_EQ(pages[0].detailCount(), first);
            EXPECT_EQ(pages[1].detailCount(), later);
        }
        QStringList faults;   // each once, whichever page shows it
        for (const qvx::Report::Page &page : pages)
            for (const QString &fault : report.clippedTexts(page))
                if (!faults.contains(fault))
                    faults << fault;
        EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
        // The column header follows the title band's last line, with no
        // empty stretch under the band.
        double lowest = 0;
        for (const qvx::ReportItem &item : title.items)
            lowest = std::max(lowest, item.rect.bottom());
        EXPECT_LE(title.height - lowest, 3.0) << "empty millimetres under the title band";
        SavePage(report, pages, name);
    }

    template <class Screen>
    void checkFailedNotices(Screen *s, const char *name)
    {
        ASSERT_NE(s, nullptr);
        FillWidest(s->grd_allbank, FailedTransferColumns(), 50, -1, {{FailedCol::Name, S("폐업상사")}});
        check(s->Report1, name,
              NoticeTitle + QStringList{QStringLiteral("qlbl_icheerrmoney"), QStringLiteral("qlbl_amtmoney")}, 19, 25);
        CheckReportLayout(s->Report1, S("타행이체불능현황"), 19, 25);
        s->close();
    }

    // A result list of the first `columns` result columns, its totals at their widest.
    template <class Screen>
    void checkResultList(Screen *s, int columns, const char *name, const QString &title, const QStringList &moreTitle)
    {
        ASSERT_NE(s, nullptr);
        ExpectTotalsWhole(s->grd_test);
        FillWidest(s->grd_ichelist, ResultList::Columns().mid(0, columns), 50);
        for (int c : {3, 6, 9}) {
            s->grd_test->SetCells(c, 2, WidestCount);
            s->grd_test->SetCells(c, 3, WidestAmount);
        }
        check(s->Report1, name,
              NoticeTitle + moreTitle + QStringList{QStringLiteral("qlbl_totalmoney"), QStringLiteral("qlbl_errgun")},
              31, 37);
        ExpectReportLayout(s->Report1, title, 31, 37);
        s->close();
    }
};

TEST_F(InquiryReports, EveryReportPrintsItsTitleBandItsPagesAndTheWidestValuesWhole)
{
    {
        auto *s = open<Tqv_deposit_frm>("qv_c2", "qv_deposit_frm");
        ASSERT_NE(s, nullptr);
        FillWidest(s->grd_deposit, DepositNoticeColumns(), 50, DepositCol::Remain,
                   {{DepositCol::TransDiv, S("집금/어음만기입금")}});
        for (int c = 1; c <= 5; ++c)
            for (int r : {1, 3})
                s->grd_test->SetCells(c, r, WidestAmount);
        check(s->Report1, "report_deposit", NoticeTitle + QStringList{QStringLiteral("qlbl_ibgum"), QStringLiteral("qlbl_jigum")},
              18, 25);
        CheckReportLayout(s->Report1, S("예 금 명 세 현 황"), 18, 25);
        s->close();
    }
    {
        auto *s = create<Tqv_V_deposit_frm>("qv_V_deposit_frm");
        ASSERT_NE(s, nullptr);
        FillWidest(s->grd_deposit, VirtualDepositNoticeColumns(), 50, VDepositCol::Remain,
                   {{VDepositCol::TransDiv, S("집금/어음만기입금")}});
        check(s->Report1, "report_vdeposit", NoticeTitle, 18, 25);
        CheckReportLayout(s->Report1, S("가 상 계 좌 입 금 현 황"), 18, 25);
        s->close();
    }
    {
        auto *s = open<Tqv_draft_frm>("qv_c3", "qv_draft_frm");
        ASSERT_NE(s, nullptr);
        FillWidest(s->grd_draftlist, DraftNoticeColumns(), 50);
        for (int c = 1; c <= 6; ++c)
            s->grd_test->SetCells(c, 1, WidestAmount);
        check(s->Report1, "report_draft", NoticeTitle + QStringList{QStringLiteral("qlbl_sutak"), QStringLiteral("qlbl_return")},
              19, 25);
        CheckReportLayout(s->Report1, S("보 관 어 음 현 황"), 19, 25);
        s->close();
    }
    // The failure notices and their read-only view print the same list.
    checkFailedNotices(open<Tqv_TicheerrT_frm>("qv_c1", "qv_TicheerrT_frm"), "report_failed_notices");
    checkFailedNotices(open<Tqv_icheerrview_frm>("qv_b4", "qv_icheerrview_frm"), "report_error_view");
    // The status view and the result inquiry print the result list with its totals.
    checkResultList(open<Tqv_Icheview_frm>("qv_b3", "qv_Icheview_frm"), ResultList::cCfmId, "report_status_view",
                    QStringLiteral("이 체 처 리 현 황 (전체)"), {});
    checkResultList(open<Tqv_ichesearch_frm>("qv_d1", "qv_ichesearch_frm"), int(ResultList::Columns().size()),
                    "report_result_inquiry", QStringLiteral("이체처리 현황 (사용자별)"), {QStringLiteral("qlbl_username")});
    {
        auto *s = open<Tqv_amtsearch_frm>("qv_d3", "qv_amtsearch_frm");
        ASSERT_NE(s, nullptr);
        FillWidest(s->grd_Amtlist, s->Columns(), 50);
        check(s->Report1, "report_balance",
              {QStringLiteral("qrlbl_Title"), QStringLiteral("qlbl_searchdate"), QStringLiteral("qdata_Toremain")}, 33, 37);
        s->close();
    }
    {
        auto *s = create<Tqv_trsum_frm>("qv_trsum_frm");
        ASSERT_NE(s, nullptr);
        QStringList names = {QStringLiteral("seqno"), QStringLiteral("mobankname"), QStringLiteral("bankid"),
                             QStringLiteral("mobankno"), QStringLiteral("firmid"), QStringLiteral("common_dummy")};
        QStringList values = {QStringLiteral("999999"), S("SC제일은행"), QStringLiteral("02"),
                              QStringLiteral("12345678901234"), QStringLiteral("HB0401"), QString()};
        for (const char *field : SummaryAnswer::AmountFields) {
            names << QString::fromLatin1(field);
            values << QStringLiteral("1234567890123");
        }
        s->ShowAnswer(qvx::ResultSet(names, {values, values, values}));
        check(s->Report2, "report_summary", {QStringLiteral("qrlbl_Title"), QStringLiteral("qlbl_date")}, 0, 0);
        s->close();
    }
}

} // namespace
