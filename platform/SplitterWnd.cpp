// CSplitterWnd: layout of a static grid of panes, bar painting, hit-testing
// and dragging of the bars.
#include "platform/SplitterWnd.h"
#include "platform/View.h"
#include "platform/FrameWnd.h"
#include <algorithm>

IMPLEMENT_DYNCREATE(CSplitterWnd, CWnd)

namespace
{
const int kMaxPanes = 16;

void FillRect(HDC hDC, const RECT& rc, int nSysColor)
{
    ::FillRect(hDC, &rc, ::GetSysColorBrush(nSysColor));
}
}  // namespace

BOOL CSplitterWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
    {
        static LPCSTR s_pszClass = nullptr;
        if (!s_pszClass)
            s_pszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                             (HBRUSH)(COLOR_BTNFACE + 1));
        cs.lpszClass = s_pszClass;
    }
    // The panes paint themselves; the splitter paints only its bars.
    cs.style |= WS_CLIPCHILDREN;
    return TRUE;
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (m_hWnd || !pParentWnd || !pParentWnd->m_hWnd || nRows < 1 || nCols < 1 || nRows > kMaxPanes ||
        nCols > kMaxPanes)
        return FALSE;
    m_nRows = nRows;
    m_nCols = nCols;
    m_rowInfo.assign(nRows, CRowColInfo());
    m_colInfo.assign(nCols, CRowColInfo());
    CRect rc;
    pParentWnd->GetClientRect(&rc);
    if (!CreateEx(0, nullptr, nullptr, dwStyle | WS_CHILD, rc, pParentWnd, nID))
    {
        m_nRows = m_nCols = 0;
        m_rowInfo.clear();
        m_colInfo.clear();
        return FALSE;
    }
    return TRUE;
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext)
{
    if (!m_hWnd || row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || GetPane(row, col))
        return FALSE;
    CCreateContext context;
    if (pContext)
        context = *pContext;
    context.m_pNewViewClass = pViewClass;
    if (!context.m_pCurrentFrame)
        context.m_pCurrentFrame = GetParentFrame();
    m_colInfo[col].nIdealSize = sizeInit.cx;
    m_rowInfo[row].nIdealSize = sizeInit.cy;
    if (!AfxCreateView(this, &context, IdFromRowCol(row, col)))
        return FALSE;
    if (pContext)
        pContext->m_pLastView = context.m_pLastView;
    RecalcLayout();
    return TRUE;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    cyCur = cyMin = 0;
    if (row >= 0 && row < m_nRows)
    {
        cyCur = m_rowInfo[row].nCurSize;
        cyMin = m_rowInfo[row].nMinSize;
    }
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    cxCur = cxMin = 0;
    if (col >= 0 && col < m_nCols)
    {
        cxCur = m_colInfo[col].nCurSize;
        cxMin = m_colInfo[col].nMinSize;
    }
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    if (row < 0 || row >= m_nRows)
        return;
    m_rowInfo[row].nIdealSize = std::max(cyIdeal, 0);
    m_rowInfo[row].nMinSize = std::max(cyMin, 0);
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    if (col < 0 || col >= m_nCols)
        return;
    m_colInfo[col].nIdealSize = std::max(cxIdeal, 0);
    m_colInfo[col].nMinSize = std::max(cxMin, 0);
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (!m_hWnd || row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return nullptr;
    HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
    return hPane ? CWnd::FromHandle(hPane) : nullptr;
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) const
{
    if (!pWnd || !pWnd->m_hWnd || !m_hWnd || ::GetParent(pWnd->m_hWnd) != m_hWnd)
        return FALSE;
    const int nID = ::GetDlgCtrlID(pWnd->m_hWnd) - AFX_IDW_PANE_FIRST;
    const int row = nID / 16, col = nID % 16;
    if (nID < 0 || row >= m_nRows || col >= m_nCols)
        return FALSE;
    if (pRow)
        *pRow = row;
    if (pCol)
        *pCol = col;
    return TRUE;
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol) const
{
    CFrameWnd* pFrame = GetParentFrame();
    CWnd* pPane = pFrame ? pFrame->GetActiveView() : nullptr;
    if (!IsChildPane(pPane, pRow, pCol))
    {
        pPane = CWnd::GetFocus();
        if (!IsChildPane(pPane, pRow, pCol))
            return nullptr;
    }
    return pPane;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd)
{
    CWnd* pPane = pWnd ? pWnd : GetPane(row, col);
    if (!pPane || !pPane->m_hWnd)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame && pPane->IsKindOf(RUNTIME_CLASS(CView)))
        pFrame->SetActiveView(pPane);
    pPane->SetFocus();
}

