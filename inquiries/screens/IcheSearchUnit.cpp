#include "inquiries/screens/IcheSearchUnit.h"

#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/EventGuard.h"
#include "core/FixedLine.h"
#include "core/Session.h"
#include "core/ReportParams.h"
#include "core/RequestMessages.h"
#include "core/RequestSender.h"
#include "core/SeqNo.h"
#include "core/TextUtils.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenRegistry.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "controls/panels/KitControl.h"
#include "controls/panels/KitGroup.h"
#include "inquiries/ResultInquirySql.h"
#include "inquiries/screens/IcheSearchSubUnit.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/ResultSet.h"
#include "platform/TListGrid.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

namespace {

enum Col {
    cNo, cSendDate, cSeqNo, cMoBank, cMoBankNo, cKind, cPrice, cTransBank, cBankNo, cName, cState, cResult,
    cRecvDate, cRecvTime, cFee, cSubSeq, cTaProcNo, cTaErrFee, cTaErrPrice, cTaErrMoney, cDummy,
    // beyond the visible columns
    cRawDate, cBankId, cGubun, cTransBankId, cSrFlag, cErrCode, cSendId, cRecvId, cFirmId, cBankId2, cCfmId
};
constexpr int VisibleCols = 21;

QString DateText(const QString &d) { return d.isEmpty() ? d : d.mid(0, 4) + u'-' + d.mid(4, 2) + u'-' + d.mid(6, 2); }
QString TimeText(const QString &t) { return t.isEmpty() ? t : t.mid(0, 2) + u':' + t.mid(2, 2) + u':' + t.mid(4, 2); }
QString Money(const QString &text) { return CurrToMoneyStr(SafeStrToCurr(text.trimmed(), 0)); }

qvx::Prompt &prompt() { return qvx::Prompt::instance(); }

// A conversion whose result is kept while its input repeats row after row
// (a long list repeats its accounts, dates and fees).
class Repeated
{
public:
    template <typename Convert>
    const QString &of(const QString &a, const QString &b, Convert convert)
    {
        if (!m_has || a != m_a || b != m_b) {
            m_a = a;
            m_b = b;
            m_out = convert();
            m_has = true;
        }
        return m_out;
    }
    template <typename Convert>
    const QString &of(const QString &a, Convert convert) { return of(a, QString(), convert); }

private:
    bool m_has = false;
    QString m_a, m_b, m_out;
};

// Brushes of the forms, written as the colour values they give ($BBGGRR).
QColor Tcolor(unsigned bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

} // namespace

Tqv_ichesearch_frm::Tqv_ichesearch_frm(const ScreenContext &context, QWidget *owner)
    : QWidget(owner), session(context.session), dm(context.dm), m_totals(ResultInquirySql::totalsTable())
{
    setObjectName(QStringLiteral("qv_ichesearch_frm"));
    setWindowTitle(QStringLiteral("이체처리 결과 조회"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1000, 640);
    SetFormColour(this);

    TKitSimplePanel *top = MakePanel(this, "pnl_top");
    top->resize(width(), 92);
    SetAlign(top, alTop);
    buildFilters(top);

    TKitSimplePanel *bottom = MakePanel(this, "pnl_bottom");
    bottom->resize(width(), 44);
    SetAlign(bottom, alBottom);
    auto button = [this, bottom](const char *name, const QString &caption, int x, int w, std::function<void()> handler) {
        TDDButton *b = MakeButton(bottom, name, caption, x, 9, w, 26);
        BindClick(session, b, QString::fromLatin1(name) + QStringLiteral("Click"), std::move(handler));
        return b;
    };
    btn_send = button("btn_send", QStringLiteral("이체결과조회"), 8, 110, [this] { btn_sendClick(); });
    btn_sendS = button("btn_sendS", QStringLiteral("이체결과 개별조회 "), 124, 130, [this] { btn_sendSClick(); });
    btn_filesave = button("btn_filesave", QStringLiteral("Text 파일 저장"), 260, 120, [this] { btn_filesaveClick(); });
    btn_preview = button("btn_preview", QStringLiteral("미리보기"), 386, 90,
                         [this] { PrintList(this, grd_ichelist, Report1, true); });
    btn_print = button("btn_print", QStringLiteral("인 쇄"), 482, 90,
                       [this] { PrintList(this, grd_ichelist, Report1, false); });
    btn_close = button("btn_close", QStringLiteral("닫 기"), 578, 90, [this] { close(); });

    buildTotals();

    grd_ichelist = MakeGrid(this, "grd_ichelist",
                            {QStringLiteral("순번"), QStringLiteral("전송일자"), QStringLiteral("전문번호"),
                             QStringLiteral("모은행"), QStringLiteral("모계좌번호"), QStringLiteral("거래구분"),
                             QStringLiteral("이체금액"), QStringLiteral("거래은행명"), QStringLiteral("은행계좌"),
                             QStringLiteral("업체명"), QStringLiteral("송수신상태"), QStringLiteral("처리결과"),
                             QStringLiteral("수신일자"), QStringLiteral("수신시각"), QStringLiteral("수수료"),
                             QStringLiteral("SUB_SEQ"), QStringLiteral("타행처리번호"),
                             QStringLiteral("타행미처리 수수료"), QStringLiteral("타행미처리 금액"),
                             QStringLiteral("타행미처리 금액누계"), QStringLiteral("대상자 정보")});
    grd_ichelist->SetEditing(true);
    grd_ichelist->OnCanEditCell = [](int col, int row) { return col == cNo && row > 0; };
    grd_ichelist->OnGetAlignment = [](int col, int row) -> Qt::Alignment {
        if (row == 0)
            return Qt::AlignCenter;
        switch (col) {
        case cNo:
        case cDummy:
            return Qt::AlignLeft | Qt::AlignVCenter;
        case cPrice:
        case cFee:
        case cTaErrFee:
        case cTaErrPrice:
        case cTaErrMoney:
            return Qt::AlignRight | Qt::AlignVCenter;
        default:
            return Qt::AlignCenter;
        }
    };
    grd_ichelist->OnGetCellColor = [this](int, int row, QColor &brush, QColor &font, QFont &) {
        if (row == 0)
            return;
        const bool normal = grd_ichelist->Cells(cErrCode, row) == QLatin1String("0000");
        brush = normal ? Tcolor(0xE3987B) : QColor(Qt::white);
        font = normal ? QColor(Qt::white) : QColor(Qt::black);
    };
    grd_ichelist->OnDblClickCell = [this](int, int) {
        RunGuarded(session, QStringLiteral("grd_ichelistDblClickCell"), [this] {
            if (!RefuseWhenOffline(session))
                btn_sendSClick();
        });
    };
    grd_ichelist->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *find = new QAction(QStringLiteral("내용 검색"), grd_ichelist);
    find->setObjectName(QStringLiteral("N1"));
    connect(find, &QAction::triggered, this, [this] { RunGuarded(session, QStringLiteral("N1Click"), [this] { N1Click(); }); });
    grd_ichelist->addAction(find);

    buildReport();
    RunGuarded(session, QStringLiteral("qv_ichesearch_frm.FormCreate"), [this] { FormCreate(); });
}

Tqv_ichesearch_frm::~Tqv_ichesearch_frm() = default;

void Tqv_ichesearch_frm::buildFilters(QWidget *top)
{
    (new QLabel(QStringLiteral("모계좌"), top))->setGeometry(8, 8, 60, 22);
    cmb_allbank = new TKitComboBox(top);
    cmb_allbank->setObjectName(QStringLiteral("cmb_allbank"));
    cmb_allbank->SetStyle(csDropDownList);
    cmb_allbank->setGeometry(70, 8, 330, 22);
    m_accounts = std::make_unique<MotherAccountCombo>(cmb_allbank, QStringLiteral("모든 은행계좌"));

    (new QLabel(QStringLiteral("전송일자"), top))->setGeometry(410, 8, 60, 22);
    m_dates = std::make_unique<DateRange>(top, "dtpkr_from", "dtpkr_to", 472, 8);
    dtpkr_from = m_dates->from();
    dtpkr_to = m_dates->to();

    TKitSimplePanel *kind = MakePanel(top, "pnl_kind");
    kind->setGeometry(8, 36, 170, 24);
    chk_sunab = MakeRadio(kind, "chk_sunab", QStringLiteral("수 납"), 4, 2, 70);
    chk_jigub = MakeRadio(kind, "chk_jigub", QStringLiteral("지 급"), 84, 2, 70);
    SetChecked(chk_sunab, true);
    chk_right = MakeCheck(top, "chk_right", QStringLiteral("정 상 처 리(수신)"), 190, 38, 140);
    chk_wrong = MakeCheck(top, "chk_wrong", QStringLiteral("비정상 처리(수신)"), 334, 38, 140);
    chk_ErrSend = MakeCheck(top, "chk_ErrSend", QStringLiteral("미송신 자료(대기/완료)"), 478, 38, 170);

    (new QLabel(QStringLiteral("전문번호"), top))->setGeometry(8, 64, 60, 22);
    auto number = [top](const char *name, int x) {
        auto *e = new TCurrencyEdit(top);
        e->setObjectName(QString::fromLatin1(name));
        e->SetDisplayFormat(QStringLiteral("0"));
        e->setGeometry(x, 64, 90, 22);
        return e;
    };
    edt_seqnoS = number("edt_seqnoS", 70);
    edt_seqnoE = number("edt_seqnoE", 170);
    (new QLabel(QStringLiteral("업체명"), top))->setGeometry(272, 64, 50, 22);
    edt_sendname = new QLineEdit(top);
    edt_sendname->setObjectName(QStringLiteral("edt_sendname"));
    edt_sendname->setGeometry(324, 64, 160, 22);
    btn_search = MakeButton(top, "btn_search", QStringLiteral("검 색"), 720, 20, 90, 40);
    BindClick(session, btn_search, QStringLiteral("btn_searchClick"), [this] { btn_searchClick(this); });

    TKitSimplePanel *tick = MakePanel(top, "pnl_tick");
    tick->setGeometry(820, 20, 170, 40);
    rdbtn_entire = MakeRadio(tick, "rdbtn_entire", QStringLiteral("전체선택"), 4, 10, 80);
    rdbtn_noselect = MakeRadio(tick, "rdbtn_noselect", QStringLiteral("선택해제"), 86, 10, 80);
    SetChecked(rdbtn_noselect, true);
    rdbtn_entire->OnClick = [this](QObject *) {
        RunGuarded(session, QStringLiteral("rdbtn_entireClick"), [this] { rdbtn_entireClick(); });
    };
    rdbtn_noselect->OnClick = [this](QObject *) {
        RunGuarded(session, QStringLiteral("rdbtn_noselectClick"), [this] { rdbtn_noselectClick(); });
    };
    for (QWidget *control : {static_cast<QWidget *>(cmb_allbank), static_cast<QWidget *>(dtpkr_from),
                             static_cast<QWidget *>(dtpkr_to), static_cast<QWidget *>(chk_sunab),
                             static_cast<QWidget *>(chk_jigub), static_cast<QWidget *>(chk_right),
                             static_cast<QWidget *>(chk_wrong), static_cast<QWidget *>(chk_ErrSend),
                             static_cast<QWidget *>(edt_seqnoS), static_cast<QWidget *>(edt_seqnoE),
                             static_cast<QWidget *>(edt_sendname)})
        EnterMovesFocus(control);
    FocusOnShow(this, cmb_allbank);
}

void Tqv_ichesearch_frm::buildTotals()
{
    pnl_test = MakePanel(this, "pnl_test");
    pnl_test->resize(width(), 96);
    SetAlign(pnl_test, alBottom);
    grd_test = new TListGrid(pnl_test);
    grd_test->setObjectName(QStringLiteral("grd_test"));
    grd_test->SetColCount(10);
    grd_test->SetRowCount(4);
    grd_test->SetFixedRows(2);
    grd_test->SetFixedCols(1);
    grd_test->setEnabled(false);
    grd_test->setGeometry(0, 0, pnl_test->width(), pnl_test->height());
    const QString groups[] = {QStringLiteral("전    체"), QStringLiteral("정상이체"), QStringLiteral("비정상처리")};
    for (int g = 0; g < 3; ++g) {
        grd_test->SetCells(1 + g * 3, 0, groups[g]);
        grd_test->MergeCells(1 + g * 3, 0, 3, 1);
        grd_test->SetCells(1 + g * 3, 1, QStringLiteral("수 납"));
        grd_test->SetCells(2 + g * 3, 1, QStringLiteral("지 급"));
        grd_test->SetCells(3 + g * 3, 1, QStringLiteral("합 계"));
    }
    grd_test->SetCells(0, 1, QStringLiteral("구    분"));
    grd_test->SetCells(0, 2, QStringLiteral("총 건 수"));
    grd_test->SetCells(0, 3, QStringLiteral("총 금 액"));
    grd_test->OnGetAlignment = [](int col, int row) -> Qt::Alignment {
        return row < 2 || col == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter;
    };
    grd_test->OnGetCellColor = [](int col, int row, QColor &brush, QColor &font, QFont &f) {
        if (row == 0 || col == 0) {
            brush = Tcolor(0xCFD2AC);
            font = Qt::black;
            f.setBold(true);
        } else if (row == 1) {
            brush = Tcolor(0x9EDAE0);
            font = Qt::black;
            f.setBold(true);
        } else {
            brush = Tcolor(0xCFFCFE);
            font = col <= 3 ? QColor(Qt::black) : col <= 6 ? QColor(Qt::blue) : QColor(Qt::red);
        }
    };
}

void Tqv_ichesearch_frm::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    if (!grd_test)
        return;
    // pnl_testResize: a tenth of the width for each figure column.
    grd_test->setGeometry(0, 0, pnl_test->width(), pnl_test->height());
    const int tenth = pnl_test->width() / 10;
    for (int c = 1; c < 10; ++c)
        grd_test->SetColWidths(c, tenth);
    grd_test->SetColWidths(0, pnl_test->width() - 9 * tenth - 4);
}

void Tqv_ichesearch_frm::FormCreate()
{
    ClearResultTotals();
    SetChecked(chk_right, true);
    SetChecked(chk_wrong, true);
    SetChecked(chk_ErrSend, true);
    ApplyColumnVisibility(grd_ichelist, objectName(), 0, 19);
    m_dates->SetToday();
    m_accounts->Load(dm);
}

void Tqv_ichesearch_frm::closeEvent(QCloseEvent *e)
{
    ResultSeqFrom = 0;
    ResultSeqTo = 0;
    QWidget::closeEvent(e);
}

void Tqv_ichesearch_frm::setResultRange(int from, int to)
{
    ResultSeqFrom = from;
    ResultSeqTo = to;
}

void Tqv_ichesearch_frm::ClearResultTotals()
{
    m_totals.clear();
    for (int c = 1; c < 10; ++c) {
        grd_test->SetCells(c, 2, QStringLiteral("0"));
        grd_test->SetCells(c, 3, QStringLiteral("0"));
    }
}

void Tqv_ichesearch_frm::resetFilterEdits()
{
    edt_seqnoS->SetValue(qvx::Decimal(qint64(0)));
    edt_seqnoE->SetValue(qvx::Decimal(qint64(0)));
    edt_sendname->clear();
}

// --- search ------------------------------------------------------------------------------------

void Tqv_ichesearch_frm::btn_searchClick(QObject *)
{
    if (RefuseWhenOffline(session))
        return;
    ClearGridRows(grd_ichelist, cCfmId);
    if (cmb_allbank->ItemIndex() < 0) {
        prompt().message(QStringLiteral("조회할 계좌번호를 선택하시기 바랍니다."));
        cmb_allbank->setFocus();
        return;
    }
    ClearResultTotals();

    QString sql;
    if (ResultSeqFrom >= 1 && ResultSeqTo >= 1) {
        sql = ResultInquirySql::byRange(ResultSeqFrom, ResultSeqTo, qvx::Clock::today());
        ResultSeqFrom = 0;
        ResultSeqTo = 0;
    } else {
        ResultFilter f;
        f.userId = session.LoginUserId;
        if (const MotherAccount *account = m_accounts->Chosen())
            f.bankCode = account->bankid;
        f.collection = Checked(chk_sunab);
        f.right = Checked(chk_right);
        f.wrong = Checked(chk_wrong);
        f.errSend = Checked(chk_ErrSend);
        f.dateFrom = m_dates->FromText();
        f.dateTo = m_dates->ToText();
        f.seqFrom = edt_seqnoS->Value().toInt64();
        f.seqTo = edt_seqnoE->Value().toInt64();
        f.sendName = edt_sendname->text();
        ResultInquirySql::Refusal refusal;
        sql = ResultInquirySql::byFilter(f, &refusal);
        if (refusal == ResultInquirySql::Refusal::NoStateOption) {
            prompt().message(QStringLiteral("정상처리 / 비정상처리 옵션이 선택되지 않았습니다."));
            SetChecked(chk_right, true);
            SetChecked(chk_wrong, true);
            return;
        }
        if (refusal == ResultInquirySql::Refusal::SeqRangeReversed) {
            prompt().message(QStringLiteral("전문번호 입력이 잘못되었습니다. [시작번호가 크면 안됩니다]"));
            edt_seqnoS->setFocus();
            return;
        }
    }

    const qvx::ResultSet &rs = dm.cms_select1(sql);
    if (rs.isEmpty()) {
        prompt().message(QStringLiteral("이체자료가 존재하지 않습니다."));
        WriteLog(session, sql);
        resetFilterEdits();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    fillRows(rs);
    QApplication::restoreOverrideCursor();
    resetFilterEdits();
    ResultSeqFrom = 0;
    ResultSeqTo = 0;
}

void Tqv_ichesearch_frm::fillRows(const qvx::ResultSet &rs)
{
    const int n = rs.recordCount();
    const auto column = [&rs](const char *name) { return rs.columnIndex(QString::fromLatin1(name)); };
    const int iDate = column("senddate"), iSeq = column("seqno"), iMoBank = column("mobankname"),
              iBank = column("bankid"), iMoNo = column("mobankno"), iGubun = column("gubun"),
              iPrice = column("price"), iTransBank = column("transbankname"), iTransId = column("trans_bankid"),
              iBankNo = column("bankno"), iName = column("name"), iFlag = column("sr_flag"),
              iResult = column("errcontents"), iRecvDate = column("receivedate"), iRecvTime = column("receivetime"),
              iFee = column("fee"), iTaNo = column("taprocno"), iTaFee = column("taerrfee"),
              iTaPrice = column("taerrprice"), iTaMoney = column("taerrmoney"), iDummy = column("common_dummy"),
              iErr = column("errcode"), iSendId = column("sendid"), iRecvId = column("recvid"),
              iFirm = column("firmid"), iCfm = column("cfmid");

    const QString collection = QStringLiteral("수납");
    const QString payment = QStringLiteral("지급");
    Repeated sendDate, moAccount, account, state, recvDate, recvTime, fee, taFee, taPrice, taMoney;
    QSet<QString> totalsCodes[2][2];
    grd_ichelist->BeginUpdate();
    grd_ichelist->SetRowCount(n + 1);
    for (int i = 0; i < n; ++i) {
        const QStringList &row = rs.row(i);
        const int r = i + 1;
        const QString gubun = row[iGubun];
        const QString price = row[iPrice];
        // The last cell first: the row takes its full width at once.
        grd_ichelist->SetCells(cCfmId, r, row[iCfm]);
        grd_ichelist->SetCells(cNo, r, QString::number(r));
        grd_ichelist->AddCheckBox(cNo, r, false);
        grd_ichelist->SetCells(cSendDate, r, sendDate.of(row[iDate], [&] { return DateText(row[iDate]); }));
        grd_ichelist->SetCells(cSeqNo, r, row[iSeq]);
        grd_ichelist->SetCells(cMoBank, r, row[iMoBank]);
        grd_ichelist->SetCells(cMoBankNo, r, moAccount.of(row[iBank], row[iMoNo], [&] {
            return FormatAcctNo(row[iBank], row[iMoNo]);
        }));
        grd_ichelist->SetCells(cKind, r, gubun == QLatin1String("20") ? collection : payment);
        grd_ichelist->SetCells(cPrice, r, Money(price));
        grd_ichelist->SetCells(cTransBank, r, row[iTransBank]);
        grd_ichelist->SetCells(cBankNo, r, account.of(row[iTransId], row[iBankNo], [&] {
            return FormatAcctNo(row[iTransId], row[iBankNo]);
        }));
        grd_ichelist->SetCells(cName, r, row[iName]);
        grd_ichelist->SetCells(cState, r, state.of(row[iFlag], [&] { return GetSendFlagName(row[iFlag].toInt()); }));
        grd_ichelist->SetCells(cResult, r, row[iResult]);
        grd_ichelist->SetCells(cRecvDate, r, recvDate.of(row[iRecvDate], [&] { return DateText(row[iRecvDate]); }));
        grd_ichelist->SetCells(cRecvTime, r, recvTime.of(row[iRecvTime], [&] { return TimeText(row[iRecvTime]); }));
        grd_ichelist->SetCells(cFee, r, fee.of(row[iFee], [&] { return Money(row[iFee]); }));
        grd_ichelist->SetCells(cTaProcNo, r, row[iTaNo]);
        grd_ichelist->SetCells(cTaErrFee, r, taFee.of(row[iTaFee], [&] { return Money(row[iTaFee]); }));
        grd_ichelist->SetCells(cTaErrPrice, r, taPrice.of(row[iTaPrice], [&] { return Money(row[iTaPrice]); }));
        grd_ichelist->SetCells(cTaErrMoney, r, taMoney.of(row[iTaMoney], [&] { return Money(row[iTaMoney]); }));
        grd_ichelist->SetCells(cDummy, r, row[iDummy]);
        grd_ichelist->SetCells(cRawDate, r, row[iDate]);
        grd_ichelist->SetCells(cBankId, r, row[iBank]);
        grd_ichelist->SetCells(cGubun, r, gubun);
        grd_ichelist->SetCells(cTransBankId, r, row[iTransId]);
        grd_ichelist->SetCells(cSrFlag, r, row[iFlag]);
        grd_ichelist->SetCells(cErrCode, r, row[iErr]);
        grd_ichelist->SetCells(cSendId, r, row[iSendId]);
        grd_ichelist->SetCells(cRecvId, r, row[iRecvId]);
        grd_ichelist->SetCells(cFirmId, r, row[iFirm]);
        grd_ichelist->SetCells(cBankId2, r, row[iBank]);
        // The row's place in the totals: one of four sets of codes.
        const bool isCollection = gubun.trimmed() == QLatin1String("20");
        const bool isNormal = row[iFlag].trimmed() == QLatin1String("4") && row[iErr].trimmed() == QLatin1String("0000");
        QSet<QString> &codes = totalsCodes[isCollection][isNormal];
        if (codes.isEmpty())
            codes = ResultInquirySql::totalsCodes(gubun, row[iFlag], row[iErr]);
        m_totals.add(codes, SafeStrToCurr(price.trimmed(), 0));
    }
    grd_ichelist->EndUpdate();
    showTotals();
}

void Tqv_ichesearch_frm::showTotals()
{
    WriteTotals(grd_test, m_totals, 2, 3);
}

// --- tick all / none, find -----------------------------------------------------------------------

void Tqv_ichesearch_frm::rdbtn_entireClick()
{
    if (GridIsEmpty(grd_ichelist, cSendDate))
        return;
    for (int r = 1; r < grd_ichelist->RowCount(); ++r)
        grd_ichelist->SetChecked(cNo, r, true);
}

void Tqv_ichesearch_frm::rdbtn_noselectClick()
{
    if (GridIsEmpty(grd_ichelist, cSendDate))
        return;
    for (int r = 1; r < grd_ichelist->RowCount(); ++r)
        grd_ichelist->SetChecked(cNo, r, false);
}

void Tqv_ichesearch_frm::N1Click() { OpenFindDialog({session, dm}, this, grd_ichelist); }

bool Tqv_ichesearch_frm::anyTicked() const
{
    for (int r = 1; r < grd_ichelist->RowCount(); ++r)
        if (grd_ichelist->IsChecked(cNo, r))
            return true;
    return false;
}

// --- result-inquiry requests ---------------------------------------------------------------------

IcheResultRow Tqv_ichesearch_frm::requestRow(int row) const
{
    auto cell = [this, row](int col) { return grd_ichelist->Cells(col, row); };
    IcheResultRow r;
    r.SendDate = qvx::Clock::today();
    r.SendTime = qvx::Clock::nowText(QStringLiteral("hhmmss"));
    r.Service = session.ServiceDiv;
    r.SendID = cell(cSendId);
    r.RecvID = cell(cRecvId);
    r.FirmID = cell(cFirmId);
    r.BankID = cell(cBankId2);
    r.USERID = session.LoginUserId;
    r.ICHE_SendDate = cell(cRawDate);
    r.org_seqno = cell(cSeqNo);
    return r;
}

void Tqv_ichesearch_frm::btn_sendClick()
{
    if (RefuseWhenOffline(session))
        return;
    if (!m_dates->TodayOnly()) {
        prompt().message(QStringLiteral("금일 데이터에 한하여 조회가 가능합니다."));
        return;
    }
    if (GridIsEmpty(grd_ichelist, cSendDate)) {
        prompt().message(QStringLiteral("조회할 내역이 존재하지 않습니다."));
        return;
    }
    const int rows = grd_ichelist->RowCount() - 1;
    const bool ticked = anyTicked();
    const QString question = ticked
        ? QStringLiteral("선택한 데이타중 송수신 상태가 [작성]인 자료는 조회 대상에서 제외됩니다.\r\n진행하시겠습니까?")
        : QStringLiteral("선택한 데이타가 없기때문에 송수신 상태가 [작성]인 자료를 제외한 모든 자료가 조회됩니다.\r\n진행하시겠습니까?");
    if (!prompt().yesNo(question, QStringLiteral("이체처리 결과조회")))
        return;
    // One number per list row; a row left out leaves its number unused, and
    // the registered range spans them all.
    RequestSender sender(dm);
    const RequestResult result = sender.send(
        RequestBatch::bySeqNo(QString::fromLatin1(IcheResultRow::ServiceCode), QStringLiteral("icheresult")), rows,
        [this, ticked](int i, qint64 seqNo) {
            const int r = i + 1;
            if (grd_ichelist->Cells(cState, r) == QStringLiteral("작성") || (ticked && !grd_ichelist->IsChecked(cNo, r)))
                return QString();
            IcheResultRow row = requestRow(r);
            row.SeqNo = QString::number(seqNo);
            return MakeInsertSql(row);
        });
    ResultSeqFrom = 0;
    ResultSeqTo = 0;
    // The list empties once the bank has the requests; the answer refills it.
    if (RequestWentOut(result, QStringLiteral("조회요청 자료가 존재 하지 않습니다. 확인후 다시 작업하십시오."))) {
        ClearGridRows(grd_ichelist, 50);
        ClearResultTotals(); // the totals describe the list: they empty with it
    }
}

void Tqv_ichesearch_frm::btn_sendSClick()
{
    if (RefuseWhenOffline(session))
        return;
    if (GridIsEmpty(grd_ichelist, cNo)) {
        prompt().message(QStringLiteral("조회할 데이터가 존재하지 않습니다."));
        return;
    }
    if (!m_dates->SameDay()) {
        prompt().message(QStringLiteral("기간 설정이 올바르지 않습니다. 조회할 일자를 금일로 설정하시기 바랍니다."));
        return;
    }
    if (!m_dates->FromIsToday()) {
        prompt().message(QStringLiteral("금일 데이터에 한하여 조회가 가능합니다."));
        return;
    }
    const int row = std::max(1, grd_ichelist->Row());
    if (grd_ichelist->Cells(cState, row) == QStringLiteral("작성")) {
        prompt().message(QStringLiteral("최종 승인권자가 승인하지 않은 자료는 이체처리결과조회가 불가합니다."));
        return;
    }
    RequestSender sender(dm);
    const RequestResult result = sender.sendRows(
        RequestBatch::bySeqNo(QString::fromLatin1(IcheResultRow::ServiceCode), QStringLiteral("icheresult")),
        QList<IcheResultRow>{requestRow(row)});
    // The dialog waits only for a request the bank has.
    if (!RequestWentOut(result))
        return;
    auto *dialog = new Tqv_ichesearchsub_frm({session, dm}, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->InquirySeqNoValue = int(result.base + 1);
    dialog->exec();
}

// --- save --------------------------------------------------------------------------------------

QString Tqv_ichesearch_frm::SaveLine(int r) const
{
    auto cell = [this, r](int col) { return grd_ichelist->Cells(col, r); };
    FixedLine line;
    line.left(DelChar(cell(cRecvDate), u'-'), 8)
        .left(DelChar(cell(cRecvTime), u':'), 6)
        .left(cell(cBankId2), 2)
        .left(cell(cSendId), 10)
        .left(cell(cRecvId), 10)
        .left(cell(cFirmId), 10)
        .left(DelChar(cell(cMoBankNo), u'-'), 15)
        .left(cell(cTransBank), 16)
        .left(DelComma(cell(cPrice)), 13)
        .left(cell(cTransBankId), 2)
        .left(DelChar(cell(cBankNo), u'-'), 15)
        .left(cell(cDummy), 4)
        .right(cell(cName), 30)
        .left(cell(cResult).trimmed(), 40)
        .left(cell(cTaProcNo), 20)
        .zeroLeft(cell(cSeqNo), 6);
    return line.text();
}

void Tqv_ichesearch_frm::btn_filesaveClick()
{
    const QString proposed = (Checked(chk_sunab) ? QStringLiteral("수납_재처리") : QStringLiteral("지급_재처리"))
                             + qvx::Clock::nowText(QStringLiteral("yyMMdd")) + QStringLiteral("-")
                             + qvx::Clock::nowText(QStringLiteral("hhmmss"));
    SaveListFile(this, grd_ichelist, proposed, [this] {
        QStringList lines;
        for (int r = 1; r < grd_ichelist->RowCount(); ++r)
            if (grd_ichelist->IsChecked(cNo, r))
                lines << SaveLine(r);
        return lines;
    });
}

// --- report ------------------------------------------------------------------------------------

void Tqv_ichesearch_frm::buildReport()
{
    using qvx::ReportItem;
    Report1.documentName = QStringLiteral("이체처리 현황 (사용자별)");
    Report1.font = QFont(QStringLiteral("굴림체"), 9);
    Report1.columnHeader.height = 7;
    Report1.pageFooter.height = 7;
    auto &t = Report1.title;
    t.add(ReportItem::Label, QStringLiteral("qrlbl_Title"), QRectF(0, 2, 190, 10),
          QStringLiteral("이체처리 현황 (사용자별)"), Qt::AlignCenter).font.setPointSize(16);
    const struct { const char *caption; const char *value; double x, y; const char *unit; } labels[] = {
        {"모계좌 번호 : ", "qlbl_mobankno", 0, 14, ""},   {"이 체 기 간 : ", "qlbl_date", 0, 20, ""},
        {"사  용  자  :", "qlbl_username", 0, 26, ""},    {"전 체 건 수 : ", "qlbl_totalgun", 100, 14, "건"},
        {"정 상 건 수 : ", "qlbl_rightgun", 100, 20, "건"}, {"불 능 건 수 : ", "qlbl_errgun", 100, 26, "건"},
        {"전 체 금 액 : ", "qlbl_totalmoney", 145, 14, "원"}, {"정 상 금 액 : ", "qlbl_rightmoney", 145, 20, "원"},
        {"불 능 금 액 : ", "qlbl_errmoney", 145, 26, "원"},
    };
    for (const auto &l : labels) {
        t.add(ReportItem::Label, QString(), QRectF(l.x, l.y, 24, 5), QString::fromUtf8(l.caption));
        t.add(ReportItem::Label, QString::fromLatin1(l.value), QRectF(l.x + 24, l.y, l.x == 0 ? 70 : 15, 5),
              QString(), l.x == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
        if (*l.unit)
            t.add(ReportItem::Label, QString(), QRectF(l.x + 40, l.y, 5, 5), QString::fromUtf8(l.unit));
    }
    t.add(ReportItem::Label, QString(), QRectF(140, 33, 50, 5), QStringLiteral("Quvex Service"),
          Qt::AlignRight | Qt::AlignVCenter);
    struct Col { const char *title; const char *name; double width; Qt::Alignment align; };
    const Col cols[] = {
        {"NO", "qdata_no", 10, Qt::AlignCenter},
        {"구분", "qdata_gubun", 12, Qt::AlignCenter},
        {"이 체 금 액", "qdata_money", 26, Qt::AlignRight | Qt::AlignVCenter},
        {"업 체 명", "qdata_name", 34, Qt::AlignLeft | Qt::AlignVCenter},
        {"은 행 명", "qdata_bank", 24, Qt::AlignCenter},
        {"계 좌 번 호", "qdata_bankno", 34, Qt::AlignCenter},
        {"송신시각", "qdata_time", 18, Qt::AlignCenter},
        {"처 리 결 과", "qdata_result", 32, Qt::AlignLeft | Qt::AlignVCenter},
    };
    double x = 0;
    for (const Col &c : cols) {
        Report1.columnHeader.add(ReportItem::Box, QString(), QRectF(x, 0, c.width, 7));
        Report1.columnHeader.add(ReportItem::Label, QString(), QRectF(x, 0, c.width, 7), QString::fromUtf8(c.title),
                                 Qt::AlignCenter);
        Report1.detail.add(ReportItem::Box, QString(), QRectF(x, 0, c.width, 6));
        Report1.detail.add(ReportItem::Label, QString::fromLatin1(c.name), QRectF(x + 1, 0, c.width - 2, 6),
                           QString(), c.align);
        x += c.width;
    }
    Report1.pageFooter.add(ReportItem::Label, QString(), QRectF(0, 1, 20, 5), QStringLiteral("출력 일자 : "));
    Report1.pageFooter.add(ReportItem::Label, QStringLiteral("qlbl_printdate"), QRectF(20, 1, 50, 5));
    Report1.pageFooter.add(ReportItem::Label, QString(), QRectF(150, 1, 15, 5), QStringLiteral("Page : "));
    Report1.pageFooter.add(ReportItem::PageNumber, QString(), QRectF(165, 1, 25, 5));
    Report1.detail.height = 6;
    Report1.title.height = 40;
    m_reportRows.fitPage(Report1);

    Report1.BeforePrint = [this] {
        auto &title = Report1.title;
        title.setCaption(QStringLiteral("qlbl_mobankno"),
                         cmb_allbank->ItemIndex() > 0 ? cmb_allbank->Text() : QStringLiteral("모든 계좌"));
        title.setCaption(QStringLiteral("qlbl_date"), m_dates->ReportText());
        title.setCaption(QStringLiteral("qlbl_username"), session.LoginUserId);
        // The figures are read back as numbers (commas removed).
        auto figure = [this](int col, int row) { return CurrToMoneyStr(MoneyCellValue(grd_test->Cells(col, row))); };
        title.setCaption(QStringLiteral("qlbl_totalgun"), figure(3, 2));
        title.setCaption(QStringLiteral("qlbl_rightgun"), figure(6, 2));
        title.setCaption(QStringLiteral("qlbl_errgun"), figure(9, 2));
        title.setCaption(QStringLiteral("qlbl_totalmoney"), figure(3, 3));
        title.setCaption(QStringLiteral("qlbl_rightmoney"), figure(6, 3));
        title.setCaption(QStringLiteral("qlbl_errmoney"), figure(9, 3));
        Report1.pageFooter.setCaption(QStringLiteral("qlbl_printdate"),
                                      qvx::Clock::date().toString(QStringLiteral("yyyy년 MM월 dd일 ")));
    };
    m_reportRows.attach(
        Report1, [this] { return GridIsEmpty(grd_ichelist) ? 0 : grd_ichelist->RowCount() - 1; },
        [this](int row) {
            auto &d = Report1.detail;
            auto cell = [this, row](int col) { return row > 0 ? grd_ichelist->Cells(col, row) : QString(); };
            d.setCaption(QStringLiteral("qdata_no"), row > 0 ? QString::number(row) : QString());
            d.setCaption(QStringLiteral("qdata_gubun"), cell(cKind));
            d.setCaption(QStringLiteral("qdata_money"), cell(cPrice));
            d.setCaption(QStringLiteral("qdata_name"), cell(cName));
            d.setCaption(QStringLiteral("qdata_bank"), cell(cTransBank));
            d.setCaption(QStringLiteral("qdata_bankno"), cell(cBankNo));
            d.setCaption(QStringLiteral("qdata_time"), cell(cRecvTime));
            d.setCaption(QStringLiteral("qdata_result"), cell(cResult));
        });
}

void registerIcheSearchScreen()
{
    ScreenRegistry::instance().add(QStringLiteral("qv_ichesearch_frm"),
                                   [](QWidget *owner, const ScreenContext &context) -> QWidget * { return new Tqv_ichesearch_frm(context, owner); });
}
