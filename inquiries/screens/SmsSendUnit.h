#pragma once
// "SMS 자유문장 보내기": one free-text message (80 CP949 bytes) to the ticked
// counterparties of the payee master or to a personal list typed in on the
// spot; one SMS_Trans request row per recipient, sent as one batch.

#include "core/screens/ScreenForm.h"
#include "inquiries/SmsMessage.h"

#include <QList>

class QPlainTextEdit;
class QLineEdit;
class QTabWidget;
class TDDButton;
class TGifImageBox;
class TKitComboBox;
class TListGrid;

class TFrm_UserSMS : public ScreenForm
{
    Q_OBJECT
public:
    explicit TFrm_UserSMS(const ScreenContext &context, QWidget *owner = nullptr);

    TDDButton *btn_Close = nullptr;
    QTabWidget *PageControl1 = nullptr;
    // tab "거래처 전송"
    TGifImageBox *Image1 = nullptr;
    QPlainTextEdit *me_Message = nullptr;
    QLineEdit *ed_SendNo = nullptr;
    TDDButton *btn_SendMsg = nullptr;
    TDDButton *btn_AllSel = nullptr;
    TDDButton *btn_NonSel = nullptr;
    TListGrid *grd_list = nullptr;
    TListGrid *grid_cus_symbol = nullptr;
    // tab "개인별 전송"
    TGifImageBox *Image2 = nullptr;
    QPlainTextEdit *me_Message_Per = nullptr;
    QLineEdit *ed_SendNo_Per = nullptr;
    QLineEdit *ed_RcvName = nullptr;
    QLineEdit *ed_TelNo2 = nullptr;
    QLineEdit *ed_TelNo3 = nullptr;
    TDDButton *btn_Send_Per = nullptr;
    TDDButton *btn_Per_Add = nullptr;
    TDDButton *btn_Per_Edit = nullptr;
    TDDButton *btn_Per_Del = nullptr;
    TListGrid *grd_list_Per = nullptr;
    TListGrid *grid_per_symbol = nullptr;
    TKitComboBox *cb_TelNo1 = nullptr;

    void FormCreate();
    void btn_SendMsgClick();
    void btn_Send_PerClick();
    void btn_AllSelClick();
    void btn_NonSelClick();
    void btn_Per_AddClick();
    void btn_Per_EditClick();
    void btn_Per_DelClick();
    void grd_list_PerRowChanging(int row);

private:
    struct Page
    {
        QPlainTextEdit *memo;
        QLineEdit *replyNo;
        TDDButton *send;
        TListGrid *list;
        TListGrid *palette;
        TGifImageBox *image;
        QWidget *tools;
    };
    // Where a page's part goes: the member it is kept in and its name.
    template <class Part>
    struct PagePart
    {
        Part **member;
        const char *name;
        void place(Part *part) const
        {
            part->setObjectName(QString::fromLatin1(name));
            *member = part;
        }
    };
    struct PageParts
    {
        PagePart<TGifImageBox> image;
        PagePart<QPlainTextEdit> memo;
        PagePart<QLineEdit> replyNo;
        PagePart<TDDButton> send;
        PagePart<TListGrid> list;
        PagePart<TListGrid> palette;
    };
    // One tab's picture, message, reply number, send button, list and symbol
    // palette; returns the panel under the list for the tab's own tools.
    QWidget *buildPage(QWidget *tab, bool personal, const PageParts &parts);
    void buildNotices(QWidget *top);
    void buildPersonalTools(QWidget *tools);
    void clickSymbol(QPlainTextEdit *memo, TListGrid *palette, int col, int row);
    // The personal entry of the edits; false (with the message) when the
    // number is not complete.
    bool personalEntry(SmsRecipient *entry);
    void writePersonalRow(int row, const SmsRecipient &entry);
    // Sends the message to the recipients as one batch.
    void send(const QList<SmsRecipient> &to, const QString &replyNo, const QString &message);
};

void registerSmsSendScreen();
