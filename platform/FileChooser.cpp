#include "platform/FileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QRegularExpression>
#include <QTreeView>

namespace qvx {

namespace {

// The size and date columns of the dialog's file list in Korean: "512 바이트",
// "13 KB", "2026-12-10 오후 3:05" (the list's own texts follow the machine's
// locale and name units and months in English).
class KoreanFileColumns : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        auto *files = qobject_cast<QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != SizeColumn && index.column() != DateColumn))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const QLocale korean(QLocale::Korean, QLocale::SouthKorea);
        if (index.column() == DateColumn)
            return korean.toString(files->lastModified(source), QStringLiteral("yyyy-MM-dd AP h:mm"));
        if (files->isDir(source))
            return QString();
        const qint64 bytes = files->size(source);
        if (bytes < 1024)
            return korean.toString(bytes) + QStringLiteral(" 바이트");
        return korean.toString((bytes + 1023) / 1024) + QStringLiteral(" KB");
    }

private:
    static constexpr int SizeColumn = 1;
    static constexpr int DateColumn = 3;
};

class DialogChooser : public FileChooser
{
public:
    Result save(QWidget *owner, const QString &title, const QString &directory, const QString &proposedName,
                const QString &filter, int filterIndex) override
    {
        return run(owner, title, directory, proposedName, filter, filterIndex, QFileDialog::AcceptSave);
    }
    Result open(QWidget *owner, const QString &title, const QString &directory, const QString &filter,
                int filterIndex, const QString &proposedName) override
    {
        return run(owner, title, directory, proposedName, filter, filterIndex, QFileDialog::AcceptOpen);
    }

private:
    Result run(QWidget *owner, const QString &title, const QString &directory, const QString &proposedName,
               const QString &filter, int filterIndex, QFileDialog::AcceptMode mode)
    {
        // No folder given: the dialog opens in the current one, which exists.
        if (!directory.isEmpty())
            QDir().mkpath(directory);
        QFileDialog dialog(owner, title, directory);
        dialog.setAcceptMode(mode);
        dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        // Qt's own dialog, in Korean like the rest of the program; its list is
        // also where the patterns below are applied.
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setProxyModel(new KoreanFileColumns(&dialog));
        // Size, type and date as wide as what they show, never elided.
        if (auto *details = dialog.findChild<QTreeView *>(QStringLiteral("treeView")))
            for (int column = 1; column < details->header()->count(); ++column)
                details->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        const QStringList filters = qtFilters(filter);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            const int chosen = filterIndex >= 1 && filterIndex <= filters.size() ? filterIndex : 1;
            dialog.selectNameFilter(filters.value(chosen - 1));
            // Qt reads a pattern out of "description (pattern)" only when the
            // pattern is ASCII: "수납_*.*" would be taken, with its description,
            // for one pattern that no file matches. The file list therefore
            // gets each filter's own patterns whenever a filter is chosen.
            auto *files = dialog.findChild<QFileSystemModel *>();
            auto applyPatterns = [files, filter](int index) {
                if (files)
                    files->setNameFilters(patternsOf(filter, index));
            };
            applyPatterns(chosen);
            QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                             [applyPatterns, filter](const QString &shown) {
                                 applyPatterns(filterIndexOf(filter, shown));
                             });
        }
        if (!proposedName.isEmpty())
            dialog.selectFile(proposedName);
        Result r;
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return r;
        r.fileName = dialog.selectedFiles().first();
        r.filterIndex = filterIndexOf(filter, dialog.selectedNameFilter());
        return r;
    }
};

FileChooser *g_installed = nullptr;

} // namespace

FileChooser::~FileChooser() = default;

FileChooser &FileChooser::instance()
{
    static DialogChooser real;
    return g_installed ? *g_installed : real;
}

void FileChooser::install(FileChooser *chooser) { g_installed = chooser; }

namespace {

// A pattern without its blanks, as a key to compare by.
QString patternKey(const QString &pattern)
{
    QString key = pattern;
    key.remove(u' ');
    return key;
}

// The pattern in the last parentheses of a description; empty when none.
QString patternInDescription(const QString &description)
{
    const QString text = description.trimmed();
    if (!text.endsWith(u')'))
        return QString();
    const qsizetype open = text.lastIndexOf(u'(');
    return open < 0 ? QString() : text.mid(open + 1, text.size() - open - 2);
}

} // namespace

QStringList FileChooser::qtFilters(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].simplified();
        const QString pattern = parts[i + 1].trimmed();
        // A description that already names its pattern is shown as it stands.
        if (patternKey(patternInDescription(description)) == patternKey(pattern))
            out << description;
        else
            out << description + QStringLiteral(" (") + pattern + u')';
    }
    return out;
}

int FileChooser::filterIndexOf(const QString &filter, const QString &shownFilter)
{
    const QStringList parts = filter.split(u'|');
    const QString shownPattern = patternKey(patternInDescription(shownFilter));
    // By the pattern: the dialog may have changed the description's blanks.
    for (int i = 0; i + 1 < parts.size(); i += 2)
        if (!shownPattern.isEmpty() && patternKey(parts[i + 1].trimmed()) == shownPattern)
            return i / 2 + 1;
    const qsizetype shown = qtFilters(filter).indexOf(shownFilter.simplified());
    return shown < 0 ? 1 : int(shown) + 1;
}

QString FileChooser::extensionOf(const QString &filter, int index)
{
    const QStringList parts = filter.split(u'|');
    const QString pattern = parts.value((index - 1) * 2 + 1).trimmed();
    const int dot = int(pattern.lastIndexOf(u'.'));
    if (dot < 0 || pattern.mid(dot + 1).contains(u'*'))
        return QString();
    return pattern.mid(dot + 1);
}

QStringList FileChooser::patternsOf(const QString &filter, int index)
{
    const QStringList parts = filter.split(u'|');
    if (index < 1 || (index - 1) * 2 + 1 >= parts.size())
        return {};
    static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
    return parts[(index - 1) * 2 + 1].split(separators, Qt::SkipEmptyParts);
}

ScriptedFileChooser::ScriptedFileChooser(bool install)
    : m_installed(install)
{
    if (install)
        FileChooser::install(this);
}

ScriptedFileChooser::~ScriptedFileChooser()
{
    if (m_installed)
        FileChooser::install(nullptr);
}

void ScriptedFileChooser::enqueue(const QString &fileName, int filterIndex)
{
    m_answers.push_back({fileName, filterIndex});
}

FileChooser::Result ScriptedFileChooser::next()
{
    if (m_answers.empty())
        return {};
    Result r = m_answers.front();
    m_answers.pop_front();
    return r;
}

FileChooser::Result ScriptedFileChooser::save(QWidget *, const QString &title, const QString &directory,
                                              const QString &proposedName, const QString &filter, int)
{
    asked.append({title, directory, proposedName, filter});
    return next();
}

FileChooser::Result ScriptedFileChooser::open(QWidget *, const QString &title, const QString &directory,
                                              const QString &filter, int, const QString &proposedName)
{
    asked.append({title, directory, proposedName, filter});
    return next();
}

} // namespace qvx
