#include "controls/panels/KitContainers.h"

#include "controls/panels/KitAppWide.h"
#include "platform/Cp949.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QWidget>
#include <type_traits>

namespace {

// CP949 bytes of a text cut to at most 255 bytes without splitting a character.
std::string shortText(const QString &s)
{
    const QByteArray b = qvx::Cp949::encode(s);
    int n = 0;
    while (n < b.size()) {
        const int w = qvx::Cp949::isLeadByte(uchar(b[n])) && n + 1 < b.size() ? 2 : 1;
        if (n + w > 255)
            break;
        n += w;
    }
    return std::string(b.constData(), size_t(n));
}

QString fromBytes(const std::string &s)
{
    return qvx::Cp949::decode(QByteArray(s.data(), qsizetype(s.size())));
}

QImage cellOf(const QImage &strip, int x, int w, int h)
{
    return strip.copy(x, 0, w, h);
}

} // namespace

// ================================================================== wave

TKitWave *TKitWave::CreateFromFile(const QString &FileName, QObject *parent)
{
    auto *w = new TKitWave(parent);
    try {
        w->LoadFromFile(FileName);
    } catch (...) {
        delete w;
        throw;
    }
    return w;
}

void TKitWave::SetData(const KitBytes *Bytes)
{
    Stop();
    FHeld = Bytes != nullptr;
    FData = Bytes ? *Bytes : KitBytes();
    Change();
}

void TKitWave::LoadFromStreamSize(KitMemoryStream &s, qint64 Size)
{
    if (s.Size() == 0 || Size == 0) {
        SetData(nullptr);
        return;
    }
    const KitBytes bytes = KitLoadWaveSize(s, Size);
    SetData(&bytes);
}

void TKitWave::LoadFromStreamWithSize(KitMemoryStream &s)
{
    const int32_t size = KitReadInt(s);
    LoadFromStreamSize(s, size);
}

void TKitWave::LoadCompressed(KitMemoryStream &s)
{
    KitMemoryStream plain;
    ReadCompressed(s, plain);
    plain.Rewind();
    LoadFromStream(plain);
}

void TKitWave::LoadFromFile(const QString &FileName)
{
    QFile f(FileName);
    if (!f.open(QIODevice::ReadOnly))
        throw EInvalidWave(QString("Cannot open file \"%1\"").arg(FileName).toStdString());
    const QByteArray all = f.readAll();
    KitMemoryStream s(reinterpret_cast<const uint8_t *>(all.constData()), size_t(all.size()));
    LoadFromStreamSize(s, s.Size());
}

void TKitWave::SaveToStream(KitMemoryStream &s) const
{
    s.Write(FData.data(), FData.size());
}

void TKitWave::SaveToStreamWithSize(KitMemoryStream &s) const
{
    KitWriteInt(s, int32_t(Size()));
    SaveToStream(s);
}

void TKitWave::SaveCompressed(KitMemoryStream &s) const
{
    KitMemoryStream plain(FData);
    WriteCompressed(plain, s, plain.Size());
}

void TKitWave::SaveToFile(const QString &FileName) const
{
    QFile f(FileName + ".part");
    if (!f.open(QIODevice::WriteOnly) || f.write(reinterpret_cast<const char *>(FData.data()), qint64(FData.size())) != qint64(FData.size())) {
        f.remove();
        throw EKitStreamError("Cannot create file");
    }
    f.close();
    QFile::remove(FileName);
    if (!QFile::rename(FileName + ".part", FileName))
        throw EKitStreamError("Cannot create file");
}

void TKitWave::Assign(const TKitWave *Source)
{
    if (Source == this)
        return;
    if (!Source || !Source->FHeld) {
        SetData(nullptr);
        return;
    }
    SetData(&Source->FData);
}

// ============================================================ list items

TKitListItem::TKitListItem(TKitCustomContainer *Container) : TKitComponent(Container), FContainer(Container) {}

