// CVXGridCtrl: construction, the cell store, the per-cell accessors and the
// operations that change the grid's shape.

#include "grid/GridCtrl.h"

#include <ole2.h>
#include <atomic>
#include <string.h>
#include <stdio.h>
#include <new>

// ---------------------------------------------------------------- cell pool

// Cells are small and numerous (a grid of 200,000 rows by 10 columns holds two
// million of them), so they come from a pool of fixed-size slots carved from
// 64 KB chunks rather than one heap block each: no per-block heap header and
// much faster allocation. Freed slots go onto a free list. When the last cell
// of the process is freed and the pool has grown large, all chunks go back to
// the heap; a small pool is kept, so that creating and destroying a few cells
// over and over does not allocate and release chunks each time. The pool is
// shared by every grid of every thread, hence the lock (a spin lock: it is
// held for a few instructions). It is plain data initialised at load time,
// so cells freed during static destruction still find it.
namespace
{
struct CellChunk
{
    CellChunk* pNext;
};

struct CellPool
{
    void*      pFree;       // singly linked list of free slots
    CellChunk* pChunks;     // every chunk, for the final release
    size_t     nChunks;
    size_t     nLive;       // slots handed out and not yet freed
};

CellPool g_cellPool = { NULL, NULL, 0, 0 };
std::atomic_flag g_cellPoolLock = ATOMIC_FLAG_INIT;

struct CellPoolLock
{
    CellPoolLock()
    {
        while (g_cellPoolLock.test_and_set(std::memory_order_acquire))
            ::SwitchToThread();
    }
    ~CellPoolLock() { g_cellPoolLock.clear(std::memory_order_release); }
};

const size_t kChunkBytes = 64 * 1024;
const size_t kKeptChunks = 16;
const size_t kSlotBytes = (sizeof(CGridCell) + 7) & ~(size_t)7;
const size_t kChunkHeader = (sizeof(CellChunk) + 15) & ~(size_t)15;
const size_t kSlotsPerChunk = (kChunkBytes - kChunkHeader) / kSlotBytes;

void* PoolAlloc()
{
    CellPoolLock lock;
    if (g_cellPool.pFree == NULL)
    {
        CellChunk* pChunk = (CellChunk*)malloc(kChunkBytes);
        if (pChunk == NULL)
            return NULL;
        pChunk->pNext = g_cellPool.pChunks;
        g_cellPool.pChunks = pChunk;
        g_cellPool.nChunks++;
        // Thread the new slots onto the free list, lowest address first.
        char* pSlots = (char*)pChunk + kChunkHeader;
        for (size_t i = kSlotsPerChunk; i-- > 0;)
        {
            void* pSlot = pSlots + i * kSlotBytes;
            *(void**)pSlot = g_cellPool.pFree;
            g_cellPool.pFree = pSlot;
        }
    }
    void* p = g_cellPool.pFree;
    g_cellPool.pFree = *(void**)p;
    g_cellPool.nLive++;
    return p;
}

void PoolFree(void* p)
{
    CellPoolLock lock;
    *(void**)p = g_cellPool.pFree;
    g_cellPool.pFree = p;
    if (--g_cellPool.nLive == 0 && g_cellPool.nChunks > kKeptChunks)
    {
        // No cell is alive any more: give the memory back.
        CellChunk* pChunk = g_cellPool.pChunks;
        while (pChunk != NULL)
        {
            CellChunk* pNext = pChunk->pNext;
            free(pChunk);
            pChunk = pNext;
        }
        g_cellPool.pChunks = NULL;
        g_cellPool.pFree = NULL;
        g_cellPool.nChunks = 0;
    }
}
} // namespace

void* CGridCell::operator new(size_t nSize)
{
    void* p = (nSize <= kSlotBytes) ? PoolAlloc() : malloc(nSize);
    if (p == NULL)
        AfxThrowMemoryException();
    return p;
}

void CGridCell::operator delete(void* p, size_t nSize)
{
    if (p == NULL)
        return;
    if (nSize <= kSlotBytes)
        PoolFree(p);
    else
        free(p);
}

// ---------------------------------------------------------------- CGridCell

CGridCell::CGridCell()
    : m_nState(0), m_nFormat(0), m_nImage(-1),
      m_crBkClr(GRID_DEFAULT_CLR), m_crFgClr(GRID_DEFAULT_CLR), m_lParam(0)
{
    memset(&m_lfFont, 0, sizeof(m_lfFont));
}

CGridCell::~CGridCell()
{
}

// ---------------------------------------------------------------- construction

IMPLEMENT_DYNCREATE(CVXGridCtrl, CWnd)

