#pragma once
// The fixture of the inquiry screens' tests: a real server with the
// simulated bank (answers after 50 ms, announced through the relay), the
// client started with MAKER logged in and its main window shown. A question
// the test did not queue an answer for fails it.

#include "backend/RelayServer.h"
#include "backend/ServerOptions.h"
#include "core/screens/ClientMainUnit.h"
#include "inquiries/screens/InquiryScreens.h"
#include "platform/ResultSet.h"
#include "platform/TListGrid.h"
#include "support/client/ClientFixture.h"
#include "support/client/ScreenInput.h"

#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

namespace inquirytest {

inline QString S(const char *s) { return QString::fromUtf8(s); }

class InquiryScreenTest : public ::testing::Test
{
protected:
    // Server options of a test before it starts (limits of the bank).
    virtual void adjust(qvx::ServerOptions &) {}

    void SetUp() override
    {
        ClientFixture::Options options;
        options.server.bank = true;
        options.server.adjust = [this](qvx::ServerOptions &o) {
            o.bankDelayMs = 50;
            adjust(o);
        };
        client = std::make_unique<ClientFixture>(options);
        registerInquiryScreens();
        ASSERT_TRUE(client->start(S("MAKER"), S("1111")));
        main = client->mainWindow();
        ScreenInput::showMainWindow(main);
        ASSERT_TRUE(ClientFixture::waitFor([this] { return client->server().relay()->isConnected(S("MAKER")); }));
        // A test queues the answer of every question it expects.
        client->failUnexpectedQuestions();
    }
    qvx::ResultSet query(const QString &sql) { return client->server().query(sql); }
    int count(const QString &sql) { return query(sql).value(0, 0).toInt(); }
    // Rows of a list that hold data (0 when the first data row is empty).
    static int listRows(const TListGrid *grid, int col = 0)
    {
        return grid->Cells(col, 1).isEmpty() ? 0 : grid->RowCount() - 1;
    }
    bool waitForPrompt(const QString &text)
    {
        return ClientFixture::waitFor([this, text] { return client->prompt().contains(text); });
    }

    std::unique_ptr<ClientFixture> client;
    Tqv_frm *main = nullptr;
};

// A click on the check box of a list cell, where the style draws it.
inline void ClickCheckBox(TListGrid *grid, int col, int row)
{
    ASSERT_TRUE(ClickGridCell(grid, col, row));
    const QModelIndex index = grid->model()->index(row, col);
    QStyleOptionViewItem option;
    option.initFrom(grid);
    option.rect = grid->visualRect(index);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = grid->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, grid);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, box.center());
}

} // namespace inquirytest
