#include "transfers/screens/DaesangUnit.h"

#include "core/BankSql.h"
#include "core/CellText.h"
#include "core/screens/ListKit.h"
#include "core/screens/KeyHook.h"
#include "core/screens/ReferenceEdit.h"
#include "platform/SqlText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

using qvx::sqlQuote;

namespace {

qvx::Prompt &prompt() { return qvx::Prompt::instance(); }

const QString NotDoneMessage = QStringLiteral("정상적으로 처리되지 않았습니다.");
const QString &AccountMessage = AccountRefusedMessage;

const QString PayeeSelect = QStringLiteral(
    "select daesang.name, daesang.bankid, daesang.bankno, daesang.residentno, allbank.bankname, "
    "TelNo_1, TelNo_2, TelNo_3, ConCat(daesang.TelNo_1,\"-\", daesang.TelNo_2, \"-\", "
    "daesang.TelNo_3) as PhoneNo from daesang, allbank where daesang.bankid = allbank.bankid ");

// The payee of that account and name as stored.
QString PayeeByKey(const QString &bankNo, const QString &name)
{
    return PayeeSelect + QStringLiteral("and daesang.bankno = ") + sqlQuote(bankNo) + QStringLiteral(" and daesang.name = ")
           + sqlQuote(name);
}

QLineEdit *field(QWidget *panel, const char *name, const QString &text, int x, int y, int w, int maxLength = 0)
{
    auto *l = new QLabel(text, panel);
    l->setGeometry(x, y, 90, 22);
    auto *e = new QLineEdit(panel);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x + 92, y, w, 22);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

// How many payees the key (stored account, stored name) finds.
int payeesWithKey(Tdm &dm, const QString &bankNo, const QString &name)
{
    const qvx::ResultSet rs = dm.cms_select1(QStringLiteral("select count(*) as cnt from daesang where bankno = ")
                                              + sqlQuote(bankNo) + QStringLiteral(" and name = ") + sqlQuote(name));
    return rs.valueInt(0, QStringLiteral("cnt"));
}

QString phoneText(const QString &a, const QString &b, const QString &c)
{
    return a + QLatin1Char('-') + b + QLatin1Char('-') + c;
}

// The payee list, in the order of Tqv_Daesang_frm::Column: every cell
// centred; the bank code, the three phone parts and the stored account are
// kept hidden with their row.
const ListColumns &PayeeColumns()
{
    static const ListColumns columns = [] {
        ListColumn bankNo{QStringLiteral("거래 계좌"), 150, AlignCenter, "bankno", CellFormat::Account};
        bankNo.bankField = "bankid";
        ListColumn residentNo{QStringLiteral("실명번호"), 130, AlignCenter, "residentno", CellFormat::Computed};
        residentNo.compute = [](const qvx::ResultSet &rs, int row) {
            return HyphenRealNameNo(rs.value(row, QStringLiteral("residentno")).trimmed());
        };
        ListColumn phone{QStringLiteral("휴대폰번호(SMS용)"), 140, AlignCenter, "", CellFormat::Computed};
        phone.compute = [](const qvx::ResultSet &rs, int row) {
            auto v = [&](const char *name) { return rs.value(row, QString::fromLatin1(name)); };
            return phoneText(v("TelNo_1"), v("TelNo_2"), v("TelNo_3"));
        };
        auto tel = [](const char *title, const char *field) {
            ListColumn c = ListColumn::data(field);
            c.title = QString::fromLatin1(title);
            return c;
        };
        return ListColumns{
            {QStringLiteral("순번"), 50, AlignCenter, "", CellFormat::RowNo}, // colNo
            {QStringLiteral("거래처 명"), 130, AlignCenter, "name"},         // colName
            {QStringLiteral("거래은행"), 100, AlignCenter, "bankname"},      // colBankName
            bankNo,                                                           // colBankNo
            residentNo,                                                       // colResidentNo
            ListColumn::data("bankid"),                                       // colBankId
            phone,                                                            // colPhone
            tel("Tel_1", "TelNo_1"),                                          // colTel1
            tel("Tel_2", "TelNo_2"),                                          // colTel2
            tel("Tel_3", "TelNo_3"),                                          // colTel3
        };
    }();
    return columns;
}

} // namespace