CVXGridCtrl::CVXGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols)
    : m_mapSelected(10), m_mapPrevSelected(10),
      m_hMeasureDC(NULL), m_hMeasureFont(NULL),
      m_pEditCell(NULL), m_bEditCellOpen(FALSE), m_nScrollBatch(0), m_bScrollBatchStarted(FALSE), m_bBulkChange(FALSE)
{
    memset(&m_lfMeasureFont, 0, sizeof(m_lfMeasureFont));

    m_cellClickDown = CVXCellID(-1, -1);
    m_cellSelStart = CVXCellID(-1, -1);
    m_cellFocus = CVXCellID(-1, -1);
    m_cellLastDragOver = CVXCellID(-1, -1);

    RegisterWindowClass();

    // OLE for drag-and-drop, unless the host started it for this thread
    // through the framework. Every successful OleInitialize (S_OK, or S_FALSE
    // when the thread already had it) counts and is balanced by the
    // destructor's OleUninitialize, so grids come and go in any order
    // without ending OLE under another grid or the host.
    m_bOleInitialized = FALSE;
    if (!AfxOleIsInitialized())
    {
        if (FAILED(::OleInitialize(NULL)))
            AfxMessageBox("OLE initialization failed. Make sure that the OLE libraries are the correct version");
        else
            m_bOleInitialized = TRUE;
    }

    m_crSysWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crSysWindow = ::GetSysColor(COLOR_WINDOW);
    m_crSysBtnFace = ::GetSysColor(COLOR_BTNFACE);
    m_crSysBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_crGrid = RGB(0xC0, 0xC0, 0xC0);

    m_nRows = 0;
    m_nCols = 0;
    m_nFixedRows = 0;
    m_nFixedCols = 0;
    m_nMargin = 0;
    m_nDefColWidth = 30;
    m_nDefRowHeight = 10;
    m_nVScrollRange = 0;
    m_nHScrollRange = 0;
    m_nWheelScrollLines = ReadWheelScrollLines();
    m_nGridLines = GRIDLINES_BOTH;
    m_nResizeCaptureRange = 3;
    m_nRedCol = m_nGreenCol = m_nBlueCol = -1;
    m_bHasRGBCol = FALSE;
    m_bZeroWrong = FALSE;
    m_nFirstColFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
    m_nMouseMode = GMM_IDLE;
    m_bEditable = TRUE;
    m_bAllowDraw = TRUE;
    m_bSelectable = TRUE;
    m_bRowResize = TRUE;
    m_bColumnResize = TRUE;
    m_bHeaderSort = TRUE;
    m_bHandleTabKey = TRUE;
    m_bDoubleBuffering = TRUE;
    m_bTitleTips = TRUE;
    m_bSortAscending = TRUE;
    m_bListMode = FALSE;
    m_bSingleRowSelection = FALSE;
    m_bDragAndDrop = FALSE;
    m_bModified = FALSE;
    m_nSortColumn = -1;
    m_pfnCompare = NULL;
    m_nAutoScrollTimer = 0;
    m_nAutoScrollDelay = 25;
    m_pImageList = NULL;
    m_nPrintPageHeight = 0;

    NONCLIENTMETRICSA ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        memcpy(&m_lfFont, &ncm.lfMessageFont, sizeof(LOGFONT));
    else
    {
        // Older systems know the record without the padded border width.
        ncm.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
        if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
            memcpy(&m_lfFont, &ncm.lfMessageFont, sizeof(LOGFONT));
        else
            ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONT), &m_lfFont);
    }

    for (int i = 0; i < GRID_MAX_FORMAT_COLS; i++)
    {
        m_abColSelColor[i] = 0;
        m_anColTextFormat[i] = -1;
    }

    // A count the memory cannot hold throws out of the constructor, so the
    // destructor will not run: give back the rows made so far and the OLE
    // start-up here before the exception goes on.
    try
    {
        SetRowCount(nRows);
        SetColumnCount(nCols);
        SetFixedRowCount(nFixedRows);
        SetFixedColumnCount(nFixedCols);
    }
    catch (...)
    {
        DeleteAllItems();
        ReleaseMeasureObjects();
        if (m_bOleInitialized)
            ::OleUninitialize();
        throw;
    }

    m_crText = m_crSysWindowText;
    m_crTextBk = m_crSysWindow;
    m_crBk = m_crSysBtnShadow;
    m_crFixedText = m_crSysWindowText;
    m_crFixedBk = m_crSysBtnFace;

    m_mapSelected.RemoveAll();
    m_mapPrevSelected.RemoveAll();
}

