#pragma once

// CVXGridCtrl: a spreadsheet-like grid window. Cells are addressed by row and
// column; the first rows and columns can be fixed (headers that do not scroll).
//
// This header declares the cell address and range types, the cell record
// CGridCell, the exchange record _GV_ITEM with its mask bits, the cell state
// bits, the search flags and the grid class itself. The grid's work is split
// over one source file per concern:
//   GridCellModel.cpp  construction, store, accessors, shape operations
//   GridSort.cpp       sorting and GetNextItem
//   GridFile.cpp       comma-separated text files (Save, Load)
//   GridGeometry.cpp   sizes, positions, hit tests, measuring, fitting, font
//   GridScroll.cpp     scroll bars, scroll requests, wheel, EnsureVisible,
//                      resizing
//   GridSelection.cpp  focus cell and selected cells
//   GridCreate.cpp     window class, creation and subclassing, system
//                      settings, DDX_GridControl
//   GridDraw.cpp       painting (through CMemDC of MemDC.h), single-cell
//                      redraws, invalidation, the redraw switch, RGB colour
//   GridEdit.cpp       in-place editing (with CInPlaceEdit of
//                      InPlaceEdit.h) and applying an edit's text
//   GridClipboard.cpp  copy, cut and paste of tab-separated text (the
//                      text splitting of GridPasteText.h is portable)
//   GridDragDrop.cpp   the grid as drag source and drop target (with
//                      CGridDropTarget of GridDropTarget.h)
//   GridTitleTip.cpp   the title tip (CVXTitleTip of TitleTip.h) over
//                      cells whose text does not fit
//   GridPrint.cpp      printing: the print job and its page steps
//   GridView.cpp       other window-bound operations (notifications,
//                      the message and command handlers)
//
// Everything that changes the data works without a window: the grid is a
// complete data store before Create is called, and calls that would repaint,
// reset the scroll bars or notify the parent do nothing until a window exists.

#include "platform/core/Core.h"
#include "platform/core/Collections.h"
#include "platform/Geometry.h"
#include "platform/Gdi.h"
#include "platform/Wnd.h"
#include "platform/WinApp.h"
#include "platform/ModalUI.h"
#include "grid/TitleTip.h"
#include "grid/GridDropTarget.h"

#include <commctrl.h>

#include <functional>
#include <vector>

class CImageList;
class COleDataSource;
class COleDataObject;
struct CPrintInfo;

// ---------------------------------------------------------------- constants

// Cell state bits (CGridCell::m_nState). Bit 0x10 is never used.
#define GCS_FOCUSED      0x0001
#define GCS_SELECTED     0x0002
#define GCS_DROPHILITED  0x0004
#define GCS_READONLY     0x0008
#define GCS_MODIFIED     0x0020

// _GV_ITEM mask bits: which attributes SetItem / GetItem transfer.
#define GIM_TEXT    0x0001
#define GIM_IMAGE   0x0002
#define GIM_PARAM   0x0004
#define GIM_STATE   0x0008
#define GIM_BKCLR   0x0010
#define GIM_FGCLR   0x0020
#define GIM_FORMAT  0x0040
#define GIM_FONT    0x0080

// GetNextItem direction bits, combined with the state bits looked for.
#define GNI_ABOVE    0x0100
#define GNI_BELOW    0x0200
#define GNI_TOLEFT   0x0400
#define GNI_TORIGHT  0x0800

// Which grid lines are drawn (m_nGridLines).
#define GRIDLINES_NONE  0
#define GRIDLINES_HORZ  1
#define GRIDLINES_VERT  2
#define GRIDLINES_BOTH  3

// Mouse modes (m_nMouseMode).
#define GMM_IDLE                0
#define GMM_SELECT_ALL          1
#define GMM_SELECT_COLUMNS      2
#define GMM_SELECT_ROWS         3
#define GMM_SELECT_CELLS        4
#define GMM_OVER_ROW_BORDER     6
#define GMM_SIZING_ROW          7
#define GMM_OVER_COLUMN_BORDER  8
#define GMM_SIZING_COLUMN       9
#define GMM_PREPARE_EDIT        10
#define GMM_PREPARE_DRAG        11
#define GMM_DRAGGING            12

// Notifications the grid sends to its parent in WM_NOTIFY (GRIDNOTIFY).
#define GRIDN_SELCHANGING     (-100)
#define GRIDN_SELCHANGED      (-101)
#define GRIDN_BEGINLABELEDIT  (-105)
#define GRIDN_ENDLABELEDIT    (-106)
#define GRIDN_BEGINDRAG       (-109)
#define GRIDN_HSCROLL         1133
#define GRIDN_FIXEDROWCLICK   1134
#define GRIDN_VSCROLL         1136

// Number of entries of the per-column tables (text formats, colour flags).
#define GRID_MAX_FORMAT_COLS  1024

// Colour value meaning "use the grid's default colour".
#define GRID_DEFAULT_CLR  ((COLORREF)0xFF000000)

// ---------------------------------------------------------------- value types

// A cell address. (-1, -1) means no cell.
class CVXCellID
{
public:
    int row;
    int col;

    CVXCellID(int nRow = -1, int nCol = -1) : row(nRow), col(nCol) {}

    // Both parts non-negative (the grid's own IsValid also checks the counts).
    BOOL IsValid() const { return row >= 0 && col >= 0; }
    bool operator==(const CVXCellID& rhs) const { return row == rhs.row && col == rhs.col; }
    bool operator!=(const CVXCellID& rhs) const { return !(*this == rhs); }
};

// A rectangle of cells, inclusive at both ends.
class CVXCellRange
{
public:
    int minRow;
    int minCol;
    int maxRow;
    int maxCol;

    CVXCellRange(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1)
        : minRow(nMinRow), minCol(nMinCol), maxRow(nMaxRow), maxCol(nMaxCol) {}

