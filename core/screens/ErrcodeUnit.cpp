#include "core/screens/ErrcodeUnit.h"

#include "core/screens/ListKit.h"
#include "platform/SqlText.h"

using qvx::ReportItem;
using qvx::sqlQuote;

namespace {
qvx::Prompt &prompt() { return qvx::Prompt::instance(); }

const ListColumns &Columns()
{
    static const ListColumns columns = {
        {QStringLiteral("오류코드"), 0, AlignCenter, "errcode"},
        {QStringLiteral("오류 내용"), 420, AlignLeft, "errcontents"},
        ListColumn::data("bankid"), // the bank the row belongs to
    };
    return columns;
}

// A bank's code as stored.
QString ErrorCodeByKey(const QString &bankid, const QString &errcode)
{
    return QStringLiteral("select bankid, errcode, errcontents from error where bankid = ") + sqlQuote(bankid)
           + QStringLiteral(" and errcode = ") + sqlQuote(errcode);
}

QLineEdit *makeEdit(QWidget *parent, const char *name, const QString &label, int x, int y, int w)
{
    return MakeLabeledEdit(parent, name, label, x, y, 80, w);
}

TKitComboBox *makeBankBox(QWidget *parent, const char *name, int x, int y)
{
    return MakeLabeledCombo(parent, name, QStringLiteral("은  행  명"), x, y, 80, 180);
}
} // namespace

ErrorCodeRow ErrorCodeRow::read(const qvx::ResultSet &rs, int i)
{
    return {rs.value(i, QStringLiteral("bankid")), rs.value(i, QStringLiteral("errcode")),
            rs.value(i, QStringLiteral("errcontents"))};
}

Tqv_ErrCode_frm::Tqv_ErrCode_frm(const ScreenContext &context, QWidget *owner)
    : ScreenForm(context, owner), m_codes(Columns())
{
    SetUpForm(this, "qv_ErrCode_frm", QStringLiteral("오류코드 정보 보기"), 640, 500);

    TKitSimplePanel *top = MakeReferenceSearchBar(this);
    cmb_bankname = makeBankBox(top, "cmb_bankname", 8, 9);
    edt_errcode = makeEdit(top, "edt_errcode", QStringLiteral("오 류 코 드"), 290, 9, 90);
    btn_search = MakeButton(top, "btn_search", QStringLiteral("검 색"), 550, 7, 76, 26);

    ButtonRow buttons(session, MakeBar(this, "pnl_bottom", 40, alBottom), 8, 8, 25);
    buttons.add({{&btn_print, "btn_print", "인 쇄"}, {&btn_modify, "btn_modify", "내용변경", 0, 120},
                 {&btn_add, "btn_add", "추 가"}, {&btn_save, "btn_save", "저 장"}, {&btn_cancel, "btn_cancel", "취 소"},
                 {&btn_close, "btn_close", "닫 기", 0, 550}},
                76);

    pnl_regerr = MakeBar(this, "pnl_regerr", 84, alBottom);
    MakeLabel(pnl_regerr, QStringLiteral(" ◎ 오 류  내 역"), 6, 2, 200);
    edt_regcode = makeEdit(pnl_regerr, "edt_regcode", QStringLiteral("오 류 코 드"), 8, 28, 90);
    edt_regcontents = makeEdit(pnl_regerr, "edt_regcontents", QStringLiteral("오 류 내 용"), 8, 54, 400);

    MakeBand(this, "pnl_listcaption", QStringLiteral(" ◎ 은행 오류코드 및 오류 내역 리스트"), 22);
    pnl_bankname = MakeBar(this, "pnl_bankname", 36, alTop);
    cmb_bankname1 = makeBankBox(pnl_bankname, "cmb_bankname1", 8, 7);
    banks = std::make_unique<BankCombo>(cmb_bankname, QString(), QString());
    entryBanks = std::make_unique<BankCombo>(cmb_bankname1, QString(), QString());

    ListDecl d;
    d.grid.name = "grd_error";
    d.grid.columns = &Columns();
    d.grid.find = false;
    d.search.statement = [this] { return searchStatement(); };
    d.search.emptyMessage = QStringLiteral("해당 은행 또는 오류코드가 존재하지 않습니다.");
    d.search.onRow = [this](const qvx::ResultSet &rs, int gridRow, int row) { m_codes.listedRow(rs, gridRow, row); };
    // A search without result leaves the rows of the previous search.
    d.search.statementClearsList = true;
    d.search.searched = [this](const QString &, int rows) {
        if (rows > 0)
            return;
        showBands(false, !pnl_regerr->isHidden());
        cmb_bankname1->SetItemIndex(-1);
        cmb_bankname->setFocus();
    };
    ListReportDecl &r = d.report.emplace();
    r.title = QStringLiteral("은행오류코드 리스트");
    r.productY = 16;
    r.extras = [](qvx::Report &report) {
        report.title.add(ReportItem::Label, QStringLiteral("qlbl_condition"), QRectF(0, 16, 150, 6));
    };
    r.columns = {{QStringLiteral("NO"), 15, ReportColumn::RowNo},
                 {QStringLiteral("코드"), 25, 0},
                 {QStringLiteral("내 용"), 150, 1, AlignLeft}};
    r.paging.firstPageLines = 33;
    r.paging.laterPageLines = 37;
    r.footerCaption = QStringLiteral("출력 일시 : ");
    r.fillTitle = [this](qvx::Report &report) {
        QString condition = QStringLiteral("검색 조건 : ") + cmb_bankname->Text();
        if (!edt_errcode->text().isEmpty())
            condition += QStringLiteral(" / ") + edt_errcode->text();
        report.title.setCaption(QStringLiteral("qlbl_condition"), condition);
    };
    m_frame = std::make_unique<ListFrame>(context, this, std::move(d));
    grd_error = m_frame->makeGrid(this);
    Report1.pageFooter.height = 8;
    m_frame->attachReport(Report1);

    EnterWalks(this, {cmb_bankname, edt_regcode, edt_regcontents}, btn_save);
    EnterMovesFocus(edt_errcode, btn_search);
    BindClicks(session, {{btn_search, [this] { btn_searchClick(); }}, {btn_add, [this] { btn_addClick(); }},
                         {btn_modify, [this] { btn_modifyClick(); }}, {btn_save, [this] { btn_saveClick(); }},
                         {btn_cancel, [this] { btn_cancelClick(); }}, {btn_print, [this] { btn_printClick(); }},
                         {btn_close, [this] { close(); }}});

    RunGuarded(session, QStringLiteral("qv_ErrCode_frm.FormCreate"), [this] { FormCreate(); });
}

