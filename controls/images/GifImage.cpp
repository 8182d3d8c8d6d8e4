#include "controls/images/GifImage.h"

#include "controls/images/GifLzw.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

bool TGIFImage::TolerateCorruptGif = true;

int ColorsToBits(int n)
{
    for (int bits = 1; bits <= 8; ++bits)
        if (n == (1 << bits))
            return bits;
    throw EInvalidGraphicOperation(SGifWrongColors);
}

int TExtension::FixedLength() const
{
    switch (ExtType) {
    case ekGraphicControl: return 6;
    case ekPlainText: return 13;
    case ekApplication: return 12;
    default: return 0;
    }
}

// ------------------------------------------------------------ frame

void TGIFFrame::ResetFrame()
{
    static_cast<TGIFFrameContent &>(*this) = TGIFFrameContent();
    LocalColors = false;
}

void TGIFFrame::decode()
{
    const TGIFItem &item = *Item;
    auto img = std::make_shared<IndexedImage>();
    img->Width = item.Width;
    img->Height = item.Height;
    // Without any colour table the pixels keep the bits of their codes.
    int bits = item.ColorBits;
    if (bits <= 0 && !item.ImageData.empty())
        bits = std::clamp(int(item.ImageData[0]), 1, 8);
    if (bits <= 0 || bits > 8)
        throw EInvalidGraphicOperation(SGifWrongColors);
    img->Bits = bits;
    img->Palette = item.ColorMap;
    bool damaged = false;
    LzwDecode(item.ImageData, *img, Interlaced, bits, TGIFImage::TolerateCorruptGif, damaged,
              Owner ? Owner->OnProgress : GifProgressFn());
    Corrupted = Corrupted || damaged;
    Bitmap = std::move(img);
}

const IndexedImage &TGIFFrame::FrameBitmap()
{
    if (Bitmap && !Bitmap->Empty())
        return *Bitmap;
    if (Item->ImageData.empty())
        return m_empty;
    try {
        decode();
    } catch (...) {
        Bitmap.reset();
        throw;
    }
    return *Bitmap;
}

std::shared_ptr<const IndexedImage> TGIFFrame::SharedBitmap()
{
    return FrameBitmap().Empty() ? nullptr : Bitmap;
}

int TGIFFrame::FrameExtent(bool width) const
{
    const auto extent = [width](const auto &picture) { return width ? picture.Width : picture.Height; };
    if (Bitmap)
        return extent(*Bitmap);
    if (TrueColor)
        return extent(*TrueColor);
    return Item->ImageData.empty() ? 0 : extent(*Item);
}

std::vector<std::string> *TGIFFrame::FindComment(bool createIfMissing)
{
    for (auto it = Extensions.rbegin(); it != Extensions.rend(); ++it)
        if (it->ExtType == ekComment)
            return &it->Data;
    if (!createIfMissing)
        return nullptr;
    Extensions.push_back(TExtension{});
    return &Extensions.back().Data;
}

std::vector<std::string> TGIFFrame::FrameComment() const
{
    for (auto it = Extensions.rbegin(); it != Extensions.rend(); ++it)
        if (it->ExtType == ekComment)
            return it->Data;
    return {};
}

void TGIFFrame::SetFrameComment(const std::vector<std::string> &lines)
{
    *FindComment(true) = lines;
}

void TGIFFrame::Assign(const TGIFFrame &source)
{
    if (&source == this)
        return;
    static_cast<TGIFFrameContent &>(*this) = source;
    LocalColors = source.Owner == Owner ? source.LocalColors : true;
    Extensions.clear();
    const std::vector<std::string> comment = source.FrameComment();
    if (!comment.empty())
        SetFrameComment(comment);
    if (Owner)
        Owner->RecalcScreenSize();
}

void TGIFFrame::AssignBitmap(const IndexedImage &bitmap)
{
    ResetFrame();
    if (bitmap.Empty())
        return;
    auto copy = std::make_shared<IndexedImage>(bitmap);
    copy->Bits = std::clamp(copy->Bits, 1, 8);
    Item->Width = copy->Width;
    Item->Height = copy->Height;
    Bitmap = std::move(copy);
    if (Owner)
        Owner->RecalcScreenSize();
}