CVXGridCtrl::~CVXGridCtrl()
{
    DeleteAllItems();
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
    m_fontGrid.DeleteObject();
    ReleaseMeasureObjects();
    if (m_bOleInitialized)
    {
        // Text this process put on the clipboard is rendered into it first:
        // otherwise it would vanish with the last OLE shutdown of the thread,
        // and closing a dialog with a grid would empty the user's clipboard.
        COleDataSource::FlushClipboard();
        ::OleUninitialize();
    }
}

// ---------------------------------------------------------------- settings

void CVXGridCtrl::SetTextFormat(int nCol, int nFormat)
{
    if (nCol >= 0 && nCol < GRID_MAX_FORMAT_COLS)
        m_anColTextFormat[nCol] = nFormat;
}

int CVXGridCtrl::GetTextFormat(int nCol) const
{
    return (nCol >= 0 && nCol < GRID_MAX_FORMAT_COLS) ? m_anColTextFormat[nCol] : -1;
}

void CVXGridCtrl::SetColSelColor(int nCol, int nFlag)
{
    if (nCol >= 0 && nCol < GRID_MAX_FORMAT_COLS)
        m_abColSelColor[nCol] = nFlag;
}

int CVXGridCtrl::GetColSelColor(int nCol) const
{
    return (nCol >= 0 && nCol < GRID_MAX_FORMAT_COLS) ? m_abColSelColor[nCol] : 0;
}

void CVXGridCtrl::SetGridLines(int nWhichLines)
{
    m_nGridLines = nWhichLines;
    if (GetSafeHwnd() != NULL)
        Invalidate(TRUE);
}

void CVXGridCtrl::EnableSelection(BOOL bEnable)
{
    ResetSelectedRange();
    m_bSelectable = bEnable;
    ResetSelectedRange();
}

// ---------------------------------------------------------------- queries

BOOL CVXGridCtrl::IsValid(const CVXCellRange& range) const
{
    return range.minRow >= 0 && range.minCol >= 0 && range.maxRow >= 0 && range.maxCol >= 0 &&
           range.maxRow < m_nRows && range.maxCol < m_nCols &&
           range.maxRow >= range.minRow && range.maxCol >= range.minCol;
}

int CVXGridCtrl::HasSelColorCol() const
{
    int nLimit = m_nCols < GRID_MAX_FORMAT_COLS ? m_nCols : GRID_MAX_FORMAT_COLS;
    for (int c = 0; c < nLimit; c++)
        if (m_abColSelColor[c] != 0)
            return c;
    return -1;
}

CGridCell* CVXGridCtrl::GetCell(int nRow, int nCol) const
{
    if (!IsValid(nRow, nCol))
        return NULL;
    GRID_ROW* pRow = GetRow(nRow);
    if (pRow == NULL || nCol >= (int)pRow->GetSize())
        return NULL;
    return pRow->GetData()[nCol];
}

BOOL CVXGridCtrl::SetCell(int nRow, int nCol, CGridCell* pCell)
{
    if (!IsValid(nRow, nCol))
        return FALSE;
    GRID_ROW* pRow = GetRow(nRow);
    if (pRow == NULL || nCol >= (int)pRow->GetSize())
        return FALSE;
    pRow->GetData()[nCol] = pCell;
    return TRUE;
}

// ---------------------------------------------------------------- per-cell accessors

BOOL CVXGridCtrl::SetItem(const GV_ITEM* pItem)
{
    if (pItem == NULL)
        return FALSE;
    CGridCell* pCell = GetCell(pItem->row, pItem->col);
    if (pCell == NULL)
        return FALSE;

    if (pItem->mask & GIM_TEXT)
    {
        SetItemText(pItem->row, pItem->col, pItem->szText);
        // An overriding SetItemText may have put another cell in place (or
        // removed it): the other attributes go to the cell there now.
        pCell = GetCell(pItem->row, pItem->col);
        if (pCell == NULL)
            return FALSE;
    }
    if (pItem->mask & GIM_PARAM)
        pCell->m_lParam = pItem->lParam;
    if (pItem->mask & GIM_IMAGE)
        pCell->m_nImage = pItem->iImage;
    if (pItem->mask & GIM_STATE)
        pCell->m_nState = pItem->nState;   // raw store: the selection map is not touched
    if (pItem->mask & GIM_FORMAT)
        pCell->m_nFormat = pItem->nFormat;
    if (pItem->mask & GIM_BKCLR)
        pCell->m_crBkClr = pItem->crBkClr;
    if (pItem->mask & GIM_FGCLR)
        pCell->m_crFgClr = pItem->crFgClr;
    if (pItem->mask & GIM_FONT)
        memcpy(&pCell->m_lfFont, &pItem->lfFont, sizeof(LOGFONT));
    return TRUE;
}

