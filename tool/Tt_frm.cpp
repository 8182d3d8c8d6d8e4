#include "tool/Tt_frm.h"

#include "controls/panels/DDButton.h"
#include "controls/panels/KitControl.h"
#include "controls/panels/KitGraphics.h"
#include "platform/Clock.h"
#include "platform/ProgramIcon.h"
#include "platform/Prompt.h"
#include "tool/ResultGridModel.h"
#include "tool/ToolGuard.h"
#include "tool/ToolSql.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>

namespace {

constexpr TColor SectionColor = 8019523;  // the three section captions
constexpr TColor CaptionColor = 10519156; // the captions beside the fields
constexpr int MaxColumnWidth = 300;

void paintLabel(QLabel *label, TColor background)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, ColorToQColor(background));
    pal.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(pal);
    label->setAutoFillBackground(true);
}

// A caption across the window: " ◎ ..." in bold white on the section colour.
QLabel *sectionLabel(QWidget *form, const char *name, const QString &text)
{
    auto *label = new QLabel(text, form);
    label->setObjectName(QString::fromLatin1(name));
    QFont f(QStringLiteral("굴림체"));
    f.setPixelSize(12);
    f.setBold(true);
    label->setFont(f);
    paintLabel(label, SectionColor);
    label->resize(form->width(), 20);
    SetAlign(label, alTop);
    return label;
}

// A caption beside a field: centred bold white on the caption colour.
QLabel *fieldLabel(QWidget *panel, const char *name, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, panel);
    label->setObjectName(QString::fromLatin1(name));
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    label->setAlignment(Qt::AlignCenter);
    paintLabel(label, CaptionColor);
    label->setGeometry(x, y, 129, 20);
    return label;
}

TKitSimplePanel *panel(QWidget *form, const char *name, int height, TAlign align)
{
    auto *p = new TKitSimplePanel(form);
    p->setObjectName(QString::fromLatin1(name));
    p->resize(form->width(), height);
    SetAlign(p, align);
    return p;
}

// A gradient button's colours and frame; its text is white "굴림".
struct ButtonLook
{
    TColor begin, end, hilite, shadow;
    TGradientStyle gradient;
    int frameSize;
    int fontPixels;
};

// The search button: vertical gradient, thin frame.
constexpr ButtonLook SearchLook{13614249, 6244660, 14540253, 6244660, gsVertical, 1, 12};
// The memo's buttons: grey gradient from the top left (the button's own shadow and frame).
constexpr ButtonLook MemoLook{13948116, 5131854, 8224125, clBtnShadow, gsLeftTop, 3, 13};

TDDButton *button(QWidget *parent, const char *name, const QString &caption, const ButtonLook &look,
                  const QRect &at)
{
    auto *b = new TDDButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->SetBeginColor(look.begin);
    b->SetEndColor(look.end);
    b->SetBtnHiliteClr(look.hilite);
    b->SetBtnShadowClr(look.shadow);
    b->SetGradientStyle(look.gradient);
    b->SetFrameSize(look.frameSize);
    b->SetDisableColor(9474192);
    b->SetFontColor(clWhite);
    QFont f(QStringLiteral("굴림"));
    f.setPixelSize(look.fontPixels);
    b->setFont(f);
    b->SetCaption(caption);
    b->setGeometry(at);
    return b;
}

QDateEdit *datePicker(QWidget *parent, const char *name, int x, int y)
{
    auto *d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    d->setCalendarPopup(true);
    d->setGeometry(x, y, 96, 21); // wide enough for the date in this font
    return d;
}

// The control after w in the window's tab order (w itself when there is none).
QWidget *nextInTabOrder(QWidget *w)
{
    for (QWidget *next = w->nextInFocusChain(); next && next != w; next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(w->window()) && next->isEnabled())
            return next;
    }
    return w;
}

bool isEnterKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

Tt_frm::Tt_frm(QWidget *parent)
    : QWidget(parent)
    , m_cds(new tool::ResultGridModel(this))
{
    setObjectName(QStringLiteral("t_frm"));
    setWindowTitle(QStringLiteral("Ferrun"));
    setWindowIcon(ProgramIcon());
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(11);
    setFont(f);
    setMinimumWidth(790);
    setMaximumWidth(790);
    resize(790, 694);
    buildControls();
}