    void Set(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1)
    {
        minRow = nMinRow; minCol = nMinCol; maxRow = nMaxRow; maxCol = nMaxCol;
    }
    // All parts non-negative and max >= min (the grid's IsValid also checks
    // the counts).
    BOOL IsValid() const
    {
        return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 &&
               minRow <= maxRow && minCol <= maxCol;
    }
    BOOL InRange(int row, int col) const
    {
        return row >= minRow && row <= maxRow && col >= minCol && col <= maxCol;
    }
    BOOL InRange(const CVXCellID& cell) const { return InRange(cell.row, cell.col); }
    int Count() const { return IsValid() ? (maxRow - minRow + 1) * (maxCol - minCol + 1) : 0; }
    CVXCellID GetTopLeft() const { return CVXCellID(minRow, minCol); }
    // The common part of two ranges; it may be empty (max below min).
    CVXCellRange Intersect(const CVXCellRange& rhs) const
    {
        return CVXCellRange(minRow > rhs.minRow ? minRow : rhs.minRow,
                            minCol > rhs.minCol ? minCol : rhs.minCol,
                            maxRow < rhs.maxRow ? maxRow : rhs.maxRow,
                            maxCol < rhs.maxCol ? maxCol : rhs.maxCol);
    }
    bool operator==(const CVXCellRange& rhs) const
    {
        return minRow == rhs.minRow && minCol == rhs.minCol &&
               maxRow == rhs.maxRow && maxCol == rhs.maxCol;
    }
    bool operator!=(const CVXCellRange& rhs) const { return !(*this == rhs); }
};

// A set of cells keyed by address (CVXGridCtrl::GetCellKey) that keeps the
// smallest range holding all of them, so that asking for it does not walk
// the whole map (a selection can hold millions of cells). Adding a cell
// widens the range; removing one from its border marks the range stale, and
// the next request recomputes it. Only operations that keep the range right
// are offered.
class CGridCellMap : private CMap<ULONGLONG, ULONGLONG, CVXCellID, CVXCellID&>
{
    typedef CMap<ULONGLONG, ULONGLONG, CVXCellID, CVXCellID&> CBase;

public:
    explicit CGridCellMap(INT_PTR nBlockSize = 10) : CBase(nBlockSize), m_bBoundsKnown(true) {}

    using CBase::GetCount;
    using CBase::GetSize;
    using CBase::IsEmpty;
    using CBase::Lookup;
    using CBase::GetStartPosition;
    using CBase::GetNextAssoc;

    void SetAt(ULONGLONG key, CVXCellID& cell)
    {
        const CPair* pOld = CBase::PLookup(key);
        if (pOld != NULL)
            Forget(pOld->value);
        bool bWasEmpty = CBase::IsEmpty();
        CBase::SetAt(key, cell);
        if (bWasEmpty)
        {
            m_bounds.Set(cell.row, cell.col, cell.row, cell.col);
            m_bBoundsKnown = true;
        }
        else if (m_bBoundsKnown)
            Widen(m_bounds, cell);
    }

    BOOL RemoveKey(ULONGLONG key)
    {
        const CPair* pOld = CBase::PLookup(key);
        if (pOld == NULL)
            return FALSE;
        Forget(pOld->value);
        CBase::RemoveKey(key);
        if (CBase::IsEmpty())
            m_bBoundsKnown = true;
        return TRUE;
    }

    void RemoveAll()
    {
        CBase::RemoveAll();
        m_bBoundsKnown = true;
    }

    // The smallest range holding every cell of the set; FALSE when empty.
    BOOL GetBounds(CVXCellRange& range) const
    {
        if (CBase::IsEmpty())
            return FALSE;
        if (!m_bBoundsKnown)
        {
            POSITION pos = GetStartPosition();
            ULONGLONG key;
            CVXCellID cell;
            GetNextAssoc(pos, key, cell);
            m_bounds.Set(cell.row, cell.col, cell.row, cell.col);
            while (pos != NULL)
            {
                GetNextAssoc(pos, key, cell);
                Widen(m_bounds, cell);
            }
            m_bBoundsKnown = true;
        }
        range = m_bounds;
        return TRUE;
    }

private:
    static void Widen(CVXCellRange& range, const CVXCellID& cell)
    {
        if (cell.row < range.minRow) range.minRow = cell.row;
        if (cell.col < range.minCol) range.minCol = cell.col;
        if (cell.row > range.maxRow) range.maxRow = cell.row;
        if (cell.col > range.maxCol) range.maxCol = cell.col;
    }
    // A cell leaving the set: the range is stale when the cell was on its border.
    void Forget(const CVXCellID& cell)
    {
        if (cell.row == m_bounds.minRow || cell.row == m_bounds.maxRow ||
            cell.col == m_bounds.minCol || cell.col == m_bounds.maxCol)
            m_bBoundsKnown = false;
    }

    mutable CVXCellRange m_bounds;
    mutable bool m_bBoundsKnown;
};

// One cell. A heap object owned by its row. Cells come from a pool shared by
// all grids (operator new / delete below), which saves the per-allocation
// overhead of the general heap; a class derived from CGridCell with extra
// members is allocated from the general heap instead.
class KVVX_API CGridCell : public CObject
{
public:
    CGridCell();
    virtual ~CGridCell();

    UINT     m_nState;    // GCS_ bits
    UINT     m_nFormat;   // DrawText format flags
    CString  m_strText;
    int      m_nImage;    // index into the grid's image list, -1 = none
    COLORREF m_crBkClr;   // GRID_DEFAULT_CLR = the grid's default
    COLORREF m_crFgClr;   // GRID_DEFAULT_CLR = the grid's default
    LOGFONT  m_lfFont;
    LPARAM   m_lParam;

