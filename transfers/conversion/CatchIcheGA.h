#pragma once
// "일반 이체 자료변환" of the send/receive module: edits the layouts of its
// drop files (table convertg_s). A save puts the first layout of the list
// into force at once.

#include "core/screens/ScreenContext.h"
#include "transfers/conversion/LayoutEditor.h"

class Session;

class TFrmCatchGA : public TLayoutEditor
{
    Q_OBJECT
public:
    explicit TFrmCatchGA(const ScreenContext &context, QWidget *owner = nullptr);

protected:
    void afterSave() override;
    void afterCancel() override;
};

// The values of the grid rows into the session's ConvLayout (rows in the
// table's order).
void SetConvLayout(Session &session, const LayoutTable &table, const LayoutValues &values);

void registerCatchIcheGAScreen();
