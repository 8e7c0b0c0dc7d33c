// Display look-up table info files: round trips, the exact layout, and
// files and paths that must fail.

#include "datafiles/DispTableFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const char kMagic[] = "KV_ZOL_DISPTABLE_FILE_VER1.0";

std::vector<DATALOOKUPVALUE> Records(int n)
{
    std::vector<DATALOOKUPVALUE> v(static_cast<size_t>(n));
    for (int r = 0; r < n; ++r)
        for (int b = 0; b < 56; ++b)
            v[static_cast<size_t>(r)].bytes[b] = static_cast<unsigned char>(r * 56 + b + 1);
    return v;
}

std::string Header(int32_t count, int16_t value)
{
    std::string h(kMagic, 28);
    for (int k = 0; k < 4; ++k)
        h += static_cast<char>((static_cast<uint32_t>(count) >> (8 * k)) & 0xFF);
    h += static_cast<char>(value & 0xFF);
    h += static_cast<char>((value >> 8) & 0xFF);
    return h;
}

class DispTableFile : public ::testing::Test
{
protected:
    kvtest::TempDir dir;
};

} // namespace

TEST_F(DispTableFile, RoundTripWithTheExactLayout)
{
    std::vector<DATALOOKUPVALUE> in = Records(3);
    std::string p = dir.Path("t.dtb");
    ASSERT_TRUE(kvWriteLookUpTableInfoToFile(p.c_str(), in.data(), 3, 7));

    std::string bytes = kvtest::TempDir::Read(p);
    ASSERT_EQ(bytes.size(), 202u);
    EXPECT_EQ(bytes.substr(0, 34), Header(3, 7));
    EXPECT_EQ(std::memcmp(bytes.data() + 34, in.data(), 168), 0);

    long n = -1;
    ASSERT_TRUE(kvReadLookUpValueNumsFromFile(&p[0], &n));
    EXPECT_EQ(n, 3);
    std::vector<DATALOOKUPVALUE> out(3);
    short value = 0;
    ASSERT_TRUE(kvReadLookUpTableInfoFromFile(&p[0], n, &value, out.data()));
    EXPECT_EQ(value, 7);
    EXPECT_EQ(std::memcmp(out.data(), in.data(), 168), 0);

    // A negative value survives; a rewrite truncates the longer old file.
    ASSERT_TRUE(kvWriteLookUpTableInfoToFile(p.c_str(), in.data(), 1, -2));
    EXPECT_EQ(kvtest::TempDir::Read(p).size(), 90u);
    ASSERT_TRUE(kvReadLookUpTableInfoFromFile(&p[0], 1, &value, out.data()));
    EXPECT_EQ(value, -2);
}

TEST_F(DispTableFile, EmptyTableAndTrailingBytes)
{
    std::string p = dir.Path("empty.dtb");
    ASSERT_TRUE(kvWriteLookUpTableInfoToFile(p.c_str(), nullptr, 0, 5));
    EXPECT_EQ(kvtest::TempDir::Read(p).size(), 34u);
    long n = -1;
    ASSERT_TRUE(kvReadLookUpValueNumsFromFile(&p[0], &n));
    EXPECT_EQ(n, 0);
    short value = 0;
    EXPECT_TRUE(kvReadLookUpTableInfoFromFile(&p[0], 0, &value, nullptr));
    EXPECT_EQ(value, 5);

    std::vector<DATALOOKUPVALUE> in = Records(2);
    std::string extra = Header(2, 9) + std::string(reinterpret_cast<const char*>(in.data()), 112) + "junk";
    std::string q = dir.Write("extra.dtb", extra);
    std::vector<DATALOOKUPVALUE> out(2);
    EXPECT_TRUE(kvReadLookUpTableInfoFromFile(&q[0], 2, &value, out.data()));
    EXPECT_EQ(std::memcmp(out.data(), in.data(), 112), 0);
}

