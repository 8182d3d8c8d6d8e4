#include "core/screens/EntryRowDialog.h"

TEntryRowDialog::TEntryRowDialog(const ScreenContext &context, QWidget *owner)
    : ScreenDialog(context, owner)
{
}
