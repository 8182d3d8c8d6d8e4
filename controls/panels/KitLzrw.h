#pragma once
// Block compressor of the kit's stored data: literal bytes, back references
// into the last 4095 bytes (found through a 4096-entry hash table) and runs of
// 16 or more equal bytes. One block holds at most KitBlockSize input bytes.
//
// This file and KitDataStream/KitWaveData are plain C++ (no Qt) so that the
// decoders can be built alone for the sanitizer and fuzz runs.

#include <cstdint>

constexpr int KitBlockSize = 32781;     // largest input of one block
constexpr int KitCompressMargin = 6;    // extra room the compressor may use
constexpr uint8_t KitBlockCompressed = 0x40;
constexpr uint8_t KitBlockStored = 0x80;

// Compresses Count bytes (0..KitBlockSize) of Source into Dest, which must have
// room for Count + KitCompressMargin bytes. Returns the block length. Never
// reads Source past Count.
int LZRWCompress(const uint8_t *Source, uint8_t *Dest, int Count);

// Decodes a block of Count bytes into Dest (room for DestCapacity bytes).
// Returns the number of bytes written, or -1 when the block is malformed: a
// reference before the start of the output, output beyond DestCapacity, an
// item running past Count. Never reads or writes outside the two blocks.
int LZRWDecompress(const uint8_t *Source, uint8_t *Dest, int Count, int DestCapacity = KitBlockSize);