PayeeRow PayeeRow::read(const qvx::ResultSet &rs, int i)
{
    auto v = [&](const char *name) { return rs.value(i, QString::fromLatin1(name)); };
    return {v("name"), v("bankid"), v("bankno"), v("residentno"), v("bankname"), v("TelNo_1"), v("TelNo_2"), v("TelNo_3")};
}

Tqv_Daesang_frm::Tqv_Daesang_frm(const ScreenContext &context, QWidget *owner)
    : ScreenForm(context, owner), m_payees(PayeeColumns())
{
    SetUpForm(this, "qv_Daesang_frm", QStringLiteral("거래처정보등록"), 860, 600);

    TKitSimplePanel *search = MakePanel(this, "pnl_search");
    search->resize(width(), 64);
    SetAlign(search, alTop);
    (new QLabel(QStringLiteral(" ◎ 거래처 검색"), search))->setGeometry(6, 4, 200, 20);
    edt_searchname = field(search, "edt_searchname", QStringLiteral("거 래 처 이름"), 10, 32, 150);
    edt_searchbankno = field(search, "edt_searchbankno", QStringLiteral("거 래 처 계좌"), 270, 32, 150);
    btn_search = MakeButton(search, "btn_search", QStringLiteral("검 색"), 540, 30, 90, 26);

    TKitSimplePanel *bar = MakePanel(this, "pnl_buttons");
    bar->resize(width(), 40);
    SetAlign(bar, alBottom);
    ButtonRow buttons(session, bar, 8, 7);
    buttons.add({{&btn_add, "btn_add", "추 가"}, {&btn_modify, "btn_modify", "수 정"}, {&btn_cancel, "btn_cancel", "취 소"},
                 {&btn_delete, "btn_delete", "삭 제"}, {&btn_save, "btn_save", "저 장"},
                 {&btn_preview, "btn_preview", "미리보기"}, {&btn_print, "btn_print", "인 쇄"},
                 {&btn_close, "btn_close", "닫 기"}},
                88);

    pnl_regdaesang = MakePanel(this, "pnl_regdaesang");
    pnl_regdaesang->resize(width(), 96);
    (new QLabel(QStringLiteral(" ◎ 거래처 등록 정보"), pnl_regdaesang))->setGeometry(6, 4, 200, 20);
    (new QLabel(QStringLiteral("거래은행 코드"), pnl_regdaesang))->setGeometry(10, 30, 90, 22);
    cmb_allbank = new TKitComboBox(pnl_regdaesang);
    cmb_allbank->setObjectName(QStringLiteral("cmb_allbank"));
    cmb_allbank->SetStyle(csDropDownList);
    cmb_allbank->setGeometry(102, 30, 150, 22);
    edt_transbankno = field(pnl_regdaesang, "edt_transbankno", QStringLiteral("거 래 처 계 좌"), 270, 30, 160);
    edt_transname = field(pnl_regdaesang, "edt_transname", QStringLiteral("거 래 처 이름"), 10, 60, 150);
    // The stored name holds 12 bytes: six Korean syllables or twelve letters.
    LimitInputBytes(edt_transname, 12);
    SetUpperCaseInput(edt_transname);
    edt_residentno = field(pnl_regdaesang, "edt_residentno", QStringLiteral("실  명  번  호"), 270, 60, 160);
    (new QLabel(QStringLiteral("휴대폰번호(SMS용)"), pnl_regdaesang))->setGeometry(540, 30, 120, 22);
    cb_TelNo1 = new TKitComboBox(pnl_regdaesang);
    cb_TelNo1->setObjectName(QStringLiteral("cb_TelNo1"));
    cb_TelNo1->SetStyle(csDropDownList);
    cb_TelNo1->setGeometry(540, 60, 60, 22);
    for (const char *p : {"010", "011", "016", "017", "018", "019"})
        cb_TelNo1->Items().Add(QString::fromLatin1(p));
    ed_TelNo2 = new QLineEdit(pnl_regdaesang);
    ed_TelNo2->setObjectName(QStringLiteral("ed_TelNo2"));
    ed_TelNo2->setGeometry(606, 60, 60, 22);
    ed_TelNo2->setMaxLength(4);
    ed_TelNo3 = new QLineEdit(pnl_regdaesang);
    ed_TelNo3->setObjectName(QStringLiteral("ed_TelNo3"));
    ed_TelNo3->setGeometry(672, 60, 60, 22);
    ed_TelNo3->setMaxLength(4);

    MakeBand(this, "pnl_listcaption", QStringLiteral(" ◎ 거래처 리스트"), 25);
    ListDecl decl;
    decl.grid = {"grd_daesang", &PayeeColumns(), 0, 40, colName, false};
    decl.search.statement = [this] { return searchStatement(); };
    decl.search.emptyMessage = QStringLiteral("해당 조건에 대한 자료가 존재하지 않습니다.");
    decl.search.onRow = [this](const qvx::ResultSet &rs, int gridRow, int row) { m_payees.listedRow(rs, gridRow, row); };
    decl.search.searched = [this](const QString &, int rows) {
        if (rows > 0)
            grd_daesang->SetRow(1);
    };
    ListReportDecl report;
    report.title = QStringLiteral("대 상 자 등록현황");
    report.productY = 16;
    report.values = {{QStringLiteral("대상 업체 : "), QStringLiteral("qlbl_target"), QPointF(0, 16), QString(), 20, 100}};
    report.columns = {
        {QStringLiteral("NO"), 12, colNo},          {QStringLiteral("도 매 상 명"), 36, colName},
        {QStringLiteral("은 행 명"), 26, colBankName}, {QStringLiteral("계 좌 번 호"), 40, colBankNo},
        {QStringLiteral("주민/사업자 등록번호"), 40, colResidentNo}, {QStringLiteral("핸드폰(SMS수신용)"), 36, colPhone}};
    report.paging.firstPageLines = 33;
    report.paging.laterPageLines = 37;
    report.footerCaption = QStringLiteral("출력 일시 : ");
    report.fillTitle = [](qvx::Report &r) {
        r.title.setCaption(QStringLiteral("qlbl_target"), QStringLiteral("모든 대상거래처"));
    };
    decl.report = std::move(report);
    m_frame = std::make_unique<ListFrame>(context, this, std::move(decl));
    grd_daesang = m_frame->makeGrid(this);
    grd_daesang->setSelectionBehavior(QAbstractItemView::SelectRows);

    for (QWidget *w : std::initializer_list<QWidget *>{edt_transbankno, edt_transname, edt_residentno, cb_TelNo1,
                                                       ed_TelNo2, edt_searchname, edt_searchbankno})
        EnterMovesFocus(w);
    EnterMovesFocus(cmb_allbank, edt_transbankno);
    OnKey(ed_TelNo3, [this](QKeyEvent *e) {
        if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
            return false;
        FocusButton(btn_save);
        return true;
    });
    OnFocusOut(edt_transbankno,
               [this] { RunGuarded(session, QStringLiteral("edt_transbanknoExit"), [this] { edt_transbanknoExit(); }); });
    OnFocusOut(edt_residentno,
               [this] { RunGuarded(session, QStringLiteral("edt_residentnoExit"), [this] { edt_residentnoExit(); }); });
    cmb_allbank->OnChange = [this](QObject *) { RunGuarded(session, QStringLiteral("cmb_allbankChange"), [this] { btn_addClick(); }); };
    FocusOnShow(this, edt_searchname);

    BindClicks(session, {{btn_search, [this] { btn_searchClick(); }}, {btn_add, [this] { btn_addClick(); }},
                         {btn_modify, [this] { btn_modifyClick(); }}, {btn_cancel, [this] { btn_cancelClick(); }},
                         {btn_delete, [this] { btn_deleteClick(); }}, {btn_save, [this] { btn_saveClick(); }},
                         {btn_preview, [this] { btn_printClick(true); }},
                         {btn_print, [this] { btn_printClick(false); }}, {btn_close, [this] { close(); }}});

    m_frame->attachReport(Report1);
    RunGuarded(session, QStringLiteral("qv_Daesang_frm.FormCreate"), [this] { FormCreate(); });
}

