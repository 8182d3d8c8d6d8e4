#pragma once
// Stream records of the kit's list items and containers, and the bitmap file
// header check used on stored image strips. Plain C++ (no Qt): see KitLzrw.h.

#include "controls/panels/KitDataStream.h"

#include <functional>

// Flags byte that starts every item record.
enum : uint8_t {
    KitItemCompressed = 0x01,
    KitItemHasDescription = 0x02,
    KitItemHasIdent = 0x04,
    KitItemHasContent = 0x08,
    KitItemMono = 0x10,
    KitItem4Bit = 0x20,
    KitItem8Bit = 0x40,
};

// Pixel format of stored bitmaps (ordinals as TKitSavePixelFormat).
enum KitPixelFormat : uint8_t { KitPfDefault = 0, KitPfMono = 1, KitPf4Bit = 2, KitPf8Bit = 3 };

// Signatures of the container kinds, stored as 9-byte length-prefixed texts.
inline constexpr const char *KitSigImageList = "KitIML30";
inline constexpr const char *KitSigBitmapList = "KitBML30";
inline constexpr const char *KitSigWaveList = "KitWVL30";
inline constexpr const char *KitSigStringList = "KitSLL30";
inline constexpr const char *KitSigRichTextList = "KitRTL30";

// The common part of an item record: flags, description, ident.
struct KitItemHeader
{
    bool compressed = false;
    KitPixelFormat pixelFormat = KitPfDefault;
    std::string description; // stored bytes (CP949), at most 255
    int32_t ident = 0;
    bool hasContent = false;
};

uint8_t KitItemFlags(const KitItemHeader &h);
void KitWriteItemHeader(KitMemoryStream &s, const KitItemHeader &h);
KitItemHeader KitReadItemHeader(KitMemoryStream &s);

// Content of an image item (after the common part).
struct KitImageStripRecord
{
    int32_t height = 16;
    int32_t width = 16;
    int32_t allocBy = 4;
    bool masked = false;
    int32_t count = 0;
    KitBytes image; // bitmap file image of the strip, count * width wide
    KitBytes mask;  // monochrome bitmap file image, when masked
};

constexpr int KitMaxStripWidth = 32768;

void KitWriteImageStrip(KitMemoryStream &s, const KitImageStripRecord &r, bool compressed);
// Raises EKitStreamError unless the sizes hold together: positive width and
// height, 0 <= count, count * width <= 32768, and strips of count * width by
// height pixels (the mask the same size as the image).
KitImageStripRecord KitReadImageStrip(KitMemoryStream &s, bool compressed);

// Width and height of a bitmap file image (BITMAPFILEHEADER + core or info
// header). False when the bytes are not one.
bool KitBitmapFileSize(const KitBytes &bmp, int32_t &width, int32_t &height);

// Container stream: a 32-bit count, with an index a table of count 32-bit
// record positions, then the records.
void KitWriteItems(KitMemoryStream &s, int count, bool withIndex, const std::function<void(int)> &writeItem);
// Reads the count (and skips the index) and calls readItem once per record;
// returns the count. A count that the stream cannot hold raises EKitStreamError.
int KitReadItems(KitMemoryStream &s, bool withIndex, const std::function<void(int)> &readItem);
