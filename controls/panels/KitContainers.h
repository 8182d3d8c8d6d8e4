#pragma once
// The kit's non-visual stores: the sound object TKitWave, list items (bitmap,
// image strip, strings, sound), the containers that hold them, notify linked
// controls of changes and write and read them as binary records, and the one
// global TKitContainer.

#include "controls/panels/KitApplication.h"
#include "controls/panels/KitBitmapIO.h"
#include "controls/panels/GraphicErrors.h"
#include "controls/panels/KitControl.h"
#include "controls/panels/KitGroup.h"
#include "controls/panels/KitWaveData.h"

#include <QImage>
#include <QStringList>
#include <functional>
#include <vector>

inline constexpr const char *SInvalidImageSize = "Invalid image size";
inline constexpr const char *STooManyImages = "Too many images";

// ------------------------------------------------------------------ sound

// One WAV sound held as the bytes of its file.
class TKitWave : public TKitObject
{
    Q_OBJECT
public:
    explicit TKitWave(QObject *parent = nullptr) : TKitObject(parent) {}
    static TKitWave *CreateFromFile(const QString &FileName, QObject *parent = nullptr);

    bool Empty() const { return !FHeld || FData.empty(); }
    qint64 Size() const { return FHeld ? qint64(FData.size()) : 0; }
    bool Held() const { return FHeld; } // a memory stream is held (maybe empty)
    const KitBytes &Data() const { return FData; }
    void SetData(const KitBytes *Bytes); // none = no stream
    void Clear() { SetData(nullptr); }
    void Stop() {}

    void LoadFromStreamSize(KitMemoryStream &s, qint64 Size);
    void LoadFromStream(KitMemoryStream &s) { LoadFromStreamSize(s, s.Remaining()); }
    void LoadFromStreamWithSize(KitMemoryStream &s);
    void ReadData(KitMemoryStream &s) { LoadFromStreamWithSize(s); }
    void LoadCompressed(KitMemoryStream &s);
    void LoadFromFile(const QString &FileName);
    void SaveToStream(KitMemoryStream &s) const;
    void SaveToStreamWithSize(KitMemoryStream &s) const;
    void WriteData(KitMemoryStream &s) const { SaveToStreamWithSize(s); }
    void SaveCompressed(KitMemoryStream &s) const;
    void SaveToFile(const QString &FileName) const;
    void Assign(const TKitWave *Source);
    static bool GetWaveData(const KitBytes &Bytes, KitWaveHeader &Header) { return KitGetWaveData(Bytes, Header); }

private:
    bool FHeld = false;
    KitBytes FData;
};

// ------------------------------------------------------------- list items

class TKitCustomContainer;

class TKitListItem : public TKitComponent
{
    Q_OBJECT
public:
    explicit TKitListItem(TKitCustomContainer *Container = nullptr);

    QString Description() const { return FDescription; }
    void SetDescription(const QString &v) { set(FDescription, v); }
    quint16 Ident() const { return FIdent; }
    void SetIdent(quint16 v) { set(FIdent, v); }
    bool Compressed() const { return FCompressed; }
    void SetCompressed(bool v) { set(FCompressed, v); }
    TKitCustomContainer *Container() const { return FContainer; }

    virtual void ClearContent() = 0;
    virtual bool IsEmpty() const = 0;
    virtual KitPixelFormat PixelFormat() const { return KitPfDefault; }
    // The whole item record: flags, description, ident, content.
    void WriteToStream(KitMemoryStream &s) const;
    void ReadFromStream(KitMemoryStream &s);
    virtual void Assign(const TKitListItem *Source);
    void Change() override;

protected:
    virtual void WriteContent(KitMemoryStream &s) const = 0;
    virtual void ReadContent(KitMemoryStream &s, const KitItemHeader &h) = 0;
    // Whether the content bit is used (not by image strips).
    virtual bool ContentFlagged() const { return true; }
    virtual void SetPixelFormatFromStream(KitPixelFormat) {}

private:
    friend class TKitCustomContainer;
    TKitCustomContainer *FContainer;
    QString FDescription;
    quint16 FIdent = 0;
    bool FCompressed = false;
};