void TGIFFrame::AssignTrueColor(const RgbImage &image, GifColor transparent)
{
    ResetFrame();
    if (image.Empty())
        return;
    if (std::int64_t(image.Width) * image.Height > GifMaxPixels ||
        image.Pixels.size() < std::size_t(image.Width) * std::size_t(image.Height))
        throw EInvalidGraphicOperation(SGifEncodeError);
    Item->Width = image.Width;
    Item->Height = image.Height;
    TrueColor = std::make_shared<RgbImage>(image);
    TransparentColor = transparent;
    if (Owner)
        Owner->RecalcScreenSize();
}

void TGIFFrame::EncodeBitmap()
{
    std::shared_ptr<const IndexedImage> source = Bitmap;
    if (!source && TrueColor) {
        const TReductionMethod method = Grayscale ? rmGrayscale : DefaultReduction;
        source = std::make_shared<IndexedImage>(ReduceColors(*TrueColor, 8, method));
        if (method == rmGrayscale)
            Grayscale = true;
    }
    if (!source || source->Empty())
        throw EInvalidGraphicOperation(SGifNoData);
    const int bits = source->Bits;
    if (bits < 1 || bits > 8)
        throw EInvalidGraphicOperation(SGifEncodeError);
    Interlaced = false;
    auto item = std::make_shared<TGIFItem>();
    item->ColorMap = source->Palette;
    item->ColorMap.Count = 1 << bits;
    try {
        LzwEncode(item->ImageData, *source, false, Owner ? Owner->OnProgress : GifProgressFn());
    } catch (...) {
        ResetFrame();
        throw;
    }
    item->ColorBits = bits;
    item->Width = source->Width;
    item->Height = source->Height;
    if (Owner && Owner->Image->ColorMap.Count > 0) {
        LocalColors = true;
    } else {
        if (Owner) {
            Owner->Image->ColorMap = item->ColorMap;
            Owner->Image->ColorBits = std::uint8_t(bits);
        }
        LocalColors = false;
    }
    Item = std::move(item);
    Bitmap = std::move(source);
    if (Owner) {
        Owner->ScreenWidth = std::max(Owner->ScreenWidth, Left + Item->Width);
        Owner->ScreenHeight = std::max(Owner->ScreenHeight, Top + Item->Height);
    }
}

void TGIFFrame::SyncExtensions()
{
    auto gce = std::find_if(Extensions.begin(), Extensions.end(),
                            [](const TExtension &e) { return e.ExtType == ekGraphicControl; });
    if (gce == Extensions.end() && (AnimateInterval > 0 || TransparentColor != GifNoColor || Disposal != 0)) {
        TExtension e;
        e.ExtType = ekGraphicControl;
        e.Fixed[0] = 4;
        Extensions.push_back(e);
        gce = Extensions.end() - 1;
    }
    if (gce != Extensions.end()) {
        const int delay = std::min<std::int32_t>(std::max<std::int32_t>(AnimateInterval, 0) / 10, 0xFFFF);
        gce->Fixed[2] = std::uint8_t(delay);
        gce->Fixed[3] = std::uint8_t(delay >> 8);
        // The index read from the file stays while its colour is unchanged, so
        // that a table holding the colour twice keeps its transparency where
        // it was.
        const GifColorTable &table = Item->ColorMap;
        int index = -1;
        if (TransparentColor != GifNoColor && TransparentIndex >= 0 && TransparentIndex < table.Count &&
            table.Color(TransparentIndex) == (TransparentColor & 0xFFFFFF))
            index = TransparentIndex;
        else
            index = table.FindColorIndex(TransparentColor);
        std::uint8_t packed = gce->Fixed[1];
        if (index >= 0) {
            gce->Fixed[4] = std::uint8_t(index);
            packed |= 1;
        } else {
            packed &= ~1;
        }
        packed = std::uint8_t((packed & ~0x1C) | ((Disposal & 7) << 2));
        gce->Fixed[1] = packed;
    }
    Extensions.erase(std::remove_if(Extensions.begin(), Extensions.end(),
                                    [](const TExtension &e) { return e.ExtType == ekComment && e.Data.empty(); }),
                     Extensions.end());
    if (!Extensions.empty() && Owner)
        Owner->Version = gv89a;
}

// ------------------------------------------------------------ picture

void TGIFImage::ResetImage()
{
    Image = std::make_shared<TGIFData>();
    Frames.clear();
    FrameIndex = -1;
    BackgroundColor = GifNoColor;
    RepeatCount = 1;
    Looping = false;
    Version = gvUnknown;
    ScreenWidth = ScreenHeight = 0;
}

