#include "liquor/screens/IcheMakeJuruSubunit.h"

#include "core/EventGuard.h"
#include "core/TextUtils.h"
#include "core/screens/KitLook.h"
#include "core/screens/FormParts.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenParts.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "liquor/screens/LiquorFields.h"
#include "transfers/TransferRules.h"
#include "core/screens/AccountField.h"
#include "core/screens/KeyHook.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"

#include <QLabel>
#include <QLineEdit>

Tqv_juruicheModify_frm::Tqv_juruicheModify_frm(const ScreenContext &context, QWidget *owner)
    : TEntryRowDialog(context, owner, "qv_juruicheModify_frm", QStringLiteral("주류이체자료 수정"), 660, 250)
{

    auto *title = new QLabel(QStringLiteral("◎ 이체자료 입력"), this);
    title->setGeometry(16, 8, 300, 22);
    // Created in the order Enter walks.
    cmb_transdiv = MakeLabeledEdit(this, "cmb_transdiv", QStringLiteral("거 래 구 분"), 16, 40, 80, 100);
    cmb_transdiv->setEnabled(false);
    edt_sendname = MakeLabeledEdit(this, "edt_sendname", QStringLiteral("거 래 처 명"), 16, 70, 80, 200);
    cmb_transbankid = MakeLabeledCombo(this, "cmb_transbankid", QStringLiteral("거 래 은 행"), 16, 100, 80, 200);
    cmb_transbankid->SetStyle(csDropDown);
    edt_bankno = MakeLabeledEdit(this, "edt_bankno", QStringLiteral("계 좌 번 호"), 16, 130, 80, 200);
    curredt_juru = LabeledAmount(this, "curredt_juru", QStringLiteral("주 류 금 액"), 330, 40, 180);
    curredt_bijuru = LabeledAmount(this, "curredt_bijuru", QStringLiteral("비주류 금액"), 330, 70, 180);
    curredt_money = LabeledAmount(this, "curredt_money", QStringLiteral("이 체 금 액"), 330, 100, 180);
    edt_daesanginfo = MakeLabeledEdit(this, "edt_daesanginfo", QStringLiteral("실 명 번 호"), 330, 130, 76, 180);
    btn_modify = MakeButton(this, "btn_modify", QStringLiteral("수 정"), 440, 200, 90, 28);
    KitButton2 = MakeButton(this, "KitButton2", QStringLiteral("닫 기"), 544, 200, 90, 28);

    for (QWidget *w : std::initializer_list<QWidget *>{cmb_transdiv, edt_sendname, cmb_transbankid, edt_bankno,
                                                       curredt_juru, curredt_bijuru, curredt_money})
        EnterMovesFocus(w);
    EnterMovesFocus(edt_daesanginfo, btn_modify);
    curredt_juru->OnExit = [this](QObject *) { Guarded(session, QStringLiteral("curredt_juruExit"), [this] { curredt_juruExit(); })(); };
    curredt_bijuru->OnExit = [this](QObject *) { Guarded(session, QStringLiteral("curredt_bijuruExit"), [this] { curredt_juruExit(); })(); };
    OnFocusOut(edt_bankno, Guarded(session, QStringLiteral("edt_banknoExit"), [this] { edt_banknoExit(); }));
    OnFocusOut(edt_daesanginfo, Guarded(session, QStringLiteral("edt_daesanginfoExit"), [this] { edt_daesanginfoExit(); }));
    BindClick(this, btn_modify, "btn_modifyClick", &Tqv_juruicheModify_frm::btn_modifyClick);
    BindClick(session, KitButton2, QStringLiteral("KitButton2Click"), [this] { reject(); });
    FocusOnShow(this, edt_sendname);
}

void Tqv_juruicheModify_frm::Fill(const LiquorRow &row, const QString &modeWord)
{
    cmb_transdiv->setText(modeWord);
    edt_sendname->setText(row.name);
    if (!SelectItemByCode(cmb_transbankid, row.bankId))
        cmb_transbankid->SetItemIndex(-1); // no bank of the list: none chosen
    edt_bankno->setText(row.bankNo);
    curredt_juru->SetValue(qvx::Decimal(DelComma(row.juMoney).toLongLong()));
    curredt_bijuru->SetValue(qvx::Decimal(DelComma(row.nonJuMoney).toLongLong()));
    curredt_money->SetValue(qvx::Decimal(row.amount()));
    edt_daesanginfo->setText(row.realNameNo);
    MoBankId = row.moBankId;
}

void Tqv_juruicheModify_frm::curredt_juruExit()
{
    qint64 sum = 0;
    if (SumLiquorParts(curredt_juru->Text(), curredt_bijuru->Text(), &sum))
        curredt_money->SetValue(qvx::Decimal(sum));
}

void Tqv_juruicheModify_frm::edt_banknoExit()
{
    FormatAccountField(edt_bankno, cmb_transbankid->Text().mid(1, 2));
}

void Tqv_juruicheModify_frm::edt_daesanginfoExit()
{
    if (ResidentNoRefused(MoBankId.trimmed(), edt_daesanginfo->text(), qvx::Clock::today())) {
        qvx::Prompt::instance().message(LiquorResidentNoMessage);
        edt_daesanginfo->setFocus();
    }
}

void Tqv_juruicheModify_frm::btn_modifyClick()
{
    if (!StoredAccountNo(edt_bankno->text())) {
        qvx::Prompt::instance().message(AccountRefusedMessage);
        edt_bankno->setFocus();
        return;
    }
    // The entry's amount rule holds here too.
    const LiquorAmounts amounts =
        CheckLiquorAmounts(curredt_juru->Text(), curredt_bijuru->Text(), curredt_money->Text());
    if (!amounts.ok()) {
        qvx::Prompt::instance().message(amounts.message);
        switch (amounts.faultField) {
        case LiquorAmountField::NonLiquor: curredt_bijuru->setFocus(); break;
        case LiquorAmountField::Transfer: curredt_money->setFocus(); break;
        default: curredt_juru->setFocus(); break;
        }
        return;
    }
    m_edit.name = edt_sendname->text();
    m_edit.bankId = cmb_transbankid->Text().mid(1, 2);
    m_edit.bankName = cmb_transbankid->Text().mid(8);
    m_edit.bankNo = edt_bankno->text();
    m_edit.realNameNo = edt_daesanginfo->text();
    m_edit.amounts = amounts;
    accept();
}
