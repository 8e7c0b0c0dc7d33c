// kvReadLutFromFile on arbitrary files; the first two bytes choose the
// number of entries asked for.

#include "datafiles/LutFile.h"
#include "platform/core/Exceptions.h"

#include "FuzzFile.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const long n = static_cast<long>((data[0] | data[1] << 8) % 5000) - 8;   // a few negative ones too
    const char* path = kvfuzz::WriteScratch(data + 2, size - 2);
    if (!path)
        return 0;
    const size_t len = n > 0 ? static_cast<size_t>(n) : 0;
    std::vector<unsigned char> r(len, 0xAB), g(len, 0xAB), b(len, 0xAB);
    try {
        long rc = kvReadLutFromFile(path, n, r.data(), g.data(), b.data());
        if (rc != 0) {
            for (size_t i = 0; i < len; ++i)
                if (r[i] != 0xAB || g[i] != 0xAB || b[i] != 0xAB)
                    __builtin_trap();   // a failure must leave the arrays alone
        }
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}
