// CVXGridCtrl: sorting rows by one column, and finding cells by state.

#include "grid/GridCtrl.h"

#include <mbstring.h>
#include <stdlib.h>

#include <new>
#include <vector>
#include <algorithm>
#include <climits>
#include <utility>

// ---------------------------------------------------------------- compare functions

namespace
{
// The sign of _mbscmp(psz1, psz2), found quickly for the usual case. Both
// strings are walked in step; at the first differing byte, when both bytes
// are below 0x80, neither is the lead byte of a double-byte character (lead
// bytes are 0x81 and up in every double-byte code page), and since all bytes
// before are equal the position is a character boundary in both strings or
// the trail byte of the same lead byte; either way the byte order is the
// character order. Otherwise the C runtime decides.
int CompareTextFrom(const unsigned char* p1, const unsigned char* p2, const unsigned char* pStart1,
                    const unsigned char* pStart2)
{
    while (*p1 == *p2)
    {
        if (*p1 == 0)
            return 0;
        ++p1;
        ++p2;
    }
    if (*p1 < 0x80 && *p2 < 0x80)
        return *p1 < *p2 ? -1 : 1;
    int n = _mbscmp(pStart1, pStart2);
    return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

int CompareText(const char* psz1, const char* psz2)
{
    const unsigned char* p1 = (const unsigned char*)psz1;
    const unsigned char* p2 = (const unsigned char*)psz2;
    return CompareTextFrom(p1, p2, p1, p2);
}

// The value atol gives for psz. Plain ASCII numbers of up to nine digits are
// converted here (they cannot overflow); everything else goes to atol itself,
// so the result is the C runtime's in every case.
long ParseLong(const char* psz)
{
    const char* p = psz;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool bNegative = false;
    if (*p == '+' || *p == '-')
        bNegative = (*p++ == '-');
    long n = 0;
    int nDigits = 0;
    while (*p >= '0' && *p <= '9')
    {
        if (++nDigits > 9)
            return atol(psz);
        n = n * 10 + (*p++ - '0');
    }
    if ((unsigned char)*p >= 0x80 && nDigits == 0)
        return atol(psz);   // the locale might count it as white space
    return bNegative ? -n : n;
}
} // namespace

int CALLBACK CVXGridCtrl::pfnCellTextCompare(LPARAM lParam1, LPARAM lParam2, LPARAM /*lParamSort*/)
{
    const CGridCell* pCell1 = (const CGridCell*)lParam1;
    const CGridCell* pCell2 = (const CGridCell*)lParam2;
    if (pCell1 == NULL || pCell2 == NULL)
        return 0;
    // Byte order, aware of double-byte characters, no locale collation.
    return CompareText(pCell1->m_strText, pCell2->m_strText);
}

int CALLBACK CVXGridCtrl::pfnCellNumericCompare(LPARAM lParam1, LPARAM lParam2, LPARAM /*lParamSort*/)
{
    const CGridCell* pCell1 = (const CGridCell*)lParam1;
    const CGridCell* pCell2 = (const CGridCell*)lParam2;
    if (pCell1 == NULL || pCell2 == NULL)
        return 0;
    // Integers only: "2.9" compares equal to "2"; text without digits is 0.
    long n1 = ParseLong(pCell1->m_strText);
    long n2 = ParseLong(pCell2->m_strText);
    if (n1 < n2)
        return -1;
    if (n1 > n2)
        return 1;
    return 0;
}

// ---------------------------------------------------------------- public entry points

BOOL CVXGridCtrl::SortTextItems(int nCol, BOOL bAscending, LPARAM data)
{
    return SortItems(pfnCellTextCompare, nCol, bAscending, data);
}

BOOL CVXGridCtrl::SortItems(int nCol, BOOL bAscending, LPARAM data)
{
    return SortItems(m_pfnCompare != NULL ? m_pfnCompare : pfnCellTextCompare,
                     nCol, bAscending, data);
}

BOOL CVXGridCtrl::SortItems(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data)
{
    // Cells travel with their rows but the selection map is keyed by
    // position, so the selection and the focus go first.
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    return SortItems(pfnCompare, nCol, bAscending, data, m_nFixedRows, -1);
}

// ---------------------------------------------------------------- the worker

namespace
{
// Keys of the two built-in compare functions, taken from the cells once
// before sorting. Comparing them gives exactly what the compare function
// gives for the cells (a missing cell equals anything), so the sort makes
// the same decisions without following pointers to cells and texts for
// every comparison.
struct TextKey
{
    const char* psz;        // the cell's text, NULL for a missing cell
    ULONGLONG nPrefix;      // its first eight bytes, big-endian, zero-padded
};

TextKey MakeTextKey(const CGridCell* pCell)
{
    TextKey key = { NULL, 0 };
    if (pCell == NULL)
        return key;
    key.psz = pCell->m_strText;
    const unsigned char* p = (const unsigned char*)key.psz;
    for (int i = 0; i < 8; i++)
    {
        key.nPrefix = (key.nPrefix << 8) | p[0];
        if (p[0] != 0)
            ++p;
    }
    return key;
}

int CompareTextKeys(const TextKey& a, const TextKey& b)
{
    if (a.psz == NULL || b.psz == NULL)
        return 0;
    if (a.nPrefix != b.nPrefix)
    {
        // The first differing byte decides unless a double-byte character
        // may be involved.
        ULONGLONG nDiff = a.nPrefix ^ b.nPrefix;
        int nShift = 56;
        while ((nDiff >> nShift) == 0)
            nShift -= 8;
        unsigned c1 = (unsigned)(a.nPrefix >> nShift) & 0xFF;
        unsigned c2 = (unsigned)(b.nPrefix >> nShift) & 0xFF;
        if (c1 < 0x80 && c2 < 0x80)
            return c1 < c2 ? -1 : 1;
        return CompareText(a.psz, b.psz);
    }
    if ((a.nPrefix & 0xFF) == 0)
        return 0;   // both end within the (equal) first eight bytes
    const unsigned char* p1 = (const unsigned char*)a.psz;
    const unsigned char* p2 = (const unsigned char*)b.psz;
    return CompareTextFrom(p1 + 8, p2 + 8, p1, p2);
}

struct NumberKey
{
    long nValue;
    bool bPresent;          // false for a missing cell
};

// The partition sort itself, on the rows low..high of the row store, with the
// key of row r at pKeys[r - nKeyBase]. Quicksort with a Hoare partition
// around the middle row's key; rows whose keys compare equal are not
// exchanged; a row is exchanged as a whole (its pointer, its height and its
// key). Of the two parts a partition leaves, the smaller is sorted by a
// recursive call and the larger by the next turn of the loop: the parts are
// disjoint, so the order does not change the result, and the stack depth
// stays logarithmic even for inputs that partition badly (a recursion as
// deep as the grid is long would overflow the stack).
template <class Key, class Compare>
void PartitionSort(Key* pKeys, int nKeyBase, GRID_ROW** ppRows, UINT* pHeights,
                   int low, int high, BOOL bAscending, const Compare& compare)
{
    Key* k = pKeys - nKeyBase;
    while (low < high)
    {
        Key pivot = k[(low + high) / 2];
        int lo = low;
        int hi = high;

        while (lo <= hi)
        {
            if (bAscending)
            {
                while (lo < high && compare(k[lo], pivot) < 0)
                    ++lo;
                while (hi > low && compare(k[hi], pivot) > 0)
                    --hi;
            }
            else
            {
                while (lo < high && compare(k[lo], pivot) > 0)
                    ++lo;
                while (hi > low && compare(k[hi], pivot) < 0)
                    --hi;
            }

            if (lo <= hi)
            {
                if (compare(k[lo], k[hi]) != 0)
                {
                    Key key = k[lo];
                    k[lo] = k[hi];
                    k[hi] = key;
                    GRID_ROW* pRow = ppRows[lo];
                    ppRows[lo] = ppRows[hi];
                    ppRows[hi] = pRow;
                    if (pHeights != NULL)
                    {
                        UINT nHeight = pHeights[lo];
                        pHeights[lo] = pHeights[hi];
                        pHeights[hi] = nHeight;
                    }
                }
                ++lo;
                --hi;
            }
        }

        // Left part low..hi, right part lo..high.
        BOOL bLeft = low < hi;
        BOOL bRight = lo < high;
        if (bLeft && bRight)
        {
            if (hi - low < high - lo)
            {
                PartitionSort(pKeys, nKeyBase, ppRows, pHeights, low, hi, bAscending, compare);
                low = lo;
            }
            else
            {
                PartitionSort(pKeys, nKeyBase, ppRows, pHeights, lo, high, bAscending, compare);
                high = hi;
            }
        }
        else if (bLeft)
            high = hi;
        else if (bRight)
            low = lo;
        else
            break;
    }
}

// Fills a key array for the rows low..high (the key of row r at index
// r - low); an empty vector when memory is short.
template <class Key, class Make>
std::vector<Key> CollectKeys(GRID_ROW* const* ppRows, int nCol, int low, int high, const Make& make)
{
    std::vector<Key> keys;
    try
    {
        keys.resize((size_t)(high - low + 1));
    }
    catch (const std::bad_alloc&)
    {
        keys.clear();
        return keys;
    }
    for (int r = low; r <= high; r++)
    {
        const CGridCell* pCell = NULL;
        GRID_ROW* pRow = ppRows[r];
        if (nCol >= 0 && pRow != NULL && nCol < (int)pRow->GetSize())
            pCell = pRow->GetData()[nCol];
        keys[(size_t)(r - low)] = make(pCell);
    }
    return keys;
}
} // namespace

BOOL CVXGridCtrl::SortItems(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data,
                            int low, int high)
{
    if (nCol >= m_nCols)
        return FALSE;
    if (high == -1)
        high = m_nRows - 1;
    if (low >= high)
        return FALSE;
    if (pfnCompare == NULL)
        return FALSE;
    // Rows outside the store cannot be sorted.
    if (low < 0 || high >= (int)m_arRows.GetSize())
        return FALSE;

    GRID_ROW** ppRows = m_arRows.GetData();
    UINT* pHeights = (int)m_arRowHeights.GetSize() > high ? m_arRowHeights.GetData() : NULL;

    // Selected cells travel with their rows: the selection maps, keyed by
    // address, follow them once the rows are in their new order.
    std::vector<GRID_ROW*> rowsBefore;
    if (m_mapSelected.GetCount() > 0 || m_mapPrevSelected.GetCount() > 0)
        rowsBefore.assign(ppRows + low, ppRows + high + 1);
    auto followRows = [&]() {
        if (rowsBefore.empty())
            return;
        std::vector<std::pair<GRID_ROW*, int>> after;
        after.reserve(rowsBefore.size());
        for (int r = low; r <= high; r++)
            after.push_back(std::make_pair(ppRows[r], r));
        std::sort(after.begin(), after.end());
        std::vector<int> newRow(rowsBefore.size());
        for (size_t i = 0; i < rowsBefore.size(); i++)
            newRow[i] = std::lower_bound(after.begin(), after.end(),
                                         std::make_pair(rowsBefore[i], INT_MIN))->second;
        RemapSelection([&](const CVXCellID& cell) {
            if (cell.row < low || cell.row > high)
                return cell;
            return CVXCellID(newRow[(size_t)(cell.row - low)], cell.col);
        });
    };

    if (pfnCompare == pfnCellTextCompare)
    {
        std::vector<TextKey> keys = CollectKeys<TextKey>(ppRows, nCol, low, high, MakeTextKey);
        if (!keys.empty())
        {
            PartitionSort(keys.data(), low, ppRows, pHeights, low, high, bAscending, CompareTextKeys);
            followRows();
            return TRUE;
        }
    }
    else if (pfnCompare == pfnCellNumericCompare)
    {
        std::vector<NumberKey> keys = CollectKeys<NumberKey>(ppRows, nCol, low, high,
            [](const CGridCell* pCell) {
                NumberKey key = { 0, false };
                if (pCell != NULL)
                {
                    key.nValue = ParseLong(pCell->m_strText);
                    key.bPresent = true;
                }
                return key;
            });
        if (!keys.empty())
        {
            PartitionSort(keys.data(), low, ppRows, pHeights, low, high, bAscending,
                          [](const NumberKey& a, const NumberKey& b) {
                              if (!a.bPresent || !b.bPresent || a.nValue == b.nValue)
                                  return 0;
                              return a.nValue < b.nValue ? -1 : 1;
                          });
            followRows();
            return TRUE;
        }
    }

    // Any other compare function sees the cells themselves.
    std::vector<LPARAM> keys = CollectKeys<LPARAM>(ppRows, nCol, low, high,
        [](const CGridCell* pCell) { return (LPARAM)pCell; });
    if (keys.empty())
        AfxThrowMemoryException();
    PartitionSort(keys.data(), low, ppRows, pHeights, low, high, bAscending,
                  [pfnCompare, data](LPARAM a, LPARAM b) { return pfnCompare(a, b, data); });
    followRows();
    return TRUE;
}

// ---------------------------------------------------------------- GetNextItem

CVXCellID CVXGridCtrl::GetNextItem(CVXCellID& cell, int nFlags) const
{
    const UINT nStateMask = GCS_DROPHILITED | GCS_FOCUSED | GCS_SELECTED | GCS_READONLY | GCS_MODIFIED;
    const UINT nWanted = (UINT)nFlags & nStateMask;
    if (nWanted == 0)
        return CVXCellID(-1, -1);

    auto matches = [&](int r, int c) -> BOOL {
        CGridCell* pCell = GetCell(r, c);
        return pCell != NULL && (pCell->m_nState & nWanted) != 0;
    };

    if (nFlags & (GNI_BELOW | GNI_TORIGHT))
    {
        // The area after the start cell, in reading order. (A start column
        // of INT_MAX has no column after it; the test avoids overflowing.)
        int row = cell.row > 0 ? cell.row : m_nFixedRows;
        int col = cell.col >= 0 ? (cell.col < m_nCols ? cell.col + 1 : m_nCols) : m_nFixedCols;
        for (int r = row; r < m_nRows; r++)
        {
            int cFirst = (r == row) ? col : m_nFixedCols;
            for (int c = cFirst; c < m_nCols; c++)
                if (matches(r, c))
                    return CVXCellID(r, c);
        }
    }
    else if (nFlags & GNI_TOLEFT)
    {
        // A start far past the last column begins at the last column: the
        // columns beyond hold no cells, and walking them would take seconds.
        int c = cell.col > m_nFixedCols ? (cell.col < m_nCols ? cell.col : m_nCols) - 1 : -1;
        for (; c >= m_nFixedCols; c--)
            if (matches(cell.row, c))
                return CVXCellID(cell.row, c);
    }
    else if (nFlags & GNI_ABOVE)
    {
        // The same for a start far below the last row.
        int r = cell.row > m_nFixedRows ? (cell.row < m_nRows ? cell.row : m_nRows) - 1 : -1;
        for (; r >= m_nFixedRows; r--)
            if (matches(r, cell.col))
                return CVXCellID(r, cell.col);
    }
    return CVXCellID(-1, -1);
}
