// Every printed list of the program, laid out as its preview lays it out:
// each screen's report prints its title band first, with its title, and
// holds the detail lines its screen names on the first and the later pages.
#include "ReportLayoutCheck.h"
#include "ScreenWalk.h"

#include "core/screens/ErrcodeUnit.h"
#include "core/screens/ScreenRegistry.h"
#include "inquiries/screens/AmtSearchUnit.h"
#include "inquiries/screens/DepositUnit.h"
#include "inquiries/screens/DraftUnit.h"
#include "inquiries/screens/IcheErrViewUnit.h"
#include "inquiries/screens/IcheSearchUnit.h"
#include "inquiries/screens/IcheViewUnit.h"
#include "inquiries/screens/TicheErrTUnit.h"
#include "inquiries/screens/VDepositUnit.h"
#include "liquor/screens/LiquorResultScreens.h"
#include "transfers/screens/DaesangUnit.h"
#include "transfers/TransferRow.h"
#include "transfers/screens/IcheMakeUnit.h"
#include "platform/TListGrid.h"

#include <gtest/gtest.h>

namespace {

QString S(const char *text) { return QString::fromUtf8(text); }

// The screen walk's client: every screen library registered, ADMIN logged in.
class ReportWalk : public ScreenWalk
{
protected:
    // Opens the screen, fills its list with `rows` rows and checks its report.
    template <class Screen>
    void check(const char *name, const char *grid, const char *title, int rows, int firstPage, int laterPages)
    {
        SCOPED_TRACE(name);
        QWidget *w = ScreenRegistry::instance().create(QString::fromLatin1(name), nullptr, client.context());
        auto *screen = qobject_cast<Screen *>(w);
        ASSERT_NE(screen, nullptr);
        auto *list = screen->template findChild<TListGrid *>(QString::fromLatin1(grid));
        ASSERT_NE(list, nullptr);
        list->SetRowCount(rows + 1);
        for (int r = 1; r <= rows; ++r)
            for (int c = 0; c < list->ColCount(); ++c)
                list->SetCells(c, r, QString::number(r));
        ExpectReportLayout(screen->Report1, S(title), firstPage, laterPages);
        delete w;
    }
};

} // namespace

TEST_F(ReportWalk, EveryPrintedListHasItsTitleBandAndItsLinesPerPage)
{
    check<Tqv_ErrCode_frm>("qv_ErrCode_frm", "grd_error", "은행오류코드 리스트", 50, 33, 37);
    check<Tqv_Daesang_frm>("qv_Daesang_frm", "grd_daesang", "대 상 자 등록현황", 50, 33, 37);
    check<Tqv_IcheMake_frm>("qv_IcheMake_frm", "grd_ichelist", "송신요청이체자료 리스트", 50, 18, 25);
    check<Tqv_deposit_frm>("qv_deposit_frm", "grd_deposit", "예 금 명 세 현 황", 50, 18, 25);
    check<Tqv_V_deposit_frm>("qv_V_deposit_frm", "grd_deposit", "가 상 계 좌 입 금 현 황", 50, 18, 25);
    check<Tqv_draft_frm>("qv_draft_frm", "grd_draftlist", "보 관 어 음 현 황", 50, 19, 25);
    check<Tqv_TicheerrT_frm>("qv_TicheerrT_frm", "grd_allbank", "타행이체불능현황", 50, 19, 25);
    check<Tqv_icheerrview_frm>("qv_icheerrview_frm", "grd_allbank", "타행이체불능현황", 50, 19, 25);
    check<Tqv_Icheview_frm>("qv_Icheview_frm", "grd_ichelist", "이 체 처 리 현 황 (전체)", 50, 31, 37);
    check<Tqv_ichesearch_frm>("qv_ichesearch_frm", "grd_ichelist", "이체처리 현황 (사용자별)", 50, 31, 37);
    check<Tqv_j_ichesearch_frm>("qv_j_ichesearch_frm", "grd_ichelist", "이체처리현황 (사용자별)", 50, 31, 37);
    // The liquor status view prints its rows and stops: no empty lines.
    check<Tqv_j_icheview_frm>("qv_j_icheview_frm", "grd_ichelist", "이체처리현황 (사용자별)", 5, 5, 0);
    check<Tqv_amtsearch_frm>("qv_amtsearch_frm", "grd_Amtlist", "모계좌 잔액조회", 50, 33, 37);
}

TEST_F(ReportWalk, TheEntryPrintoutPrintsTheWidestRowsWhole)
{
    QWidget *w = ScreenRegistry::instance().create(QStringLiteral("qv_IcheMake_frm"), nullptr, client.context());
    auto *screen = qobject_cast<Tqv_IcheMake_frm *>(w);
    ASSERT_NE(screen, nullptr);
    TListGrid *list = screen->grd_ichelist;
    const int rows = 18;   // the first page's lines
    list->SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        list->SetCells(tcNo, r, QString::number(r));
        list->SetCells(tcMoBankName, r, S("SC제일은행"));
        list->SetCells(tcMoBankNo, r, QStringLiteral("123-4567-8901-234"));
        list->SetCells(tcWorkDiv, r, S("타행"));
        list->SetCells(tcTransDiv, r, S("지급"));
        list->SetCells(tcMoney, r, QStringLiteral("9,999,999,999,999"));
        list->SetCells(tcBankName, r, S("SC제일은행"));
        list->SetCells(tcBankNo, r, QStringLiteral("123-4567-8901-234"));
        list->SetCells(tcName, r, S("가나다라마바"));   // the most a name holds: 12 bytes
        list->SetCells(tcFirmId, r, QStringLiteral("HB0401"));
        list->SetCells(tcUserId, r, QStringLiteral("MAKER"));
    }
    qvx::Report &report = screen->Report1;
    const QVector<qvx::Report::Page> pages = report.layout();
    ASSERT_EQ(pages.size(), 1);
    const QStringList faults = report.clippedTexts(pages[0]);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
    delete w;
}