    static void* operator new(size_t nSize);
    static void operator delete(void* p, size_t nSize);

private:
    CGridCell(const CGridCell&) = delete;
    CGridCell& operator=(const CGridCell&) = delete;
};

// The record through which several attributes of one cell are read or
// written at once; mask names the attributes transferred (GIM_ bits).
typedef struct _GV_ITEM
{
    int      row;
    int      col;
    UINT     mask;
    UINT     nState;
    UINT     nFormat;
    CString  szText;
    int      iImage;
    COLORREF crBkClr;
    COLORREF crFgClr;
    LPARAM   lParam;
    LOGFONT  lfFont;
} GV_ITEM;

// The record sent to the parent with WM_NOTIFY.
typedef struct tagGRIDNOTIFY
{
    NMHDR hdr;
    int   iRow;
    int   iColumn;
} GRIDNOTIFY;

// The record the in-place editor sends to the grid (GRIDN_ENDLABELEDIT) when
// an edit ends: item.row/col name the cell, item.szText is the final text and
// item.lParam the key that ended the edit (0 when the focus went elsewhere).
typedef struct tagGRIDDISPINFO
{
    NMHDR   hdr;
    GV_ITEM item;
} GRIDDISPINFO;

// A row of the cell store: an array of cell pointers, one per column.
typedef CArray<CGridCell*, CGridCell*> GRID_ROW;

// Compare function for sorting: the first two arguments are the CGridCell
// pointers being compared (either may be NULL), the third the caller's data.
typedef int (CALLBACK* PFNGRIDCOMPARE)(LPARAM, LPARAM, LPARAM);

// The row heights or the column widths of a grid (pixel sizes, read as
// int), with running totals for the position queries, so that finding the
// row at a scroll position costs the same near the bottom of a long grid as
// near the top. The totals are rebuilt lazily from the first entry that may
// have changed: a plain non-const access to the table may change any entry,
// SetEntry, insertions, removals and size changes only the entries from
// their index on.
class CGridSizeArray : public CArray<UINT, UINT>
{
    typedef CArray<UINT, UINT> CBase;

public:
    // The sum of entries nFrom..nTo-1 (0 when nTo <= nFrom); both indexes
    // within 0..GetSize().
    long long Sum(INT_PTR nFrom, INT_PTR nTo) const
    {
        if (nTo <= nFrom)
            return 0;
        if (Update())
            return m_sums[nTo] - m_sums[nFrom];
        long long n = 0;
        for (INT_PTR i = nFrom; i < nTo; i++)
            n += (int)CBase::GetData()[i];
        return n;
    }
    // The first index i in nFrom..nLast with Sum(nFrom, i) >= nAmount, or
    // nLast when there is none (nLast <= GetSize()).
    INT_PTR FirstReaching(INT_PTR nFrom, INT_PTR nLast, long long nAmount) const
    {
        if (nFrom >= nLast || nAmount <= 0)
            return nFrom;
        if (!Update())
        {
            long long n = 0;
            INT_PTR i = nFrom;
            while (n < nAmount && i < nLast)
                n += (int)CBase::GetData()[i++];
            return i;
        }
        INT_PTR lo = nFrom, hi = nLast;   // the answer lies in lo..hi
        while (lo < hi)
        {
            INT_PTR mid = lo + (hi - lo) / 2;
            if (m_sums[mid] - m_sums[nFrom] >= nAmount)
                hi = mid;
            else
                lo = mid + 1;
        }
        return lo;
    }
    void SetEntry(INT_PTR i, UINT n) { CBase::GetData()[i] = n; Touch(i); }

    // The table's own operations; the ones that can change entries mark the
    // totals stale.
    UINT* GetData() { Touch(0); return CBase::GetData(); }
    const UINT* GetData() const { return CBase::GetData(); }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        Touch(nNewSize < GetSize() ? nNewSize : GetSize());
        CBase::SetSize(nNewSize, nGrowBy);
    }
    void RemoveAll() { Touch(0); CBase::RemoveAll(); }
    INT_PTR Add(UINT n) { Touch(GetSize()); return CBase::Add(n); }
    INT_PTR Append(const CBase& src) { Touch(GetSize()); return CBase::Append(src); }
    void Copy(const CBase& src) { Touch(0); CBase::Copy(src); }
    void InsertAt(INT_PTR i, UINT n, INT_PTR nCount = 1) { Touch(i); CBase::InsertAt(i, n, nCount); }
    void InsertAt(INT_PTR i, CBase* pNew) { Touch(i); CBase::InsertAt(i, pNew); }
    void RemoveAt(INT_PTR i, INT_PTR nCount = 1) { Touch(i); CBase::RemoveAt(i, nCount); }
    void SetAt(INT_PTR i, UINT n) { Touch(0); CBase::SetAt(i, n); }
    void SetAtGrow(INT_PTR i, UINT n) { Touch(0); CBase::SetAtGrow(i, n); }
    UINT& GetAt(INT_PTR i) { Touch(0); return CBase::GetAt(i); }
    const UINT& GetAt(INT_PTR i) const { return CBase::GetAt(i); }
    UINT& ElementAt(INT_PTR i) { Touch(0); return CBase::ElementAt(i); }
    const UINT& ElementAt(INT_PTR i) const { return CBase::ElementAt(i); }
    UINT& operator[](INT_PTR i) { Touch(0); return CBase::ElementAt(i); }
    const UINT& operator[](INT_PTR i) const { return CBase::GetAt(i); }

