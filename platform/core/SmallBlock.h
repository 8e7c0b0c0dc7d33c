#pragma once

// Storage for short string buffers. Most texts held by controls are short
// (grid cells, list items); taking their buffers from the general heap costs
// a heap header and minimum block size per text (48 bytes per block on some
// heaps for a 10-character text) and a heap call each time. Blocks of up to
// 64 bytes come instead from free lists of four sizes (16, 32, 48, 64 bytes)
// carved from 64 KB chunks, without a header; larger ones from malloc.
//
// The caller states the size of a block when it frees or resizes it (CString
// knows its capacity), which is how a pooled block is told from a heap one.
// A size class gives its chunks back when its last block is freed and it
// holds more than a few. Safe to use from several threads. Builds with
// AddressSanitizer use malloc for every block, so the sanitizer keeps seeing
// each buffer.

#include <cstddef>

namespace kvvx_detail
{
// A block of nBytes bytes, NULL when memory is short.
void* SmallBlockAlloc(size_t nBytes);
// Resizes a block of nOldBytes to nNewBytes, keeping the first
// min(nOldBytes, nNewBytes) bytes; NULL (the old block intact) when memory
// is short.
void* SmallBlockRealloc(void* p, size_t nOldBytes, size_t nNewBytes);
// Frees a block of nBytes bytes (NULL is ignored).
void SmallBlockFree(void* p, size_t nBytes);
} // namespace kvvx_detail