bool TGIFImage::Empty() const
{
    if (Frames.empty())
        return true;
    const TGIFFrame &f = *Frames[std::size_t(std::clamp(FrameIndex, 0, int(Frames.size()) - 1))];
    return !(f.Bitmap && !f.Bitmap->Empty()) && !f.TrueColor && !f.HasData();
}

const IndexedImage &TGIFImage::CurrentBitmap()
{
    if (Frames.empty()) {
        AssignBitmap(IndexedImage());
        FrameIndex = 0;
    }
    if (FrameIndex < 0 || FrameIndex >= int(Frames.size()))
        return m_empty;
    return Frames[std::size_t(FrameIndex)]->FrameBitmap();
}

GifColorTable TGIFImage::GetPalette()
{
    return Frames.empty() ? GifColorTable() : CurrentBitmap().Palette;
}

void TGIFImage::AssignNone()
{
    ResetImage();
    Changed();
}

void TGIFImage::AssignBitmap(const IndexedImage &bitmap)
{
    ResetImage();
    AddFrame(bitmap);
    Changed();
}

void TGIFImage::AssignBitmap(const RgbImage &image, GifColor transparent)
{
    ResetImage();
    AddFrame(image, transparent);
    Changed();
}

void TGIFFrame::AssignTo(TGIFImage &dest) const
{
    dest.AssignFrame(*this);
}

int TGIFImage::Width()
{
    if (Empty() || FrameIndex < 0 || FrameIndex >= int(Frames.size()))
        return 0;
    return Frames[std::size_t(FrameIndex)]->FrameWidth();
}

int TGIFImage::Height()
{
    if (Empty() || FrameIndex < 0 || FrameIndex >= int(Frames.size()))
        return 0;
    return Frames[std::size_t(FrameIndex)]->FrameHeight();
}

bool TGIFImage::GetTransparent() const
{
    return Transparent && std::any_of(Frames.begin(), Frames.end(), [](const std::unique_ptr<TGIFFrame> &f) {
               return f->TransparentColor != GifNoColor;
           });
}

int TGIFImage::AddFrame(const IndexedImage &bitmap)
{
    auto frame = std::make_unique<TGIFFrame>(this);
    Frames.push_back(std::move(frame));
    FrameIndex = int(Frames.size()) - 1;
    Frames.back()->AssignBitmap(bitmap);
    if (Version == gvUnknown)
        Version = gv87a;
    if (Frames.size() >= 2)
        Version = gv89a;
    return FrameIndex;
}

int TGIFImage::AddFrame(const RgbImage &image, GifColor transparent)
{
    auto frame = std::make_unique<TGIFFrame>(this);
    Frames.push_back(std::move(frame));
    FrameIndex = int(Frames.size()) - 1;
    try {
        Frames.back()->AssignTrueColor(image, transparent);
    } catch (...) {
        Frames.pop_back();
        FrameIndex = int(Frames.size()) - 1;
        throw;
    }
    if (Version == gvUnknown)
        Version = gv87a;
    if (Frames.size() >= 2)
        Version = gv89a;
    return FrameIndex;
}

void TGIFImage::Assign(const TGIFImage &source)
{
    if (&source == this)
        return;
    Image = source.Image;
    Version = source.Version;
    BackgroundColor = source.BackgroundColor;
    RepeatCount = source.RepeatCount;
    Looping = source.Looping;
    Frames.clear();
    for (const auto &f : source.Frames) {
        auto frame = std::make_unique<TGIFFrame>(this);
        frame->Assign(*f);
        frame->LocalColors = f->LocalColors;
        Frames.push_back(std::move(frame));
    }
    ScreenWidth = source.ScreenWidth;
    ScreenHeight = source.ScreenHeight;
    FrameIndex = source.FrameIndex;
    Changed();
}

void TGIFImage::AssignFrame(const TGIFFrame &source)
{
    const TGIFImage *from = source.Owner;
    auto keep = std::make_unique<TGIFFrame>(nullptr);
    keep->Assign(source); // the source may belong to this picture
    keep->LocalColors = true;
    std::shared_ptr<TGIFData> data = from ? from->Image : nullptr;
    ResetImage();
    if (data) {
        Image->AspectRatio = data->AspectRatio;
        Image->ColorBits = data->ColorBits;
        Image->ColorResBits = data->ColorResBits;
        Image->ColorMap = data->ColorMap;
    }
    auto frame = std::make_unique<TGIFFrame>(this);
    Frames.push_back(std::move(frame));
    Frames.back()->Assign(*keep);
    FrameIndex = 0;
    if (Version == gvUnknown)
        Version = gv87a;
    Changed();
}

