#include "core/screens/ProgressPanel.h"

#include "core/screens/KitLook.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/KitControl.h"

#include <QLabel>
#include <QProgressBar>

namespace {

TCurrencyEdit *count(QWidget *parent, const char *name, const QString &caption, int x)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(x, 42, 60, 22);
    auto *e = new TCurrencyEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x + 62, 42, 80, 22);
    e->SetDecimalPlaces(0);
    e->SetDisplayFormat(QStringLiteral("0"));
    return e;
}

} // namespace

ProgressPanel MakeProgressPanel(QWidget *form)
{
    ProgressPanel p;
    p.panel = MakePanel(form, "pnl_gauge");
    p.panel->setGeometry(250, 220, 480, 110);
    p.gauge = new QProgressBar(p.panel);
    p.gauge->setObjectName(QStringLiteral("Gauge1"));
    p.gauge->setGeometry(10, 10, 460, 22);
    p.total = count(p.panel, "curredt_tgun", QStringLiteral("총 건 수"), 10);
    p.errors = count(p.panel, "curredt_errgun", QStringLiteral("오류건수"), 166);
    p.done = count(p.panel, "curredt_gun", QStringLiteral("처리 건수"), 322);
    p.message = new QLabel(p.panel);
    p.message->setObjectName(QStringLiteral("lbl_message"));
    p.message->setGeometry(10, 74, 460, 22);
    p.panel->hide();
    return p;
}
