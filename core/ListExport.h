#pragma once
// Where a list screen's save writes and what it then says. The save dialog
// offers the filter "텍스트파일 (*.txt)| *.txt|엑셀파일     (*.xls)|*.xls":
// index 1 writes fixed-width text lines, any other index the grid as a
// spreadsheet. The file is written beside its final name and renamed into
// place (qvx::TextFile, the grid's export), so a failed save never leaves a
// half file.

#include <QString>

extern const char *const ListSaveFilter;

struct ListExportTarget
{
    enum Kind { Text, Spreadsheet };
    Kind kind = Text;
    QString file;     // the file written
    QString message() const; // file + " 를 저장하였습니다."
};

// Name and extension rules. Text: the chosen name, without a ".txt" or
// ".xls" the user typed, then ".txt" ("add"), or the chosen name as it stands
// ("keep", the screens that write exactly what was chosen). A spreadsheet
// always ends in ".xls" (or ".xlsx"): a name typed with either stands as
// typed, any other gets ".xls" (after a typed ".txt" is dropped, "add").
enum class ExportNaming { AddExtension, KeepName };

ListExportTarget ListExportTargetFor(const QString &chosenName, int filterIndex,
                                     ExportNaming naming = ExportNaming::AddExtension);
