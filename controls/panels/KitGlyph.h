#pragma once
// Glyphs of the kit's buttons: one bitmap of one or more equal cells (up,
// disabled, down, ...). Images for a button state that the bitmap lacks
// (disabled, four-tone) are made once; the images of all glyphs of one cell
// size share one masked strip of the process-wide glyph cache.

#include "controls/panels/KitCaptions.h"
#include "controls/panels/KitContainers.h"

#include <QImage>
#include <vector>

class TKitGlyphList : public TKitImageListItem
{
    Q_OBJECT
public:
    TKitGlyphList(int Width, int Height);
    int AllocIndex();
    int AddBitmap(const QImage &Bitmap, TColor TransparentColor);
    void Remove(int Index);
    int CellsInUse() const { return FCount; }
    bool InUse(int Index) const { return Index >= 0 && size_t(Index) < FUsed.size() && FUsed[size_t(Index)]; }

private:
    std::vector<bool> FUsed;
    int FCount = 0;
};

class TKitGlyphCache
{
public:
    ~TKitGlyphCache();
    TKitGlyphList *GetList(int Width, int Height);
    void Release(TKitGlyphList *List);
    bool Empty() const { return FLists.empty(); }
    int ListCount() const { return int(FLists.size()); }

private:
    std::vector<TKitGlyphList *> FLists;
};

// The current glyph cache (none while no glyph exists).
TKitGlyphCache *KitGlyphCache();

class TKitGlyph
{
public:
    TKitGlyph();
    ~TKitGlyph();
    Q_DISABLE_COPY(TKitGlyph)

    const QImage &Bitmap() const { return FBitmap; }
    void SetBitmap(const QImage &Bitmap);
    quint8 Style = 0; // 1: four-tone up image
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int N);
    TColor TransparentColor() const { return FTransparentColor; }
    TKitGlyphList *GlyphList() const { return FGlyphList; }
    TNotifyEvent OnChange;

    void ReleaseImages();
    // Cell index in GlyphList for a button state (0 up, 1 disabled, 2..4
    // down/exclusive, 6, 7), or -1 for an empty bitmap.
    int GetImageIndex(int State);
    // Draws glyph and caption; returns the focus rectangle.
    TRect Draw(QPainter &p, const QString &Text, unsigned Flags, bool MultiLine, const TKitButtonLayout *Layout,
               int State, const TRect &R, const TKit3DCaption *Caption, TColor FontColor);

private:
    void BitmapChanged();
    QImage FBitmap;
    int FNumGlyphs = 1;
    TColor FTransparentColor = clNone;
    int FSlots[8];
    TKitGlyphList *FGlyphList = nullptr;
};
