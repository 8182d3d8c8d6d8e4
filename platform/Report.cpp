#include "platform/Report.h"

#include "platform/TextFile.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace qvx {

ReportItem &ReportBand::add(ReportItem::Kind kind, const QString &itemName, const QRectF &rect,
                            const QString &text, Qt::Alignment alignment)
{
    ReportItem item;
    item.kind = kind;
    item.name = itemName;
    item.rect = rect;
    item.text = text;
    item.alignment = alignment;
    item.font = QFont(QStringLiteral("굴림체"), 9);
    items.append(item);
    return items.last();
}

ReportItem *ReportBand::item(const QString &itemName)
{
    for (ReportItem &i : items)
        if (i.name.compare(itemName, Qt::CaseInsensitive) == 0)
            return &i;
    return nullptr;
}

void ReportBand::setCaption(const QString &itemName, const QString &text)
{
    if (ReportItem *i = item(itemName))
        i->text = text;
}

QString ReportBand::caption(const QString &itemName) const
{
    for (const ReportItem &i : items)
        if (i.name.compare(itemName, Qt::CaseInsensitive) == 0)
            return i.text;
    return QString();
}

int Report::Page::detailCount() const
{
    return int(std::count_if(bands.begin(), bands.end(),
                             [](const PlacedBand &b) { return b.band == QStringLiteral("detail"); }));
}

namespace {

// A label's text without space glyphs: the words are placed one by one where
// the whole line would put them. The PDF writer names each glyph's character
// by the lowest code point the font maps to it, and the Korean face maps the
// control characters to its space glyph, so a drawn space would be copied
// and searched as U+0001; a gap reads as a space. A label of several lines
// (CR LF, LF or CR between them) is a block of such lines, one line spacing
// apart, aligned as a whole.
QStringList labelLines(const QString &text)
{
    QStringList lines;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype next = 0;
        const qsizetype end = LineEndAt(text.utf16(), text.size(), start, &next);
        lines << text.mid(start, end - start);
        start = next;
    }
    return lines;
}

// The font a label is painted in.
QFont labelFont(const ReportItem &item)
{
    QFont f = item.font;
    f.setPointSizeF(item.font.pointSizeF() > 0 ? item.font.pointSizeF() : 9);
    return f;
}

void drawLabelText(QPainter &painter, const QRectF &r, Qt::Alignment alignment, const QString &text)
{
    const QStringList lines = labelLines(text);
    if (lines.isEmpty())
        return;
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal blockHeight = metrics.height() + (lines.size() - 1) * metrics.lineSpacing();
    qreal top = r.top();
    if (alignment & Qt::AlignBottom)
        top = r.bottom() - blockHeight;
    else if (alignment & Qt::AlignVCenter)
        top = r.top() + (r.height() - blockHeight) / 2;
    painter.save();
    painter.setClipRect(r, Qt::IntersectClip);
    for (const QString &line : std::as_const(lines)) {
        const qreal width = metrics.horizontalAdvance(line);
        qreal x = r.left();
        if (alignment & Qt::AlignRight)
            x = r.right() - width;
        else if (alignment & Qt::AlignHCenter)
            x = r.left() + (r.width() - width) / 2;
        const qreal baseline = top + metrics.ascent();
        for (qsizetype start = 0; start < line.size();) {
            if (line.at(start) == u' ') {
                ++start;
                continue;
            }
            qsizetype end = line.indexOf(u' ', start);
            if (end < 0)
                end = line.size();
            painter.drawText(QPointF(x + metrics.horizontalAdvance(line.left(start)), baseline),
                             line.mid(start, end - start));
            start = end;
        }
        top += metrics.lineSpacing();
    }
    painter.restore();
}

} // namespace

Report::Report()
    : font(QStringLiteral("굴림체"), 9)
{
}

QSizeF Report::pageSizeMm() const
{
    return orientation == QPageLayout::Portrait ? QSizeF(210, 297) : QSizeF(297, 210);
}

double Report::printableHeight() const
{
    return pageSizeMm().height() - margins.top() - margins.bottom();
}

int Report::detailCapacity(bool firstPage) const
{
    if (detail.height <= 0)
        return 0;
    double room = printableHeight() - columnHeader.height - pageFooter.height;
    if (firstPage)
        room -= title.height;
    const int fit = std::max(0, int(std::floor(room / detail.height + 1e-9)));
    const int limit = firstPage ? firstPageDetails : laterPageDetails;
    return limit > 0 ? std::min(fit, limit) : fit;
}

