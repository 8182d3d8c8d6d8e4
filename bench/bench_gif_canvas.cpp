// Memory of a GIF whose few dozen bytes declare an 8192 x 8192 canvas:
// loading it as a picture and drawing it stretched into a window-sized
// picture. The counters give the process's peak growth in bytes per pixel of
// the declared canvas (the aim: about 1, never above 4).
#include "controls/images/GifImage.h"
#include "controls/images/GifPicture.h"

#include <QPainter>
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int Side = 8192;

long peakBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss * 1024L;
}

QByteArray declaredCanvas()
{
    const auto lo = [](int v) { return char(v & 0xFF); };
    const auto hi = [](int v) { return char(v >> 8); };
    const char bytes[] = {'G', 'I', 'F', '8', '9', 'a', lo(Side), hi(Side), lo(Side), hi(Side), char(0x80), 0, 0,
                          0, 0, 0, char(255), char(255), char(255), ',', 0, 0, 0, 0, lo(Side), hi(Side), lo(Side),
                          hi(Side), 0, 2, 2, 0x4C, 0x01, 0, ';'};
    return QByteArray(bytes, sizeof bytes);
}

void BM_LoadAndDrawDeclaredCanvas(benchmark::State &state)
{
    const QByteArray file = declaredCanvas();
    const long before = peakBytes();
    for (auto _ : state) {
        {
            const QImage picture = LoadGifPicture(file);
            benchmark::DoNotOptimize(picture.constBits());
        }
        TGIFImage gif;
        gif.LoadFromBytes(std::vector<std::uint8_t>(file.begin(), file.end()));
        QImage window(800, 600, QImage::Format_RGB32);
        QPainter p(&window);
        DrawGif(p, window.rect(), gif);
        p.end();
        benchmark::DoNotOptimize(window.constBits());
    }
    state.counters["file_bytes"] = double(file.size());
    state.counters["peak_growth_bytes_per_pixel"] = double(peakBytes() - before) / (double(Side) * Side);
}

} // namespace

BENCHMARK(BM_LoadAndDrawDeclaredCanvas)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