void TKitListItem::Change()
{
    TKitComponent::Change();
    if (Updating || !FContainer)
        return;
    if (FContainer->OnItemChange)
        FContainer->OnItemChange(this);
    FContainer->Change();
}

void TKitListItem::WriteToStream(KitMemoryStream &s) const
{
    KitItemHeader h;
    h.compressed = FCompressed;
    h.pixelFormat = PixelFormat();
    h.description = shortText(FDescription);
    h.ident = FIdent;
    h.hasContent = ContentFlagged() && !IsEmpty();
    KitWriteItemHeader(s, h);
    if (!ContentFlagged() || h.hasContent)
        WriteContent(s);
}

void TKitListItem::ReadFromStream(KitMemoryStream &s)
{
    const KitItemHeader h = KitReadItemHeader(s);
    BeginUpdate();
    try {
        FCompressed = h.compressed;
        FDescription = fromBytes(h.description);
        FIdent = quint16(h.ident);
        SetPixelFormatFromStream(h.pixelFormat);
        if (ContentFlagged() && !h.hasContent)
            ClearContent();
        else
            ReadContent(s, h);
    } catch (...) {
        EndUpdate(false);
        throw;
    }
    EndUpdate(true);
}

void TKitListItem::Assign(const TKitListItem *Source)
{
    if (!Source || Source == this)
        return;
    BeginUpdate();
    FIdent = Source->FIdent;
    FDescription = Source->FDescription;
    FCompressed = Source->FCompressed;
    EndUpdate(false);
}

// ---- bitmap item

void TKitBitmapListItem::SetBitmap(const QImage &v)
{
    FBitmap = v.isNull() ? QImage() : v.convertToFormat(QImage::Format_RGB32);
    Change();
}

void TKitBitmapListItem::Assign(const TKitListItem *Source)
{
    TKitListItem::Assign(Source);
    if (auto *b = qobject_cast<const TKitBitmapListItem *>(Source)) {
        FPixelFormat = b->FPixelFormat;
        SetBitmap(b->FBitmap);
    }
}

void TKitBitmapListItem::WriteContent(KitMemoryStream &s) const
{
    KitWriteBitmap(s, FBitmap, Compressed(), FPixelFormat);
}

void TKitBitmapListItem::ReadContent(KitMemoryStream &s, const KitItemHeader &h)
{
    FBitmap = KitReadBitmap(s, h.compressed);
}

// ---- string item

void TKitStringListItem::SetItems(const QStringList &v)
{
    FItems = v;
    Change();
}

void TKitStringListItem::Assign(const TKitListItem *Source)
{
    TKitListItem::Assign(Source);
    if (auto *b = qobject_cast<const TKitStringListItem *>(Source))
        SetItems(b->FItems);
}

void TKitStringListItem::WriteContent(KitMemoryStream &s) const
{
    QByteArray text;
    for (const QString &line : FItems)
        text += qvx::Cp949::encode(line) + "\r\n";
    KitWriteData(s, KitBytes(text.begin(), text.end()), Compressed());
}

void TKitStringListItem::ReadContent(KitMemoryStream &s, const KitItemHeader &h)
{
    const KitBytes bytes = KitReadData(s, h.compressed);
    const QString text = qvx::Cp949::decode(QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size())));
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines << text.mid(start, i - start);
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines << text.mid(start);
    FItems = lines;
}

// ---- wave item

TKitWaveListItem::TKitWaveListItem(TKitCustomContainer *Container) : TKitListItem(Container), FWave(new TKitWave(this))
{
    FWave->OnChange = [this](QObject *) { Change(); };
}

void TKitWaveListItem::Assign(const TKitListItem *Source)
{
    TKitListItem::Assign(Source);
    if (auto *b = qobject_cast<const TKitWaveListItem *>(Source))
        FWave->Assign(b->FWave);
}

