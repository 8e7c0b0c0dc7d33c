// CVXTitleTip: the grid's title-tip window.

#include "grid/TitleTip.h"
#include "platform/WinApp.h"
#include "platform/core/Exceptions.h"

#include <string.h>

CVXTitleTip::CVXTitleTip() : m_pParent(NULL), m_hFont(NULL)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASSA wndcls;
    if (::GetClassInfoA(hInst, TITLETIP_CLASSNAME, &wndcls))
        return;
    memset(&wndcls, 0, sizeof(wndcls));
    wndcls.style = CS_SAVEBITS;
    wndcls.lpfnWndProc = ::DefWindowProcA;
    wndcls.hInstance = hInst;
    wndcls.hCursor = ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wndcls.hbrBackground = (HBRUSH)(COLOR_INFOBK + 1);
    wndcls.lpszClassName = TITLETIP_CLASSNAME;
    if (!AfxRegisterClass(&wndcls))
        AfxThrowResourceException();
}

CVXTitleTip::~CVXTitleTip()
{
    if (m_hFont != NULL)
        ::DeleteObject(m_hFont);
}

BOOL CVXTitleTip::Create(CWnd* pParentWnd)
{
    m_pParent = pParentWnd;
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TITLETIP_CLASSNAME, NULL, WS_POPUP | WS_BORDER,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, NULL);
}

void CVXTitleTip::Show(CRect rcTitle, LPCTSTR lpszTitleText, int xOffset, LPRECT lpHoverRect,
                       const LOGFONT* lpLogFont)
{
    if (rcTitle.IsRectEmpty() || m_hWnd == NULL || m_pParent == NULL)
        return;

    m_rcHover = lpHoverRect != NULL ? CRect(*lpHoverRect) : rcTitle;
    m_pParent->ClientToScreen(&m_rcHover);
    ScreenToClient(&m_rcHover);

    if (IsWindowVisible())
        return;
    if (::GetFocus() == NULL)
        return;

    m_pParent->ClientToScreen(&rcTitle);

    CString strTitle = " ";
    strTitle += lpszTitleText != NULL ? lpszTitleText : "";
    strTitle += " ";

    HFONT hFont = lpLogFont != NULL ? ::CreateFontIndirectA(lpLogFont) : NULL;
    if (hFont == NULL)
    {
        // A copy of the parent's font, so the tip owns what it draws with.
        HFONT hParentFont = (HFONT)m_pParent->SendMessage(WM_GETFONT, 0, 0);
        LOGFONTA lf;
        if (hParentFont != NULL && ::GetObjectA(hParentFont, sizeof(lf), &lf) == sizeof(lf))
            hFont = ::CreateFontIndirectA(&lf);
    }

    HDC hDC = ::GetDC(m_hWnd);
    if (hDC == NULL)
    {
        if (hFont != NULL)
            ::DeleteObject(hFont);
        return;
    }
    HGDIOBJ hOld = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    SIZE size = { 0, 0 };
    ::GetTextExtentPoint32A(hDC, strTitle, strTitle.GetLength(), &size);
    TEXTMETRICA tm;
    if (::GetTextMetricsA(hDC, &tm))
        size.cx += tm.tmOverhang;

    const BOOL bFits = rcTitle.left + 2 * xOffset + size.cx <= rcTitle.right - xOffset;
    if (!bFits)
    {
        m_strShown = strTitle;
        if (m_hFont != NULL)
            ::DeleteObject(m_hFont);
        m_hFont = hFont;
        hFont = NULL;
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, rcTitle.left + xOffset, rcTitle.top, size.cx + xOffset,
                       rcTitle.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
        ::SetBkMode(hDC, TRANSPARENT);
        ::TextOutA(hDC, 0, 0, strTitle, strTitle.GetLength());
        ::SetCapture(m_hWnd);
    }

    if (hOld != NULL)
        ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    if (hFont != NULL)
        ::DeleteObject(hFont);
}

void CVXTitleTip::Hide()
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
}

// The text drawn by Show is drawn again whenever the tip is repainted.
void CVXTitleTip::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    if (hDC == NULL)
        return;
    HGDIOBJ hOld = m_hFont != NULL ? ::SelectObject(hDC, m_hFont) : NULL;
    ::SetBkMode(hDC, TRANSPARENT);
    ::TextOutA(hDC, 0, 0, m_strShown, m_strShown.GetLength());
    if (hOld != NULL)
        ::SelectObject(hDC, hOld);
    ::EndPaint(m_hWnd, &ps);
}

int CVXTitleTip::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

CWnd* CVXTitleTip::TargetFromPoint(POINT ptScreen)
{
    CWnd* pWnd = CWnd::WindowFromPoint(ptScreen);
    if (pWnd == NULL || pWnd->GetSafeHwnd() == m_hWnd)
        pWnd = m_pParent;
    return pWnd;
}

void CVXTitleTip::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_rcHover.PtInRect(point))
        return;
    Hide();

    ClientToScreen(&point);
    CWnd* pWnd = TargetFromPoint(point);
    if (pWnd == NULL)
        return;
    LRESULT nHitTest = pWnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    if (nHitTest == HTCLIENT)
    {
        pWnd->ScreenToClient(&point);
        pWnd->PostMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(point.x, point.y));
    }
    else
        pWnd->PostMessage(WM_NCMOUSEMOVE, (WPARAM)nHitTest, MAKELPARAM(point.x, point.y));
}

void CVXTitleTip::ForwardButton(UINT message, WPARAM wParam, LPARAM lParam)
{
    CPoint point(lParam);
    ClientToScreen(&point);
    CWnd* pWnd = TargetFromPoint(point);
    Hide();
    if (pWnd == NULL)
        return;
    LRESULT nHitTest = pWnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    if (nHitTest == HTCLIENT)
    {
        pWnd->ScreenToClient(&point);
        lParam = MAKELPARAM(point.x, point.y);
    }
    else
    {
        message += WM_NCLBUTTONDOWN - WM_LBUTTONDOWN;
        wParam = (WPARAM)nHitTest;
        lParam = MAKELPARAM(point.x, point.y);
    }
    pWnd->PostMessage(message, wParam, lParam);
}

void CVXTitleTip::ForwardKey(UINT message, WPARAM wParam, LPARAM lParam)
{
    Hide();
    if (m_pParent != NULL)
        m_pParent->PostMessage(message, wParam, lParam);
}

BOOL CVXTitleTip::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message)
    {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        ForwardButton(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        ForwardKey(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    default:
        break;
    }
    if (::GetFocus() == NULL)
    {
        Hide();
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CVXTitleTip::OnLButtonDown(UINT nFlags, CPoint point)
{
    ForwardButton(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

void CVXTitleTip::OnRButtonDown(UINT nFlags, CPoint point)
{
    ForwardButton(WM_RBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

void CVXTitleTip::OnMButtonDown(UINT nFlags, CPoint point)
{
    ForwardButton(WM_MBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

void CVXTitleTip::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    ForwardKey(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
}

void CVXTitleTip::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    ForwardKey(WM_SYSKEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
}

// Another window took the mouse: the tip gets out of the way and leaves
// the capture where it went.
void CVXTitleTip::OnCaptureChanged(CWnd* pWnd)
{
    CWnd::OnCaptureChanged(pWnd);
    if (pWnd != NULL && pWnd->GetSafeHwnd() == m_hWnd)
        return;
    if (IsWindowVisible())
        ShowWindow(SW_HIDE);
}
