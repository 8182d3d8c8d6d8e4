#pragma once
// TGIFImage: a GIF picture with any number of frames, read from and written
// to GIF87a/GIF89a files. Each frame keeps its compressed data as read and is
// decoded only when its bitmap is asked for; frames made from pictures are
// encoded when the file is written. Plain C++: drawing and the clipboard are
// in GifPicture.h.

#include "controls/images/ColorReduction.h"
#include "controls/images/GifTypes.h"

#include <memory>
#include <string>
#include <vector>

enum TGifVersion { gvUnknown = 0, gv87a = 1, gv89a = 2 };
enum TGifExtKind { ekGraphicControl = 0, ekPlainText = 1, ekApplication = 2, ekComment = 3 };

// One extension block: its kind, the fixed part beginning with the block
// size byte, and one string per data sub-block.
struct TExtension
{
    TGifExtKind ExtType = ekComment;
    std::vector<std::string> Data;
    std::uint8_t Fixed[13] = {};

    // Bytes of the fixed part as written (block size byte included).
    int FixedLength() const;
    // Graphic control fields.
    std::uint8_t Packed() const { return Fixed[1]; }
    int Delay() const { return Fixed[2] | (Fixed[3] << 8); }
    int TransparentIndex() const { return Fixed[4]; }
};

// The picture-level data, shared between copies of one picture.
struct TGIFData
{
    std::vector<std::string> Comment;
    std::uint8_t AspectRatio = 0;
    std::uint8_t ColorBits = 0;
    std::uint8_t ColorResBits = 0;
    GifColorTable ColorMap;
};

// The frame-level data, shared between copies of one frame.
struct TGIFItem
{
    std::vector<std::uint8_t> ImageData; // code-size byte, sub-blocks, terminator
    int Width = 0;
    int Height = 0;
    std::uint8_t DescriptorFlags = 0;
    int ColorBits = 0;
    GifColorTable ColorMap;
};

class TGIFImage;

// What one frame takes from another on assignment: its shared data, pixels,
// placement and timing.
struct TGIFFrameContent
{
    std::shared_ptr<const IndexedImage> Bitmap;   // decoded (or given) pixels
    std::shared_ptr<const RgbImage> TrueColor;    // a true-colour picture still to be reduced
    std::shared_ptr<TGIFItem> Item = std::make_shared<TGIFItem>();
    int Left = 0;
    int Top = 0;
    bool Interlaced = false;
    bool Corrupted = false;
    bool Grayscale = false;
    GifColor TransparentColor = GifNoColor;
    int TransparentIndex = -1;                    // as read from the file
    std::int32_t AnimateInterval = 0;             // milliseconds
    std::uint8_t Disposal = 0;
};

class TGIFFrame : public TGIFFrameContent
{
public:
    explicit TGIFFrame(TGIFImage *owner) : Owner(owner) {}

    TGIFImage *Owner;
    std::vector<TExtension> Extensions;           // graphic control and comment blocks
    bool LocalColors = false;

    void ResetFrame();
    // The decoded pixels (decoded now when needed); an empty picture when
    // the frame holds nothing. A failing decode leaves it empty and raises.
    const IndexedImage &FrameBitmap();
    // The same pixels shared rather than copied (nullptr when empty).
    std::shared_ptr<const IndexedImage> SharedBitmap();
    int FrameWidth() const { return FrameExtent(true); }
    int FrameHeight() const { return FrameExtent(false); }
    bool HasData() const { return !Item->ImageData.empty(); }

    // The last comment block's lines (a new block when asked and missing).
    std::vector<std::string> *FindComment(bool createIfMissing);
    std::vector<std::string> FrameComment() const;
    void SetFrameComment(const std::vector<std::string> &lines);

    // Shares the other frame's data; copies its placement and timing.
    void Assign(const TGIFFrame &source);
    // A frame or picture destination takes this frame (a bitmap destination
    // takes GifFrameImage, GifPicture.h).
    void AssignTo(TGIFFrame &dest) const { dest.Assign(*this); }
    void AssignTo(TGIFImage &dest) const;
    // A new frame's pixels: an indexed picture, or a true-colour one that is
    // reduced when the frame is encoded.
    void AssignBitmap(const IndexedImage &bitmap);
    void AssignTrueColor(const RgbImage &image, GifColor transparent = GifNoColor);