Tqv_Daesang_frm::~Tqv_Daesang_frm() = default;

void Tqv_Daesang_frm::FormCreate()
{
    PayeeEditMode = 0;
    setButtons(true);
    openPanel(false);
    const qvx::ResultSet banks =
        dm.cms_select1(BankSql::bankCodes(BankSql::BankCodeRows::Named));
    if (banks.isEmpty()) {
        prompt().message(QStringLiteral("은행기본정보가 존재하지 않습니다."));
        return;
    }
    for (int i = 0; i < banks.recordCount(); ++i) {
        const QString id = banks.value(i, QStringLiteral("bankid"));
        const QString name = banks.value(i, QStringLiteral("bankname"));
        bool isNumber = false;
        const qint64 n = name.trimmed().toLongLong(&isNumber);
        if (isNumber && n != 0)
            continue;
        cmb_allbank->Items().Add(QStringLiteral("[") + id + QStringLiteral("] ") + name);
        PayeeBankTable.append({id, name});
    }
    cmb_allbank->SetItemIndex(0);

    const qvx::ResultSet rs = dm.cms_select1(QStringLiteral(
        "select daesang.name, daesang.bankid, daesang.bankno, daesang.TelNo_1, daesang.TelNo_2, daesang.TelNo_3, "
        "concat(daesang.TelNo_1,\"-\",daesang.TelNo_2,\"-\",daesang.TelNo_3) as PhoneNo, daesang.residentno, "
        "allbank.bankname from daesang, allbank where daesang.bankid = allbank.bankid order by name"));
    if (rs.isEmpty())
        prompt().message(QStringLiteral("등록된 대상자가 존재하지 않습니다."));
    if (m_frame->fill(rs) > 0)
        grd_daesang->SetRow(1);
}

