#include "controls/edits/ComboEdit.h"

#include "platform/EditGuard.h"
#include "controls/panels/KitControl.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QStyle>

// ---- TEditButton ----

TEditButton::TEditButton(TCustomComboEdit *editor, QWidget *parent) : TExSpeedButton(parent), FEditor(editor) {}

void TEditButton::Click()
{
    if (NoAction) {
        NoAction = false;
        return;
    }
    TExSpeedButton::Click();
}

void TEditButton::PaintButton(QPainter &p)
{
    TExSpeedButton::PaintButton(p);
    if (FState != bsDown) {
        PolylineHV(p, {QPoint(0, 0), QPoint(0, height())}, clBtnFace);
        PolylineHV(p, {QPoint(1, 1), QPoint(1, height() - 1)}, clBtnHighlight);
    }
}

void TEditButton::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && FEditor && FEditor->focusPolicy() != Qt::NoFocus && FEditor->isEnabled()
        && !FEditor->hasFocus())
        FEditor->setFocus(Qt::MouseFocusReason);
    // the press that closes an open pop-up must not open it again
    if (e->button() == Qt::LeftButton && FEditor && FEditor->PopupVisible()) {
        NoAction = true;
        FEditor->ClosePopup(false);
    }
    TExSpeedButton::mousePressEvent(e);
}

// ---- TPopupWindow ----

TPopupWindow::TPopupWindow(TCustomComboEdit *editor)
    : QFrame(editor, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus | Qt::WindowStaysOnTopHint),
      FEditor(editor)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    hide();
}

void TPopupWindow::CloseUp(bool accept)
{
    if (OnCloseUp)
        OnCloseUp(this, accept);
}

void TPopupWindow::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        CloseUp(rect().contains(e->position().toPoint()));
}

// ---- TCustomComboEdit ----

TCustomComboEdit::TCustomComboEdit(QWidget *parent) : QLineEdit(parent)
{
    FBtnControl = new QWidget(this);
    FBtnControl->setObjectName(QStringLiteral("ButtonContainer"));
    FBtnControl->resize(21, 17);
    FButton = new TEditButton(this, FBtnControl);
    FButton->setGeometry(0, 0, 21, 17);
    FButton->OnClick = [this](QObject *) { ButtonPressed(); };
    resize(121, 21);
    connect(this, &QLineEdit::textChanged, this, [this] { TextEdited(); });
    SetTextRect();
    FCreating = false;
}

TCustomComboEdit::~TCustomComboEdit()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void TCustomComboEdit::SetButtonWidth(int w)
{
    if (w == FButtonWidth)
        return;
    if (!FCreating && isVisible() && w >= width())
        return;
    FButtonWidth = w;
    FBtnControl->setVisible(w > 1);
    FBtnControl->resize(w, FBtnControl->height());
    FButton->resize(w, FButton->height());
    PlaceButton();
    RebuildGlyph();
}

void TCustomComboEdit::SetDirectInput(bool v)
{
    FDirectInput = v;
    UpdateReadOnly();
}

void TCustomComboEdit::SetReadOnly(bool v)
{
    if (KitTakeNew(FReadOnly, v))
        UpdateReadOnly();
}

void TCustomComboEdit::UpdateReadOnly()
{
    setReadOnly(FReadOnly || !FDirectInput);
}

void TCustomComboEdit::SetColor(TColor c)
{
    FColor = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ColorToQColor(c));
    setPalette(pal);
    update();
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind k)
{
    if (FGlyphKind == k)
        return;
    FGlyphKind = k;
    if (k == gkDropDown) {
        FButtonWidth = -1; // force the width change below
        SetButtonWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    }
    RebuildGlyph();
}

void TCustomComboEdit::SetGlyph(const QImage &g)
{
    FGlyphKind = gkCustom;
    FButton->SetGlyph(g);
}

QImage TCustomComboEdit::EllipsisGlyph(int buttonWidth)
{
    const int w = qMax(1, buttonWidth - 6);
    QImage img(w, 4, QImage::Format_RGB32);
    img.fill(Qt::white);
    int gap = (w - 6) / 2;
    gap = qBound(1, gap, 3);
    int x = (w - 6 - 2 * gap) / 2;
    for (int dot = 0; dot < 3; ++dot, x += 2 + gap)
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx)
                if (x + dx >= 0 && x + dx < w)
                    img.setPixel(x + dx, 1 + dy, qRgb(0, 0, 0));
    return img;
}

