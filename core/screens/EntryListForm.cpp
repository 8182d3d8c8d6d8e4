#include "core/screens/EntryListForm.h"

#include "controls/panels/KitContainers.h"
#include "core/screens/EntryScreenParts.h"
#include "core/screens/ListGrid.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>
#include <QTimer>

TEntryListForm::TEntryListForm(const ScreenContext &context, QWidget *owner)
    : ScreenForm(context, owner)
{
}

void TEntryListForm::ShowGauge(int maximum)
{
    Gauge1->setRange(0, maximum);
    Gauge1->setValue(0);
    pnl_gauge->show();
    pnl_gauge->raise();
}

void TEntryListForm::HideGaugeSoon()
{
    QPointer<QWidget> gauge(pnl_gauge);
    QTimer::singleShot(1500, gauge, [gauge] {
        if (gauge)
            gauge->hide();
    });
}

void TEntryListForm::ClearEntryList(int lastCol)
{
    ClearGridRows(grd_ichelist, lastCol);
    UpdateTotals();
}

int TEntryListForm::RowAdded(int row)
{
    UpdateTotals();
    return row;
}

bool TEntryListForm::closingAllowed(QCloseEvent *event, bool minimiseWhenKept)
{
    if (m_busy) {
        event->ignore();
        return false;
    }
    if (!ConfirmDiscardEntryList(grd_ichelist)) {
        event->ignore();
        if (minimiseWhenKept)
            if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
                sub->showMinimized();
        return false;
    }
    EnableEntryMenus(this, session);
    return true;
}

void TEntryListForm::closeEntryForm(QCloseEvent *event, bool minimiseWhenKept, int &seqBase, int &seqLast)
{
    if (!closingAllowed(event, minimiseWhenKept))
        return;
    seqBase = 0;
    seqLast = 0;
    event->accept();
}
