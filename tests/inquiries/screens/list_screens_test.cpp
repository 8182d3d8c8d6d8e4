// The read-only lists of this library: the failure notices of other-bank
// transfers (error view) and the transfer status of every user.
#include "InquiryScreenTest.h"

#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "inquiries/screens/IcheErrViewUnit.h"
#include "platform/Clock.h"

#include <QDateEdit>

using namespace inquirytest;

namespace {

class ErrorView : public InquiryScreenTest
{
protected:
    void seedNotice(const QString &bankId, const QString &moBankNo, int number, const QString &price,
                    const QString &gubun = S("30"))
    {
        client->server().exec(
            QStringLiteral("insert into ta_iche_err (service, seqno, sendid, recvid, firmid, bankid, sendflag, errcode, "
                           "err_senddate, bank_seqno, org_seqno, mobankno, trans_bankid, bankno, gubun, price, "
                           "proctime, fee, cmscode, name, procresult, taprocno, sr_flag, up_gubuncode) values "
                           "('DY2', %1, 'KBK0400', 'QVX0000001', 'HB0401', '%2', '1', '0012', '%3', '%4', '000009', "
                           "'%5', '20', '9990001112223', '%6', '%7', '101530', '500', 'CMS1', '폐업상사', '0012', "
                           "'T1', '4', '0410640')")
                .arg(number)
                .arg(bankId, qvx::Clock::today(), QStringLiteral("%1").arg(number, 6, 10, QChar(u'0')), moBankNo,
                     gubun, price));
    }
    Tqv_icheerrview_frm *open()
    {
        return ScreenInput::openFromMenu<Tqv_icheerrview_frm>(main, "qv_b4", "qv_icheerrview_frm");
    }
};

} // namespace

TEST_F(ErrorView, NoticesOfTheChosenBankAndAReversedPeriodRefusedBeforeClearing)
{
    seedNotice(S("04"), S("123401234567"), 1, S("15000"));
    seedNotice(S("04"), S("123401234567"), 2, S("2500000"), S("20"));
    seedNotice(S("20"), S("1005123456789"), 1, S("700"));
    Tqv_icheerrview_frm *s = open();
    ASSERT_NE(s, nullptr);
    ClickControl(s->btn_search);
    ASSERT_EQ(listRows(s->grd_allbank), 3) << client->prompt().texts().join(u'|').toStdString() << count(S("select count(*) from ta_iche_err"));

    ScreenInput::choose(s->cmb_allbank, 2); // 국민은행 (04)
    ClickControl(s->btn_search);
    ASSERT_EQ(listRows(s->grd_allbank), 2);
    EXPECT_EQ(s->grd_allbank->Cells(1, 2), S("000002"));
    EXPECT_EQ(s->grd_allbank->Cells(2, 1), qvx::Clock::today(S("yyyy-MM-dd")));
    EXPECT_EQ(s->grd_allbank->Cells(8, 2), S("2,500,000"));
    EXPECT_EQ(s->grd_allbank->Cells(10, 1), S("이체"));
    EXPECT_EQ(s->grd_allbank->Cells(10, 2), S("수납"));
    EXPECT_EQ(s->grd_allbank->Cells(11, 1), S("10:15:30"));
    EXPECT_EQ(s->grd_allbank->Cells(22, 1), S("HB0401"));  // the ids the row carries beyond the shown columns
    ScreenInput::savePicture(s, "error_view");

    s->dtpkr_from->setDate(qvx::Clock::date().addDays(1));
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().lastText(), S("기간 설정이 올바르지 않습니다."));
    EXPECT_EQ(listRows(s->grd_allbank), 2);
}

TEST_F(ErrorView, NoNoticeOfThePeriod)
{
    Tqv_icheerrview_frm *s = open();
    ASSERT_NE(s, nullptr);
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().lastText(), S("타행이체불능 통지 전문이 수신되지 않았습니다."));
    EXPECT_EQ(listRows(s->grd_allbank), 0);
}
