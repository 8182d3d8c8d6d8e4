#include <gtest/gtest.h>

#include "ScreenDriver.h"

#include <QFontMetrics>

#include "core/screens/ClientMainUnit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "platform/TListGrid.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QDateEdit>
#include <QDeadlineTimer>
#include <QDir>
#include <QStyle>
#include <QStyleOptionViewItem>
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

QWidget *PressEnter()
{
    QWidget *focused = QApplication::focusWidget();
    if (!focused) {
        ADD_FAILURE() << "no control has the focus to press Enter in";
        return nullptr;
    }
    QTest::keyClick(focused, Qt::Key_Return);
    // A button pressed by Enter clicks itself a moment later.
    if (auto *button = qobject_cast<QAbstractButton *>(focused)) {
        QPointer<QAbstractButton> guard(button);
        QDeadlineTimer deadline(10000);
        while (guard && guard->isDown() && !deadline.hasExpired())
            QTest::qWait(10);
        if (guard && guard->isDown())
            ADD_FAILURE() << qPrintable(focused->objectName()) << " stayed pressed after Enter";
    }
    QCoreApplication::processEvents();
    return focused;
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

bool TickGridCheckBox(TListGrid *grid, int col, int row)
{
    if (!reachable(grid, "tick"))
        return false;
    if (!grid->HasCheckBox(col, row)) {
        ADD_FAILURE() << qPrintable(grid->objectName()) << " has no check box at " << col << ", " << row;
        return false;
    }
    const bool before = grid->IsChecked(col, row);
    const QModelIndex index = grid->model()->index(row, col);
    grid->scrollTo(index);
    QStyleOptionViewItem option;
    option.initFrom(grid->viewport());
    option.rect = grid->visualRect(index);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = grid->Cells(col, row);
    option.displayAlignment = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    const QRect box = grid->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, grid);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
    QCoreApplication::processEvents();
    if (grid->IsChecked(col, row) == before) {
        ADD_FAILURE() << "the click did not change the box at " << col << ", " << row << " of "
                      << qPrintable(grid->objectName());
        return false;
    }
    return true;
}

bool TypeDate(QDateEdit *picker, const QDate &date)
{
    if (!reachable(picker, "date"))
        return false;
    // The first section selected, the digits typed replace it; a section
    // typed in full (the format's zeros included) passes on to the next one.
    picker->setFocus(Qt::TabFocusReason);
    picker->setCurrentSectionIndex(0);
    picker->setSelectedSection(picker->sectionAt(0));
    const QString text = date.toString(picker->displayFormat());
    for (QChar c : text)
        if (c.isDigit())
            QTest::keyClick(picker, char(c.unicode()));
    QCoreApplication::processEvents();
    if (picker->date() != date) {
        ADD_FAILURE() << "typed " << qPrintable(text) << " into " << qPrintable(picker->objectName()) << ", it shows "
                      << qPrintable(picker->date().toString(Qt::ISODate));
        return false;
    }
    return true;
}

bool Pick(TKitComboBox *combo, int index)
{
    if (!reachable(combo, "pick"))
        return false;
    if (index < 0 || index >= combo->Items().Count()) {
        ADD_FAILURE() << qPrintable(combo->objectName()) << " has no item " << index;
        return false;
    }
    combo->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
    if (combo->ItemIndex() != index) {
        ADD_FAILURE() << qPrintable(combo->objectName()) << " stopped at item " << combo->ItemIndex();
        return false;
    }
    return true;
}

int ItemWith(TKitComboBox *combo, const QString &part)
{
    for (int i = 0; i < combo->Items().Count(); ++i)
        if (combo->Items()[i].contains(part))
            return i;
    ADD_FAILURE() << qPrintable(combo->objectName()) << " has no item with " << qPrintable(part);
    return -1;
}

int KoreanGlyphHeight(const QFont &font)
{
    return QFontMetrics(font).tightBoundingRect(QStringLiteral("김민준급여한빛상사은행명건수")).height();
}

void SavePicture(QWidget *w, const char *name)
{
    const QString dir = qEnvironmentVariable("QUVEX_TEST_OUTPUT", QDir::tempPath());
    QDir().mkpath(dir);
    w->grab().save(dir + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".png"));
}

void ClickIn(QDialog *dialog, const char *button)
{
    auto *b = dialog->findChild<TDDButton *>(QString::fromLatin1(button));
    if (!ClickControl(b))
        dialog->reject();
}
