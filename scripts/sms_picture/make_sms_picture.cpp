// Draws the picture of the SMS screen (a phone showing a message, 150 x 225)
// and writes it as a GIF through the client's own GIF writer:
//   make_sms_picture <out.gif>
// Built by the target make_sms_picture; its output is kept in
// inquiries/screens/pictures/sms_phone.gif and shipped as a resource.

#include "controls/images/GifImage.h"
#include "controls/images/GifQImage.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QImage image(150, 225, QImage::Format_RGB32);
    image.fill(QColor(0xE0, 0xE8, 0xF0));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // the phone's body and screen
    QPainterPath body;
    body.addRoundedRect(QRectF(30, 8, 90, 209), 16, 16);
    p.fillPath(body, QColor(0x3A, 0x4A, 0x6B));
    p.setPen(QPen(QColor(0x1E, 0x28, 0x3C), 2));
    p.drawPath(body);
    p.fillRect(QRectF(39, 30, 72, 96), QColor(0xCF, 0xF0, 0xD8));
    p.setPen(QPen(QColor(0x22, 0x55, 0x33), 1));
    p.drawRect(QRectF(39, 30, 72, 96));
    p.fillRect(QRectF(62, 17, 26, 4), QColor(0x1E, 0x28, 0x3C));

    // a speech bubble with lines of text on the screen
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(45, 40, 60, 44), 6, 6);
    bubble.moveTo(58, 84);
    bubble.lineTo(54, 94);
    bubble.lineTo(66, 84);
    p.fillPath(bubble, Qt::white);
    p.setPen(QPen(QColor(0x22, 0x55, 0x33), 1));
    p.drawPath(bubble);
    for (int i = 0; i < 4; ++i)
        p.fillRect(QRectF(51, 47 + i * 9, i == 3 ? 30 : 48, 4), QColor(0x5F, 0x49, 0x34));
    p.setPen(QColor(0x22, 0x55, 0x33));
    QFont font(QStringLiteral("Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(39, 100, 72, 22), Qt::AlignCenter, QStringLiteral("SMS"));

    // the keypad
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) {
            QPainterPath key;
            key.addRoundedRect(QRectF(42 + col * 23, 136 + row * 18, 19, 13), 4, 4);
            p.fillPath(key, QColor(0xC5, 0xAC, 0x94));
        }
    p.end();

    TGIFImage gif;
    AddGifFrame(gif, image);
    const std::vector<std::uint8_t> bytes = gif.SaveToBytes();
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    out.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size()));
    return out.error() == QFileDevice::NoError ? 0 : 1;
}
