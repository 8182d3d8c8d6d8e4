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

// The statements that store a named layout of convertj, worded as they have
// always been sent (each value a start or size in the table's field order).
namespace LiquorLayoutSql {
QString insert(const QString &title, const LayoutValues &values);
// A delimited layout: every position 0.
QString insertDelimited(const QString &title);
QString update(const QString &title, const LayoutValues &values, const QString &oldTitle);
QString updateDelimited(const QString &title, const QString &oldTitle);
} // namespace LiquorLayoutSql
