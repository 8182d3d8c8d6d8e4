#pragma once
// An icon in the icon (or cursor) file format: the file's bytes as loaded
// and its first image, decoded. Icons made from a picture are written as a
// one-image 32-bit icon file.

#include <QImage>
#include <cstdint>
#include <vector>

struct TIcon
{
    std::vector<std::uint8_t> FileBytes;
    QImage Image; // ARGB32
    bool FromIcon = true; // an icon file (type 1) rather than a cursor (type 2)
    int HotSpotX = 0;
    int HotSpotY = 0;

    bool Empty() const { return Image.isNull(); }
    int Width() const { return Image.width(); }
    int Height() const { return Image.height(); }
};

// What one directory entry of an icon file says.
struct IconEntryInfo
{
    int BitCount = 0;   // of the image's own header (0 for a PNG image)
    int HotSpotX = 0;   // the entry's two 16-bit values
    int HotSpotY = 0;
};

// Loads an icon or cursor file; false (nothing raised) when it is not one.
// entries receives what each directory entry says.
bool LoadIconFile(const std::uint8_t *data, std::size_t size, TIcon &icon,
                  std::vector<IconEntryInfo> *entries = nullptr);
// An icon of the picture (its file bytes are made here).
TIcon IconFromImage(const QImage &image);
// The icon's file bytes (empty for an empty icon).
std::vector<std::uint8_t> SaveIconFile(const TIcon &icon);
