// CReadText and the tokeniser on arbitrary bytes. The first bytes choose
// the separators and the format; the rest is the file.

#include "datafiles/ReadText.h"
#include "platform/core/Exceptions.h"

#include "FuzzFile.h"

#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 6)
        return 0;
    KVVXSEPRATORSTRU sep = {};
    sep.bTab = data[0] & 1;
    sep.bSpace = data[0] & 2;
    sep.bComma = data[0] & 4;
    sep.bSemicolon = data[0] & 8;
    sep.bOther = data[0] & 16;
    sep.bMergeSeparators = data[0] & 32;
    sep.chOther = static_cast<char>(data[1]);
    tagBaseTextFormatStrcT fmt;
    fmt.sep = sep;
    fmt.nStartCol = static_cast<short>(data[2] % 8);          // 0 is invalid on purpose
    fmt.nStartLine = static_cast<short>(data[3] % 5);
    fmt.nColCount = static_cast<short>(data[4] % 70);         // past the 64 slots too
    const short nCols = static_cast<short>(data[5] % 10);
    data += 6;
    size -= 6;

    // The tokeniser directly, on the first line, with small slots.
    std::string line(reinterpret_cast<const char*>(data), size);
    line = line.substr(0, line.find('\n'));
    line = line.c_str();   // stop at an embedded zero as a C string does
    const int maxFields = 1 + static_cast<int>(size % 6);
    const int fieldBytes = 1 + static_cast<int>(size % 9);
    std::vector<char> area(static_cast<size_t>(maxFields * fieldBytes));
    std::vector<char*> slots;
    for (int k = 0; k < maxFields; ++k)
        slots.push_back(&area[static_cast<size_t>(k * fieldBytes)]);
    short colCount = fmt.nColCount > 0 ? fmt.nColCount : 1;
    int f = _ReadStringToArray(line.c_str(), slots.data(), maxFields, fieldBytes, &sep, colCount);
    if (f > 0) {
        for (int k = 0; k < maxFields && k < f; ++k)
            if (!std::memchr(slots[static_cast<size_t>(k)], 0, static_cast<size_t>(fieldBytes)))
                __builtin_trap();   // a field without its terminating zero
    }

    const char* path = kvfuzz::WriteScratch(data, size);
    if (!path)
        return 0;
    CReadText r;
    short rows = -1;
    try {
        if (r.BeginReadText(path, fmt, nCols, rows) == 1) {
            if (rows != r.m_nRows || rows < 0)
                __builtin_trap();
            char buf[256];
            for (short i = 0; i < rows; ++i)
                for (short c = 0; c < nCols; ++c)
                    if (r.GetTextData(i, c, buf) != 1 || std::strlen(buf) > 255)
                        __builtin_trap();
            CReadText copy(r);
            r.EndReadText();
            if (rows > 0 && copy.GetTextData(static_cast<short>(rows - 1), 0, buf) != 1)
                __builtin_trap();
        } else if (r.m_pData) {
            __builtin_trap();   // a failed load leaves the reader empty
        }
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}