void TKitWaveListItem::WriteContent(KitMemoryStream &s) const
{
    if (Compressed())
        FWave->SaveCompressed(s);
    else
        FWave->SaveToStreamWithSize(s);
}

void TKitWaveListItem::ReadContent(KitMemoryStream &s, const KitItemHeader &h)
{
    const KitBytes bytes = KitReadWave(s, h.compressed);
    if (bytes.empty())
        FWave->Clear();
    else
        FWave->SetData(&bytes);
}

// ---- image strip item

TKitImageListItem::TKitImageListItem(TKitCustomContainer *Container) : TKitListItem(Container)
{
    ClearContent();
}

void TKitImageListItem::SetSize(int index, int v)
{
    index &= 1;
    if (v <= 0 || v == FSize[index])
        return;
    FSize[index] = v;
    ClearContent();
    Change();
}

void TKitImageListItem::SetMasked(bool v)
{
    if (v == FMasked)
        return;
    FMasked = v;
    if (!v) {
        FMask = QImage();
    } else {
        FMask = QImage(std::max(1, FImage.width()), Height(), QImage::Format_RGB32);
        FMask.fill(Qt::black);
    }
    const size_t n = FTable.size();
    FTable.clear();
    for (size_t i = 0; i < n; ++i)
        FTable.push_back(quint32(i * size_t(Width())));
    Change();
}

void TKitImageListItem::ClearContent()
{
    FImage = QImage();
    FMask = QImage();
    FUsedWidth = 0;
    FTable.clear();
}

void TKitImageListItem::Widen(int NewWidth)
{
    // the strip (and its mask) on a black ground of the new width
    auto widened = [&](const QImage &old) {
        QImage img(NewWidth, Height(), QImage::Format_RGB32);
        img.fill(Qt::black);
        if (!old.isNull()) {
            QPainter p(&img);
            p.drawImage(0, 0, old);
        }
        return img;
    };
    FImage = widened(FImage);
    if (FMasked)
        FMask = widened(FMask);
}

int TKitImageListItem::AllocSlot()
{
    const int x = FUsedWidth;
    const int used = x + Width();
    const int have = FImage.isNull() ? 0 : FImage.width();
    if (have < used) {
        const int grown = std::max(used, have + std::max(1, AllocBy) * Width());
        if (grown > KitMaxStripWidth)
            throw EInvalidGraphicOperation(STooManyImages); // nothing changed yet
        Widen(grown);
    }
    FUsedWidth = used;
    FTable.push_back(quint32(x));
    return int(FTable.size()) - 1;
}

bool TKitImageListItem::CheckSize(const QImage *Bitmap) const
{
    if (!Bitmap || Bitmap->isNull())
        return false;
    if (Bitmap->height() != Height() || Bitmap->width() % Width() != 0 || Bitmap->width() == 0)
        throw EInvalidGraphicOperation(SInvalidImageSize);
    return true;
}

int TKitImageListItem::Add(const QImage *Image, const QImage *Mask)
{
    if (!Image && !Mask)
        return AllocSlot();
    if (!CheckSize(Image))
        return -1;
    if (FMasked && Mask && !CheckSize(Mask))
        return -1;
    const int index = AllocSlot();
    Replace(index, Image, Mask);
    return index;
}

void TKitImageListItem::Replace(int Index, const QImage *Image, const QImage *Mask)
{
    if (Index < 0 || Index >= Count())
        return;
    if (!CheckSize(Image))
        return;
    if (FMasked && Mask && !CheckSize(Mask))
        return;
    const int x = XOf(Index);
    {
        QPainter p(&FImage);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(x, 0, Image->convertToFormat(QImage::Format_RGB32), 0, 0, Width(), Height());
    }
    if (FMasked) {
        QPainter p(&FMask);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        if (Mask)
            p.drawImage(x, 0, Mask->convertToFormat(QImage::Format_RGB32), 0, 0, Width(), Height());
        else
            p.fillRect(x, 0, Width(), Height(), Qt::black);
    }
    Change();
}

