#include "inquiries/screens/TIcheNameSearchUnit.h"

#include "core/BankSql.h"
#include "core/screens/ListKit.h"

namespace {

const ListColumns &NameColumns()
{
    static const ListColumns columns = [] {
        ListColumn remark{QStringLiteral("비고"), 160, AlignCenter, "", CellFormat::Computed};
        remark.compute = [](const qvx::ResultSet &rs, int row) { return HolderNameAnswer::FromRow(rs, row).remark(); };
        return ListColumns{{QStringLiteral("순번"), 45, AlignCenter, "", CellFormat::RowNo},
                           {QStringLiteral("모은행"), 90, AlignCenter, "mobankname"},
                           {QStringLiteral("모계좌"), 140, AlignCenter, "mobankno", CellFormat::Account, "bankid"},
                           {QStringLiteral("이체금액"), 80, AlignRight, "price", CellFormat::Money},
                           {QStringLiteral("거래은행명"), 90, AlignCenter, "bankname"},
                           {QStringLiteral("수수료"), 60, AlignRight, "fee", CellFormat::Money},
                           {QStringLiteral("거래자성명"), 110, AlignCenter, "name"},
                           {QStringLiteral("사업자/주민등록번호"), 140, AlignCenter, "rrnocheck"},
                           remark};
    }();
    return columns;
}

const AnswerInquiryForm::Layout NameLayout{"qv_TIcheNamesearch_frm", QStringLiteral("타행 성명 조회"),
                                           QStringLiteral(" ◎ 타행 성명 조회"),
                                           QStringLiteral(" ◎ 타행 성명 조회 결과"), 72, true,
                                           QStringLiteral("Text 파일 저장"), true};

} // namespace

Tqv_TIcheNamesearch_frm::Tqv_TIcheNamesearch_frm(const ScreenContext &context, QWidget *owner)
    : AnswerInquiryForm(context, owner, NameLayout, {.grid = {"grd_ichelist", &NameColumns(), 0, 19}})
{
    grd_ichelist = grid;
    QWidget *top = searchPanel();
    MakeLabel(top, QStringLiteral("모  계  좌"), 8, 8, 70);
    makeAccountCombo(80, 8, 330, QString(), BankSql::motherAccounts({.passwords = true}));
    cmb_bankname = MakeLabeledCombo(top, "cmb_bankname", QStringLiteral("거 래 은 행"), 420, 8, 68, 180);
    edt_BANKNO = MakeLabeledEdit(top, "edt_BANKNO", QStringLiteral("거래계좌번호"), 8, 40, 78, 180);
    edt_residentno = MakeLabeledEdit(top, "edt_residentno", QStringLiteral("사업자/주민등록번호"), 280, 40, 128, 150);
    btn_search->move(690, 24);
    EnterMovesFocus({cmb_bankname, edt_BANKNO, edt_residentno});
    connect(edt_BANKNO, &QLineEdit::editingFinished, this,
            Guarded(session, QStringLiteral("edt_BANKNOExit"), [this] { edt_BANKNOExit(); }));
    BindClick(this, btn_search, "btn_searchClick", &Tqv_TIcheNamesearch_frm::btn_searchClick);

    m_payeeBanks = std::make_unique<AllBanksCombo>(cmb_bankname, QString(), QStringLiteral(" "));
    if (m_payeeBanks->Load(*dm.scktconnect) == 0)
        qvx::Prompt::instance().message(QStringLiteral("등록된 은행이 존재하지 않습니다. 신규등록을 하시기 바랍니다."));
}

void Tqv_TIcheNamesearch_frm::edt_BANKNOExit()
{
    const QString code = m_payeeBanks->ChosenCode();
    const QString digits = DelChar(edt_BANKNO->text(), u'-');
    if (code.isEmpty() || digits.isEmpty())
        return;
    if (CheckAcctNo(code, digits))
        edt_BANKNO->setText(FormatAcctNo(code, digits));
    else
        qvx::Prompt::instance().message(
            QStringLiteral("해당은행에 대한 계좌번호가 적절하지 않습니다. 확인하시기 바랍니다."));
}

void Tqv_TIcheNamesearch_frm::btn_searchClick()
{
    if (!startRequest())
        return;
    const MotherAccount *parent = accounts().Chosen();
    if (!parent)
        return;
    HolderNameRequest request{*parent, m_payeeBanks->ChosenCode(), edt_BANKNO->text(), edt_residentno->text()};
    if (CheckHolderNameRequest(request) == HolderNameRefusal::NoAccountNo) {
        qvx::Prompt::instance().message(QStringLiteral("거래계좌번호를 입력하시기 바랍니다."));
        edt_BANKNO->setFocus();
        return;
    }
    const QList<TaNameSearchRow> rows{HolderNameRequestRow(RequestHeader::of(session), request)};
    if (sendRequest(RequestBatch::bySeqNo(QString::fromLatin1(TaNameSearchRow::ServiceCode),
                                          QStringLiteral("TA_NAME_SEARCH")),
                    rows, QStringLiteral("정상적으로 송신되지 않았습니다. 관리자에게 문의하시기 바랍니다.")))
        qvx::Prompt::instance().message(QStringLiteral("정상적으로 송신하였습니다.\r\r은행에서 응답전문이 수신되면 화면에 "
                                                       "조회하신 계좌내역이 보여집니다."));
}

void registerTIcheNameSearchScreen()
{
    RegisterListScreen<Tqv_TIcheNamesearch_frm>(QStringLiteral("qv_TIcheNamesearch_frm"));
}