void TCustomComboEdit::RebuildGlyph()
{
    switch (FGlyphKind) {
    case gkCustom:
        break;
    case gkDefault: {
        const QImage g = DefaultGlyph();
        FButton->SetGlyph(g);
        FButton->SetNumGlyphs(DefaultNumGlyphs());
        if (!g.isNull()) {
            const int minWidth = g.width() / qMax(1, DefaultNumGlyphs()) + 6;
            if (FButtonWidth > 1 && FButtonWidth < minWidth) {
                FButtonWidth = minWidth;
                FBtnControl->resize(minWidth, FBtnControl->height());
                FButton->resize(minWidth, FButton->height());
                PlaceButton();
            }
        }
        break;
    }
    case gkDropDown: {
        QImage arrow(7, 4, QImage::Format_RGB32);
        arrow.fill(qRgb(255, 255, 255));
        for (int row = 0; row < 4; ++row)
            for (int x = row; x < 7 - row; ++x)
                arrow.setPixel(x, row, qRgb(0, 0, 0));
        FButton->SetGlyph(arrow);
        FButton->SetNumGlyphs(1);
        break;
    }
    case gkEllipsis:
        FButton->SetGlyph(EllipsisGlyph(FButtonWidth));
        FButton->SetNumGlyphs(1);
        break;
    }
}

void TCustomComboEdit::PlaceButton()
{
    const int b = FButtonWidth < 0 ? 0 : FButtonWidth;
    if (!hasFrame())
        FBtnControl->setGeometry(width() - b, 0, b, height());
    else
        FBtnControl->setGeometry(width() - b - 2, 2, b, height() - 4);
    FButton->setGeometry(0, 0, b, FBtnControl->height());
    SetTextRect();
}

void TCustomComboEdit::SetTextRect()
{
    const int b = FButtonWidth < 0 ? 0 : FButtonWidth;
    setTextMargins(0, 0, b + 2, 0);
}

void TCustomComboEdit::resizeEvent(QResizeEvent *e)
{
    QLineEdit::resizeEvent(e);
    const int textHeight = qMin(QFontMetrics(QApplication::font()).height(), fontMetrics().height());
    const int minHeight = MinimumEditHeight(textHeight);
    if (height() < minHeight) {
        resize(width(), minHeight);
        return;
    }
    PlaceButton();
}

void TCustomComboEdit::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::EnabledChange)
        FButton->setEnabled(isEnabled());
    else if (e->type() == QEvent::FontChange)
        SetTextRect();
    QLineEdit::changeEvent(e);
}

void TCustomComboEdit::SetPopup(TPopupWindow *popup)
{
    if (FPopup == popup)
        return;
    if (FPopupVisible)
        ClosePopup(false);
    FPopup = popup;
    if (popup)
        popup->OnCloseUp = [this](QObject *, bool accept) { ClosePopup(accept); };
}

void TCustomComboEdit::ButtonPressed()
{
    if (!FReadOnly || FAlwaysEnable)
        RunButton();
}

void TCustomComboEdit::RunButton()
{
    if (OnButtonClick)
        OnButtonClick(this);
    if (FPopupVisible)
        ClosePopup(true);
    else
        DropPopup(true);
}

void TCustomComboEdit::DropPopup(bool disableEdit)
{
    if (!FPopup || FReadOnly || FPopupVisible)
        return;
    const QPoint p = mapToGlobal(QPoint(0, 0));
    const QScreen *scr = screen();
    const QRect area = scr ? scr->geometry() : QRect(0, 0, 1024, 768);
    const int pw = FPopup->width(), ph = FPopup->height();
    int y = p.y() + height();
    if (y + ph > area.bottom() + 1)
        y = p.y() - ph;
    int x;
    if (FPopupAlign == epaRight) {
        x = p.x() + width() - pw;
        if (x < 0)
            x = p.x();
    } else {
        x = p.x();
        if (p.x() + pw > area.right() + 1)
            x = p.x() + width() - pw;
    }
    if (x < 0)
        x = 0;
    else if (x + pw > area.right() + 1)
        x = area.right() + 1 - pw;
    PutPopupValue(text().isEmpty() ? QVariant() : QVariant(text()));
    if (focusPolicy() != Qt::NoFocus && isEnabled() && isVisible())
        setFocus(Qt::OtherFocusReason);
    PlacePopup(QPoint(x, y));
    FPopupVisible = true;
    qApp->installEventFilter(this);
    if (disableEdit)
        setReadOnly(true);
    update();
}

void TCustomComboEdit::PlacePopup(QPoint at)
{
    FPopup->move(at);
    FPopup->show();
}

