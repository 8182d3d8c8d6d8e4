#include "liquor/screens/CatchIcheJ.h"

#include "core/Session.h"
#include "core/screens/ScreenRegistry.h"
#include "liquor/LiquorLayouts.h"
#include "platform/Prompt.h"
#include "transfers/screens/CatchIcheGA.h"

namespace {

constexpr int LiquorRuler = 140;

} // namespace

TFrmCatchJ::TFrmCatchJ(const ScreenContext &context, QWidget *owner)
    : TFrmCatchG(context, owner, LiquorLayoutTable(), LiquorRuler, QStringLiteral("FrmCatchJ"),
                 QStringLiteral("주류 이체자료 변환"))
{
}

LiquorLayout TFrmCatchJ::liquorLayout() const
{
    return LiquorLayoutOf(checkedValues());
}

TFrmCatchJA::TFrmCatchJA(const ScreenContext &context, QWidget *owner)
    : TLayoutEditor(context, owner, LiquorAutoLayoutTable(), LiquorRuler)
{
    setObjectName(QStringLiteral("FrmCatchJA"));
    setWindowTitle(QStringLiteral("주류 이체자료 변환"));
    setAttribute(Qt::WA_DeleteOnClose);
    SetTitle(QStringLiteral(" ◎ 승인요청 자료 목록"));
    FormCreate();
}

QString TFrmCatchJA::saveStatement(bool insert, const QString &title, const QString &oldTitle)
{
    // Every cell a whole number, or nothing is sent.
    LayoutValues values;
    if (!ReadGrid(&values).isEmpty()) {
        qvx::Prompt::instance().message(LayoutMessages::SaveFailed);
        return QString();
    }
    return insert ? table().insert(title, values) : table().update(title, values, oldTitle);
}

void TFrmCatchJA::afterSave()
{
    // The first layout of the list is the one the send module cuts with.
    LayoutValues values;
    if (ReadGrid(&values).isEmpty())
        SetConvLayout(session, table(), values);
}

void registerCatchIcheJScreens()
{
    ScreenRegistry::instance().add(QStringLiteral("FrmCatchJA"), [](QWidget *owner, const ScreenContext &context)
                                       -> QWidget * { return new TFrmCatchJA(context, owner); });
}