BOOL CVXGridCtrl::GetItem(GV_ITEM* pItem)
{
    if (pItem == NULL)
        return FALSE;
    CGridCell* pCell = GetCell(pItem->row, pItem->col);
    if (pCell == NULL)
        return FALSE;

    if (pItem->mask & GIM_TEXT)
    {
        pItem->szText = GetItemText(pItem->row, pItem->col);
        pCell = GetCell(pItem->row, pItem->col);   // as in SetItem
        if (pCell == NULL)
            return FALSE;
    }
    if (pItem->mask & GIM_PARAM)
        pItem->lParam = pCell->m_lParam;
    if (pItem->mask & GIM_IMAGE)
        pItem->iImage = pCell->m_nImage;
    if (pItem->mask & GIM_STATE)
        pItem->nState = pCell->m_nState;
    if (pItem->mask & GIM_FORMAT)
        pItem->nFormat = pCell->m_nFormat;
    if (pItem->mask & GIM_BKCLR)
        pItem->crBkClr = pCell->m_crBkClr;
    if (pItem->mask & GIM_FGCLR)
        pItem->crFgClr = pCell->m_crFgClr;
    if (pItem->mask & GIM_FONT)
        memcpy(&pItem->lfFont, &pCell->m_lfFont, sizeof(LOGFONT));
    return TRUE;
}

BOOL CVXGridCtrl::SetItemText(int nRow, int nCol, LPCTSTR str)
{
    CGridCell* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return FALSE;
    pCell->m_strText = str;
    return TRUE;
}

CString CVXGridCtrl::GetItemText(int nRow, int nCol)
{
    CGridCell* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return CString();
    return pCell->m_strText;
}

BOOL CVXGridCtrl::SetItemData(int nRow, int nCol, LPARAM lParam)
{
    CGridCell* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return FALSE;
    pCell->m_lParam = lParam;
    return TRUE;
}

LPARAM CVXGridCtrl::GetItemData(int nRow, int nCol) const
{
    CGridCell* pCell = GetCell(nRow, nCol);
    return pCell != NULL ? pCell->m_lParam : 0;
}

BOOL CVXGridCtrl::SetItemImage(int nRow, int nCol, int iImage)
{
    CGridCell* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return FALSE;
    pCell->m_nImage = iImage;
    return TRUE;
}

int CVXGridCtrl::GetItemImage(int nRow, int nCol) const
{
    CGridCell* pCell = GetCell(nRow, nCol);
    return pCell != NULL ? pCell->m_nImage : -1;
}

BOOL CVXGridCtrl::SetItemState(int nRow, int nCol, UINT state)
{
    CGridCell* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return FALSE;

    ULONGLONG key = GetCellKey(nRow, nCol);
    if ((pCell->m_nState & GCS_SELECTED) && !(state & GCS_SELECTED))
        m_mapSelected.RemoveKey(key);
    else if (!(pCell->m_nState & GCS_SELECTED) && (state & GCS_SELECTED))
    {
        CVXCellID cell(nRow, nCol);
        m_mapSelected.SetAt(key, cell);
    }
    pCell->m_nState = state;
    return TRUE;
}

UINT CVXGridCtrl::GetItemState(int nRow, int nCol) const
{
    CGridCell* pCell = GetCell(nRow, nCol);
    return pCell != NULL ? pCell->m_nState : 0;
}

BOOL CVXGridCtrl::SetItemFormat(int nRow, int nCol, UINT nFormat)
{
    CGridCell* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return FALSE;
    pCell->m_nFormat = nFormat;
    return TRUE;
}

UINT CVXGridCtrl::GetItemFormat(int nRow, int nCol) const
{
    CGridCell* pCell = GetCell(nRow, nCol);
    return pCell != NULL ? pCell->m_nFormat : 0;
}

BOOL CVXGridCtrl::SetItemBkColour(int nRow, int nCol, COLORREF cr)
{
    CGridCell* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return FALSE;
    pCell->m_crBkClr = cr;
    return TRUE;
}

COLORREF CVXGridCtrl::GetItemBkColour(int nRow, int nCol) const
{
    CGridCell* pCell = GetCell(nRow, nCol);
    return pCell != NULL ? pCell->m_crBkClr : 0;
}

BOOL CVXGridCtrl::SetItemFgColour(int nRow, int nCol, COLORREF cr)
{
    CGridCell* pCell = GetCell(nRow, nCol);
    if (pCell == NULL)
        return FALSE;
    pCell->m_crFgClr = cr;
    return TRUE;
}

COLORREF CVXGridCtrl::GetItemFgColour(int nRow, int nCol) const
{
    CGridCell* pCell = GetCell(nRow, nCol);
    return pCell != NULL ? pCell->m_crFgClr : 0;
}