// --- panel and buttons ------------------------------------------------------------------------

void Tqv_Daesang_frm::openPanel(bool open)
{
    if (open) {
        SetAlign(pnl_regdaesang, alBottom);
        pnl_regdaesang->show();
    } else {
        SetAlign(pnl_regdaesang, alNone);
        pnl_regdaesang->hide();
    }
    pnl_regdaesang->SetEnabled(open);
}

void Tqv_Daesang_frm::setButtons(bool browse)
{
    SetButtonEnabled(btn_add, browse);
    SetButtonEnabled(btn_modify, browse);
    SetButtonEnabled(btn_delete, browse);
    SetButtonEnabled(btn_cancel, true);
    SetButtonEnabled(btn_save, !browse);
}

void Tqv_Daesang_frm::clearEntry(bool phoneToo)
{
    cmb_allbank->SetItemIndex(0);
    edt_transbankno->clear();
    edt_transname->clear();
    edt_residentno->clear();
    if (phoneToo) {
        cb_TelNo1->SetItemIndex(-1);
        ed_TelNo2->clear();
        ed_TelNo3->clear();
    }
}

QString Tqv_Daesang_frm::selectedBankId() const
{
    const int i = cmb_allbank->ItemIndex();
    return i >= 0 && i < PayeeBankTable.size() ? PayeeBankTable[i].first : QString();
}

QString Tqv_Daesang_frm::selectedBankName() const
{
    const int i = cmb_allbank->ItemIndex();
    return i >= 0 && i < PayeeBankTable.size() ? PayeeBankTable[i].second : QString();
}

// --- actions ------------------------------------------------------------------------------------

void Tqv_Daesang_frm::btn_searchClick()
{
    m_frame->search();
}

// The search of the names and accounts typed; the entry panel closes with it.
QString Tqv_Daesang_frm::searchStatement()
{
    const QString name = QStringLiteral("%") + edt_searchname->text() + QStringLiteral("%");
    const QString account = QStringLiteral("%") + DelChar(edt_searchbankno->text(), QLatin1Char('-')) + QStringLiteral("%");
    openPanel(false);
    m_payees.clear();
    return PayeeSelect + QStringLiteral("and daesang.name like ") + sqlQuote(name) + QStringLiteral(" and daesang.bankno like ") + sqlQuote(account)
           + QStringLiteral(" order by daesang.name");
}

void Tqv_Daesang_frm::btn_addClick()
{
    openPanel(true);
    setButtons(false);
    cmb_allbank->setFocus();
    if (PayeeEditMode != 2)
        PayeeEditMode = 1;
}