private:
    void Touch(INT_PTR i) { if (i < m_nValid) m_nValid = i; }
    // Brings m_sums up to date; FALSE when there is no memory for it (the
    // callers then add the entries up one by one).
    BOOL Update() const
    {
        INT_PTR n = GetSize();
        if (m_nValid >= n && (INT_PTR)m_sums.size() == n + 1)
            return TRUE;
        try
        {
            m_sums.resize((size_t)n + 1);
        }
        catch (CException* e)
        {
            e->Delete();
            return FALSE;
        }
        catch (...)
        {
            return FALSE;
        }
        INT_PTR i = m_nValid < n ? m_nValid : n;
        m_sums[0] = 0;
        const UINT* p = CBase::GetData();
        for (; i < n; i++)
            m_sums[i + 1] = m_sums[i] + (int)p[i];
        m_nValid = n;
        return TRUE;
    }

    mutable std::vector<long long> m_sums;   // m_sums[i]: sum of entries 0..i-1
    mutable INT_PTR m_nValid = 0;            // m_sums[0..m_nValid] are up to date
};

// ---------------------------------------------------------------- the grid

class KVVX_API CVXGridCtrl : public CWnd
{
    DECLARE_DYNCREATE(CVXGridCtrl)

public:
    CVXGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    virtual ~CVXGridCtrl();

    // ------------------------------------------------------------ counts
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    // Negative counts are refused (FALSE). A count whose store cannot fit in
    // the memory the system can still give throws CMemoryException* before
    // anything changes.
    BOOL SetRowCount(int nRows = 10);
    BOOL SetColumnCount(int nCols = 10);
    BOOL SetFixedRowCount(int nFixedRows = 1);
    BOOL SetFixedColumnCount(int nFixedCols = 1);

