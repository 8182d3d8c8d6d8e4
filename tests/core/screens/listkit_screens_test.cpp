// The list-screen kit once: a grid made and filled from a declared column
// table, the check-box column (ticked by a real click), the save options
// byte for byte, report columns and paging, the result totals grid, the
// combos' records, keyboard date entry and the find action.
#include "ScreenDriver.h"

#include "core/DMUnit.h"
#include "core/CellText.h"
#include "core/ResultTotals.h"
#include "core/screens/FormParts.h"
#include "core/screens/ListCombos.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ListReport.h"
#include "core/screens/ListKit.h"
#include "core/screens/MotherAccountCombo.h"
#include "core/screens/ResultTotalsGrid.h"
#include "core/screens/ScreenBinding.h"
#include "core/Session.h"
#include "controls/panels/KitComboBox.h"
#include "controls/panels/KitControl.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/FileChooser.h"
#include "platform/IniFile.h"
#include "platform/ProgramDir.h"
#include "platform/Prompt.h"
#include "platform/Report.h"
#include "platform/TListGrid.h"
#include "support/TestServer.h"

#include <QAction>
#include <QDateEdit>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

enum Col { cNo, cDate, cPrice, cAccount, cState, cHiddenMid, cName, cErr };

const ListColumns &Columns()
{
    static const ListColumns columns = [] {
        ListColumns c = {
            ListColumn{QStringLiteral("순번"), 50, AlignLeft, "", CellFormat::RowNo}.withCheckBox(),
            {QStringLiteral("전송일자"), 90, AlignCenter, "senddate", CellFormat::Date},
            {QStringLiteral("이체금액"), 100, AlignRight, "price", CellFormat::Money},
            {QStringLiteral("계좌번호"), 130, AlignCenter, "bankno", CellFormat::Account, "bankid"},
            {QStringLiteral("상태"), 70, AlignCenter, "sr_flag", CellFormat::SendFlag},
            {QStringLiteral("숨김"), 40, AlignCenter, "bankid"},
            {QStringLiteral("업체명"), 120, AlignLeft, "name", CellFormat::Trimmed},
            ListColumn::data("errcode"),
        };
        c[cHiddenMid].hidden = true;
        return c;
    }();
    return columns;
}

qvx::ResultSet Rows(int n)
{
    QList<QStringList> rows;
    for (int i = 0; i < n; ++i)
        rows.append({QStringLiteral("20261209"), QString::number(1000 * (i + 1)), QStringLiteral("20"),
                     QStringLiteral("1005123456789"), QStringLiteral("4"), QStringLiteral(" 거래처%1 ").arg(i + 1),
                     i % 2 ? QStringLiteral("0012") : QStringLiteral("0000")});
    return qvx::ResultSet({QStringLiteral("senddate"), QStringLiteral("price"), QStringLiteral("bankid"),
                           QStringLiteral("bankno"), QStringLiteral("sr_flag"), QStringLiteral("name"),
                           QStringLiteral("errcode")},
                          rows);
}

struct ListKit : ::testing::Test
{
    QTemporaryDir home;
    qvx::ScriptedPrompt prompt;
    qvx::ScriptedFileChooser files;
    Session session;
    QWidget form;
    TListGrid *grid = nullptr;

    void SetUp() override
    {
        qvx::ProgramDir::setOverride(home.path());
        form.resize(700, 400);
        grid = MakeListGrid(&form, "grd_list", Columns(), alNone);
        grid->setGeometry(0, 0, 700, 400);
    }
    void TearDown() override { qvx::ProgramDir::setOverride(QString()); }
};

} // namespace