static void splitMasked(const QImage &Bitmap, TColor TransparentColor, QImage &Image, QImage &Mask)
{
    Image = Bitmap.convertToFormat(QImage::Format_RGB32);
    Mask = QImage(Image.size(), QImage::Format_RGB32);
    const QRgb t = ColorToQColor(TransparentColor).rgb() & 0xFFFFFF;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x) {
            const bool transparent = (Image.pixel(x, y) & 0xFFFFFF) == t;
            Mask.setPixel(x, y, transparent ? 0xFFFFFFFF : 0xFF000000);
            if (transparent)
                Image.setPixel(x, y, 0xFF000000);
        }
}

int TKitImageListItem::AddMasked(const QImage &Bitmap, TColor TransparentColor)
{
    if (!CheckSize(&Bitmap))
        return -1;
    if (!FMasked)
        return Add(&Bitmap, nullptr);
    QImage img, mask;
    splitMasked(Bitmap, TransparentColor, img, mask);
    return Add(&img, &mask);
}

void TKitImageListItem::ReplaceMasked(int Index, const QImage &Bitmap, TColor TransparentColor)
{
    if (!CheckSize(&Bitmap))
        return;
    if (!FMasked) {
        Replace(Index, &Bitmap, nullptr);
        return;
    }
    QImage img, mask;
    splitMasked(Bitmap, TransparentColor, img, mask);
    Replace(Index, &img, &mask);
}

void TKitImageListItem::AddImages(const TKitImageListItem *Source)
{
    if (!Source)
        return;
    if (Source->Width() != Width() || Source->Height() != Height())
        throw EInvalidGraphicOperation(SInvalidImageSize);
    const int n = Source->Count();
    if (n == 0)
        return;
    const int used = n * Width() + FUsedWidth;
    if (used > KitMaxStripWidth)
        throw EInvalidGraphicOperation(STooManyImages);
    if (FImage.isNull() || FImage.width() < used)
        Widen(used);
    const int at = FUsedWidth;
    {
        QPainter p(&FImage);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(at, 0, Source->FImage, 0, 0, Source->FUsedWidth, Height());
    }
    if (FMasked && Source->FMasked) {
        QPainter p(&FMask);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(at, 0, Source->FMask, 0, 0, Source->FUsedWidth, Height());
    }
    for (int i = 0; i < n; ++i)
        FTable.push_back(quint32(Count() * Width()));
    FUsedWidth = used;
    Change();
}

QImage TKitImageListItem::CopyImage(int Index) const
{
    if (Index < 0 || Index >= Count())
        return QImage();
    return cellOf(FImage, XOf(Index), Width(), Height());
}

TColor TKitImageListItem::TransparentColorOf(int Index) const
{
    if (Index < 0 || Index >= Count() || FImage.isNull())
        return 0xFFFFFF;
    return QColorToColor(QColor(FImage.pixel(XOf(Index), Height() - 1)));
}

void TKitImageListItem::MaskedDraw(QPainter &p, int Index, int X, int Y, const QImage *Given) const
{
    const QImage img = Given ? Given->convertToFormat(QImage::Format_RGB32) : cellOf(FImage, XOf(Index), Width(), Height());
    QImage out(img.size(), QImage::Format_ARGB32);
    const QImage mask = cellOf(FMask, XOf(Index), Width(), Height());
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const bool shown = mask.isNull() || x >= mask.width() || y >= mask.height() || (mask.pixel(x, y) & 0xFFFFFF) == 0;
            out.setPixel(x, y, shown ? (img.pixel(x, y) | 0xFF000000) : 0);
        }
    p.drawImage(X, Y, out);
}

