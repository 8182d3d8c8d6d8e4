#pragma once
// "거래처 목록": picks one payee when a name search of an entry screen finds
// several. The caller fills the list (name, bank code, hyphenated account,
// real-name number; FillPayees does it from a daesang select), runs the
// dialog and reads the current row on OK.

#include "core/screens/ListDialog.h"

namespace qvx {
class ResultSet;
}

class Tqv_transselect_frm : public TPickListDialog
{
    Q_OBJECT
public:
    explicit Tqv_transselect_frm(const ScreenContext &context, QWidget *owner = nullptr);

    // One list row per payee of a daesang select; row 1 current.
    void FillPayees(const qvx::ResultSet &payees);

    void btn_selectClick() override;
};
