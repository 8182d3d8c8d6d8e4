#include "core/screens/EntryRowDialog.h"

#include "core/screens/ScreenParts.h"

TEntryRowDialog::TEntryRowDialog(const ScreenContext &context, QWidget *owner, const char *name,
                                 const QString &caption, int width, int height)
    : ScreenDialog(context, owner)
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setModal(true);
    setFixedSize(width, height);
    SetFormColour(this);
}
