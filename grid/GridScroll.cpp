// CVXGridCtrl: the scroll bars and moving the view (scroll-bar requests,
// the mouse wheel, bringing a cell into view, resizing).
//
// Scroll positions are pixel offsets of the non-fixed area, held in the
// window's own scroll bars with full 32-bit positions; the grid keeps only
// the largest position of each bar (m_nHScrollRange, m_nVScrollRange).

#include "grid/GridCtrl.h"

#include <limits.h>
#include <string.h>

int CVXGridCtrl::GetScrollPos32(int nBar, BOOL bGetTrackPos) const
{
    HWND hWnd = GetSafeHwnd();
    if (hWnd == NULL)
        return 0;
    SCROLLINFO si;
    memset(&si, 0, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = bGetTrackPos ? SIF_TRACKPOS : SIF_POS;
    if (!::GetScrollInfo(hWnd, nBar, &si))
        return 0;
    return bGetTrackPos ? si.nTrackPos : si.nPos;
}

BOOL CVXGridCtrl::SetScrollPos32(int nBar, int nPos, BOOL bRedraw)
{
    SCROLLINFO si;
    memset(&si, 0, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    si.nPos = nPos;
    return SetScrollInfo(nBar, &si, bRedraw);
}

// Each bar's page is the visible part of the non-fixed area and its range
// the scrollable size minus one, so the largest reachable position shows
// the last pixel at the edge. Without bShowBars both bars are hidden while
// the two fields still get the computed values.
void CVXGridCtrl::ResetScrollBars(BOOL bShowBars)
{
    if (!m_bAllowDraw || GetSafeHwnd() == NULL || m_bBulkChange)
        return;

    CRect rect;
    GetClientRect(&rect);
    int nFixedWidth = GetFixedColumnWidth();
    int nFixedHeight = GetFixedRowHeight();
    if (rect.left + nFixedWidth >= rect.right || rect.top + nFixedHeight >= rect.bottom)
        return;   // no room for non-fixed cells

    long long nVisibleWidth = rect.right - nFixedWidth;
    long long nVisibleHeight = rect.bottom - nFixedHeight;
    long long nScrollWidth = (long long)GetVirtualWidth() - nFixedWidth;
    long long nScrollHeight = (long long)GetVirtualHeight() - nFixedHeight;

    if (!IsValid(GetUnobstructedNonFixedCellRange()))
        return;

    SCROLLINFO si;
    memset(&si, 0, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE;
    si.nPage = (UINT)nVisibleWidth;
    SetScrollInfo(SB_HORZ, &si, FALSE);
    si.nPage = (UINT)nVisibleHeight;
    SetScrollInfo(SB_VERT, &si, FALSE);

    auto clampRange = [](long long n) { return n > INT_MAX ? INT_MAX : (int)n; };
    m_nVScrollRange = nVisibleHeight < nScrollHeight ? clampRange(nScrollHeight - 1) : 0;
    m_nHScrollRange = nVisibleWidth < nScrollWidth ? clampRange(nScrollWidth - 1) : 0;

    SetScrollRange(SB_VERT, 0, bShowBars ? m_nVScrollRange : 0, TRUE);
    SetScrollRange(SB_HORZ, 0, bShowBars ? m_nHScrollRange : 0, TRUE);
}

void CVXGridCtrl::OnHScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    HandleScroll(TRUE, nSBCode);
}

void CVXGridCtrl::OnVScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    HandleScroll(FALSE, nSBCode);
}

// One scroll request on one bar. The two bars differ only in the sizes
// walked and the edge used, and in what a line step invalidates: the whole
// client area horizontally, only the uncovered strip vertically. The
// request reads 32-bit positions from the bar, never the 16-bit position of
// the message. The parent hears of every request, acted on or not.
void CVXGridCtrl::HandleScroll(BOOL bHorz, UINT nSBCode)
{
    // In a batch of steps the first one does this for all.
    if (m_nScrollBatch == 0 || !m_bScrollBatchStarted)
    {
        if (CWnd::GetFocus() != this)
            SetFocus();   // ends an in-place edit
        m_titleTip.Hide();
        m_bScrollBatchStarted = m_nScrollBatch > 0;
    }

    const int nBar = bHorz ? SB_HORZ : SB_VERT;
    // Inside a batch (EnsureVisible's run of line steps) only the position
    // moves; the batch redraws the bars and the window once at its end.
    const BOOL bDraw = m_nScrollBatch == 0;
    int scrollPos = GetScrollPos32(nBar);
    CVXCellID idTopLeft = GetTopleftNonFixedCell();
    CRect rect;
    GetClientRect(&rect);

    const int nFixed = bHorz ? GetFixedColumnWidth() : GetFixedRowHeight();
    const int nFirst = bHorz ? idTopLeft.col : idTopLeft.row;
    const int nFixedCount = bHorz ? m_nFixedCols : m_nFixedRows;
    const int nRange = bHorz ? m_nHScrollRange : m_nVScrollRange;
    const int nEnd = bHorz ? rect.right : rect.bottom;
    auto size = [&](int i) { return bHorz ? GetColumnWidth(i) : GetRowHeight(i); };
    // The part of the client area right of the fixed columns / below the
    // fixed rows.
    CRect rectScroll(rect);
    if (bHorz)
        rectScroll.left = nFixed;
    else
        rectScroll.top = nFixed;

    switch (nSBCode)
    {
    case SB_LINEUP:   // = SB_LINELEFT
        if (scrollPos > 0 && nFirst > nFixedCount)
        {
            int nStep = size(nFirst - 1);
            SetScrollPos32(nBar, scrollPos - nStep > 0 ? scrollPos - nStep : 0, bDraw);
            if (!bDraw)
                break;
            if (bHorz)
            {
                ScrollWindow(nStep, 0, &rectScroll);
                Invalidate(TRUE);
            }
            else
            {
                ScrollWindow(0, nStep, &rectScroll);
                CRect rectStrip(rect.left, nFixed, rect.right, nFixed + nStep);
                InvalidateRect(&rectStrip, TRUE);
            }
        }
        break;

    case SB_LINEDOWN:   // = SB_LINERIGHT
        if (scrollPos < nRange)
        {
            int nStep = size(nFirst);
            SetScrollPos32(nBar, scrollPos + nStep, bDraw);
            if (GetScrollPos32(nBar) == scrollPos)
                break;   // the bar is already at its largest position
            if (!bDraw)
                break;
            if (bHorz)
            {
                rectScroll.left = nFixed + nStep;
                ScrollWindow(-nStep, 0, &rectScroll);
                Invalidate(TRUE);
            }
            else
            {
                rectScroll.top = nFixed + nStep;
                ScrollWindow(0, -nStep, &rectScroll);
                CRect rectStrip(rect.left, rect.bottom - nStep, rect.right, rect.bottom);
                InvalidateRect(&rectStrip, TRUE);
            }
        }
        break;

    case SB_PAGEUP:
        if (scrollPos > 0)
        {
            long long nPos = (long long)scrollPos + nFixed - nEnd;
            SetScrollPos32(nBar, nPos > 0 ? (int)nPos : 0);
            InvalidateRect(&rectScroll, TRUE);
        }
        break;

    case SB_PAGEDOWN:
        if (scrollPos < nRange)
        {
            long long nPos = (long long)scrollPos + nEnd - nFixed;
            SetScrollPos32(nBar, nPos < nRange ? (int)nPos : nRange);
            InvalidateRect(&rectScroll, TRUE);
        }
        break;

    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
    {
        SetScrollPos32(nBar, GetScrollPos32(nBar, TRUE));
        CVXCellID idNewTopLeft = GetTopleftNonFixedCell();
        if (idNewTopLeft != idTopLeft)
            InvalidateRect(&rectScroll, TRUE);
        break;
    }

    case SB_TOP:   // = SB_LEFT
        if (scrollPos > 0)
        {
            SetScrollPos32(nBar, 0);
            Invalidate(TRUE);
        }
        break;

    case SB_BOTTOM:   // = SB_RIGHT
        if (scrollPos < nRange)
        {
            SetScrollPos32(nBar, nRange);
            Invalidate(TRUE);
        }
        break;

    default:
        break;
    }

    SendMessageToParent(0, 0, bHorz ? GRIDN_HSCROLL : GRIDN_VSCROLL);
}

// The wheel scrolls rows only: m_nWheelScrollLines rows per notch (120), or
// a page per notch when it is -1. The requests are posted to the grid's own
// queue, so they run after this message.
BOOL CVXGridCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (m_nWheelScrollLines == -1)
    {
        int nPages = zDelta / 120;
        for (int i = 0; i < nPages; i++)
            PostMessage(WM_VSCROLL, SB_PAGEUP, 0);
        for (int i = 0; i < -nPages; i++)
            PostMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    }
    else
    {
        long long nRows = (long long)zDelta * m_nWheelScrollLines / 120;
        for (long long i = 0; i < nRows; i++)
            PostMessage(WM_VSCROLL, SB_LINEUP, 0);
        for (long long i = 0; i < -nRows; i++)
            PostMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    }
    return CWnd::OnMouseWheel(nFlags, zDelta, pt);
}

