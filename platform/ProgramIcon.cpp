#include "platform/ProgramIcon.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// The buttons' gradient on a rounded square, with a white "Q" drawn as a ring
// and its tail, so that no font is needed.
QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QLinearGradient face(0, 0, 0, s);
    face.setColorAt(0, QColor(0xA9, 0xBC, 0xCF));
    face.setColorAt(1, QColor(0x34, 0x49, 0x5F));
    p.setPen(QPen(QColor(0x1E, 0x2B, 0x38), qMax(1.0, s / 32)));
    p.setBrush(face);
    const qreal m = s / 16;
    p.drawRoundedRect(QRectF(m, m, s - 2 * m, s - 2 * m), s / 6, s / 6);

    const qreal w = s * 0.13; // stroke width
    p.setPen(QPen(Qt::white, w, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(s * 0.24, s * 0.2, s * 0.52, s * 0.52);
    p.drawEllipse(ring);
    p.drawLine(QPointF(s * 0.56, s * 0.6), QPointF(s * 0.76, s * 0.8));
    return pixmap;
}

} // namespace

QIcon ProgramIcon()
{
    // Drawn on each call (a few small pictures): no pixmap outlives the application.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(drawIcon(size));
    return icon;
}

void ApplyProgramIcon()
{
    QApplication::setWindowIcon(ProgramIcon());
}