TEST_F(ListKit, TheColumnTableMakesTheGridAndTheFillWritesEveryFormat)
{
    EXPECT_EQ(grid->objectName(), QStringLiteral("grd_list"));
    // Shown: up to the last column not hidden; the data column lies beyond.
    EXPECT_EQ(grid->ColCount(), 7);
    EXPECT_EQ(grid->Cells(cPrice, 0), QStringLiteral("이체금액"));
    EXPECT_EQ(grid->ColWidths(cAccount), 130);
    EXPECT_TRUE(grid->IsColumnHidden(cHiddenMid));
    EXPECT_FALSE(grid->IsColumnHidden(cName));
    EXPECT_EQ(grid->OnGetAlignment(cPrice, 0), Qt::AlignCenter);
    EXPECT_EQ(grid->OnGetAlignment(cPrice, 1), AlignRight);
    EXPECT_EQ(grid->OnGetAlignment(cName, 3), AlignLeft);

    QList<int> hooked;
    ResultTotals totals;
    const qvx::ResultSet rs = Rows(3);
    EXPECT_EQ(FillList(grid, Columns(), rs,
                       {[&](int gridRow, int resultRow) {
                            hooked << gridRow;
                            totals.add(QStringLiteral("30"), rs.value(resultRow, QStringLiteral("sr_flag")),
                                       rs.value(resultRow, QStringLiteral("errcode")),
                                       rs.value(resultRow, QStringLiteral("price")).toLongLong());
                        }}),
              3);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(hooked, (QList<int>{1, 2, 3}));
    EXPECT_EQ(grid->Cells(cNo, 3), QStringLiteral("3"));
    EXPECT_EQ(grid->Cells(cDate, 1), QStringLiteral("2026-12-09"));
    EXPECT_EQ(grid->Cells(cPrice, 3), QStringLiteral("3,000"));
    EXPECT_EQ(grid->Cells(cAccount, 2), QStringLiteral("1005-123-456789"));
    EXPECT_EQ(grid->Cells(cState, 1), QStringLiteral("수신"));
    EXPECT_EQ(grid->Cells(cName, 2), QStringLiteral("거래처2"));
    EXPECT_EQ(grid->Cells(cErr, 2), QStringLiteral("0012"));
    EXPECT_TRUE(grid->HasCheckBox(cNo, 2));
    EXPECT_FALSE(grid->HasCheckBox(cDate, 2));
    EXPECT_TRUE(grid->OnCanEditCell(cNo, 1));
    EXPECT_FALSE(grid->OnCanEditCell(cPrice, 1));
    EXPECT_EQ(totals.table().amountText(6), QStringLiteral("4,000"));
    EXPECT_EQ(totals.table().amountText(9), QStringLiteral("2,000"));
    EXPECT_EQ(DataRowCount(grid), 3);

    // An empty answer leaves the header and one empty row.
    EXPECT_EQ(FillList(grid, Columns(), Rows(0)), 0);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(DataRowCount(grid), 0);
    EXPECT_EQ(grid->Cells(cErr, 1), QString());
}

TEST_F(ListKit, VisibilityKeysHideTheirColumns)
{
    qvx::IniFile ini(qvx::ProgramDir::path(QStringLiteral("config.ini")));
    ini.writeString(QStringLiteral("QV_LIST_FRM"), QStringLiteral("3"), QStringLiteral("0이체금액"));
    ini.writeString(QStringLiteral("QV_LIST_FRM"), QStringLiteral("2"), QStringLiteral("1전송일자"));
    ApplyColumnVisibility(grid, QStringLiteral("qv_list_frm"), 0, 19);
    EXPECT_TRUE(grid->IsColumnHidden(cPrice));
    EXPECT_FALSE(grid->IsColumnHidden(cDate));
}

TEST_F(ListKit, CheckBoxesTickByClickAndTheHelpersReadThem)
{
    FillList(grid, Columns(), Rows(4));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_FALSE(AnyTicked(grid, cNo));
    ASSERT_TRUE(TickGridCheckBox(grid, cNo, 2));
    ASSERT_TRUE(TickGridCheckBox(grid, cNo, 4));
    EXPECT_EQ(TickedRows(grid, cNo), (QList<int>{2, 4}));
    EXPECT_TRUE(AnyTicked(grid, cNo));
    TickAll(grid, cNo, true);
    EXPECT_EQ(TickedRows(grid, cNo), (QList<int>{1, 2, 3, 4}));
    TickAll(grid, cNo, false);
    EXPECT_FALSE(AnyTicked(grid, cNo));
}