void CVXGridCtrl::EnsureVisible(int nRow, int nCol)
{
    EnsureVisible(nRow, nCol, 0, 0);
}

// Line requests, sent synchronously, counted from the visible range taken
// once before scrolling; one more step right or down when the cell is still
// cut by the right or bottom edge.
void CVXGridCtrl::EnsureVisible(int nRow, int nCol, int nColMargin, int nRowMargin)
{
    if (GetSafeHwnd() == NULL)
        return;
    // The steps (and the parent's notification of each) stay, but only the
    // scroll positions move during them: the window and the bars are
    // redrawn once at the end, so a cell far away is reached as fast as a
    // near one is drawn.
    const int nHorzBefore = GetScrollPos32(SB_HORZ);
    const int nVertBefore = GetScrollPos32(SB_VERT);
    struct Batch
    {
        int& n;
        BOOL& bStarted;
        Batch(int& nDepth, BOOL& bFirstDone) : n(nDepth), bStarted(bFirstDone)
        {
            if (n++ == 0)
                bStarted = FALSE;
        }
        ~Batch()
        {
            if (--n == 0)
                bStarted = FALSE;
        }
    } batch(m_nScrollBatch, m_bScrollBatchStarted);
    EnsureVisibleSteps(nRow, nCol, nColMargin, nRowMargin);
    if (m_nScrollBatch == 1 && GetSafeHwnd() != NULL &&
        (GetScrollPos32(SB_HORZ) != nHorzBefore || GetScrollPos32(SB_VERT) != nVertBefore))
    {
        SetScrollPos32(SB_HORZ, GetScrollPos32(SB_HORZ), TRUE);
        SetScrollPos32(SB_VERT, GetScrollPos32(SB_VERT), TRUE);
        Invalidate(TRUE);
    }
}

