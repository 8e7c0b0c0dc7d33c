// CSizingControlBarG: the sizing bar with a gripper strip and a close
// button while docked.
#include "bars/SizingControlBar.h"

IMPLEMENT_DYNAMIC(CSizingControlBarG, CSizingControlBar)

// ---------------------------------------------------------------------------
// CBarCloseButton

CBarCloseButton::CBarCloseButton() : bPressed(FALSE), bHot(FALSE), ptOrigin(0, 0)
{
}

void CBarCloseButton::Paint(CDC* pDC)
{
    CRect rc = GetRect();
    if (bPressed)
        pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    else if (bHot)
        pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));

    COLORREF clrOldText = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    int nPrevBkMode = pDC->SetBkMode(TRANSPARENT);
    // A 6-point cross at 96 pixels per inch, whatever the resolution.
    CFont font;
    int nPointSize = ::MulDiv(60, 96, pDC->GetDeviceCaps(LOGPIXELSX));
    HDC hdcScreen = ::GetDC(nullptr);
    int nPixels = -::MulDiv(nPointSize, ::GetDeviceCaps(hdcScreen, LOGPIXELSY), 720);
    ::ReleaseDC(nullptr, hdcScreen);
    font.CreateFont(nPixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Marlett");
    CFont* pOldFont = pDC->SelectObject(&font);
    pDC->TextOut(rc.left + 2, rc.top + 2, "r", 1);
    pDC->SelectObject(pOldFont);
    pDC->SetBkMode(nPrevBkMode);
    pDC->SetTextColor(clrOldText);
}

// ---------------------------------------------------------------------------
// CSizingControlBarG

CSizingControlBarG::CSizingControlBarG() = default;

BOOL CSizingControlBarG::HasGripper() const
{
    return !IsFloating();
}

void CSizingControlBarG::NcCalcClient(LPRECT pRc, UINT nDockBarID)
{
    CSizingControlBar::NcCalcClient(pRc, nDockBarID);
    if (!HasGripper())
        return;
    CRect rcBar(pRc);
    CRect rc(rcBar);
    int x, y;
    if (nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_BOTTOM)
    {
        rc.left += m_nGripperSize;
        x = rc.left - 8;
        y = rc.top + 5;
    }
    else
    {
        rc.top += m_nGripperSize;
        x = rc.right - 7;
        y = rc.top - 8;
    }
    m_btnClose.ptOrigin = CPoint(x - rcBar.left, y - rcBar.top);
    *pRc = rc;
}

void CSizingControlBarG::NcPaintGripper(CDC* pDC, CRect rcClient)
{
    if (!HasGripper())
        return;
    CRect gripper = rcClient;
    gripper.DeflateRect(1, 1);
    BOOL bHorz = IsHorzDocked();
    if (bHorz)
    {
        gripper.left -= m_nGripperSize;
        gripper.right = gripper.left + 3;
        gripper.top = m_btnClose.GetRect().bottom + 3;
    }
    else
    {
        gripper.top -= m_nGripperSize;
        gripper.bottom = gripper.top + 3;
        gripper.right = m_btnClose.GetRect().left - 3;
    }
    COLORREF clrHi = ::GetSysColor(COLOR_BTNHIGHLIGHT), clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    pDC->Draw3dRect(&gripper, clrHi, clrShadow);
    gripper.OffsetRect(bHorz ? 3 : 0, bHorz ? 0 : 3);
    pDC->Draw3dRect(&gripper, clrHi, clrShadow);
    m_btnClose.Paint(pDC);
}

LRESULT CSizingControlBarG::OnNcHitTest(CPoint point)
{
    CRect rcBar;
    GetWindowRect(&rcBar);
    LRESULT nRet = CSizingControlBar::OnNcHitTest(point);
    if (nRet != HTCLIENT)
        return nRet;
    CRect rc = m_btnClose.GetRect();
    rc.OffsetRect(rcBar.TopLeft());
    if (HasGripper() && rc.PtInRect(point))
        return HTCLOSE;
    return HTCLIENT;
}

void CSizingControlBarG::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCLOSE)
    {
        CFrameWnd* pFrame = m_pDockSite ? m_pDockSite : GetDockingFrame();
        if (pFrame)
            pFrame->ShowControlBar(this, FALSE, FALSE);
    }
    CSizingControlBar::OnNcLButtonUp(nHitTest, point);
}

void CSizingControlBarG::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    if (!HasGripper())
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    BOOL bHit = OnNcHitTest(pt) == HTCLOSE;
    BOOL bLButtonDown = ::GetKeyState(VK_LBUTTON) < 0;
    BOOL bWasPushed = m_btnClose.bPressed;
    BOOL bWasRaised = m_btnClose.bHot;
    m_btnClose.bPressed = bHit && bLButtonDown;
    m_btnClose.bHot = bHit && !bLButtonDown;
    if (bWasPushed != m_btnClose.bPressed || bWasRaised != m_btnClose.bHot)
        SendMessage(WM_NCPAINT);
}
