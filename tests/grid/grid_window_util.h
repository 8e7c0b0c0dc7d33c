#pragma once
// Helpers for grid tests that need real windows: a hidden top-level parent
// that records the grid's notifications, and a grid that exposes the state
// the tests check.

#include "grid_test_util.h"
#include "platform/ModalUI.h"

#include <vector>

namespace gridtest
{

// One WM_NOTIFY the parent received.
struct Notification
{
    HWND hwndFrom;
    UINT idFrom;
    int code;
    int row;
    int col;
};

// A hidden top-level window of a class of its own that records every
// WM_NOTIFY it is sent. Hidden windows are quick to destroy under Xvfb.
class CRecordingParent
{
public:
    CRecordingParent()
    {
        WNDCLASSA wc;
        memset(&wc, 0, sizeof(wc));
        wc.lpfnWndProc = &CRecordingParent::WndProc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.lpszClassName = "GridTestRecordingParent";
        ::RegisterClassA(&wc);   // fails harmlessly when already registered
        m_hWnd = ::CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                                   NULL, NULL, wc.hInstance, NULL);
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, (LONG_PTR)this);
    }
    ~CRecordingParent()
    {
        if (m_hWnd != NULL)
            ::DestroyWindow(m_hWnd);
    }

    HWND m_hWnd;
    std::vector<Notification> notes;

    CWnd* Wnd() const { return CWnd::FromHandle(m_hWnd); }

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == WM_NOTIFY)
        {
            CRecordingParent* self = (CRecordingParent*)::GetWindowLongPtrA(hWnd, GWLP_USERDATA);
            const GRIDNOTIFY* pNotify = (const GRIDNOTIFY*)lParam;
            if (self != NULL)
                self->notes.push_back({ pNotify->hdr.hwndFrom, (UINT)pNotify->hdr.idFrom,
                                        (int)pNotify->hdr.code, pNotify->iRow, pNotify->iColumn });
            return 0;
        }
        return ::DefWindowProcA(hWnd, msg, wParam, lParam);
    }
};

// A grid with its protected state and helpers in reach of the tests.
class CTestGrid : public CVXGridCtrl
{
public:
    CTestGrid(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0)
        : CVXGridCtrl(nRows, nCols, nFixedRows, nFixedCols) {}

    using CVXGridCtrl::ResetScrollBars;
    using CVXGridCtrl::OnCmdMsg;
    int WheelLines() const { return m_nWheelScrollLines; }
    void SetWheelLines(int n) { m_nWheelScrollLines = n; }
    int Margin() const { return m_nMargin; }
    int DefRowHeight() const { return m_nDefRowHeight; }
    int DefColWidth() const { return m_nDefColWidth; }
    int VScrollRange() const { return m_nVScrollRange; }
    int HScrollRange() const { return m_nHScrollRange; }
};

// Answers the colour dialog with IDCANCEL and counts the questions.
class CColourCounter : public CModalUIAnswerer
{
public:
    CColourCounter() { m_pPrevious = AfxSetModalUIAnswerer(this); }
    ~CColourCounter() override { AfxSetModalUIAnswerer(m_pPrevious); }
    BOOL AnswerColorDialog(HWND, COLORREF*, DWORD, INT_PTR* pnResult) override
    {
        nAsked++;
        *pnResult = IDCANCEL;
        return TRUE;
    }
    int nAsked = 0;

private:
    CModalUIAnswerer* m_pPrevious;
};

// The client size of a window.
inline SIZE ClientSize(HWND hWnd)
{
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    SIZE size = { rc.right - rc.left, rc.bottom - rc.top };
    return size;
}

// Removes the posted messages msg of hWnd and returns their wParam values.
inline std::vector<WPARAM> TakePosted(HWND hWnd, UINT msg)
{
    std::vector<WPARAM> params;
    MSG m;
    while (::PeekMessageA(&m, hWnd, msg, msg, PM_REMOVE))
        params.push_back(m.wParam);
    return params;
}

// The grid most window tests use: 101 rows (1 fixed) of 20 pixels and 21
// columns (1 fixed) of 50 pixels behind a 40-pixel fixed column, in a child
// window whose client area is 290 x 190 with both scroll bars shown, so
// columns 1..5 fill the width and rows 1..8 fit wholly. FALSE when the window
// cannot be created.
inline bool CreateStandardGrid(CTestGrid& grid, CWnd* pParent, UINT nID = 77)
{
    grid.SetRowCount(101);
    grid.SetColumnCount(21);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    int cx = 290 + ::GetSystemMetrics(SM_CXVSCROLL);
    int cy = 190 + ::GetSystemMetrics(SM_CYHSCROLL);
    if (!grid.Create(CRect(0, 0, cx, cy), pParent, nID, WS_CHILD | WS_VISIBLE))
        return false;
    for (int r = 0; r < grid.GetRowCount(); r++)
        grid.SetRowHeight(r, 20);
    grid.SetColumnWidth(0, 40);
    for (int c = 1; c < grid.GetColumnCount(); c++)
        grid.SetColumnWidth(c, 50);
    grid.ResetScrollBars();
    return true;
}

} // namespace gridtest
