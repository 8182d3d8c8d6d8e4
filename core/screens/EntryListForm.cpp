#include "core/screens/EntryListForm.h"

#include "controls/panels/KitContainers.h"
#include "core/screens/EntryScreenParts.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ScreenParts.h"

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

void TEntryListForm::makeListButtons(std::initializer_list<ButtonRow::Placed> lead,
                                     std::initializer_list<ButtonRow::Placed> extra, const ButtonRow::Placed &deleteAll,
                                     const char *sendCaption)
{
    constexpr int width = 88;
    ButtonRow buttons(session, MakeBar(this, "pnl_buttons", 40, alBottom), 8, 7);
    buttons.add(lead, width);
    buttons.add({{&btn_callfile, "btn_callfile", "불러오기"}, {&btn_tempsave, "btn_tempsave", "임시저장"},
                 {&btn_dataconvert, "btn_dataconvert", "자료변환"}},
                width);
    buttons.add(extra, width);
    buttons.add({{&btn_modify, "btn_modify", "수 정"}, {&btn_delete, "btn_delete", "자료삭제"}, deleteAll,
                 {&btn_accept, "btn_accept", sendCaption}, {&btn_close, "btn_close", "닫 기"}},
                width);
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
    if (!m_exitAgreed && !ConfirmDiscardEntryList(grd_ichelist)) {
        event->ignore();
        if (minimiseWhenKept)
            if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
                sub->showMinimized();
        return false;
    }
    EnableEntryMenus(this, session);
    return true;
}

bool TEntryListForm::agreeToExit()
{
    if (m_busy)
        return false;
    m_exitAgreed = ConfirmDiscardEntryList(grd_ichelist);
    return m_exitAgreed;
}

void TEntryListForm::closeEntryForm(QCloseEvent *event, bool minimiseWhenKept, int &seqBase, int &seqLast)
{
    if (!closingAllowed(event, minimiseWhenKept))
        return;
    seqBase = 0;
    seqLast = 0;
    event->accept();
}