    // ------------------------------------------------------------ sizes (geometry)
    int GetRowHeight(int nRow) const;
    BOOL SetRowHeight(int row, int height);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int col, int width);
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    long GetVirtualWidth() const;
    long GetVirtualHeight() const;

    // ------------------------------------------------------------ colours and settings
    void SetTextColor(COLORREF clr) { m_crText = clr; }
    COLORREF GetTextColor() const { return m_crText; }
    void SetTextBkColor(COLORREF clr) { m_crTextBk = clr; }
    COLORREF GetTextBkColor() const { return m_crTextBk; }
    void SetBkColor(COLORREF clr) { m_crBk = clr; }
    COLORREF GetBkColor() const { return m_crBk; }
    void SetFixedTextColor(COLORREF clr) { m_crFixedText = clr; }
    COLORREF GetFixedTextColor() const { return m_crFixedText; }
    void SetFixedBkColor(COLORREF clr) { m_crFixedBk = clr; }
    COLORREF GetFixedBkColor() const { return m_crFixedBk; }
    void SetGridColor(COLORREF clr) { m_crGrid = clr; }
    COLORREF GetGridColor() const { return m_crGrid; }
    // Repaints the whole window when one exists.
    void SetGridLines(int nWhichLines = GRIDLINES_BOTH);
    int GetGridLines() const { return m_nGridLines; }

    CVXCellID GetFocusCell() const { return m_cellFocus; }

    void SetImageList(CImageList* pList) { m_pImageList = pList; }
    CImageList* GetImageList() const { return m_pImageList; }

    void SetClrRGBCol(int nRedCol, int nGreenCol, int nBlueCol)
    {
        m_nRedCol = nRedCol; m_nGreenCol = nGreenCol; m_nBlueCol = nBlueCol;
    }
    void SetClrHasRGBCol(BOOL bHas) { m_bHasRGBCol = bHas; }
    BOOL GetClrHasRGBCol() const { return m_bHasRGBCol; }

    // Per-column tables of GRID_MAX_FORMAT_COLS entries. A column outside
    // 0..1023 is ignored by the setters; the getters answer -1 (free text) and
    // 0 (not a colour column) for it.
    void SetTextFormat(int nCol, int nFormat);
    int GetTextFormat(int nCol) const;
    void SetColSelColor(int nCol, int nFlag);
    int GetColSelColor(int nCol) const;

    void SetFirstColFormat(UINT nFormat) { m_nFirstColFormat = nFormat; }
    UINT GetFirstColFormat() const { return m_nFirstColFormat; }
    void SetZeroWrong(BOOL bZeroWrong = TRUE) { m_bZeroWrong = bZeroWrong; }
    BOOL IsZeroWrong() const { return m_bZeroWrong; }
    void SetEditable(BOOL bEditable = TRUE) { m_bEditable = bEditable; }
    BOOL IsEditable() const { return m_bEditable; }
    void SetListMode(BOOL bEnableListMode = TRUE) { m_bListMode = bEnableListMode; }
    BOOL GetListMode() const { return m_bListMode; }
    // Clears the selection and the focus before and after storing the flag.
    void EnableSelection(BOOL bEnable = TRUE);
    BOOL IsSelectable() const { return m_bSelectable; }
    void EnableDragAndDrop(BOOL bAllow = TRUE) { m_bDragAndDrop = bAllow; }
    BOOL GetDragAndDrop() const { return m_bDragAndDrop; }
    void SetSingleRowSelection(BOOL bSing = TRUE) { m_bSingleRowSelection = bSing; }
    BOOL GetSingleRowSelection() const { return m_bSingleRowSelection; }
    void SetRowResize(BOOL bResize = TRUE) { m_bRowResize = bResize; }
    BOOL GetRowResize() const { return m_bRowResize; }
    void SetColumnResize(BOOL bResize = TRUE) { m_bColumnResize = bResize; }
    BOOL GetColumnResize() const { return m_bColumnResize; }
    void SetHeaderSort(BOOL bSortOnClick = TRUE) { m_bHeaderSort = bSortOnClick; }
    BOOL GetHeaderSort() const { return m_bHeaderSort; }
    void SetHandleTabKey(BOOL bHandleTab = TRUE) { m_bHandleTabKey = bHandleTab; }
    BOOL GetHandleTabKey() const { return m_bHandleTabKey; }
    void SetDoubleBuffering(BOOL bBuffer = TRUE) { m_bDoubleBuffering = bBuffer; }
    BOOL GetDoubleBuffering() const { return m_bDoubleBuffering; }
    void EnableTitleTips(BOOL bEnable = TRUE) { m_bTitleTips = bEnable; }
    BOOL GetTitleTips() const { return m_bTitleTips; }
    // Returns the previous mode.
    int SetMouseMode(int nMode) { int nOld = m_nMouseMode; m_nMouseMode = nMode; return nOld; }
    int GetMouseMode() const { return m_nMouseMode; }
    // TRUE when point (client coordinates) lies on a column border in the
    // fixed rows / on a row border in the fixed columns, within
    // m_nResizeCaptureRange pixels. The left edge of column 0 and the top
    // edge of row 0 are never borders.
    BOOL MouseOverColumnResizeArea(CPoint& point) const;
    BOOL MouseOverRowResizeArea(CPoint& point) const;
    // Starts dragging the selection as OLE data once the mouse recognises a
    // drag gesture on a selected cell.
    void OnBeginDrag();
    // The drop-target side, called by the grid's CGridDropTarget (point in
    // client coordinates, dwKeyState the MK_ bits).
    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    void OnDragLeave();
    BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    // ------------------------------------------------------------ queries
    BOOL IsValid(int nRow, int nCol) const
    {
        return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols;
    }
    BOOL IsValid(const CVXCellID& cell) const { return IsValid(cell.row, cell.col); }
    BOOL IsValid(const CVXCellRange& range) const;
    BOOL IsCellFixed(int nRow, int nCol) const
    {
        return nRow < m_nFixedRows || nCol < m_nFixedCols;
    }
    // The lowest column (below the column count) flagged as colour column, or -1.
    int HasSelColorCol() const;
    CVXCellRange GetCellRange() const { return CVXCellRange(0, 0, m_nRows - 1, m_nCols - 1); }

    // The cell at a valid address, NULL otherwise (or when the row is missing).
    CGridCell* GetCell(int nRow, int nCol) const;
    // Puts a cell at a valid address; the cell that was there is not
    // destroyed, the caller takes it over. FALSE for an invalid address.
    BOOL SetCell(int nRow, int nCol, CGridCell* pCell);

    // ------------------------------------------------------------ per-cell accessors
    // Setters return FALSE for an invalid address; getters return the
    // "invalid" value given here. None of them repaints.
    virtual BOOL SetItem(const GV_ITEM* pItem);
    BOOL GetItem(GV_ITEM* pItem);
    virtual BOOL SetItemText(int nRow, int nCol, LPCTSTR str);
    virtual CString GetItemText(int nRow, int nCol);            // ""
    BOOL SetItemData(int nRow, int nCol, LPARAM lParam);
    LPARAM GetItemData(int nRow, int nCol) const;               // 0
    BOOL SetItemImage(int nRow, int nCol, int iImage);
    int GetItemImage(int nRow, int nCol) const;                 // -1
    // Keeps m_mapSelected equal to the cells that have GCS_SELECTED.
    BOOL SetItemState(int nRow, int nCol, UINT state);
    UINT GetItemState(int nRow, int nCol) const;                // 0
    BOOL SetItemFormat(int nRow, int nCol, UINT nFormat);
    UINT GetItemFormat(int nRow, int nCol) const;               // 0
    BOOL SetItemBkColour(int nRow, int nCol, COLORREF cr = GRID_DEFAULT_CLR);
    COLORREF GetItemBkColour(int nRow, int nCol) const;         // 0
    BOOL SetItemFgColour(int nRow, int nCol, COLORREF cr = GRID_DEFAULT_CLR);
    COLORREF GetItemFgColour(int nRow, int nCol) const;         // 0
    BOOL SetItemFont(int nRow, int nCol, const LOGFONT* lf);    // copies the record
    LOGFONT* GetItemFont(int nRow, int nCol);                   // the grid's m_lfFont

    // Row 0, column 0 and negative addresses stand for the whole grid.
    void SetModified(BOOL bModified = TRUE, int nRow = -1, int nCol = -1);
    BOOL GetModified(int nRow = -1, int nCol = -1);

    // ------------------------------------------------------------ shape operations
    // A negative position appends; a position past the end gives -1.
    int InsertColumn(LPCTSTR strHeading, UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                     int nColumn = -1);
    int InsertRow(LPCTSTR strHeading, int nRow = -1);
    BOOL DeleteColumn(int nColumn);
    BOOL DeleteRow(int nRow);
    BOOL DeleteNonFixedRows();
    BOOL DeleteAllItems();
    // List mode only: numbers column 0 of rows 1.. as 1, 2, 3 ...
    void SetFirstColItem();

    // ------------------------------------------------------------ sorting and search
    // Sorting moves whole rows (their cells and heights); the fixed rows stay.
    // The public entry points clear the selection and the focus first and
    // return FALSE when col is at or past the column count or fewer than two
    // non-fixed rows exist.
    static int CALLBACK pfnCellTextCompare(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    static int CALLBACK pfnCellNumericCompare(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    void SetCompareFunction(PFNGRIDCOMPARE pfnCompare) { m_pfnCompare = pfnCompare; }
    BOOL SortItems(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data = 0);
    BOOL SortItems(int nCol, BOOL bAscending, LPARAM data = 0);
    BOOL SortTextItems(int nCol, BOOL bAscending, LPARAM data = 0);

    // The next cell that has at least one of the GCS_ bits in nFlags, searched
    // from cell in the direction the GNI_ bits give; (-1, -1) when none.
    //  - GNI_BELOW or GNI_TORIGHT (alone or with other bits): the area after
    //    the start cell in reading order: the rest of the start row, then the
    //    following rows from the first non-fixed column. A start row of 0 or
    //    less starts at the first non-fixed row, a start column of -1 or less
    //    at the first non-fixed column. GNI_BELOW from (-1, -1) therefore
    //    walks every non-fixed cell, the usual way to visit a selection.
    //  - GNI_TOLEFT without those two: the start row, from the column left of
    //    the start column leftwards down to the first non-fixed column.
    //  - GNI_ABOVE alone: the start column, from the row above the start row
    //    upwards down to the first non-fixed row.
    //  - no direction bit: (-1, -1).
    // GNI_BELOW alone keeps the area scan because hosts iterate selections
    // with it; a leftward request gets the leftward scan, because scanning
    // forward would report cells to the right of the start.
    CVXCellID GetNextItem(CVXCellID& cell, int nFlags) const;

    // ------------------------------------------------------------ files
    // Comma-separated text, one line per row, row 0 first. Failures are shown
    // in a message box and answered FALSE.
    BOOL Save(LPCTSTR filename);
    BOOL Load(LPCTSTR filename);

    // ------------------------------------------------------------ selection and focus
    CVXCellID SetFocusCell(CVXCellID cell);
    CVXCellID SetFocusCell(int nRow, int nCol);
    void SetSelectedRange(const CVXCellRange& Range, BOOL bForceRepaint = FALSE);
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                          BOOL bForceRepaint = FALSE);
    void ResetSelectedRange();
    // Range selections from the anchor m_cellSelStart to a cell; each does
    // nothing while selection is disabled or for cells it does not apply to.
    void SelectAllCells();
    void SelectColumns(CVXCellID currentCell);
    void SelectRows(CVXCellID currentCell);
    void SelectCells(CVXCellID currentCell);
    // The selection the current mouse mode makes for a cell.
    void OnSelecting(const CVXCellID& currentCell);
    CVXCellRange GetSelectedCellRange() const;
    int GetSelectedCount() const { return (int)m_mapSelected.GetCount(); }
    BOOL IsCellEditable(int nRow, int nCol) const;
    BOOL IsCellEditable(CVXCellID& cell) const { return IsCellEditable(cell.row, cell.col); }

    // ------------------------------------------------------------ window
    // Creates the grid window (class "MFCGridCtrl") as a child of pParentWnd;
    // every row and column then gets the default size of the window's font.
    // FALSE when the window cannot be made (the grid stays a data store).
    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID,
                DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);
    // Takes over an existing window; sizes are kept.
    BOOL SubclassWindow(HWND hWnd) override;
    // Sets the font metrics and the scroll bars for a newly bound window.
    void PreSubclassWindow() override;
    // Colours still equal to the system colour they came from follow it.
    void OnSysColorChange() override;
    // The colour step of OnSysColorChange, then the wheel setting is read
    // again. WM_SETTINGCHANGE is routed here: the system broadcasts it to
    // top-level windows only, so a grid sees it when its parent forwards the
    // message (or when the host calls this directly).
    void OnSettingChange(UINT uFlags, LPCSTR lpszSection) override;

    // ------------------------------------------------------------ geometry
    // The first non-fixed row and column shown at the top left.
    CVXCellID GetTopleftNonFixedCell() const;
    // Client pixels; rectangles are inclusive (right = left + width - 1).
    // FALSE for an invalid cell or one scrolled out above or to the left.
    BOOL GetCellOrigin(int nRow, int nCol, LPPOINT p) const;
    BOOL GetCellOrigin(const CVXCellID& cell, LPPOINT p) const { return GetCellOrigin(cell.row, cell.col, p); }
    BOOL GetCellRect(int nRow, int nCol, LPRECT pRect) const;
    BOOL GetCellRect(const CVXCellID& cell, LPRECT pRect) const { return GetCellRect(cell.row, cell.col, pRect); }
    BOOL GetCellRangeRect(const CVXCellRange& cellRange, LPRECT lpRect) const;
    BOOL GetTextRect(int nRow, int nCol, LPRECT pRect);
    BOOL GetTextRect(const CVXCellID& cell, LPRECT pRect) { return GetTextRect(cell.row, cell.col, pRect); }
    // Non-fixed cells at least partly shown; pRect (may be NULL) receives
    // the area they cover, clipped to the client area.
    CVXCellRange GetVisibleNonFixedCellRange(LPRECT pRect = NULL) const;
    // Non-fixed cells wholly shown.
    CVXCellRange GetUnobstructedNonFixedCellRange() const;
    // The cell under a client point; -1 in the part (row or column) where
    // there is none. Fixed cells count only with bAllowFixed.
    CVXCellID GetCellFromPt(CPoint point, BOOL bAllowFixed = FALSE) const;
    // Full 32-bit scroll positions (SB_HORZ, SB_VERT).
    int GetScrollPos32(int nBar, BOOL bGetTrackPos = FALSE) const;
    BOOL SetScrollPos32(int nBar, int nPos, BOOL bRedraw = TRUE);
    void AutoSize();
    void ExpandColumnsToFit();
    void ExpandRowsToFit();
    void ExpandToFit();
    // Scrolls until the cell and up to nColMargin columns and nRowMargin
    // rows around it are in view.
    void EnsureVisible(int nRow, int nCol, int nColMargin, int nRowMargin);

    // ------------------------------------------------------------ view (window-bound)
    void EnsureVisible(CVXCellID& cell) { EnsureVisible(cell.row, cell.col); }
    void EnsureVisible(int nRow, int nCol);
    BOOL IsCellVisible(int nRow, int nCol) const;
    BOOL IsCellVisible(CVXCellID cell) const { return IsCellVisible(cell.row, cell.col); }
    void AutoSizeColumns();
    void AutoSizeRows();
    BOOL AutoSizeColumn(int nCol);
    BOOL AutoSizeRow(int nRow);
    // Width and height of text in the grid's font (semi-bold when bBold) plus
    // twice the margin. Measured on the window's DC, or on a DC of the screen
    // while the grid has no window; (0, 0) when no DC can be had.
    CSize GetTextExtent(LPCTSTR str, BOOL bBold = TRUE);
    BOOL RedrawCell(int nRow, int nCol, CDC* pDC = NULL);
    BOOL RedrawCell(const CVXCellID& cell, CDC* pDC = NULL) { return RedrawCell(cell.row, cell.col, pDC); }
    BOOL RedrawRow(int nRow);
    BOOL RedrawColumn(int nCol);
    BOOL InvalidateCellRect(const CVXCellID& cell);
    BOOL InvalidateCellRect(const CVXCellRange& cellRange);
    void SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars = FALSE);
    // Fills the fixed strips, the cell area and the area outside the cells.
    void EraseBkgnd(CDC* pDC);
    // Sets the background of the row's colour column from the numbers in
    // its red, green and blue columns, when nCol is one of those three.
    void SetRGBColor(int nRow, int nCol);
    // Asks for the cell's background colour with the colour dialog; on OK
    // stores it and, when the grid has RGB columns, writes its components
    // into the row's red, green and blue columns.
    void SetItemColor(int nRow, int nCol);

    // ------------------------------------------------------------ printing
    // Asks for a printer with the print dialog and prints every non-fixed
    // row, page by page, scaled to the paper's width. TRUE when the
    // document was printed; FALSE when the dialog was cancelled, a page
    // failed (the document is then aborted) or no printer exists (which
    // is said in a message box).
    BOOL Print();
    // The first row of page nPage (1-based) as the page steps lay the rows
    // out, or -1 when the grid has fewer pages. Valid between
    // OnBeginPrinting and OnEndPrinting.
    int GetPrintPageFirstRow(UINT nPage) const;

    // ------------------------------------------------------------ overridables
    // (declared in this order; a derived grid relies on the slots)
    virtual void CutSelectedText();
    virtual COleDataSource* CopyTextFromGrid();
    virtual BOOL PasteTextToGrid(CVXCellID cell, COleDataObject* pDataObject);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintColumnHeadings(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintHeader(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintFooter(CDC* pDC, CPrintInfo* pInfo);
    virtual CImageList* CreateDragImage(CPoint* pHotSpot);
    virtual void OnFixedColumnClick(CVXCellID& cell);
    virtual void OnFixedRowClick(CVXCellID& cell);
    virtual CSize GetCellExtent(int nRow, int nCol, CDC* pDC);
    virtual void OnEndEditCell(int nRow, int nCol, CString str);
    virtual void OnEditCell(int nRow, int nCol, UINT nChar);
    virtual void CreateInPlaceEditControl(CRect& rect, DWORD dwStyle, UINT nID,
                                          int nRow, int nCol, LPCTSTR szText, int nChar);
    virtual void OnDraw(CDC* pDC);
    virtual BOOL DrawFixedCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBk = FALSE);
    virtual BOOL DrawCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBk = FALSE);
