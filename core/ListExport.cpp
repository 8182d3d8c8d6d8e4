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
    if (naming == ExportNaming::KeepName) {
        target.file = chosenName;
        return target;
    }
    QString name = chosenName;
    // The extension is added below; a name typed with one keeps one copy.
    for (const char *ext : {".txt", ".xls"})
        if (name.endsWith(QLatin1String(ext), Qt::CaseInsensitive))
            name.chop(4);
    target.file = name + (target.kind == ListExportTarget::Text ? QStringLiteral(".txt") : QStringLiteral(".xls"));
    return target;
}
