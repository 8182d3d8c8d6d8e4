// The list-screen frame once, against a real server: the search with its
// empty message, totals and remembered filter; the report declaration (no
// title refused, the title band and paging made); the gap request from the
// checks to the all-or-nothing send and the new search.
#include "ClientFixture.h"

#include "core/DMUnit.h"
#include "core/GapRequest.h"
#include "core/RequestRows.h"
#include "core/Session.h"
#include "core/screens/ListFrame.h"
#include "platform/Prompt.h"
#include "platform/Report.h"
#include "platform/TListGrid.h"

#include <QAction>
#include <QStatusBar>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QString S(const char *text) { return QString::fromUtf8(text); }

const ListColumns &Columns()
{
    static const ListColumns columns = {
        {S("순번"), 40, AlignLeft, "", CellFormat::RowNo},
        {S("코드"), 80, AlignCenter, "errcode"},
        {S("내용"), 200, AlignLeft, "errcontents", CellFormat::Trimmed},
    };
    return columns;
}

struct Frame : ::testing::Test
{
    ClientFixture client;
    QWidget form;
    QStatusBar *status = nullptr;
    QString bank = S("98");
    int totalsCleared = 0;
    int rowsCounted = 0;
    int totalsShown = 0;
    std::unique_ptr<ListFrame> frame;

    void SetUp() override
    {
        ASSERT_TRUE(client.start(S("MAKER"), S("1111")));
        client.server().exec(S("delete from error where bankid in ('98', '97')"));
        for (const char *code : {"000001", "000002", "000005"})
            client.server().exec(S("insert into error (bankid, errcode, errcontents) values ('98', '%1', ' 통지 ')")
                                     .arg(QString::fromLatin1(code)));
        client.server().exec(S("delete from deposit_order"));
        form.setObjectName(S("qv_frame_test_frm"));
        status = new QStatusBar(&form);
    }

    ListDecl decl()
    {
        ListDecl d;
        d.grid = {"grd_list", &Columns()};
        d.search.statement = [this] {
            return bank.isEmpty() ? QString()
                                  : S("select errcode, errcontents from error where bankid = '%1' order by errcode").arg(bank);
        };
        d.search.filterKey = [this] { return bank; };
        d.search.emptyMessage = S("자료가 존재하지 않습니다.");
        d.search.onRow = [this](const qvx::ResultSet &, int, int) { ++rowsCounted; };
        d.totals = {[this] { ++totalsCleared; }, [this] { ++totalsShown; }};
        return d;
    }

    void make(ListDecl d)
    {
        frame = std::make_unique<ListFrame>(client.context(), &form, std::move(d));
        frame->makeGrid(&form, alNone);
        frame->formCreate();
    }

    GapRequestDecl gaps(std::function<RequestResult(const QList<int> &)> send)
    {
        GapRequestDecl g;
        g.emptyListMessage = S("먼저 통지 전문을 확인하신 후 결번이 있을 경우 요청하시기 바랍니다.");
        g.searchFirstMessage = S("결번요구할 은행에 대한 통지 전문을 조회하신 후 결번요청을 하시기 바랍니다.");
        g.numbers = [this] {
            return client.dm()->cms_select1(S("select errcode from error where bankid = '98' order by errcode"));
        };
        g.numberColumn = S("errcode");
        g.noNumbersMessage = S("해당일에 전송된 통지 내역이 존재하지 않습니다.");
        g.send = [send](const qvx::ResultSet &, const QList<int> &missing) { return send(missing); };
        g.searchAgain = true;
        return g;
    }
};

} // namespace

TEST_F(Frame, TheSearchFillsCountsAndRemembersOrSaysItFoundNothing)
{
    make(decl());
    EXPECT_TRUE(frame->isEmpty());
    EXPECT_EQ(frame->search(), 3);
    EXPECT_EQ(frame->grid()->Cells(1, 3), S("000005"));
    EXPECT_EQ(frame->grid()->Cells(2, 1), S("통지"));
    EXPECT_EQ(rowsCounted, 3);
    EXPECT_EQ(totalsShown, 1);
    EXPECT_EQ(frame->listed().recordCount(), 3);
    EXPECT_TRUE(frame->searchedAsChosen());
    bank = S("97");
    EXPECT_FALSE(frame->searchedAsChosen());

    // Nothing found: the list, the totals and the remembered search are cleared.
    const int cleared = totalsCleared;
    client.prompt().clear();
    EXPECT_EQ(frame->search(), 0);
    EXPECT_EQ(client.prompt().lastText(), S("자료가 존재하지 않습니다."));
    EXPECT_TRUE(frame->isEmpty());
    EXPECT_GT(totalsCleared, cleared);
    EXPECT_EQ(frame->listed().recordCount(), 0);
    EXPECT_FALSE(frame->searchedAsChosen());

    // A refused filter: no statement runs and nothing more is said.
    bank.clear();
    client.prompt().clear();
    EXPECT_EQ(frame->search(), 0);
    EXPECT_EQ(client.prompt().count(), 0);
}

