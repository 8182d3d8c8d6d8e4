#pragma once
// Placing pictures in rectangles (plain, centred, stretched, fitted or tiled;
// opaque, by a transparent colour or through a mask), masks, and writing a
// picture as a device-independent bitmap file image.

#include "controls/panels/KitGraphics.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <vector>

class QIODevice;
class QPainter;

// Drawing flags (combined by OR).
enum : unsigned {
    dbClip = 0x0001,        // clip to the destination
    dbCenter = 0x0008,      // centre the picture
    dbStretch = 0x0010,     // stretch to the destination
    dbTile = 0x0020,        // tile the destination
    dbTransparent = 0x0040, // transparent by a colour (mask made first)
    dbBrushCopy = 0x0080,   // transparent by the picture's own transparent colour
    dbUseMask = 0x0100,     // combine with a separate mask
    dbKeepHeight = 0x0200,  // with dbStretch: keep the height, scale the width
    dbKeepWidth = 0x0400,   // with dbStretch: keep the width, scale the height
    dbPalette = 0x1000      // realise the picture's palette first (no effect here)
};

// Where a W x H picture goes in Dest for the flags: one rectangle, or every
// tile; DrawnRect receives the placement (Dest when it came out empty).
std::vector<TRect> PlacePicture(const TRect &Dest, int W, int H, unsigned Flags, TRect &DrawnRect);

// The picture's own transparent colour: its bottom-left pixel.
TColor PictureTransparentColor(const QImage &img);

// Sizes the bitmap to the rectangle and fills it with one colour.
void FillBitmap(QImage &Bitmap, const TRect &r, TColor Color);

// Mask of a transparent colour (white where transparent, black elsewhere) and
// the part of the picture with its transparent pixels turned black.
void MakeMask(const QImage &Source, const TRect &SourceRect, QImage &Mask, QImage &Image, TColor TransparentColor);

// Draws SourceRect of Source into Dest by the flags; Mask (for dbUseMask) has
// Source's size. Nothing is drawn for an empty destination.
void DrawCanvasPart(QPainter &p, const TRect &Dest, const QImage &Source, const QImage *Mask, TColor TransparentColor,
                    unsigned Flags, const TRect &SourceRect, TRect &DrawnRect);
// The whole picture; nothing for a null picture.
void DrawBitmap(QPainter &p, const TRect &Dest, const QImage &Bitmap, TRect &DrawnRect, TColor TransparentColor,
                unsigned Flags);

// Device-independent bitmap file image: "BM" file header, 40-byte
// information header, colour table, bottom-up rows padded to 32 bits.
// Colors: 0 = the display's depth (written as 24 bits), 2, 16 or 256.
int DIBBitsPerPixel(int Colors);
QByteArray BuildDIBFile(const QImage &Bitmap, int Colors);
// Writes the image, with a 32-bit size first when asked; false on a null picture.
bool WriteDIB(QIODevice &Stream, const QImage &Bitmap, int Colors, bool WithSize);
// A monochrome picture is written with 2 colours.
bool WriteBitmapDIB(QIODevice &Stream, const QImage &Bitmap, int Colors);

bool IsTrueTypeFont(const QFont &Font);
