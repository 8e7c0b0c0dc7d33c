// CReadText against a raw pass over the same bytes.
//
// Writes a 32,767-row, 10-column comma-separated file, then, in one run,
// (a) reads the file raw in 64 KiB blocks and counts its lines, and
// (b) loads it with CReadText (every row, every column).
// Each is repeated and the best time kept. Prints both times and the ratio
// reader / raw; the goal is a ratio of 3 or less.
//
// The reader's table holds every cell in 256 bytes, so this file's table is
// far larger than the file (32,767 x 10 x 256 bytes, about 84 MB). The run
// therefore also measures (c) the floor any such load has: allocating a
// zero-filled block of the table's size and writing one cell's text into
// each cell, and prints the reader against raw pass + floor as well, and
// (d) a load of the same file that keeps only its first column (a 10 times
// smaller table), where the parsing of every line dominates.

#include "datafiles/ReadText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const int kRows = 32767;
const int kCols = 10;
const int kRepeats = 5;

double Seconds(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b)
{
    return std::chrono::duration<double>(b - a).count();
}

long CountLinesRaw(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return -1;
    std::vector<char> buf(1 << 16);
    long lines = 0;
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), f)) > 0) {
        const char* p = buf.data();
        const char* end = p + n;
        while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)))) != nullptr) {
            ++lines;
            ++p;
        }
    }
    std::fclose(f);
    return lines;
}

double TouchTable(size_t bytes)
{
    auto t0 = std::chrono::steady_clock::now();
    char* table = static_cast<char*>(std::calloc(bytes, 1));
    if (!table)
        return -1;
    for (size_t i = 0; i + 8 <= bytes; i += 256)
        std::memcpy(table + i, "1234.56", 8);
    auto t1 = std::chrono::steady_clock::now();
    volatile char sink = table[bytes / 2];
    (void)sink;
    std::free(table);
    return Seconds(t0, t1);
}

} // namespace

int main()
{
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "kvvx-readtext-bench";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const std::string path = (dir / "table.csv").string();

    {
        std::string text;
        text.reserve(static_cast<size_t>(kRows) * 80);
        char cell[32];
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kCols; ++c) {
                std::snprintf(cell, sizeof cell, "%d.%02d,", r * 7 + c, (r + c) % 100);
                text += cell;
            }
            text += '\n';
        }
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size()) {
            std::printf("cannot write %s\n", path.c_str());
            return 1;
        }
        std::fclose(f);
        std::printf("file: %d rows x %d columns, %zu bytes\n", kRows, kCols, text.size());
    }

    tagBaseTextFormatStrcT fmt = {};
    fmt.sep.bComma = 1;
    fmt.nStartCol = 1;
    fmt.nStartLine = 1;
    fmt.nColCount = kCols;

    double raw = 1e9, reader = 1e9, floor = 1e9, narrow = 1e9, narrowFloor = 1e9;
    long lines = 0;
    short rows = 0;
    for (int i = 0; i < kRepeats; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        lines = CountLinesRaw(path);
        auto t1 = std::chrono::steady_clock::now();
        CReadText r;
        short ok = r.BeginReadText(path.c_str(), fmt, kCols, rows);
        auto t2 = std::chrono::steady_clock::now();
        if (ok != 1 || rows != kRows || lines != kRows) {
            std::printf("wrong result: ok=%d rows=%d lines=%ld\n", ok, rows, lines);
            return 1;
        }
        char buf[256];
        r.GetTextData(kRows - 1, kCols - 1, buf);
        r.EndReadText();
        auto t3 = std::chrono::steady_clock::now();
        short narrowRows = 0;
        ok = r.BeginReadText(path.c_str(), fmt, 1, narrowRows);
        auto t4 = std::chrono::steady_clock::now();
        if (ok != 1 || narrowRows != kRows) {
            std::printf("wrong result (one column): ok=%d rows=%d\n", ok, narrowRows);
            return 1;
        }
        r.EndReadText();
        narrow = std::min(narrow, Seconds(t3, t4));
        narrowFloor = std::min(narrowFloor, TouchTable(static_cast<size_t>(kRows) * 256));
        floor = std::min(floor, TouchTable(static_cast<size_t>(kRows) * kCols * 256));
        raw = std::min(raw, Seconds(t0, t1));
        reader = std::min(reader, Seconds(t1, t2));
    }

    std::printf("raw pass (read + count lines): %8.3f ms\n", raw * 1e3);
    std::printf("CReadText::BeginReadText:      %8.3f ms\n", reader * 1e3);
    std::printf("table floor (84 MB, 1st touch):%8.3f ms\n", floor * 1e3);
    std::printf("ratio reader / raw:            %8.2f (goal <= 3)\n", reader / raw);
    std::printf("ratio reader / (raw + floor):  %8.2f\n", reader / (raw + floor));
    std::printf("one column kept (8 MB table):  %8.3f ms, ratio to raw %.2f\n", narrow * 1e3, narrow / raw);
    std::printf("  its table floor:             %8.3f ms, ratio to raw + floor %.2f\n", narrowFloor * 1e3,
                narrow / (raw + narrowFloor));
    std::filesystem::remove_all(dir, ec);
    return 0;
}
