// The display look-up table info readers on arbitrary files.

#include "datafiles/DispTableFile.h"

#include "FuzzFile.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* path = kvfuzz::WriteScratch(data, size);
    if (!path)
        return 0;
    std::string p = path;
    long n = -1;
    if (kvReadLookUpValueNumsFromFile(&p[0], &n)) {
        if (n < 0)
            __builtin_trap();
        // Size the array the way a host does, within reason.
        const long expected = n <= 4096 ? n : 4096;
        std::vector<DATALOOKUPVALUE> recs(static_cast<size_t>(expected));
        short value = 0;
        bool ok = kvReadLookUpTableInfoFromFile(&p[0], expected, &value, recs.data());
        if (ok && static_cast<size_t>(34 + 56 * expected) > size)
            __builtin_trap();   // more records than the file holds
    }
    return 0;
}