protected:
    virtual CGridCell* CreateCell(int nRow, int nCol);
    virtual void EmptyCell(CGridCell* pCell, int nRow, int nCol);

protected:
    // The sort worker: sorts rows low..high (high = -1: the last row) by
    // column nCol. FALSE for a column at or past the column count and for a
    // range of fewer than two rows.
    BOOL SortItems(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data,
                   int low, int high);

    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage);

    // ------------------------------------------------------------ message handlers
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    void OnSize(UINT nType, int cx, int cy) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;
    LRESULT OnSetFont(WPARAM hFont, LPARAM lParam) override;
    LRESULT OnGetFont(WPARAM hFont, LPARAM lParam) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    UINT OnGetDlgCode() override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    void OnDestroy() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL and their
    // enable queries.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    void OnUpdateEditCut(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    // GRIDN_ENDLABELEDIT from the in-place editor (control id 8).
    void OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult);
    // The colour step shared by the system-change handlers.
    void FollowSysColors();
    // The sum of the heights of rows nFrom..nTo-1 / widths of columns
    // nFrom..nTo-1, as GetRowHeight / GetColumnWidth give them.
    long long RowSpan(int nFrom, int nTo) const;
    long long ColumnSpan(int nFrom, int nTo) const;
    // One scroll request (SB_ code) on the horizontal or the vertical bar.
    void HandleScroll(BOOL bHorz, UINT nSBCode);
    void ResetScrollBars(BOOL bShowBars = TRUE);
    // Scrolls a line while a drag hovers near an edge of the cell area.
    void DragScroll(CPoint point);
    // The title tip: made with the window when tips are on, shown over the
    // cell under the mouse.
    void CreateTitleTip();
    void UpdateTitleTip(CPoint point);
    BOOL RegisterWindowClass();
    int ReadWheelScrollLines();

    // The key of a cell in the selection maps: column in the high 32 bits,
    // row in the low 32 bits, so every cell of any grid has its own key.
    static ULONGLONG GetCellKey(int nRow, int nCol)
    {
        return ((ULONGLONG)(UINT)nCol << 32) | (ULONGLONG)(UINT)nRow;
    }

    // ------------------------------------------------------------ fields
