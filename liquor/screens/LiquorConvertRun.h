#pragma once
// "자료변환" of the liquor entry screen: the layout dialog, then the run over
// the chosen file with the screen's progress panel; the screen's controls
// and cursor come back however the run ends.

class LiquorConvertedRows;
class TListGrid;
class Tqv_IcheMakeJuru_frm;

#include <QString>
#include <functional>

void RunLiquorTextConvert(Tqv_IcheMakeJuru_frm &screen);
// "Excel": the same run over the data rows of a workbook's active sheet.
void RunLiquorExcelConvert(Tqv_IcheMakeJuru_frm &screen);

// How the error list is shown to the user after a run: by default a viewer
// window of its own (CP949 read as such), which the run does not wait for;
// an empty opener gives the default back.
void SetLiquorErrorListOpener(std::function<void(const QString &path)> opener);

// Appends a run's rows to the entry list (row 1 of an empty list, then new
// last rows), numbered on from the rows already listed.
void AppendLiquorRows(TListGrid *grid, const LiquorConvertedRows &rows);

// Installs the runs as the entry screen's text and sheet conversions.
void registerLiquorConvert();
