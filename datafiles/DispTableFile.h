#pragma once

// Display look-up table info files: an array of opaque 56-byte records with
// a record count and one 16-bit value of the caller's.
//
// Layout (little-endian): 28-byte magic "KV_ZOL_DISPTABLE_FILE_VER1.0" (no
// terminating zero), 32-bit record count N, the caller's 16-bit value, then
// N records of 56 bytes each, as they lie in memory.

#include "platform/core/kvExport.h"

// One row of a host application's display table. The library never looks
// inside it: records are stored and loaded byte for byte.
typedef struct tagDATALOOKUPVALUE
{
    unsigned char bytes[56];
} DATALOOKUPVALUE;

static_assert(sizeof(DATALOOKUPVALUE) == 56, "DATALOOKUPVALUE records are 56 bytes");

// Creates (or truncates) the file and writes the magic, nCount, nValue and
// nCount records. False when the file cannot be created, a write or the final
// flush is incomplete (a partial file is then left behind), nCount is
// negative, or pRecords is null while nCount is positive.
KVVX_API bool kvWriteLookUpTableInfoToFile(const char* pszPath, const DATALOOKUPVALUE* pRecords, long nCount,
                                           short nValue);

// Reads the record count only. False when the file cannot be opened, is
// shorter than its magic and count, has another magic, or holds a negative
// count; *pnCount is then not written.
KVVX_API bool kvReadLookUpValueNumsFromFile(char* pszPath, long* pnCount);

// Reads the caller's value and the records into the caller's array, which
// must hold at least nExpected records. False when the file cannot be opened,
// is too short, has another magic, or its count differs from nExpected (then
// neither *pnValue nor the array is touched). When the file ends inside the
// records the result is false; *pnValue then holds the file's value and the
// array whatever was read.
KVVX_API bool kvReadLookUpTableInfoFromFile(char* pszPath, long nExpected, short* pnValue,
                                            DATALOOKUPVALUE* pRecords);
