#pragma once
// Pictures between QImage and the plain picture types: colours, true-colour
// and indexed pictures, and GIF frames made from a QImage.

#include "controls/images/GifImage.h"

#include <QImage>

GifColor QRgbToGifColor(QRgb c);
QRgb GifColorToQRgb(GifColor c);
RgbImage RgbFromQImage(const QImage &image);
// An indexed picture as an 8-bit QImage with its colour table; the
// transparent colour, when given, is see-through in it.
QImage IndexedToQImage(const IndexedImage &image, GifColor transparent = GifNoColor);

// A new frame from a picture: indexed pictures of up to 256 colours are kept
// as they are, others are reduced when written; pictures with see-through
// pixels put them on magenta and make that the transparent colour.
int AddGifFrame(TGIFImage &gif, const QImage &image);