Report::PlacedBand Report::place(const ReportBand &band, double top) const
{
    PlacedBand p;
    p.band = band.name;
    p.top = top;
    p.height = band.height;
    p.items = band.items;
    return p;
}

QVector<Report::Page> Report::layout(int maxPages)
{
    QVector<Page> pages;
    if (BeforePrint)
        BeforePrint();

    const double bottom = printableHeight() - pageFooter.height;
    Page page;
    double y = 0;
    auto startPage = [&](bool first) {
        page = Page();
        page.number = pages.size() + 1;
        y = 0;
        if (first && title.height > 0) {
            page.bands << place(title, y);
            y += title.height;
        }
        if (columnHeader.height > 0) {
            page.bands << place(columnHeader, y);
            y += columnHeader.height;
        }
    };
    auto finishPage = [&]() {
        if (pageFooter.height > 0)
            page.bands << place(pageFooter, bottom);
        pages << page;
        if (EndPage)
            EndPage();
    };

    startPage(true);
    // A page opened because the last one was full, with nothing on it yet: it
    // is dropped when the data ends there, so no empty page trails the report.
    bool fresh = false;
    int onPage = 0;
    const bool hasDetail = detail.height > 0 && NeedData;
    while (hasDetail) {
        const int limit = pages.isEmpty() ? firstPageDetails : laterPageDetails;
        if (y + detail.height > bottom + 1e-9 || (limit > 0 && onPage >= limit)) {
            finishPage();
            if (pages.size() >= maxPages)
                return pages;
            startPage(false);
            fresh = true;
            onPage = 0;
        }
        if (!NeedData())
            break;
        page.bands << place(detail, y);
        y += detail.height;
        ++onPage;
        fresh = false;
    }
    if (summary.height > 0) {
        if (y + summary.height > bottom + 1e-9 && !fresh) {
            finishPage();
            startPage(false);
        }
        page.bands << place(summary, y);
        y += summary.height;
        fresh = false;
    }
    if (!fresh)
        finishPage();
    return pages;
}

namespace {

// Where a label's printed line runs from and to across the page
// (millimetres), its outer blanks left out: the text as the painter places
// it by its alignment.
struct PrintedSpan
{
    double left = 0;
    double right = 0;
};

PrintedSpan printedSpan(const ReportItem &item, const QString &line, const QFontMetricsF &metrics, double dotsPerMm)
{
    const double full = metrics.horizontalAdvance(line) / dotsPerMm;
    double x = item.rect.left();
    if (item.alignment & Qt::AlignRight)
        x = item.rect.right() - full;
    else if (item.alignment & Qt::AlignHCenter)
        x = item.rect.left() + (item.rect.width() - full) / 2;
    qsizetype first = 0;
    while (first < line.size() && line.at(first).isSpace())
        ++first;
    qsizetype last = line.size();
    while (last > first && line.at(last - 1).isSpace())
        --last;
    return {x + metrics.horizontalAdvance(line.left(first)) / dotsPerMm,
            x + metrics.horizontalAdvance(line.left(last)) / dotsPerMm};
}

} // namespace

