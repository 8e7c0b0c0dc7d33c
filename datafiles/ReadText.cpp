#include "datafiles/ReadText.h"

#include "platform/core/Exceptions.h"
#include "platform/core/File.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <sys/stat.h>
#endif

namespace {

const size_t kCellBytes = 256;   // bytes per table cell
const int kLineSlots = 64;       // fields a data line may have
const int kSlotBytes = 64;       // bytes per field slot (63 characters + zero)
const int kMaxRows = 32767;      // the row counter is 16-bit signed
const int kFirstCapacity = 100;  // rows allocated for the first row

bool IsSeparator(unsigned char ch, const KVVXSEPRATORSTRU& sep)
{
    switch (ch) {
    case 9:   if (sep.bTab) return true; break;
    case 32:  if (sep.bSpace) return true; break;
    case ',': if (sep.bComma) return true; break;
    case ';': if (sep.bSemicolon) return true; break;
    default:  break;
    }
    return sep.bOther && ch != 0 && ch == static_cast<unsigned char>(sep.chOther);
}

// True when the open file is a regular disk file, which can be read twice.
// A pipe or device must be read only once.
bool IsRegularFile(CFile& file, const char* pszPath)
{
#ifdef _WIN32
    (void)pszPath;
    return GetFileType(file.m_hFile) == FILE_TYPE_DISK;
#else
    (void)file;
    struct stat st;
    return ::stat(pszPath, &st) == 0 && S_ISREG(st.st_mode);
#endif
}

const size_t kBlockBytes = 1 << 16;

// Counts the lines of the open file (a last line without a line end counts
// too), stopping once nLimit lines are seen, and rewinds it. Read errors
// reach the caller as the file layer's exceptions.
long CountLines(CFile& file, long nLimit)
{
    std::vector<char> buf(kBlockBytes);
    long lines = 0;
    char last = '\n';
    UINT n;
    while (lines < nLimit && (n = file.Read(buf.data(), static_cast<UINT>(buf.size()))) > 0) {
        const char* p = buf.data();
        const char* end = p + n;
        while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)))) != nullptr) {
            ++lines;
            ++p;
        }
        last = buf[n - 1];
    }
    if (last != '\n')
        ++lines;
    file.SeekToBegin();
    return lines;
}

// Reads a file line by line in large blocks, as a text-mode stream does: a
// line ends at LF, and a CR right before the LF belongs to the line end (a
// lone CR stays in the line). A last line without a line end is still a
// line. Lines may be of any length.
class LineReader
{
public:
    explicit LineReader(CFile& file) : m_file(file), m_buf(kBlockBytes + 1) {}

    // The next line without its line end, zero-terminated, valid until the
    // next call; null at the end of the file.
    char* Next()
    {
        for (;;) {
            char* start = m_buf.data() + m_pos;
            char* lf = static_cast<char*>(std::memchr(start, '\n', m_end - m_pos));
            if (lf) {
                m_pos = static_cast<size_t>(lf - m_buf.data()) + 1;
                if (lf > start && lf[-1] == '\r')
                    --lf;
                *lf = 0;
                return start;
            }
            if (m_eof) {
                if (m_pos == m_end)
                    return nullptr;
                m_buf[m_end] = 0;   // the spare byte at the end
                m_pos = m_end;
                return start;
            }
            // Keep the unfinished line, make room, read on.
            const size_t kept = m_end - m_pos;
            std::memmove(m_buf.data(), start, kept);
            m_pos = 0;
            m_end = kept;
            if (m_buf.size() - 1 - m_end < kBlockBytes / 2)
                m_buf.resize(m_buf.size() * 2);
            const size_t room = m_buf.size() - 1 - m_end;
            const UINT want = room > 0x40000000u ? 0x40000000u : static_cast<UINT>(room);
            const UINT got = m_file.Read(m_buf.data() + m_end, want);
            if (got == 0)
                m_eof = true;
            m_end += got;
        }
    }

private:
    CFile& m_file;
    std::vector<char> m_buf;   // one spare byte beyond the data for a terminating zero
    size_t m_pos = 0;          // start of the unread data
    size_t m_end = 0;          // end of the data
    bool m_eof = false;
};

} // namespace

short Alloc2DArray(char*** ppArray, long nRows, long nRowBytes)
{
    if (!ppArray || nRows < 1 || nRowBytes < 1)
        return 0;
    const uint64_t rows = static_cast<uint64_t>(nRows);
    const uint64_t bytes = static_cast<uint64_t>(nRowBytes);
    const uint64_t total = rows * sizeof(char*) + rows * bytes;   // both < 2^31 * 2^31: no overflow
    if (total > SIZE_MAX / 2)
        return 0;
    char* block = static_cast<char*>(std::malloc(static_cast<size_t>(total)));
    if (!block)
        return 0;
    char** slots = reinterpret_cast<char**>(block);
    char* first = block + rows * sizeof(char*);
    for (uint64_t k = 0; k < rows; ++k)
        slots[k] = first + k * bytes;
    *ppArray = slots;
    return 1;
}

