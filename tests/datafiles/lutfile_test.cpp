// Colour look-up table files: the written layout, resampling on read, and
// files, counts and devices that must fail without touching the arrays.

#include "datafiles/LutFile.h"

#include "platform/core/Exceptions.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Lut
{
    std::vector<unsigned char> r, g, b;
    explicit Lut(size_t n, unsigned char fill = 0) : r(n, fill), g(n, fill), b(n, fill) {}
};

Lut Ramp()
{
    Lut t(256);
    for (int k = 0; k < 256; ++k) {
        t.r[k] = static_cast<unsigned char>(k);
        t.g[k] = static_cast<unsigned char>(255 - k);
        t.b[k] = static_cast<unsigned char>(k * 7);
    }
    return t;
}

long Read(const std::string& p, long n, Lut& out)
{
    return kvReadLutFromFile(p.c_str(), n, out.r.data(), out.g.data(), out.b.data());
}

// A file with any 392-byte prefix, the given count and entries.
std::string LutBytes(int32_t count, const std::string& entries, char prefixFill = 'Q')
{
    std::string s(392, prefixFill);
    for (int k = 0; k < 4; ++k)
        s += static_cast<char>((static_cast<uint32_t>(count) >> (8 * k)) & 0xFF);
    return s + entries;
}

class LutFile : public ::testing::Test
{
protected:
    kvtest::TempDir dir;
};

} // namespace

TEST_F(LutFile, WritesTheFixedLayoutAndReadsItBack)
{
    Lut in = Ramp();
    std::string p = dir.Path("ramp.lut");
    ASSERT_EQ(kvWriteLutToFile(p.c_str(), in.r.data(), in.g.data(), in.b.data()), KVLUT_OK);

    std::string bytes = kvtest::TempDir::Read(p);
    ASSERT_EQ(bytes.size(), 1164u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("LUT1.0\0\0", 8));
    EXPECT_EQ(std::string(bytes.c_str() + 8), p.substr(0, 128));
    EXPECT_EQ(std::string(bytes.c_str() + 136), p.substr(0, 256));
    EXPECT_EQ(bytes.substr(392, 4), std::string("\x00\x01\x00\x00", 4));
    EXPECT_EQ(static_cast<unsigned char>(bytes[396 + 3 * 10 + 1]), 245);

    Lut out(256);
    ASSERT_EQ(Read(p, 256, out), KVLUT_OK);
    EXPECT_EQ(out.r, in.r);
    EXPECT_EQ(out.g, in.g);
    EXPECT_EQ(out.b, in.b);
}

TEST_F(LutFile, LongPathsAreCutToTheirFields)
{
    std::string sub = dir.Path(std::string(150, 'd'));
    std::error_code ec;
    std::filesystem::create_directory(sub, ec);
    std::string p = (std::filesystem::path(sub) / "t.lut").string();
    Lut in = Ramp();
    ASSERT_EQ(kvWriteLutToFile(p.c_str(), in.r.data(), in.g.data(), in.b.data()), KVLUT_OK);
    std::string bytes = kvtest::TempDir::Read(p);
    ASSERT_EQ(bytes.size(), 1164u);
    EXPECT_EQ(bytes.substr(8, 128), p.substr(0, 128));   // no terminating zero when cut
    EXPECT_EQ(std::string(bytes.c_str() + 136), p);
    Lut out(256);
    EXPECT_EQ(Read(p, 256, out), KVLUT_OK);
    EXPECT_EQ(out.b, in.b);
}

TEST_F(LutFile, ResamplesToAnyLength)
{
    Lut in = Ramp();
    std::string p = dir.Path("ramp.lut");
    ASSERT_EQ(kvWriteLutToFile(p.c_str(), in.r.data(), in.g.data(), in.b.data()), KVLUT_OK);

    Lut twice(512);
    ASSERT_EQ(Read(p, 512, twice), KVLUT_OK);
    for (int i = 0; i < 512; ++i) {
        ASSERT_EQ(twice.r[i], in.r[i / 2]) << i;
        ASSERT_EQ(twice.b[i], in.b[i / 2]) << i;
    }
    Lut half(128);
    ASSERT_EQ(Read(p, 128, half), KVLUT_OK);
    for (int i = 0; i < 128; ++i)
        ASSERT_EQ(half.g[i], in.g[2 * i]) << i;
    Lut hundred(100);
    ASSERT_EQ(Read(p, 100, hundred), KVLUT_OK);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(hundred.r[i], in.r[static_cast<int>(i / 0.390625)]) << i;
    EXPECT_EQ(hundred.r[99], 253);
    Lut wide(4096);
    ASSERT_EQ(Read(p, 4096, wide), KVLUT_OK);
    EXPECT_EQ(wide.r[4095], 255);
    EXPECT_EQ(wide.r[16], 1);

    // The step is kept in single precision: 20 / 14 rounds up to
    // 1.42857146, so output 10 falls just short of entry 7 and gets entry 6.
    std::string e14;
    for (int k = 0; k < 14; ++k)
        e14 += std::string(3, static_cast<char>(k));
    Lut twenty(20);
    ASSERT_EQ(Read(dir.Write("14.lut", LutBytes(14, e14)), 20, twenty), KVLUT_OK);
    EXPECT_EQ(twenty.r[9], 6);
    EXPECT_EQ(twenty.r[10], 6);
    EXPECT_EQ(twenty.g[11], 7);
    EXPECT_EQ(twenty.b[19], 13);

    // Odd lengths stay inside the table up to the last output.
    Lut odd(1000003);
    ASSERT_EQ(Read(p, 1000003, odd), KVLUT_OK);
    EXPECT_EQ(odd.r.back(), 255);
}

