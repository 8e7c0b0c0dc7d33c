#pragma once

// Colour look-up table files. A table maps an index to a red, green and blue
// byte; the caller keeps the three components in three separate byte arrays.
//
// Layout (little-endian): 8-byte magic "LUT1.0" plus two zero bytes, a
// 128-byte and a 256-byte text field (the writer stores the file's own path
// in both, zero-padded and cut to the field), the 32-bit entry count at
// offset 392, then the entries, 3 bytes each: red, green, blue. A written
// file always has 256 entries and is 1164 bytes long. The reader ignores the
// first 392 bytes.

#include "platform/core/kvExport.h"

// Result codes of the look-up table routines.
#define KVLUT_OK            0L
#define KVLUT_ERR_OPENREAD  4000028L   // cannot be opened for reading, or holds no valid table
#define KVLUT_ERR_ALLOC     2000001L   // the reader cannot allocate its copy of the table
#define KVLUT_ERR_OPENWRITE 2010001L   // cannot be created or opened for writing

// Writes a 256-entry table from red[k], green[k], blue[k], k = 0 .. 255
// (each array holds at least 256 bytes). Returns 0, or 2010001 when the file
// cannot be created or an array is null. An error of the file layer while
// writing (a full disk) reaches the caller as a CFileException*; the file is
// closed on the way out.
KVVX_API long kvWriteLutToFile(const char* pszPath, const void* pRed, const void* pGreen, const void* pBlue);

// Reads the table and resamples it to n entries: output i gets entry
// trunc(i / s) with s = n / count (single precision), so n = 512 repeats
// every entry twice and n = 128 takes every second one. Each array holds at
// least n bytes. Returns 0; 4000028 when the file cannot be opened, its count
// is 0 or less, the file is too short for its count, or an array is null
// while n is positive; 2000001 when the table cannot be allocated. On a
// failure the arrays are not touched. n of 0 or less writes nothing: the
// file is still opened and its count checked, and the result is 0 when both
// pass. An error of the file layer while reading reaches the caller as a
// CFileException*.
KVVX_API long kvReadLutFromFile(const char* pszPath, long n, void* pRed, void* pGreen, void* pBlue);