TEST_F(Frame, AReportIsDeclaredWithItsTitleBandAndPaging)
{
    ListDecl untitled = decl();
    untitled.report = ListReportDecl{};
    untitled.report->columns = {{S("NO"), 10, ReportColumn::RowNo}, {S("코드"), 30, 1}};
    EXPECT_THROW(ListFrame(client.context(), &form, untitled), ReportDeclError);
    qvx::Report scratch;
    EXPECT_THROW(ListFrame::buildReport(scratch, *untitled.report), ReportDeclError);

    ListDecl d = decl();
    d.report = ListReportDecl{};
    d.report->title = S("오 류 코 드");
    d.report->values = {{S("은  행 : "), S("qlbl_bank"), {0, 16}}};
    d.report->columns = untitled.report->columns;
    d.report->paging.firstPageLines = 2;
    d.report->paging.laterPageLines = 3;
    d.report->fillTitle = [this](qvx::Report &r) { r.title.setCaption(S("qlbl_bank"), bank); };
    make(std::move(d));
    qvx::Report report;
    frame->attachReport(report);
    ASSERT_EQ(frame->search(), 3);
    EXPECT_EQ(report.documentName, S("오 류 코 드"));
    EXPECT_GT(report.title.height, 0);
    EXPECT_EQ(frame->reportRows()->linesPerPage(3), (QList<int>{2, 3}));
    report.BeforePrint();
    EXPECT_EQ(report.title.caption(S("qlbl_bank")), S("98"));
}

TEST_F(Frame, TheGapRequestChecksAsksForTheMissingNumbersAndSearchesAgain)
{
    QList<QList<int>> asked;
    RequestResult answer;
    ListDecl d = decl();
    d.gapRequest = gaps([&](const QList<int> &missing) {
        asked.append(missing);
        answer.count = int(missing.size());
        return answer;
    });
    make(std::move(d));

    // Empty list, then a list searched for another choice.
    client.prompt().clear();
    frame->requestGaps(status);
    EXPECT_EQ(client.prompt().lastText(), S("먼저 통지 전문을 확인하신 후 결번이 있을 경우 요청하시기 바랍니다."));
    ASSERT_EQ(frame->search(), 3);
    bank = S("97");
    frame->requestGaps(status);
    EXPECT_EQ(client.prompt().lastText(), S("결번요구할 은행에 대한 통지 전문을 조회하신 후 결번요청을 하시기 바랍니다."));
    EXPECT_TRUE(asked.isEmpty());
    bank = S("98");

    // A refused request (rolled back whole): said in the status line, no new search.
    answer.outcome = RequestResult::Outcome::InsertFailed;
    const int shown = totalsShown;
    frame->requestGaps(status);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked.first(), (QList<int>{3, 4}));
    EXPECT_EQ(status->currentMessage(), S("결번전문 2 건이 정상적으로 처리되지 않았습니다."));
    EXPECT_EQ(totalsShown, shown);

    // Sent: the status line says so and the list is searched again.
    answer.outcome = RequestResult::Outcome::Sent;
    frame->requestGaps(status);
    EXPECT_EQ(status->currentMessage(), S("결번전문 2 건을 처리중입니다."));
    EXPECT_EQ(totalsShown, shown + 1);
}

