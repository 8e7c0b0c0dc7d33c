// PNG encoding: deflate with the fixed Huffman codes.
#include "demo/PngWriter.h"
#include <stdio.h>

namespace {

uint32_t Crc32(const uint8_t* p, size_t n, uint32_t crc = 0)
{
    static uint32_t table[256];
    static bool ready = false;
    if (!ready)
    {
        for (uint32_t i = 0; i < 256; ++i)
        {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < n; ++i)
        crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back((uint8_t)(v >> 24));
    out.push_back((uint8_t)(v >> 16));
    out.push_back((uint8_t)(v >> 8));
    out.push_back((uint8_t)v);
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    Put32(out, (uint32_t)data.size());
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    Put32(out, Crc32(out.data() + start, out.size() - start));
}

// Bits go out least significant first, as deflate wants them.
struct BitWriter
{
    std::vector<uint8_t>& out;
    uint32_t acc = 0;
    int nBits = 0;
    explicit BitWriter(std::vector<uint8_t>& o) : out(o) {}
    void Put(uint32_t bits, int n)
    {
        acc |= bits << nBits;
        nBits += n;
        while (nBits >= 8)
        {
            out.push_back((uint8_t)acc);
            acc >>= 8;
            nBits -= 8;
        }
    }
    // Huffman codes are sent most significant bit first.
    void PutCode(uint32_t code, int n)
    {
        uint32_t rev = 0;
        for (int i = 0; i < n; ++i)
            rev |= ((code >> i) & 1) << (n - 1 - i);
        Put(rev, n);
    }
    void Flush()
    {
        if (nBits > 0)
            out.push_back((uint8_t)acc);
        acc = 0;
        nBits = 0;
    }
};

void PutLiteral(BitWriter& w, int lit)
{
    if (lit < 144)
        w.PutCode(0x30 + lit, 8);
    else if (lit < 256)
        w.PutCode(0x190 + lit - 144, 9);
    else if (lit < 280)
        w.PutCode(lit - 256, 7);
    else
        w.PutCode(0xC0 + lit - 280, 8);
}

void PutMatch(BitWriter& w, int len, int dist)
{
    static const int lenBase[29] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31,
                                    35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int lenExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static const int distBase[30] = {1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385,
                                     513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    static const int distExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
    int li = 28;
    while (lenBase[li] > len)
        --li;
    PutLiteral(w, 257 + li);
    w.Put((uint32_t)(len - lenBase[li]), lenExtra[li]);
    int di = 29;
    while (distBase[di] > dist)
        --di;
    w.PutCode((uint32_t)di, 5);
    w.Put((uint32_t)(dist - distBase[di]), distExtra[di]);
}

// Greedy LZ77 over a 32 KB window with hash chains, coded with the fixed
// Huffman tables: small and fast enough for screenshots, which repeat a lot.
void DeflateFixed(const std::vector<uint8_t>& data, std::vector<uint8_t>& out)
{
    const int kWindow = 32768, kHashSize = 1 << 15, kMaxChain = 64;
    std::vector<int> head(kHashSize, -1), prev(data.size() > 0 ? data.size() : 1, -1);
    auto hash = [&](size_t i) {
        return (int)(((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & (kHashSize - 1));
    };
    BitWriter w(out);
    w.Put(1, 1);  // final block
    w.Put(1, 2);  // fixed Huffman codes
    const size_t n = data.size();
    size_t i = 0;
    while (i < n)
    {
        int bestLen = 0, bestDist = 0;
        if (i + 2 < n)
        {
            int h = hash(i);
            int cand = head[h];
            int chain = 0;
            while (cand >= 0 && (int)(i - (size_t)cand) <= kWindow && chain++ < kMaxChain)
            {
                size_t maxLen = n - i < 258 ? n - i : 258;
                size_t len = 0;
                while (len < maxLen && data[(size_t)cand + len] == data[i + len])
                    ++len;
                if ((int)len > bestLen)
                {
                    bestLen = (int)len;
                    bestDist = (int)(i - (size_t)cand);
                    if (len == maxLen)
                        break;
                }
                cand = prev[(size_t)cand];
            }
        }
        size_t step = bestLen >= 3 ? (size_t)bestLen : 1;
        if (bestLen >= 3)
            PutMatch(w, bestLen, bestDist);
        else
            PutLiteral(w, data[i]);
        for (size_t k = 0; k < step; ++k, ++i)
        {
            if (i + 2 < n)
            {
                int h = hash(i);
                prev[i] = head[h];
                head[h] = (int)i;
            }
        }
    }
    PutLiteral(w, 256);  // end of block
    w.Flush();
}

}  // namespace

std::vector<uint8_t> EncodePngRgb(int width, int height, const std::vector<uint32_t>& pixels)
{
    std::vector<uint8_t> png;
    if (width <= 0 || height <= 0 || pixels.size() < (size_t)width * (size_t)height)
        return png;

    // Scan lines, each led by filter type 0.
    std::vector<uint8_t> raw;
    raw.reserve((size_t)height * ((size_t)width * 3 + 1));
    for (int y = 0; y < height; ++y)
    {
        raw.push_back(0);
        for (int x = 0; x < width; ++x)
        {
            uint32_t v = pixels[(size_t)y * width + x];
            raw.push_back((uint8_t)(v >> 16));
            raw.push_back((uint8_t)(v >> 8));
            raw.push_back((uint8_t)v);
        }
    }

    // zlib stream: header, one deflate block with the fixed Huffman codes,
    // Adler-32 of the raw data.
    std::vector<uint8_t> z;
    z.push_back(0x78);
    z.push_back(0x01);
    DeflateFixed(raw, z);
    uint32_t a = 1, b = 0;
    for (uint8_t c : raw)
    {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    Put32(z, (b << 16) | a);

    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    png.assign(signature, signature + 8);
    std::vector<uint8_t> ihdr;
    Put32(ihdr, (uint32_t)width);
    Put32(ihdr, (uint32_t)height);
    ihdr.push_back(8);  // bit depth
    ihdr.push_back(2);  // colour type: RGB
    ihdr.push_back(0);  // deflate
    ihdr.push_back(0);  // adaptive filtering
    ihdr.push_back(0);  // no interlace
    PutChunk(png, "IHDR", ihdr);
    PutChunk(png, "IDAT", z);
    PutChunk(png, "IEND", std::vector<uint8_t>());
    return png;
}

bool WritePngRgb(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels)
{
    std::vector<uint8_t> png = EncodePngRgb(width, height, pixels);
    if (png.empty())
        return false;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = fwrite(png.data(), 1, png.size(), f) == png.size();
    ok = (fclose(f) == 0) && ok;
    if (!ok)
        remove(path.c_str());
    return ok;
}
