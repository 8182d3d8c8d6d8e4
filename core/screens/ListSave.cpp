#include "core/screens/ListSave.h"

#include "core/screens/ListGrid.h"
#include "platform/FileChooser.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"
#include "platform/TextFile.h"

#include <QDir>

QString SaveListFile(QWidget *owner, TListGrid *grid, const QString &proposedName,
                     const std::function<QStringList()> &lines, int emptyCol)
{
    ListSaveOptions options;
    options.emptyCol = emptyCol;
    return SaveListFile(owner, grid, proposedName, lines, options);
}

QString SaveListFile(QWidget *owner, TListGrid *grid, const QString &proposedName,
                     const std::function<QStringList()> &lines, const ListSaveOptions &options)
{
    qvx::Prompt &prompt = qvx::Prompt::instance();
    if (GridIsEmpty(grid, options.emptyCol)) {
        prompt.message(QStringLiteral("저장할 자료가 존재하지 않습니다."));
        return QString();
    }
    const QString dir = QDir::currentPath() + QStringLiteral("/data/");
    const auto chosen = qvx::FileChooser::instance().save(owner, QStringLiteral("파일 저장"), dir, proposedName,
                                                          options.filter, 1);
    if (chosen.fileName.isEmpty())
        return QString();
    const ListExportTarget target = ListExportTargetFor(chosen.fileName, chosen.filterIndex, options.naming);
    QString error;
    bool written = false;
    if (target.kind == ListExportTarget::Text && options.gridText) {
        written = grid->SaveToText(target.file, options.separator, false, &error);
    } else if (target.kind == ListExportTarget::Text) {
        if (const QString refusal = options.textRefusal ? options.textRefusal() : QString(); !refusal.isEmpty()) {
            prompt.message(refusal);
            return QString();
        }
        const QStringList out = lines ? lines() : QStringList();
        if (out.isEmpty()) {
            prompt.message(QStringLiteral("저장할 자료가 선택되지 않았습니다."));
            return QString();
        }
        written = qvx::TextFile::writeLines(target.file, out, &error,
                                            options.ownerOnly ? qvx::TextFile::Access::OwnerOnly
                                                              : qvx::TextFile::Access::Default);
    } else {
        written = grid->SaveToXLS(target.file, &error);
    }
    if (!written) {
        prompt.message(QStringLiteral("파일을 저장하지 못하였습니다.\r\r") + error);
        return QString();
    }
    const QString &message = target.kind == ListExportTarget::Text ? options.textMessage : options.spreadsheetMessage;
    prompt.message(message.isEmpty() ? target.message() : message.arg(chosen.fileName));
    return target.file;
}
