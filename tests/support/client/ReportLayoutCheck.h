#pragma once
// Checks a list screen's printed report as its preview lays it out: the
// title band printed first on page one with the report's title, and the
// detail lines each page holds.
//
//   FillRows(grid, 50);
//   CheckReportLayout(s->Report1, "모계좌 잔액조회", 33, 37);

#include "platform/Report.h"

#include <QString>
#include <QVector>
#include <gtest/gtest.h>

// The text of the item `name` of a laid-out band, "" when it has none.
inline QString PlacedText(const qvx::Report::PlacedBand &band, const QString &name)
{
    for (const qvx::ReportItem &item : band.items)
        if (item.name.compare(name, Qt::CaseInsensitive) == 0)
            return item.text;
    return QString();
}

// Lays `report` out and checks its title band ("qrlbl_Title" holding
// `title`) and, when `firstPageLines` is above 0, the detail lines of its
// first and second page (the list must fill more than one page). Returns
// the pages for further checks.
inline QVector<qvx::Report::Page> CheckReportLayout(qvx::Report &report, const QString &title, int firstPageLines = 0,
                                                    int laterPageLines = 0)
{
    SCOPED_TRACE(title.toStdString());
    const QVector<qvx::Report::Page> pages = report.layout();
    EXPECT_FALSE(pages.isEmpty());
    if (pages.isEmpty() || pages[0].bands.isEmpty()) {
        ADD_FAILURE() << "the report prints nothing";
        return pages;
    }
    const qvx::Report::PlacedBand &band = pages[0].bands.first();
    EXPECT_EQ(band.band, QStringLiteral("title")) << "the first band printed is not the title band";
    EXPECT_EQ(PlacedText(band, QStringLiteral("qrlbl_Title")), title);
    EXPECT_EQ(report.documentName, title);
    if (firstPageLines > 0) {
        EXPECT_GE(pages.size(), 2);
        if (pages.size() >= 2) {
            EXPECT_EQ(pages[0].detailCount(), firstPageLines);
            EXPECT_EQ(pages[1].detailCount(), laterPageLines);
        }
        // The later pages are alike, up to the last.
        for (int p = 2; p + 1 < pages.size(); ++p)
            EXPECT_EQ(pages[p].detailCount(), laterPageLines) << "page " << p + 1;
    }
    return pages;
}

// The same for a report whose one page is not filled (`laterPageLines` 0):
// its first page holds exactly `firstPageLines` detail lines.
inline void ExpectReportLayout(qvx::Report &report, const QString &title, int firstPageLines, int laterPageLines = 0)
{
    if (laterPageLines > 0) {
        CheckReportLayout(report, title, firstPageLines, laterPageLines);
        return;
    }
    const QVector<qvx::Report::Page> pages = CheckReportLayout(report, title);
    if (!pages.isEmpty()) {
        EXPECT_EQ(pages[0].detailCount(), firstPageLines) << title.toStdString();
    }
}

// What any page of the laid-out report prints cut or run together, each
// fault once.
inline QStringList ClippedTexts(qvx::Report &report)
{
    QStringList faults;
    for (const qvx::Report::Page &page : report.layout())
        for (const QString &fault : report.clippedTexts(page))
            if (!faults.contains(fault))
                faults << fault;
    return faults;
}