void TKitImageListItem::DrawImage(QPainter &p, int Index, int X, int Y) const
{
    if (Index < 0 || Index >= Count())
        return;
    if (!FMasked || ImageType == 1) {
        const QImage &src = FMasked && ImageType == 1 ? FMask : FImage;
        p.drawImage(X, Y, cellOf(src, XOf(Index), Width(), Height()));
        return;
    }
    auto viaTemp = [&](bool blend) {
        QImage tmp(Width(), Height(), QImage::Format_ARGB32);
        tmp.fill(BkColor == clNone ? QColor(Qt::transparent) : ColorToQColor(BkColor));
        {
            QPainter tp(&tmp);
            MaskedDraw(tp, Index, 0, 0);
        }
        if (blend && BlendColor != clNone) {
            const QRgb bc = ColorToQColor(BlendColor).rgb();
            for (int y = 0; y < tmp.height(); ++y)
                for (int x = 0; x < tmp.width(); ++x) {
                    const bool set = DrawingStyle == 0 ? !((x % 2) && (y % 2)) : ((x % 2) != (y % 2));
                    if (set)
                        tmp.setPixel(x, y, bc);
                }
        }
        p.drawImage(X, Y, tmp);
    };
    switch (DrawingStyle) {
    case 0:
    case 1: viaTemp(true); break;
    case 2:
        if (BkColor == clNone)
            MaskedDraw(p, Index, X, Y);
        else
            viaTemp(false);
        break;
    default: MaskedDraw(p, Index, X, Y); break;
    }
}

void TKitImageListItem::Assign(const TKitListItem *Source)
{
    auto *src = qobject_cast<const TKitImageListItem *>(Source);
    if (!src || src == this) {
        TKitListItem::Assign(Source);
        return;
    }
    BeginUpdate();
    TKitListItem::Assign(Source);
    BeginUpdate();
    FPixelFormat = src->FPixelFormat;
    AllocBy = src->AllocBy;
    BkColor = src->BkColor;
    BlendColor = src->BlendColor;
    DrawingStyle = src->DrawingStyle;
    FSize[0] = src->FSize[0];
    FSize[1] = src->FSize[1];
    ImageType = src->ImageType;
    FMasked = src->FMasked;
    ShareImages = src->ShareImages;
    ClearContent();
    AddImages(src);
    EndUpdate(true);
}

void TKitImageListItem::WriteContent(KitMemoryStream &s) const
{
    KitImageStripRecord r;
    r.height = Height();
    r.width = Width();
    r.allocBy = AllocBy;
    r.masked = FMasked;
    r.count = Count();
    if (r.count > 0) {
        const int w = r.count * Width();
        r.image = KitBitmapFileImage(FImage.copy(0, 0, w, Height()), FPixelFormat);
        if (FMasked)
            r.mask = KitBitmapFileImage(FMask.copy(0, 0, w, Height()), KitPfMono);
    }
    KitWriteImageStrip(s, r, Compressed());
}

void TKitImageListItem::ReadContent(KitMemoryStream &s, const KitItemHeader &h)
{
    const KitImageStripRecord r = KitReadImageStrip(s, h.compressed);
    QImage image, mask;
    if (r.count > 0) {
        image = KitBitmapFromFileImage(r.image);
        if (r.masked)
            mask = KitBitmapFromFileImage(r.mask);
    }
    ClearContent();
    FSize[0] = r.width;
    FSize[1] = r.height;
    AllocBy = r.allocBy;
    FMasked = r.masked;
    FImage = image;
    FMask = r.masked ? mask : QImage();
    FUsedWidth = image.isNull() ? 0 : image.width();
    for (int i = 0; i < r.count; ++i)
        FTable.push_back(quint32(i * r.width));
}

// ============================================================ containers

TKitBaseContainer::~TKitBaseContainer()
{
    while (!FLinks.empty()) {
        FLinks.back()->Sender = nullptr;
        FLinks.pop_back();
    }
}