protected:
    int      m_nRedCol, m_nGreenCol, m_nBlueCol;
    BOOL     m_bHasRGBCol;
    BOOL     m_bZeroWrong;
    UINT     m_nFirstColFormat;
    int      m_anColTextFormat[GRID_MAX_FORMAT_COLS];
    int      m_abColSelColor[GRID_MAX_FORMAT_COLS];

    COLORREF m_crText, m_crTextBk, m_crBk, m_crFixedText, m_crFixedBk, m_crGrid;
    COLORREF m_crSysWindowText, m_crSysWindow, m_crSysBtnFace, m_crSysBtnShadow;

    int      m_nGridLines;
    BOOL     m_bEditable;
    BOOL     m_bModified;
    BOOL     m_bDragAndDrop;
    BOOL     m_bListMode;
    BOOL     m_bSingleRowSelection;
    BOOL     m_bAllowDraw;
    BOOL     m_bSelectable;
    BOOL     m_bHeaderSort;
    BOOL     m_bHandleTabKey;
    BOOL     m_bDoubleBuffering;
    BOOL     m_bTitleTips;

    int      m_nRows, m_nFixedRows, m_nCols, m_nFixedCols;
    CGridSizeArray m_arRowHeights, m_arColWidths;
    int      m_nMargin;
    int      m_nDefColWidth;
    int      m_nDefRowHeight;
    int      m_nVScrollRange, m_nHScrollRange;

    LOGFONT  m_lfFont;
    CFont    m_fontPrint;
    CFont    m_fontGrid;
    CImageList* m_pImageList;

    CArray<GRID_ROW*, GRID_ROW*> m_arRows;

    int      m_nMouseMode;
    CPoint   m_ptClickDown, m_ptLastMouse;
    CVXCellID m_cellClickDown, m_cellSelStart;
    CVXCellID m_cellFocus;
    UINT     m_nAutoScrollTimer;
    int      m_nAutoScrollDelay;
    int      m_nResizeCaptureRange;
    BOOL     m_bRowResize, m_bColumnResize;
    int      m_nWheelScrollLines;

    CGridCellMap m_mapSelected;      // the cells whose state has GCS_SELECTED
    CGridCellMap m_mapPrevSelected;

    CVXTitleTip m_titleTip;
    BOOL     m_bOleInitialized;
    CVXCellID m_cellLastDragOver;
    CGridDropTarget m_dropTarget;

    CSize    m_sizePrintChar;
    int      m_nPrintPageHeight;
    CSize    m_sizePrintPage, m_sizePrintPaper;

    BOOL     m_bSortAscending;
    int      m_nSortColumn;
    PFNGRIDCOMPARE m_pfnCompare;