BOOL CVXGridCtrl::SetItemFont(int nRow, int nCol, const LOGFONT* lf)
{
    CGridCell* pCell = GetCell(nRow, nCol);
    if (pCell == NULL || lf == NULL)
        return FALSE;
    memcpy(&pCell->m_lfFont, lf, sizeof(LOGFONT));
    return TRUE;
}

LOGFONT* CVXGridCtrl::GetItemFont(int nRow, int nCol)
{
    CGridCell* pCell = GetCell(nRow, nCol);
    return pCell != NULL ? &pCell->m_lfFont : &m_lfFont;
}

// ---------------------------------------------------------------- modified flags

void CVXGridCtrl::SetModified(BOOL bModified, int nRow, int nCol)
{
    if (nRow <= 0 || nCol <= 0)
        m_bModified = bModified;
    else if (bModified)
    {
        SetItemState(nRow, nCol, GetItemState(nRow, nCol) | GCS_MODIFIED);
        m_bModified = TRUE;
    }
    else
        SetItemState(nRow, nCol, GetItemState(nRow, nCol) & ~GCS_MODIFIED);

    if (!m_bModified)
    {
        for (int r = 0; r < m_nRows; r++)
        {
            GRID_ROW* pRow = GetRow(r);
            if (pRow == NULL)
                continue;
            CGridCell** ppCells = pRow->GetData();
            int nCells = (int)pRow->GetSize();
            for (int c = 0; c < nCells; c++)
                if (ppCells[c] != NULL && (ppCells[c]->m_nState & GCS_MODIFIED))
                    SetItemState(r, c, ppCells[c]->m_nState & ~GCS_MODIFIED);
        }
    }
}

BOOL CVXGridCtrl::GetModified(int nRow, int nCol)
{
    if (nRow <= 0 || nCol <= 0)
        return m_bModified;
    return (GetItemState(nRow, nCol) & GCS_MODIFIED) ? TRUE : FALSE;
}

// ---------------------------------------------------------------- cells

CGridCell* CVXGridCtrl::CreateCell(int nRow, int nCol)
{
    CGridCell* pCell = new CGridCell;
    if (pCell == NULL)
        return NULL;
    if (nRow > 0 && nCol >= 0 && nCol < m_nCols)
    {
        CGridCell* pAbove = GetCell(nRow - 1, nCol);
        if (pAbove != NULL)
            pCell->m_nFormat = pAbove->m_nFormat;
    }
    memcpy(&pCell->m_lfFont, &m_lfFont, sizeof(LOGFONT));
    return pCell;
}

void CVXGridCtrl::EmptyCell(CGridCell* pCell, int nRow, int nCol)
{
    SetItemState(nRow, nCol, 0);
    if (pCell != NULL)
        pCell->m_strText.Empty();
}

// Empties and destroys the cells of pRow from column nFromCol on and removes
// them from the row. The row's cells are addressed as (nRow, col) while the
// counts still include them, so EmptyCell can take them out of the selection.
void CVXGridCtrl::DestroyRowCells(GRID_ROW* pRow, int nRow, int nFromCol)
{
    if (pRow == NULL)
        return;
    int nCells = (int)pRow->GetSize();
    for (int c = nFromCol; c < nCells; c++)
    {
        CGridCell* pCell = pRow->GetData()[c];
        if (pCell == NULL)
            continue;
        EmptyCell(pCell, nRow, c);
        pRow->GetData()[c] = NULL;
        ForgetEditCell(pCell);
        delete pCell;
    }
}

// Refuses, with the framework's memory exception and before anything
// changes, a store that cannot possibly fit into what the system can still
// commit: otherwise an absurd count would grind through gigabytes of
// allocations (or exhaust the machine) before failing.
void CVXGridCtrl::CheckStoreFits(LONGLONG nNewRows, LONGLONG nNewCols) const
{
    const LONGLONG nCellBytes = (LONGLONG)kSlotBytes + (LONGLONG)sizeof(CGridCell*);
    const LONGLONG nRowBytes = (LONGLONG)sizeof(GRID_ROW) + 32 + (LONGLONG)sizeof(GRID_ROW*) + 4;
    LONGLONG nAddRows = nNewRows > m_nRows ? nNewRows - m_nRows : 0;
    LONGLONG nAddCols = nNewCols > m_nCols ? nNewCols - m_nCols : 0;
    if (nAddRows == 0 && nAddCols == 0)
        return;
    // Cells added: the new rows at the new width plus the new columns in the
    // existing rows.
    double dBytes = (double)nAddRows * ((double)nNewCols * nCellBytes + nRowBytes) +
                    (double)nAddCols * ((double)(nNewRows - nAddRows) * nCellBytes + 4.0);
    if (dBytes < 64.0 * 1024 * 1024)
        return;
    MEMORYSTATUSEX ms;
    memset(&ms, 0, sizeof(ms));
    ms.dwLength = sizeof(ms);
    if (!::GlobalMemoryStatusEx(&ms))
        return;
    double dAvail = (double)ms.ullAvailPageFile;
    if ((double)ms.ullAvailVirtual < dAvail)
        dAvail = (double)ms.ullAvailVirtual;
    if (dBytes > dAvail)
        AfxThrowMemoryException();
}

