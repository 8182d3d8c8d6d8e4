#include "controls/panels/KitGlyph.h"

#include <QPainter>

namespace {
TKitGlyphCache *gCache = nullptr;
}

TKitGlyphCache *KitGlyphCache()
{
    return gCache;
}

// ================================================================= list

TKitGlyphList::TKitGlyphList(int Width, int Height) : TKitImageListItem(nullptr)
{
    FSize[0] = std::max(1, Width);
    FSize[1] = std::max(1, Height);
    SetMasked(true);
}

int TKitGlyphList::AllocIndex()
{
    size_t i = 0;
    while (i < FUsed.size() && FUsed[i])
        ++i;
    if (int(i) >= Count())
        AllocSlot();
    if (i >= FUsed.size())
        FUsed.resize(i + 1, false);
    FUsed[i] = true;
    return int(i);
}

int TKitGlyphList::AddBitmap(const QImage &Bitmap, TColor TransparentColor)
{
    const int index = AllocIndex();
    ReplaceMasked(index, Bitmap, TransparentColor);
    ++FCount;
    return index;
}

void TKitGlyphList::Remove(int Index)
{
    if (!InUse(Index))
        return;
    FUsed[size_t(Index)] = false;
    --FCount;
}

// ================================================================ cache

TKitGlyphCache::~TKitGlyphCache()
{
    for (TKitGlyphList *l : FLists)
        delete l;
}

TKitGlyphList *TKitGlyphCache::GetList(int Width, int Height)
{
    for (TKitGlyphList *l : FLists)
        if (l->Width() == Width && l->Height() == Height)
            return l;
    auto *l = new TKitGlyphList(Width, Height);
    FLists.push_back(l);
    return l;
}

void TKitGlyphCache::Release(TKitGlyphList *List)
{
    if (!List || List->CellsInUse() != 0)
        return;
    auto it = std::find(FLists.begin(), FLists.end(), List);
    if (it != FLists.end()) {
        FLists.erase(it);
        delete List;
    }
}

// ================================================================ glyph

TKitGlyph::TKitGlyph()
{
    std::fill(std::begin(FSlots), std::end(FSlots), -1);
    if (!gCache)
        gCache = new TKitGlyphCache;
}

TKitGlyph::~TKitGlyph()
{
    OnChange = nullptr;
    ReleaseImages();
    if (gCache && gCache->Empty()) {
        delete gCache;
        gCache = nullptr;
    }
}

void TKitGlyph::SetBitmap(const QImage &Bitmap)
{
    ReleaseImages();
    FBitmap = Bitmap.isNull() ? QImage() : Bitmap.convertToFormat(QImage::Format_RGB32);
    if (FBitmap.height() > 0) {
        FTransparentColor = QColorToColor(QColor(FBitmap.pixel(0, FBitmap.height() - 1)));
        if (FBitmap.width() % FBitmap.height() == 0) {
            const int n = FBitmap.width() / FBitmap.height();
            FNumGlyphs = n < 6 && n > 0 ? n : 1;
        }
    }
    BitmapChanged();
}

void TKitGlyph::SetNumGlyphs(int N)
{
    if (N <= 0 || N == FNumGlyphs)
        return;
    ReleaseImages();
    FNumGlyphs = N;
}

void TKitGlyph::ReleaseImages()
{
    for (int &slot : FSlots) {
        if (slot >= 0 && FGlyphList)
            FGlyphList->Remove(slot);
        slot = -1;
    }
    if (FGlyphList && gCache)
        gCache->Release(FGlyphList);
    FGlyphList = nullptr;
}

void TKitGlyph::BitmapChanged()
{
    if (FBitmap.height() > 0)
        FTransparentColor = QColorToColor(QColor(FBitmap.pixel(0, FBitmap.height() - 1)));
    ReleaseImages();
    if (OnChange)
        OnChange(nullptr);
}

int TKitGlyph::GetImageIndex(int State)
{
    if (State < 0 || State > 7)
        State = 0;
    int slot = State;
    if (State == 1 || State == 7)
        slot = 1;
    else if (State >= FNumGlyphs)
        slot = Style == 1 ? (State == 6 ? 4 : 2) : 0;
    if (FSlots[slot] >= 0)
        return FSlots[slot];
    if (FBitmap.isNull() || FBitmap.width() == 0 || FBitmap.height() == 0)
        return -1;
    const int cw = std::max(1, FBitmap.width() / FNumGlyphs);
    const int h = FBitmap.height();
    if (!gCache)
        gCache = new TKitGlyphCache;
    if (!FGlyphList)
        FGlyphList = gCache->GetList(cw, h);
    const QImage first = FBitmap.copy(0, 0, cw, h);
    QImage image;
    if (slot >= FNumGlyphs || (slot == 0 && Style == 1)) {
        if (slot == 0)
            image = Style == 1 ? FourToneImage(first) : first;
        else if (slot == 1 || slot == 7)
            image = DisabledImage(first, FTransparentColor);
        else
            image = first;
    } else {
        image = FBitmap.copy(slot * cw, 0, cw, h);
    }
    FSlots[slot] = FGlyphList->AddBitmap(image, FTransparentColor);
    return FSlots[slot];
}

TRect TKitGlyph::Draw(QPainter &p, const QString &Text, unsigned Flags, bool MultiLine, const TKitButtonLayout *Layout,
                      int State, const TRect &R, const TKit3DCaption *Caption, TColor FontColor)
{
    const int index = GetImageIndex(State);
    QImage cell;
    if (index >= 0 && FGlyphList) {
        // the cell with its masked-out pixels in the transparent colour
        cell = FGlyphList->CopyImage(index);
        const QImage mask = FGlyphList->MaskStrip().copy(FGlyphList->XOf(index), 0, FGlyphList->Width(), FGlyphList->Height());
        const QRgb t = ColorToQColor(FTransparentColor).rgb();
        for (int y = 0; y < cell.height(); ++y)
            for (int x = 0; x < cell.width(); ++x)
                if ((mask.pixel(x, y) & 0xFFFFFF) != 0)
                    cell.setPixel(x, y, t);
    }
    return DrawGlyphText(p, Text, Caption, Flags, MultiLine, Layout, cell, true, FTransparentColor, R, FontColor);
}
