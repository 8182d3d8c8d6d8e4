#include "controls/images/AniCursor.h"

#include "controls/images/GifImage.h"
#include "controls/images/GifQImage.h"
#include "controls/images/IconList.h"

#include <QFile>
#include <QPainter>
#include <algorithm>
#include <cstring>

void TAnimatedCursorImage::ClearCursor()
{
    IconFrames.clear();
    Title.clear();
    Creator.clear();
    Header = TAniHeader();
    SourceColors = 0;
}

namespace {

[[noreturn]] void readError() { throw EReadError("Stream read error"); }

// A bounded cursor over the file: reads that would pass the end fail
// softly (false) so that the chunk loop can end where the data does.
class Chunks
{
public:
    Chunks(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}
    std::size_t Remaining() const { return m_size - m_pos; }
    const std::uint8_t *Current() const { return m_data + m_pos; }
    bool Read(void *buf, std::size_t n)
    {
        if (n > Remaining())
            return false;
        std::memcpy(buf, m_data + m_pos, n);
        m_pos += n;
        return true;
    }
    bool Skip(std::size_t n)
    {
        if (n > Remaining())
            return false;
        m_pos += n;
        return true;
    }
    bool Header(char id[4], std::uint32_t &size)
    {
        std::uint8_t h[8];
        if (!Read(h, 8))
            return false;
        std::memcpy(id, h, 4);
        size = std::uint32_t(h[4]) | (std::uint32_t(h[5]) << 8) | (std::uint32_t(h[6]) << 16) |
               (std::uint32_t(h[7]) << 24);
        return true;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

std::uint64_t padded(std::uint32_t size) { return (std::uint64_t(size) + 1) & ~std::uint64_t(1); }

bool is(const char id[4], const char *name) { return std::memcmp(id, name, 4) == 0; }

std::uint32_t firstValue(Chunks &c, std::uint32_t size, bool &ok)
{
    std::uint8_t v[4] = {};
    const std::size_t take = std::min<std::size_t>(size, 4);
    ok = c.Read(v, take) && c.Skip(std::size_t(padded(size) - take));
    return std::uint32_t(v[0]) | (std::uint32_t(v[1]) << 8) | (std::uint32_t(v[2]) << 16) | (std::uint32_t(v[3]) << 24);
}

} // namespace

void TAnimatedCursorImage::readAniStream(const std::uint8_t *data, std::size_t size)
{
    Chunks c(data, size);
    char id[4];
    std::uint32_t chunkSize = 0;
    char form[4];
    if (!c.Header(id, chunkSize) || !is(id, "RIFF") || !c.Read(form, 4) || !is(form, "ACON"))
        readError();
    ClearCursor();
    int iconNo = 0;
    std::size_t rateAt = 0, seqAt = 0;
    while (c.Header(id, chunkSize)) {
        if (is(id, "anih")) {
            // The header holds 36 bytes; a longer chunk's rest is skipped.
            std::uint8_t h[36] = {};
            const std::size_t take = std::min<std::size_t>(chunkSize, sizeof h);
            if (!c.Read(h, take) || !c.Skip(std::size_t(std::min<std::uint64_t>(padded(chunkSize) - take, c.Remaining()))))
                break;
            std::uint32_t f[9];
            std::memcpy(f, h, sizeof f);
            Header = {f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8]};
            if (!(Header.Flags & 1) || Header.Steps == 0)
                readError();
            // Every frame needs at least a chunk header of its own: a count
            // beyond what the file can hold is refused before anything is made.
            if (Header.Frames > c.Remaining() / 8)
                readError();
            for (std::uint32_t n = 0; n < Header.Frames; ++n)
                IconFrames.emplace_back(int(n), Header.DisplayRate);
        } else if (is(id, "rate") || is(id, "seq ")) {
            bool ok = false;
            const std::uint32_t v = firstValue(c, chunkSize, ok);
            if (!ok)
                break;
            const bool rate = is(id, "rate");
            std::size_t &at = rate ? rateAt : seqAt;
            if (at < IconFrames.size()) {
                if (rate)
                    IconFrames[at].JiffyRate = v;
                else
                    IconFrames[at].IconNumber = int(v);
            }
            ++at;
        } else if (is(id, "LIST")) {
            char listType[4];
            if (!c.Read(listType, 4))
                break;
            std::uint64_t left = padded(chunkSize) >= 4 ? padded(chunkSize) - 4 : 0;
            left = std::min<std::uint64_t>(left, c.Remaining());
            if (is(listType, "fram")) {
                while (left > 7) {
                    char sub[4];
                    std::uint32_t subSize;
                    std::array<std::uint8_t, 8> rawHeader;
                    std::memcpy(rawHeader.data(), c.Current(), 8);
                    if (!c.Header(sub, subSize))
                        break;
                    left -= 8;
                    if (subSize > c.Remaining())
                        break;
                    if (is(sub, "icon")) {
                        TIcon icon;
                        std::vector<IconEntryInfo> entries;
                        if (!LoadIconFile(c.Current(), subSize, icon, &entries))
                            break;
                        for (const IconEntryInfo &e : entries)
                            SourceColors = std::max(SourceColors, e.BitCount == 1   ? 2
                                                                  : e.BitCount == 4 ? 16
                                                                  : e.BitCount == 8 ? 256
                                                                                    : 0);
                        auto show = [&](TIconFrame &f) {
                            f.Icon = icon;
                            f.ChunkHeader = rawHeader;
                            f.HotSpotX = icon.HotSpotX;
                            f.HotSpotY = icon.HotSpotY;
                            f.FromIcon = icon.FromIcon;
                        };
                        bool matched = false;
                        for (TIconFrame &f : IconFrames) {
                            if (f.IconNumber == iconNo) {
                                show(f);
                                matched = true;
                            }
                        }
                        if (!matched) {
                            IconFrames.emplace_back(-1, Header.DisplayRate);
                            show(IconFrames.back());
                        }
                        ++iconNo;
                    }
                    const std::uint64_t step = std::min<std::uint64_t>(padded(subSize), c.Remaining());
                    c.Skip(std::size_t(step));
                    left = left > padded(subSize) ? left - padded(subSize) : 0;
                }
            } else if (is(listType, "INFO")) {
                while (left > 7) {
                    char sub[4];
                    std::uint32_t subSize;
                    if (!c.Header(sub, subSize))
                        break;
                    left -= 8;
                    if (padded(subSize) > left)
                        break;
                    if (is(sub, "INAM") || is(sub, "IART")) {
                        const std::size_t take = std::min<std::size_t>(subSize, 255);
                        std::string text(reinterpret_cast<const char *>(c.Current()), take);
                        text = text.substr(0, text.find('\0'));
                        (is(sub, "INAM") ? Title : Creator) = text;
                    }
                    c.Skip(std::size_t(padded(subSize)));
                    left -= padded(subSize);
                }
                c.Skip(std::size_t(std::min<std::uint64_t>(left, c.Remaining())));
            } else {
                c.Skip(std::size_t(left));
            }
        } else if (!c.Skip(std::size_t(std::min<std::uint64_t>(padded(chunkSize), SIZE_MAX))) ) {
            break;
        }
    }
    IconFrames.erase(std::remove_if(IconFrames.begin(), IconFrames.end(), [](const TIconFrame &f) { return !f.Icon; }),
                     IconFrames.end());
    Header.Steps = std::uint32_t(IconFrames.size());
    if (IconFrames.empty())
        readError();
}

void TAnimatedCursorImage::LoadFromBytes(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return;
    try {
        readAniStream(data, size);
    } catch (...) {
        ClearCursor();
        throw;
    }
}

void TAnimatedCursorImage::LoadFromFile(const QString &fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        ClearCursor();
        throw EReadError("Stream read error");
    }
    const QByteArray bytes = f.readAll();
    LoadFromBytes(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
}

void TAnimatedCursorImage::Assign(const TAnimatedCursorImage &source)
{
    if (&source == this)
        return;
    ClearCursor();
    Header = source.Header;
    Title = source.Title;
    Creator = source.Creator;
    SourceColors = source.SourceColors;
    IconFrames = source.IconFrames;
}

QImage TAnimatedCursorImage::PaintFrames(QRgb background, bool vertical, bool reduce) const
{
    if (IconFrames.empty() || !IconFrames[0].Icon)
        return QImage();
    const int w = IconFrames[0].Icon->Width(), h = IconFrames[0].Icon->Height();
    const int n = int(IconFrames.size());
    QImage strip(vertical ? w : w * n, vertical ? h * n : h, QImage::Format_RGB32);
    strip.fill(background);
    {
        QPainter p(&strip);
        for (int i = 0; i < n; ++i) {
            const TIcon *icon = IconAt(i);
            if (!icon)
                continue;
            p.drawImage(vertical ? QPoint(0, i * icon->Height()) : QPoint(i * icon->Width(), 0), icon->Image);
        }
    }
    if (reduce) {
        const int colors = std::max(SourceColors, 16);
        const int bits = colors <= 2 ? 1 : colors <= 16 ? 4 : 8;
        const IndexedImage reduced = ReduceColors(RgbFromQImage(strip), bits, DefaultReduction);
        strip = IndexedToQImage(reduced).convertToFormat(QImage::Format_RGB32);
    }
    return strip;
}

TIcon TAnimatedCursorImage::AsIcon() const
{
    return IconFrames.empty() || !IconFrames[0].Icon ? TIcon() : *IconFrames[0].Icon;
}

void TAnimatedCursorImage::AssignToIconList(TIconList &list) const
{
    list.LockUpdates();
    list.Clear();
    for (const TIconFrame &f : IconFrames)
        list.Add(f.Icon ? &*f.Icon : nullptr);
    list.UnlockUpdates();
}

void TAnimatedCursorImage::AssignToGif(TGIFImage &gif, QRgb windowColor) const
{
    gif.ResetImage();
    gif.BackgroundColor = QRgbToGifColor(windowColor);
    for (const TIconFrame &f : IconFrames) {
        if (!f.Icon)
            continue;
        const int index = AddGifFrame(gif, f.Icon->Image);
        gif.GifFrameAt(index).AnimateInterval = std::int32_t(std::int64_t(f.JiffyRate) * 100 / 6);
    }
    gif.Changed();
}