void CVXGridCtrl::EnsureVisibleSteps(int nRow, int nCol, int nColMargin, int nRowMargin)
{
    CVXCellRange VisibleCells = GetVisibleNonFixedCellRange();

    long long right = (long long)nCol + nColMargin - VisibleCells.maxCol;
    long long left = (long long)VisibleCells.minCol - nCol + nColMargin;
    long long down = (long long)nRow + nRowMargin - VisibleCells.maxRow;
    long long up = (long long)VisibleCells.minRow - nRow + nRowMargin;

    for (long long i = 0; i < right; i++)
        SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    for (long long i = 0; i < left; i++)
        SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
    for (long long i = 0; i < down; i++)
        SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    for (long long i = 0; i < up; i++)
        SendMessage(WM_VSCROLL, SB_LINEUP, 0);

    CRect rectCell, rectWindow;
    if (!GetCellRect(nRow, nCol, &rectCell))
        return;
    GetClientRect(&rectWindow);
    if (rectCell.right > rectWindow.right)
        SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    if (rectCell.bottom > rectWindow.bottom)
        SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
}

// One flag for all grids: a resize arriving while any grid is inside its
// size handler (the scroll bars it shows or hides resize the window again)
// is ignored.
static BOOL s_bInOnSize = FALSE;

void CVXGridCtrl::OnSize(UINT nType, int cx, int cy)
{
    if (s_bInOnSize || GetSafeHwnd() == NULL)
        return;
    s_bInOnSize = TRUE;
    SetFocus();   // ends an in-place edit
    CWnd::OnSize(nType, cx, cy);
    ResetScrollBars(TRUE);
    s_bInOnSize = FALSE;
}

void CVXGridCtrl::EndBulkChange()
{
    if (!m_bBulkChange)
        return;
    m_bBulkChange = FALSE;
    if (GetSafeHwnd() != NULL && m_bAllowDraw)
    {
        ResetScrollBars();
        Invalidate(TRUE);
    }
}
