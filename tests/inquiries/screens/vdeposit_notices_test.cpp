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
#include "platform/TListGrid.h"

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
    qvx::BankSimulator::ensureTables(client->server().db());
    qvx::BankSimulator bank(client->server().db(), [] { return qvx::Clock::now(); });
    for (int i = 0; i < 5; ++i)
        bank.postNotices();
    const qvx::ResultSet stored = client->server().query(
        QStringLiteral("select bankid, count(*) as n from V_deposit group by bankid order by bankid"));
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

} // namespace
