#pragma once
// Answers the program's next real file dialog as a person would: picks the
// file type in the dialog's type list with the keyboard, types the file name
// and presses Enter. Used where a test must go through the dialog itself
// (offscreen, Qt draws its own dialog).

#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <memory>

namespace testsupport {

struct FileDialogAnswer
{
    QString pattern;  // the type to choose, by the pattern it shows ("*.xls"); empty keeps the proposed type
    QString fileName; // typed into the name field; empty cancels the dialog
    bool answered = false;
    QStringList shownTypes;  // the type list as the dialog showed it
    QString shownDirectory;  // the folder it opened in
    QStringList shownRow;    // the file list's first row as shown (name, size, type, date)
    QString shownName;       // what its name field proposed
    QStringList shownFiles;  // the entries its list showed under the chosen type
    QList<int> cutColumns;   // columns of the detail list narrower than what they show
};

// The entries a file dialog's list shows, once its folder has been read
// (at most 2 s for a folder that shows nothing).
inline QStringList ShownFiles(QFileDialog *dialog)
{
    auto *list = dialog->findChild<QAbstractItemView *>(QStringLiteral("listView"));
    if (!list || !list->model())
        return {};
    auto rows = [list] { return list->model()->rowCount(list->rootIndex()); };
    QElapsedTimer clock;
    clock.start();
    while (rows() == 0 && clock.elapsed() < 2000)
        QTest::qWait(20);
    QTest::qWait(100);
    QStringList names;
    for (int i = 0; i < rows(); ++i)
        names << list->model()->index(i, 0, list->rootIndex()).data().toString();
    names.sort();
    return names;
}

// Arms a watcher that answers the next modal file dialog within 10 s.
inline std::shared_ptr<FileDialogAnswer> AnswerNextFileDialog(const QString &pattern, const QString &fileName)
{
    auto answer = std::make_shared<FileDialogAnswer>();
    answer->pattern = pattern;
    answer->fileName = fileName;
    auto *timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, clock] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            if (clock->elapsed() > 10000)
                timer->deleteLater();
            return;
        }
        timer->deleteLater();
        auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!types || !name)
            return;
        for (int i = 0; i < types->count(); ++i)
            answer->shownTypes << types->itemText(i);
        answer->shownDirectory = dialog->directory().absolutePath();
        auto *list = dialog->findChild<QAbstractItemView *>(QStringLiteral("treeView"));
        if (list && !dialog->directory().isEmpty()) {
            QElapsedTimer loading;
            loading.start();
            while (list->model()->rowCount(list->rootIndex()) == 0 && loading.elapsed() < 3000)
                QTest::qWait(20);
            for (int col = 0; col < list->model()->columnCount(list->rootIndex()); ++col)
                answer->shownRow << list->model()->index(0, col, list->rootIndex()).data().toString();
            if (auto *details = qobject_cast<QTreeView *>(list)) {
                QApplication::processEvents();
                for (int col = 1; col < details->header()->count(); ++col)
                    if (details->header()->sectionSize(col) < list->sizeHintForColumn(col))
                        answer->cutColumns << col;
            }
        }
        answer->shownName = name->text();
        if (!answer->pattern.isEmpty()) {
            int wanted = -1;
            for (int i = 0; i < types->count(); ++i)
                if (types->itemText(i).endsWith(QLatin1Char('(') + answer->pattern + QLatin1Char(')')))
                    wanted = i;
            if (wanted < 0)
                return; // the type is not offered: the dialog stays and the test fails
            types->setFocus();
            while (types->currentIndex() < wanted)
                QTest::keyClick(types, Qt::Key_Down);
            while (types->currentIndex() > wanted)
                QTest::keyClick(types, Qt::Key_Up);
        }
        answer->shownFiles = ShownFiles(dialog);
        if (answer->fileName.isEmpty()) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            answer->answered = true;
            return;
        }
        name->setFocus();
        name->selectAll();
        // Key by key; a character without a key of its own (Korean) comes as
        // the text of a key event, as an input method delivers it.
        for (QChar c : answer->fileName) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(name, &press);
            QApplication::sendEvent(name, &release);
        }
        // The name's completion list may open once the folder is read: it
        // closes with Escape, then the dialog's own accept button takes the name.
        QTest::qWait(200);
        if (name->completer() && name->completer()->popup()->isVisible())
            QTest::keyClick(name->completer()->popup(), Qt::Key_Escape);
        auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        QAbstractButton *accept = nullptr;
        for (QAbstractButton *b : buttons ? buttons->buttons() : QList<QAbstractButton *>())
            if (buttons->buttonRole(b) == QDialogButtonBox::AcceptRole)
                accept = b;
        if (!accept || !accept->isEnabled())
            return;
        QTest::mouseClick(accept, Qt::LeftButton);
        answer->answered = true;
    });
    timer->start(20);
    return answer;
}

} // namespace testsupport
