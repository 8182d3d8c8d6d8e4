#include "inquiries/screens/NoticeFilterBar.h"

#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "core/MotherAccount.h"
#include "core/screens/DateRange.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListCombos.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenParts.h"

#include <QLabel>

#include <algorithm>

NoticeFilterBar::NoticeFilterBar() = default;
NoticeFilterBar::~NoticeFilterBar() = default;

void NoticeFilterBar::buildFilterBar(Session &session, TKitSimplePanel *top, const QString &bankCaption,
                                     const std::function<void()> &search, const QString &afterFrom,
                                     const QString &afterTo, AccountCombo::Shown accountsShown)
{
    cmb_allbank = MakeLabeledCombo(top, "cmb_allbank", bankCaption, 8, 8, 70, 200);
    cmb_bankno = MakeLabeledCombo(top, "cmb_bankno", QStringLiteral("계 좌 선 택"), 290, 8, 70, 200);
    cmb_transdiv = MakeLabeledCombo(top, "cmb_transdiv", QStringLiteral("거 래 구 분"), 8, 38, 70, 200);
    m_banks = std::make_unique<BankCombo>(cmb_allbank, QStringLiteral("모든 은행"));
    m_accounts = std::make_unique<AccountCombo>(cmb_bankno, QStringLiteral("계좌전체선택"), accountsShown);
    m_kinds = std::make_unique<TransferKindCombo>(cmb_transdiv);
    (new QLabel(QStringLiteral("기 간 설 정"), top))->setGeometry(290, 38, 70, 22);
    m_dates = std::make_unique<DateRange>(top, "dtpkr_from", "dtpkr_to", 364, 38);
    const int datesEnd = m_dates->SetCaptions(afterFrom, afterTo);
    dtpkr_from = m_dates->from();
    dtpkr_to = m_dates->to();
    btn_search = MakeButton(top, "btn_search", QStringLiteral("검 색"), std::max(640, datesEnd + 16), 18, 90, 36);
    BindClick(session, btn_search, QStringLiteral("btn_searchClick"), search);
}

QString NoticeFilterBar::reportAccountText() const
{
    const BankItem *bank = m_banks->Chosen();
    return ReportAccountText(m_accounts->Chosen(),
                             bank ? QStringLiteral("[") + bank->bankid + QStringLiteral("] ") + bank->bankname : QString());
}
