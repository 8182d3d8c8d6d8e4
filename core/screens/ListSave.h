#pragma once
// The list screens' save: the list as text lines or as the grid's
// spreadsheet export, through the file dialog, with the messages every list
// gives.

#include "core/ListExport.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
class TListGrid;

// The save, as every list gives it:
//  - an empty list (cell `emptyCol` of row 1): "저장할 자료가 존재하지 않습니다.";
//  - the dialog "파일 저장" in the current directory's data folder, with the
//    proposed name and the filter "텍스트파일 (*.txt)| *.txt|엑셀파일     (*.xls)|*.xls";
//  - text: `lines()` (no lines: "저장할 자료가 선택되지 않았습니다.", no file) written
//    to name + ".txt", then name + ".txt 를 저장하였습니다.";
//  - spreadsheet: the grid to name + ".xls", then name + " 를 저장하였습니다.".
// Returns the file written, empty when nothing was.
QString SaveListFile(QWidget *owner, TListGrid *grid, const QString &proposedName,
                     const std::function<QStringList()> &lines, int emptyCol = 0);

// What a screen's save does differently from the convention above.
struct ListSaveOptions
{
    QString filter = QString::fromUtf8(ListSaveFilter);
    // AddExtension: ".txt" / ".xls" after the chosen name; KeepName: the chosen name as it stands.
    ExportNaming naming = ExportNaming::AddExtension;
    // Text: the grid's own text export (every row, header included, cells
    // joined by `separator`, hidden columns left out) instead of the lines.
    bool gridText = false;
    QString separator = QStringLiteral("\t");
    // The message after a save; "" gives file + " 를 저장하였습니다.", otherwise
    // the text with %1 replaced by the chosen name.
    QString textMessage;
    QString spreadsheetMessage;
    int emptyCol = 0;
    // Text: a message that refuses the save before anything is written (the
    // lines would not hold the rows as they are); empty lets it go on.
    std::function<QString()> textRefusal;
    // Text: the file readable by its owner alone (lines that carry passwords).
    bool ownerOnly = false;
};
QString SaveListFile(QWidget *owner, TListGrid *grid, const QString &proposedName,
                     const std::function<QStringList()> &lines, const ListSaveOptions &options);