void Free2DArray(char** pArray)
{
    std::free(pArray);
}

short _ReadStringToArray(const char* pszLine, char** ppSlots, int nMaxFields, int nFieldBytes,
                         const KVVXSEPRATORSTRU* pSep, short nColCount)
{
    if (!pszLine || !ppSlots || !pSep || nMaxFields < 1 || nFieldBytes < 1 || nColCount < 1)
        return -1;
    const KVVXSEPRATORSTRU& sep = *pSep;
    const size_t slotBytes = static_cast<size_t>(nFieldBytes);

    int i = 0;                // current slot
    int j = 0;                // position within the slot
    bool open = false;        // a field is being filled
    bool afterSep = false;    // the previous character was a separator
    std::memset(ppSlots[0], 0, slotBytes);

    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(pszLine); *p; ++p) {
        if (!IsSeparator(*p, sep)) {
            j = open ? j + 1 : 0;
            if (i >= nMaxFields || j >= nFieldBytes - 1)
                return -1;
            ppSlots[i][j] = static_cast<char>(*p);
            open = true;
            afterSep = false;
            continue;
        }
        if (!sep.bMergeSeparators && afterSep) {
            // An empty field between two separators.
            if (i >= nMaxFields)
                return -1;
            ++i;
            if (i < nMaxFields)
                std::memset(ppSlots[i], 0, slotBytes);
        }
        if (open) {
            ++i;   // i may reach nMaxFields: counted, never touched
            if (i < nMaxFields)
                std::memset(ppSlots[i], 0, slotBytes);
        }
        afterSep = true;
        open = false;
    }

    const int n = nColCount;
    if (i == n - 1) {
        // Only the last expected field is missing: it is empty, whatever
        // unterminated text followed the last separator.
        if (n - 1 >= nMaxFields)
            return -1;
        ppSlots[n - 1][0] = 0;
        return static_cast<short>(n);
    }
    if (i > SHRT_MAX)
        return -1;   // more fields than the 16-bit result can count
    if (i <= n)
        return static_cast<short>(i);

    // Surplus fields go into the last expected one, each after a space; the
    // result stays cut to the slot's capacity.
    char* last = ppSlots[n - 1];
    size_t len = std::strlen(last);
    const size_t cap = slotBytes - 1;
    for (int k = n; k < i && len < cap; ++k) {
        last[len++] = ' ';
        const char* src = ppSlots[k];
        while (*src && len < cap)
            last[len++] = *src++;
    }
    last[len] = 0;
    return static_cast<short>(i);
}

CReadText::CReadText()
    : m_nCols(0), m_nRows(0), m_pData(nullptr)
{
}

CReadText::CReadText(const CReadText& other)
    : m_nCols(0), m_nRows(0), m_pData(nullptr)
{
    *this = other;
}

CReadText::~CReadText()
{
    EndReadText();
}

short CReadText::EndReadText()
{
    std::free(m_pData);
    m_pData = nullptr;
    m_nCols = 0;
    m_nRows = 0;
    return 1;
}

CReadText& CReadText::operator=(const CReadText& other)
{
    if (this == &other)
        return *this;
    // The copy is made before the target lets go of its own table: when
    // memory runs out the target keeps what it held and the caller learns of
    // it, instead of being left with an empty reader it takes for a copy.
    char* copy = nullptr;
    if (other.m_pData) {
        const size_t bytes = static_cast<size_t>(other.m_nRows > 0 ? other.m_nRows : 0) *
                             static_cast<size_t>(other.m_nCols > 0 ? other.m_nCols : 0) * kCellBytes;
        copy = static_cast<char*>(std::malloc(bytes ? bytes : 1));
        if (!copy)
            AfxThrowMemoryException();
        if (bytes)
            std::memcpy(copy, other.m_pData, bytes);
    }
    std::free(m_pData);
    m_pData = copy;
    m_nCols = other.m_nCols;
    m_nRows = other.m_nRows;
    return *this;
}

short CReadText::GetTextData(short nRow, short nCol, char* pszBuf)
{
    if (!m_pData || !pszBuf || nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols)
        return 0;
    const char* cell = m_pData + (static_cast<size_t>(nRow) * m_nCols + nCol) * kCellBytes;
    size_t len = strnlen(cell, kCellBytes - 1);
    std::memcpy(pszBuf, cell, len);
    pszBuf[len] = 0;
    return 1;
}