void TKitBaseContainer::RegisterLink(TKitChangeLink *Link)
{
    if (!Link)
        return;
    Link->Sender = this;
    if (std::find(FLinks.begin(), FLinks.end(), Link) == FLinks.end())
        FLinks.push_back(Link);
}

void TKitBaseContainer::UnRegisterLink(TKitChangeLink *Link)
{
    auto it = std::find(FLinks.begin(), FLinks.end(), Link);
    if (it == FLinks.end())
        return;
    (*it)->Sender = nullptr;
    FLinks.erase(it);
}

void TKitBaseContainer::Change()
{
    if (Updating)
        return;
    const std::vector<TKitChangeLink *> links = FLinks;
    for (TKitChangeLink *l : links)
        if (std::find(FLinks.begin(), FLinks.end(), l) != FLinks.end())
            l->Change();
    TKitComponent::Change();
}

TKitCustomContainer::TKitCustomContainer(QObject *owner, TKitContainerKind Kind,
                                         std::function<TKitListItem *(TKitCustomContainer *)> ItemClass)
    : TKitBaseContainer(owner), FKind(Kind), FItemClass(std::move(ItemClass))
{
}

TKitCustomContainer::~TKitCustomContainer()
{
    OnItemChange = nullptr;
    for (TKitListItem *it : FItems) {
        it->FContainer = nullptr;
        delete it;
    }
    FItems.clear();
}

int TKitCustomContainer::IndexOf(const TKitListItem *Item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

TKitListItem *TKitCustomContainer::Add(TKitListItem *Item)
{
    if (!Item)
        Item = FItemClass(this);
    Item->FContainer = this;
    Item->setParent(this);
    FItems.push_back(Item);
    Change();
    return Item;
}

void TKitCustomContainer::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        return;
    TKitListItem *it = FItems[size_t(Index)];
    FItems.erase(FItems.begin() + Index);
    it->FContainer = nullptr;
    delete it;
    Change();
}

void TKitCustomContainer::Clear()
{
    for (TKitListItem *it : FItems) {
        it->FContainer = nullptr;
        delete it;
    }
    FItems.clear();
    Change();
}

void TKitCustomContainer::AddItems(const TKitCustomContainer *Source)
{
    if (!Source || Source == this)
        return;
    BeginUpdate();
    CopyItems(Source);
    EndUpdate(true);
}

void TKitCustomContainer::CopyItems(const TKitCustomContainer *Source)
{
    for (const TKitListItem *src : Source->FItems) {
        TKitListItem *it = FItemClass(nullptr);
        it->Assign(src);
        it->FContainer = this;
        it->setParent(this);
        FItems.push_back(it);
    }
}

void TKitCustomContainer::Assign(const TKitCustomContainer *Source)
{
    if (!Source || Source == this || Source->metaObject() != metaObject())
        throw EConvertError("Cannot assign a container of another class");
    BeginUpdate();
    Clear();
    DefaultCompressed = Source->DefaultCompressed;
    CopyItems(Source);
    EndUpdate(true);
}

void TKitCustomContainer::WriteItems(KitMemoryStream &s, bool WithIndex) const
{
    KitWriteItems(s, Count(), WithIndex, [&](int i) { FItems[size_t(i)]->WriteToStream(s); });
}

void TKitCustomContainer::ReadItems(KitMemoryStream &s, bool WithIndex)
{
    std::vector<TKitListItem *> fresh;
    try {
        KitReadItems(s, WithIndex, [&](int) {
            TKitListItem *it = FItemClass(nullptr);
            fresh.push_back(it);
            it->ReadFromStream(s);
        });
    } catch (...) {
        for (TKitListItem *it : fresh)
            delete it;
        throw;
    }
    BeginUpdate();
    Clear();
    for (TKitListItem *it : fresh) {
        it->FContainer = this;
        it->setParent(this);
        FItems.push_back(it);
    }
    EndUpdate(true);
}

