#pragma once
// Helpers shared by the control tests: a shown framework parent window that
// records what its children send it, message pumping, and pixels read back
// from a window.
#include "platform/Win32.h"
#include "platform/core/String.h"

#include <string>
#include <vector>

namespace ctltest
{

// Dispatches the thread's pending messages for about ms milliseconds,
// through the framework's pre-translation as the host's message loop does.
inline void Pump(DWORD ms = 30)
{
    DWORD end = ::GetTickCount() + ms;
    do
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (CWnd::WalkPreTranslateTree(nullptr, &msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(1);
    } while ((LONG)(::GetTickCount() - end) < 0);
}

// One message a child sent the parent, with the end-of-edit record copied.
struct Received
{
    UINT message = 0;
    WPARAM wParam = 0;
    int code = 0;        // NMHDR code (WM_NOTIFY, 1227) or navigation code (1226)
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    int item = -1, subItem = -1;
    UINT mask = 0;
    std::string text;
    int cchTextMax = 0;
};

// A framework window of class Base that records the WM_NOTIFY and the
// messages 1226 and 1227 it receives (the last two are not passed on).
template <class Base>
class CRecorder : public Base
{
public:
    std::vector<Received> received;

    // The received messages of one kind.
    std::vector<Received> Of(UINT message) const
    {
        std::vector<Received> r;
        for (const Received& m : received)
            if (m.message == message)
                r.push_back(m);
        return r;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_USER + 202 && lParam)
        {
            Received r;
            r.message = message;
            r.wParam = wParam;
            r.code = (int)wParam;
            r.item = ((const int*)lParam)[0];
            r.subItem = ((const int*)lParam)[1];
            received.push_back(r);
            return 0;
        }
        if ((message == WM_USER + 203 || message == WM_NOTIFY) && lParam)
        {
            const NMHDR* pHdr = (const NMHDR*)lParam;
            Received r;
            r.message = message;
            r.wParam = wParam;
            r.code = (int)pHdr->code;
            r.hwndFrom = pHdr->hwndFrom;
            r.idFrom = pHdr->idFrom;
            if (pHdr->code == LVN_ENDLABELEDITA)
            {
                const NMLVDISPINFOA* p = (const NMLVDISPINFOA*)lParam;
                r.item = p->item.iItem;
                r.subItem = p->item.iSubItem;
                r.mask = p->item.mask;
                r.text = p->item.pszText ? p->item.pszText : "(null)";
                r.cchTextMax = p->item.cchTextMax;
            }
            received.push_back(r);
            if (message == WM_USER + 203)
                return 0;
        }
        return Base::WindowProc(message, wParam, lParam);
    }
};

// A shown top-level framework window (so children's notifications are
// reflected to their objects) that records what its children send it.
class CRecordingParent : public CRecorder<CWnd>
{
public:
    BOOL CreateShown(int cx = 500, int cy = 360)
    {
        return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                               (HBRUSH)(COLOR_WINDOW + 1)),
                        "controls test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, cx, cy, nullptr,
                        nullptr);
    }
};

// The client area of a window as 0x00RRGGBB pixels, read from its device
// context after its pending painting has been done.
struct Pixels
{
    int cx = 0, cy = 0;
    std::vector<DWORD> px;

    // bSettle: let pending painting happen first.
    static Pixels Of(HWND hWnd, bool bSettle = true)
    {
        if (bSettle)
        {
            ::UpdateWindow(hWnd);
            Pump(20);
        }
        Pixels p;
        RECT rc;
        ::GetClientRect(hWnd, &rc);
        p.cx = rc.right;
        p.cy = rc.bottom;
        BITMAPINFO bmi;
        memset(&bmi, 0, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = p.cx;
        bmi.bmiHeader.biHeight = -p.cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        HDC hdc = ::GetDC(hWnd);
        HDC hMem = ::CreateCompatibleDC(hdc);
        HBITMAP hBmp = ::CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        HGDIOBJ hOld = ::SelectObject(hMem, hBmp);
        ::BitBlt(hMem, 0, 0, p.cx, p.cy, hdc, 0, 0, SRCCOPY);
        ::GdiFlush();
        p.px.assign((const DWORD*)pBits, (const DWORD*)pBits + (size_t)p.cx * p.cy);
        for (DWORD& v : p.px)
            v &= 0xFFFFFF;
        ::SelectObject(hMem, hOld);
        ::DeleteObject(hBmp);
        ::DeleteDC(hMem);
        ::ReleaseDC(hWnd, hdc);
        return p;
    }
    // As a COLORREF (red in the low byte).
    COLORREF At(int x, int y) const
    {
        DWORD v = px[(size_t)y * cx + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
};

// Puts the real pointer on a client point of a window.
inline void PointerAt(HWND hWnd, int x, int y)
{
    POINT pt = { x, y };
    ::ClientToScreen(hWnd, &pt);
    ::SetCursorPos(pt.x, pt.y);
    Pump(10);
}

// A left click (press and release) sent to a window at a client point.
inline void Click(HWND hWnd, int x, int y)
{
    ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace ctltest