TEST_F(LutFile, PrefixIsIgnoredAndCountsAreHonoured)
{
    std::string entries;
    for (int k = 0; k < 3; ++k)
        entries += std::string{static_cast<char>(10 + k), static_cast<char>(20 + k), static_cast<char>(30 + k)};
    std::string p = dir.Write("three.lut", LutBytes(3, entries, 'x') + "trailing");
    Lut out(6);
    ASSERT_EQ(Read(p, 6, out), KVLUT_OK);
    EXPECT_EQ(out.r, (std::vector<unsigned char>{10, 10, 11, 11, 12, 12}));
    EXPECT_EQ(out.b, (std::vector<unsigned char>{30, 30, 31, 31, 32, 32}));

    // Same count and entries, different first 392 bytes: same result.
    Lut in = Ramp();
    std::string written = dir.Path("w.lut");
    ASSERT_EQ(kvWriteLutToFile(written.c_str(), in.r.data(), in.g.data(), in.b.data()), KVLUT_OK);
    std::string other = dir.Write("other.lut", LutBytes(256, kvtest::TempDir::Read(written).substr(396), '\xFF'));
    Lut a(300), b(300);
    ASSERT_EQ(Read(written, 300, a), KVLUT_OK);
    ASSERT_EQ(Read(other, 300, b), KVLUT_OK);
    EXPECT_EQ(a.r, b.r);
    EXPECT_EQ(a.g, b.g);
}

TEST_F(LutFile, BadFilesLeaveTheArraysAlone)
{
    const std::string entries(3 * 4, '\x01');
    const std::vector<std::string> bad = {
        "",                                      // empty
        std::string(392, 'Q'),                   // no count
        LutBytes(0, entries).substr(0, 394),     // half a count
        LutBytes(0, entries),                    // no entries
        LutBytes(-3, entries),                   // negative count
        LutBytes(5, entries),                    // shorter than its count
        LutBytes(0x7FFFFFFF, entries),           // absurd count
        LutBytes(static_cast<int32_t>(0x80000000u), entries),
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        std::string p = dir.Write("bad" + std::to_string(i) + ".lut", bad[i]);
        Lut out(64, 0xAB);
        EXPECT_EQ(Read(p, 64, out), KVLUT_ERR_OPENREAD) << i;
        EXPECT_EQ(out.r, std::vector<unsigned char>(64, 0xAB)) << i;
        EXPECT_EQ(out.b, std::vector<unsigned char>(64, 0xAB)) << i;
    }
    Lut out(4, 0xAB);
    EXPECT_EQ(Read(dir.Path("missing.lut"), 4, out), KVLUT_ERR_OPENREAD);
    EXPECT_EQ(out.g, std::vector<unsigned char>(4, 0xAB));
}

TEST_F(LutFile, NothingToFill)
{
    Lut in = Ramp();
    std::string p = dir.Path("ramp.lut");
    ASSERT_EQ(kvWriteLutToFile(p.c_str(), in.r.data(), in.g.data(), in.b.data()), KVLUT_OK);
    Lut out(4, 0xAB);
    EXPECT_EQ(Read(p, 0, out), KVLUT_OK);
    EXPECT_EQ(Read(p, -5, out), KVLUT_OK);
    EXPECT_EQ(out.r, std::vector<unsigned char>(4, 0xAB));
    EXPECT_EQ(kvReadLutFromFile(p.c_str(), 0, nullptr, nullptr, nullptr), KVLUT_OK);
    EXPECT_EQ(kvReadLutFromFile(p.c_str(), 4, nullptr, out.g.data(), out.b.data()), KVLUT_ERR_OPENREAD);
}

TEST_F(LutFile, WriteFailures)
{
    Lut in = Ramp();
    std::string nodir = dir.Path("no-such-folder/t.lut");
    EXPECT_EQ(kvWriteLutToFile(nodir.c_str(), in.r.data(), in.g.data(), in.b.data()), KVLUT_ERR_OPENWRITE);
    std::string p = dir.Path("t.lut");
    EXPECT_EQ(kvWriteLutToFile(p.c_str(), nullptr, in.g.data(), in.b.data()), KVLUT_ERR_OPENWRITE);
    EXPECT_EQ(kvWriteLutToFile(nullptr, in.r.data(), in.g.data(), in.b.data()), KVLUT_ERR_OPENWRITE);

    // A full disk is an error of the file layer while writing: it reaches
    // the caller as the file layer's exception.
    int cause = -1;
    try {
        kvWriteLutToFile(kvtest::FullDiskPath(), in.r.data(), in.g.data(), in.b.data());
    } catch (CFileException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(cause, CFileException::diskFull);
}
