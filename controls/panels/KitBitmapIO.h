#pragma once
// Bitmaps in the kit's stored forms: the bitmap file image (in the screen's
// format or a requested pixel format) and its compressed or size-prefixed
// framing inside item records.

#include "controls/panels/KitDataStream.h"
#include "controls/panels/KitStreamRecords.h"

#include <QImage>

// The bitmap file image of an image: 24 bits per pixel for the default
// format, or 1, 4 or 8 bits with a colour table.
KitBytes KitBitmapFileImage(const QImage &Image, KitPixelFormat Format = KitPfDefault);
// Decodes a bitmap file image; raises EKitStreamError when it is not one.
QImage KitBitmapFromFileImage(const KitBytes &Bytes);

// Writes a bitmap: compressed (the file image through the compressed-stream
// framing) or plain (a 32-bit size and the file image; also with a pixel
// format, so that the reader finds its size prefix).
void KitWriteBitmap(KitMemoryStream &s, const QImage &Image, bool Compressed, KitPixelFormat Format = KitPfDefault);
QImage KitReadBitmap(KitMemoryStream &s, bool Compressed);