void Tqv_Daesang_frm::btn_modifyClick()
{
    if (m_frame->isEmpty()) {
        prompt().message(QStringLiteral("수정할 대상자가 존재하지 않습니다."));
        return;
    }
    // The modification keeps the payee it opened, wherever the cursor goes.
    if (!m_payees.open(std::max(1, grd_daesang->Row())))
        return;
    const PayeeRow &row = *m_payees.opened();
    for (int i = 0; i < PayeeBankTable.size(); ++i)
        if (PayeeBankTable[i].first == row.bankid)
            cmb_allbank->SetItemIndex(i);
    edt_transbankno->setText(FormatAcctNo(row.bankid, row.bankno));
    edt_transname->setText(row.name);
    edt_residentno->setText(HyphenRealNameNo(row.residentno.trimmed()));
    cb_TelNo1->SetItemIndex(cb_TelNo1->Items().IndexOf(row.tel1));
    ed_TelNo2->setText(row.tel2);
    ed_TelNo3->setText(row.tel3);
    openPanel(true);
    setButtons(false);
    cmb_allbank->setFocus();
    PayeeEditMode = 2;
}

void Tqv_Daesang_frm::edt_transbanknoExit()
{
    const QString code = selectedBankId();
    const QString account = DelChar(edt_transbankno->text(), QLatin1Char('-'));
    if (account.isEmpty())
        return;
    if (CheckAcctNo(code, account))
        edt_transbankno->setText(FormatAcctNo(code, account));
    else
        prompt().message(AccountMessage);
}

void Tqv_Daesang_frm::edt_residentnoExit()
{
    edt_residentno->setText(HyphenRealNameNo(DelChar(edt_residentno->text().trimmed(), QLatin1Char('-'))));
}

void Tqv_Daesang_frm::btn_saveClick()
{
    if (RefuseWhenOffline(session))
        return;
    if (PayeeEditMode == 1)
        saveNew();
    else if (PayeeEditMode == 2)
        saveChange();
}

void Tqv_Daesang_frm::saveNew()
{
    if (RefuseEmpty(edt_transbankno, QStringLiteral("거래처 계좌를 입력하시기 바랍니다."))
        || RefuseEmpty(edt_transname, QStringLiteral("거래처 이름을 입력하시기 바랍니다.")))
        return;
    const std::optional<QString> typed = enteredAccount();
    if (!typed)
        return;
    const QString account = *typed;
    const QString name = edt_transname->text();
    // Stored accounts are compared without their hyphens as well.
    const qvx::ResultSet found = dm.cms_select1(
        QStringLiteral("select bankno from daesang where replace(bankno, '-', '') = ") + sqlQuote(account)
        + QStringLiteral(" and name = ") + sqlQuote(name));
    if (!found.isEmpty()) {
        prompt().message(QStringLiteral("등록된 계좌 번호 및 이름입니다."));
        return;
    }
    const QString tel1 = cb_TelNo1->Text();
    const QString sql =
        QStringLiteral("insert into daesang(name, bankno, bankid, TelNo_1, TelNO_2, TelNo_3, residentno) values(")
        + sqlQuote(name) + QStringLiteral(", ") + sqlQuote(account) + QStringLiteral(", ") + sqlQuote(selectedBankId())
        + QStringLiteral(", ") + sqlQuote(tel1) + QStringLiteral(", ") + sqlQuote(ed_TelNo2->text())
        + QStringLiteral(", ") + sqlQuote(ed_TelNo3->text()) + QStringLiteral(", ")
        + sqlQuote(DelChar(edt_residentno->text(), QLatin1Char('-'))) + QStringLiteral(")");
    if (StoreReferenceChange(context(), sql)) {
        m_payees.appendStored(grd_daesang, ReadStoredRow(context(), PayeeByKey(account, name)));
        setButtons(true);
        clearEntry(false);
    } else {
        prompt().message(QStringLiteral("정상적으로 처리되지 않았습니다. 다시 시도하시기 바랍니다."));
    }
    openPanel(false);
    PayeeEditMode = 0;
}

