#include "core/screens/ErrcodeUnit.h"

#include "core/CellText.h"
#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/EventGuard.h"
#include "core/ListColumns.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ScreenBinding.h"
#include "core/Session.h"
#include "core/screens/ReferenceEdit.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenRegistry.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "controls/panels/KitControl.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/SqlText.h"
#include "platform/TListGrid.h"

#include <QLabel>
#include <QLineEdit>

using qvx::ReportItem;
using qvx::sqlQuote;

namespace {
qvx::Prompt &prompt() { return qvx::Prompt::instance(); }

// Beyond the two shown columns each row keeps the bank it belongs to.
constexpr int BankColumn = 2;

const ListColumns &Columns()
{
    static const ListColumns columns = {
        {QStringLiteral("오류코드"), 0, AlignCenter, "errcode"},
        {QStringLiteral("오류 내용"), 420, AlignLeft, "errcontents"},
        ListColumn::data("bankid"), // BankColumn
    };
    return columns;
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

Tqv_ErrCode_frm::Tqv_ErrCode_frm(const ScreenContext &context, QWidget *owner)
    : ScreenForm(context, owner)
{
    SetUpForm(this, "qv_ErrCode_frm", QStringLiteral("오류코드 정보 보기"), 640, 500);

    MakeBand(this, "pnl_searchcaption", QStringLiteral(" ◎ 검  색"), 22);
    TKitSimplePanel *top = MakeBar(this, "pnl_search", 40, alTop);
    cmb_bankname = makeBankBox(top, "cmb_bankname", 8, 9);
    edt_errcode = makeEdit(top, "edt_errcode", QStringLiteral("오 류 코 드"), 290, 9, 90);
    btn_search = MakeButton(top, "btn_search", QStringLiteral("검 색"), 550, 7, 76, 26);

    TKitSimplePanel *bar = MakeBar(this, "pnl_bottom", 40, alBottom);
    btn_print = MakeButton(bar, "btn_print", QStringLiteral("인 쇄"), 8, 8, 76, 25);
    btn_modify = MakeButton(bar, "btn_modify", QStringLiteral("내용변경"), 120, 8, 76, 25);
    btn_add = MakeButton(bar, "btn_add", QStringLiteral("추 가"), 202, 8, 76, 25);
    btn_save = MakeButton(bar, "btn_save", QStringLiteral("저 장"), 284, 8, 76, 25);
    btn_cancel = MakeButton(bar, "btn_cancel", QStringLiteral("취 소"), 366, 8, 76, 25);
    btn_close = MakeButton(bar, "btn_close", QStringLiteral("닫 기"), 550, 8, 76, 25);

    pnl_regerr = MakeBar(this, "pnl_regerr", 84, alBottom);
    auto *cap = new QLabel(QStringLiteral(" ◎ 오 류  내 역"), pnl_regerr);
    cap->setGeometry(6, 2, 200, 22);
    edt_regcode = makeEdit(pnl_regerr, "edt_regcode", QStringLiteral("오 류 코 드"), 8, 28, 90);
    edt_regcontents = makeEdit(pnl_regerr, "edt_regcontents", QStringLiteral("오 류 내 용"), 8, 54, 400);

    MakeBand(this, "pnl_listcaption", QStringLiteral(" ◎ 은행 오류코드 및 오류 내역 리스트"), 22);
    pnl_bankname = MakeBar(this, "pnl_bankname", 36, alTop);
    cmb_bankname1 = makeBankBox(pnl_bankname, "cmb_bankname1", 8, 7);
    banks = std::make_unique<BankCombo>(cmb_bankname, QString(), QString());
    entryBanks = std::make_unique<BankCombo>(cmb_bankname1, QString(), QString());

    grd_error = MakeListGrid(this, "grd_error", Columns());

    EnterMovesFocus(cmb_bankname);
    EnterMovesFocus(edt_regcode);
    EnterMovesFocus(edt_errcode, btn_search);
    EnterMovesFocus(edt_regcontents, btn_save);
    FocusOnShow(this, cmb_bankname);
    BindClick(this, btn_search, "btn_searchClick", &Tqv_ErrCode_frm::btn_searchClick);
    BindClick(this, btn_add, "btn_addClick", &Tqv_ErrCode_frm::btn_addClick);
    BindClick(this, btn_modify, "btn_modifyClick", &Tqv_ErrCode_frm::btn_modifyClick);
    BindClick(this, btn_save, "btn_saveClick", &Tqv_ErrCode_frm::btn_saveClick);
    BindClick(this, btn_cancel, "btn_cancelClick", &Tqv_ErrCode_frm::btn_cancelClick);
    BindClick(this, btn_print, "btn_printClick", &Tqv_ErrCode_frm::btn_printClick);
    BindClick(session, btn_close, QStringLiteral("btn_closeClick"), [this] { close(); });

    edit.setButtons(btn_add, btn_modify, btn_save, btn_cancel);
    PrepareReport();
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
    if (RefuseWhenOffline(session))
        return;
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
    const qvx::ResultSet rs = dm.cms_select1(sql);
    if (rs.recordCount() == 0) {
        prompt().message(QStringLiteral("해당 은행 또는 오류코드가 존재하지 않습니다."));
        showBands(false, !pnl_regerr->isHidden());
        cmb_bankname1->SetItemIndex(-1);
        cmb_bankname->setFocus();
        return;
    }
    ClearGridRows(grd_error, 1);
    FillList(grd_error, Columns(), rs);
}

void Tqv_ErrCode_frm::btn_addClick()
{
    edt_regcode->clear();
    edt_regcontents->clear();
    edt_regcode->setReadOnly(false);
    cmb_bankname1->SetEnabled(true);
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
    // The correction belongs to the listed row: its bank and code stay as they are.
    const int r = grd_error->Row();
    m_editBank = grd_error->Cells(BankColumn, r);
    m_editCode = grd_error->Cells(0, r);
    entryBanks->Choose(m_editBank);
    cmb_bankname1->SetEnabled(false);
    showBands(true, true);
    edt_regcode->setText(m_editCode);
    edt_regcode->setReadOnly(true);
    edt_regcontents->setText(grd_error->Cells(1, r));
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
    if (code.isEmpty()) {
        prompt().message(QStringLiteral("에러코드를 입력하시기 바랍니다."));
        edt_regcode->setFocus();
        return;
    }
    if (text.isEmpty()) {
        prompt().message(QStringLiteral("에러내용을 입력하시기 바랍니다."));
        edt_regcontents->setFocus();
        return;
    }
    if (!prompt().confirm(QStringLiteral("오류코드 : ") + code + u'\r' + QStringLiteral("오류내용 : ") + text
                          + QStringLiteral("\r\r등록하시겠습니까")))
        return;
    bool ok = false;
    if (ErrorCodeEditMode == ReferenceEditMode::Adding) {
        const QString bank = entryBanks->ChosenCode();
        ok = StoreReferenceChange(context(), QStringLiteral("insert into error (bankID, errcode, errcontents) values(")
                                  + sqlQuote(bank) + u',' + sqlQuote(code) + u',' + sqlQuote(text) + u')');
        if (ok)
            AppendGridRow(grd_error, {code, text, bank});
    } else {
        ok = StoreReferenceUpdate(context(), QStringLiteral("error"),
                                  QStringLiteral(" where errcode = ") + sqlQuote(m_editCode)
                                      + QStringLiteral(" and bankid = ") + sqlQuote(m_editBank),
                                  QStringLiteral("update error set errcontents = ") + sqlQuote(text));
        if (ok)
            grd_error->SetCells(1, grd_error->Row(), text);
    }
    prompt().message(ok ? QStringLiteral("정상적으로 처리되었습니다.") : QStringLiteral("정상적으로 처리되지 않았습니다."));
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
    m_editBank.clear();
    m_editCode.clear();
    edit.idle();
    showBands(false, false);
}

void Tqv_ErrCode_frm::PrepareReport()
{
    Report1.columnHeader.height = 8;
    Report1.pageFooter.height = 8;
    Report1.title.items.clear();
    AddReportTitle(Report1, QStringLiteral("은행오류코드 리스트"), 190, 16);
    Report1.title.add(ReportItem::Label, QStringLiteral("qlbl_condition"), QRectF(0, 16, 150, 6));
    Report1.columnHeader.items.clear();
    Report1.columnHeader.add(ReportItem::Box, QString(), QRectF(0, 0, 190, 8));
    Report1.columnHeader.add(ReportItem::Label, QString(), QRectF(0, 0, 15, 8), QStringLiteral("NO"), Qt::AlignCenter);
    Report1.columnHeader.add(ReportItem::Label, QString(), QRectF(15, 0, 25, 8), QStringLiteral("코드"), Qt::AlignCenter);
    Report1.columnHeader.add(ReportItem::Label, QString(), QRectF(40, 0, 150, 8), QStringLiteral("내 용"), Qt::AlignCenter);
    Report1.detail.items.clear();
    Report1.detail.add(ReportItem::Box, QString(), QRectF(0, 0, 190, 6));
    Report1.detail.add(ReportItem::Label, QStringLiteral("qdata_no"), QRectF(0, 0, 15, 6), QString(), Qt::AlignCenter);
    Report1.detail.add(ReportItem::Label, QStringLiteral("qdata_code"), QRectF(15, 0, 25, 6), QString(), Qt::AlignCenter);
    Report1.detail.add(ReportItem::Label, QStringLiteral("qdata_text"), QRectF(42, 0, 148, 6));
    Report1.pageFooter.items.clear();
    Report1.pageFooter.add(ReportItem::Label, QStringLiteral("qlbl_printdate"), QRectF(0, 1, 120, 6));
    Report1.pageFooter.add(ReportItem::PageNumber, QStringLiteral("qrpage"), QRectF(140, 1, 50, 6),
                           QStringLiteral("Page : "), Qt::AlignRight | Qt::AlignVCenter);
    m_rows.fitPage(Report1);
    Report1.BeforePrint = [this] {
        QString condition = QStringLiteral("검색 조건 : ") + cmb_bankname->Text();
        if (!edt_errcode->text().isEmpty())
            condition += QStringLiteral(" / ") + edt_errcode->text();
        Report1.title.setCaption(QStringLiteral("qlbl_condition"), condition);
        const QDate d = qvx::Clock::date();
        Report1.pageFooter.setCaption(QStringLiteral("qlbl_printdate"),
                                      QStringLiteral("출력 일시 : ") + KoreanDateText(d) + u' ');
    };
    m_rows.attach(
        Report1, [this] { return GridIsEmpty(grd_error) ? 0 : grd_error->RowCount() - 1; },
        [this](int row) {
            Report1.detail.setCaption(QStringLiteral("qdata_no"), row > 0 ? QString::number(row) : QString());
            Report1.detail.setCaption(QStringLiteral("qdata_code"), row > 0 ? grd_error->Cells(0, row) : QString());
            Report1.detail.setCaption(QStringLiteral("qdata_text"), row > 0 ? grd_error->Cells(1, row) : QString());
        });
}

void Tqv_ErrCode_frm::btn_printClick()
{
    PrintList(this, grd_error, Report1, true);
}

void registerErrcodeScreen()
{
    ScreenRegistry::instance().add(QStringLiteral("qv_ErrCode_frm"), [](QWidget *owner, const ScreenContext &context) -> QWidget * {
        return new Tqv_ErrCode_frm(context, owner);
    });
}
