#pragma once
// Building blocks of the core screens: a captioned band, a docked list, the
// button bar at the bottom.

#include "controls/panels/KitAlignLayout.h"

#include <QString>

class QDialog;
class QLabel;
class QLineEdit;
class QWidget;
class TDDButton;
class TKitComboBox;
class TKitSimplePanel;
class TListGrid;

// A child screen's form: component name, caption, size and the form colour.
void SetUpForm(QWidget *form, const char *name, const QString &caption, int width, int height);
// A small fixed-size dialog (the password dialogs): component name, caption,
// the form font and one panel "pnl_main" over the whole of it.
TKitSimplePanel *SetUpDialog(QDialog *dialog, const char *name, const QString &caption, int width, int height);

// A plain panel docked at `align` (a button bar, a search bar), `height` high.
TKitSimplePanel *MakeBar(QWidget *form, const char *name, int height, TAlign align);
// A block `width` wide over the whole height of a band, kept in the middle of
// the band as it widens: the controls made on it keep their design places
// relative to each other, so a maximised small screen shows them together in
// its middle instead of spread from its left edge.
QWidget *MakeCentredBlock(QWidget *band, int width);

// A caption and its field on one line: the caption at (x, y), labelWidth
// wide; the field 4 pixels after it. Height 22.
QLineEdit *MakeLabeledEdit(QWidget *parent, const char *name, const QString &caption, int x, int y,
                           int labelWidth, int editWidth);
// The same with a drop-down list.
TKitComboBox *MakeLabeledCombo(QWidget *parent, const char *name, const QString &caption, int x, int y,
                               int labelWidth, int comboWidth);
// A line of a dialog: caption and field placed separately, height 21.
QLineEdit *MakeDialogRow(QWidget *parent, const char *name, const QString &caption, int y, int labelX,
                         int labelWidth, int editX, int editWidth);

// The "확인" / "취소" / "종료" buttons of the password dialogs (btn_confirm,
// btn_Cancel, DDButton2), `width` wide, `step` apart, 28 high.
struct ConfirmButtons
{
    TDDButton *confirm;
    TDDButton *cancel;
    TDDButton *close;
};
ConfirmButtons MakeConfirmButtons(QWidget *parent, int x, int y, int width, int step);

// A band docked at `align` with the caption the forms put in it (" ◎ ...").
TKitSimplePanel *MakeBand(QWidget *parent, const char *name, const QString &caption, int height,
                          TAlign align = alTop);
// The caption label MakeBand put on `band` (null only for a panel made otherwise).
QLabel *BandCaption(const TKitSimplePanel *band);
// A list docked at `align`, with `cols` columns and the given header texts.
TListGrid *MakeGrid(QWidget *parent, const char *name, const QStringList &headers, TAlign align = alClient,
                    int height = 0);
// The form colour of the core screens.
void SetFormColour(QWidget *form);
