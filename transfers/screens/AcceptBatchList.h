#pragma once
// What the two approval screens share: the list of the batches waiting for
// the signed-in approver, filled from the rows of the opener's grouped query
// (handed over before the screen is shown), the batch detail, the list
// delete and the removal of a batch once it is done.

#include "core/screens/ListDialog.h"
#include "core/screens/ScreenForm.h"
#include "core/screens/ScreenInterfaces.h"
#include "transfers/ApprovalSql.h"

#include <functional>

class TAcceptBatchList : public ScreenDialog, public IBatchListScreen
{
    Q_OBJECT
public:
    TListGrid *grd_ichelist = nullptr;
    TDDButton *btn_preview = nullptr;   // 상세내역 보기
    TDDButton *btn_delete = nullptr;    // list delete
    TDDButton *btn_close = nullptr;

    ~TAcceptBatchList() override;

    // Columns 0 to 9 from the grouped batch query; an empty result leaves the list.
    void FillBatchList(const qvx::ResultSet &batches) override;

    // The batch of a list row, as the row holds it.
    WaitingBatch BatchAt(int row) const;
    QList<WaitingBatch> Batches() const;
    // The batch leaves the list (the only row is emptied instead).
    void RemoveBatch(const WaitingBatch &batch);
    bool ListEmpty() const;

    void btn_previewClick();
    void grd_ichelistDblClickCell(int col, int row);
    void btn_deleteClick();

protected:
    struct Look
    {
        const char *name;      // the form's component name
        QString caption;       // the window title
        QString heading;       // the band's caption
        QString deleteCaption; // the list delete's button
    };
    // The bar starts with "상세내역 보기" and the list delete; the screen
    // adds its send buttons with addSendButtons(), which ends it with "닫 기".
    TAcceptBatchList(const ScreenContext &context, QWidget *owner, const Look &look);

    // A send button of the bar, its click run inside the event guard under
    // the button's name + "Click".
    struct SendButton
    {
        TDDButton **button;
        const char *name;
        QString caption;
        int x;
        int width;
        std::function<void()> handler;
    };
    void addSendButtons(std::initializer_list<SendButton> buttons);
    // The selected batch row (row 1 when the current row is the header).
    int selectedRow() const;
    // Offline refusal, then the empty-list refusal (with its message, or silently).
    bool refuseAction(bool messageWhenEmpty) const;
    // The start of a forward or send: the refusals, the approver sign-in
    // and the confirmation box with `question`; false when any stops it.
    bool confirmAction(const QString &question);
    // The end of a forward or send of every batch: success only when no
    // batch failed, otherwise which ones did.
    static void reportAll(const QList<WaitingBatch> &failed);
    // A batch of another day is never sent: offered for deletion with the
    // screen's statement; log lines (when asked for) with `logPrefix` + ""
    // or + "실패" as the screen names them.
    enum class NotToday { Deleted, Declined, Failed };
    NotToday offerNotTodayDelete(const WaitingBatch &batch, const QString &deleteSql, const QString &donePrefix,
                                 const QString &failedPrefix, bool writeLog);
    bool isToday(const QString &yyyymmdd) const;
    // "commit", the statement, "commit"; false (after a "rollback") when the server refused.
    bool runCommitted(const QString &sql, QString *error = nullptr) const;
    static QString failedList(const QList<WaitingBatch> &failed);

    TKitSimplePanel *pnl_buttons = nullptr;

private:
    void openDetail(int row);
    std::unique_ptr<ListFrame> m_frame;
};
