#pragma once
// Pictures between QImage and the plain picture types: colours, true-colour
// and indexed pictures, and GIF frames made from a QImage.

#include "controls/images/GifImage.h"

#include <QImage>
#include <QVector>

#include <memory>

GifColor QRgbToGifColor(QRgb c);
QRgb GifColorToQRgb(GifColor c);
RgbImage RgbFromQImage(const QImage &image);
// An indexed picture as an 8-bit QImage with its colour table; the
// transparent colour, when given, is see-through in it.
QImage IndexedToQImage(const IndexedImage &image, GifColor transparent = GifNoColor);
// The same picture without a copy of its pixels: a read-only 8-bit QImage
// over the picture's own bytes, which it keeps alive while it lives.
QImage SharedIndexedQImage(const std::shared_ptr<const IndexedImage> &image, GifColor transparent = GifNoColor);
// The 256 colours of an indexed picture's QImage (grey where the palette
// ends, see-through for the transparent colour).
QVector<QRgb> IndexedColorTable(const IndexedImage &image, GifColor transparent = GifNoColor);

// A new frame from a picture: indexed pictures of up to 256 colours are kept
// as they are, others are reduced when written; pictures with see-through
// pixels put them on magenta and make that the transparent colour.
int AddGifFrame(TGIFImage &gif, const QImage &image);

