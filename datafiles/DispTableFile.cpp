#include "datafiles/DispTableFile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

const char kMagic[28] = {'K', 'V', '_', 'Z', 'O', 'L', '_', 'D', 'I', 'S', 'P', 'T', 'A', 'B',
                         'L', 'E', '_', 'F', 'I', 'L', 'E', '_', 'V', 'E', 'R', '1', '.', '0'};

// Closes the file on every way out of a reader or writer.
struct FileCloser
{
    std::FILE* f;
    ~FileCloser()
    {
        if (f)
            std::fclose(f);
    }
    // Closes now and reports whether buffered data reached the file.
    bool Close()
    {
        std::FILE* g = f;
        f = nullptr;
        return std::fclose(g) == 0;
    }
};

void PutLE32(unsigned char* p, int32_t v)
{
    uint32_t u = static_cast<uint32_t>(v);
    p[0] = static_cast<unsigned char>(u);
    p[1] = static_cast<unsigned char>(u >> 8);
    p[2] = static_cast<unsigned char>(u >> 16);
    p[3] = static_cast<unsigned char>(u >> 24);
}

int32_t GetLE32(const unsigned char* p)
{
    uint32_t u = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                 static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    return static_cast<int32_t>(u);
}

// Reads and checks the magic and reads the count. False on a short read or
// another magic.
bool ReadHeader(std::FILE* f, int32_t& count)
{
    char magic[sizeof kMagic];
    if (std::fread(magic, 1, sizeof magic, f) != sizeof magic)
        return false;
    if (std::memcmp(magic, kMagic, sizeof kMagic) != 0)
        return false;
    unsigned char n[4];
    if (std::fread(n, 1, sizeof n, f) != sizeof n)
        return false;
    count = GetLE32(n);
    return true;
}

} // namespace

bool kvWriteLookUpTableInfoToFile(const char* pszPath, const DATALOOKUPVALUE* pRecords, long nCount, short nValue)
{
    if (!pszPath || nCount < 0 || nCount > INT32_MAX || (nCount > 0 && !pRecords))
        return false;
    FileCloser file{std::fopen(pszPath, "wb")};
    if (!file.f)
        return false;
    unsigned char head[sizeof kMagic + 6];
    std::memcpy(head, kMagic, sizeof kMagic);
    PutLE32(head + sizeof kMagic, static_cast<int32_t>(nCount));
    const uint16_t v = static_cast<uint16_t>(nValue);
    head[sizeof kMagic + 4] = static_cast<unsigned char>(v);
    head[sizeof kMagic + 5] = static_cast<unsigned char>(v >> 8);
    if (std::fwrite(head, 1, sizeof head, file.f) != sizeof head)
        return false;
    if (nCount > 0 &&
        std::fwrite(pRecords, sizeof(DATALOOKUPVALUE), static_cast<size_t>(nCount), file.f) !=
            static_cast<size_t>(nCount))
        return false;
    // A full disk often shows only when the buffer is flushed.
    if (std::fflush(file.f) != 0)
        return false;
    return file.Close();
}

bool kvReadLookUpValueNumsFromFile(char* pszPath, long* pnCount)
{
    if (!pszPath || !pnCount)
        return false;
    FileCloser file{std::fopen(pszPath, "rb")};
    if (!file.f)
        return false;
    int32_t count = 0;
    if (!ReadHeader(file.f, count) || count < 0)
        return false;
    *pnCount = count;
    return true;
}

bool kvReadLookUpTableInfoFromFile(char* pszPath, long nExpected, short* pnValue, DATALOOKUPVALUE* pRecords)
{
    if (!pszPath || !pnValue)
        return false;
    FileCloser file{std::fopen(pszPath, "rb")};
    if (!file.f)
        return false;
    int32_t count = 0;
    if (!ReadHeader(file.f, count) || count < 0 || count != nExpected)
        return false;
    if (count > 0 && !pRecords)
        return false;
    unsigned char v[2];
    if (std::fread(v, 1, sizeof v, file.f) != sizeof v)
        return false;
    *pnValue = static_cast<short>(static_cast<uint16_t>(v[0] | v[1] << 8));
    if (count > 0 &&
        std::fread(pRecords, sizeof(DATALOOKUPVALUE), static_cast<size_t>(count), file.f) !=
            static_cast<size_t>(count))
        return false;
    return true;
}
