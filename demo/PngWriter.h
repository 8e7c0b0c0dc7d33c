#pragma once
// Writes 24-bit RGB images as PNG files: zlib data compressed with deflate's
// fixed Huffman codes (no dependency), with the CRC-32 and Adler-32
// checksums the format asks for.
#include <stdint.h>
#include <string>
#include <vector>

// pixels: width*height entries, 0x00RRGGBB, top row first.
// Returns false when the file cannot be written or the size is not positive.
bool WritePngRgb(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);

// The encoded file in memory (empty for a bad size).
std::vector<uint8_t> EncodePngRgb(int width, int height, const std::vector<uint32_t>& pixels);