QStringList Report::clippedTexts(const Page &page) const
{
    // Measured as a printer measures: at a printer's resolution, in the
    // label's own font.
    constexpr double dotsPerMm = 1200 / 25.4;
    constexpr double slack = 0.05;   // millimetres
    QImage device(1, 1, QImage::Format_Mono);
    device.setDotsPerMeterX(int(dotsPerMm * 1000));
    device.setDotsPerMeterY(int(dotsPerMm * 1000));
    QStringList faults;
    // Texts of one printed line closer than this read as one (a value and
    // its unit stand this far apart).
    constexpr double apart = 1.0;   // millimetres
    for (const PlacedBand &band : page.bands) {
        for (int a = 0; a < band.items.size(); ++a) {
            const ReportItem &one = band.items[a];
            if (one.kind != ReportItem::Label || one.text.trimmed().isEmpty() || labelLines(one.text).size() != 1)
                continue;
            const QFontMetricsF oneMetrics(labelFont(one), &device);
            const PrintedSpan oneSpan = printedSpan(one, one.text, oneMetrics, dotsPerMm);
            for (int b = a + 1; b < band.items.size(); ++b) {
                const ReportItem &other = band.items[b];
                if (other.kind != ReportItem::Label || other.text.trimmed().isEmpty()
                    || labelLines(other.text).size() != 1)
                    continue;
                if (one.rect.bottom() <= other.rect.top() + slack || other.rect.bottom() <= one.rect.top() + slack)
                    continue;
                const QFontMetricsF otherMetrics(labelFont(other), &device);
                const PrintedSpan otherSpan = printedSpan(other, other.text, otherMetrics, dotsPerMm);
                const double gap = std::max(otherSpan.left - oneSpan.right, oneSpan.left - otherSpan.right);
                if (gap < apart - slack)
                    faults << QStringLiteral("%1/%2 \"%3\" and \"%4\" run together (%5 mm apart)")
                                  .arg(band.band, one.name.isEmpty() ? one.text : one.name, one.text, other.text)
                                  .arg(gap, 0, 'f', 1);
            }
        }
        for (const ReportItem &item : band.items) {
            const QString what = band.band + u'/' + (item.name.isEmpty() ? item.text : item.name);
            if (band.band == title.name && item.rect.bottom() > band.height + slack)
                faults << QStringLiteral("%1 reaches %2 mm below the title band").arg(what).arg(item.rect.bottom() - band.height);
            if (item.kind != ReportItem::Label && item.kind != ReportItem::PageNumber)
                continue;
            const QString text = item.kind == ReportItem::PageNumber ? item.text + QString::number(page.number) : item.text;
            const QStringList lines = labelLines(text);
            if (lines.isEmpty())
                continue;
            const QFontMetricsF metrics(labelFont(item), &device);
            double width = 0;
            for (const QString &line : lines)
                width = std::max(width, metrics.horizontalAdvance(line) / dotsPerMm);
            const double height = (metrics.height() + (lines.size() - 1) * metrics.lineSpacing()) / dotsPerMm;
            if (width > item.rect.width() + slack)
                faults << QStringLiteral("%1 \"%2\" is %3 mm wide in %4 mm").arg(what, text).arg(width, 0, 'f', 1)
                              .arg(item.rect.width(), 0, 'f', 1);
            if (height > item.rect.height() + slack)
                faults << QStringLiteral("%1 \"%2\" is %3 mm high in %4 mm").arg(what, text).arg(height, 0, 'f', 1)
                              .arg(item.rect.height(), 0, 'f', 1);
        }
    }
    return faults;
}

void Report::paintPage(QPainter &painter, const Page &page, double dotsPerMm) const
{
    const double left = margins.left();
    const double top = margins.top();
    for (const PlacedBand &band : page.bands) {
        for (const ReportItem &item : band.items) {
            const QRectF r((left + item.rect.x()) * dotsPerMm, (top + band.top + item.rect.y()) * dotsPerMm,
                           item.rect.width() * dotsPerMm, item.rect.height() * dotsPerMm);
            switch (item.kind) {
            case ReportItem::Box:
                painter.setPen(QPen(Qt::black, std::max(1.0, 0.2 * dotsPerMm)));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(r);
                break;
            case ReportItem::HLine:
                painter.setPen(QPen(Qt::black, std::max(1.0, 0.2 * dotsPerMm)));
                painter.drawLine(r.topLeft(), r.topRight());
                break;
            case ReportItem::Label:
            case ReportItem::PageNumber: {
                painter.setFont(labelFont(item));
                painter.setPen(Qt::black);
                const QString text = item.kind == ReportItem::PageNumber
                                         ? item.text + QString::number(page.number) : item.text;
                drawLabelText(painter, r, item.alignment, text);
                break;
            }
            }
        }
    }
}

bool Report::printTo(QPrinter &printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(orientation);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    if (!documentName.isEmpty())
        printer.setDocName(documentName);
    const QVector<Page> pages = layout();
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double dotsPerMm = printer.resolution() / 25.4;
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        paintPage(painter, pages[i], dotsPerMm);
    }
    painter.end();
    return true;
}

bool Report::exportPdf(const QString &fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    return printTo(printer);
}

void Report::preview(QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("미리보기"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter *p) { printTo(*p); });
    dialog.exec();
}

bool Report::print(QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return printTo(printer);
}

} // namespace qvx