void Tqv_ErrCode_frm::showBands(bool bank, bool entry)
{
    pnl_bankname->setVisible(bank);
    pnl_regerr->setVisible(entry);
}

void Tqv_ErrCode_frm::FormCreate()
{
    edit.idle();
    showBands(false, false);
    const int count = banks->Load(
        *dm.scktconnect, QStringLiteral("select distinct bankID, bankname from bank group by bankname order by bankid"));
    entryBanks->Fill(banks->Records());
    cmb_bankname1->SetItemIndex(-1); // the entry's bank is chosen when an entry begins
    if (count == 0) {
        prompt().message(QStringLiteral("등록된 거래은행이 존재하지 않습니다.\r\r거래은행을 등록하시기 바랍니다."));
        return;
    }
}

void Tqv_ErrCode_frm::btn_searchClick()
{
    m_frame->search();
}

QString Tqv_ErrCode_frm::searchStatement()
{
    // The bank band follows the search's bank.
    const int item = cmb_bankname->ItemIndex();
    if (item >= 0) {
        showBands(true, !pnl_regerr->isHidden());
        cmb_bankname1->SetItemIndex(item);
    } else {
        showBands(false, !pnl_regerr->isHidden());
    }
    QString sql = QStringLiteral(
        "select   distinct bank.bankID, bank.bankname, error.errcode, error.errcontents from  bank, error "
        "where   bank.bankID = error.bankID ");
    if (item >= 0)
        sql += QStringLiteral("and bank.bankID = ") + sqlQuote(banks->ChosenCode()) + u' ';
    if (!edt_errcode->text().isEmpty())
        sql += QStringLiteral("and error.errcode = ") + sqlQuote(edt_errcode->text()) + u' ';
    sql += QStringLiteral(" group by bank.bankname, error.errcode, error.errcontents");
    return sql;
}