// ---------------------------------------------------------------- counts

BOOL CVXGridCtrl::SetRowCount(int nRows)
{
    if (nRows < 0)
        return FALSE;
    if (nRows == m_nRows)
        return TRUE;
    CheckStoreFits(nRows, m_nCols);

    if (nRows < m_nFixedRows)
        m_nFixedRows = nRows;
    if (m_cellFocus.row >= nRows)
        SetFocusCell(-1, -1);

    int nOldRows = m_nRows;
    if (nRows < nOldRows)
    {
        for (int r = nRows; r < nOldRows; r++)
        {
            GRID_ROW* pRow = GetRow(r);
            DestroyRowCells(pRow, r, 0);
            m_arRows.GetData()[r] = NULL;
            delete pRow;
        }
    }

    m_nRows = nRows;
    m_arRows.SetSize(nRows);
    if (nRows < nOldRows)
        RemapSelection([nRows](const CVXCellID& cell) {
            return cell.row < nRows ? cell : CVXCellID(-1, -1);
        });
    m_arRowHeights.SetSize(nRows);

    if (nRows > nOldRows)
    {
        // The row array grows with NULL entries; a row that cannot be made
        // (out of memory) stays missing, which every accessor tolerates.
        for (int r = nOldRows; r < nRows; r++)
        {
            m_arRows.GetData()[r] = NULL;
            m_arRowHeights.GetData()[r] = m_nDefRowHeight;
        }
        for (int r = nOldRows; r < nRows; r++)
        {
            GRID_ROW* pRow = new GRID_ROW;
            m_arRows.GetData()[r] = pRow;
            pRow->SetSize(m_nCols);
            CGridCell** ppCells = pRow->GetData();
            for (int c = 0; c < m_nCols; c++)
                ppCells[c] = NULL;
            for (int c = 0; c < m_nCols; c++)
                ppCells[c] = CreateCell(r, c);
        }
    }

    if (GetSafeHwnd() != NULL && m_bAllowDraw)
    {
        ResetScrollBars();
        Invalidate(TRUE);
    }
    return TRUE;
}

BOOL CVXGridCtrl::SetColumnCount(int nCols)
{
    if (nCols < 0)
        return FALSE;
    if (nCols == m_nCols)
        return TRUE;
    CheckStoreFits(m_nRows, nCols);

    if (nCols < m_nFixedCols)
        m_nFixedCols = nCols;
    if (m_cellFocus.col >= nCols)
        SetFocusCell(-1, -1);

    int nOldCols = m_nCols;
    if (nCols < nOldCols)
    {
        for (int r = 0; r < m_nRows; r++)
            DestroyRowCells(GetRow(r), r, nCols);
    }

    m_nCols = nCols;
    m_arColWidths.SetSize(nCols);
    if (nCols < nOldCols)
        RemapSelection([nCols](const CVXCellID& cell) {
            return cell.col < nCols ? cell : CVXCellID(-1, -1);
        });
    for (int r = 0; r < m_nRows; r++)
    {
        GRID_ROW* pRow = GetRow(r);
        if (pRow == NULL)
            continue;
        int nOldSize = (int)pRow->GetSize();
        pRow->SetSize(nCols);
        for (int c = nOldSize; c < nCols; c++)
            pRow->GetData()[c] = NULL;
    }

    if (nCols > nOldCols)
    {
        for (int c = nOldCols; c < nCols; c++)
            m_arColWidths.GetData()[c] = m_nDefColWidth;
        for (int r = 0; r < m_nRows; r++)
        {
            GRID_ROW* pRow = GetRow(r);
            if (pRow == NULL)
                continue;
            for (int c = nOldCols; c < nCols; c++)
                pRow->GetData()[c] = CreateCell(r, c);
        }
    }

    if (GetSafeHwnd() != NULL && m_bAllowDraw)
    {
        ResetScrollBars();
        Invalidate(TRUE);
    }
    return TRUE;
}

