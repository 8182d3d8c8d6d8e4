// GIF decoding and encoding of a 4096 x 4096 8-bit picture (one flat colour,
// and noise) with our codec and with giflib in the same run. The file both
// decoders read is giflib's; each encoder writes a whole file to memory.
#include "controls/images/GifImage.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <gif_lib.h>
#include <stdexcept>
#include <vector>

namespace {

constexpr int Side = 4096;

std::vector<std::uint8_t> pixels(bool noisy)
{
    std::vector<std::uint8_t> p(std::size_t(Side) * Side, 37);
    if (noisy) {
        unsigned s = 12345;
        for (auto &v : p) {
            s = s * 1103515245u + 12345u;
            v = std::uint8_t(s >> 16);
        }
    }
    return p;
}

const std::vector<std::uint8_t> &picture(bool noisy)
{
    static const std::vector<std::uint8_t> flat = pixels(false), noise = pixels(true);
    return noisy ? noise : flat;
}

ColorMapObject *greyMap()
{
    GifColorType c[256];
    for (int i = 0; i < 256; ++i)
        c[i] = {GifByteType(i), GifByteType(i), GifByteType(i)};
    return GifMakeMapObject(256, c);
}

int writeFn(GifFileType *gif, const GifByteType *buf, int n)
{
    auto *out = static_cast<std::vector<std::uint8_t> *>(gif->UserData);
    out->insert(out->end(), buf, buf + n);
    return n;
}

struct Source
{
    const std::vector<std::uint8_t> *bytes;
    std::size_t pos;
};

int readFn(GifFileType *gif, GifByteType *buf, int n)
{
    auto *s = static_cast<Source *>(gif->UserData);
    const std::size_t take = std::min<std::size_t>(std::size_t(n), s->bytes->size() - s->pos);
    std::memcpy(buf, s->bytes->data() + s->pos, take);
    s->pos += take;
    return int(take);
}

std::vector<std::uint8_t> giflibEncode(const std::vector<std::uint8_t> &px)
{
    std::vector<std::uint8_t> out;
    out.reserve(px.size() / 2);
    int err = 0;
    GifFileType *gif = EGifOpen(&out, writeFn, &err);
    ColorMapObject *map = greyMap();
    EGifPutScreenDesc(gif, Side, Side, 8, 0, map);
    EGifPutImageDesc(gif, 0, 0, Side, Side, false, nullptr);
    std::vector<GifPixelType> line(Side);
    for (int y = 0; y < Side; ++y) {
        std::memcpy(line.data(), px.data() + std::size_t(y) * Side, Side);
        if (EGifPutLine(gif, line.data(), Side) != GIF_OK)
            throw std::runtime_error("EGifPutLine");
    }
    EGifCloseFile(gif, &err);
    GifFreeMapObject(map);
    return out;
}

std::vector<std::uint8_t> ourEncode(const std::vector<std::uint8_t> &px)
{
    IndexedImage img;
    img.Width = img.Height = Side;
    img.Bits = 8;
    img.Pixels = px;
    img.Palette.Count = 256;
    for (int i = 0; i < 256; ++i)
        img.Palette.SetColor(i, GifColor(i * 0x010101));
    TGIFImage gif;
    gif.AddFrame(img);
    return gif.SaveToBytes();
}

const std::vector<std::uint8_t> &file(bool noisy)
{
    static const std::vector<std::uint8_t> flat = giflibEncode(picture(false)), noise = giflibEncode(picture(true));
    return noisy ? noise : flat;
}

void setCounters(benchmark::State &state)
{
    state.SetBytesProcessed(std::int64_t(state.iterations()) * Side * Side);
    state.counters["Mpx/s"] = benchmark::Counter(double(Side) * Side * double(state.iterations()) / 1e6,
                                                 benchmark::Counter::kIsRate);
}

void BM_DecodeOurs(benchmark::State &state)
{
    const std::vector<std::uint8_t> &bytes = file(state.range(0) != 0);
    for (auto _ : state) {
        TGIFImage gif;
        gif.ReadGifStream(bytes.data(), bytes.size(), true);
        benchmark::DoNotOptimize(gif.CurrentBitmap().Pixels.data());
    }
    setCounters(state);
}

void BM_DecodeGiflib(benchmark::State &state)
{
    const std::vector<std::uint8_t> &bytes = file(state.range(0) != 0);
    for (auto _ : state) {
        Source src{&bytes, 0};
        int err = 0;
        GifFileType *gif = DGifOpen(&src, readFn, &err);
        if (DGifSlurp(gif) != GIF_OK)
            state.SkipWithError("DGifSlurp");
        benchmark::DoNotOptimize(gif->SavedImages[0].RasterBits);
        DGifCloseFile(gif, &err);
    }
    setCounters(state);
}

void BM_EncodeOurs(benchmark::State &state)
{
    const std::vector<std::uint8_t> &px = picture(state.range(0) != 0);
    std::size_t size = 0;
    for (auto _ : state)
        size = ourEncode(px).size();
    state.counters["file KB"] = double(size) / 1024;
    setCounters(state);
}

void BM_EncodeGiflib(benchmark::State &state)
{
    const std::vector<std::uint8_t> &px = picture(state.range(0) != 0);
    std::size_t size = 0;
    for (auto _ : state)
        size = giflibEncode(px).size();
    state.counters["file KB"] = double(size) / 1024;
    setCounters(state);
}

} // namespace

// Argument 0: the flat picture; 1: the noisy one.
BENCHMARK(BM_DecodeOurs)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeGiflib)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeOurs)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeGiflib)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