class TKitBitmapListItem : public TKitListItem
{
    Q_OBJECT
public:
    using TKitListItem::TKitListItem;
    const QImage &Bitmap() const { return FBitmap; }
    void SetBitmap(const QImage &v);
    KitPixelFormat PixelFormat() const override { return FPixelFormat; }
    void SetPixelFormat(KitPixelFormat v) { FPixelFormat = v; }
    void ClearContent() override { SetBitmap(QImage()); }
    bool IsEmpty() const override { return FBitmap.isNull() || FBitmap.width() == 0 || FBitmap.height() == 0; }
    void Assign(const TKitListItem *Source) override;

protected:
    void WriteContent(KitMemoryStream &s) const override;
    void ReadContent(KitMemoryStream &s, const KitItemHeader &h) override;
    void SetPixelFormatFromStream(KitPixelFormat f) override { FPixelFormat = f; }

private:
    QImage FBitmap;
    KitPixelFormat FPixelFormat = KitPfDefault;
};

class TKitStringListItem : public TKitListItem
{
    Q_OBJECT
public:
    using TKitListItem::TKitListItem;
    const QStringList &Items() const { return FItems; }
    void SetItems(const QStringList &v);
    void ClearContent() override { SetItems({}); }
    bool IsEmpty() const override { return FItems.isEmpty(); }
    void Assign(const TKitListItem *Source) override;

protected:
    void WriteContent(KitMemoryStream &s) const override;
    void ReadContent(KitMemoryStream &s, const KitItemHeader &h) override;

private:
    QStringList FItems;
};

class TKitWaveListItem : public TKitListItem
{
    Q_OBJECT
public:
    explicit TKitWaveListItem(TKitCustomContainer *Container = nullptr);
    TKitWave *Wave() const { return FWave; }
    void ClearContent() override { FWave->Clear(); }
    bool IsEmpty() const override { return FWave->Empty(); }
    void Assign(const TKitListItem *Source) override;

protected:
    void WriteContent(KitMemoryStream &s) const override;
    void ReadContent(KitMemoryStream &s, const KitItemHeader &h) override;

private:
    TKitWave *FWave;
};

// One image strip: equally sized images side by side, with a mask strip of
// the same layout when Masked (black = image pixel shown).
class TKitImageListItem : public TKitListItem
{
    Q_OBJECT
public:
    explicit TKitImageListItem(TKitCustomContainer *Container = nullptr);

    int Width() const { return FSize[0]; }
    int Height() const { return FSize[1]; }
    void SetSize(int index, int v); // 0 Width, 1 Height
    void SetWidth(int v) { SetSize(0, v); }
    void SetHeight(int v) { SetSize(1, v); }
    int AllocBy = 4;
    bool Masked() const { return FMasked; }
    void SetMasked(bool v);
    TColor BkColor = clNone;
    TColor BlendColor = clNone;
    quint8 DrawingStyle = 2; // 0 focus, 1 selected, 2 normal, 3 transparent
    quint8 ImageType = 0;    // 1 draws the mask
    bool ShareImages = false;
    KitPixelFormat PixelFormat() const override { return FPixelFormat; }
    void SetPixelFormat(KitPixelFormat v) { FPixelFormat = v; }

    int Count() const { return int(FTable.size()); }
    int UsedWidth() const { return FUsedWidth; }
    int XOf(int Index) const { return FTable[size_t(Index)] & 0xFFFF; }
    const QImage &ImageStrip() const { return FImage; }
    const QImage &MaskStrip() const { return FMask; }

