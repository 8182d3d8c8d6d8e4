#pragma once
// "거래집계요구" and "가상계좌거래집계요구": the day's transaction summary of
// one mother account or of every account, asked of the banks; the answers
// fill the list. The two screens share their request road (SummaryForm).

#include "inquiries/SummaryInquiry.h"
#include "inquiries/screens/AnswerInquiryForm.h"

class SummaryForm : public AnswerInquiryForm
{
    Q_OBJECT
public:
    using AnswerInquiryForm::AnswerInquiryForm;

protected:
    // The rows of the chosen accounts as one batch: "정상적으로 처리되었습니다."
    // once registered; an all-accounts batch hands its range over.
    template <class Row>
    void requestSummaries(const QList<Row> &rows, const QString &tableName)
    {
        const bool all = allAccountsChosen();
        RequestResult result;
        if (!sendRequest(RequestBatch::bySeqNo(QString::fromLatin1(Row::ServiceCode), tableName), rows,
                         failedText(), &result))
            return;
        summarySent(result, all);
    }

    // The account combo "은 행 계 좌" of the accounts of `query` and "조 회" beside it.
    void makeSummaryAccounts(const QString &query);

private:
    static QString failedText();
    void summarySent(const RequestResult &result, bool allAccounts);
};

class Tqv_trsum_frm : public SummaryForm
{
    Q_OBJECT
public:
    explicit Tqv_trsum_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TListGrid *grd_trsumlist = nullptr;
    qvx::Report &Report2 = Report1;

    void btn_searchClick();
    void btn_filesaveClick();
    // The answers the list shows, in its order.
    QList<SummaryAnswer> Answers() const;

private:
    static ListDecl Declaration(Tqv_trsum_frm *self);
    // One block of the report per answered account; the screen is read
    // only when the report prints (the block is laid out while the base is made).
    static void addReportBlock(qvx::Report &report, Tqv_trsum_frm *self);
    int m_reportRow = 0;
};

class TFrm_Vas_trSum : public SummaryForm
{
    Q_OBJECT
public:
    explicit TFrm_Vas_trSum(const ScreenContext &context, QWidget *owner = nullptr);

    TListGrid *grd_trsumlist = nullptr;

    void btn_searchClick();
    // False (after the message) when no bank serves virtual accounts.
    bool HasAccounts() const;
};

void registerSummaryScreens();
