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
// How the program's picture loading (PictureFormats.h) names GIF files.
inline constexpr const char *GifDescription = "CompuServe GIF Image";
inline constexpr const char *IconMimeType = "image/vnd.microsoft.icon";

// The frame's picture (see-through where its transparent colour is): an
// indexed frame as an 8-bit QImage over the frame's own pixels (no copy).
QImage GifFrameImage(TGIFFrame &frame);
// Draws the frame stretched to the rectangle, leaving its transparent colour
// unpainted when asked.
void DrawGifFrame(QPainter &p, const QRect &rect, TGIFFrame &frame, bool drawTransparent);
// The picture assigned to a bitmap: a null image when the picture is empty,
// else the current frame's picture (GifFrameImage).
QImage GifPictureImage(TGIFImage &gif);
// Draws the current frame; nothing when there is none.
void DrawGif(QPainter &p, const QRect &rect, TGIFImage &gif);

// The loading path for screens that show a GIF: the first frame of GIF bytes
// or of form data (a 32-bit byte count and the file), with its
// transparent colour see-through; one byte a pixel for an indexed frame. A
// frame above 64 megapixels is refused before anything is allocated. A null image (and the reason in error, when
// given) for data that is not a readable GIF.
QImage LoadGifPicture(const QByteArray &bytes, QString *error = nullptr);
QImage LoadGifFormData(const QByteArray &formData, QString *error = nullptr);

// Clipboard: the whole GIF under "image/gif" and frame 0 as an image;
// reading prefers "image/gif", then a plain image.
void SaveGifToMimeData(TGIFImage &gif, QMimeData &mime);
bool LoadGifFromMimeData(TGIFImage &gif, const QMimeData &mime);
void SaveIconToMimeData(const TIcon &icon, QMimeData &mime);
bool LoadIconFromMimeData(TIcon &icon, const QMimeData &mime);