void TCustomComboEdit::ConcealPopup()
{
    FPopup->hide();
}

void TCustomComboEdit::ClosePopup(bool accept, bool refocus)
{
    if (!FPopup || !FPopupVisible)
        return;
    qApp->removeEventFilter(this);
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    const QVariant value = FetchPopupValue();
    ConcealPopup();
    if (refocus && focusPolicy() != Qt::NoFocus && isEnabled() && isVisible())
        setFocus(Qt::OtherFocusReason);
    UpdateReadOnly();
    update();
    FPopupVisible = false;
    if (accept && PopupValueAcceptable(value) && !isReadOnly()) {
        RunEditHandler(QStringLiteral("TCustomComboEdit.ClosePopup"), [&] { TakePopupValue(value); });
        if (hasFocus())
            selectAll();
    }
}

QVariant TCustomComboEdit::FetchPopupValue()
{
    return FPopup ? FPopup->GetValue() : QVariant();
}

void TCustomComboEdit::PutPopupValue(const QVariant &value)
{
    if (FPopup)
        FPopup->SetValue(value);
}

void TCustomComboEdit::TakePopupValue(const QVariant &value)
{
    const QString s = value.toString();
    if (s != text()) {
        setText(s);
        setModified(true);
    }
}

QString TCustomComboEdit::PopupDisplayText() const
{
    return FPopup ? FPopup->GetPopupText() : QString();
}

bool TCustomComboEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (FPopupVisible && event->type() == QEvent::MouseButtonPress) {
        auto *w = qobject_cast<QWidget *>(watched);
        const bool ours = w && (w == this || w == FPopup || FPopup->isAncestorOf(w) || FBtnControl->isAncestorOf(w));
        if (w && !ours)
            ClosePopup(false, false);
    }
    return QLineEdit::eventFilter(watched, event);
}