TEST_F(DispTableFile, WrongMagicOrShortHeaderFailsBothReaders)
{
    std::vector<std::string> bad;
    for (int k = 0; k < 28; k += 9) {
        std::string h = Header(1, 1) + std::string(56, 'r');
        h[static_cast<size_t>(k)] ^= 0x20;
        bad.push_back(h);
    }
    bad.push_back(std::string(kMagic, 27));   // shorter than the magic
    bad.push_back(Header(1, 1).substr(0, 30));   // magic, half a count
    bad.push_back("");
    for (size_t i = 0; i < bad.size(); ++i) {
        std::string p = dir.Write("bad" + std::to_string(i), bad[i]);
        long n = 1234;
        EXPECT_FALSE(kvReadLookUpValueNumsFromFile(&p[0], &n)) << i;
        EXPECT_EQ(n, 1234);
        short value = 99;
        DATALOOKUPVALUE rec = {};
        EXPECT_FALSE(kvReadLookUpTableInfoFromFile(&p[0], 1, &value, &rec)) << i;
        EXPECT_EQ(value, 99);
    }
}

TEST_F(DispTableFile, CountsThatDoNotMatch)
{
    std::vector<DATALOOKUPVALUE> in = Records(3);
    std::string p = dir.Path("t.dtb");
    ASSERT_TRUE(kvWriteLookUpTableInfoToFile(p.c_str(), in.data(), 3, 7));

    // An expected count that differs touches neither the value nor the array.
    std::vector<DATALOOKUPVALUE> out(4);
    std::memset(out.data(), 0xEE, 4 * 56);
    short value = 99;
    EXPECT_FALSE(kvReadLookUpTableInfoFromFile(&p[0], 2, &value, out.data()));
    EXPECT_FALSE(kvReadLookUpTableInfoFromFile(&p[0], 4, &value, out.data()));
    EXPECT_EQ(value, 99);
    EXPECT_EQ(out[0].bytes[0], 0xEE);

    // Cut inside the records: the count still reads, the table does not;
    // the value is the file's and the array holds the complete records.
    std::string cut = kvtest::TempDir::Read(p).substr(0, 34 + 56 + 20);
    std::string q = dir.Write("cut.dtb", cut);
    long n = 0;
    EXPECT_TRUE(kvReadLookUpValueNumsFromFile(&q[0], &n));
    EXPECT_EQ(n, 3);
    EXPECT_FALSE(kvReadLookUpTableInfoFromFile(&q[0], 3, &value, out.data()));
    EXPECT_EQ(value, 7);
    EXPECT_EQ(std::memcmp(out.data(), in.data(), 56), 0);

    // Absurd counts: negative is refused; huge fails on the short file
    // without reading past the caller's records.
    std::string neg = dir.Write("neg.dtb", Header(-5, 1));
    n = 77;
    EXPECT_FALSE(kvReadLookUpValueNumsFromFile(&neg[0], &n));
    EXPECT_EQ(n, 77);
    EXPECT_FALSE(kvReadLookUpTableInfoFromFile(&neg[0], -5, &value, out.data()));
    std::string huge = dir.Write("huge.dtb", Header(0x7FFFFFFF, 1) + std::string(56, 'x'));
    EXPECT_TRUE(kvReadLookUpValueNumsFromFile(&huge[0], &n));
    EXPECT_EQ(n, 0x7FFFFFFF);
    EXPECT_FALSE(kvReadLookUpTableInfoFromFile(&huge[0], 3, &value, out.data()));
}

TEST_F(DispTableFile, PathsAndDevicesThatFail)
{
    std::string missing = dir.Path("missing.dtb");
    long n = 0;
    short value = 0;
    DATALOOKUPVALUE rec = {};
    EXPECT_FALSE(kvReadLookUpValueNumsFromFile(&missing[0], &n));
    EXPECT_FALSE(kvReadLookUpTableInfoFromFile(&missing[0], 0, &value, &rec));

    std::vector<DATALOOKUPVALUE> in = Records(2);
    std::string nodir = dir.Path("no-such-folder/t.dtb");
    EXPECT_FALSE(kvWriteLookUpTableInfoToFile(nodir.c_str(), in.data(), 2, 0));
    // The disk is full: every byte is refused, the write reports it.
    EXPECT_FALSE(kvWriteLookUpTableInfoToFile(kvtest::FullDiskPath(), in.data(), 2, 0));
    EXPECT_FALSE(kvWriteLookUpTableInfoToFile(kvtest::FullDiskPath(), nullptr, 0, 0));

    std::string p = dir.Path("t.dtb");
    EXPECT_FALSE(kvWriteLookUpTableInfoToFile(p.c_str(), in.data(), -1, 0));
    EXPECT_FALSE(kvWriteLookUpTableInfoToFile(p.c_str(), nullptr, 2, 0));
    EXPECT_FALSE(kvWriteLookUpTableInfoToFile(nullptr, in.data(), 2, 0));
}
