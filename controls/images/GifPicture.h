#pragma once
// The GIF picture at the Qt edge: drawing a
// frame stretched and transparent by its colour, loading a picture from GIF
// bytes, a file or form data, and the clipboard formats "image/gif" and
// "image/vnd.microsoft.icon".

#include "controls/images/GifQImage.h"
#include "controls/images/IconFile.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

class QMimeData;
class QPainter;

inline constexpr const char *GifMimeType = "image/gif";
inline constexpr const char *IconMimeType = "image/vnd.microsoft.icon";

// The frame's picture (see-through where its transparent colour is).
QImage GifFrameImage(TGIFFrame &frame);
// Draws the frame stretched to the rectangle, leaving its transparent colour
// unpainted when asked.
void DrawGifFrame(QPainter &p, const QRect &rect, TGIFFrame &frame, bool drawTransparent);
// Draws the current frame; nothing when there is none.
void DrawGif(QPainter &p, const QRect &rect, TGIFImage &gif);

// The loading path for screens that show a GIF: the first frame of GIF bytes,
// of a GIF file, or of form data (a 32-bit byte count and the file), with its
// transparent colour see-through. A null image (and the reason in error, when
// given) for data that is not a readable GIF.
QImage LoadGifPicture(const QByteArray &bytes, QString *error = nullptr);
QImage LoadGifPictureFile(const QString &fileName, QString *error = nullptr);
QImage LoadGifFormData(const QByteArray &formData, QString *error = nullptr);

// Clipboard: the whole GIF under "image/gif" and frame 0 as an image;
// reading prefers "image/gif", then a plain image.
void SaveGifToMimeData(TGIFImage &gif, QMimeData &mime);
bool LoadGifFromMimeData(TGIFImage &gif, const QMimeData &mime);
void SaveIconToMimeData(const TIcon &icon, QMimeData &mime);
bool LoadIconFromMimeData(TIcon &icon, const QMimeData &mime);
