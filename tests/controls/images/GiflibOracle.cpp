#include "GiflibOracle.h"

#include <cstring>
#include <gif_lib.h>
#include <stdexcept>

namespace oracle {

namespace {

struct Source
{
    const std::vector<std::uint8_t> *bytes;
    std::size_t pos = 0;
};

int readFn(GifFileType *gif, GifByteType *buf, int n)
{
    auto *s = static_cast<Source *>(gif->UserData);
    const std::size_t take = std::min<std::size_t>(std::size_t(n), s->bytes->size() - s->pos);
    std::memcpy(buf, s->bytes->data() + s->pos, take);
    s->pos += take;
    return int(take);
}

int writeFn(GifFileType *gif, const GifByteType *buf, int n)
{
    auto *out = static_cast<std::vector<std::uint8_t> *>(gif->UserData);
    out->insert(out->end(), buf, buf + n);
    return n;
}

void check(int rc, GifFileType *gif, const char *what)
{
    if (rc != GIF_OK)
        throw std::runtime_error(std::string(what) + ": " + (GifErrorString(gif->Error) ? GifErrorString(gif->Error) : "?"));
}

std::vector<std::uint8_t> colors(const ColorMapObject *map)
{
    std::vector<std::uint8_t> out;
    if (!map)
        return out;
    for (int i = 0; i < map->ColorCount; ++i) {
        out.push_back(map->Colors[i].Red);
        out.push_back(map->Colors[i].Green);
        out.push_back(map->Colors[i].Blue);
    }
    return out;
}

ColorMapObject *makeMap(const std::vector<std::uint8_t> &rgb)
{
    if (rgb.empty())
        return nullptr;
    const int n = int(rgb.size() / 3);
    std::vector<GifColorType> c(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        c[std::size_t(i)] = {rgb[std::size_t(i) * 3], rgb[std::size_t(i) * 3 + 1], rgb[std::size_t(i) * 3 + 2]};
    return GifMakeMapObject(n, c.data());
}

// Comments, plain text and loops found among a run of extension blocks.
void scan(const ExtensionBlock *blocks, int count, std::vector<std::string> &comments, bool &plainText, int &loop)
{
    for (int i = 0; i < count; ++i) {
        const ExtensionBlock &b = blocks[i];
        if (b.Function == COMMENT_EXT_FUNC_CODE) {
            comments.emplace_back(reinterpret_cast<const char *>(b.Bytes), std::size_t(b.ByteCount));
            for (int j = i + 1; j < count && blocks[j].Function == CONTINUE_EXT_FUNC_CODE; ++j, ++i)
                comments.emplace_back(reinterpret_cast<const char *>(blocks[j].Bytes), std::size_t(blocks[j].ByteCount));
        } else if (b.Function == PLAINTEXT_EXT_FUNC_CODE) {
            plainText = true;
        } else if (b.Function == APPLICATION_EXT_FUNC_CODE && b.ByteCount == 11 &&
                   std::memcmp(b.Bytes, "NETSCAPE2.0", 11) == 0 && i + 1 < count && blocks[i + 1].ByteCount >= 3) {
            const GifByteType *d = blocks[i + 1].Bytes;
            loop = d[1] | (d[2] << 8);
        }
    }
}

} // namespace

File Decode(const std::vector<std::uint8_t> &bytes)
{
    Source src{&bytes};
    int err = 0;
    GifFileType *gif = DGifOpen(&src, readFn, &err);
    if (!gif)
        throw std::runtime_error(std::string("DGifOpen: ") + GifErrorString(err));
    File f;
    try {
        check(DGifSlurp(gif), gif, "DGifSlurp");
        f.gif89 = std::string(DGifGetGifVersion(gif)) == "89a" || std::memcmp(bytes.data() + 3, "89a", 3) == 0;
        f.width = gif->SWidth;
        f.height = gif->SHeight;
        f.background = gif->SBackGroundColor;
        f.globalColors = colors(gif->SColorMap);
        for (int i = 0; i < gif->ImageCount; ++i) {
            const SavedImage &s = gif->SavedImages[i];
            Frame fr;
            fr.left = s.ImageDesc.Left;
            fr.top = s.ImageDesc.Top;
            fr.width = s.ImageDesc.Width;
            fr.height = s.ImageDesc.Height;
            fr.interlace = s.ImageDesc.Interlace;
            fr.localColors = colors(s.ImageDesc.ColorMap);
            fr.pixels.assign(s.RasterBits, s.RasterBits + std::size_t(fr.width) * std::size_t(fr.height));
            GraphicsControlBlock gcb;
            if (DGifSavedExtensionToGCB(gif, i, &gcb) == GIF_OK) {
                fr.gce.present = true;
                fr.gce.delay = gcb.DelayTime;
                fr.gce.transparent = gcb.TransparentColor;
                fr.gce.disposal = gcb.DisposalMode;
            }
            scan(s.ExtensionBlocks, s.ExtensionBlockCount, fr.comments, fr.plainTextBefore, f.loopCount);
            f.frames.push_back(std::move(fr));
        }
        bool pt = false;
        scan(gif->ExtensionBlocks, gif->ExtensionBlockCount, f.trailingComments, pt, f.loopCount);
    } catch (...) {
        DGifCloseFile(gif, &err);
        throw;
    }
    DGifCloseFile(gif, &err);
    return f;
}

std::vector<std::uint8_t> Encode(const File &file)
{
    std::vector<std::uint8_t> out;
    int err = 0;
    GifFileType *gif = EGifOpen(&out, writeFn, &err);
    if (!gif)
        throw std::runtime_error("EGifOpen");
    EGifSetGifVersion(gif, file.gif89);
    ColorMapObject *global = makeMap(file.globalColors);
    check(EGifPutScreenDesc(gif, file.width, file.height, global ? global->BitsPerPixel : 8, file.background, global),
          gif, "screen");
    GifFreeMapObject(global);
    if (file.loopCount >= 0) {
        const GifByteType loop[3] = {1, GifByteType(file.loopCount & 0xFF), GifByteType(file.loopCount >> 8)};
        check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), gif, "app");
        check(EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0"), gif, "app");
        check(EGifPutExtensionBlock(gif, 3, loop), gif, "app");
        check(EGifPutExtensionTrailer(gif), gif, "app");
    }
    for (const Frame &fr : file.frames) {
        if (fr.gce.present) {
            GraphicsControlBlock gcb{};
            gcb.DisposalMode = fr.gce.disposal;
            gcb.DelayTime = fr.gce.delay;
            gcb.TransparentColor = fr.gce.transparent;
            GifByteType ext[4];
            const size_t n = EGifGCBToExtension(&gcb, ext);
            check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(n), ext), gif, "gce");
        }
        if (!fr.comments.empty()) {
            check(EGifPutExtensionLeader(gif, COMMENT_EXT_FUNC_CODE), gif, "comment");
            for (const std::string &c : fr.comments)
                check(EGifPutExtensionBlock(gif, int(c.size()), c.data()), gif, "comment");
            check(EGifPutExtensionTrailer(gif), gif, "comment");
        }
        if (fr.plainTextBefore) {
            const GifByteType grid[12] = {0, 0, 0, 0, 8, 0, 8, 0, 8, 8, 1, 0};
            check(EGifPutExtensionLeader(gif, PLAINTEXT_EXT_FUNC_CODE), gif, "text");
            check(EGifPutExtensionBlock(gif, 12, grid), gif, "text");
            check(EGifPutExtensionBlock(gif, 2, "Hi"), gif, "text");
            check(EGifPutExtensionTrailer(gif), gif, "text");
        }
        ColorMapObject *local = makeMap(fr.localColors);
        check(EGifPutImageDesc(gif, fr.left, fr.top, fr.width, fr.height, fr.interlace, local), gif, "image");
        GifFreeMapObject(local);
        std::vector<int> rows;
        if (fr.interlace) {
            static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = start[pass]; y < fr.height; y += step[pass])
                    rows.push_back(y);
        } else {
            for (int y = 0; y < fr.height; ++y)
                rows.push_back(y);
        }
        for (int y : rows) {
            std::vector<GifPixelType> line(fr.pixels.begin() + std::ptrdiff_t(y) * fr.width,
                                           fr.pixels.begin() + std::ptrdiff_t(y + 1) * fr.width);
            check(EGifPutLine(gif, line.data(), fr.width), gif, "line");
        }
    }
    if (!file.trailingComments.empty()) {
        check(EGifPutExtensionLeader(gif, COMMENT_EXT_FUNC_CODE), gif, "comment");
        for (const std::string &c : file.trailingComments)
            check(EGifPutExtensionBlock(gif, int(c.size()), c.data()), gif, "comment");
        check(EGifPutExtensionTrailer(gif), gif, "comment");
    }
    if (EGifCloseFile(gif, &err) != GIF_OK)
        throw std::runtime_error(std::string("EGifCloseFile: ") + GifErrorString(err));
    return out;
}

std::vector<std::uint8_t> Pattern(int width, int height, int bits, unsigned seed, bool noisy)
{
    std::vector<std::uint8_t> p(std::size_t(width) * std::size_t(height));
    const unsigned mask = (1u << bits) - 1;
    unsigned s = seed * 2654435761u + 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned v;
            if (noisy) {
                s = s * 1103515245u + 12345u;
                v = s >> 16;
            } else {
                v = unsigned((x / 7 + y / 5) ^ (x * y / 31));
            }
            p[std::size_t(y) * std::size_t(width) + std::size_t(x)] = std::uint8_t(v & mask);
        }
    return p;
}

std::vector<std::uint8_t> GreyTable(int bits)
{
    const int n = 1 << bits;
    std::vector<std::uint8_t> t;
    for (int i = 0; i < n; ++i) {
        const std::uint8_t v = std::uint8_t(n == 1 ? 0 : i * 255 / (n - 1));
        t.insert(t.end(), {v, std::uint8_t(255 - v), std::uint8_t(v / 2)});
    }
    return t;
}

} // namespace oracle
