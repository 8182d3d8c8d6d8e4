#pragma once
// The nine fields of a liquor transfer line and where a line holds them: the
// positions a fixed-width layout names, or the widths a delimited token may
// take.

#include "transfers/ConvertLayout.h"

#include <array>

// The nine fields of a liquor transfer line, in the order of the layout
// editor's grid.
enum LiquorField { lfBankId = 0, lfBankNo, lfJuMoney, lfBJuMoney, lfMoney, lfCInfo, lfSName, lfGubun, lfJumin,
                   LiquorFieldCount };

// Start (1-based) and size in CP949 bytes of each field.
using LiquorLayout = std::array<ConvField, LiquorFieldCount>;

// The widths a delimited token may take: bank 2, account 15, amounts 13,
// other information 31, name 14, kind 2, real-name number 13; as positions
// 1/2, 3/15, 18/13, 31/13, 44/13, 57/31, 88/14, 102/2, 104/13.
const LiquorLayout &LiquorDelimitedLayout();

// The ConvLayout pair each field feeds.
ConvPair LiquorConvPair(LiquorField field);