void TCustomComboEdit::keyPressEvent(QKeyEvent *e)
{
    if (OnKeyDown) {
        int key = QtKeyToVK(e->key());
        if (key != 0) {
            RunEditHandler(QStringLiteral("TCustomComboEdit.KeyDown"), [&] { OnKeyDown(this, key, e->modifiers()); });
            if (key == 0) {
                e->accept();
                return;
            }
        }
    }
    if (FButtonWidth > 0 && e->keyCombination() == FClickKey) {
        RunEditHandler(QStringLiteral("TCustomComboEdit.ButtonPressed"), [this] { ButtonPressed(); });
        e->accept();
        return;
    }
    if (e->matches(QKeySequence::Paste)) {
        RunEditHandler(QStringLiteral("TCustomComboEdit.Paste"), [this] { Paste(); });
        e->accept();
        return;
    }
    if ((e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Delete)) && isReadOnly()) {
        e->accept();
        return;
    }
    QChar key;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        key = QChar(13);
    else if (e->key() == Qt::Key_Escape)
        key = QChar(27);
    else if (e->key() == Qt::Key_Backspace)
        key = QChar(8);
    else if (e->text().size() == 1 && e->text().at(0).unicode() >= 32 && !(e->modifiers() & Qt::ControlModifier))
        key = e->text().at(0);
    if (key.isNull()) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const QChar typed = key;
    RunEditHandler(QStringLiteral("TCustomComboEdit.KeyPress"), [&] { KeyPress(key); });
    if (key.isNull()) {
        e->accept();
        return;
    }
    if (key.unicode() >= 32 && key != typed) {
        if (!isReadOnly())
            insert(QString(key));
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TCustomComboEdit::inputMethodEvent(QInputMethodEvent *e)
{
    if (e->commitString().isEmpty() || isReadOnly()) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    // The composition ends here: let the line edit drop its pre-edit text
    // without the commit, then offer each committed character as a key.
    QInputMethodEvent rest(QString(), e->attributes());
    rest.setCommitString(QString(), e->replacementStart(), e->replacementLength());
    QLineEdit::inputMethodEvent(&rest);
    for (const QChar typed : e->commitString()) {
        if (typed.unicode() < 32)
            continue;
        QChar key = typed;
        RunEditHandler(QStringLiteral("TCustomComboEdit.KeyPress"), [&] { KeyPress(key); });
        if (!key.isNull() && key.unicode() >= 32)
            insert(QString(key));
    }
    e->accept();
}

void TCustomComboEdit::KeyPress(QChar &Key)
{
    if ((Key == QChar(13) || Key == QChar(27)) && FPopupVisible) {
        ClosePopup(Key == QChar(13));
        Key = QChar();
        return;
    }
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

namespace {

std::function<std::optional<QString>()> &selectionTextSource()
{
    static std::function<std::optional<QString>()> source;
    return source;
}

std::optional<QString> selectionText()
{
    if (selectionTextSource())
        return selectionTextSource()();
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection())
        return std::nullopt;
    return clipboard->text(QClipboard::Selection);
}

} // namespace

void SetSelectionTextSource(std::function<std::optional<QString>()> source)
{
    selectionTextSource() = std::move(source);
}

void TCustomComboEdit::Paste()
{
    PasteText(QGuiApplication::clipboard()->text());
}

void TCustomComboEdit::PasteSelection()
{
    if (const std::optional<QString> text = selectionText())
        PasteText(*text);
}

void TCustomComboEdit::PasteText(const QString &text)
{
    if (FDirectInput && !FReadOnly && !isReadOnly())
        insert(text);
}

void TCustomComboEdit::mouseReleaseEvent(QMouseEvent *e)
{
    // The line edit would insert the selection itself, past every check.
    if (e->button() == Qt::MiddleButton) {
        if (!isReadOnly()) {
            deselect();
            RunEditHandler(QStringLiteral("TCustomComboEdit.Paste"), [this] { PasteSelection(); });
        }
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void TCustomComboEdit::contextMenuEvent(QContextMenuEvent *e)
{
    QMenu *menu = createStandardContextMenu();
    for (QAction *a : menu->actions()) {
        if (a->objectName() == QLatin1String("edit-paste")) {
            a->disconnect();
            connect(a, &QAction::triggered, this,
                    [this] { RunEditHandler(QStringLiteral("TCustomComboEdit.Paste"), [this] { Paste(); }); });
        }
    }
    menu->exec(e->globalPos());
    delete menu;
}

void TCustomComboEdit::TextEdited()
{
    RunEditHandler(QStringLiteral("TCustomComboEdit.Change"), [this] { Change(); });
}

void TCustomComboEdit::Change()
{
    if (FFormatting)
        return;
    if (FPopupVisible) {
        PopupTextChanged();
        return;
    }
    if (OnChange)
        OnChange(this);
}

void TCustomComboEdit::focusInEvent(QFocusEvent *e)
{
    QLineEdit::focusInEvent(e);
    if (FFocused)
        return; // the window was reactivated: the edit never left the field
    if (FRefocusing) {
        // back after a refused exit: the text stays as typed
        selectAll();
        return;
    }
    FFocused = true;
    RunEditHandler(QStringLiteral("TCustomComboEdit.Enter"), [this] { DoEnter(); });
}

void TCustomComboEdit::DoEnter()
{
    if (FAutoSelect && FDirectInput && !(QApplication::mouseButtons() & Qt::LeftButton))
        selectAll();
    if (OnEnter)
        OnEnter(this);
}

void TCustomComboEdit::focusOutEvent(QFocusEvent *e)
{
    const bool leavingWindow = e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason;
    if (FPopupVisible && QApplication::activeWindow() != FPopup)
        ClosePopup(false, false);
    QLineEdit::focusOutEvent(e);
    // Another window (a message box, a menu, another program) only borrows
    // the focus: the field is left when the focus moves to another control.
    if (FPopupVisible || leavingWindow || !FFocused)
        return;
    const bool valid = RunEditHandler(QStringLiteral("TCustomComboEdit.Exit"), [this] { ValidateExit(); });
    if (!valid) {
        selectAll();
        if (isEnabled() && isVisible()) {
            FRefocusing = true;
            setFocus(Qt::OtherFocusReason);
            FRefocusing = false;
        }
        return;
    }
    FFocused = false;
    RunEditHandler(QStringLiteral("TCustomComboEdit.Exit"), [this] { DoExit(); });
}

void TCustomComboEdit::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TCustomComboEdit::mousePressEvent(QMouseEvent *e)
{
    if (FPopupVisible && e->button() == Qt::LeftButton) {
        ClosePopup(false);
        return;
    }
    QLineEdit::mousePressEvent(e);
}

void TCustomComboEdit::mouseDoubleClickEvent(QMouseEvent *e)
{
    QLineEdit::mouseDoubleClickEvent(e);
    if (OnDblClick)
        RunEditHandler(QStringLiteral("TCustomComboEdit.DblClick"), [this] { OnDblClick(this); });
}

void TCustomComboEdit::SetEnabled(bool v)
{
    if (!v && parentWidget())
        KitDefocus(this);
    setEnabled(v);
}