    // Encodes the frame's pixels into its data (Grayscale or the default
    // reduction for true colour).
    void EncodeBitmap();
    // Brings the graphic-control block in line with the delay, transparency
    // and disposal; drops empty comment blocks.
    void SyncExtensions();

private:
    void decode();
    // The width (or height) of whatever holds the frame's picture.
    int FrameExtent(bool width) const;
    IndexedImage m_empty;
};

class TGIFImage
{
public:
    TGIFImage() { ResetImage(); }
    TGIFImage(const TGIFImage &) = delete;
    TGIFImage &operator=(const TGIFImage &) = delete;

    // Damaged frame data loads as far as it goes (the frame is marked
    // corrupted) when set; otherwise it raises.
    static bool TolerateCorruptGif;

    std::shared_ptr<TGIFData> Image;
    TGifVersion Version = gvUnknown;
    std::vector<std::unique_ptr<TGIFFrame>> Frames;
    int FrameIndex = -1;
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    GifColor BackgroundColor = GifNoColor;
    bool Looping = false;
    int RepeatCount = 1;
    bool Transparent = true;
    GifProgressFn OnProgress;
    // Told after the picture is assigned anew or read whole.
    std::function<void(TGIFImage &)> OnChange;

    ~TGIFImage() { OnChange = nullptr; }
    void ResetImage();
    void Changed()
    {
        if (OnChange)
            OnChange(*this);
    }

    // The GIF held in count bytes; with decodeFirst frame 0 is decoded at once.
    void ReadGifStream(const std::uint8_t *data, std::size_t count, bool decodeFirst);
    void LoadFromBytes(const std::vector<std::uint8_t> &bytes) { ReadGifStream(bytes.data(), bytes.size(), true); }
    // Form data: a 32-bit byte count, then the file.
    void ReadData(const std::uint8_t *data, std::size_t size);
    // The whole picture as a GIF file, with its 32-bit length first when asked.
    std::vector<std::uint8_t> WriteGifStream(bool sizePrefix);
    std::vector<std::uint8_t> SaveToBytes() { return WriteGifStream(false); }
    std::vector<std::uint8_t> WriteData() { return WriteGifStream(true); }

    int AddFrame(const IndexedImage &bitmap);
    int AddFrame(const RgbImage &image, GifColor transparent = GifNoColor);
    int GifFrameCount() const { return int(Frames.size()); }
    TGIFFrame &GifFrameAt(int index) { return *Frames.at(std::size_t(index)); }

    // Shares the other picture's data and copies its frames.
    void Assign(const TGIFImage &source);
    void AssignFrame(const TGIFFrame &source);
    // Nothing assigned: the picture emptied.
    void AssignNone();
    // One frame of the bitmap.
    void AssignBitmap(const IndexedImage &bitmap);
    void AssignBitmap(const RgbImage &image, GifColor transparent = GifNoColor);
    // A picture destination takes this one (a bitmap destination takes
    // GifPictureImage, GifPicture.h). Each assignment ends with Changed().
    void AssignTo(TGIFImage &dest) const { dest.Assign(*this); }
    bool Equals(const TGIFImage &other) const { return Image == other.Image; }

    bool Empty() const;
    int Width();
    int Height();
    bool GetTransparent() const;
    // The current frame's pixels (an empty picture when FrameIndex is out of
    // range). A picture without frames gets one, with an empty bitmap.
    const IndexedImage &CurrentBitmap();
    // The current bitmap's palette; no colours (Count 0) without frames.
    GifColorTable GetPalette();
    [[noreturn]] void SetWidth(int) { throw EInvalidGraphicOperation(SGifCannotResize); }
    [[noreturn]] void SetHeight(int) { throw EInvalidGraphicOperation(SGifCannotResize); }

    void EncodeAllFrames();
    void RecalcScreenSize();

private:
    friend class TGIFFrame;
    void readFrame(TGIFFrame &frame, class GifByteReader &r);
    IndexedImage m_empty;
};

// 2..256 as a power of two gives 1..8; anything else raises "Wrong number
// of colors; must be a power of 2".
int ColorsToBits(int n);
