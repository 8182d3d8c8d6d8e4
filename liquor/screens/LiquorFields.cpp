#include "liquor/screens/LiquorFields.h"

#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenParts.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/KitComboBox.h"
#include "controls/panels/KitControl.h"

#include <QLabel>
#include <QLineEdit>

namespace {

TCurrencyEdit *numberField(QWidget *parent, const char *name, int x, int y, int w, bool money)
{
    return money ? MakeAmountEdit(parent, name, x, y, w) : MakeCurrencyEdit(parent, name, x, y, w);
}

} // namespace

TKitSimplePanel *EntryPanel(QWidget *form, const char *name, const QString &text, int height)
{
    TKitSimplePanel *panel = MakeBand(form, name, text, height);
    if (QLabel *title = BandCaption(panel))
        title->setGeometry(8, 2, 600, 22);
    return panel;
}

TCurrencyEdit *LabeledAmount(QWidget *parent, const char *name, const QString &text, int x, int y, int fieldWidth)
{
    MakeLabel(parent, text, x, y, 76);
    TCurrencyEdit *e = numberField(parent, name, x + 80, y, fieldWidth, true);
    MakeLabel(parent, QStringLiteral("원"), x + 84 + fieldWidth, y, 16);
    return e;
}

TCurrencyEdit *LabeledCount(QWidget *parent, const char *name, const QString &text, int x, int y)
{
    MakeLabel(parent, text, x, y, 76);
    return numberField(parent, name, x + 80, y, 90, false);
}

void ShowOnlyPanel(TKitSimplePanel *panel)
{
    for (QLabel *l : panel->findChildren<QLabel *>()) {
        QPalette pal = l->palette();
        pal.setColor(QPalette::Disabled, QPalette::WindowText, pal.color(QPalette::Active, QPalette::WindowText));
        l->setPalette(pal);
    }
    panel->SetEnabled(false);
}

bool SelectItemByCode(TKitComboBox *combo, const QString &bankId)
{
    for (int i = 0; i < combo->Items().Count(); ++i) {
        if (combo->Items()[i].mid(1, 2) == bankId) {
            combo->SetItemIndex(i);
            return true;
        }
    }
    return false;
}

void SetNameFieldTaken(QLineEdit *field, bool taken)
{
    field->setEnabled(!taken);
    field->setStyleSheet(taken ? QStringLiteral("background-color: palette(button);") : QString());
}
