#pragma once
// TAnimatedCursorImage: an animated cursor file (RIFF form "ACON") read into
// frames, each an icon with its hot spot and display rate, handed on as an
// icon, a strip bitmap, an icon list or a multi-frame GIF picture.

#include "controls/edits/CtlUtils.h"
#include "controls/images/IconFile.h"
#include "controls/panels/GraphicErrors.h"

#include <QIODevice>
#include <QImage>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TIconList;
class TGIFImage;

// The "anih" chunk: nine 32-bit fields.
struct TAniHeader
{
    std::uint32_t HeaderSize = 0;
    std::uint32_t Frames = 0;
    std::uint32_t Steps = 0;
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    std::uint32_t BitCount = 0;
    std::uint32_t Planes = 0;
    std::uint32_t DisplayRate = 0; // 1/60 s
    std::uint32_t Flags = 0;       // bit 0: the frames are icon or cursor resources
};

struct TIconFrame
{
    TIconFrame(int iconNumber, std::uint32_t jiffyRate) : JiffyRate(jiffyRate), IconNumber(iconNumber) {}

    std::optional<TIcon> Icon; // this frame's own copy: none frees what another shows
    bool FromIcon = false;
    std::array<std::uint8_t, 8> ChunkHeader{};
    int HotSpotX = 0;
    int HotSpotY = 0;
    std::uint32_t JiffyRate = 0;
    int IconNumber = -1;
};

class TAnimatedCursorImage
{
public:
    TAniHeader Header;
    std::string Title;   // "INAM", at most 255 bytes
    std::string Creator; // "IART", at most 255 bytes
    std::vector<TIconFrame> IconFrames;
    int SourceColors = 0;

    void ClearCursor();
    // Reads an animated cursor file; raises EReadError when it is not one
    // (the image is then cleared).
    void LoadFromBytes(const std::uint8_t *data, std::size_t size);
    void LoadFromFile(const QString &fileName);
    // Writing animated cursors is not provided: "Function not yet
    // implemented" is shown, then the operation ends silently (EAbort).
    [[noreturn]] void SaveToStream(QIODevice &) const { NotImplemented(); }
    void Assign(const TAnimatedCursorImage &source);

    int FrameCount() const { return int(IconFrames.size()); }
    const TIcon *IconAt(int i) const
    {
        const auto &icon = IconFrames.at(std::size_t(i)).Icon;
        return icon ? &*icon : nullptr;
    }

    // All frames side by side (or one under another) on the background
    // colour, reduced to max(SourceColors, 16) colours when asked.
    QImage PaintFrames(QRgb background, bool vertical, bool reduce) const;
    // Frame 0's icon (an empty icon without frames).
    TIcon AsIcon() const;
    void AssignToIconList(TIconList &list) const;
    // One GIF frame per icon, its delay the rate turned into milliseconds;
    // the picture's change notification follows.
    void AssignToGif(TGIFImage &gif, QRgb windowColor) const;

private:
    void readAniStream(const std::uint8_t *data, std::size_t size);
};
