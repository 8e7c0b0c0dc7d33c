#pragma once
// Helpers of the dialog and frame window tests: a framework top-level
// window that counts its WM_SIZE messages, views that paint a colour of
// their own, and pixels read back from a window.
#include "platform/View.h"
#include "platform/FrameWnd.h"
#include "../platform_win32/fw_test_support.h"

// A visible top-level framework window (notifications of its children are
// reflected to their objects) that counts WM_SIZE (0, 0) requests.
class CTestHost : public CWnd
{
public:
    int m_nRelayouts = 0;
    BOOL Make(int cx = 600, int cy = 400)
    {
        return CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_WINDOW + 1)), "host",
                        WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, CRect(20, 20, 20 + cx, 20 + cy), nullptr,
                        0);
    }

protected:
    void OnSize(UINT nType, int cx, int cy) override
    {
        if (nType == 0 && cx == 0 && cy == 0)
            ++m_nRelayouts;
        CWnd::OnSize(nType, cx, cy);
    }
};

// A view filled with one colour; counts its live objects.
class CColourView : public CView
{
    DECLARE_DYNCREATE(CColourView)
public:
    static int s_nAlive;
    static COLORREF s_crNext;  // colour of the next view made
    COLORREF m_cr;
    int m_nInitialUpdates = 0;
    CColourView() : m_cr(s_crNext) { ++s_nAlive; }
    ~CColourView() override { --s_nAlive; }
    void OnDraw(CDC* pDC) override
    {
        CRect rc;
        GetClientRect(&rc);
        HBRUSH hBrush = ::CreateSolidBrush(m_cr);
        ::FillRect(pDC->GetSafeHdc(), &rc, hBrush);
        ::DeleteObject(hBrush);
    }
    void OnInitialUpdate() override
    {
        ++m_nInitialUpdates;
        CView::OnInitialUpdate();
    }
};

// A view whose window refuses to be created; counts its deletions.
class CRefusingView : public CView
{
    DECLARE_DYNCREATE(CRefusingView)
public:
    static int s_nDeleted;
    ~CRefusingView() override { ++s_nDeleted; }
    void OnDraw(CDC*) override {}

protected:
    int OnCreate(LPCREATESTRUCTA) override { return -1; }
};

// A view class without dynamic creation.
class CFixedView : public CView
{
    DECLARE_DYNAMIC(CFixedView)
public:
    void OnDraw(CDC*) override {}
};

// Dispatches what is pending (unless bPump is false: real mouse moves
// would reach a window that holds the capture), then reads one pixel of
// hWnd's client area as the screen shows it (children included).
inline COLORREF ScreenPixel(HWND hWnd, int x, int y, bool bPump = true)
{
    ::UpdateWindow(hWnd);
    if (bPump)
        PumpFor(30);
    DibSurface s(1, 1);
    HDC hdc = ::GetDCEx(hWnd, nullptr, DCX_CACHE);
    ::BitBlt(s.dc.GetSafeHdc(), 0, 0, 1, 1, hdc, x, y, SRCCOPY);
    ::ReleaseDC(hWnd, hdc);
    return s.At(0, 0);
}

// How many pixels of rc (client coordinates of hWnd) show the colour cr.
inline int CountColour(HWND hWnd, const CRect& rc, COLORREF cr)
{
    ::UpdateWindow(hWnd);
    PumpFor(30);
    DibSurface s(rc.Width(), rc.Height());
    HDC hdc = ::GetDCEx(hWnd, nullptr, DCX_CACHE);
    ::BitBlt(s.dc.GetSafeHdc(), 0, 0, rc.Width(), rc.Height(), hdc, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(hWnd, hdc);
    int n = 0;
    for (int y = 0; y < rc.Height(); ++y)
        for (int x = 0; x < rc.Width(); ++x)
            n += s.At(x, y) == cr ? 1 : 0;
    return n;
}

// A rectangle of hChild in hParent's client coordinates.
inline CRect RectIn(HWND hChild, HWND hParent)
{
    CRect rc;
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(nullptr, hParent, (LPPOINT)&rc, 2);
    return rc;
}
