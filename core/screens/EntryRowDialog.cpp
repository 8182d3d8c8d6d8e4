#include "core/screens/EntryRowDialog.h"

TEntryRowDialog::TEntryRowDialog(const ScreenContext &context, QWidget *owner)
    : QDialog(owner), session(context.session), dm(context.dm)
{
}