Tt_frm::~Tt_frm() = default;

void Tt_frm::buildControls()
{
    Label4 = sectionLabel(this, "Label4", QStringLiteral(" ◎ 승인요청 자료 목록"));

    KitSimplePanel1 = panel(this, "KitSimplePanel1", 40, alTop);
    KitSimplePanel1->Bevel()->SetMode(bmStandard);
    KitSimplePanel1->Bevel()->SetStandardStyle(lsSingleLowered);
    Label5 = fieldLabel(KitSimplePanel1, "Label5", QStringLiteral("서버 IP ADDRESS"), 8, 10);
    Edit1 = new QLineEdit(KitSimplePanel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(144, 10, 147, 21);
    Button1 = button(KitSimplePanel1, "Button1", QStringLiteral("검 색"), SearchLook, QRect(699, 0, 83, 40));

    Label1 = sectionLabel(this, "Label1", QStringLiteral(" ◎ Query 로 자료 찾기"));

    KitSimplePanel2 = panel(this, "KitSimplePanel2", 184, alTop);
    KitSimplePanel2->Bevel()->SetBorderInnerWidth(5);
    Memo1 = new QPlainTextEdit(KitSimplePanel2);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setGeometry(5, 5, 772, 113);
    btn1 = button(KitSimplePanel2, "btn1", QStringLiteral("select"), MemoLook, QRect(306, 125, 150, 49));
    btn2 = button(KitSimplePanel2, "btn2", QStringLiteral("DML query"), MemoLook, QRect(455, 125, 165, 49));
    Button2 = button(KitSimplePanel2, "Button2", QStringLiteral("clear"), MemoLook, QRect(619, 125, 159, 49));

    Label3 = sectionLabel(this, "Label3", QStringLiteral(" ◎ Table 로 자료 찾기"));

    KitSimplePanel3 = panel(this, "KitSimplePanel3", 50, alTop);
    Label6 = fieldLabel(KitSimplePanel3, "Label6", QStringLiteral("기 간 선 택"), 16, 15);
    dtpkr_start = datePicker(KitSimplePanel3, "dtpkr_start", 151, 14);
    Label7 = new QLabel(QStringLiteral("~"), KitSimplePanel3);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->move(252, 18);
    dtpkr_end = datePicker(KitSimplePanel3, "dtpkr_end", 264, 14);
    Label2 = fieldLabel(KitSimplePanel3, "Label2", QStringLiteral("테이블 목록"), 408, 15);
    // Not editable: a table is browsed when one is chosen from the list.
    cmb = new QComboBox(KitSimplePanel3);
    cmb->setObjectName(QStringLiteral("cmb"));
    cmb->setEditable(false);
    cmb->addItems(tool::DesignTimeTables());
    cmb->setPlaceholderText(QStringLiteral("테이블 선택"));
    cmb->setCurrentIndex(-1);
    cmb->setGeometry(548, 15, 145, 21);

    KitSimplePanel4 = panel(this, "KitSimplePanel4", 300, alClient);
    KitSimplePanel4->Bevel()->SetBorderInnerWidth(5);
    // Read-only: the grid shows the last answer; changes go through the memo.
    DBGrid1 = new QTableView(KitSimplePanel4);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(m_cds);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    DBGrid1->setShowGrid(true);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DBGrid1->verticalHeader()->setDefaultSectionSize(18);
    DBGrid1->verticalHeader()->setFixedWidth(12);
    SetAlign(DBGrid1, alClient);

    Edit1->installEventFilter(this);
    Memo1->installEventFilter(this);
    Button1->OnClick = [this](QObject *) { tool::RunGuarded([this] { Button1Click(); }); };
    btn1->OnClick = [this](QObject *) { tool::RunGuarded([this] { btn1Click(); }); };
    btn2->OnClick = [this](QObject *) { tool::RunGuarded([this] { btn2Click(); }); };
    Button2->OnClick = [this](QObject *) { tool::RunGuarded([this] { Button2Click(); }); };
    Button2->OnKeyPress = [this](QObject *, QChar &key) { tool::RunGuarded([this, &key] { Button2KeyPress(key); }); };
    connect(cmb, &QComboBox::activated, this,
            [this](int index) { tool::RunGuarded([this, index] { cmbChange(index); }); });
}

void Tt_frm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Once only: a range chosen by the user stays when the window is left and entered again.
    if (!m_activated) {
        m_activated = true;
        tool::RunGuarded([this] { FormActivate(); });
    }
}

