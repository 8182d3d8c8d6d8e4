#pragma once
// giflib, through its public interface, as the tests' second opinion: it
// decodes the files our writer makes and writes files for our reader.

#include <cstdint>
#include <string>
#include <vector>

namespace oracle {

struct Gce
{
    bool present = false;
    int delay = 0;        // 1/100 s
    int transparent = -1; // index, -1 for none
    int disposal = 0;
};

struct Frame
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlace = false;
    std::vector<std::uint8_t> localColors; // r, g, b per entry; empty for none
    std::vector<std::uint8_t> pixels;      // top-down
    Gce gce;
    std::vector<std::string> comments;     // comment sub-blocks before the frame
    bool plainTextBefore = false;
};

struct File
{
    bool gif89 = false;
    int width = 0;
    int height = 0;
    int background = 0;
    std::vector<std::uint8_t> globalColors;
    int loopCount = -1; // -1: no loop extension
    std::vector<Frame> frames;
    std::vector<std::string> trailingComments;
};

// Decodes with giflib; throws std::runtime_error with giflib's message.
File Decode(const std::vector<std::uint8_t> &bytes);
// Writes with giflib (frames in the given order, interlaced ones stored in
// interlaced row order).
std::vector<std::uint8_t> Encode(const File &file);

// A random-ish picture of the given bits per pixel (deterministic).
std::vector<std::uint8_t> Pattern(int width, int height, int bits, unsigned seed, bool noisy);
std::vector<std::uint8_t> GreyTable(int bits);

} // namespace oracle