// ---- image lists

TKitCustomImageList::~TKitCustomImageList()
{
    // controls that draw from this list forget it
    if (LinkCount() > 0 && QApplication::instance())
        for (QWidget *w : QApplication::allWidgets())
            if (auto *c = qobject_cast<TKitCustomControl *>(w); c && c->ImageList() == this)
                c->SetImageList(nullptr);
}

void TKitCustomImageList::Assign(const TKitCustomContainer *Source)
{
    if (auto *il = qobject_cast<const TKitCustomImageList *>(Source))
        DefaultPixelFormat = il->DefaultPixelFormat;
    TKitCustomContainer::Assign(Source);
}

void TKitCustomImageList::DrawImageInRect(QPainter &p, int i, int k, const TRect &R) const
{
    const QImage img = CopyImage(i, k);
    if (img.isNull())
        return;
    TRect r;
    AlignRect(agCenter, TRect(0, 0, img.width(), img.height()), R, r);
    QImage t = img.convertToFormat(QImage::Format_ARGB32);
    const QRgb tc = ColorToQColor(TransparentColorOf(i, k)).rgb() & 0xFFFFFF;
    for (int y = 0; y < t.height(); ++y)
        for (int x = 0; x < t.width(); ++x)
            if ((t.pixel(x, y) & 0xFFFFFF) == tc)
                t.setPixel(x, y, 0);
    p.save();
    p.setClipRect(R.toQRect());
    p.drawImage(r.Left, r.Top, t);
    p.restore();
}

// The bitmap list holds one picture per item, the image list a strip of
// same-size images per item.
template <class ItemT> constexpr bool OnePicturePerItem = std::is_same_v<ItemT, TKitBitmapListItem>;

template <class ItemT> const QImage *TKitImageListOf<ItemT>::ItemCanvas(int i) const
{
    if (!Item(i))
        return nullptr;
    if constexpr (OnePicturePerItem<ItemT>)
        return &Item(i)->Bitmap();
    else
        return &Item(i)->ImageStrip();
}

template <class ItemT> TRect TKitImageListOf<ItemT>::ImageRect(int i, int k) const
{
    if constexpr (OnePicturePerItem<ItemT>) {
        return Item(i) ? TRect(0, 0, Item(i)->Bitmap().width(), Item(i)->Bitmap().height()) : TRect();
    } else {
        if (!IsValidImage(i, k))
            return TRect();
        return Bounds(Item(i)->XOf(k), 0, Item(i)->Width(), Item(i)->Height());
    }
}

template <class ItemT> int TKitImageListOf<ItemT>::ImageDimension(int i, int Selector) const
{
    if (!Item(i))
        return 0;
    if constexpr (OnePicturePerItem<ItemT>)
        return Selector == 0 ? Item(i)->Bitmap().width() : Selector == 1 ? Item(i)->Bitmap().height() : 0;
    else
        return Selector == 0 ? Item(i)->Width() : Selector == 1 ? Item(i)->Height() : 0;
}

template <class ItemT> int TKitImageListOf<ItemT>::ImageCount(int i) const
{
    if constexpr (OnePicturePerItem<ItemT>)
        return Item(i) && !Item(i)->IsEmpty() ? 1 : 0;
    else
        return Item(i) ? Item(i)->Count() : -1;
}

template <class ItemT> bool TKitImageListOf<ItemT>::IsValidImage(int i, int k) const
{
    if constexpr (OnePicturePerItem<ItemT>)
        return Item(i) && !Item(i)->IsEmpty();
    else
        return Item(i) && k >= 0 && k < Item(i)->Count();
}

template <class ItemT> QImage TKitImageListOf<ItemT>::CopyImage(int i, int k) const
{
    if constexpr (OnePicturePerItem<ItemT>)
        return Item(i) ? Item(i)->Bitmap() : QImage();
    else
        return IsValidImage(i, k) ? Item(i)->CopyImage(k) : QImage();
}

