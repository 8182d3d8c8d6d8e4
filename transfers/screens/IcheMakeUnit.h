#pragma once
// "이체자료 작성": the maker collects collection (수납) or payment (지급)
// transfers in a list and submits them as one batch for approval. Rows come
// from manual entry, the file conversion and the reload of a temporary save;
// nothing reaches the server before the approval request.

#include "core/screens/EntryListForm.h"
#include "core/MotherAccount.h"
#include "core/screens/ListReport.h"
#include "transfers/TransferRow.h"
#include "platform/Report.h"

#include <QString>
#include <QVector>
#include <functional>

// One mother account (table bank) of cmb_allbank, item k at index k - 1.
using BankInfo = MotherAccount;
// One payee (table daesang) of cmb_daesang, item k at index k - 1.
struct PayeeInfo
{
    QString name;
    QString bankno;
    QString bankid;
    QString residentno;
};

class Tqv_IcheMake_frm : public TEntryListForm
{
    Q_OBJECT
public:
    explicit Tqv_IcheMake_frm(const ScreenContext &context, QWidget *owner = nullptr);
    ~Tqv_IcheMake_frm() override;

    // --- controls beyond the shared ones (edt_daesanginfo: 기타) ---------------
    QLineEdit *edt_resident = nullptr;
    TDDButton *KitButton1 = nullptr;          // 자료작성
    TDDButton *btn_print = nullptr;
    TDDButton *btn_deleteTot = nullptr;
    qvx::Report Report1;

    QVector<BankInfo> BankInfos;
    QVector<PayeeInfo> PayeeInfos;

    // --- what the conversion and the reload use ------------------------------
    // Appends a row (row 1 of an empty list, else a new last row), numbers it
    // and brings the totals up to date. Returns the list row.
    int AddTransferRow(const TransferRow &row);
    // True when the list holds a row with this name and grouped amount and,
    // unless memo is "N", this other information.
    bool IsDuplicateTransfer(const QString &name, const QString &amount, const QString &memo) const;
    // Asks the duplicate question when the list already holds such a row and
    // writes its log line (prefix "" for entry, "자료변환 " for files). True
    // when the row is to be added.
    bool ConfirmDuplicate(const QString &name, qint64 amount, const QString &info, const QString &logPrefix);
    // A duplicate found: the question, and the log line of the answer when
    // logPrefix is given (a declined one always logged with it). True adds it.
    bool ConfirmFoundDuplicate(const QString &name, const QString &grouped, const QString &logPrefix);
    // Totals (curredt_gunR, curredt_MoneyR) from the list.
    void UpdateTotals() override;
    // Header and one blank row, totals 0.
    void ClearTransferList();

    // --- handlers ---------------------------------------------------------------
    void FormCreate();
    void KitButton1Click();
    void cmb_daesangChange();
    void edt_sendnameSearch();
    void edt_banknoExit();
    void btn_acceptClick();
    void btn_deleteClick();
    void btn_deleteTotClick();
    void btn_modifyClick();
    void btn_tempsaveClick();
    void btn_callfileClick();
    void btn_printClick();
    void btn_dataconvertClick();
    void N1Click();

    // The file conversion run behind "자료변환" (installed by the conversion
    // screens; without one the button does nothing).
    using DataConvertRunner = std::function<void(Tqv_IcheMake_frm &screen)>;
    static void SetDataConvertRunner(DataConvertRunner runner);

    // The code of a combo item "[cc]...".
    static QString ItemBankCode(const QString &item);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QString payeeName() const;
    TransferRow entryRow(const BankInfo &bank, qint64 amount) const;
    void resetEntryFields();
    void selectTransBank(const QString &bankId, int fromItem);
    void fillFromPayee(const QString &name, const QString &bankId, const QString &bankNo, const QString &residentNo,
                       int fromItem);
    void setBusy(bool busy);
    void prepareReport();

    ListReportRows m_reportRows{18, 25};
};

void registerIcheMakeScreen();