TEST_F(Frame, TheGapRequestGoesOutWholeThroughTheRequestSender)
{
    ListDecl d = decl();
    d.gapRequest = gaps([this](const QList<int> &missing) {
        RequestSender sender(*client.dm());
        const RequestHeader header = RequestHeader::of(client.session());
        return SendGapRequest<DepositOrderRow>(
            sender, RequestBatch::bySeqNo(S(DepositOrderRow::ServiceCode), S("deposit_order")), missing,
            [&](int number) {
                DepositOrderRow row;
                ApplyRequestHeader(row, header);
                row.BankID = S("98");
                row.DEPOSIT_SendDate = S("20261209");
                row.ORG_SEQNO = QString::number(number);
                return row;
            });
    });
    make(std::move(d));
    ASSERT_EQ(frame->search(), 3);
    frame->requestGaps(status);
    EXPECT_EQ(status->currentMessage(), S("결번전문 2 건을 처리중입니다."));
    const qvx::ResultSet rows = client.server().query(S("select org_seqno from deposit_order order by seqno"));
    ASSERT_EQ(rows.recordCount(), 2);
    EXPECT_EQ(rows.value(0, S("org_seqno")), S("3"));
    EXPECT_EQ(rows.value(1, S("org_seqno")), S("4"));
}

TEST_F(Frame, RowsHandedOverFillTheListAsASearchDoesAndNothingIsSaid)
{
    ListDecl d = decl();
    d.grid.find = false;
    make(std::move(d));
    EXPECT_EQ(frame->grid()->findChild<QAction *>(S("N1")), nullptr);
    ASSERT_EQ(frame->search(), 3);

    // The bank's answer replaces what was listed.
    const qvx::ResultSet answer({S("errcode"), S("errcontents")}, {{S("000009"), S(" 응답 ")}});
    const int shown = totalsShown;
    client.prompt().clear();
    EXPECT_EQ(frame->fill(answer), 1);
    EXPECT_EQ(frame->grid()->RowCount(), 2);
    EXPECT_EQ(frame->grid()->Cells(1, 1), S("000009"));
    EXPECT_EQ(frame->grid()->Cells(2, 1), S("응답"));
    EXPECT_EQ(frame->listed().recordCount(), 1);
    EXPECT_TRUE(frame->searchedAsChosen());
    EXPECT_EQ(totalsShown, shown + 1);

    // An empty answer empties the list; the one who hands it over says why.
    EXPECT_EQ(frame->fill(qvx::ResultSet()), 0);
    EXPECT_TRUE(frame->isEmpty());
    EXPECT_EQ(frame->listed().recordCount(), 0);
    EXPECT_EQ(client.prompt().count(), 0);
}

TEST_F(Frame, AReportWithADetailOfItsOwnKeepsItsTitleBandAndPullsItsOwnRows)
{
    int pulled = 0;
    ListDecl d = decl();
    d.report = ListReportDecl{};
    d.report->title = S("거 래 집 계 현 황");
    d.report->width = 277;
    d.report->paging.orientation = ReportParams::Landscape;
    d.report->detail = [&pulled](qvx::Report &report) {
        report.detail.height = 30;
        report.NeedData = [&pulled] { return ++pulled <= 2; };
    };
    d.report->fillTitle = [&pulled](qvx::Report &) { pulled = 0; };
    make(std::move(d));
    qvx::Report report;
    frame->attachReport(report);
    EXPECT_EQ(frame->reportRows(), nullptr);
    EXPECT_EQ(report.orientation, QPageLayout::Landscape);
    EXPECT_EQ(report.columnHeader.height, 0);
    ASSERT_EQ(frame->search(), 3);
    for (int run = 0; run < 2; ++run) {   // each print starts from the first row again
        const QVector<qvx::Report::Page> pages = report.layout();
        ASSERT_EQ(pages.size(), 1);
        EXPECT_EQ(pages[0].bands.first().band, S("title"));
        EXPECT_EQ(pages[0].detailCount(), 2);
    }
}

TEST_F(Frame, ASearchRefusedBeforeTheClearLeavesTheListAsItWas)
{
    QString refusal;
    ListDecl d = decl();
    d.search.refusal = [&refusal] { return refusal; };
    make(std::move(d));
    ASSERT_EQ(frame->search(), 3);
    const int cleared = totalsCleared;
    refusal = S("기간 설정이 올바르지 않습니다.");
    client.prompt().clear();
    EXPECT_EQ(frame->search(), 0);
    EXPECT_EQ(client.prompt().lastText(), S("기간 설정이 올바르지 않습니다."));
    EXPECT_EQ(frame->grid()->Cells(1, 3), S("000005"));
    EXPECT_EQ(totalsCleared, cleared);
    EXPECT_TRUE(frame->searchedAsChosen());
}

