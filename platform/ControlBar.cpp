// CControlBar, CDockBar and CWnd::RepositionBars: sharing a frame's client
// area between its bars and its main pane.
#include "platform/ControlBar.h"
#include "platform/DockContext.h"
#include "platform/MiniFrameWnd.h"
#include <limits.h>

// int-typed min and max (the Win32 headers' macros are off; LONG and int
// fields mix here).
static inline int KvMin(int a, int b) { return a < b ? a : b; }
static inline int KvMax(int a, int b) { return a > b ? a : b; }

// Takes a strip of the given size (clipped to what is left) off the side of
// the layout's remaining rectangle that dwAlign names; rc receives the strip.
// With no side named, rc is the whole remaining rectangle and nothing is
// taken.
static BOOL TakeSide(DWORD dwAlign, CSize& size, AFX_SIZEPARENTPARAMS* lpLayout, CRect& rc)
{
    CRect avail(lpLayout->rect);
    size.cx = KvMin(size.cx, avail.Width());
    size.cy = KvMin(size.cy, avail.Height());
    rc = avail;
    if (dwAlign & CBRS_ALIGN_TOP)
    {
        rc.bottom = rc.top + size.cy;
        lpLayout->rect.top += size.cy;
    }
    else if (dwAlign & CBRS_ALIGN_BOTTOM)
    {
        rc.top = rc.bottom - size.cy;
        lpLayout->rect.bottom -= size.cy;
    }
    else if (dwAlign & CBRS_ALIGN_LEFT)
    {
        rc.right = rc.left + size.cx;
        lpLayout->rect.left += size.cx;
    }
    else if (dwAlign & CBRS_ALIGN_RIGHT)
    {
        rc.left = rc.right - size.cx;
        lpLayout->rect.right -= size.cx;
    }
    else
        return FALSE;
    return TRUE;
}

// Adds a bar of the given size to the layout's totals (stacked across its
// orientation) and moves its window to rc when the layout is being applied.
static void PlaceInLayout(HWND hWnd, CSize size, BOOL bHorz, const CRect& rc, AFX_SIZEPARENTPARAMS* lpLayout)
{
    if (bHorz)
        lpLayout->sizeTotal.cy += size.cy, lpLayout->sizeTotal.cx = KvMax(lpLayout->sizeTotal.cx, size.cx);
    else
        lpLayout->sizeTotal.cx += size.cx, lpLayout->sizeTotal.cy = KvMax(lpLayout->sizeTotal.cy, size.cy);
    if (lpLayout->hDWP)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, rc.left, rc.top, rc.Width(),
                                          rc.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
}


IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

