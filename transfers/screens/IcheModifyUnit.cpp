#include "transfers/screens/IcheModifyUnit.h"

#include "core/EventGuard.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/FormParts.h"
#include "core/screens/ScreenParts.h"
#include "core/TextUtils.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "transfers/TransferRules.h"
#include "core/screens/KeyHook.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString &AccountMessage = AccountRefusedMessage;

} // namespace

Tqv_icheModify_frm::Tqv_icheModify_frm(const ScreenContext &context, QWidget *owner)
    : TEntryRowDialog(context, owner, "qv_icheModify_frm", QStringLiteral("이체자료 수정"), 642, 201)
{

    // Created in the order Enter walks.
    MakeLabel(this, QStringLiteral("거 래 구 분"), 16, 16, 80);
    cmb_transdiv = MakeEdit(this, "cmb_transdiv", 100, 16, 100);
    cmb_transdiv->setEnabled(false);
    MakeLabel(this, QStringLiteral("업  체  명"), 16, 46, 80);
    edt_sendname = MakeEdit(this, "edt_sendname", 100, 46, 200);
    LimitInputBytes(edt_sendname, TransferNameBytes);
    MakeLabel(this, QStringLiteral("거 래 은 행"), 16, 76, 80);
    cmb_transbankid = new TKitComboBox(this);
    cmb_transbankid->setObjectName(QStringLiteral("cmb_transbankid"));
    cmb_transbankid->SetStyle(csDropDownList);
    cmb_transbankid->setGeometry(100, 76, 200, 22);
    MakeLabel(this, QStringLiteral("계 좌 번 호"), 320, 16, 80);
    edt_bankno = MakeEdit(this, "edt_bankno", 404, 16, 220);
    MakeLabel(this, QStringLiteral("이 체 금 액"), 320, 46, 80);
    curredt_money = MakeAmountEdit(this, "curredt_money", 404, 46, 200);
    MakeLabel(this, QStringLiteral("원"), 608, 46, 80)->resize(20, 22);
    MakeLabel(this, QStringLiteral("실 명 번 호"), 320, 76, 80);
    edt_daesanginfo = MakeEdit(this, "edt_daesanginfo", 404, 76, 220);
    LimitInputBytes(edt_daesanginfo, TransferInfoBytes);
    btn_modify = MakeButton(this, "btn_modify", QStringLiteral("수 정"), 428, 150, 90, 28);
    KitButton2 = MakeButton(this, "KitButton2", QStringLiteral("닫 기"), 530, 150, 90, 28);

    for (QWidget *w : std::initializer_list<QWidget *>{cmb_transdiv, edt_sendname, cmb_transbankid, edt_bankno,
                                                       curredt_money})
        EnterMovesFocus(w);
    EnterMovesFocus(edt_daesanginfo, btn_modify);
    OnFocusOut(edt_bankno, [this] { RunGuarded(session, QStringLiteral("edt_banknoExit"), [this] { edt_banknoExit(); }); });
    OnFocusOut(edt_daesanginfo,
               [this] { RunGuarded(session, QStringLiteral("edt_daesanginfoExit"), [this] { edt_daesanginfoExit(); }); });
    BindClick(this, btn_modify, "btn_modifyClick", &Tqv_icheModify_frm::btn_modifyClick);
    BindClick(session, KitButton2, QStringLiteral("KitButton2Click"), [this] { reject(); });
    FocusOnShow(this, edt_sendname);
}

bool Tqv_icheModify_frm::accountFits(bool tell)
{
    const QString code = cmb_transbankid->Text().mid(1, 2);
    const QString account = DelChar(edt_bankno->text(), QLatin1Char('-'));
    if (CheckAcctNo(code, account)) {
        edt_bankno->setText(FormatAcctNo(code, account));
        return true;
    }
    if (tell)
        qvx::Prompt::instance().message(AccountMessage);
    return false;
}

void Tqv_icheModify_frm::edt_banknoExit()
{
    accountFits(true);
}

void Tqv_icheModify_frm::edt_daesanginfoExit()
{
    bool banned = false;
    try {
        banned = IsResidentNoBanned(MotherBankId.trimmed(), PlainRealNameNo(edt_daesanginfo->text()),
                                    qvx::Clock::today());
    } catch (const ConvertError &) {
        banned = false;
    }
    if (banned) {
        qvx::Prompt::instance().message(
            QStringLiteral("실명번호의 주민등록번호는 생년월일로 대체 되었습니다.\r\n확인 후 수정해 주시기 바랍니다."));
        edt_daesanginfo->setFocus();
    }
}

void Tqv_icheModify_frm::btn_modifyClick()
{
    if (!accountFits(true))
        return;
    // The entry's amount rule holds here too.
    const AmountCheck amount = CheckTransferAmount(curredt_money->Text());
    if (amount.fault != AmountFault::None) {
        qvx::Prompt::instance().message(amount.message());
        curredt_money->setFocus();
        return;
    }
    m_amount = amount.value;
    accept();
}