template <class ItemT> bool TKitImageListOf<ItemT>::IsMaskedList(int i) const
{
    if constexpr (OnePicturePerItem<ItemT>)
        return false;
    else
        return Item(i) && Item(i)->Masked();
}

template <class ItemT> TColor TKitImageListOf<ItemT>::TransparentColorOf(int i, int k) const
{
    if (!IsValidImage(i, k))
        return 0xFFFFFF;
    if constexpr (OnePicturePerItem<ItemT>) {
        // the bitmap's bottom-left pixel
        const QImage &b = Item(i)->Bitmap();
        return QColorToColor(QColor(b.pixel(0, b.height() - 1)));
    } else {
        return Item(i)->TransparentColorOf(k);
    }
}

template <class ItemT> TColor TKitImageListOf<ItemT>::PixelOf(int i, QPoint Pt) const
{
    if constexpr (OnePicturePerItem<ItemT>) {
        if (!IsValidImage(i, 0) || !Item(i)->Bitmap().valid(Pt))
            return 0xFFFFFF;
        return QColorToColor(QColor(Item(i)->Bitmap().pixel(Pt)));
    } else {
        // the pixel at the point inside image i of item i
        if (!IsValidImage(i, i))
            return 0xFFFFFF;
        const QImage cell = Item(i)->CopyImage(i);
        return cell.valid(Pt) ? QColorToColor(QColor(cell.pixel(Pt))) : 0xFFFFFF;
    }
}

template <class ItemT> void TKitImageListOf<ItemT>::DrawImage(QPainter &p, int i, int k, int X, int Y) const
{
    if (!IsValidImage(i, k))
        return;
    if constexpr (OnePicturePerItem<ItemT>)
        p.drawImage(X, Y, Item(i)->Bitmap());
    else
        Item(i)->DrawImage(p, k, X, Y);
}

template class TKitImageListOf<TKitBitmapListItem>;
template class TKitImageListOf<TKitImageListItem>;

TKitBitmapList::TKitBitmapList(QObject *owner)
    : TKitImageListOf(owner, ckBitmapList, [](TKitCustomContainer *c) { return new TKitBitmapListItem(c); })
{
}

TKitImageList::TKitImageList(QObject *owner)
    : TKitImageListOf(owner, ckImageList, [](TKitCustomContainer *c) { return new TKitImageListItem(c); })
{
}

TKitStringList::TKitStringList(QObject *owner)
    : TKitCustomContainer(owner, ckStringList, [](TKitCustomContainer *c) { return new TKitStringListItem(c); })
{
}

TKitWaveList::TKitWaveList(QObject *owner)
    : TKitCustomContainer(owner, ckSoundList, [](TKitCustomContainer *c) { return new TKitWaveListItem(c); })
{
}

TKitContainer::TKitContainer(QObject *owner)
    : TKitBaseContainer(owner), FBitmapList(new TKitBitmapList(this)), FImageList(new TKitImageList(this)),
      FStringList(new TKitStringList(this)), FWaveList(new TKitWaveList(this))
{
}

TKitContainer *KitGlobalContainer()
{
    return KitAppWide<TKitContainer>();
}

QString KitInternalReference(const TKitImageSource *List)
{
    if (!List)
        return QString();
    if (List == static_cast<const TKitImageSource *>(KitGlobalContainer()->ImageList()))
        return KitSigImageList;
    if (List == static_cast<const TKitImageSource *>(KitGlobalContainer()->BitmapList()))
        return KitSigBitmapList;
    return QString();
}

TKitCustomImageList *KitListFromReference(const QString &Reference)
{
    if (Reference == QLatin1String(KitSigImageList))
        return KitGlobalContainer()->ImageList();
    if (Reference == QLatin1String(KitSigBitmapList))
        return KitGlobalContainer()->BitmapList();
    return nullptr;
}