void Tqv_ErrCode_frm::btn_addClick()
{
    edt_regcode->clear();
    edt_regcontents->clear();
    edt_regcode->setReadOnly(false);
    cmb_bankname1->SetEnabled(true);
    m_codes.closeEdit();
    showBands(true, true);
    if (cmb_bankname1->ItemIndex() < 0)
        cmb_bankname1->SetItemIndex(std::max(0, cmb_bankname->ItemIndex()));
    edt_regcode->setFocus();
    edit.begin(ReferenceEditMode::Adding);
}

void Tqv_ErrCode_frm::btn_modifyClick()
{
    if (GridIsEmpty(grd_error)) {
        prompt().message(QStringLiteral("수정할 오류코드가 호출되지 않았습니다. 검색에서 호출하여 수정하시기 바랍니다."));
        cmb_bankname->setFocus();
        return;
    }
    // The correction keeps the row it opened: its bank and code stay as they
    // are, wherever the cursor goes.
    if (!m_codes.open(grd_error->Row()))
        return;
    const ErrorCodeRow &row = *m_codes.opened();
    entryBanks->Choose(row.bankid);
    cmb_bankname1->SetEnabled(false);
    showBands(true, true);
    edt_regcode->setText(row.errcode);
    edt_regcode->setReadOnly(true);
    edt_regcontents->setText(row.errcontents);
    edt_regcontents->setFocus();
    edit.begin(ReferenceEditMode::Modifying);
}

void Tqv_ErrCode_frm::btn_saveClick()
{
    if (RefuseWhenOffline(session) || ErrorCodeEditMode == 0)
        return;
    if (ErrorCodeEditMode == ReferenceEditMode::Adding && cmb_bankname1->Text().isEmpty()) {
        prompt().message(QStringLiteral("은행명을 선택하시기 바랍니다."));
        cmb_bankname1->setFocus();
        return;
    }
    const QString code = edt_regcode->text();
    const QString text = edt_regcontents->text();
    if (RefuseEmpty(edt_regcode, QStringLiteral("에러코드를 입력하시기 바랍니다."))
        || RefuseEmpty(edt_regcontents, QStringLiteral("에러내용을 입력하시기 바랍니다."))
        || !ConfirmReferenceEntry(QStringLiteral("오류코드"), code, QStringLiteral("오류내용"), text))
        return;
    bool ok = false;
    if (ErrorCodeEditMode == ReferenceEditMode::Adding) {
        const QString bank = entryBanks->ChosenCode();
        ok = StoreReferenceChange(context(), QStringLiteral("insert into error (bankID, errcode, errcontents) values(")
                                  + sqlQuote(bank) + u',' + sqlQuote(code) + u',' + sqlQuote(text) + u')');
        if (ok)
            m_codes.appendStored(grd_error, ReadStoredRow(context(), ErrorCodeByKey(bank, code)));
    } else if (const ErrorCodeRow *opened = m_codes.opened()) {
        const ErrorCodeRow key = *opened;
        ok = StoreReferenceUpdate(context(), QStringLiteral("error"),
                                  QStringLiteral(" where errcode = ") + sqlQuote(key.errcode)
                                      + QStringLiteral(" and bankid = ") + sqlQuote(key.bankid),
                                  QStringLiteral("update error set errcontents = ") + sqlQuote(text));
        if (ok)
            m_codes.showStored(grd_error, ReadStoredRow(context(), ErrorCodeByKey(key.bankid, key.errcode)));
    }
    TellReferenceStored(ok);
    cmb_bankname->SetItemIndex(0);
    endEdit();
}

void Tqv_ErrCode_frm::btn_cancelClick()
{
    endEdit();
}

void Tqv_ErrCode_frm::endEdit()
{
    edt_regcode->clear();
    edt_regcontents->clear();
    edt_regcode->setReadOnly(false);
    cmb_bankname1->SetEnabled(true);
    m_codes.closeEdit();
    edit.idle();
    showBands(false, false);
}

void Tqv_ErrCode_frm::btn_printClick()
{
    PrintList(this, grd_error, Report1, true);
}

void registerErrcodeScreen()
{
    RegisterListScreen<Tqv_ErrCode_frm>(QStringLiteral("qv_ErrCode_frm"));
}
