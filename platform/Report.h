#pragma once

#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QPainter;
class QPrinter;
class QWidget;

namespace qvx {

// One element of a band: a text label, a boxed shape, a line, or the page
// number. Positions are in millimetres from the band's top-left corner.
struct ReportItem
{
    enum Kind { Label, Box, HLine, PageNumber };
    Kind kind = Label;
    QString name;
    QRectF rect;
    QString text;
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

struct ReportBand
{
    QString name;
    double height = 0;           // millimetres; a band of height 0 is not printed
    QVector<ReportItem> items;

    ReportItem &add(ReportItem::Kind kind, const QString &name, const QRectF &rect,
                    const QString &text = QString(), Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    ReportItem *item(const QString &name);
    void setCaption(const QString &name, const QString &text);
    QString caption(const QString &name) const;
};

// A banded report: a title band printed once at the start, a column header at
// the top of every page, detail bands pulled one at a time through NeedData, a
// summary after the last detail and a page footer at the bottom of every page.
// Layout is plain logic (layout()); painting, PDF, preview and printing are
// built on it.
class Report
{
public:
    Report();

    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{10, 10, 10, 10};   // millimetres
    QString documentName;
    QFont font;                           // default font of new items

    ReportBand title{QStringLiteral("title"), 0, {}};
    ReportBand columnHeader{QStringLiteral("columnHeader"), 0, {}};
    ReportBand detail{QStringLiteral("detail"), 0, {}};
    ReportBand summary{QStringLiteral("summary"), 0, {}};
    ReportBand pageFooter{QStringLiteral("pageFooter"), 0, {}};

    // At most this many detail bands on the first page and on each later
    // one (0: as many as fit). A list that counts its lines per page sets
    // them, so that a title band as high as its items leaves the room it
    // does not need at the foot of the first page.
    int firstPageDetails = 0;
    int laterPageDetails = 0;

    // Events as the screens name them.
    std::function<void()> BeforePrint;
    // Fill the detail band's labels and return true to print one more detail
    // band, false when the report is complete.
    std::function<bool()> NeedData;
    std::function<void()> EndPage;

    struct PlacedBand
    {
        QString band;
        double top = 0;                   // millimetres from the printable area's top
        double height = 0;
        QVector<ReportItem> items;        // captions as they were when placed
    };
    struct Page
    {
        int number = 1;
        QVector<PlacedBand> bands;
        int detailCount() const;
    };

    QSizeF pageSizeMm() const;            // A4 in the chosen orientation
    double printableHeight() const;
    // How many detail bands fit on a page (first page: after the title band).
    int detailCapacity(bool firstPage) const;

    // Runs BeforePrint, NeedData and EndPage and returns the pages. A report
    // whose NeedData never stops is cut after `maxPages`.
    QVector<Page> layout(int maxPages = 10000);

    // What printing `page` would cut or lay over something else: each label
    // whose text is wider or taller than its rectangle in its font, each two
    // labels of one line whose texts come closer than a millimetre (so that
    // they read as one), and each item of the title band that reaches below the
    // band (onto the column header). One line per fault, naming the item and
    // its text.
    QStringList clippedTexts(const Page &page) const;

    void paintPage(QPainter &painter, const Page &page, double dotsPerMm) const;
    bool printTo(QPrinter &printer);      // lays out and paints every page
    bool exportPdf(const QString &fileName);
    void preview(QWidget *parent);        // the print preview window
    bool print(QWidget *parent);          // the print dialog, then printing

private:
    PlacedBand place(const ReportBand &band, double top) const;
};

} // namespace qvx
