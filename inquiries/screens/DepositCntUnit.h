#pragma once
// "통지건수조회": asks a bank how many deposit, stored-bill and failure
// notices it sent for one day; on the answer compares each count with the
// notices stored and, when the user agrees, asks for the missing numbers.

#include "core/screens/ListCombos.h"
#include "core/screens/ScreenForm.h"
#include "core/screens/ScreenInterfaces.h"
#include "inquiries/NoticeGapPolicy.h"

#include <memory>

class QDateEdit;
class QLabel;
class QStatusBar;
class TDDButton;
class TKitComboBox;

class Tqv_depositCnt_Frm : public ScreenForm, public INoticeCountsScreen
{
    Q_OBJECT
public:
    explicit Tqv_depositCnt_Frm(const ScreenContext &context, QWidget *owner = nullptr);
    ~Tqv_depositCnt_Frm() override;

    TKitComboBox *cmb_allbank = nullptr;
    QDateEdit *dt_SearchDate = nullptr;
    TDDButton *btn_search = nullptr;
    TDDButton *btn_close = nullptr;
    QLabel *ed_SearchDate = nullptr;
    QLabel *ed_DepositCnt = nullptr;
    QLabel *ed_BoDataCnt = nullptr;
    QLabel *ed_TaErrCnt = nullptr;
    QStatusBar *stsbar = nullptr;

    void btn_searchClick();
    // INoticeCountsScreen: the request's number and the bank's answer.
    qint64 PendingSeqNo() const override { return m_requestSeqNo; }
    void ShowCounts(const qvx::ResultSet &answer) override;

    void CheckNoticeCounts();
    void RequestDepositGaps() { requestGaps(NoticeKind::Deposit); }
    void RequestDraftGaps() { requestGaps(NoticeKind::Draft); }
    void RequestFailureGaps() { requestGaps(NoticeKind::FailedTransfer); }

private:
    void requestGaps(NoticeKind kind);
    QLabel *countText(NoticeKind kind) const;
    int reportedCount(NoticeKind kind) const;

    std::unique_ptr<BankCombo> m_banks;
    // The last request that went out: its bank and its number change together.
    BankItem m_requested;
    qint64 m_requestSeqNo = 0;
    QString m_answerDate;      // yyyymmdd of the last answer
};

void registerDepositCntScreen();
