#include "liquor/screens/LiquorFields.h"

#include "core/EventGuard.h"
#include "core/TextUtils.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenParts.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/KitComboBox.h"
#include "controls/panels/KitControl.h"
#include "platform/Prompt.h"
#include "platform/ResultSet.h"
#include "platform/TListGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

namespace {

QLabel *caption(QWidget *parent, const QString &text, int x, int y, int w)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(x, y, w, 22);
    return l;
}

TCurrencyEdit *numberField(QWidget *parent, const char *name, int x, int y, int w, bool money)
{
    auto *e = new TCurrencyEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, y, w, 22);
    e->SetDecimalPlaces(0);
    e->SetDisplayFormat(money ? QStringLiteral(",0.;-\\,0.") : QStringLiteral("0"));
    return e;
}

} // namespace

TKitSimplePanel *EntryPanel(QWidget *form, const char *name, const QString &text, int height)
{
    TKitSimplePanel *panel = MakeBand(form, name, text, height);
    if (auto *title = panel->findChild<QLabel *>(QString::fromLatin1(name) + QStringLiteral("_caption")))
        title->setGeometry(8, 2, 600, 22);
    return panel;
}

TCurrencyEdit *LabeledAmount(QWidget *parent, const char *name, const QString &text, int x, int y, int fieldWidth)
{
    caption(parent, text, x, y, 76);
    TCurrencyEdit *e = numberField(parent, name, x + 80, y, fieldWidth, true);
    caption(parent, QStringLiteral("원"), x + 84 + fieldWidth, y, 16);
    return e;
}

TCurrencyEdit *LabeledCount(QWidget *parent, const char *name, const QString &text, int x, int y)
{
    caption(parent, text, x, y, 76);
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

void FillPayeePicker(TListGrid *list, const qvx::ResultSet &payees)
{
    list->SetRowCount(payees.recordCount() + 1);
    for (int i = 0; i < payees.recordCount(); ++i) {
        const QString bankId = payees.value(i, QStringLiteral("bankid"));
        list->SetCells(0, i + 1, payees.value(i, QStringLiteral("name")));
        list->SetCells(1, i + 1, bankId);
        list->SetCells(2, i + 1, FormatAcctNo(bankId, payees.value(i, QStringLiteral("bankno"))));
        list->SetCells(3, i + 1, payees.value(i, QStringLiteral("residentno")));
    }
    list->SetRow(1);
}

bool FormatAccountField(QLineEdit *field, const QString &bankId)
{
    const QString account = DelChar(field->text(), QLatin1Char('-'));
    if (account.trimmed().isEmpty())
        return true;
    if (CheckAcctNo(bankId, account)) {
        field->setText(FormatAcctNo(bankId, account));
        return true;
    }
    qvx::Prompt::instance().message(
        QStringLiteral("해당은행에 대한 계좌번호가 적절하지 않습니다. 확인하시기 바랍니다."));
    return false;
}

QString CheckCodeRefusedMessage()
{
    return QStringLiteral("복기(검증번호)를 만들 수 없습니다.\r\n모계좌, 거래계좌와 이체금액을 확인하시기 바랍니다.");
}

SendProgressPanel MakeSendProgressPanel(QWidget *form)
{
    SendProgressPanel p;
    p.panel = MakePanel(form, "pnl_gauge");
    p.panel->setGeometry(250, 220, 480, 110);
    p.gauge = new QProgressBar(p.panel);
    p.gauge->setObjectName(QStringLiteral("Gauge1"));
    p.gauge->setGeometry(10, 10, 460, 22);
    caption(p.panel, QStringLiteral("총 건 수"), 10, 42, 60);
    p.total = numberField(p.panel, "curredt_tgun", 72, 42, 80, false);
    caption(p.panel, QStringLiteral("처리 건수"), 166, 42, 60);
    p.done = numberField(p.panel, "curredt_gun", 228, 42, 80, false);
    caption(p.panel, QStringLiteral("오류건수"), 322, 42, 60);
    p.errors = numberField(p.panel, "curredt_errgun", 386, 42, 80, false);
    p.message = new QLabel(p.panel);
    p.message->setObjectName(QStringLiteral("lbl_message"));
    p.message->setGeometry(10, 74, 460, 22);
    p.panel->hide();
    return p;
}
