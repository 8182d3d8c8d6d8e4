#pragma once
// Building blocks of the core screens: a captioned band, a docked list, the
// button bar at the bottom.

#include "controls/panels/KitAlignLayout.h"

#include <QString>

class QWidget;
class TKitSimplePanel;
class TListGrid;

// A band docked at `align` with the caption the forms put in it (" ◎ ...").
TKitSimplePanel *MakeBand(QWidget *parent, const char *name, const QString &caption, int height,
                          TAlign align = alTop);
// A list docked at `align`, with `cols` columns and the given header texts.
TListGrid *MakeGrid(QWidget *parent, const char *name, const QStringList &headers, TAlign align = alClient,
                    int height = 0);
// The form colour of the core screens.
void SetFormColour(QWidget *form);