void TGIFImage::RecalcScreenSize()
{
    int w = 0, h = 0;
    for (const auto &f : Frames) {
        w = std::max(w, f->Left + f->FrameWidth());
        h = std::max(h, f->Top + f->FrameHeight());
    }
    ScreenWidth = w;
    ScreenHeight = h;
}

void TGIFImage::EncodeAllFrames()
{
    for (auto &f : Frames)
        if (!f->HasData())
            f->EncodeBitmap();
    for (auto &f : Frames)
        f->SyncExtensions();
}

// ------------------------------------------------------------ reading

namespace {

bool sameLetters(const std::uint8_t *a, const char *b, int n)
{
    for (int i = 0; i < n; ++i)
        if (std::tolower(a[i]) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

void readSubBlocks(GifByteReader &r, std::vector<std::string> &out)
{
    while (!r.AtEnd()) {
        const std::uint8_t len = r.ReadByte();
        if (len == 0)
            break;
        std::string s(len, '\0');
        r.Read(s.data(), len);
        out.push_back(std::move(s));
    }
}

TExtension readExtension(GifByteReader &r)
{
    TExtension e;
    const std::uint8_t label = r.ReadByte();
    switch (label) {
    case 0xF9: e.ExtType = ekGraphicControl; break;
    case 0xFE: e.ExtType = ekComment; break;
    case 0x01: e.ExtType = ekPlainText; break;
    case 0xFF: e.ExtType = ekApplication; break;
    default: {
        char msg[64];
        std::snprintf(msg, sizeof msg, SGifUnknownExtension, unsigned(label));
        throw EInvalidGraphicOperation(msg);
    }
    }
    const int fixed = e.FixedLength();
    if (fixed > 0) {
        // The block keeps its first bytes; a block longer than usual is
        // skipped over rather than read as sub-blocks.
        const std::uint8_t size = r.ReadByte();
        std::uint8_t block[255];
        r.Read(block, size);
        e.Fixed[0] = std::uint8_t(std::min<int>(size, fixed - 1));
        std::memcpy(e.Fixed + 1, block, e.Fixed[0]);
    }
    std::vector<std::string> data;
    readSubBlocks(r, data);
    if (e.ExtType != ekGraphicControl)
        e.Data = std::move(data);
    return e;
}

bool isRepeatExtension(const TExtension &e)
{
    if (e.ExtType != ekApplication || e.Data.empty())
        return false;
    const int n = e.Fixed[0];
    const std::string id(reinterpret_cast<const char *>(e.Fixed + 1), std::size_t(n));
    const bool known = id == std::string("NETSCAPE2.0").substr(0, std::size_t(n)) ||
                       id == std::string("ANIMEXTS1.0").substr(0, std::size_t(n));
    return n == 11 && known && e.Data[0].size() >= 3 && e.Data[0][0] == 1;
}

} // namespace

void TGIFImage::readFrame(TGIFFrame &frame, GifByteReader &r)
{
    TGIFItem &item = *frame.Item;
    try {
        GifImageDescriptor d;
        bool damaged = false, local = false, interlace = false;
        CopyImageBlocks(r, item.ImageData, d, item.ColorMap, item.ColorBits, damaged, local, interlace);
        frame.Corrupted = damaged;
        frame.LocalColors = local;
        frame.Interlaced = interlace;
        if (damaged && !TolerateCorruptGif)
            throw EInvalidGraphicOperation(SReadError);
        item.Width = d.Width ? d.Width : ScreenWidth;
        item.Height = d.Height ? d.Height : ScreenHeight;
        frame.Left = d.Left;
        frame.Top = d.Top;
        item.DescriptorFlags = d.Flags;
        if (!local)
            item.ColorMap = Image->ColorMap;
        frame.AnimateInterval = 0;
        for (const TExtension &e : frame.Extensions) {
            if (e.ExtType != ekGraphicControl)
                continue;
            if (e.Packed() & 1) {
                if (e.TransparentIndex() < item.ColorMap.Count) {
                    frame.TransparentColor = item.ColorMap.Color(e.TransparentIndex());
                    frame.TransparentIndex = e.TransparentIndex();
                }
            } else {
                frame.TransparentColor = GifNoColor;
                frame.TransparentIndex = -1;
            }
            frame.AnimateInterval = std::max<std::int32_t>(e.Delay() * 10, frame.AnimateInterval);
            frame.Disposal = (e.Packed() >> 2) & 7;
        }
    } catch (...) {
        item.ImageData.clear();
        throw;
    }
}

void TGIFImage::ReadGifStream(const std::uint8_t *data, std::size_t count, bool decodeFirst)
{
    ResetImage();
    if (count == 0) {
        Changed();
        return;
    }
    GifByteReader r(data, count);
    std::uint8_t sig[6];
    if (r.Remaining() < 6)
        throw EInvalidGraphicOperation(SGifUnknownVersion);
    r.Read(sig, 6);
    if (!sameLetters(sig, "GIF", 3))
        throw EInvalidGraphicOperation(SGifUnknownVersion);
    if (sameLetters(sig + 3, "87a", 3))
        Version = gv87a;
    else if (sameLetters(sig + 3, "89a", 3))
        Version = gv89a;
    else
        throw EInvalidGraphicOperation(SGifUnknownVersion);

    ScreenWidth = r.ReadWord();
    ScreenHeight = r.ReadWord();
    const std::uint8_t packed = r.ReadByte();
    const std::uint8_t background = r.ReadByte();
    Image->AspectRatio = r.ReadByte();
    Image->ColorBits = std::uint8_t((packed & 7) + 1);
    Image->ColorResBits = std::uint8_t(((packed >> 4) & 7) + 1);
    if (packed & 0x80) {
        Image->ColorMap.Count = 1 << Image->ColorBits;
        r.Read(Image->ColorMap.Rgb.data(), std::size_t(Image->ColorMap.Count) * 3);
        if (background < Image->ColorMap.Count)
            BackgroundColor = Image->ColorMap.Color(background);
    }

    std::uint8_t b = r.AtEnd() ? ';' : r.ReadByte();
    while (b != 0 && b != ';') {
        std::vector<TExtension> collected;
        while (b == '!') {
            TExtension e = readExtension(r);
            if (e.ExtType == ekPlainText) {
                collected.clear();
            } else if (e.ExtType == ekApplication) {
                if (isRepeatExtension(e)) {
                    Looping = true;
                    const auto &s = e.Data[0];
                    RepeatCount = std::min(int(std::uint8_t(s[1])) | (int(std::uint8_t(s[2])) << 8), 30000);
                }
            } else {
                collected.push_back(std::move(e));
            }
            b = r.AtEnd() ? ';' : r.ReadByte();
        }
        if (b == ',') {
            auto frame = std::make_unique<TGIFFrame>(this);
            if (Image->ColorMap.Count > 0)
                frame->Item->ColorBits = ColorsToBits(Image->ColorMap.Count);
            frame->Extensions = std::move(collected);
            readFrame(*frame, r);
            Frames.push_back(std::move(frame));
            b = r.AtEnd() ? ';' : r.ReadByte();
            while (b == 0 && !r.AtEnd())
                b = r.ReadByte();
            if (b != '!' && b != ',' && b != ';')
                b = 0; // a stray byte after a frame ends the picture quietly
        } else if (Image->Comment.empty() && !collected.empty()) {
            bool first = true;
            for (const TExtension &e : collected) {
                if (e.ExtType != ekComment)
                    continue;
                if (!first)
                    Image->Comment.push_back("\r\n\r\n");
                Image->Comment.insert(Image->Comment.end(), e.Data.begin(), e.Data.end());
                first = false;
            }
        } else if (b != 0 && b != ';') {
            throw EInvalidGraphicOperation(SReadError);
        }
    }

    if (!Frames.empty()) {
        FrameIndex = 0;
        if (decodeFirst) {
            try {
                CurrentBitmap();
            } catch (...) {
                Frames.erase(Frames.begin());
                FrameIndex = Frames.empty() ? -1 : 0;
                throw;
            }
        }
    }
    Changed();
}

void TGIFImage::ReadData(const std::uint8_t *data, std::size_t size)
{
    GifByteReader r(data, size);
    const std::uint32_t count = r.ReadDWord();
    // A declared size beyond the data is refused before anything is read.
    if (count > r.Remaining())
        throw EInvalidGraphicOperation(SReadError);
    ReadGifStream(r.Current(), count, true);
}

// ------------------------------------------------------------ writing

namespace {

void put16(std::vector<std::uint8_t> &out, int v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

// Each string as sub-blocks of at most 255 bytes (a longer one is split,
// not cut), then the terminator.
void writeSubBlocks(std::vector<std::uint8_t> &out, const std::vector<std::string> &lines)
{
    for (const std::string &s : lines) {
        for (std::size_t at = 0; at < s.size(); at += 255) {
            const std::size_t n = std::min<std::size_t>(255, s.size() - at);
            out.push_back(std::uint8_t(n));
            out.insert(out.end(), s.begin() + std::ptrdiff_t(at), s.begin() + std::ptrdiff_t(at + n));
        }
    }
    out.push_back(0);
}

void writeExtension(std::vector<std::uint8_t> &out, const TExtension &e)
{
    static constexpr std::uint8_t labels[] = {0xF9, 0x01, 0xFF, 0xFE};
    out.push_back(0x21);
    out.push_back(labels[e.ExtType]);
    switch (e.ExtType) {
    case ekGraphicControl:
        out.push_back(4);
        out.insert(out.end(), e.Fixed + 1, e.Fixed + 5);
        out.push_back(0);
        break;
    case ekComment: writeSubBlocks(out, e.Data); break;
    default:
        out.push_back(e.Fixed[0]);
        out.insert(out.end(), e.Fixed + 1, e.Fixed + 1 + e.Fixed[0]);
        writeSubBlocks(out, e.Data);
        break;
    }
}

} // namespace

std::vector<std::uint8_t> TGIFImage::WriteGifStream(bool sizePrefix)
{
    if (Frames.empty())
        throw EInvalidGraphicOperation(SGifNoData);
    EncodeAllFrames();
    if (!Image->Comment.empty())
        Version = gv89a;
    std::vector<std::uint8_t> out;
    if (sizePrefix)
        out.resize(4);
    for (char c : std::string(Version == gv89a ? "GIF89a" : "GIF87a"))
        out.push_back(std::uint8_t(c));

    RecalcScreenSize();
    put16(out, ScreenWidth);
    put16(out, ScreenHeight);
    const GifColorTable &global = Image->ColorMap;
    std::uint8_t packed = 0;
    if (global.Count > 0) {
        const int bits = ColorsToBits(global.Count);
        packed = std::uint8_t(0x80 | ((bits - 1) << 4) | (bits - 1));
    }
    out.push_back(packed);
    out.push_back(std::uint8_t(std::max(0, global.FindColorIndex(BackgroundColor))));
    out.push_back(Image->AspectRatio);
    if (global.Count > 0)
        out.insert(out.end(), global.Rgb.begin(), global.Rgb.begin() + global.Count * 3);

    if (Looping && Frames.size() >= 2) {
        static constexpr std::uint8_t loop[] = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E',
                                                '2',  '.',  '0',  0x03, 0x01};
        out.insert(out.end(), loop, loop + sizeof loop);
        out.push_back(std::uint8_t(RepeatCount));
        out.push_back(std::uint8_t(RepeatCount >> 8));
        out.push_back(0);
    }

    for (const auto &f : Frames) {
        for (const TExtension &e : f->Extensions)
            writeExtension(out, e);
        const TGIFItem &item = *f->Item;
        out.push_back(',');
        put16(out, f->Left);
        put16(out, f->Top);
        put16(out, item.Width);
        put16(out, item.Height);
        std::uint8_t flags = f->Interlaced ? 0x40 : 0;
        if (f->LocalColors)
            flags |= std::uint8_t(0x80 | (ColorsToBits(item.ColorMap.Count) - 1));
        out.push_back(flags);
        if (f->LocalColors)
            out.insert(out.end(), item.ColorMap.Rgb.begin(), item.ColorMap.Rgb.begin() + item.ColorMap.Count * 3);
        out.insert(out.end(), item.ImageData.begin(), item.ImageData.end());
    }
    if (!Image->Comment.empty()) {
        out.push_back(0x21);
        out.push_back(0xFE);
        writeSubBlocks(out, Image->Comment);
    }
    out.push_back(';');
    if (sizePrefix) {
        const std::uint32_t n = std::uint32_t(out.size() - 4);
        for (int i = 0; i < 4; ++i)
            out[std::size_t(i)] = std::uint8_t(n >> (8 * i));
    }
    return out;
}
