#pragma once
// "일반 이체 자료변환" of the send/receive module: edits the layouts of its
// drop files (table convertg_s). A save puts the first layout of the list
// into force at once.

#include "transfers/screens/LayoutEditor.h"

class TFrmCatchGA : public TLayoutEditor
{
    Q_OBJECT
public:
    explicit TFrmCatchGA(QWidget *owner = nullptr);

protected:
    void afterSave() override;
};

// The values of the grid rows into ConvLayout (rows in the table's order).
void SetConvLayout(const LayoutTable &table, const LayoutValues &values);

void registerCatchIcheGAScreen();
