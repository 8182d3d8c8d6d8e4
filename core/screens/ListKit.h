#pragma once
// Everything a list screen stands on, in one include: the column table and
// its grid, the report kit with its paging, the save, the find, the totals
// grid, the combos, the form parts and the binding helper, with the controls
// they make.

#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/EventGuard.h"
#include "core/ListColumns.h"
#include "core/RequestMessages.h"
#include "core/RequestSender.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListCombos.h"
#include "core/screens/ListFrame.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ListReport.h"
#include "core/screens/ListSave.h"
#include "core/screens/ResultTotalsGrid.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenForm.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenRegistry.h"
#include "core/screens/SearchUnit.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "controls/panels/KitControl.h"
#include "controls/panels/KitGroup.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/Report.h"
#include "platform/ResultSet.h"
#include "platform/TListGrid.h"

#include <QDateEdit>
#include <QLineEdit>