// ---------------------------------------------------------------------------
// CWnd::RepositionBars

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    layout.hDWP = (nFlag & reposQuery) ? nullptr : ::BeginDeferWindowPos(8);

    HWND hLeftOver = nullptr;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        UINT nID = (UINT)::GetDlgCtrlID(hChild);
        if (nID == nIDLeftOver)
            hLeftOver = hChild;
        else if (nID >= nIDFirst && nID <= nIDLast && FromHandlePermanent(hChild))
            ::SendMessageA(hChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (nFlag & reposQuery)
    {
        if (lpRectParam)
        {
            if (bStretch)
                *lpRectParam = layout.rect;
            else
            {
                lpRectParam->left = lpRectParam->top = 0;
                lpRectParam->right = layout.sizeTotal.cx;
                lpRectParam->bottom = layout.sizeTotal.cy;
            }
        }
        return;
    }

    if (nIDLeftOver && hLeftOver)
    {
        CRect rc(layout.rect);
        if ((nFlag & reposExtra) && lpRectParam)
        {
            rc.left += lpRectParam->left;
            rc.top += lpRectParam->top;
            rc.right -= lpRectParam->right;
            rc.bottom -= lpRectParam->bottom;
        }
        if (rc.right < rc.left)
            rc.right = rc.left;
        if (rc.bottom < rc.top)
            rc.bottom = rc.top;
        if (layout.hDWP)
            layout.hDWP = ::DeferWindowPos(layout.hDWP, hLeftOver, nullptr, rc.left, rc.top, rc.Width(),
                                           rc.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

// ---------------------------------------------------------------------------
// CControlBar

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
    delete m_pDockContext;
    m_pDockContext = nullptr;
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
    if (!m_pDockContext)
        m_pDockContext = new CDockContext(this);
    if (m_hWnd && !m_pDockSite)
    {
        m_pDockSite = GetParentFrame();
        if (m_pDockSite)
            m_pDockSite->AddControlBar(this);
    }
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    if (!pFrame && m_pDockSite)
        pFrame = m_pDockSite;
    return pFrame;
}

BOOL CControlBar::IsFloating() const
{
    if (IsDockBar())
        return static_cast<const CDockBar*>(this)->m_bFloating;
    return m_pDockBar && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) || (m_hWnd && (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_VISIBLE));
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size;
    size.cx = (bStretch && bHorz) ? 32767 : 0;
    size.cy = (bStretch && !bHorz) ? 32767 : 0;
    CRect rc(0, 0, 0, 0);
    CalcInsideRect(rc, bHorz);
    // Borders only: a plain bar has no content of its own.
    if (!(bStretch && bHorz))
        size.cx = -rc.Width();
    if (!(bStretch && !bHorz))
        size.cy = -rc.Height();
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL) const
{
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += m_cxLeftBorder;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += m_cyTopBorder;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= m_cxRightBorder;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= m_cyBottomBorder;
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    DWORD dw = m_dwStyle & CBRS_BORDER_ANY;
    if (!dw)
        return;
    COLORREF clrHi = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    // A two-pixel etched line on each bordered side: shadow outside,
    // highlight inside.
    if (dw & CBRS_BORDER_LEFT)
    {
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), clrShadow);
        pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), clrHi);
    }
    if (dw & CBRS_BORDER_TOP)
    {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clrShadow);
        pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, clrHi);
    }
    if (dw & CBRS_BORDER_RIGHT)
    {
        pDC->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), clrShadow);
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), clrHi);
    }
    if (dw & CBRS_BORDER_BOTTOM)
    {
        pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, clrShadow);
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clrHi);
    }
    CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    BOOL bVisible = m_hWnd && (GetStyle() & WS_VISIBLE);
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

void CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    if (!(m_nStateFlags & (delayHide | delayShow)))
        return;
    UINT swp = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    swp |= (m_nStateFlags & delayShow) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    m_nStateFlags &= ~(delayHide | delayShow);
    if (lpLayout && lpLayout->hDWP)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0, swp);
    else
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, swp);
}