TEST_F(ListKit, SaveOptionsGridTextExactNameAndTheirMessages)
{
    FillList(grid, Columns(), Rows(2));
    const QString chosen = home.filePath(QStringLiteral("예금통지"));
    ListSaveOptions options;
    options.naming = ExportNaming::KeepName;
    options.gridText = true;
    options.separator = QStringLiteral(";");
    options.textMessage = QStringLiteral("%1.txt 를 저장하였습니다.");
    options.spreadsheetMessage = QStringLiteral("%1.xls 를 저장하였습니다.");
    options.filter = QStringLiteral("텍스트파일 (*.txt)|*.txt");
    files.enqueue(chosen, 1);
    EXPECT_EQ(SaveListFile(nullptr, grid, QStringLiteral("20261209-101112예금통지"), {}, options), chosen);
    ASSERT_EQ(files.asked.size(), 1);
    EXPECT_EQ(files.asked[0].filter, QStringLiteral("텍스트파일 (*.txt)|*.txt"));
    EXPECT_EQ(files.asked[0].proposedName, QStringLiteral("20261209-101112예금통지"));
    EXPECT_EQ(prompt.lastText(), chosen + QStringLiteral(".txt 를 저장하였습니다."));
    QFile text(chosen);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    // The hidden column is left out; every shown column joined by ';'.
    EXPECT_EQ(text.readAll(),
              qvx::Cp949::encode(QStringLiteral("순번;전송일자;이체금액;계좌번호;상태;업체명\r\n"
                                                "1;2026-12-09;1,000;1005-123-456789;수신;거래처1\r\n"
                                                "2;2026-12-09;2,000;1005-123-456789;수신;거래처2\r\n")));
    text.close();

    const QString sheet = home.filePath(QStringLiteral("통지.xls"));
    files.enqueue(sheet, 2);
    EXPECT_EQ(SaveListFile(nullptr, grid, QString(), {}, options), sheet);
    EXPECT_EQ(prompt.lastText(), sheet + QStringLiteral(".xls 를 저장하였습니다."));
    EXPECT_TRUE(QFile::exists(sheet));
}

TEST_F(ListKit, ReportColumnsPrintTheGridAndPageByTheOneRule)
{
    FillList(grid, Columns(), Rows(35));
    qvx::Report report;
    const QList<ReportColumn> columns = {{QStringLiteral("NO"), 10, ReportColumn::RowNo},
                                         {QStringLiteral("이 체 금 액"), 26, cPrice, AlignRight},
                                         {QStringLiteral("업 체 명"), 34, cName, AlignLeft}};
    AddReportColumns(report, columns, {7, 6, true, 1});
    AddTitleValues(report, {{QStringLiteral("전 체 건 수 : "), QStringLiteral("qlbl_totalgun"), {100, 14},
                             QStringLiteral("건"), 24, 15, AlignRight}});
    AddPrintDateFooter(report, 190);
    EXPECT_EQ(report.columnHeader.height, 7);
    ASSERT_NE(report.detail.item(ReportColumnLabel(1)), nullptr);
    EXPECT_EQ(report.detail.item(ReportColumnLabel(1))->rect, QRectF(11, 0, 24, 6));
    ASSERT_NE(report.title.item(QStringLiteral("qlbl_totalgun")), nullptr);

    ListReportRows rows{ReportParams{}};
    rows.fitPage(report);
    QStringList printed;
    rows.attachGrid(report, grid, columns);
    auto previous = report.NeedData;
    report.NeedData = [&] {
        if (!previous())
            return false;
        printed << report.detail.caption(ReportColumnLabel(1));
        return true;
    };
    report.BeforePrint = [&] { SetPrintDate(report); };
    const auto pages = report.layout();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].detailCount(), 31);
    EXPECT_EQ(pages[1].detailCount(), 37);
    EXPECT_EQ(rows.linesPerPage(35), (QList<int>{31, 37}));
    EXPECT_EQ(printed[34], QStringLiteral("35,000"));
    EXPECT_TRUE(printed[35].isEmpty());
    EXPECT_EQ(report.pageFooter.caption(QStringLiteral("qlbl_printdate")),
              KoreanDateText(qvx::Clock::date()) + u' ');
    EXPECT_EQ(ColumnSum(grid, cPrice), 630000);
    grid->SetCells(cPrice, 1, QStringLiteral("해당없음"));
    EXPECT_EQ(ColumnSum(grid, cPrice), 629000);
}

