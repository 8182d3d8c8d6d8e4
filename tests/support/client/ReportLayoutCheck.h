#pragma once
// A printed list as its preview lays it out, checked against what the
// screen's description says of it: the title band comes first and prints
// the title, the first page holds `firstPageLines` detail lines and the
// later pages `laterPageLines`. The list must hold more rows than two pages.
//
//   CheckReportLayout(s->Report1, "예 금 명 세 현 황", 18, 25);

#include "platform/Report.h"

#include <QString>
#include <gtest/gtest.h>

inline void CheckReportLayout(qvx::Report &report, const QString &title, int firstPageLines, int laterPageLines)
{
    SCOPED_TRACE(title.toStdString());
    const QVector<qvx::Report::Page> pages = report.layout();
    ASSERT_GE(pages.size(), 3);
    ASSERT_FALSE(pages[0].bands.isEmpty());
    const qvx::Report::PlacedBand &band = pages[0].bands.first();
    EXPECT_EQ(band.band, QStringLiteral("title"));
    QString printed;
    for (const qvx::ReportItem &item : band.items)
        if (item.name.compare(QStringLiteral("qrlbl_Title"), Qt::CaseInsensitive) == 0)
            printed = item.text;
    EXPECT_EQ(printed, title);
    EXPECT_EQ(report.documentName, title);
    EXPECT_EQ(pages[0].detailCount(), firstPageLines);
    EXPECT_EQ(pages[1].detailCount(), laterPageLines);
    // The later pages are alike, up to the last.
    for (int p = 2; p + 1 < pages.size(); ++p)
        EXPECT_EQ(pages[p].detailCount(), laterPageLines) << "page " << p + 1;
}
