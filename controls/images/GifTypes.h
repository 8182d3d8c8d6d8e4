#pragma once
// The plain types the picture formats share: a colour table as GIF files hold
// it, an indexed image (one byte per pixel, rows top-down, with its logical
// bits per pixel and its palette), a true-colour image, and the messages of
// the GIF picture. No Qt here: the codec, the file reader and the colour
// reduction work on these alone.

#include "controls/panels/GraphicErrors.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

// Colours are $00BBGGRR as in the kit; "no colour" is 0x1FFFFFFF.
using GifColor = std::uint32_t;
inline constexpr GifColor GifNoColor = 0x1FFFFFFF;

inline constexpr const char *SGifUnknownVersion = "Unknown GIF version";
inline constexpr const char *SGifEncodeError = "GIF image encoding error";
inline constexpr const char *SGifDecodeError = "GIF encoded data is corrupt";
inline constexpr const char *SGifCodeSizeError = "GIF code size not in range 2 to 9";
inline constexpr const char *SGifWrongColors = "Wrong number of colors; must be a power of 2";
inline constexpr const char *SGifUnknownExtension = "Unrecognized extension block: %.2x";
inline constexpr const char *SGifNoData = "No GIF Data to write";
inline constexpr const char *SGifCannotResize = "Cannot change the Size of a GIF image";
inline constexpr const char *SReadError = "Stream read error";

// Pictures larger than this many pixels are refused before anything is
// allocated for them.
inline constexpr std::int64_t GifMaxPixels = std::int64_t(64) * 1024 * 1024;

// A GIF colour table: Count entries (0 = no table) of red, green, blue.
struct GifColorTable
{
    int Count = 0;
    std::array<std::uint8_t, 768> Rgb{};

    GifColor Color(int i) const { return Rgb[i * 3] | (Rgb[i * 3 + 1] << 8) | (Rgb[i * 3 + 2] << 16); }
    void SetColor(int i, GifColor c)
    {
        Rgb[i * 3] = std::uint8_t(c);
        Rgb[i * 3 + 1] = std::uint8_t(c >> 8);
        Rgb[i * 3 + 2] = std::uint8_t(c >> 16);
    }
    // The first entry of the colour (compared as plain RGB), or -1; "no
    // colour" is never found.
    int FindColorIndex(GifColor c) const;
    void Clear() { *this = GifColorTable(); }
    bool operator==(const GifColorTable &o) const
    {
        return Count == o.Count && std::memcmp(Rgb.data(), o.Rgb.data(), std::size_t(Count) * 3) == 0;
    }
};

// An indexed picture: one byte per pixel, rows from the top, Bits the
// logical bits per pixel (1..8) of its palette.
struct IndexedImage
{
    int Width = 0;
    int Height = 0;
    int Bits = 8;
    std::vector<std::uint8_t> Pixels;
    GifColorTable Palette;

    bool Empty() const { return Width <= 0 || Height <= 0; }
    std::uint8_t *Row(int y) { return Pixels.data() + std::size_t(y) * std::size_t(Width); }
    const std::uint8_t *Row(int y) const { return Pixels.data() + std::size_t(y) * std::size_t(Width); }
    // Sizes the picture (zero pixels); refuses sizes above GifMaxPixels.
    void Resize(int width, int height);
};

// A true-colour picture: 0x00RRGGBB per pixel, rows from the top.
struct RgbImage
{
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;

    bool Empty() const { return Width <= 0 || Height <= 0; }
};

// Progress of a long operation: stage, percent, message.
enum class GifProgressStage { Starting, Running, Ending };
using GifProgressFn = std::function<void(GifProgressStage, int percent, const std::string &message)>;
