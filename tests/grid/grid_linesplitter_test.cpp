// The grid text file's lines and fields, natively and under the sanitizers:
// the splitting rules, text-mode line ends, long lines in pieces, zero
// bytes, and the same result whatever blocks the bytes arrive in.

#include "grid/GridLineSplitter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace
{

// Every field as "line:field:text".
class CCollect : public CGridLineSplitter::CSink
{
public:
    void OnField(const char* pszField, size_t nLength, size_t nLine, size_t nField) override
    {
        EXPECT_EQ(nLength, strlen(pszField));
        fields.push_back(std::to_string(nLine) + ":" + std::to_string(nField) + ":" +
                         std::string(pszField, nLength));
    }
    std::vector<std::string> fields;
};

// Splits bytes fed in blocks of the sizes given (cycled), 0 = all at once.
std::vector<std::string> Split(const std::string& bytes, std::vector<size_t> blocks = { 0 },
                               size_t* pnLines = nullptr)
{
    CCollect sink;
    CGridLineSplitter splitter(sink);
    size_t i = 0, k = 0;
    while (i < bytes.size())
    {
        size_t n = blocks[k++ % blocks.size()];
        if (n == 0 || n > bytes.size() - i)
            n = bytes.size() - i;
        splitter.Feed(bytes.data() + i, n);
        i += n;
    }
    splitter.Finish();
    if (pnLines != nullptr)
        *pnLines = splitter.GetLineCount();
    return sink.fields;
}

using Fields = std::vector<std::string>;

} // namespace

TEST(GridLineSplitter, FieldsLinesAndLineEnds)
{
    // Commas, empty fields, a trailing comma, a line of only its end, a
    // last line without one.
    EXPECT_EQ(Split("a,b\r\nc,,d\r\ne,f,\r\n\r\ng,h"),
              (Fields{ "0:0:a", "0:1:b", "1:0:c", "1:1:", "1:2:d", "2:0:e", "2:1:f", "2:2:", "3:0:",
                       "4:0:g", "4:1:h" }));
    // A bare LF ends a line too; a CR not followed by LF is a character.
    EXPECT_EQ(Split("a\rb,c\nd\r"), (Fields{ "0:0:a\rb", "0:1:c", "1:0:d\r" }));
    EXPECT_EQ(Split("\r\r\n"), (Fields{ "0:0:\r" }));
    // A zero byte ends what a piece yields; a piece starting with one
    // yields no field but still counts as a line.
    size_t nLines = 0;
    EXPECT_EQ(Split(std::string("ab\0cd,e\n\0x\nf", 12), { 0 }, &nLines), (Fields{ "0:0:ab", "2:0:f" }));
    EXPECT_EQ(nLines, 3u);
    EXPECT_TRUE(Split("").empty());
}

TEST(GridLineSplitter, LongLinesGoOnAsFurtherLines)
{
    // 2000 characters: 1023, then the rest with its line end.
    Fields f = Split(std::string(2000, 'x') + "\r\ny");
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0], "0:0:" + std::string(1023, 'x'));
    EXPECT_EQ(f[1], "1:0:" + std::string(977, 'x'));
    EXPECT_EQ(f[2], "2:0:y");
    // Exactly 1023 characters: the line end that follows is a line of its own.
    EXPECT_EQ(Split(std::string(1023, 'z') + "\r\n"),
              (Fields{ "0:0:" + std::string(1023, 'z'), "1:0:" }));
    // CR LF after 1022 characters is the 1023rd character: one line.
    EXPECT_EQ(Split(std::string(1022, 'z') + "\r\nq"),
              (Fields{ "0:0:" + std::string(1022, 'z'), "1:0:q" }));
    // A lone CR as the 1023rd character fills the piece.
    EXPECT_EQ(Split(std::string(1022, 'z') + "\rq\n"),
              (Fields{ "0:0:" + std::string(1022, 'z') + "\r", "1:0:q" }));
    // Commas inside a long line split it into fields of both pieces.
    Fields g = Split(std::string(1020, 'a') + ",bcdef,g\n");
    EXPECT_EQ(g, (Fields{ "0:0:" + std::string(1020, 'a'), "0:1:bc", "1:0:def", "1:1:g" }));
}

// The blocks the file arrives in change nothing, wherever they cut (CR LF
// pairs and pieces included).
TEST(GridLineSplitter, BlockBoundariesChangeNothing)
{
    std::mt19937 rng(16);
    const char alphabet[] = { 'a', 'b', ',', '\r', '\n', '\0', '\xff', ' ' };
    for (int nCase = 0; nCase < 300; nCase++)
    {
        std::string bytes;
        size_t n = rng() % 3000;
        for (size_t i = 0; i < n; i++)
        {
            if (rng() % 50 == 0)
                bytes.append(rng() % 1100, 'L');
            bytes += alphabet[rng() % sizeof(alphabet)];
        }
        size_t nWhole = 0, nBlocks = 0;
        Fields whole = Split(bytes, { 0 }, &nWhole);
        std::vector<size_t> blocks = { 1 + rng() % 7, 1 + rng() % 1500, 1, 2 };
        EXPECT_EQ(Split(bytes, blocks, &nBlocks), whole) << "case " << nCase;
        EXPECT_EQ(nBlocks, nWhole);
    }
}
