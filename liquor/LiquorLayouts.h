#pragma once
// The liquor-trade conversion layouts: table convertj (the named layouts of
// the entry screen's text conversion, fixed-width or "1-" / "2-" delimited)
// and table convertj_s (the fixed-width layout of the send module's drop
// files, with the mother bank and account of each line).

#include "liquor/LiquorConversion.h"
#include "transfers/ConvertLayout.h"

// convertj: 은행코드, 계좌번호, 주류금액, 비주류금액, 이체금액, 기타, 거래처,
// 거래구분, 실명번호 (the order of LiquorField).
const LayoutTable &LiquorLayoutTable();
// convertj_s: 모은행코드, 모계좌번호, 거래구분, 은행코드, 계좌번호, 주류금액,
// 비주류금액, 이체금액, 거래처, 실명번호, 기타.
const LayoutTable &LiquorAutoLayoutTable();

// The values of the convertj grid as the fields' positions.
LiquorLayout LiquorLayoutOf(const LayoutValues &values);
