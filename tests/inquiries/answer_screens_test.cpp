// The request screens the bank's answer fills: the balance inquiry, the
// account-holder name inquiry and the two transaction summaries. Each sends
// its request rows, the bank answers through the relay, and the list shows
// the answered values.
#include "InquiryScreenTest.h"

#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "core/SeqNo.h"
#include "inquiries/screens/AmtSearchUnit.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/FileChooser.h"

#include <QDir>
#include <QFile>

using namespace inquirytest;

namespace {

class BalanceScreen : public InquiryScreenTest
{
protected:
    Tqv_amtsearch_frm *open()
    {
        return ScreenInput::openFromMenu<Tqv_amtsearch_frm>(main, "qv_d3", "qv_amtsearch_frm");
    }
};

class BusyBankBalance : public BalanceScreen
{
protected:
    void adjust(qvx::ServerOptions &o) override { o.bankMaxPending = 0; }
};

} // namespace

TEST_F(BalanceScreen, AllAccountsOneRowEachAndTheAnswerFillsTheList)
{
    Tqv_amtsearch_frm *s = open();
    ASSERT_NE(s, nullptr);
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().texts().value(0), S("조회처리 중입니다."));
    const qvx::ResultSet rows = query(S("select seqno, bankid, bankno, recvid, up_gubuncode from amt_search order by seqno"));
    const int accounts = count(S("select count(*) from bank"));
    ASSERT_EQ(rows.recordCount(), accounts);
    for (int i = 1; i < rows.recordCount(); ++i)
        EXPECT_EQ(rows.value(i, S("seqno")).toLongLong(), rows.value(0, S("seqno")).toLongLong() + i);
    EXPECT_EQ(rows.value(0, S("up_gubuncode")), S("0600300"));

    ASSERT_TRUE(ClientFixture::waitFor([&] { return listRows(s->grd_Amtlist) == accounts; }));
    const qvx::ResultSet answered = query(S("select bankno, janwon, ablewon from amt_search where bankid = '04'"));
    int row = 1;
    while (row < s->grd_Amtlist->RowCount() && s->grd_Amtlist->Cells(1, row) != FormatAcctNo(S("04"), answered.value(0, S("bankno"))))
        ++row;
    ASSERT_LT(row, s->grd_Amtlist->RowCount());
    EXPECT_EQ(s->grd_Amtlist->Cells(0, row), S("국민은행"));
    EXPECT_EQ(s->grd_Amtlist->Cells(3, row), FormatMoney(QString::number(answered.value(0, S("janwon")).toLongLong())));
    EXPECT_EQ(s->grd_Amtlist->Cells(2, row), S("기업자유예금"));
    EXPECT_EQ(s->grd_Amtlist->Cells(5, row), qvx::Clock::today(S("yyyy-MM-dd")));
    EXPECT_EQ(s->Answers().size(), accounts);
}

TEST_F(BalanceScreen, OneAccountAndItsTextSave)
{
    Tqv_amtsearch_frm *s = open();
    ASSERT_NE(s, nullptr);
    ScreenInput::choose(s->cmb_allbank, 2); // the second account in bank order: 국민은행
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().texts().value(0), S("정상적으로 처리되었습니다."));
    EXPECT_EQ(count(S("select count(*) from amt_search where bankid = '04'")), 1);
    EXPECT_EQ(count(S("select count(*) from amt_search")), 1);
    ASSERT_TRUE(ClientFixture::waitFor([&] { return listRows(s->grd_Amtlist) == 1; }));

    const QString name = QDir(client->home()).filePath(S("data/잔액"));
    QDir().mkpath(QDir(client->home()).filePath(S("data")));
    qvx::ScriptedFileChooser files;
    files.enqueue(name, 1);
    ClickControl(s->btn_filesave);
    QFile file(name + S(".txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString line = qvx::Cp949::decode(file.readAll()).trimmed();
    EXPECT_TRUE(line.startsWith(S("국민은행                123401234567   기업자유예금")));
    EXPECT_TRUE(line.endsWith(qvx::Clock::today()));
    EXPECT_EQ(client->prompt().lastText(), name + S(".txt 를 저장하였습니다."));
}

TEST_F(BusyBankBalance, WithdrawnRegistrationSaysNothingWentOut)
{
    Tqv_amtsearch_frm *s = open();
    ASSERT_NE(s, nullptr);
    client->prompt().setDefaultAnswer(false); // withdraw at the busy question
    ClickControl(s->btn_search);
    EXPECT_TRUE(client->prompt().contains(SendDescBusyQuestion));
    EXPECT_FALSE(client->prompt().contains(S("조회처리 중입니다.")));
    EXPECT_EQ(listRows(s->grd_Amtlist), 0);
}