    void ClearContent() override;
    bool IsEmpty() const override { return FTable.empty(); }
    // A new slot at the end of the strip; raises EInvalidGraphicOperation
    // (too many images) past 32768 pixels, leaving the strip as it was.
    int AllocSlot();
    // False for no bitmap; raises for a bitmap not Height high or not a multiple of Width wide.
    bool CheckSize(const QImage *Bitmap) const;
    int Add(const QImage *Image, const QImage *Mask);
    void Replace(int Index, const QImage *Image, const QImage *Mask);
    int AddMasked(const QImage &Bitmap, TColor TransparentColor);
    void ReplaceMasked(int Index, const QImage &Bitmap, TColor TransparentColor);
    void AddImages(const TKitImageListItem *Source);
    QImage CopyImage(int Index) const;
    TColor TransparentColorOf(int Index) const;
    void DrawImage(QPainter &p, int Index, int X, int Y) const;
    void Assign(const TKitListItem *Source) override;

protected:
    void WriteContent(KitMemoryStream &s) const override;
    void ReadContent(KitMemoryStream &s, const KitItemHeader &h) override;
    bool ContentFlagged() const override { return false; }
    void SetPixelFormatFromStream(KitPixelFormat f) override { FPixelFormat = f; }
    void MaskedDraw(QPainter &p, int Index, int X, int Y, const QImage *Given = nullptr) const;
    void Widen(int NewWidth);

    int FSize[2] = {16, 16};
    bool FMasked = false;
    QImage FImage; // RGB32
    QImage FMask;  // RGB32, black shown / white transparent
    int FUsedWidth = 0;
    std::vector<quint32> FTable;
    KitPixelFormat FPixelFormat = KitPfDefault;
};

// -------------------------------------------------------------- containers

class TKitBaseContainer : public TKitComponent
{
    Q_OBJECT
public:
    explicit TKitBaseContainer(QObject *owner = nullptr) : TKitComponent(owner) {}
    ~TKitBaseContainer() override;
    void RegisterLink(TKitChangeLink *Link);
    void UnRegisterLink(TKitChangeLink *Link);
    int LinkCount() const { return int(FLinks.size()); }
    void Change() override;

private:
    std::vector<TKitChangeLink *> FLinks;
};

enum TKitContainerKind { ckImageList = 0, ckBitmapList = 1, ckSoundList = 2, ckStringList = 3 };

class TKitCustomContainer : public TKitBaseContainer
{
    Q_OBJECT
public:
    TKitCustomContainer(QObject *owner, TKitContainerKind Kind, std::function<TKitListItem *(TKitCustomContainer *)> ItemClass);
    ~TKitCustomContainer() override;

    TKitContainerKind Kind() const { return FKind; }
    bool DefaultCompressed = false;
    int Count() const { return int(FItems.size()); }
    TKitListItem *Items(int Index) const { return Index >= 0 && Index < Count() ? FItems[size_t(Index)] : nullptr; }
    int IndexOf(const TKitListItem *Item) const;
    // Appends the given item or a new one of the container's item class.
    TKitListItem *Add(TKitListItem *Item = nullptr);
    void Delete(int Index);
    void Clear();
    void AddItems(const TKitCustomContainer *Source);
    virtual void Assign(const TKitCustomContainer *Source);
    std::function<void(TKitListItem *)> OnItemChange;

    void WriteItems(KitMemoryStream &s, bool WithIndex) const;
    // Replaces the items with those of the stream; on an error the container
    // keeps its items and the error passes on.
    void ReadItems(KitMemoryStream &s, bool WithIndex);

protected:
    void CopyItems(const TKitCustomContainer *Source);
    std::vector<TKitListItem *> FItems;

private:
    friend class TKitListItem;
    TKitContainerKind FKind;
    std::function<TKitListItem *(TKitCustomContainer *)> FItemClass;
};

enum TKitSavePixelFormat { spfDefault, spfMono, spf4bit, spf8bit };

// A container whose items give images to controls.
class TKitCustomImageList : public TKitCustomContainer, public TKitImageSource, public TKitImageCopier
{
    Q_OBJECT
public:
    using TKitCustomContainer::TKitCustomContainer;
    ~TKitCustomImageList() override;
    TKitSavePixelFormat DefaultPixelFormat = spfDefault;

