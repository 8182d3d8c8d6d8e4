#include "inquiries/screens/SmsSendUnit.h"

#include "controls/images/GifImageBox.h"
#include "core/screens/ListKit.h"

#include <QFile>
#include <QFontDatabase>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>

// The picture of both tabs, from the library's resources (a static library's
// resources are registered by hand, outside any namespace).
static QByteArray SmsPicture()
{
    Q_INIT_RESOURCE(inquiry_pictures);
    QFile file(QStringLiteral(":/inquiries/sms_phone.gif"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

namespace {

enum CounterpartyCol { cpSelect, cpName, cpPhone, cpTel1, cpTel2, cpTel3 };
enum PersonalCol { pName, pPhone, pTel1, pTel2, pTel3 };

const char *const CounterpartyQuery =
    "select  name ,TelNo_1 ,TelNo_2 ,TelNo_3 ,concat(TelNo_1 ,\"-\", TelNo_2 ,\"-\", TelNo_3) as PhoneNo from daesang";

// The counterparties of the payee master: a box to tick, the name and the
// number shown, and the number's three parts kept for the request rows.
const ListColumns &CounterpartyColumns()
{
    static const ListColumns columns = {ListColumn{QStringLiteral("선택"), 40, AlignCenter, ""}.withCheckBox(),
                                        {QStringLiteral("거래처"), 110, AlignLeft, "name"},
                                        {QStringLiteral("전화번호"), 110, AlignLeft, "PhoneNo"},
                                        ListColumn::data("TelNo_1"),
                                        ListColumn::data("TelNo_2"),
                                        ListColumn::data("TelNo_3")};
    return columns;
}

qvx::Prompt &prompt() { return qvx::Prompt::instance(); }


// The memo never holds more than the message's 80 bytes: what is typed or
// pasted beyond them is left out whole, character by character.
void LimitMemo(QPlainTextEdit *memo)
{
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo] {
        const QString text = memo->toPlainText();
        const QString limited = LimitSmsMessage(text);
        if (limited == text)
            return;
        const int caret = qMin(memo->textCursor().position(), int(limited.size()));
        QSignalBlocker block(memo);
        memo->setPlainText(limited);
        QTextCursor c = memo->textCursor();
        c.setPosition(caret);
        memo->setTextCursor(c);
    });
}

// An installed family that draws ☏, ☜ and ☞ at full size; "" when none is.
QString WholeSymbolFamily()
{
    const QStringList installed = QFontDatabase::families();
    for (const char *family : {"DejaVu Sans", "Segoe UI Symbol", "Noto Sans Symbols2", "Noto Sans Symbols"})
        if (installed.contains(QString::fromLatin1(family)))
            return QString::fromLatin1(family);
    return QString();
}

} // namespace

TFrm_UserSMS::TFrm_UserSMS(const ScreenContext &context, QWidget *owner)
    : ScreenForm(context, owner)
{
    SetUpForm(this, "Frm_UserSMS", QStringLiteral("SMS 자유문장 보내기"), 622, 699);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(622, 699);

    TKitSimplePanel *top = MakeBar(this, "pnl_top", 150, alTop);
    buildNotices(top);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    SetAlign(PageControl1, alClient);
    auto *customers = new QWidget;
    customers->setObjectName(QStringLiteral("TabSheet1"));
    auto *personal = new QWidget;
    personal->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(customers, QStringLiteral("거래처 전송"));
    PageControl1->addTab(personal, QStringLiteral("개인별 전송"));

    QWidget *customerTools = buildPage(customers, false,
                                       {{&Image1, "Image1"}, {&me_Message, "me_Message"}, {&ed_SendNo, "ed_SendNo"},
                                        {&btn_SendMsg, "btn_SendMsg"}, {&grd_list, "grd_list"},
                                        {&grid_cus_symbol, "grid_cus_symbol"}});
    SetUpListGrid(grd_list, CounterpartyColumns());
    btn_AllSel = MakeButton(customerTools, "btn_AllSel", QStringLiteral("전체선택"), 4, 4, 90, 24);
    btn_NonSel = MakeButton(customerTools, "btn_NonSel", QStringLiteral("선택취소"), 100, 4, 90, 24);

    QWidget *personalTools = buildPage(personal, true,
                                       {{&Image2, "Image2"}, {&me_Message_Per, "me_Message_Per"},
                                        {&ed_SendNo_Per, "ed_SendNo_Per"}, {&btn_Send_Per, "btn_Send_Per"},
                                        {&grd_list_Per, "grd_list_Per"}, {&grid_per_symbol, "grid_per_symbol"}});
    grd_list_Per->SetColCount(5);
    grd_list_Per->SetCells(pName, 0, QStringLiteral("이 름"));
    grd_list_Per->SetCells(pPhone, 0, QStringLiteral("전 화 번 호"));
    grd_list_Per->SetColWidths(pName, 100);
    grd_list_Per->SetColWidths(pPhone, 150);
    // The row changes by a click or by the arrow keys alike.
    connect(grd_list_Per->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current, const QModelIndex &) {
                Guarded(session, QStringLiteral("grd_list_PerRowChanging"),
                        [this, row = current.row()] { grd_list_PerRowChanging(row); })();
            });
    buildPersonalTools(personalTools);

    BindClick(session, btn_Close, QStringLiteral("btn_CloseClick"), [this] { close(); });
    BindClick(this, btn_SendMsg, "btn_SendMsgClick", &TFrm_UserSMS::btn_SendMsgClick);
    BindClick(this, btn_Send_Per, "btn_Send_PerClick", &TFrm_UserSMS::btn_Send_PerClick);
    BindClick(this, btn_AllSel, "btn_AllSelClick", &TFrm_UserSMS::btn_AllSelClick);
    BindClick(this, btn_NonSel, "btn_NonSelClick", &TFrm_UserSMS::btn_NonSelClick);
    BindClick(this, btn_Per_Add, "btn_Per_AddClick", &TFrm_UserSMS::btn_Per_AddClick);
    BindClick(this, btn_Per_Edit, "btn_Per_EditClick", &TFrm_UserSMS::btn_Per_EditClick);
    BindClick(this, btn_Per_Del, "btn_Per_DelClick", &TFrm_UserSMS::btn_Per_DelClick);
    RunGuarded(session, QStringLiteral("Frm_UserSMS.FormCreate"), [this] { FormCreate(); });
}

