#include "core/screens/EntryListForm.h"

TEntryListForm::TEntryListForm(const ScreenContext &context, QWidget *owner)
    : QWidget(owner), session(context.session), dm(context.dm)
{
}