// ---------------------------------------------------------------------------
// Layout

void CSplitterWnd::Layout(std::vector<CRowColInfo>& info, int nSize, int nGap)
{
    int nRemain = nSize;
    const int n = (int)info.size();
    for (int i = 0; i < n; ++i)
    {
        CRowColInfo& ri = info[i];
        if (i == n - 1)
        {
            ri.nCurSize = std::max(nRemain, 0);
            break;
        }
        // A pane wanted smaller than its minimum is closed.
        int nWant = ri.nIdealSize < ri.nMinSize ? 0 : ri.nIdealSize;
        ri.nCurSize = std::min(nWant, std::max(nRemain, 0));
        nRemain -= ri.nCurSize + nGap;
    }
}

int CSplitterWnd::ColumnLeft(int col) const
{
    int x = 0;
    for (int i = 0; i < col && i < m_nCols; ++i)
        x += m_colInfo[i].nCurSize + m_cxSplitter;
    return x;
}

int CSplitterWnd::RowTop(int row) const
{
    int y = 0;
    for (int i = 0; i < row && i < m_nRows; ++i)
        y += m_rowInfo[i].nCurSize + m_cySplitter;
    return y;
}

void CSplitterWnd::RecalcLayout()
{
    if (!m_hWnd || m_nRows == 0)
        return;
    if (m_bTracking)
        StopTracking(FALSE);
    CRect rc;
    GetClientRect(&rc);
    Layout(m_colInfo, rc.Width(), m_cxSplitter);
    Layout(m_rowInfo, rc.Height(), m_cySplitter);
    HDWP hDwp = ::BeginDeferWindowPos(m_nRows * m_nCols);
    for (int row = 0; row < m_nRows; ++row)
    {
        for (int col = 0; col < m_nCols; ++col)
        {
            HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
            if (!hPane)
                continue;
            const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
            if (hDwp)
                hDwp = ::DeferWindowPos(hDwp, hPane, nullptr, ColumnLeft(col), RowTop(row), m_colInfo[col].nCurSize,
                                        m_rowInfo[row].nCurSize, nFlags);
            else
                ::SetWindowPos(hPane, nullptr, ColumnLeft(col), RowTop(row), m_colInfo[col].nCurSize,
                               m_rowInfo[row].nCurSize, nFlags);
        }
    }
    if (hDwp)
        ::EndDeferWindowPos(hDwp);
    InvalidateRect(nullptr, TRUE);
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

// ---------------------------------------------------------------------------
// Hit-testing and painting

int CSplitterWnd::HitTest(CPoint pt) const
{
    if (!m_hWnd)
        return noHit;
    CRect rc;
    GetClientRect(&rc);
    if (!rc.PtInRect(pt))
        return noHit;
    int colBar = -1, rowBar = -1;
    for (int col = 0; col + 1 < m_nCols && colBar < 0; ++col)
    {
        const int x = ColumnLeft(col) + m_colInfo[col].nCurSize;
        if (pt.x >= x && pt.x < x + m_cxSplitter)
            colBar = col;
    }
    for (int row = 0; row + 1 < m_nRows && rowBar < 0; ++row)
    {
        const int y = RowTop(row) + m_rowInfo[row].nCurSize;
        if (pt.y >= y && pt.y < y + m_cySplitter)
            rowBar = row;
    }
    if (colBar >= 0 && rowBar >= 0)
        return splitterIntersection1 + rowBar * 16 + colBar;
    if (colBar >= 0)
        return hSplitterBar1 + colBar;
    if (rowBar >= 0)
        return vSplitterBar1 + rowBar;
    return noHit;
}

BOOL CSplitterWnd::GetHitRect(int ht, CRect& rect) const
{
    rect.SetRectEmpty();
    if (!m_hWnd)
        return FALSE;
    CRect rc;
    GetClientRect(&rc);
    CRect colBar, rowBar;
    int col = -1, row = -1;
    if (ht >= hSplitterBar1 && ht < hSplitterBar1 + m_nCols - 1)
        col = ht - hSplitterBar1;
    else if (ht >= vSplitterBar1 && ht < vSplitterBar1 + m_nRows - 1)
        row = ht - vSplitterBar1;
    else if (ht >= splitterIntersection1 && ht < splitterIntersection1 + 16 * 16)
    {
        row = (ht - splitterIntersection1) / 16;
        col = (ht - splitterIntersection1) % 16;
        if (row >= m_nRows - 1 || col >= m_nCols - 1)
            return FALSE;
    }
    else
        return FALSE;
    if (col >= 0)
    {
        const int x = ColumnLeft(col) + m_colInfo[col].nCurSize;
        colBar.SetRect(x, rc.top, x + m_cxSplitter, rc.bottom);
    }
    if (row >= 0)
    {
        const int y = RowTop(row) + m_rowInfo[row].nCurSize;
        rowBar.SetRect(rc.left, y, rc.right, y + m_cySplitter);
    }
    if (col >= 0 && row >= 0)
        rect.IntersectRect(&colBar, &rowBar);
    else
        rect = col >= 0 ? colBar : rowBar;
    return TRUE;
}

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType, const CRect& rect)
{
    HDC hDC = pDC->GetSafeHdc();
    FillRect(hDC, rect, COLOR_BTNFACE);
    // A raised look: light on the leading edge, shadow on the trailing one.
    const bool bVertical = rect.Height() > rect.Width();
    CRect lead = rect, trail = rect;
    if (bVertical)
    {
        lead.right = lead.left + 1;
        trail.left = trail.right - 1;
    }
    else
    {
        lead.bottom = lead.top + 1;
        trail.top = trail.bottom - 1;
    }
    FillRect(hDC, lead, COLOR_BTNHIGHLIGHT);
    FillRect(hDC, trail, COLOR_BTNSHADOW);
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    for (int col = 0; col + 1 < m_nCols; ++col)
        if (GetHitRect(hSplitterBar1 + col, rect))
            OnDrawSplitter(&dc, splitBar, rect);
    for (int row = 0; row + 1 < m_nRows; ++row)
        if (GetHitRect(vSplitterBar1 + row, rect))
            OnDrawSplitter(&dc, splitBar, rect);
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd && pWnd->m_hWnd == m_hWnd && nHitTest == HTCLIENT)
    {
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_hWnd, &pt);
        const int ht = HitTest(pt);
        LPCSTR idc = nullptr;
        if (ht >= splitterIntersection1)
            idc = IDC_SIZEALL;
        else if (ht >= hSplitterBar1)
            idc = IDC_SIZEWE;
        else if (ht >= vSplitterBar1)
            idc = IDC_SIZENS;
        if (idc)
        {
            ::SetCursor(::LoadCursor(nullptr, idc));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// ---------------------------------------------------------------------------
// Dragging a bar

void CSplitterWnd::OnInvertTracker(const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    // A cache DC that does not clip the children: the tracker crosses panes.
    HDC hDC = ::GetDCEx(m_hWnd, nullptr, DCX_CACHE);
    if (!hDC)
        return;
    ::PatBlt(hDC, rect.left, rect.top, rect.Width(), rect.Height(), DSTINVERT);
    ::ReleaseDC(m_hWnd, hDC);
}

void CSplitterWnd::StartTracking(int ht, CPoint point)
{
    CRect rect;
    if (m_bTracking || !GetHitRect(ht, rect))
        return;
    CRect rc;
    GetClientRect(&rc);
    int row = -1, col = -1;
    if (ht >= splitterIntersection1)
    {
        row = (ht - splitterIntersection1) / 16;
        col = (ht - splitterIntersection1) % 16;
    }
    else if (ht >= hSplitterBar1)
        col = ht - hSplitterBar1;
    else
        row = ht - vSplitterBar1;
    m_rectTrackerCol.SetRectEmpty();
    m_rectTrackerRow.SetRectEmpty();
    m_rectLimit = rc;
    m_ptTrackOffset = CPoint(0, 0);
    if (col >= 0)
    {
        // The bar may move from the left edge of its left pane to the right
        // edge of its right pane.
        const int x = ColumnLeft(col) + m_colInfo[col].nCurSize;
        m_rectTrackerCol.SetRect(x, rc.top, x + m_cxSplitter, rc.bottom);
        m_rectLimit.left = ColumnLeft(col);
        m_rectLimit.right =
            std::max((int)m_rectLimit.left, ColumnLeft(col + 1) + m_colInfo[col + 1].nCurSize - m_cxSplitter);
        m_ptTrackOffset.x = point.x - x;
    }
    if (row >= 0)
    {
        const int y = RowTop(row) + m_rowInfo[row].nCurSize;
        m_rectTrackerRow.SetRect(rc.left, y, rc.right, y + m_cySplitter);
        m_rectLimit.top = RowTop(row);
        m_rectLimit.bottom = std::max((int)m_rectLimit.top, RowTop(row + 1) + m_rowInfo[row + 1].nCurSize - m_cySplitter);
        m_ptTrackOffset.y = point.y - y;
    }
    m_htTrack = ht;
    m_bTracking = TRUE;
    SetCapture();
    ::SetCursor(::LoadCursor(nullptr, col >= 0 && row >= 0 ? IDC_SIZEALL : col >= 0 ? IDC_SIZEWE : IDC_SIZENS));
    OnInvertTracker(m_rectTrackerCol);
    OnInvertTracker(m_rectTrackerRow);
}

void CSplitterWnd::MoveTracker(CPoint point)
{
    if (!m_rectTrackerCol.IsRectEmpty())
    {
        const int x = std::min(std::max((int)(point.x - m_ptTrackOffset.x), (int)m_rectLimit.left),
                               (int)m_rectLimit.right);
        if (x != m_rectTrackerCol.left)
        {
            OnInvertTracker(m_rectTrackerCol);
            m_rectTrackerCol.OffsetRect(x - m_rectTrackerCol.left, 0);
            OnInvertTracker(m_rectTrackerCol);
        }
    }
    if (!m_rectTrackerRow.IsRectEmpty())
    {
        const int y = std::min(std::max((int)(point.y - m_ptTrackOffset.y), (int)m_rectLimit.top),
                               (int)m_rectLimit.bottom);
        if (y != m_rectTrackerRow.top)
        {
            OnInvertTracker(m_rectTrackerRow);
            m_rectTrackerRow.OffsetRect(0, y - m_rectTrackerRow.top);
            OnInvertTracker(m_rectTrackerRow);
        }
    }
}

void CSplitterWnd::StopTracking(BOOL bAccept)
{
    if (!m_bTracking)
        return;
    OnInvertTracker(m_rectTrackerCol);
    OnInvertTracker(m_rectTrackerRow);
    // Cleared before the capture goes, so the capture-change message that
    // follows does not stop the drag a second time.
    m_bTracking = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    const int ht = m_htTrack;
    m_htTrack = noHit;
    if (bAccept)
    {
        int row = -1, col = -1;
        if (ht >= splitterIntersection1)
        {
            row = (ht - splitterIntersection1) / 16;
            col = (ht - splitterIntersection1) % 16;
        }
        else if (ht >= hSplitterBar1)
            col = ht - hSplitterBar1;
        else if (ht >= vSplitterBar1)
            row = ht - vSplitterBar1;
        if (col >= 0)
            TrackColumnSize(m_rectTrackerCol.left, col);
        if (row >= 0)
            TrackRowSize(m_rectTrackerRow.top, row);
        RecalcLayout();
    }
    m_rectTrackerCol.SetRectEmpty();
    m_rectTrackerRow.SetRectEmpty();
}

// The two panes beside the bar share the space between the left edge of the
// first and the right edge of the second; a pane left below its minimum
// closes and the other takes its space. The last pane takes whatever the
// layout leaves, so only a middle pane's size is stored.
static void TrackSize(std::vector<int>& ideal, const std::vector<int>& minSize, int nPos, int nStart, int nEnd,
                      int nGap, int i, bool bNextIsLast)
{
    int nFirst = nPos - nStart;
    int nSecond = nEnd - (nPos + nGap);
    if (nSecond < minSize[i + 1] || nSecond <= 0)
    {
        nFirst = nEnd - nStart - nGap;
        nSecond = 0;
    }
    if (nFirst < minSize[i] || nFirst <= 0)
    {
        nFirst = 0;
        nSecond = nEnd - nStart - nGap;
    }
    ideal[i] = nFirst;
    if (!bNextIsLast)
        ideal[i + 1] = std::max(nSecond, 0);
}

void CSplitterWnd::TrackColumnSize(int x, int col)
{
    if (col < 0 || col + 1 >= m_nCols)
        return;
    std::vector<int> ideal(m_nCols), minSize(m_nCols);
    for (int i = 0; i < m_nCols; ++i)
    {
        ideal[i] = m_colInfo[i].nIdealSize;
        minSize[i] = m_colInfo[i].nMinSize;
    }
    TrackSize(ideal, minSize, x, ColumnLeft(col), ColumnLeft(col + 1) + m_colInfo[col + 1].nCurSize, m_cxSplitter,
              col, col + 1 == m_nCols - 1);
    m_colInfo[col].nIdealSize = ideal[col];
    m_colInfo[col + 1].nIdealSize = ideal[col + 1];
}

void CSplitterWnd::TrackRowSize(int y, int row)
{
    if (row < 0 || row + 1 >= m_nRows)
        return;
    std::vector<int> ideal(m_nRows), minSize(m_nRows);
    for (int i = 0; i < m_nRows; ++i)
    {
        ideal[i] = m_rowInfo[i].nIdealSize;
        minSize[i] = m_rowInfo[i].nMinSize;
    }
    TrackSize(ideal, minSize, y, RowTop(row), RowTop(row + 1) + m_rowInfo[row + 1].nCurSize, m_cySplitter, row,
              row + 1 == m_nRows - 1);
    m_rowInfo[row].nIdealSize = ideal[row];
    m_rowInfo[row + 1].nIdealSize = ideal[row + 1];
}

void CSplitterWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int ht = m_bTracking ? noHit : HitTest(point);
    if (ht != noHit)
        StartTracking(ht, point);
    else
        CWnd::OnLButtonDown(nFlags, point);
}

void CSplitterWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTracking)
        MoveTracker(point);
    else
        CWnd::OnMouseMove(nFlags, point);
}

void CSplitterWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTracking)
    {
        MoveTracker(point);
        StopTracking(TRUE);
    }
    else
        CWnd::OnLButtonUp(nFlags, point);
}

void CSplitterWnd::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bTracking && (!pWnd || pWnd->m_hWnd != m_hWnd))
        StopTracking(FALSE);
    CWnd::OnCaptureChanged(pWnd);
}

void CSplitterWnd::OnCancelMode()
{
    StopTracking(FALSE);
    CWnd::OnCancelMode();
}
