#pragma once
// Checks and stream forms of the bytes of one WAV sound (see TKitWave).
// Plain C++ (no Qt): see KitLzrw.h.

#include "controls/panels/KitDataStream.h"
#include "controls/panels/KitError.h"

// Data that is not a RIFF/WAVE file with a "fmt " chunk first.
using EInvalidWave = TKitError<struct EInvalidWaveKind>;

// The wave header ends early.
using EErrorCheckingWave = TKitError<struct EErrorCheckingWaveKind>;

struct KitWaveHeader
{
    uint32_t riffSize = 0;
    uint32_t samplesPerSec = 0;
    uint8_t channels = 0; // 1 mono, 2 stereo, 0 other
    bool pcm = false;     // format tag 1
    uint16_t blockAlign = 0;
};

// False for empty data or a header that is not RIFF/WAVE/"fmt "; raises
// EErrorCheckingWave when the data ends inside the header.
bool KitGetWaveData(const KitBytes &wave, KitWaveHeader &header);

// Takes size bytes from the stream's position as a sound. A size of 0 gives
// an empty sound; data that fails the header check raises EInvalidWave; a
// size beyond the stream raises EKitStreamError.
KitBytes KitLoadWaveSize(KitMemoryStream &s, int64_t size);

// The wave forms of the kit's records: compressed (the compressed-stream
// framing of the whole file) or plain (a 32-bit size, then the bytes).
void KitWriteWave(KitMemoryStream &s, const KitBytes &wave, bool compressed);
KitBytes KitReadWave(KitMemoryStream &s, bool compressed);
