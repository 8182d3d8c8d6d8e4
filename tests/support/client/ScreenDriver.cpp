#include <gtest/gtest.h>

#include "ScreenDriver.h"

#include "core/screens/ClientMainUnit.h"
#include "platform/TListGrid.h"

#include <QAction>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

QWidget *FindControlWidget(QWidget *root, const QString &name)
{
    if (!root) {
        ADD_FAILURE() << "no screen to find " << qPrintable(name) << " in";
        return nullptr;
    }
    const auto widgets = root->findChildren<QWidget *>();
    for (QWidget *w : widgets)
        if (w->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return w;
    ADD_FAILURE() << qPrintable(root->objectName()) << " has no control " << qPrintable(name);
    return nullptr;
}

bool Usable(const QWidget *control)
{
    return control && control->isVisible() && control->isEnabled();
}

namespace {
bool reachable(const QWidget *control, const char *what)
{
    if (!control) {
        ADD_FAILURE() << what << ": no control";
        return false;
    }
    if (!control->isVisible()) {
        ADD_FAILURE() << what << ": " << qPrintable(control->objectName()) << " is hidden";
        return false;
    }
    if (!control->isEnabled()) {
        ADD_FAILURE() << what << ": " << qPrintable(control->objectName()) << " is disabled";
        return false;
    }
    return true;
}
} // namespace

bool ClickControl(QWidget *control)
{
    if (!reachable(control, "click"))
        return false;
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
    QCoreApplication::processEvents();
    return true;
}

bool TypeText(QLineEdit *edit, const QString &text)
{
    if (!reachable(edit, "type"))
        return false;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(edit, char(c.unicode()));
        } else {
            // Korean comes through the input method, one committed character at a time.
            QInputMethodEvent composed;
            composed.setCommitString(QString(c));
            QCoreApplication::sendEvent(edit, &composed);
        }
    }
    return true;
}

bool ClickGridCell(TListGrid *grid, int col, int row, bool doubleClick)
{
    if (!reachable(grid, "grid cell"))
        return false;
    const QModelIndex index = grid->model()->index(row, col);
    if (!index.isValid()) {
        ADD_FAILURE() << qPrintable(grid->objectName()) << " has no cell " << col << ", " << row;
        return false;
    }
    grid->scrollTo(index);
    const QPoint at = grid->visualRect(index).center();
    if (doubleClick) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    } else {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    QCoreApplication::processEvents();
    return true;
}

bool TriggerMenuItem(Tqv_frm *main, const QString &name)
{
    QAction *item = main ? main->item(name) : nullptr;
    if (!item) {
        ADD_FAILURE() << "no menu item " << qPrintable(name);
        return false;
    }
    if (!item->isEnabled()) {
        ADD_FAILURE() << "menu item " << qPrintable(name) << " is disabled";
        return false;
    }
    item->trigger();
    QCoreApplication::processEvents();
    return true;
}
