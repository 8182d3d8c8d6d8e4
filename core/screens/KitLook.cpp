#include "core/screens/KitLook.h"

#include "core/TextUtils.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitControl.h"
#include "controls/panels/KitGroup.h"

#include <QAbstractItemView>
#include <algorithm>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QValidator>

TKitSimplePanel *MakePanel(QWidget *parent, const char *name)
{
    auto *panel = new TKitSimplePanel(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->SetColor(0xCFBCA9);
    return panel;
}

TDDButton *MakeButton(QWidget *parent, const char *name, const QString &caption, int x, int y, int w, int h)
{
    auto *b = new TDDButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->SetFormLook();
    b->SetCaption(caption);
    b->setGeometry(x, y, w, h);
    b->OnMouseDown = [](QObject *s, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        static_cast<TDDButton *>(s)->SetEndColor(DDPressedEndColor);
    };
    b->OnMouseUp = [](QObject *s, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        static_cast<TDDButton *>(s)->SetEndColor(DDReleasedEndColor);
    };
    return b;
}

namespace {

// A check box or radio button with its caption, 21 high.
template <class Box>
Box *MakeCaptioned(QWidget *parent, const char *name, const QString &caption, int x, int y, int w)
{
    auto *box = new Box(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->SetCaption(caption);
    box->setGeometry(x, y, w, 21);
    return box;
}

} // namespace

TKitCheckBox *MakeCheck(QWidget *parent, const char *name, const QString &caption, int x, int y, int w)
{
    return MakeCaptioned<TKitCheckBox>(parent, name, caption, x, y, w);
}

TKitRadioButton *MakeRadio(QWidget *parent, const char *name, const QString &caption, int x, int y, int w)
{
    return MakeCaptioned<TKitRadioButton>(parent, name, caption, x, y, w);
}

void OnButtonClick(TDDButton *button, std::function<void()> handler)
{
    button->OnClick = [handler = std::move(handler)](QObject *) { handler(); };
}

void SetButtonEnabled(TDDButton *button, bool enabled)
{
    button->SetEnabled(enabled);
}

bool ButtonEnabled(const TDDButton *button)
{
    return button->Enabled();
}

void SetButtonCaption(TDDButton *button, const QString &caption)
{
    button->SetCaption(caption);
}

void FocusButton(TDDButton *button)
{
    button->SetFocus();
}

bool Checked(const TKitCheckBox *box)
{
    return box->Checked();
}

void SetChecked(TKitCheckBox *box, bool checked)
{
    box->SetChecked(checked);
}

bool Checked(const TKitRadioButton *radio)
{
    return radio->Checked();
}

void SetChecked(TKitRadioButton *radio, bool checked)
{
    radio->SetChecked(checked);
}

void OnEnterKey(QWidget *control, std::function<void()> handler)
{
    if (auto *c = qobject_cast<TCustomControl *>(control)) {
        c->OnKeyPress = [handler = std::move(handler)](QObject *, QChar &key) {
            if (key == QChar(13)) {
                key = QChar(0);
                handler();
            }
        };
    }
}

void SetUpperCaseInput(QLineEdit *edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int pos = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(pos);
        }
    });
}

namespace {

class Cp949BytesValidator : public QValidator
{
public:
    Cp949BytesValidator(int maxBytes, QObject *parent) : QValidator(parent), m_maxBytes(maxBytes) {}
    State validate(QString &input, int &) const override
    {
        return Cp949Length(input) <= m_maxBytes ? Acceptable : Invalid;
    }

private:
    int m_maxBytes;
};

} // namespace

void LimitInputBytes(QLineEdit *edit, int maxBytes)
{
    edit->setValidator(new Cp949BytesValidator(maxBytes, edit));
}

void KeepReadableWhenDisabled(QWidget *control)
{
    QPalette pal = control->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::Base, QPalette::Button,
                                     QPalette::ButtonText, QPalette::Window})
        pal.setColor(QPalette::Disabled, role, pal.color(QPalette::Active, role));
    control->setPalette(pal);
}

void SetPasswordInput(QLineEdit *edit)
{
    edit->setEchoMode(QLineEdit::Password);
    // The mask character is '*' whatever the platform style would draw.
    edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
}

namespace {

class RoomyLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), option.fontMetrics.height() + KoreanLineGap));
        return size;
    }
};

} // namespace

void GiveLinesRoom(QAbstractItemView *list)
{
    list->setItemDelegate(new RoomyLineDelegate(list));
}

int SpacedLinePitch(const QWidget *box)
{
    return box->fontMetrics().height() + KoreanLineGap;
}

void SetSpacedPlainText(QTextEdit *box, const QString &text)
{
    box->setPlainText(text);
    QTextBlockFormat spaced;
    spaced.setLineHeight(SpacedLinePitch(box), QTextBlockFormat::FixedHeight);
    QTextCursor all(box->document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(spaced);
}
