// The grid text file's line splitting on arbitrary bytes. The first byte
// chooses the block size the rest is fed in; the fields must come out the
// same as when the whole input is fed at once, every field must be a
// zero-terminated text without separators, and no piece may exceed the
// longest line piece.

#include "grid/GridLineSplitter.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace
{

class CRecord : public CGridLineSplitter::CSink
{
public:
    void OnField(const char* pszField, size_t nLength, size_t nLine, size_t nField) override
    {
        if (strlen(pszField) != nLength || memchr(pszField, ',', nLength) != nullptr ||
            memchr(pszField, '\n', nLength) != nullptr)
            __builtin_trap();
        if (nLine != m_nLastLine)
        {
            m_nLastLine = nLine;
            m_nPiece = 0;
        }
        m_nPiece += nLength + 1;
        if (m_nPiece > CGridLineSplitter::kLinePiece + 1)
            __builtin_trap();
        out.append(std::to_string(nLine)).append(":").append(std::to_string(nField)).append(":");
        out.append(pszField, nLength).append("\x01");
    }
    std::string out;

private:
    size_t m_nLastLine = (size_t)-1;
    size_t m_nPiece = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t nBlock = 1 + data[0] % 64;
    const char* p = reinterpret_cast<const char*>(data + 1);
    const size_t n = size - 1;

    CRecord whole;
    CGridLineSplitter a(whole);
    a.Feed(p, n);
    a.Finish();

    CRecord pieces;
    CGridLineSplitter b(pieces);
    for (size_t i = 0; i < n; i += nBlock)
        b.Feed(p + i, n - i < nBlock ? n - i : nBlock);
    b.Finish();

    if (whole.out != pieces.out || a.GetLineCount() != b.GetLineCount())
        __builtin_trap();
    return 0;
}
