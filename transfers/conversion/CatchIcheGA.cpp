#include "transfers/conversion/CatchIcheGA.h"

#include "core/Session.h"
#include "core/screens/ScreenRegistry.h"

#include <QLineEdit>

namespace {

constexpr int AutoRuler = 140;

} // namespace

void SetConvLayout(Session &session, const LayoutTable &table, const LayoutValues &values)
{
    for (int i = 0; i < table.fields.size() && i < values.size(); ++i)
        session.ConvLayout[table.fields[i].pair] = values[i];
}

TFrmCatchGA::TFrmCatchGA(const ScreenContext &context, QWidget *owner)
    : TLayoutEditor(context, owner, AutoLayoutTable(), AutoRuler)
{
    setObjectName(QStringLiteral("FrmCatchGA"));
    setWindowTitle(QStringLiteral("일반 이체 자료변환"));
    setAttribute(Qt::WA_DeleteOnClose);
    FormCreate();
}

void TFrmCatchGA::afterSave()
{
    // The first layout of the list is the one in force.
    LayoutValues values;
    if (ReadGrid(&values).isEmpty())
        SetConvLayout(session, table(), values);
}

void TFrmCatchGA::afterCancel()
{
    edTitle->clear();
}

void registerCatchIcheGAScreen()
{
    ScreenRegistry::instance().add(QStringLiteral("FrmCatchGA"), [](QWidget *owner, const ScreenContext &context) -> QWidget * { return new TFrmCatchGA(context, owner); });
}
