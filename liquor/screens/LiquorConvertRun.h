#pragma once
// "자료변환" of the liquor entry screen: the layout dialog, then the run over
// the chosen file with the screen's progress panel; the screen's controls
// and cursor come back however the run ends.

class Tqv_IcheMakeJuru_frm;

void RunLiquorTextConvert(Tqv_IcheMakeJuru_frm &screen);

// Installs the run as the entry screen's text conversion.
void registerLiquorConvert();
