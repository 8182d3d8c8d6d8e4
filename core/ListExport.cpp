#include "core/ListExport.h"

const char *const ListSaveFilter = "텍스트파일 (*.txt)| *.txt|엑셀파일     (*.xls)|*.xls";

QString ListExportTarget::message() const
{
    return file + QStringLiteral(" 를 저장하였습니다.");
}

ListExportTarget ListExportTargetFor(const QString &chosenName, int filterIndex, ExportNaming naming)
{
    ListExportTarget target;
    target.kind = filterIndex == 1 ? ListExportTarget::Text : ListExportTarget::Spreadsheet;
    const auto typed = [&chosenName](const char *ext) { return chosenName.endsWith(QLatin1String(ext), Qt::CaseInsensitive); };
    if (target.kind == ListExportTarget::Spreadsheet) {
        // A spreadsheet always carries its extension, so that the open
        // dialogs that look for spreadsheets show it; one typed is kept once.
        if (typed(".xls") || typed(".xlsx")) {
            target.file = chosenName;
            return target;
        }
        QString name = chosenName;
        if (naming == ExportNaming::AddExtension && typed(".txt"))
            name.chop(4);
        target.file = name + QStringLiteral(".xls");
        return target;
    }
    if (naming == ExportNaming::KeepName) {
        target.file = chosenName;
        return target;
    }
    QString name = chosenName;
    // The extension is added below; a name typed with one keeps one copy.
    for (const char *ext : {".txt", ".xls"})
        if (name.endsWith(QLatin1String(ext), Qt::CaseInsensitive))
            name.chop(4);
    target.file = name + QStringLiteral(".txt");
    return target;
}
