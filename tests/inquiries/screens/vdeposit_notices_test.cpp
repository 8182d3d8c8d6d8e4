// The virtual-account notices, the deposit notices' twin: the bank's
// virtual-account notices listed with their own columns and totalled into
// the ten amount fields, and the gap request on the twin's own service.
#include "ListScreenFixture.h"

#include "backend/BankSimulator.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "core/TextUtils.h"
#include "core/screens/ListGrid.h"
#include "inquiries/DepositNoticeColumns.h"
#include "inquiries/screens/InquiryScreens.h"
#include "inquiries/screens/VDepositUnit.h"
#include "core/screens/ScreenRegistry.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/TListGrid.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

class VirtualNotices : public ListScreenFixture
{
protected:
    void registerScreens() override { registerInquiryScreens(); }
    // The menu item is there only where virtual accounts are in use: the
    // screen is made as the menu would make it.
    // Five rounds of the bank's notices; the virtual-account notices stored by bank.
    qvx::ResultSet postNotices()
    {
        qvx::BankSimulator::ensureTables(client->server().db());
        qvx::BankSimulator bank(client->server().db(), [] { return qvx::Clock::now(); });
        for (int i = 0; i < 5; ++i)
            bank.postNotices();
        return client->server().query(
            QStringLiteral("select bankid, count(*) as n from V_deposit group by bankid order by bankid"));
    }
    Tqv_V_deposit_frm *openScreen()
    {
        QWidget *w = ScreenRegistry::instance().create(QStringLiteral("qv_V_deposit_frm"), nullptr, main->screenContext());
        auto *s = qobject_cast<Tqv_V_deposit_frm *>(w);
        if (s) {
            s->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(s));
            watchModel(s->grd_deposit);
        }
        return s;
    }
};

TEST_F(VirtualNotices, TheVirtualAccountNoticesAreListedTotalledAndTheirGapsAskedFor)
{
    const qvx::ResultSet stored = postNotices();
    if (stored.isEmpty())
        GTEST_SKIP() << "the demo data has no virtual-account account";
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, QStringLiteral("[") + stored.value(0, 0) + u']')));
    ASSERT_TRUE(ClickControl(s->btn_search));
    ASSERT_EQ(GridIsEmpty(s->grd_deposit) ? 0 : s->grd_deposit->RowCount() - 1, stored.valueInt(0, QStringLiteral("n")));
    qint64 listed = 0;
    for (int r = 1; r < s->grd_deposit->RowCount(); ++r)
        listed += MoneyStrToCurr(s->grd_deposit->Cells(VDepositCol::Price, r));
    qint64 totalled = 0;
    for (TCurrencyEdit *edit : s->totals)
        totalled += edit->Value().toInt64();
    EXPECT_LE(totalled, listed);
    EXPECT_GT(totalled, 0);
    SavePicture(s, "virtual_notices");

    ASSERT_TRUE(ClickControl(s->btn_order));
    EXPECT_TRUE(s->StatusBar1->currentMessage().startsWith(S("결번전문 "))) << qPrintable(s->StatusBar1->currentMessage());
    EXPECT_GT(client->server().query(QStringLiteral("select count(*) as n from V_deposit_order where up_gubuncode = "
                                                    "'0200970'")).valueInt(0, QStringLiteral("n")),
              0);
    s->close();
}