void Tqv_Daesang_frm::saveChange()
{
    const std::optional<QString> typed = enteredAccount();
    if (!typed)
        return;
    const QString account = *typed;
    const QString name = edt_transname->text();
    const QString resident = DelChar(edt_residentno->text(), QLatin1Char('-'));
    if (!prompt().confirm(QStringLiteral("거 래 처 계좌 : ") + edt_transbankno->text() + QStringLiteral("\r")
                          + QStringLiteral("거 래 처   명 : ") + name + QStringLiteral("\r")
                          + QStringLiteral("실명번호 : ") + edt_residentno->text() + QStringLiteral("\r\r")
                          + QStringLiteral("수정 하시겠습니까?")))
        return;
    // The payee the modification opened, wherever the list's cursor went.
    const PayeeRow *opened = m_payees.opened();
    const QString storedAccount = opened ? opened->bankno : QString();
    const QString storedName = opened ? opened->name : QString();
    const QString tel1 = cb_TelNo1->Text();
    const QString sql = QStringLiteral("update daesang set name = ") + sqlQuote(name) + QStringLiteral(", bankid = ")
                        + sqlQuote(selectedBankId()) + QStringLiteral(", bankno = ") + sqlQuote(account)
                        + QStringLiteral(", residentno = ") + sqlQuote(resident) + QStringLiteral(", TelNo_1 = ")
                        + sqlQuote(tel1) + QStringLiteral(", TelNo_2 = ") + sqlQuote(ed_TelNo2->text())
                        + QStringLiteral(", TelNo_3 = ") + sqlQuote(ed_TelNo3->text())
                        + QStringLiteral(" where bankno = ") + sqlQuote(storedAccount) + QStringLiteral(" and name = ")
                        + sqlQuote(storedName);
    bool ok = false;
    try {
        ok = opened && payeesWithKey(dm, storedAccount, storedName) > 0 && StoreReferenceChange(context(), sql);
    } catch (const std::exception &) {
        ok = false;
    }
    if (ok) {
        m_payees.showStored(grd_daesang, ReadStoredRow(context(), PayeeByKey(account, name)));
        setButtons(true);
        clearEntry(false);
    } else {
        prompt().message(NotDoneMessage);
    }
    m_payees.closeEdit();
    openPanel(false);
    PayeeEditMode = 0;
}

std::optional<QString> Tqv_Daesang_frm::enteredAccount()
{
    std::optional<QString> account = StoredAccountNo(edt_transbankno->text());
    if (!account) {
        prompt().message(AccountMessage);
        edt_transbankno->setFocus();
    }
    return account;
}

void Tqv_Daesang_frm::btn_deleteClick()
{
    if (RefuseWhenOffline(session))
        return;
    openPanel(false);
    if (m_frame->isEmpty()) {
        prompt().message(QStringLiteral("삭제할 거래처가 존재하지 않습니다."));
        FocusButton(btn_add);
        return;
    }
    if (!prompt().confirm(QStringLiteral("선택하신 거래처를 삭제하시겠습니까?")))
        return;
    const int r = std::max(1, grd_daesang->Row());
    const PayeeRow *chosen = m_payees.at(r);
    const QString storedAccount = chosen ? chosen->bankno : QString();
    const QString storedName = chosen ? chosen->name : QString();
    bool ok = false;
    try {
        ok = chosen && payeesWithKey(dm, storedAccount, storedName) > 0
             && StoreReferenceChange(context(), QStringLiteral("delete from daesang where bankno = ") + sqlQuote(storedAccount)
                            + QStringLiteral(" and name = ") + sqlQuote(storedName));
    } catch (const std::exception &) {
        ok = false;
    }
    if (ok) {
        prompt().message(QStringLiteral("정상적으로 처리되었습니다."));
        m_frame->removeRow(r);
        m_payees.removed(r);
        for (int i = 1; i < grd_daesang->RowCount() && !m_frame->isEmpty(); ++i)
            grd_daesang->SetCells(colNo, i, QString::number(i));
    } else {
        prompt().message(NotDoneMessage);
    }
    clearEntry(true);
    setButtons(true);
    PayeeEditMode = 0;
}

void Tqv_Daesang_frm::btn_cancelClick()
{
    m_payees.closeEdit();
    openPanel(false);
    setButtons(true);
    clearEntry(false);
    PayeeEditMode = 0;
}

// --- printing ------------------------------------------------------------------------------------

void Tqv_Daesang_frm::btn_printClick(bool preview)
{
    PrintList(this, grd_daesang, Report1, preview, colName);
}

void registerDaesangScreen()
{
    RegisterListScreen<Tqv_Daesang_frm>(QStringLiteral("qv_Daesang_frm"));
}
