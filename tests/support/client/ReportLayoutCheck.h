#pragma once
// Lays a list screen's printed report out and checks it against what its
// screen prints: the title band first on the first page with the report's
// title in it, and the detail lines of the first and the later pages.
//
//   ExpectReportLayout(s->Report1, "이체처리 현황 (사용자별)", 31, 37);
//
// The list must hold enough rows for a second page when `laterPageLines` is
// given (above 0); a report whose last page is not filled is checked with
// ExpectReportLayout(report, title, rowsListed) on its one page.

#include "platform/Report.h"

#include <QString>
#include <gtest/gtest.h>

inline void ExpectReportLayout(qvx::Report &report, const QString &title, int firstPageLines, int laterPageLines = 0)
{
    SCOPED_TRACE(title.toStdString());
    const QVector<qvx::Report::Page> pages = report.layout();
    ASSERT_GE(pages.size(), laterPageLines > 0 ? 2 : 1);
    ASSERT_FALSE(pages[0].bands.isEmpty());
    const qvx::Report::PlacedBand &band = pages[0].bands.first();
    EXPECT_EQ(band.band, QStringLiteral("title"));
    QString shown;
    for (const qvx::ReportItem &item : band.items)
        if (item.name == QLatin1String("qrlbl_Title"))
            shown = item.text;
    EXPECT_EQ(shown, title);
    EXPECT_EQ(report.documentName, title);
    EXPECT_EQ(pages[0].detailCount(), firstPageLines);
    if (laterPageLines > 0) {
        EXPECT_EQ(pages[1].detailCount(), laterPageLines);
    }
}
