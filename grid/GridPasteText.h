#pragma once
// CGridPasteReader: splits text pasted or dropped into a grid into lines and
// fields. Plain C++: it touches no window, so it also builds natively (and
// is fuzzed there).
//
// The rules (looser than the layout the grid copies out):
//  - the text ends at its given length or at its first zero byte, whichever
//    comes first (a block from another program need not hold a zero byte);
//  - lines end at "\n";
//  - within a line, fields end at runs of tabs, commas or line feeds:
//    consecutive separators count as one, leading ones are skipped, empty
//    fields do not exist;
//  - each field is trimmed of white space at both ends (so the "\r" of a
//    CR LF line end disappears);
//  - a line that is empty but ended by "\n" gives one empty field (pasting
//    it clears one cell); an empty last line gives nothing.
// Reading costs time linear in the text, whatever its shape.

#include "platform/core/kvExport.h"

#include <stddef.h>

struct GridPasteField
{
    size_t nLine;          // 0 for the first line
    size_t nField;         // 0 for the first field of its line
    const char* pText;     // the trimmed field (not zero-terminated)
    size_t nLength;
};

class KVVX_API CGridPasteReader
{
public:
    CGridPasteReader(const char* pText, size_t nLength);

    // The next field in reading order; false at the end of the text.
    bool NextField(GridPasteField& field);
    // Skips the rest of the current line (fields that have no cell).
    void SkipLine();

private:
    void EndLine();

    const char* m_p;
    const char* m_pEnd;
    size_t m_nLine;
    size_t m_nField;
    bool m_bLineStart;   // nothing of the current line read yet
};