void CControlBar::OnSizeParent(AFX_SIZEPARENTPARAMS* lpLayout)
{
    // A bar that is a direct child of the frame (not in a dock bar).
    if (lpLayout->hDWP)
        RecalcDelayShow(lpLayout);
    if (!IsVisible())
        return;
    DWORD dwAlign = m_dwStyle & CBRS_ALIGN_ANY;
    BOOL bHorz = (dwAlign & CBRS_ORIENT_HORZ) != 0;
    CSize size;
    if (m_dwStyle & CBRS_SIZE_DYNAMIC)
        size = CalcDynamicLayout(-1, (lpLayout->bStretch ? LM_STRETCH : 0) |
                                         (bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK));
    else
        size = CalcFixedLayout(lpLayout->bStretch, bHorz);
    CRect rc;
    if (!TakeSide(dwAlign, size, lpLayout, rc))
        return;  // no side: the bar places itself
    PlaceInLayout(m_hWnd, size, bHorz, rc, lpLayout);
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SIZEPARENT:
        OnSizeParent((AFX_SIZEPARENTPARAMS*)lParam);
        return 0;
    case WM_IDLEUPDATECMDUI:
        if (GetStyle() & WS_VISIBLE)
        {
            CFrameWnd* pTarget = GetDockingFrame();
            if (pTarget)
                OnUpdateCmdUI(pTarget, (BOOL)wParam);
        }
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CControlBar::OnDestroy()
{
    if (m_pDockContext && m_pDockContext->m_bDragging)
        ::ReleaseCapture();
    if (m_pDockBar && !IsDockBar())
    {
        CDockBar* pDockBar = m_pDockBar;
        m_pDockBar = nullptr;
        // Dropped together with any placeholder it left on other sides.
        pDockBar->RemoveControlBar(this);
    }
    if (m_pDockSite)
    {
        // Placeholders for this bar in the site's dock bars go too.
        for (UINT id = AFX_IDW_DOCKBAR_TOP; id <= AFX_IDW_DOCKBAR_BOTTOM && !IsDockBar(); ++id)
        {
            CWnd* p = m_pDockSite->m_hWnd ? FromHandlePermanent(::GetDlgItem(m_pDockSite->m_hWnd, id)) : nullptr;
            if (p && p->IsKindOf(RUNTIME_CLASS(CDockBar)) && p != this)
                static_cast<CDockBar*>(p)->RemovePlaceHolder(this);
        }
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

// ---------------------------------------------------------------------------
// CDockBar

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
    m_arrBars.Add(nullptr);
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    static LPCSTR s_pszClass = nullptr;
    if (!s_pszClass)
        s_pszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                         (HBRUSH)(COLOR_BTNFACE + 1), nullptr);
    DWORD dwWndStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (!CWnd::Create(s_pszClass, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    CFrameWnd* pFrame = pParentWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pParentWnd)
                                                                       : nullptr;
    m_pDockSite = pFrame;
    return TRUE;
}

CControlBar* CDockBar::GetDockedControlBar(int i) const
{
    void* p = m_arrBars.GetAt(i);
    return AfxIsRealBar(p) ? static_cast<CControlBar*>(p) : nullptr;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const
{
    for (int i = 0; i < (int)m_arrBars.GetSize(); ++i)
        if (i != nPosExclude && m_arrBars.GetAt(i) == (void*)pBar)
            return i;
    return -1;
}

int CDockBar::GetDockedCount() const
{
    int n = 0;
    for (int i = 0; i < (int)m_arrBars.GetSize(); ++i)
        if (AfxIsRealBar(m_arrBars.GetAt(i)))
            ++n;
    return n;
}

int CDockBar::GetDockedVisibleCount() const
{
    int n = 0;
    for (int i = 0; i < (int)m_arrBars.GetSize(); ++i)
    {
        CControlBar* p = GetDockedControlBar(i);
        if (p && p->IsVisible())
            ++n;
    }
    return n;
}

int CDockBar::GetRowOfIndex(int nPos) const
{
    int nRow = 0;
    bool bRowHasEntries = false;
    for (int i = 1; i < (int)m_arrBars.GetSize() && i <= nPos; ++i)
    {
        if (m_arrBars.GetAt(i) == nullptr)
        {
            if (bRowHasEntries)
                ++nRow;
            bRowHasEntries = false;
        }
        else
            bRowHasEntries = true;
    }
    return nRow;
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    void* pHolder = (void*)(UINT_PTR)(UINT)(pBar->GetDlgCtrlID() & 0xFFFF);
    if (!pHolder)
        return;
    int n = FindBar((CControlBar*)pHolder);
    if (n > 0)
    {
        m_arrBars.RemoveAt(n);
        // Drop a row left empty: a separator following another one.
        if (m_arrBars.GetAt(n - 1) == nullptr && n < (int)m_arrBars.GetSize() && m_arrBars.GetAt(n) == nullptr)
            m_arrBars.RemoveAt(n);
    }
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;
    if (nAddPlaceHolder && pBar->m_hWnd)
    {
        UINT nID = (UINT)pBar->GetDlgCtrlID() & 0xFFFF;
        m_arrBars.SetAt(nPos, nID ? (void*)(UINT_PTR)nID : nullptr);
        if (nID)
            return TRUE;
    }
    else
        m_arrBars.RemoveAt(nPos);
    // A row with nothing left: two separators meet.
    if (nPos < (int)m_arrBars.GetSize() && m_arrBars.GetAt(nPos - 1) == nullptr && m_arrBars.GetAt(nPos) == nullptr)
        m_arrBars.RemoveAt(nPos);
    if (m_bFloating && GetDockedCount() == 0 && m_hWnd)
    {
        // The floating frame has nothing left to hold.
        CWnd* pFrame = GetParent();
        if (pFrame && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
            static_cast<CMiniDockFrameWnd*>(pFrame)->OnLastBarRemoved();
    }
    else if (!m_bFloating && m_pDockSite && m_pDockSite->m_hWnd)
        m_pDockSite->DelayRecalcLayout();
    return TRUE;
}

int CDockBar::Insert(CControlBar* pBar, CRect rect)
{
    BOOL bHorz = IsHorz();
    int nMid = bHorz ? (rect.top + rect.bottom) / 2 : (rect.left + rect.right) / 2;
    int nLead = bHorz ? rect.left : rect.top;
    // Walk the rows, measuring each from its bars' windows.
    int nRowStart = 1;
    int nSize = (int)m_arrBars.GetSize();
    while (nRowStart < nSize)
    {
        int nRowEnd = nRowStart;
        while (nRowEnd < nSize && m_arrBars.GetAt(nRowEnd) != nullptr)
            ++nRowEnd;
        int lo = INT_MAX, hi = INT_MIN;
        for (int i = nRowStart; i < nRowEnd; ++i)
        {
            CControlBar* p = GetDockedControlBar(i);
            if (!p || p == pBar || !p->IsVisible())
                continue;
            CRect rc;
            p->GetWindowRect(&rc);
            ScreenToClient(&rc);
            lo = KvMin(lo, bHorz ? (int)rc.top : (int)rc.left);
            hi = KvMax(hi, bHorz ? (int)rc.bottom : (int)rc.right);
        }
        if (lo != INT_MAX && nMid < lo)
        {
            // Before this row: a new row here.
            m_arrBars.InsertAt(nRowStart, (void*)nullptr);
            m_arrBars.InsertAt(nRowStart, (void*)pBar);
            return nRowStart;
        }
        if (lo != INT_MAX && nMid >= lo && nMid < hi)
        {
            // In this row, ordered by the leading coordinate.
            int nPos = nRowStart;
            for (; nPos < nRowEnd; ++nPos)
            {
                CControlBar* p = GetDockedControlBar(nPos);
                if (!p || p == pBar || !p->IsVisible())
                    continue;
                CRect rc;
                p->GetWindowRect(&rc);
                ScreenToClient(&rc);
                if ((bHorz ? rc.left : rc.top) > nLead)
                    break;
            }
            m_arrBars.InsertAt(nPos, (void*)pBar);
            return nPos;
        }
        nRowStart = nRowEnd + 1;
    }
    // After every row.
    m_arrBars.Add(pBar);
    m_arrBars.Add(nullptr);
    return (int)m_arrBars.GetSize() - 2;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    CRect rect;
    if (lpRect)
    {
        rect = *lpRect;
        ScreenToClient(&rect);
    }
    if (pBar->m_pDockBar == this && !lpRect)
        return;  // already here, nowhere else asked for

    CDockBar* pOld = pBar->m_pDockBar;
    if (pOld == this)
        RemoveControlBar(pBar);
    else if (pOld)
    {
        // Leaving a side: remember the slot there when floating off it.
        pBar->m_pDockBar = nullptr;
        pOld->RemoveControlBar(pBar, -1, m_bFloating && !pOld->m_bFloating);
    }
    if (!m_bFloating)
    {
        // Its slot on another side is forgotten once docked somewhere.
        for (UINT id = AFX_IDW_DOCKBAR_TOP; id <= AFX_IDW_DOCKBAR_BOTTOM; ++id)
        {
            CWnd* p = m_pDockSite ? FromHandlePermanent(::GetDlgItem(m_pDockSite->m_hWnd, id)) : nullptr;
            if (p && p->IsKindOf(RUNTIME_CLASS(CDockBar)) && p != this && p != pOld)
                static_cast<CDockBar*>(p)->RemovePlaceHolder(pBar);
        }
    }

    if (lpRect && !m_bFloating)
        Insert(pBar, rect);
    else
    {
        void* pHolder = (void*)(UINT_PTR)((UINT)pBar->GetDlgCtrlID() & 0xFFFF);
        int n = pHolder ? FindBar((CControlBar*)pHolder) : -1;
        if (n > 0)
            m_arrBars.SetAt(n, pBar);  // back into the remembered slot
        else
        {
            m_arrBars.Add(pBar);
            m_arrBars.Add(nullptr);
        }
        if (!m_bFloating && pHolder)
            RemovePlaceHolder(pBar);
    }

    // Orientation and floating state follow the dock bar.
    DWORD dwStyle = pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING);
    dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY);
    if (m_bFloating)
        dwStyle |= CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);

    pBar->m_pDockBar = this;
    if (::GetParent(pBar->m_hWnd) != m_hWnd)
        pBar->SetParent(this);
    if (lpRect && !m_bFloating)
        pBar->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pBar->m_pDockContext)
    {
        // Remembered for ToggleDocking.
        if (m_bFloating)
            pBar->m_pDockContext->m_dwMRUFloatStyle = dwStyle;
        else
        {
            pBar->m_pDockContext->m_uMRUDockID = (UINT)GetDlgCtrlID();
            if (lpRect)
                pBar->m_pDockContext->m_rectMRUDockPos = *lpRect;
            else
                pBar->m_pDockContext->m_rectMRUDockPos.SetRectEmpty();
        }
    }
    if (m_pDockSite && m_pDockSite->m_hWnd)
        m_pDockSite->DelayRecalcLayout();
}