// The three notice lists list a bank's accounts in the order of their
// numbers: the deposit list hyphenated for the bank, its twin and the bills
// as stored.
TEST_F(VirtualNotices, EachNoticeListShowsTheChosenBanksAccountsInNumberOrder)
{
    // A second account of bank 20, stored after the first but numbered before it.
    client->server().exec(S("insert into bank (bankid, mobankno, bankname, firmid, recvid) values "
                            "('20', '1002987654321', '우리은행', 'HB2001', 'WRB2000')"));
    const struct { const char *name; QStringList accounts; } screens[] = {
        {"qv_deposit_frm", {S("1002-987-654321"), S("1005-123-456789")}},
        {"qv_V_deposit_frm", {S("1002987654321"), S("1005123456789")}},
        {"qv_draft_frm", {S("1002987654321"), S("1005123456789")}},
    };
    for (const auto &entry : screens) {
        SCOPED_TRACE(entry.name);
        QWidget *s = ScreenRegistry::instance().create(QString::fromLatin1(entry.name), nullptr, main->screenContext());
        ASSERT_NE(s, nullptr);
        s->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(s));
        auto *banks = s->findChild<TKitComboBox *>(S("cmb_allbank"));
        auto *accounts = s->findChild<TKitComboBox *>(S("cmb_bankno"));
        ASSERT_TRUE(banks && accounts);
        EXPECT_FALSE(accounts->isEnabled());
        ASSERT_TRUE(Pick(banks, ItemWith(banks, S("[20]"))));
        ASSERT_EQ(accounts->Items().Count(), 3);
        EXPECT_EQ(accounts->Items()[0], S("계좌전체선택"));
        EXPECT_EQ(accounts->Items()[1], entry.accounts[0]);
        EXPECT_EQ(accounts->Items()[2], entry.accounts[1]);
        EXPECT_TRUE(Pick(accounts, 2));
        if (QString::fromLatin1(entry.name) == S("qv_V_deposit_frm"))
            SavePicture(s, "virtual_notices_accounts");
        s->close();
    }
}

// Enter walks the search bar to 검 색 and searches; a second Enter searches
// again there: the button stays on and keeps the focus, and no gap request
// goes out unasked.
TEST_F(VirtualNotices, ASecondEnterOnSearchSearchesAgainAndAsksTheBankForNothing)
{
    const qvx::ResultSet stored = postNotices();
    if (stored.isEmpty())
        GTEST_SKIP() << "the demo data has no virtual-account account";
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    s->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(s));
    ASSERT_TRUE(Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, QStringLiteral("[") + stored.value(0, 0) + u']')));
    for (int i = 0; i < 8 && QApplication::focusWidget() != s->btn_search; ++i)
        PressEnter();
    ASSERT_EQ(QApplication::focusWidget(), s->btn_search);
    EXPECT_EQ(PressEnter(), s->btn_search);
    EXPECT_EQ(s->grd_deposit->RowCount() - 1, stored.valueInt(0, QStringLiteral("n")));
    expectEnterSearchesAgain(s->btn_search, [&] { return s->grd_deposit->RowCount() - 1; }, "V_deposit_order");
    EXPECT_TRUE(s->StatusBar1->currentMessage().isEmpty()) << qPrintable(s->StatusBar1->currentMessage());
    s->close();
}

// The twin reads the deposit list's visibility keys "1" to "19" only, and
// its search button has no Enter form: Enter presses it as a click does,
// and the click search starts from a clear status line.
TEST_F(VirtualNotices, TheTwinReadsNineteenVisibilityKeysAndEnterOnSearchClicksIt)
{
    {
        qvx::IniFile ini = client->config();
        ini.writeString(S("QV_V_DEPOSIT_FRM"), S("19"), S("0원거래일자"));
        ini.writeString(S("QV_V_DEPOSIT_FRM"), S("20"), S("0원거래번호"));
    }
    const qvx::ResultSet stored = postNotices();
    if (stored.isEmpty())
        GTEST_SKIP() << "the demo data has no virtual-account account";
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->grd_deposit->IsColumnHidden(18));
    EXPECT_FALSE(s->grd_deposit->IsColumnHidden(19));

    ASSERT_TRUE(Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, QStringLiteral("[") + stored.value(0, 0) + u']')));
    ASSERT_TRUE(ClickControl(s->btn_search));
    ASSERT_TRUE(ClickControl(s->btn_order));
    ASSERT_TRUE(s->StatusBar1->currentMessage().startsWith(S("결번전문 ")));
    s->btn_search->setFocus();
    QTest::keyClick(s->btn_search, Qt::Key_Return);
    EXPECT_TRUE(ClientFixture::waitFor([&] { return s->StatusBar1->currentMessage().isEmpty(); }));
    EXPECT_EQ(s->grd_deposit->RowCount() - 1, stored.valueInt(0, QStringLiteral("n")));
    s->close();
}

} // namespace
