#include "datafiles/LutFile.h"

#include "platform/core/Exceptions.h"
#include "platform/core/File.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace {

const size_t kPath1Offset = 8;
const size_t kPath1Bytes = 128;
const size_t kPath2Offset = 136;
const size_t kPath2Bytes = 256;
const size_t kCountOffset = 392;
const size_t kEntriesOffset = 396;
const int kWrittenEntries = 256;

} // namespace

long kvWriteLutToFile(const char* pszPath, const void* pRed, const void* pGreen, const void* pBlue)
{
    if (!pszPath || !pRed || !pGreen || !pBlue)
        return KVLUT_ERR_OPENWRITE;

    unsigned char buf[kEntriesOffset + 3 * kWrittenEntries] = {};
    std::memcpy(buf, "LUT1.0", 6);
    const size_t pathLen = std::strlen(pszPath);
    std::memcpy(buf + kPath1Offset, pszPath, pathLen < kPath1Bytes ? pathLen : kPath1Bytes);
    std::memcpy(buf + kPath2Offset, pszPath, pathLen < kPath2Bytes ? pathLen : kPath2Bytes);
    const uint32_t count = kWrittenEntries;
    buf[kCountOffset + 0] = static_cast<unsigned char>(count);
    buf[kCountOffset + 1] = static_cast<unsigned char>(count >> 8);
    buf[kCountOffset + 2] = static_cast<unsigned char>(count >> 16);
    buf[kCountOffset + 3] = static_cast<unsigned char>(count >> 24);
    const unsigned char* r = static_cast<const unsigned char*>(pRed);
    const unsigned char* g = static_cast<const unsigned char*>(pGreen);
    const unsigned char* b = static_cast<const unsigned char*>(pBlue);
    unsigned char* e = buf + kEntriesOffset;
    for (int k = 0; k < kWrittenEntries; ++k) {
        *e++ = r[k];
        *e++ = g[k];
        *e++ = b[k];
    }

    CFile file;
    if (!file.Open(pszPath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
        return KVLUT_ERR_OPENWRITE;
    try {
        file.Write(buf, sizeof buf);
        file.Close();
    } catch (...) {
        file.Abort();
        throw;
    }
    return KVLUT_OK;
}

long kvReadLutFromFile(const char* pszPath, long n, void* pRed, void* pGreen, void* pBlue)
{
    if (!pszPath || (n > 0 && (!pRed || !pGreen || !pBlue)))
        return KVLUT_ERR_OPENREAD;

    CFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return KVLUT_ERR_OPENREAD;

    std::vector<unsigned char> table;
    int32_t count = 0;
    try {
        const uint64_t length = file.GetLength();
        if (length < kEntriesOffset) {
            file.Close();
            return KVLUT_ERR_OPENREAD;
        }
        file.Seek(static_cast<LONGLONG>(kCountOffset), CFile::begin);
        unsigned char c[4];
        if (file.Read(c, 4) != 4) {
            file.Close();
            return KVLUT_ERR_OPENREAD;
        }
        count = static_cast<int32_t>(static_cast<uint32_t>(c[0]) | static_cast<uint32_t>(c[1]) << 8 |
                                     static_cast<uint32_t>(c[2]) << 16 | static_cast<uint32_t>(c[3]) << 24);
        // A table that is empty, negative or longer than the file holds is
        // refused before anything is allocated or written.
        if (count <= 0 || static_cast<uint64_t>(count) * 3 > length - kEntriesOffset) {
            file.Close();
            return KVLUT_ERR_OPENREAD;
        }
        if (n <= 0) {
            file.Close();
            return KVLUT_OK;
        }
        try {
            table.resize(static_cast<size_t>(count) * 3);
        } catch (const std::bad_alloc&) {
            file.Close();
            return KVLUT_ERR_ALLOC;
        }
        const UINT want = static_cast<UINT>(table.size());
        UINT got = 0;
        while (got < want) {
            UINT r = file.Read(table.data() + got, want - got);
            if (r == 0)
                break;
            got += r;
        }
        file.Close();
        if (got != want)
            return KVLUT_ERR_OPENREAD;   // the file shrank under us
    } catch (...) {
        file.Abort();
        throw;
    }

    const float step = static_cast<float>(static_cast<double>(n) / static_cast<double>(count));
    unsigned char* r = static_cast<unsigned char*>(pRed);
    unsigned char* g = static_cast<unsigned char*>(pGreen);
    unsigned char* b = static_cast<unsigned char*>(pBlue);
    for (long i = 0; i < n; ++i) {
        double k = static_cast<double>(i) / static_cast<double>(step);
        // Rounding of the single-precision step can carry the last outputs
        // of a very long resample one entry past the end: stay inside.
        int64_t idx = k >= static_cast<double>(count) ? count - 1 : static_cast<int64_t>(k);
        const unsigned char* e = table.data() + static_cast<size_t>(idx) * 3;
        r[i] = e[0];
        g[i] = e[1];
        b[i] = e[2];
    }
    return KVLUT_OK;
}
