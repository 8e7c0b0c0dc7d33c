// libFuzzer target: the splitter of pasted grid text. Every field must lie
// inside the input, line and field numbers must only grow in reading order,
// and skipping lines must never step outside the text.

#include "grid/GridPasteText.h"

#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = (const char*)data;
    CGridPasteReader reader(text, size);
    GridPasteField f;
    size_t nLine = 0, nField = 0, nCount = 0;
    bool bFirst = true;
    while (reader.NextField(f))
    {
        if (f.pText < text || f.pText + f.nLength > text + size)
            abort();
        if (!bFirst && (f.nLine < nLine || (f.nLine == nLine && f.nField <= nField)))
            abort();
        bFirst = false;
        nLine = f.nLine;
        nField = f.nField;
        // Skip the rest of every third line, as a paste does past the last
        // column.
        if (++nCount % 3 == 0)
            reader.SkipLine();
        if (nCount > size + 1)
            abort();
    }
    return 0;
}