TEST_F(ListKit, TheResultTotalsGridShowsCountsAndAmounts)
{
    ResultTotalsGrid totalsGrid(&form);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    TListGrid *g = totalsGrid.grid();
    EXPECT_EQ(g->objectName(), QStringLiteral("grd_test"));
    EXPECT_EQ(totalsGrid.panel()->objectName(), QStringLiteral("pnl_test"));
    EXPECT_EQ(g->Cells(4, 0), QStringLiteral("정상이체"));
    EXPECT_EQ(g->Cells(9, 1), QStringLiteral("합 계"));
    EXPECT_EQ(g->Cells(5, 3), QStringLiteral("0"));
    ResultTotals totals;
    totals.add(QStringLiteral("20"), QStringLiteral("4"), QStringLiteral("0000"), 1234567);
    totals.add(QStringLiteral("30"), QStringLiteral("1"), QString(), 3);
    totalsGrid.show(totals);
    EXPECT_EQ(g->Cells(3, 2), QStringLiteral("2"));
    EXPECT_EQ(g->Cells(3, 3), QStringLiteral("1,234,570"));
    EXPECT_EQ(g->Cells(8, 3), QStringLiteral("3"));
    EXPECT_EQ(totalsGrid.figure(4, 3), QStringLiteral("1,234,567"));
    totalsGrid.clear();
    EXPECT_EQ(g->Cells(3, 3), QStringLiteral("0"));
    // A tenth of the panel for each figure column.
    totalsGrid.panel()->resize(1000, 96);
    EXPECT_EQ(g->ColWidths(5), 100);
    // The last column ends inside the grid at any height of the panel.
    for (int height : {96, 60}) {
        totalsGrid.panel()->resize(1000, height);
        QCoreApplication::processEvents();
        EXPECT_LE(g->columnViewportPosition(9) + g->columnWidth(9), g->viewport()->width()) << height;
    }
}

TEST_F(ListKit, FindActionAndDoubleClickRunThroughTheGuard)
{
    Tdm data(session);
    QAction *find = AddFindAction(ScreenContext{session, data}, &form, grid);
    EXPECT_EQ(find->objectName(), QStringLiteral("N1"));
    EXPECT_EQ(find->text(), QStringLiteral("내용 검색"));
    find->trigger();
    EXPECT_EQ(prompt.lastText(), QStringLiteral("검색할 자료가 존재하지 않습니다."));

    FillList(grid, Columns(), Rows(3));
    int clicked = -1;
    BindDoubleClick(session, grid, QStringLiteral("grd_listDblClickCell"), [&](int, int row) {
        clicked = row;
        throw std::runtime_error("boom");
    });
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_TRUE(ClickGridCell(grid, cName, 2, true));
    EXPECT_EQ(clicked, 2);
    // The guard turned the exception into a message.
    EXPECT_TRUE(prompt.lastText().contains(QStringLiteral("boom")));
}

TEST_F(ListKit, DatesAreTypedWithTheKeyboard)
{
    auto *picker = new QDateEdit(&form);
    picker->setObjectName(QStringLiteral("dtpkr_from"));
    picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    picker->setDate(QDate(2026, 1, 1));
    picker->setGeometry(0, 0, 120, 22);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(TypeDate(picker, QDate(2025, 11, 30)));
    EXPECT_EQ(picker->date(), QDate(2025, 11, 30));
}