TEST_F(Frame, TheSearchKeepsAScreensOwnOrderOfChecksAndWhenTheListEmpties)
{
    ListDecl d = decl();
    bool numbersRight = false;
    bool accountChosen = false;
    QStringList steps;
    d.search.firstCheck = [&] {
        if (!numbersRight)
            qvx::Prompt::instance().message(S("전문범위가 올바르지 않습니다."));
        return numbersRight;
    };
    d.search.onOffline = [&] { steps << S("offline"); };
    d.search.listClearedCheck = [&] {
        steps << S("list %1").arg(frame->isEmpty() ? S("empty") : S("kept"));
        return accountChosen;
    };
    d.search.statementClearsList = true;
    d.search.searched = [&](const QString &sql, int rows) { steps << S("searched %1 %2").arg(!sql.isEmpty()).arg(rows); };
    make(std::move(d));
    accountChosen = numbersRight = true;
    ASSERT_EQ(frame->search(), 3);
    steps.clear();

    // The screen's own check comes before the offline refusal.
    numbersRight = false;
    client.session().ServerState = 1;
    client.prompt().clear();
    EXPECT_EQ(frame->search(), 0);
    EXPECT_EQ(client.prompt().texts(), QStringList{S("전문범위가 올바르지 않습니다.")});
    numbersRight = true;
    EXPECT_EQ(frame->search(), 0);
    EXPECT_EQ(client.prompt().lastText(),
              S("서버가 접속을 강제 종료하였습니다. 프로그램 종료 후 재접속하시기 바랍니다."));
    EXPECT_EQ(steps, QStringList{S("offline")});
    client.session().ServerState = 0;

    // The statement empties the list where it does: a refusal after the
    // list check leaves the rows and the totals as they were.
    steps.clear();
    const int cleared = totalsCleared;
    accountChosen = false;
    EXPECT_EQ(frame->search(), 0);
    EXPECT_EQ(steps, QStringList{S("list kept")});
    EXPECT_FALSE(frame->isEmpty());
    EXPECT_EQ(totalsCleared, cleared);

    // Nothing found: the statement is handed over after the empty message.
    steps.clear();
    accountChosen = true;
    bank = S("97");
    client.prompt().clear();
    EXPECT_EQ(frame->search(), 0);
    EXPECT_EQ(client.prompt().lastText(), S("자료가 존재하지 않습니다."));
    EXPECT_EQ(steps, (QStringList{S("list kept"), S("searched 1 0")}));
    EXPECT_GT(totalsCleared, cleared);
}

TEST_F(Frame, HandedRowsFillTheListAndRowsLeaveIt)
{
    make(decl());
    const qvx::ResultSet rows = client.server().query(
        S("select errcode, errcontents from error where bankid = '98' order by errcode"));
    EXPECT_EQ(frame->fill(rows), 3);
    EXPECT_EQ(frame->grid()->Cells(1, 2), S("000002"));
    EXPECT_EQ(rowsCounted, 3);
    EXPECT_EQ(totalsShown, 1);
    EXPECT_EQ(frame->listed().recordCount(), 3);

    frame->removeRow(2);
    EXPECT_EQ(frame->grid()->RowCount(), 3);
    EXPECT_EQ(frame->grid()->Cells(1, 2), S("000005"));
    frame->removeRow(1);
    frame->removeRow(1);
    EXPECT_EQ(frame->grid()->RowCount(), 2);
    EXPECT_TRUE(frame->isEmpty());
    EXPECT_TRUE(frame->grid()->Cells(2, 1).isEmpty());
}

// The search is refused while the server has dropped the link, unless the
// list reads its rows as its dialog is made; a dialog's list has no find action.

TEST_F(Frame, AnOfflineSearchIsRefusedUnlessDeclaredOtherwise)
{
    client.session().ServerState = 1;
    make(decl());
    EXPECT_FALSE(frame->grid()->actions().isEmpty());
    EXPECT_EQ(frame->search(), 0);
    EXPECT_EQ(client.prompt().lastText(),
              S("서버가 접속을 강제 종료하였습니다. 프로그램 종료 후 재접속하시기 바랍니다."));

    ListDecl d = decl();
    d.search.refuseOffline = false;
    d.grid.find = false;
    make(std::move(d));
    EXPECT_TRUE(frame->grid()->actions().isEmpty());
    EXPECT_EQ(frame->search(), 3);
    client.session().ServerState = 0;
}
