#pragma once
// Where the panel tests save the pictures of what they painted.

#include <QDir>
#include <QImage>
#include <QString>
#include <QWidget>

inline QString kitTestOutputDir()
{
    QString dir = qEnvironmentVariable("QUVEX_TEST_OUTPUT");
    if (dir.isEmpty())
        dir = QDir::tempPath() + "/quvex-test-output";
    dir += "/controls-panels";
    QDir().mkpath(dir);
    return dir;
}

inline void kitSavePicture(const QImage &img, const QString &name)
{
    img.save(kitTestOutputDir() + "/" + name + ".png");
}

inline QImage kitGrab(QWidget *w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// $00BBGGRR of a pixel.
inline unsigned kitPixel(const QImage &img, int x, int y)
{
    QRgb c = img.pixel(x, y);
    return unsigned(qRed(c)) | (unsigned(qGreen(c)) << 8) | (unsigned(qBlue(c)) << 16);
}
