#include "core/screens/ScreenParts.h"

#include "core/screens/KitLook.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "controls/panels/KitControl.h"
#include "platform/TListGrid.h"

#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

#include <algorithm>

void SetUpForm(QWidget *form, const char *name, const QString &caption, int width, int height)
{
    form->setObjectName(QString::fromLatin1(name));
    form->setWindowTitle(caption);
    form->resize(width, height);
    SetFormColour(form);
}

TKitSimplePanel *SetUpDialog(QDialog *dialog, const char *name, const QString &caption, int width, int height)
{
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(caption);
    dialog->setFixedSize(width, height);
    QFont f(QStringLiteral("굴림체"));
    f.setPixelSize(12);
    dialog->setFont(f);
    TKitSimplePanel *panel = MakePanel(dialog, "pnl_main");
    panel->setGeometry(0, 0, width, height);
    return panel;
}

TKitSimplePanel *MakeBar(QWidget *form, const char *name, int height, TAlign align)
{
    TKitSimplePanel *bar = MakePanel(form, name);
    bar->resize(form->width(), height);
    SetAlign(bar, align);
    return bar;
}

namespace {

// Re-centres its block whenever the band changes size.
class BlockCentring : public QObject
{
public:
    BlockCentring(QWidget *band, QWidget *block) : QObject(band), m_block(block)
    {
        band->installEventFilter(this);
        place(band);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            place(static_cast<QWidget *>(watched));
        return false;
    }

private:
    void place(const QWidget *band)
    {
        m_block->setGeometry(std::max(0, (band->width() - m_block->width()) / 2), 0, m_block->width(), band->height());
    }
    QWidget *m_block;
};

} // namespace

QWidget *MakeCentredBlock(QWidget *band, int width)
{
    auto *block = new QWidget(band);
    block->resize(width, band->height());
    new BlockCentring(band, block);
    return block;
}

namespace {

// The caption at x, y and the named control 4 pixels after it, both 22 high.
template <class Control>
Control *MakeLabeled(QWidget *parent, const char *name, const QString &caption, int x, int y, int labelWidth,
                     int controlWidth)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(x, y, labelWidth, 22);
    auto *control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(x + labelWidth + 4, y, controlWidth, 22);
    return control;
}

} // namespace

QLineEdit *MakeLabeledEdit(QWidget *parent, const char *name, const QString &caption, int x, int y,
                           int labelWidth, int editWidth)
{
    return MakeLabeled<QLineEdit>(parent, name, caption, x, y, labelWidth, editWidth);
}

TKitComboBox *MakeLabeledCombo(QWidget *parent, const char *name, const QString &caption, int x, int y,
                               int labelWidth, int comboWidth)
{
    TKitComboBox *box = MakeLabeled<TKitComboBox>(parent, name, caption, x, y, labelWidth, comboWidth);
    box->SetStyle(csDropDownList);
    return box;
}

QLineEdit *MakeDialogRow(QWidget *parent, const char *name, const QString &caption, int y, int labelX,
                         int labelWidth, int editX, int editWidth)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(labelX, y + 2, labelWidth, 21);
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(editX, y, editWidth, 21);
    SetUpperCaseInput(edit);
    return edit;
}

ConfirmButtons MakeConfirmButtons(QWidget *parent, int x, int y, int width, int step)
{
    return {MakeButton(parent, "btn_confirm", QStringLiteral("확인"), x, y, width, 28),
            MakeButton(parent, "btn_Cancel", QStringLiteral("취소"), x + step, y, width, 28),
            MakeButton(parent, "DDButton2", QStringLiteral("종료"), x + 2 * step, y, width, 28)};
}

TKitSimplePanel *MakeBand(QWidget *parent, const char *name, const QString &caption, int height, TAlign align)
{
    TKitSimplePanel *band = MakePanel(parent, name);
    band->resize(parent->width(), height);
    auto *label = new QLabel(caption, band);
    label->setObjectName(QString::fromLatin1(name) + QStringLiteral("_caption"));
    label->setGeometry(8, 0, 600, height);
    QFont f(QStringLiteral("굴림체"), 9);
    f.setBold(true);
    label->setFont(f);
    SetAlign(band, align);
    return band;
}

QLabel *BandCaption(const TKitSimplePanel *band)
{
    return band->findChild<QLabel *>(band->objectName() + QStringLiteral("_caption"));
}

TListGrid *MakeGrid(QWidget *parent, const char *name, const QStringList &headers, TAlign align, int height)
{
    auto *grid = new TListGrid(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setFont(QFont(QStringLiteral("굴림체"), 9));
    grid->SetColCount(int(headers.size()));
    grid->SetRowCount(2);
    for (int c = 0; c < headers.size(); ++c)
        grid->SetCells(c, 0, headers[c]);
    if (height > 0)
        grid->resize(parent->width(), height);
    SetAlign(grid, align);
    return grid;
}

void SetFormColour(QWidget *form)
{
    QPalette pal = form->palette();
    pal.setColor(QPalette::Window, QColor(0xA9, 0xBC, 0xCF));
    form->setPalette(pal);
    form->setAutoFillBackground(true);
}
