#pragma once
// The inspection tool's window for a test, shown and active, with a scripted
// prompt; helpers that work it as a person would and fail where a person
// would be stuck (a missing, hidden or disabled control, a table not in the list).

#include "controls/panels/DDButton.h"
#include "platform/Prompt.h"
#include "tool/Tt_frm.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

class VantorWindow
{
public:
    VantorWindow()
    {
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    template <class T>
    T *child(const char *name)
    {
        T *w = form.findChild<T *>(QString::fromLatin1(name));
        if (!w)
            ADD_FAILURE() << "no control " << name;
        return w;
    }

    void click(const char *buttonName)
    {
        TDDButton *b = child<TDDButton>(buttonName);
        if (!b)
            return;
        if (!b->isVisible() || !b->Enabled()) {
            ADD_FAILURE() << buttonName << " cannot be clicked";
            return;
        }
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    }

    // Types the address into "서버 IP ADDRESS" and presses "검 색".
    void connectTo(const QString &address)
    {
        QLineEdit *edit = child<QLineEdit>("Edit1");
        edit->selectAll();
        QTest::keyClicks(edit, address);
        click("Button1");
    }

    // Replaces the memo's text by typing.
    void typeMemo(const QString &text)
    {
        QPlainTextEdit *memo = child<QPlainTextEdit>("Memo1");
        QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_Delete);
        typeText(memo, text);
    }

    // Types the text into the memo and presses "select" (btn1) or "DML query" (btn2).
    void runMemo(const char *buttonName, const QString &text)
    {
        typeMemo(text);
        click(buttonName);
    }

    // Types text as a person would: ASCII characters as keys, Korean ones as
    // the input method commits them.
    static void typeText(QWidget *target, const QString &text)
    {
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80) {
                QTest::keyClick(target, char(ch.unicode()));
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(QString(ch));
                QCoreApplication::sendEvent(target, &commit);
            }
        }
    }

    QStringList tables()
    {
        QComboBox *cmb = child<QComboBox>("cmb");
        QStringList items;
        for (int i = 0; i < cmb->count(); ++i)
            items << cmb->itemText(i);
        return items;
    }

    // Opens the table list and clicks the table.
    void chooseTable(const QString &name)
    {
        QComboBox *cmb = child<QComboBox>("cmb");
        const int index = cmb->findText(name);
        if (index < 0) {
            ADD_FAILURE() << "no table " << name.toStdString() << " in the list";
            return;
        }
        cmb->showPopup();
        QAbstractItemView *list = cmb->view();
        if (!QTest::qWaitForWindowExposed(list->window())) {
            ADD_FAILURE() << "the table list did not open";
            return;
        }
        const QModelIndex item = list->model()->index(index, 0);
        list->scrollTo(item);
        const QPoint at = list->visualRect(item).center();
        QTest::mouseMove(list->viewport(), at);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    void setRange(const QDate &start, const QDate &end)
    {
        child<QDateEdit>("dtpkr_start")->setDate(start);
        child<QDateEdit>("dtpkr_end")->setDate(end);
    }

    // What the grid shows: its column titles and its rows.
    QStringList gridColumns()
    {
        QAbstractItemModel *m = child<QTableView>("DBGrid1")->model();
        QStringList names;
        for (int c = 0; c < m->columnCount(); ++c)
            names << m->headerData(c, Qt::Horizontal).toString();
        return names;
    }
    QList<QStringList> gridRows()
    {
        QAbstractItemModel *m = child<QTableView>("DBGrid1")->model();
        QList<QStringList> rows;
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < m->columnCount(); ++c)
                row << m->index(r, c).data().toString();
            rows << row;
        }
        return rows;
    }
    // One column of the grid, by title.
    QStringList gridColumn(const QString &title)
    {
        const int c = gridColumns().indexOf(title);
        QStringList values;
        if (c < 0) {
            ADD_FAILURE() << "the grid has no column " << title.toStdString();
            return values;
        }
        for (const QStringList &row : gridRows())
            values << row.at(c);
        return values;
    }

    // A picture of the window for a person to look at (under the tests' output folder).
    void savePicture(const QString &name)
    {
        const QString dir = qEnvironmentVariable("QUVEX_TEST_OUTPUT", QDir::tempPath()) + QStringLiteral("/tool");
        QDir().mkpath(dir);
        form.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }

    qvx::ScriptedPrompt prompt; // installed before the window is made
    Tt_frm form;
};