void TFrm_UserSMS::buildNotices(QWidget *top)
{
    // Each notice as lines with some room between them.
    auto lines = [top](const char *name, const QStringList &text, int y) {
        QStringList escaped;
        for (const QString &line : text)
            escaped << line.toHtmlEscaped().replace(u' ', QStringLiteral("&nbsp;"));
        auto *label = new QLabel(QStringLiteral("<div style=\"line-height:135%\">") + escaped.join(QStringLiteral("<br>"))
                                     + QStringLiteral("</div>"),
                                 top);
        label->setObjectName(QString::fromLatin1(name));
        label->setTextFormat(Qt::RichText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setGeometry(8, y, 500, int(text.size()) * 17 + 2);
        return label->geometry().bottom();
    };
    const int end = lines("lbl_notice1",
                          {QStringLiteral("※ CMS요금 이외에 SMS(문자메세지) 전송건수에 따른 요금이 부과됨"),
                           QStringLiteral("※ 1일 30,000건 이상 전송시 고객센터(1588-0000)로 연락 바랍니다."),
                           QStringLiteral("    (평일 09:00 ~ 18:00)"), QStringLiteral("※ 권장 : 전송건수 (2000건/5분)")},
                          6);
    lines("lbl_notice2",
          {QStringLiteral("※ SMS 자유문장 보내기 사용 사례"), QStringLiteral("   * 수납이체 예정일/금액 알리기"),
           QStringLiteral("   * 축하문 보내기"), QStringLiteral("   * 공지사항 보내기 등")},
          end + 6);
    btn_Close = MakeButton(top, "btn_Close", QStringLiteral("닫    기"), 520, 8, 90, 26);
}

QWidget *TFrm_UserSMS::buildPage(QWidget *tab, bool personal, const PageParts &parts)
{
    Page page{};
    page.image = new TGifImageBox(tab);
    page.image->setGeometry(8, 8, 150, 225);
    page.image->LoadFromBytes(SmsPicture());

    page.memo = new QPlainTextEdit(tab);
    page.memo->setGeometry(166, 8, 150, 120);
    LimitMemo(page.memo);

    (new QLabel(QStringLiteral(" ◎ 회신번호"), tab))->setGeometry(166, 134, 150, 20);
    page.replyNo = new QLineEdit(tab);
    page.replyNo->setMaxLength(15);
    page.replyNo->setGeometry(166, 156, 150, 22);
    page.send = MakeButton(tab, parts.send.name, QStringLiteral("메시지 보내기"), 166, 184, 150, 28);

    page.palette = new TListGrid(tab);
    page.palette->SetFixedRows(0);
    page.palette->SetColCount(10);
    page.palette->SetRowCount(8);
    page.palette->setGeometry(8, 240, 312, 8 * 22 + 4);
    for (int col = 0; col < 10; ++col)
        page.palette->SetColWidths(col, 30);
    const QStringList &symbols = SmsSymbols();
    for (int i = 0; i < symbols.size(); ++i)
        page.palette->SetCells(i % 10, i / 10, symbols[i]);
    page.palette->OnGetAlignment = [](int, int) -> Qt::Alignment { return Qt::AlignCenter; };
    // A click picks one symbol: only its cell is marked. The symbols are
    // drawn large; the three the program's family draws faint and small
    // come from a family that draws them whole.
    page.palette->setSelectionBehavior(QAbstractItemView::SelectItems);
    QFont symbolFont = page.palette->font();
    symbolFont.setPixelSize(16);
    page.palette->setFont(symbolFont);
    TListGrid *paletteGrid = page.palette;
    page.palette->OnGetCellColor = [paletteGrid, family = WholeSymbolFamily()](int col, int row, QColor &, QColor &,
                                                                            QFont &font) {
        const QString text = paletteGrid->Cells(col, row);
        if (!family.isEmpty() && text.size() == 1 && QStringLiteral("☏☜☞").contains(text))
            font.setFamily(family);
    };
    QPlainTextEdit *memo = page.memo;
    TListGrid *palette = page.palette;
    page.palette->OnClickCell = [this, memo, palette](int col, int row) {
        Guarded(session, QStringLiteral("grid_symbolClickCell"),
                [this, memo, palette, col, row] { clickSymbol(memo, palette, col, row); })();
    };

    (new QLabel(personal ? QStringLiteral(" ◎받는사람") : QStringLiteral("◎거래처 정보"), tab))
        ->setGeometry(330, 8, 270, 20);
    page.list = new TListGrid(tab);
    page.list->SetRowCount(2);
    page.list->setGeometry(330, 30, 276, personal ? 300 : 400);
    page.tools = new QWidget(tab);
    page.tools->setGeometry(330, personal ? 336 : 436, 276, personal ? 150 : 32);

    parts.image.place(page.image);
    parts.memo.place(page.memo);
    parts.replyNo.place(page.replyNo);
    parts.send.place(page.send);
    parts.list.place(page.list);
    parts.palette.place(page.palette);
    return page.tools;
}

void TFrm_UserSMS::buildPersonalTools(QWidget *tools)
{
    (new QLabel(QStringLiteral("이  름 "), tools))->setGeometry(4, 4, 60, 22);
    ed_RcvName = new QLineEdit(tools);
    ed_RcvName->setObjectName(QStringLiteral("ed_RcvName"));
    ed_RcvName->setMaxLength(10);
    ed_RcvName->setGeometry(66, 4, 120, 22);
    (new QLabel(QStringLiteral("전화번호"), tools))->setGeometry(4, 32, 60, 22);
    cb_TelNo1 = new TKitComboBox(tools);
    cb_TelNo1->setObjectName(QStringLiteral("cb_TelNo1"));
    cb_TelNo1->SetStyle(csDropDownList);
    for (const char *prefix : {"010", "011", "016", "017", "018", "019"})
        cb_TelNo1->Items().Add(QString::fromLatin1(prefix));
    cb_TelNo1->setGeometry(66, 32, 60, 22);
    ed_TelNo2 = new QLineEdit(tools);
    ed_TelNo2->setObjectName(QStringLiteral("ed_TelNo2"));
    ed_TelNo2->setMaxLength(4);
    ed_TelNo2->setGeometry(130, 32, 56, 22);
    ed_TelNo3 = new QLineEdit(tools);
    ed_TelNo3->setObjectName(QStringLiteral("ed_TelNo3"));
    ed_TelNo3->setMaxLength(4);
    ed_TelNo3->setGeometry(190, 32, 56, 22);
    btn_Per_Add = MakeButton(tools, "btn_Per_Add", QStringLiteral("추  가"), 4, 64, 80, 26);
    btn_Per_Edit = MakeButton(tools, "btn_Per_Edit", QStringLiteral("수  정"), 90, 64, 80, 26);
    btn_Per_Del = MakeButton(tools, "btn_Per_Del", QStringLiteral("삭  제"), 176, 64, 80, 26);
}

void TFrm_UserSMS::FormCreate()
{
    for (int col = pTel1; col <= pTel3; ++col)
        grd_list_Per->HideColumn(col);
    FillList(grd_list, CounterpartyColumns(), dm.cms_select1(QString::fromLatin1(CounterpartyQuery)));
}

void TFrm_UserSMS::clickSymbol(QPlainTextEdit *memo, TListGrid *palette, int col, int row)
{
    const std::optional<SmsEdit> edit =
        InsertSmsSymbol(memo->toPlainText(), memo->textCursor().position(), palette->Cells(col, row));
    if (!edit)
        return;
    memo->setPlainText(edit->text);
    QTextCursor c = memo->textCursor();
    c.setPosition(edit->caret);
    memo->setTextCursor(c);
    memo->setFocus();
}

void TFrm_UserSMS::btn_AllSelClick()
{
    TickAll(grd_list, cpSelect, true);
}

void TFrm_UserSMS::btn_NonSelClick()
{
    TickAll(grd_list, cpSelect, false);
}

bool TFrm_UserSMS::personalEntry(SmsRecipient *entry)
{
    if (cb_TelNo1->ItemIndex() < 0 || ed_TelNo2->text().trimmed().isEmpty() || ed_TelNo3->text().trimmed().isEmpty()) {
        prompt().message(QStringLiteral("전화번호가 입력 되지 않았습니다."));
        return false;
    }
    *entry = {ed_RcvName->text().trimmed(), cb_TelNo1->Text(), ed_TelNo2->text(), ed_TelNo3->text()};
    return true;
}

void TFrm_UserSMS::writePersonalRow(int row, const SmsRecipient &e)
{
    grd_list_Per->SetCells(pName, row, e.name);
    grd_list_Per->SetCells(pPhone, row, e.displayNumber());
    grd_list_Per->SetCells(pTel1, row, e.telNo1);
    grd_list_Per->SetCells(pTel2, row, e.telNo2);
    grd_list_Per->SetCells(pTel3, row, e.telNo3);
}

void TFrm_UserSMS::btn_Per_AddClick()
{
    SmsRecipient entry;
    if (!personalEntry(&entry))
        return;
    int row = 1;
    if (!(grd_list_Per->RowCount() == 2 && grd_list_Per->Cells(pName, 1).trimmed().isEmpty()
          && grd_list_Per->Cells(pPhone, 1).isEmpty())) {
        row = grd_list_Per->RowCount();
        grd_list_Per->SetRowCount(row + 1);
    }
    writePersonalRow(row, entry);
    grd_list_Per->SetRow(row);
}

void TFrm_UserSMS::btn_Per_EditClick()
{
    SmsRecipient entry;
    if (!personalEntry(&entry))
        return;
    const int row = grd_list_Per->Row();
    if (row >= 1)
        writePersonalRow(row, entry);
}

void TFrm_UserSMS::btn_Per_DelClick()
{
    if (grd_list_Per->RowCount() == 2) {
        if (!grd_list_Per->Cells(pName, 1).trimmed().isEmpty() || !grd_list_Per->Cells(pPhone, 1).isEmpty())
            grd_list_Per->ClearRows(1, 1);
    } else if (grd_list_Per->RowCount() > 2 && grd_list_Per->Row() >= 1) {
        grd_list_Per->DeleteRow(grd_list_Per->Row());
    }
}

void TFrm_UserSMS::grd_list_PerRowChanging(int row)
{
    if (row < 1 || grd_list_Per->Cells(pPhone, row).isEmpty())
        return;
    const int prefix = cb_TelNo1->Items().IndexOf(grd_list_Per->Cells(pTel1, row));
    cb_TelNo1->SetItemIndex(prefix);
    ed_TelNo2->setText(grd_list_Per->Cells(pTel2, row));
    ed_TelNo3->setText(grd_list_Per->Cells(pTel3, row));
}

void TFrm_UserSMS::btn_SendMsgClick()
{
    if (RefuseWhenOffline(session))
        return;
    if (me_Message->toPlainText().trimmed().isEmpty()) {
        prompt().message(QStringLiteral("메세지 입력후 전송하세요"));
        return;
    }
    QList<SmsRecipient> to;
    for (int row : TickedRows(grd_list, cpSelect))
        to.append({grd_list->Cells(cpName, row), grd_list->Cells(cpTel1, row), grd_list->Cells(cpTel2, row),
                   grd_list->Cells(cpTel3, row)});
    if (to.isEmpty()) {
        prompt().message(QStringLiteral("거래처 선택후 전송하세요"));
        return;
    }
    send(to, ed_SendNo->text(), me_Message->toPlainText());
}

void TFrm_UserSMS::btn_Send_PerClick()
{
    if (RefuseWhenOffline(session))
        return;
    if (grd_list_Per->Cells(pPhone, 1).isEmpty() || me_Message_Per->toPlainText().isEmpty())
        return;
    QList<SmsRecipient> to;
    for (int row = 1; row < grd_list_Per->RowCount(); ++row)
        to.append({grd_list_Per->Cells(pName, row), grd_list_Per->Cells(pTel1, row), grd_list_Per->Cells(pTel2, row),
                   grd_list_Per->Cells(pTel3, row)});
    send(to, ed_SendNo_Per->text(), me_Message_Per->toPlainText());
}

void TFrm_UserSMS::send(const QList<SmsRecipient> &to, const QString &replyNo, const QString &message)
{
    // Every number is checked before the first row is written.
    for (const SmsRecipient &r : to)
        if (!r.valid()) {
            prompt().message(QStringLiteral("전화번호가 올바르지 않습니다. [") + r.name + QStringLiteral("] ")
                             + r.displayNumber());
            return;
        }
    const RequestHeader header = RequestHeader::of(session);
    QList<SmsTransRow> rows;
    for (const SmsRecipient &r : to)
        rows.append(SmsRequestRow(header, r, replyNo, message));

    RequestBatch batch = RequestBatch::bySeqNo(QString::fromLatin1(SmsTransRow::ServiceCode), QStringLiteral("SMS_Trans"));
    batch.time = header.SendTime;
    batch.dbErrorNotice = SeqNoDbErrorNotice::Silent;
    RequestSender sender(dm);
    const RequestResult result = sender.sendRows(batch, rows);
    if (result.outcome == RequestResult::Outcome::ReserveFailed) {
        if (result.reserveDbFailed())
            prompt().message(QStringLiteral("데이터베이스에 오류가 발생하여 전문번호를 생성하지 못하였습니다. "
                                            "관리자에게 문의하시기 바랍니다."));
        return;
    }
    // A registration the user withdrew was reported by its own message.
    if (!result.sent() && result.outcome != RequestResult::Outcome::Withdrawn)
        prompt().message(QStringLiteral("데이터베이스에 오류가 발생하였습니다. SMS를 보낼수 없습니다."));
}

void registerSmsSendScreen()
{
    RegisterListScreen<TFrm_UserSMS>(QStringLiteral("Frm_UserSMS"));
}
