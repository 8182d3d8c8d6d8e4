#include "controls/panels/KitStreamRecords.h"

#include <climits>
#include <cstdint>

namespace {
const char *const BadRecordText = "Invalid stored image list";
}

uint8_t KitItemFlags(const KitItemHeader &h)
{
    uint8_t f = 0;
    if (h.compressed)
        f |= KitItemCompressed;
    if (!h.description.empty())
        f |= KitItemHasDescription;
    if (h.ident != 0)
        f |= KitItemHasIdent;
    if (h.hasContent)
        f |= KitItemHasContent;
    switch (h.pixelFormat) {
    case KitPfMono: f |= KitItemMono; break;
    case KitPf4Bit: f |= KitItem4Bit; break;
    case KitPf8Bit: f |= KitItem8Bit; break;
    default: break;
    }
    return f;
}

void KitWriteItemHeader(KitMemoryStream &s, const KitItemHeader &h)
{
    const uint8_t f = KitItemFlags(h);
    KitWriteByte(s, f);
    if (f & KitItemHasDescription)
        KitWriteShortString(s, h.description);
    if (f & KitItemHasIdent)
        KitWriteInt(s, h.ident);
}

KitItemHeader KitReadItemHeader(KitMemoryStream &s)
{
    KitItemHeader h;
    const uint8_t f = KitReadByte(s);
    h.compressed = f & KitItemCompressed;
    h.hasContent = f & KitItemHasContent;
    h.pixelFormat = (f & KitItemMono) ? KitPfMono : (f & KitItem4Bit) ? KitPf4Bit : (f & KitItem8Bit) ? KitPf8Bit : KitPfDefault;
    if (f & KitItemHasDescription)
        h.description = KitReadShortString(s);
    if (f & KitItemHasIdent)
        h.ident = KitReadInt(s);
    return h;
}

void KitWriteImageStrip(KitMemoryStream &s, const KitImageStripRecord &r, bool compressed)
{
    KitWriteInt(s, r.height);
    KitWriteInt(s, r.width);
    KitWriteInt(s, r.allocBy);
    KitWriteByte(s, r.masked ? 1 : 0);
    KitWriteInt(s, r.count);
    if (r.count > 0) {
        KitWriteData(s, r.image, compressed);
        if (r.masked)
            KitWriteData(s, r.mask, compressed);
    }
}

static void checkStrip(const KitBytes &bmp, const KitImageStripRecord &r)
{
    int32_t w = 0, h = 0;
    if (!KitBitmapFileSize(bmp, w, h) || w != r.count * r.width || h != r.height)
        throw EKitStreamError(BadRecordText);
}

KitImageStripRecord KitReadImageStrip(KitMemoryStream &s, bool compressed)
{
    KitImageStripRecord r;
    r.height = KitReadInt(s);
    r.width = KitReadInt(s);
    r.allocBy = KitReadInt(s);
    r.masked = KitReadByte(s) != 0;
    r.count = KitReadInt(s);
    if (r.width <= 0 || r.height <= 0 || r.height > KitMaxStripWidth || r.count < 0
        || int64_t(r.count) * r.width > KitMaxStripWidth)
        throw EKitStreamError(BadRecordText);
    if (r.count > 0) {
        r.image = KitReadData(s, compressed);
        checkStrip(r.image, r);
        if (r.masked) {
            r.mask = KitReadData(s, compressed);
            checkStrip(r.mask, r);
        }
    }
    return r;
}

bool KitBitmapFileSize(const KitBytes &bmp, int32_t &width, int32_t &height)
{
    auto u32 = [&](size_t at) {
        return uint32_t(bmp[at]) | uint32_t(bmp[at + 1]) << 8 | uint32_t(bmp[at + 2]) << 16 | uint32_t(bmp[at + 3]) << 24;
    };
    if (bmp.size() < 14 + 12 || bmp[0] != 'B' || bmp[1] != 'M')
        return false;
    const uint32_t headerSize = u32(14);
    if (headerSize == 12) {
        width = int32_t(bmp[18] | bmp[19] << 8);
        height = int32_t(bmp[20] | bmp[21] << 8);
    } else if (headerSize >= 40 && bmp.size() >= 14 + 40) {
        width = int32_t(u32(18));
        height = int32_t(u32(22));
        if (height < 0 && height != INT32_MIN)
            height = -height; // top-down rows
    } else {
        return false;
    }
    return width >= 0 && height >= 0;
}

void KitWriteItems(KitMemoryStream &s, int count, bool withIndex, const std::function<void(int)> &writeItem)
{
    KitWriteInt(s, count);
    const int64_t table = s.Position();
    if (withIndex)
        for (int i = 0; i < count; ++i)
            KitWriteInt(s, 0);
    std::vector<int32_t> positions;
    for (int i = 0; i < count; ++i) {
        positions.push_back(int32_t(s.Position()));
        writeItem(i);
    }
    if (withIndex) {
        const int64_t end = s.Position();
        s.Seek(table);
        for (int32_t p : positions)
            KitWriteInt(s, p);
        s.Seek(end);
    }
}

int KitReadItems(KitMemoryStream &s, bool withIndex, const std::function<void(int)> &readItem)
{
    const int32_t count = KitReadInt(s);
    // every record takes at least its flags byte (and 4 bytes in the index)
    const int64_t perItem = withIndex ? 5 : 1;
    if (count < 0 || int64_t(count) * perItem > s.Remaining())
        throw EKitStreamError("Stream read error");
    if (withIndex)
        s.Seek(s.Position() + int64_t(count) * 4);
    for (int i = 0; i < count; ++i)
        readItem(i);
    return count;
}
