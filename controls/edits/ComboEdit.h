#pragma once
// A single-line edit with a button at its right edge and an optional
// drop-down pop-up window: the base of the numeric edits. The pop-up never
// takes the focus; keys typed in the edit reach it through the edit.

#include "controls/edits/ExSpeedButton.h"
#include "controls/panels/KitTypes.h"

#include <QLineEdit>
#include <QPointer>
#include <QVariant>

#include <functional>
#include <optional>

class TCustomComboEdit;

enum TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };
enum TPopupAlign { epaRight, epaLeft };

// The side button; a press focuses the edit, a press that closed the pop-up
// does not reopen it.
class TEditButton : public TExSpeedButton
{
    Q_OBJECT
public:
    explicit TEditButton(TCustomComboEdit *editor, QWidget *parent);
    bool NoAction = false;
    void Click() override;

protected:
    void PaintButton(QPainter &p) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    TCustomComboEdit *FEditor;
};

// The drop-down window of a combo edit: hidden until dropped, never active.
class TPopupWindow : public QFrame
{
    Q_OBJECT
public:
    explicit TPopupWindow(TCustomComboEdit *editor);
    TCustomComboEdit *Editor() const { return FEditor; }

    virtual QVariant GetValue() { return QVariant(); }
    virtual void SetValue(const QVariant &value) {}
    virtual QString GetPopupText() const { return QString(); }
    // Keys the edit passes on while the pop-up is open.
    virtual void KeyPress(QChar &key) {}
    virtual void CloseUp(bool accept);

    std::function<void(QObject *Sender, bool Accept)> OnCloseUp;

protected:
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    TCustomComboEdit *FEditor;
};

// Where the middle-button paste takes its text: the X11 selection when the
// platform has one (nothing otherwise). A test sets its own source; an empty
// function restores the platform's.
void SetSelectionTextSource(std::function<std::optional<QString>()> source);

class TCustomComboEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TCustomComboEdit(QWidget *parent = nullptr);
    ~TCustomComboEdit() override;

    // ---- properties ----
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int w);
    // Key combination that acts as a button click (Alt+Down).
    QKeyCombination ClickKey() const { return FClickKey; }
    void SetClickKey(QKeyCombination k) { FClickKey = k; }
    bool DirectInput() const { return FDirectInput; }
    void SetDirectInput(bool v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    bool AlwaysEnable() const { return FAlwaysEnable; }
    void SetAlwaysEnable(bool v) { FAlwaysEnable = v; }
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool v) { FAutoSelect = v; }
    TGlyphKind GlyphKind() const { return FGlyphKind; }
    void SetGlyphKind(TGlyphKind k);
    QImage Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const QImage &g); // the kind becomes custom
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int n) { FButton->SetNumGlyphs(n); }
    TPopupAlign PopupAlign() const { return FPopupAlign; }
    void SetPopupAlign(TPopupAlign a) { FPopupAlign = a; }
    TPopupWindow *Popup() const { return FPopup; }
    // Attaches a pop-up (owned by the caller or by this edit as its parent
    // object); its close-up closes it through ClosePopup.
    void SetPopup(TPopupWindow *popup);
    bool PopupVisible() const { return FPopupVisible; }
    bool Focused() const { return FFocused; }
    void SetFocus() { setFocus(Qt::OtherFocusReason); }
    // The control's own flag: a disabled parent blocks its input but leaves it set.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    // Disabling it while it has the focus gives the focus to the form.
    void SetEnabled(bool v);
    TColor Color() const { return FColor; }
    void SetColor(TColor c);
    TEditButton *Button() const { return FButton; }
    QWidget *ButtonContainer() const { return FBtnControl; }

    void ButtonPressed();
    void ClosePopup(bool accept) { ClosePopup(accept, true); }
    // refocus false: the focus is leaving, do not take it back.
    void ClosePopup(bool accept, bool refocus);
    // Drops the pop-up down (no-op without one, read-only, or when open).
    virtual void DropPopup(bool disableEdit = true);

    // ---- events (handlers run inside the event guard) ----
    TNotifyEvent OnButtonClick;
    TNotifyEvent OnChange;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TNotifyEvent OnDblClick;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyDown;

    // The ellipsis glyph for a button width: three 2x2 dots, height 4.
    static QImage EllipsisGlyph(int buttonWidth);
    // The minimum height for a font height: text height + 4 borders + 1.
    static int MinimumEditHeight(int textHeight) { return textHeight + 4 * 1 + 1; }

protected:
    virtual QImage DefaultGlyph() const { return QImage(); }
    virtual int DefaultNumGlyphs() const { return 1; }
    virtual void PlacePopup(QPoint at);
    virtual void ConcealPopup();
    virtual bool PopupValueAcceptable(const QVariant &value) { return true; }
    virtual void TakePopupValue(const QVariant &value);
    virtual void PutPopupValue(const QVariant &value);
    virtual QVariant FetchPopupValue();
    virtual void PopupTextChanged() {}
    virtual void RunButton();
    // The key chain for typed characters (Enter 13, Escape 27, Backspace 8
    // included); a handler sets Key to QChar(0) to consume it.
    virtual void KeyPress(QChar &Key);
    // Text changed by the user or by code.
    virtual void Change();
    virtual void DoEnter();
    // The exit processing before OnExit; throwing keeps the focus here.
    virtual void ValidateExit() {}
    virtual void DoExit();
    // Ctrl+V, Shift+Insert and the menu's paste: the clipboard's text through PasteText.
    void Paste();
    // The X11 middle-button paste: the selection's text through PasteText.
    void PasteSelection();
    // Every pasted text comes here; a field that checks its text checks it
    // here, whichever way it was pasted.
    virtual void PasteText(const QString &text);
    // The text the pop-up shows in the edit while it is open.
    QString PopupDisplayText() const;

    void PlaceButton();
    void SetTextRect();
    void UpdateReadOnly();

    void keyPressEvent(QKeyEvent *e) override;
    // Text an input method commits goes through the key chain like typed keys.
    void inputMethodEvent(QInputMethodEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void changeEvent(QEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Set while the control rewrites its own text: no change handling.
    bool FFormatting = false;
    bool FFocused = false;
    bool FRefocusing = false;

private:
    void RebuildGlyph();
    void TextEdited();

    QWidget *FBtnControl = nullptr;
    TEditButton *FButton = nullptr;
    int FButtonWidth = 21;
    QKeyCombination FClickKey = QKeyCombination(Qt::AltModifier, Qt::Key_Down);
    bool FDirectInput = true;
    bool FReadOnly = false;
    bool FAlwaysEnable = false;
    bool FAutoSelect = true;
    QPointer<TPopupWindow> FPopup;
    bool FPopupVisible = false;
    TPopupAlign FPopupAlign = epaRight;
    TGlyphKind FGlyphKind = gkCustom;
    TColor FColor = clWindow;

protected:
    // Set while a constructor sets up the button (its width is then taken as given).
    bool FCreating = true;
};
