#pragma once

// Delimited text tables: a line tokeniser, a block allocator for fixed-width
// text slots, and CReadText, which loads chosen columns of a delimited text
// file into a table of 256-byte text cells.
//
// Text is handled as 8-bit bytes. There is no quoting, escaping or trimming:
// a quote character is an ordinary character.

#include "platform/core/kvExport.h"

// Which characters separate the fields of a line. Filled by the caller.
typedef struct KVVXSEPRATORSTRU
{
    int  bTab;              // non-zero: TAB (9) separates
    int  bSpace;            // non-zero: space (32) separates
    int  bComma;            // non-zero: comma separates
    int  bSemicolon;        // non-zero: semicolon separates
    int  bOther;            // non-zero: chOther separates
    char chOther;           // the caller's own separator (a zero byte never matches)
    int  bMergeSeparators;  // non-zero: a run of separators counts as one;
                            // zero: each separator after a separator yields an empty field
} KVVXSEPRATORSTRU;

// Layout of a delimited text file as CReadText::BeginReadText expects it.
typedef struct tagBaseTextFormatStrcT
{
    KVVXSEPRATORSTRU sep;   // the separators of the file
    short nStartCol;        // 1-based number of the first field that goes into the table (>= 1)
    short nStartLine;       // 1-based number of the first data line (1 = no header line) (>= 1)
    short nColCount;        // number of fields a data line is expected to have (>= 1);
                            // the last expected field takes the surplus of a longer line
} tagBaseTextFormatStrcT;

// Allocates one block holding nRows slot pointers followed by nRows slots of
// nRowBytes bytes each; pointer k addresses slot k and the slots are
// contiguous. The slots are not cleared. Returns 1 and stores the pointer
// array through ppArray, or 0 (ppArray untouched) when the block cannot be
// allocated, when nRows or nRowBytes is below 1, or when ppArray is null.
KVVX_API short Alloc2DArray(char*** ppArray, long nRows, long nRowBytes);

// Releases a block made by Alloc2DArray. A null array is ignored.
KVVX_API void Free2DArray(char** pArray);

// Splits one line into the slots of a slot array (nMaxFields slots of
// nFieldBytes bytes each). A field counts only when a separator follows it;
// the text after the last separator is not a field. With nColCount = n:
//  - when exactly n - 1 fields were found, slot n - 1 is emptied and the
//    result is n;
//  - when more than n fields were found, fields n .. i - 1 are appended to
//    field n - 1, each after one space, and the result is the number found;
//    the merged field is cut to nFieldBytes - 1 characters (the terminating
//    zero always stays inside the slot);
//  - otherwise the result is the number of fields found.
// Returns -1 when the line does not fit the slots: more than nMaxFields
// fields, a field of nFieldBytes or more characters, or n - 1 >= nMaxFields
// when slot n - 1 would have to be emptied. Returns -1 as well for a null
// line, slot array or separator record, or for nMaxFields, nFieldBytes or
// nColCount below 1, and for a line of more than 32767 fields, whose count
// the 16-bit result cannot hold. Nothing is ever written outside the
// nMaxFields slots.
KVVX_API short _ReadStringToArray(const char* pszLine, char** ppSlots, int nMaxFields, int nFieldBytes,
                                  const KVVXSEPRATORSTRU* pSep, short nColCount);

// Loads a rectangular block of text cells from a delimited text file.
//
// The table is row-major; every cell is 256 bytes holding a zero-terminated,
// zero-padded string, cell (r, c) at byte (r * m_nCols + c) * 256. A load
// sizes the table from the file's line count in one block; should more rows
// come, it grows geometrically (doubling), so loading n rows costs O(n).
//
// At most 32767 rows fit (the row counter is 16-bit): a file with more data
// rows than that fails to load (result 0, reader empty); it is never cut
// short silently.
class KVVX_API CReadText
{
public:
    CReadText();
    // Copies are deep: each reader owns its own table.
    CReadText(const CReadText& other);
    ~CReadText();

    // Loads the file. nCols is the number of columns kept per row, starting
    // at field fmt.nStartCol. Returns 1 and the number of rows through
    // nRowsRead, or 0 with nRowsRead not written. In this order, and without
    // changing anything: the format is refused when nStartCol, nStartLine,
    // nColCount or nCols is below 1 or nStartCol + nCols - 1 > nColCount; a
    // reader that still holds a table refuses and keeps it; a file that
    // cannot be opened is refused. Once the file is open, a data line with
    // too few fields, memory running out, or more than 32767 data rows fail
    // the load and leave the reader empty. Blank data lines, lines without a
    // terminated field (when nColCount > 1) and lines that do not fit 64
    // fields of 63 characters are skipped. A read error of the file layer
    // reaches the caller as a CFileException* (the reader is left empty and
    // the file closed).
    short BeginReadText(const char* pszPath, const tagBaseTextFormatStrcT& fmt, short nCols, short& nRowsRead);

    // Copies cell (nRow, nCol) with its terminating zero into pszBuf, which
    // must hold at least 256 bytes. Returns 0 and leaves the buffer alone when
    // there is no table or the row or column is out of range.
    short GetTextData(short nRow, short nCol, char* pszBuf);

    // Releases the table; the reader is empty again. Always 1.
    short EndReadText();

    // The target takes a copy of the source's table; self-assignment is a
    // no-op. When memory runs out a CMemoryException* is thrown and the
    // target keeps what it held (the copy constructor throws the same).
    CReadText& operator=(const CReadText& other);

    short m_nCols;   // columns stored per row
    short m_nRows;   // rows stored (while loading: the index of the row being read)
    char* m_pData;   // the table, or null

private:
    // Stores the nCols fields at ppFields as row nRow, growing the table
    // (of nCapacity rows) when it is full. 0 when memory runs out.
    short InsertOneRow(short nRow, char* const* ppFields, int& nCapacity);
};
