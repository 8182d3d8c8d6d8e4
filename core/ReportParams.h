#pragma once
// What a list screen's printed report declares: the page's orientation, how
// many detail lines the first and the later pages hold, and whether the last
// page is filled with empty boxed lines. ListReportRows pages by them.

#include <QStringView>
#include <QtGlobal>

struct ReportParams
{
    enum Orientation { Portrait, Landscape };
    Orientation orientation = Portrait;
    int firstPageLines = 31;
    int laterPageLines = 37;
    bool fillLastPage = true;
};

// A landscape report with the given detail lines on its first and later pages.
inline ReportParams LandscapePaging(int firstPageLines, int laterPageLines)
{
    ReportParams p;
    p.orientation = ReportParams::Landscape;
    p.firstPageLines = firstPageLines;
    p.laterPageLines = laterPageLines;
    return p;
}

// Money cells of a list as a report sums them: commas removed, a text that
// is no whole number counts 0.
qint64 MoneyCellValue(QStringView cell);
