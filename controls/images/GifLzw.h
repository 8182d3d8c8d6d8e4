#pragma once
// The variable-length-code LZW compression of GIF image data: copying a
// frame's data blocks out of a file, decoding them into an indexed picture
// and encoding an indexed picture back into data blocks, with the interlace
// row order both directions share.

#include "controls/images/GifTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A bounded cursor over bytes: every read past the end raises the stream
// read error.
class GifByteReader
{
public:
    GifByteReader(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    bool AtEnd() const { return m_pos >= m_size; }
    std::size_t Remaining() const { return m_size - m_pos; }
    std::size_t Position() const { return m_pos; }
    const std::uint8_t *Current() const { return m_data + m_pos; }

    std::uint8_t ReadByte();
    std::uint16_t ReadWord();   // little-endian
    std::uint32_t ReadDWord();  // little-endian
    void Read(void *buf, std::size_t n);
    void Skip(std::size_t n);

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// The image descriptor as read before a frame's data.
struct GifImageDescriptor
{
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    std::uint8_t Flags = 0;
};

// Reads the image descriptor and a local colour table (when its flag is
// set; otherwise the table is cleared), then copies the code-size byte and
// every data sub-block up to and including the zero terminator into target.
// A sub-block longer than what is left sets damaged and ends the copy.
void CopyImageBlocks(GifByteReader &source, std::vector<std::uint8_t> &target, GifImageDescriptor &descriptor,
                     GifColorTable &table, int &colorBits, bool &damaged, bool &localColors, bool &interlace);

// The next row of the interlaced order (passes from 0 to 3); a result at or
// beyond the height ends the picture.
int NextInterlacedRow(int row, int height, int &pass);

// Decodes data (from its code-size byte) into image, whose Width and Height
// are set; the pixels are sized and zeroed here. Pixel values are masked to
// pixelBits. Damage (a bad code size, a bad code, codes running out before
// the picture is full): with tolerate, damaged is set and the rows decoded
// so far are kept; otherwise the error is raised.
void LzwDecode(const std::vector<std::uint8_t> &data, IndexedImage &image, bool interlace, int pixelBits,
               bool tolerate, bool &damaged, const GifProgressFn &progress = {});

// Encodes the picture into target as code-size byte (the picture's bits,
// at least 2), sub-blocks and terminator. A pixel beyond the picture's bits
// raises "GIF image encoding error".
void LzwEncode(std::vector<std::uint8_t> &target, const IndexedImage &image, bool interlace,
               const GifProgressFn &progress = {});