    void RegisterChanges(TKitChangeLink *link) override { RegisterLink(link); }
    void UnRegisterChanges(TKitChangeLink *link) override { UnRegisterLink(link); }
    bool HasImage(int ListIndex, int ImageIndex) const override { return IsValidImage(ListIndex, ImageIndex); }
    void Assign(const TKitCustomContainer *Source) override;

    virtual const QImage *ItemCanvas(int i) const = 0;
    virtual TRect ImageRect(int i, int k) const = 0;
    virtual int ImageDimension(int i, int Selector) const = 0;
    virtual int ImageCount(int i) const = 0;
    virtual bool IsValidImage(int i, int k) const = 0;
    QImage CopyImage(int i, int k) const override = 0;
    virtual bool IsMaskedList(int i) const = 0;
    virtual TColor TransparentColorOf(int i, int k) const = 0;
    virtual TColor PixelOf(int i, QPoint Pt) const = 0;
    virtual void DrawImage(QPainter &p, int i, int k, int X, int Y) const = 0;
    virtual void DrawImageInRect(QPainter &p, int i, int k, const TRect &R) const;
};

// An image list over one kind of item. The bitmap list (one picture per item)
// and the image list (a strip of same-size images per item) answer the same
// questions, each in its own way.
template <class ItemT> class TKitImageListOf : public TKitCustomImageList
{
public:
    using TKitCustomImageList::TKitCustomImageList;
    ItemT *Item(int i) const { return static_cast<ItemT *>(Items(i)); }
    const QImage *ItemCanvas(int i) const override;
    TRect ImageRect(int i, int k) const override;
    int ImageDimension(int i, int Selector) const override;
    int ImageCount(int i) const override;
    bool IsValidImage(int i, int k) const override;
    QImage CopyImage(int i, int k) const override;
    bool IsMaskedList(int i) const override;
    TColor TransparentColorOf(int i, int k) const override;
    TColor PixelOf(int i, QPoint Pt) const override;
    void DrawImage(QPainter &p, int i, int k, int X, int Y) const override;
};
extern template class TKitImageListOf<TKitBitmapListItem>;
extern template class TKitImageListOf<TKitImageListItem>;

class TKitBitmapList : public TKitImageListOf<TKitBitmapListItem>
{
    Q_OBJECT
public:
    explicit TKitBitmapList(QObject *owner = nullptr);
};

class TKitImageList : public TKitImageListOf<TKitImageListItem>
{
    Q_OBJECT
public:
    explicit TKitImageList(QObject *owner = nullptr);
};

class TKitStringList : public TKitCustomContainer
{
    Q_OBJECT
public:
    explicit TKitStringList(QObject *owner = nullptr);
    TKitStringListItem *Item(int i) const { return static_cast<TKitStringListItem *>(Items(i)); }
};

class TKitWaveList : public TKitCustomContainer
{
    Q_OBJECT
public:
    explicit TKitWaveList(QObject *owner = nullptr);
    TKitWaveListItem *Item(int i) const { return static_cast<TKitWaveListItem *>(Items(i)); }
};

class TKitContainer : public TKitBaseContainer
{
    Q_OBJECT
public:
    explicit TKitContainer(QObject *owner = nullptr);
    TKitBitmapList *BitmapList() const { return FBitmapList; }
    TKitImageList *ImageList() const { return FImageList; }
    TKitStringList *StringList() const { return FStringList; }
    TKitWaveList *WaveList() const { return FWaveList; }

private:
    TKitBitmapList *FBitmapList;
    TKitImageList *FImageList;
    TKitStringList *FStringList;
    TKitWaveList *FWaveList;
};

// The program's one global container.
TKitContainer *KitGlobalContainer();
// The "Internal" reference of a control's image list: "KitIML30" for the
// global image list, "KitBML30" for the global bitmap list, else empty.
QString KitInternalReference(const TKitImageSource *List);
// The list an "Internal" reference names (none for any other text).
TKitCustomImageList *KitListFromReference(const QString &Reference);