short CReadText::InsertOneRow(short nRow, char* const* ppFields, int& nCapacity)
{
    if (nRow < 0 || m_nCols < 1)
        return 0;
    const size_t rowBytes = static_cast<size_t>(m_nCols) * kCellBytes;
    if (!m_pData || nRow >= nCapacity) {
        // Geometric growth: 100 rows, then doubling, up to the row limit. The
        // new part is cleared so that every cell is zero-padded.
        int want = m_pData ? nCapacity * 2 : kFirstCapacity;
        if (want > kMaxRows)
            want = kMaxRows;
        if (want <= nRow)
            return 0;
        const size_t oldBytes = m_pData ? static_cast<size_t>(nCapacity) * rowBytes : 0;
        const size_t newBytes = static_cast<size_t>(want) * rowBytes;
        char* table = static_cast<char*>(std::realloc(m_pData, newBytes));
        if (!table)
            return 0;   // the old table stays with the reader; the caller releases it
        std::memset(table + oldBytes, 0, newBytes - oldBytes);
        m_pData = table;
        nCapacity = want;
    }
    // The table is zero-filled, so copying the text alone leaves every cell
    // zero-terminated and zero-padded.
    char* cell = m_pData + static_cast<size_t>(nRow) * rowBytes;
    for (int c = 0; c < m_nCols; ++c, cell += kCellBytes)
        std::memcpy(cell, ppFields[c], strnlen(ppFields[c], kSlotBytes - 1));
    return 1;
}

short CReadText::BeginReadText(const char* pszPath, const tagBaseTextFormatStrcT& fmt, short nCols,
                               short& nRowsRead)
{
    const int startCol = fmt.nStartCol;
    const int lastField = startCol + nCols - 1;   // 1-based number of the last field kept
    if (startCol < 1 || fmt.nStartLine < 1 || fmt.nColCount < 1 || nCols < 1 || lastField > fmt.nColCount)
        return 0;
    if (m_pData || !pszPath)
        return 0;

    CFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyWrite))
        return 0;

    m_nCols = nCols;
    const size_t rowBytes = static_cast<size_t>(nCols) * kCellBytes;
    char** slots = nullptr;
    bool ok = Alloc2DArray(&slots, kLineSlots, kSlotBytes) != 0;
    int capacity = 0;

    // The row index is kept in an int so that it can never wrap; m_nRows
    // mirrors it while it is in range.
    int index = -static_cast<int>(fmt.nStartLine);
    try {
        // The number of lines sizes the table: a load from a disk file then
        // allocates a single zero-filled block and never copies it. Without
        // a count, or when that block cannot be had or the file grew
        // meanwhile, the table grows as rows come.
        if (ok && IsRegularFile(file, pszPath)) {
            const long lines = CountLines(file, kMaxRows + fmt.nStartLine) - (fmt.nStartLine - 1);
            if (lines > 0) {
                capacity = lines > kMaxRows ? kMaxRows : static_cast<int>(lines);
                m_pData = static_cast<char*>(std::calloc(static_cast<size_t>(capacity), rowBytes));
                if (!m_pData)
                    capacity = 0;
            }
        }

        LineReader reader(file);
        const char* line;
        while (ok && (line = reader.Next()) != nullptr) {
            ++index;
            if (index < 0) {
                m_nRows = static_cast<short>(index);
                continue;   // header line
            }
            const int f = _ReadStringToArray(line, slots, kLineSlots, kSlotBytes, &fmt.sep,
                                             fmt.nColCount);
            if (f < 1) {
                --index;   // blank, unterminated or oversized line: not a row
                continue;
            }
            if (f < lastField || index >= kMaxRows) {
                ok = false;   // too few fields, or a row the 16-bit counter cannot hold
                break;
            }
            m_nRows = static_cast<short>(index);
            if (!InsertOneRow(static_cast<short>(index), slots + (startCol - 1), capacity))
                ok = false;
        }
    } catch (const std::bad_alloc&) {
        ok = false;   // no memory for a very long line: a result, like a table that cannot grow
    } catch (...) {
        Free2DArray(slots);
        EndReadText();
        file.Abort();
        throw;
    }

    Free2DArray(slots);
    file.Abort();   // closes; nothing was written, so there is no error to report
    if (!ok) {
        EndReadText();
        return 0;
    }
    int rows = index + 1;
    if (rows < 0)
        rows = 0;
    if (rows == 0) {
        // No rows: no table, as for a reader that never loaded one.
        std::free(m_pData);
        m_pData = nullptr;
    } else if (rows < capacity) {
        // Give back what skipped lines left unused.
        if (char* table = static_cast<char*>(std::realloc(m_pData, static_cast<size_t>(rows) * rowBytes)))
            m_pData = table;
    }
    m_nRows = static_cast<short>(rows);
    nRowsRead = m_nRows;
    return 1;
}