void Tt_frm::closeEvent(QCloseEvent *event)
{
    tool::RunGuarded([this] { FormClose(); });
    QWidget::closeEvent(event);
}

bool Tt_frm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit1 && isEnterKey(event)) {
        tool::RunGuarded([this] { Edit1KeyPress(); });
        return true; // consumed
    }
    if (watched == Memo1 && isEnterKey(event))
        tool::RunGuarded([this] { Memo1KeyPress(); }); // the memo still takes the line break
    return QWidget::eventFilter(watched, event);
}

void Tt_frm::FormActivate()
{
    Edit1->setFocus();
    const QDate today = qvx::Clock::date();
    dtpkr_start->setDate(today);
    dtpkr_end->setDate(today);
}

void Tt_frm::Edit1KeyPress()
{
    nextInTabOrder(Edit1)->setFocus(Qt::TabFocusReason);
}

void Tt_frm::Button1Click()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool connected = scktconnect.connectTo(Edit1->text());
    QGuiApplication::restoreOverrideCursor();
    if (!connected) {
        qvx::Prompt::instance().message(QStringLiteral("접속되지 않습니다."));
        return; // nothing more to ask of a server that is not there
    }
    ListTables();
}

void Tt_frm::ListTables()
{
    ShowAnswer(scktconnect.select(QStringLiteral("show tables")));
    const QStringList names = tool::TableNames(m_cds->result());
    if (names.isEmpty())
        return; // the list stays as it was
    cmb->clear();
    cmb->addItems(names);
    cmb->setCurrentIndex(0);
    cmb->repaint();
    Memo1->setFocus();
}

void Tt_frm::Memo1KeyPress()
{
    if (tool::StartsWithSelect(Memo1->toPlainText()))
        btn1->SetFocus();
    else
        btn2->SetFocus();
}

void Tt_frm::btn1Click()
{
    try {
        ShowAnswer(scktconnect.select(Memo1->toPlainText()));
    } catch (const std::exception &) {
        qvx::Prompt::instance().message(QStringLiteral("Select context Error"));
    }
    Button2->SetFocus();
}

void Tt_frm::btn2Click()
{
    try {
        scktconnect.runStatement(Memo1->toPlainText());
        qvx::Prompt::instance().message(QStringLiteral("Execute successfully!"));
    } catch (const std::exception &) {
        qvx::Prompt::instance().message(QStringLiteral("DML Context Error"));
    }
    Button2->SetFocus();
}

void Tt_frm::Button2Click()
{
    Memo1->clear();
    Memo1->setFocus();
}

void Tt_frm::Button2KeyPress(QChar &Key)
{
    if (Key == QChar(13))
        Memo1->clear();
    Memo1->setFocus();
}

void Tt_frm::cmbChange(int index)
{
    const QString sql = tool::BrowseTableSql(cmb->itemText(index), dtpkr_start->date(), dtpkr_end->date());
    ShowAnswer(scktconnect.select(sql));
}

void Tt_frm::FormClose()
{
    if (scktconnect.isOpen())
        scktconnect.disconnect();
}

void Tt_frm::ShowAnswer(const qvx::ResultSet &answer)
{
    m_cds->setResult(answer);
    DBGrid1->resizeColumnsToContents();
    QHeaderView *header = DBGrid1->horizontalHeader();
    for (int c = 0; c < header->count(); ++c)
        if (header->sectionSize(c) > MaxColumnWidth)
            header->resizeSection(c, MaxColumnWidth);
}
