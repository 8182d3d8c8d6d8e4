#pragma once
// "자료변환" of the transfer entry screen: the layout dialog, then the run
// over the chosen file with the screen's progress panel, its controls
// disabled until the run ends.

class ConvertedRows;
class TListGrid;
class Tqv_IcheMake_frm;

// Appends rows to the entry list in one update: row 1 of an empty list, else
// after the last; running numbers follow on. The list copies the rows' texts.
void AppendConvertedRows(TListGrid *grid, const ConvertedRows &rows);

// The run behind the entry screen's "자료변환".
void RunDataConvert(Tqv_IcheMake_frm &screen);

// Installs RunDataConvert as the entry screen's conversion.
void registerDataConvert();