private:
    // Measuring without a window: a DC compatible with the screen and the
    // semi-bold font made from m_lfFont, kept between calls because the rows
    // of a loaded file are measured one by one.
    HDC      m_hMeasureDC;
    HFONT    m_hMeasureFont;
    LOGFONT  m_lfMeasureFont;

    // The cell an in-place edit opened by OnEditCell was opened on, so that
    // its text reaches that cell wherever rows and columns have moved it
    // meanwhile, or no cell when it was destroyed. The pointer is only
    // compared, never followed; m_bEditCellOpen says whether such an edit is
    // open (m_pEditCell NULL then means its cell is gone).
    CGridCell* m_pEditCell;
    BOOL     m_bEditCellOpen;
    // Nesting depth of batched scrolling: while above 0 a scroll request
    // moves the position without scrolling or repainting the window; the
    // batch redraws once when it ends.
    int      m_nScrollBatch;
    BOOL     m_bScrollBatchStarted;   // the batch's first step has run

    // Moves both selection maps (the selection and the earlier selection
    // kept by a Ctrl+click) to the cells' new addresses after rows or columns
    // moved; fnNew gives a cell's new address, or an invalid one when the
    // cell is gone.
    void RemapSelection(const std::function<CVXCellID(const CVXCellID&)>& fnNew);
    // Set while Load fills the grid: the scroll bars are not reset after
    // every row, and texts are measured on the kept memory DC instead of a
    // window DC fetched for each row. EndBulkChange sets the bars once and
    // repaints.
    BOOL     m_bBulkChange;
    void BeginBulkChange() { m_bBulkChange = TRUE; }
    void EndBulkChange();
    // EnsureVisible's line steps, run inside a scroll batch.
    void EnsureVisibleSteps(int nRow, int nCol, int nColMargin, int nRowMargin);
    // The address of the cell an open in-place edit was opened on, or
    // (-1, -1) when that cell no longer exists.
    CVXCellID FindEditCell(int nRow, int nCol) const;
    // Whether any cell is neither in a fixed row nor in a fixed column: a
    // grid without one has nowhere to put the focus by keys or header presses.
    BOOL HasNonFixedCells() const { return m_nFixedRows < m_nRows && m_nFixedCols < m_nCols; }
    // A cell about to be destroyed stops being the target of an open edit.
    void ForgetEditCell(const CGridCell* pCell)
    {
        if (pCell != NULL && pCell == m_pEditCell)
            m_pEditCell = NULL;
    }

    // The page GetPrintPageFirstRow found last and its first row: pages
    // printed in order each continue from the one before. Cleared by
    // OnBeginPrinting.
    mutable UINT m_nPrintLastPage = 0;
    mutable int  m_nPrintLastPageRow = 0;

    GRID_ROW* GetRow(int nRow) const
    {
        return (nRow >= 0 && nRow < (int)m_arRows.GetSize()) ? m_arRows.GetData()[nRow] : NULL;
    }
    void DestroyRowCells(GRID_ROW* pRow, int nRow, int nFromCol);
    void CheckStoreFits(LONGLONG nNewRows, LONGLONG nNewCols) const;
    // The cached measuring font for lf, made anew when lf differs from the
    // font made last time.
    HFONT GetMeasureFont(const LOGFONT& lf);
    class CMeasureDC;
    BOOL AutoSizeLine(int nIndex, BOOL bColumn);
    void ReleaseMeasureObjects();
};

class CDataExchange;

// Dialog data exchange for a grid placed in a dialog template as a custom
// control of class "MFCGridCtrl": the first exchange subclasses the control
// nIDC; later ones do nothing. A control that cannot be taken over throws
// CNotSupportedException*.
KVVX_API void DDX_GridControl(CDataExchange* pDX, int nIDC, CVXGridCtrl& rControl);