TEST(ListCombos, EachItemKeepsItsRecord)
{
    qvx::test::TestServer server;
    qvx::AppServer &link = server.client();
    QWidget form;

    auto *bankBox = MakeCombo(&form, "cmb_allbank", 0, 0, 200);
    BankCombo banks(bankBox, QStringLiteral("모든 은행"));
    EXPECT_EQ(banks.Load(link), 6);
    EXPECT_EQ(bankBox->Items()[0], QStringLiteral("모든 은행"));
    EXPECT_EQ(bankBox->Items()[1], QStringLiteral("[03] 기업은행"));
    EXPECT_EQ(banks.Chosen(), nullptr);
    EXPECT_EQ(banks.ChosenCode(), QString());

    // A second account of bank 20, stored after the first but numbered before it.
    server.exec(QStringLiteral("insert into bank (bankid, mobankno, bankname, firmid, recvid) values "
                               "('20', '1002987654321', '우리은행', 'HB2001', 'WRB2000')"));
    auto *accountBox = MakeCombo(&form, "cmb_bankno", 0, 30, 200);
    AccountCombo accounts(accountBox, QStringLiteral("계좌전체선택"));
    accounts.LinkTo(banks, link);
    EXPECT_FALSE(accountBox->isEnabled());
    banks.Choose(QStringLiteral("20"));
    accounts.ShowBank(banks.ChosenCode());
    EXPECT_EQ(banks.Chosen()->firmid, QStringLiteral("HB2001"));
    ASSERT_EQ(accountBox->Items().Count(), 3);
    EXPECT_EQ(accountBox->Items()[1], QStringLiteral("1002-987-654321"));
    EXPECT_EQ(accountBox->Items()[2], QStringLiteral("1005-123-456789"));
    accountBox->SetItemIndex(2);
    EXPECT_EQ(accounts.ChosenNumber(), QStringLiteral("1005123456789"));
    EXPECT_TRUE(accountBox->isEnabled());
    EXPECT_EQ(AccountCombo::AccountsOfBankSql(QStringLiteral("20")),
              QStringLiteral("select mobankno from bank where bankid = '20' order by mobankno"));
    // The accounts as stored, in the same order.
    auto *storedBox = MakeCombo(&form, "cmb_stored", 0, 150, 200);
    AccountCombo stored(storedBox, QStringLiteral("계좌전체선택"), AccountCombo::Shown::AsStored);
    stored.LinkTo(banks, link);
    EXPECT_EQ(storedBox->Items()[1], QStringLiteral("1002987654321"));
    EXPECT_EQ(storedBox->Items()[2], QStringLiteral("1005123456789"));

    auto *payeeBankBox = MakeCombo(&form, "cmb_transbankid", 0, 60, 200);
    AllBanksCombo payeeBanks(payeeBankBox);
    const int count = payeeBanks.Load(link);
    EXPECT_GT(count, 20);
    EXPECT_EQ(payeeBankBox->Items()[0], QStringLiteral("[01]    한국은행"));
    payeeBankBox->SetItemIndex(3);
    EXPECT_EQ(payeeBanks.ChosenCode(), QStringLiteral("04"));
    for (const BankItem &b : payeeBanks.Records())
        EXPECT_NE(b.bankid, QStringLiteral("99")); // placeholder rows are left out

    auto *kindBox = MakeCombo(&form, "cmb_transdiv", 0, 90, 200);
    TransferKindCombo kinds(kindBox);
    kinds.Fill({{QStringLiteral("21"), QStringLiteral("추심입금")}});
    EXPECT_EQ(kindBox->Items()[1], QStringLiteral("[21] 추심입금"));
    kindBox->SetItemIndex(1);
    EXPECT_EQ(kinds.ChosenCode(), QStringLiteral("21"));

    auto *payeeBox = MakeCombo(&form, "cmb_daesang", 0, 120, 200);
    PayeeCombo payees(payeeBox);
    EXPECT_EQ(payees.Load(link), 6);
    EXPECT_EQ(payeeBox->Items()[0], QStringLiteral("대상자 선택"));
    payeeBox->SetItemIndex(2);
    EXPECT_EQ(payees.Chosen()->bankno, QStringLiteral("12345678901234"));
    payees.Fill({});
    EXPECT_EQ(payeeBox->Items()[0], QStringLiteral("대상자 없음"));
    EXPECT_FALSE(payeeBox->isEnabled());
    EXPECT_EQ(payees.Chosen(), nullptr);

    auto *motherBox = MakeCombo(&form, "edMoBankNo", 0, 150, 300);
    MotherAccountCombo mother(motherBox, QStringLiteral("모든 은행계좌"));
    mother.SetFilter(MotherAccountCombo::OfBank(QStringLiteral("04")));
    EXPECT_EQ(mother.Load(link), 1);
    motherBox->SetItemIndex(1);
    EXPECT_EQ(mother.Chosen()->mobankno, QStringLiteral("123401234567"));
}