void CDockBar::OnSizeParent(AFX_SIZEPARENTPARAMS* lpLayout)
{
    m_bLayoutQuery = (lpLayout->hDWP == nullptr);
    m_rectLayout = lpLayout->rect;
    BOOL bHorz = IsHorz();
    CSize size = CalcFixedLayout(lpLayout->bStretch, bHorz);
    m_bLayoutQuery = FALSE;
    // A dock bar without a side (floating) keeps the whole rectangle.
    CRect rc;
    TakeSide(m_dwStyle & CBRS_ALIGN_ANY, size, lpLayout, rc);
    PlaceInLayout(m_hWnd, size, bHorz, rc, lpLayout);
}

// The layout of the rows. Along a row, bars overlap their neighbours by 2
// pixels and the first starts at -2 (its outer edge hidden under the
// frame's border); a bar keeps a leading position further on than that
// (where it was dropped) as long as it fits. Rows are stacked across.
// Vertical dock bars keep a 2-pixel strip above their client area, so a
// row's bars begin at the same place in window coordinates on every side.
CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (m_bFloating)
    {
        // One row; the frame sizes itself around it.
        int x = 0, cyMax = 0, cxTotal = 0;
        for (int i = 0; i < (int)m_arrBars.GetSize(); ++i)
        {
            CControlBar* pBar = GetDockedControlBar(i);
            if (!pBar)
                continue;
            if (!m_bLayoutQuery)
                pBar->RecalcDelayShow(nullptr);
            if (!pBar->IsVisible())
                continue;
            CSize size = pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
            if (!m_bLayoutQuery)
                pBar->SetWindowPos(nullptr, x, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
            x += size.cx;
            cxTotal = x;
            cyMax = KvMax(cyMax, (int)size.cy);
        }
        return CSize(cxTotal, cyMax);
    }

    int nLength = bHorz ? m_rectLayout.Width() : m_rectLayout.Height() - 2;
    int nAcross = 0;  // running offset of the current row
    bool bAny = false;
    // A bar's size query may split its row (a separator inserted); the
    // layout then starts again over the new rows. Each split adds a row,
    // so this ends.
    for (int nPass = 0; nPass < 64; ++nPass)
    {
    bool bRestart = false;
    nAcross = 0;
    bAny = false;
    int nSize = (int)m_arrBars.GetSize();
    int nRowStart = 1;
    while (nRowStart < nSize && !bRestart)
    {
        int nRowEnd = nRowStart;
        while (nRowEnd < (int)m_arrBars.GetSize() && m_arrBars.GetAt(nRowEnd) != nullptr)
            ++nRowEnd;
        int nRunning = -2;
        int nRowWidth = 0;
        for (int i = nRowStart; i < nRowEnd && i < (int)m_arrBars.GetSize(); ++i)
        {
            CControlBar* pBar = GetDockedControlBar(i);
            if (!pBar)
                continue;
            if (!m_bLayoutQuery)
                pBar->RecalcDelayShow(nullptr);
            if (!pBar->IsVisible())
                continue;
            // Each bar is asked for its docked size along this side (the
            // dock bar itself is what stretches).
            CSize size = pBar->CalcDynamicLayout(-1, bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
            if ((int)m_arrBars.GetSize() != nSize)
            {
                bRestart = true;
                break;
            }
            CRect rc;
            pBar->GetWindowRect(&rc);
            ScreenToClient(&rc);
            int nLen = bHorz ? size.cx : size.cy;
            int nWidth = bHorz ? size.cy : size.cx;
            int nLead = bHorz ? rc.left : rc.top;
            int nPos = KvMax(nRunning, nLead);
            if (nPos + nLen > nLength)
                nPos = KvMax(nRunning, nLength - nLen);
            if (!m_bLayoutQuery)
            {
                if (bHorz)
                    pBar->SetWindowPos(nullptr, nPos, nAcross, nLen, nWidth, SWP_NOZORDER | SWP_NOACTIVATE);
                else
                    pBar->SetWindowPos(nullptr, nAcross, nPos, nWidth, nLen, SWP_NOZORDER | SWP_NOACTIVATE);
            }
            nRunning = nPos + nLen - 2;
            nRowWidth = KvMax(nRowWidth, nWidth);
            bAny = true;
        }
        nAcross += nRowWidth;
        nRowStart = nRowEnd + 1;
    }
    if (!bRestart)
        break;
    }
    if (!bAny)
        return CSize(0, 0);
    if (bHorz)
        return CSize(bStretch ? 32767 : m_rectLayout.Width(), nAcross);
    return CSize(nAcross, bStretch ? 32767 : m_rectLayout.Height());
}

void CDockBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    // Vertical dock bars keep a 2-pixel strip at the top (see above).
    if (!m_bFloating && !IsHorz())
        lpncsp->rgrc[0].top += 2;
    if (lpncsp->rgrc[0].top > lpncsp->rgrc[0].bottom)
        lpncsp->rgrc[0].top = lpncsp->rgrc[0].bottom;
}

void CDockBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    if (!m_bFloating && !IsHorz())
        dc.FillSolidRect(rc.left, rc.top, rc.Width(), 2, ::GetSysColor(COLOR_BTNFACE));
}

BOOL CDockBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

LRESULT CDockBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_IDLEUPDATECMDUI)
        return 0;  // the bars in it get their own
    return CControlBar::WindowProc(message, wParam, lParam);
}
