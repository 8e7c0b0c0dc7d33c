// The splitting of pasted text into lines and fields: the separators, the
// trimming, empty lines, the end of the text, and hostile shapes (a million
// lines, a line of a million characters, zero bytes) read in linear time.
// Portable: it also runs natively under the sanitizers.

#include "grid/GridPasteText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Every field as "line,field:text".
std::vector<std::string> Fields(const std::string& text, size_t nLen = std::string::npos)
{
    CGridPasteReader reader(text.data(), nLen == std::string::npos ? text.size() : nLen);
    std::vector<std::string> out;
    GridPasteField f;
    while (reader.NextField(f))
        out.push_back(std::to_string(f.nLine) + "," + std::to_string(f.nField) + ":" +
                      std::string(f.pText, f.nLength));
    return out;
}

typedef std::vector<std::string> V;

} // namespace

TEST(GridPasteText, SeparatorsTrimmingAndEmptyLines)
{
    // Runs of tabs and commas are one separator; leading ones are skipped.
    EXPECT_EQ((V{ "0,0:a", "0,1:b" }), Fields("a\t\tb"));
    EXPECT_EQ((V{ "0,0:a", "0,1:b", "0,2:c" }), Fields("\t,a,\t,b\tc\t"));
    // CR LF line ends and spaces vanish in the trimming.
    EXPECT_EQ((V{ "0,0:x", "0,1:y z", "1,0:w" }), Fields("  x ,  y z \r\nw\r\n"));
    // An empty line ended by "\n" is one empty field; an empty last line is
    // nothing; a line of separators only gives no field.
    EXPECT_EQ((V{ "0,0:a", "1,0:", "2,0:b" }), Fields("a\n\nb\n"));
    EXPECT_EQ((V{ "0,0:", "1,0:", "3,0:c" }), Fields("\n\n\t,\nc"));
    // A CR-only line is a field of white space: it clears a cell as well.
    EXPECT_EQ((V{ "0,0:a", "1,0:" }), Fields("a\n\r\n"));
    // CR-only line ends do not split lines.
    EXPECT_EQ((V{ "0,0:a\rb" }), Fields("a\rb"));
    EXPECT_TRUE(Fields("").empty());
    EXPECT_TRUE(Fields("\t\t,,").empty());
}

TEST(GridPasteText, TheTextEndsAtItsLengthOrItsFirstZeroByte)
{
    std::string withZero("a\tb\0c\td", 7);
    EXPECT_EQ((V{ "0,0:a", "0,1:b" }), Fields(withZero));
    // A block without a zero byte is read up to its size and not beyond.
    std::string block = "one\ttwo";
    EXPECT_EQ((V{ "0,0:one", "0,1:tw" }), Fields(block, 6));
    CGridPasteReader none(NULL, 10);
    GridPasteField f;
    EXPECT_FALSE(none.NextField(f));
}

TEST(GridPasteText, SkipLineAndHugeTexts)
{
    CGridPasteReader reader("a\tb\tc\nd\te", 9);
    GridPasteField f;
    ASSERT_TRUE(reader.NextField(f));
    reader.SkipLine();
    ASSERT_TRUE(reader.NextField(f));
    EXPECT_EQ(1u, f.nLine);
    EXPECT_EQ("d", std::string(f.pText, f.nLength));
    reader.SkipLine();
    EXPECT_FALSE(reader.NextField(f));

    // A million lines and a line of a million one-character fields.
    std::string lines;
    for (int i = 0; i < 1000000; i++)
        lines += "x\n";
    CGridPasteReader many(lines.data(), lines.size());
    size_t n = 0, nLast = 0;
    while (many.NextField(f))
        n++, nLast = f.nLine;
    EXPECT_EQ(1000000u, n);
    EXPECT_EQ(999999u, nLast);

    std::string wide;
    for (int i = 0; i < 1000000; i++)
        wide += "y,";
    CGridPasteReader across(wide.data(), wide.size());
    n = 0;
    while (across.NextField(f))
        n++;
    EXPECT_EQ(1000000u, n);
    EXPECT_EQ(999999u, f.nField);

    std::string longField(1000000, 'z');
    EXPECT_EQ((V{ "0,0:" + longField }), Fields(longField));
}
