#include "core/screens/ScreenParts.h"

#include "core/screens/KitLook.h"
#include "controls/panels/KitControl.h"
#include "platform/TListGrid.h"

#include <QLabel>
#include <QPalette>

TKitSimplePanel *MakeBand(QWidget *parent, const char *name, const QString &caption, int height, TAlign align)
{
    TKitSimplePanel *band = MakePanel(parent, name);
    band->resize(parent->width(), height);
    auto *label = new QLabel(caption, band);
    label->setObjectName(QString::fromLatin1(name) + QStringLiteral("_caption"));
    label->setGeometry(8, 0, 600, height);
    QFont f(QStringLiteral("굴림체"), 9);
    f.setBold(true);
    label->setFont(f);
    SetAlign(band, align);
    return band;
}

TListGrid *MakeGrid(QWidget *parent, const char *name, const QStringList &headers, TAlign align, int height)
{
    auto *grid = new TListGrid(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setFont(QFont(QStringLiteral("굴림체"), 9));
    grid->SetColCount(int(headers.size()));
    grid->SetRowCount(2);
    for (int c = 0; c < headers.size(); ++c)
        grid->SetCells(c, 0, headers[c]);
    if (height > 0)
        grid->resize(parent->width(), height);
    SetAlign(grid, align);
    return grid;
}

void SetFormColour(QWidget *form)
{
    QPalette pal = form->palette();
    pal.setColor(QPalette::Window, QColor(0xA9, 0xBC, 0xCF));
    form->setPalette(pal);
    form->setAutoFillBackground(true);
}
