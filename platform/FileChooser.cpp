#include "platform/FileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>

namespace qvx {

namespace {

class DialogChooser : public FileChooser
{
public:
    Result save(QWidget *owner, const QString &title, const QString &directory, const QString &proposedName,
                const QString &filter, int filterIndex) override
    {
        return run(owner, title, directory, proposedName, filter, filterIndex, QFileDialog::AcceptSave);
    }
    Result open(QWidget *owner, const QString &title, const QString &directory, const QString &filter,
                int filterIndex) override
    {
        return run(owner, title, directory, QString(), filter, filterIndex, QFileDialog::AcceptOpen);
    }

private:
    Result run(QWidget *owner, const QString &title, const QString &directory, const QString &proposedName,
               const QString &filter, int filterIndex, QFileDialog::AcceptMode mode)
    {
        QDir().mkpath(directory);
        QFileDialog dialog(owner, title, directory);
        dialog.setAcceptMode(mode);
        dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        const QStringList filters = qtFilters(filter);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            dialog.selectNameFilter(filters.value(filterIndex - 1, filters.first()));
        }
        if (!proposedName.isEmpty())
            dialog.selectFile(proposedName);
        Result r;
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return r;
        r.fileName = dialog.selectedFiles().first();
        r.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
        if (r.filterIndex <= 0)
            r.filterIndex = 1;
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

QStringList FileChooser::qtFilters(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        out << description + QStringLiteral(" (") + pattern + u')';
    }
    return out;
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
                                              const QString &filter, int)
{
    asked.append({title, directory, QString(), filter});
    return next();
}

} // namespace qvx