BOOL CVXGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows < 0)
        return FALSE;
    if (m_nRows < nFixedRows && !SetRowCount(nFixedRows))
        return FALSE;
    if (m_cellFocus.row < nFixedRows)
        SetFocusCell(-1, -1);
    m_nFixedRows = nFixedRows;
    if (GetSafeHwnd() != NULL && m_bAllowDraw)
        Invalidate(TRUE);
    return TRUE;
}

BOOL CVXGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (nFixedCols < 0)
        return FALSE;
    if (m_nCols < nFixedCols && !SetColumnCount(nFixedCols))
        return FALSE;
    if (m_cellFocus.col < nFixedCols)
        SetFocusCell(-1, -1);
    m_nFixedCols = nFixedCols;
    if (GetSafeHwnd() != NULL && m_bAllowDraw)
        Invalidate(TRUE);
    return TRUE;
}

// ---------------------------------------------------------------- insertion

int CVXGridCtrl::InsertColumn(LPCTSTR strHeading, UINT nFormat, int nColumn)
{
    if (nColumn >= 0 && nColumn >= m_nCols)
        return -1;

    ResetSelectedRange();
    if (m_nRows <= 0)
        SetRowCount(1);
    CheckStoreFits(m_nRows, (LONGLONG)m_nCols + 1);

    // A missing row (left by an earlier allocation failure) refuses the
    // insert before anything changes.
    for (int r = 0; r < m_nRows; r++)
        if (GetRow(r) == NULL)
            return -1;

    // Every row gets its cell while the column is not yet counted; if memory
    // runs out on the way, the cells added so far are taken out again.
    BOOL bAppend = nColumn < 0;
    if (bAppend)
    {
        nColumn = m_nCols;
        m_arColWidths.Add(0);
    }
    else
        m_arColWidths.InsertAt(nColumn, (UINT)0);
    int nDone = 0;
    try
    {
        for (; nDone < m_nRows; nDone++)
        {
            GRID_ROW* pRow = GetRow(nDone);
            CGridCell* pCell = CreateCell(nDone, nColumn);
            try
            {
                if (bAppend)
                    pRow->Add(pCell);
                else
                    pRow->InsertAt(nColumn, pCell);
            }
            catch (CException*)
            {
                delete pCell;
                throw;
            }
        }
    }
    catch (CException*)
    {
        for (int r = 0; r < nDone; r++)
        {
            GRID_ROW* pRow = GetRow(r);
            delete pRow->GetData()[nColumn];
            pRow->RemoveAt(nColumn);
        }
        m_arColWidths.RemoveAt(nColumn);
        throw;
    }

    m_nCols++;
    if (!bAppend)
        RemapSelection([nColumn](const CVXCellID& cell) {
            return CVXCellID(cell.row, cell.col >= nColumn ? cell.col + 1 : cell.col);
        });
    SetItemText(0, nColumn, strHeading);
    for (int r = 0; r < m_nRows; r++)
        SetItemFormat(r, nColumn, nFormat);

    CSize size = GetTextExtent(strHeading, TRUE);
    m_arColWidths.SetEntry(nColumn, (UINT)size.cx);

    if (m_cellFocus.col >= 0 && nColumn < m_cellFocus.col)
        m_cellFocus.col++;

    ResetScrollBars();
    return nColumn;
}

int CVXGridCtrl::InsertRow(LPCTSTR strHeading, int nRow)
{
    if (nRow >= 0 && nRow >= m_nRows)
        return -1;

    ResetSelectedRange();
    if (m_nCols <= 0)
        SetColumnCount(1);
    CheckStoreFits((LONGLONG)m_nRows + 1, m_nCols);

    // The height, the row and its cells go in one after the other; if memory
    // runs out on the way, what was added is taken out again, so the grid is
    // as it was (no half-made row, no row or height out of step).
    GRID_ROW* pRow = new GRID_ROW;
    BOOL bAppend = nRow < 0;
    if (bAppend)
        nRow = m_nRows;
    BOOL bHeightAdded = FALSE;
    BOOL bRowAdded = FALSE;
    try
    {
        if (bAppend)
            m_arRowHeights.Add(0);
        else
            m_arRowHeights.InsertAt(nRow, (UINT)0);
        bHeightAdded = TRUE;
        if (bAppend)
            m_arRows.Add(pRow);
        else
            m_arRows.InsertAt(nRow, pRow);
        bRowAdded = TRUE;
        m_nRows++;

        pRow->SetSize(m_nCols);   // the new entries are NULL
        for (int c = 0; c < m_nCols; c++)
            pRow->GetData()[c] = CreateCell(nRow, c);
    }
    catch (...)
    {
        for (INT_PTR c = 0; c < pRow->GetSize(); c++)
            delete pRow->GetData()[c];
        delete pRow;
        if (bRowAdded)
        {
            m_arRows.RemoveAt(nRow);
            m_nRows--;
        }
        if (bHeightAdded)
            m_arRowHeights.RemoveAt(nRow);
        throw;
    }

    if (!bAppend)
        RemapSelection([nRow](const CVXCellID& cell) {
            return CVXCellID(cell.row >= nRow ? cell.row + 1 : cell.row, cell.col);
        });
    SetItemText(nRow, 0, strHeading);

    // SetEntry keeps the running totals of the rows above valid, so that
    // appending row after row to a shown grid costs the same at any size.
    CSize size = GetTextExtent(strHeading, TRUE);
    m_arRowHeights.SetEntry(nRow, (UINT)size.cy);

    if (m_cellFocus.row >= 0 && nRow < m_cellFocus.row)
        m_cellFocus.row++;

    ResetScrollBars();
    return nRow;
}

