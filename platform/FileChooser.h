#pragma once

#include <QString>
#include <QStringList>

#include <deque>

class QWidget;

namespace qvx {

// Every open and save dialog of the program. Filters are given as the forms
// give them ("텍스트파일 (*.txt)| *.txt|엑셀파일 (*.xls)|*.xls": description and
// pattern pairs separated by '|'); filter indexes count from 1. Tests install
// a scripted chooser that answers with prepared names.
class FileChooser
{
public:
    struct Result
    {
        QString fileName;      // empty: cancelled
        int filterIndex = 1;
    };

    virtual ~FileChooser();
    virtual Result save(QWidget *owner, const QString &title, const QString &directory,
                        const QString &proposedName, const QString &filter, int filterIndex = 1) = 0;
    // proposedName: shown in the dialog's name field ("수납_*.*").
    virtual Result open(QWidget *owner, const QString &title, const QString &directory,
                        const QString &filter, int filterIndex = 1, const QString &proposedName = QString()) = 0;

    static FileChooser &instance();
    static void install(FileChooser *chooser); // nullptr: back to the real dialogs

    // "a (*.txt)| *.txt|b|*.xls" -> {"a (*.txt)", "b (*.xls)"}, as Qt writes
    // filters: a description that already names its pattern keeps it once.
    static QStringList qtFilters(const QString &filter);
    // The index (from 1) of the pair whose pattern the dialog's shown filter
    // names, whatever became of the description's blanks; 1 when none.
    static int filterIndexOf(const QString &filter, const QString &shownFilter);
    // The pattern's extension of filter `index` ("txt"), empty when it has none.
    static QString extensionOf(const QString &filter, int index);
    // The patterns of filter `index` ("수납_*.*" -> {"수납_*.*"}; ';' or blanks
    // separate several), empty when there is no such filter.
    static QStringList patternsOf(const QString &filter, int index);
};

// Answers from a queue; with nothing queued it cancels. Records what was asked.
class ScriptedFileChooser : public FileChooser
{
public:
    explicit ScriptedFileChooser(bool install = true);
    ~ScriptedFileChooser() override;

    void enqueue(const QString &fileName, int filterIndex = 1);
    Result save(QWidget *owner, const QString &title, const QString &directory, const QString &proposedName,
                const QString &filter, int filterIndex = 1) override;
    Result open(QWidget *owner, const QString &title, const QString &directory, const QString &filter,
                int filterIndex = 1, const QString &proposedName = QString()) override;

    struct Asked
    {
        QString title;
        QString directory;
        QString proposedName;
        QString filter;
    };
    QList<Asked> asked;

private:
    Result next();
    std::deque<Result> m_answers;
    bool m_installed;
};

} // namespace qvx
