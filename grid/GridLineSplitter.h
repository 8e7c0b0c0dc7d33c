#pragma once
// CGridLineSplitter: turns the bytes of the grid's comma-separated text file
// into lines and fields, exactly as the grid's Load reads them. Plain C++
// that touches no window, so it is tested and fuzzed natively too.
//
// Bytes are fed as they come from the file, in blocks of any size. They
// are read in text mode: a CR directly followed by LF counts as one line
// end, any other CR is an ordinary character. Lines are taken in pieces of
// at most 1023 characters; a longer line goes on as the next line. A piece
// ends at a zero byte as far as its fields go (what follows in the same
// piece is dropped).
//
// Within a piece a field ends at the next ',' or line end; at the end of the
// piece an empty remainder ends the line and a non-empty one is its last
// field. So "a,b\n" gives a and b, "a,,b" gives a, "" and b, "a,b,\n" gives
// a, b and "", and "\n" gives one empty field. There is no quoting.

#include "platform/core/kvExport.h"

#include <stddef.h>

class KVVX_API CGridLineSplitter
{
public:
    // Longest piece of a line taken at once.
    enum { kLinePiece = 1023 };

    // Receives the fields in file order: the field's text (zero-terminated,
    // valid during the call), its length, the number of the line (piece)
    // it belongs to, from 0, and its number within the line, from 0.
    class CSink
    {
    public:
        virtual ~CSink() {}
        virtual void OnField(const char* pszField, size_t nLength, size_t nLine, size_t nField) = 0;
    };

    explicit CGridLineSplitter(CSink& sink);

    // Splits the next block of the file's bytes.
    void Feed(const char* pBytes, size_t nBytes);
    // The end of the file: the last piece, if any, is split.
    void Finish();

    // Pieces split so far (lines, counting the parts of long lines).
    size_t GetLineCount() const { return m_nLine; }

private:
    void EndPiece();

    CSink& m_sink;
    char   m_piece[kLinePiece + 1];
    size_t m_nLength;       // characters in m_piece
    size_t m_nLine;         // number of the piece being collected
    bool   m_bPendingCR;    // the last byte fed was a CR whose follower is unknown

    CGridLineSplitter(const CGridLineSplitter&) = delete;
    CGridLineSplitter& operator=(const CGridLineSplitter&) = delete;
};