// ---------------------------------------------------------------- deletion

BOOL CVXGridCtrl::DeleteColumn(int nColumn)
{
    if (nColumn < 0 || nColumn >= m_nCols)
        return FALSE;

    ResetSelectedRange();
    for (int r = 0; r < m_nRows; r++)
    {
        GRID_ROW* pRow = GetRow(r);
        if (pRow == NULL || nColumn >= (int)pRow->GetSize())
            continue;
        CGridCell* pCell = pRow->GetData()[nColumn];
        if (pCell != NULL)
        {
            EmptyCell(pCell, r, nColumn);
            ForgetEditCell(pCell);
            delete pCell;
        }
        pRow->RemoveAt(nColumn);
    }
    m_arColWidths.RemoveAt(nColumn);
    m_nCols--;
    if (nColumn < m_nFixedCols)
        m_nFixedCols--;
    RemapSelection([nColumn](const CVXCellID& cell) {
        if (cell.col == nColumn)
            return CVXCellID(-1, -1);
        return CVXCellID(cell.row, cell.col > nColumn ? cell.col - 1 : cell.col);
    });

    if (nColumn == m_cellFocus.col)
        m_cellFocus = CVXCellID(-1, -1);
    else if (nColumn < m_cellFocus.col)
        m_cellFocus.col--;

    ResetScrollBars();
    return TRUE;
}

BOOL CVXGridCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRows)
        return FALSE;
    GRID_ROW* pRow = GetRow(nRow);
    if (pRow == NULL)
        return FALSE;

    ResetSelectedRange();
    DestroyRowCells(pRow, nRow, 0);
    delete pRow;
    m_arRows.RemoveAt(nRow);
    m_arRowHeights.RemoveAt(nRow);
    m_nRows--;
    if (nRow < m_nFixedRows)
        m_nFixedRows--;
    RemapSelection([nRow](const CVXCellID& cell) {
        if (cell.row == nRow)
            return CVXCellID(-1, -1);
        return CVXCellID(cell.row > nRow ? cell.row - 1 : cell.row, cell.col);
    });

    if (nRow == m_cellFocus.row)
        m_cellFocus = CVXCellID(-1, -1);
    else if (nRow < m_cellFocus.row)
        m_cellFocus.row--;

    ResetScrollBars();
    return TRUE;
}

BOOL CVXGridCtrl::DeleteNonFixedRows()
{
    int nFixed = m_nFixedRows;
    for (int r = m_nRows - 1; r >= nFixed; r--)
        DeleteRow(r);
    return TRUE;
}

BOOL CVXGridCtrl::DeleteAllItems()
{
    ResetSelectedRange();
    m_arColWidths.RemoveAll();
    m_arRowHeights.RemoveAll();

    for (int r = 0; r < (int)m_arRows.GetSize(); r++)
    {
        GRID_ROW* pRow = m_arRows.GetData()[r];
        DestroyRowCells(pRow, r, 0);
        m_arRows.GetData()[r] = NULL;
        delete pRow;
    }
    m_arRows.RemoveAll();

    m_cellFocus = CVXCellID(-1, -1);
    m_nRows = 0;
    m_nFixedRows = 0;
    m_nCols = 0;
    m_nFixedCols = 0;
    // Whatever the selection maps still hold names cells that are gone.
    m_mapSelected.RemoveAll();
    m_mapPrevSelected.RemoveAll();

    ResetScrollBars();
    return TRUE;
}

void CVXGridCtrl::SetFirstColItem()
{
    if (!m_bListMode)
        return;
    char szNumber[16];
    for (int i = 1; i < m_nRows; i++)
    {
        SetItemFormat(i, 0, m_nFirstColFormat);
        snprintf(szNumber, sizeof(szNumber), "%d", i);
        SetItemText(i, 0, szNumber);
    }
}
