// kvVXGallery: a host application built on the library's framework. Its
// main window shows the sample region measurements in a grid; the Controls menu gets
// one entry per control as they become available.
//
//   kvVXGallery.exe                     opens the window
//   kvVXGallery.exe --screenshot F.png  renders the window into F.png and exits
#include "platform/Win32.h"
#include "demo/GalleryResource.h"
#include "demo/PngWriter.h"
#include "demo/SampleData.h"
#include "grid/GridCtrl.h"
#include <stdio.h>
#include <string.h>
#include <string>

namespace {

const UINT_PTR kScreenshotTimer = 1;
int g_nExitCode = 0;  // set when the screenshot cannot be written

// The main pane: a grid of the sample data. The region numbers form the
// fixed column under a fixed title row; each measurement column has its
// number format, and a last "Colour" column shows each region's mean
// colour, built from the red, green and blue columns.
class CSampleGridView : public CVXGridCtrl
{
public:
    BOOL CreateView(CWnd* pParent)
    {
        const int nColourCol = SC_COUNT;
        SetRowCount(SampleRowCount() + 1);
        SetColumnCount(SC_COUNT + 1);
        SetFixedRowCount(1);
        SetFixedColumnCount(1);
        // Decimals per column, as the sample texts have them: integers for
        // the region and its area, two for the colours and the perimeter,
        // three for the circularity, one for the centroid.
        static const int formats[SC_COUNT] = {0, 0, 2, 2, 2, 2, 3, 1, 1};
        for (int c = 0; c < SC_COUNT; ++c)
            SetTextFormat(c, formats[c]);
        SetClrRGBCol(SC_RED, SC_GREEN, SC_BLUE);
        SetClrHasRGBCol(TRUE);
        SetColSelColor(nColourCol, 1);

        const UINT nTitle = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        const UINT nNumber = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
        for (int c = 0; c < SC_COUNT; ++c)
        {
            SetItemText(0, c, SampleColumnTitle(c));
            SetItemFormat(0, c, nTitle);
        }
        SetItemText(0, nColourCol, "Colour");
        SetItemFormat(0, nColourCol, nTitle);
        char text[64];
        for (int r = 0; r < SampleRowCount(); ++r)
        {
            for (int c = 0; c < SC_COUNT; ++c)
            {
                SampleCellText(r, c, text, sizeof(text));
                SetItemText(r + 1, c, text);
                SetItemFormat(r + 1, c, c == SC_REGION ? nTitle : nNumber);
            }
            SetRGBColor(r + 1, SC_RED);
        }
        if (!Create(CRect(0, 0, 10, 10), pParent, AFX_IDW_PANE_FIRST, WS_CHILD | WS_VISIBLE | WS_TABSTOP))
            return FALSE;
        ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
        static const int widths[SC_COUNT + 1] = {56, 60, 76, 82, 76, 80, 84, 80, 80, 60};
        for (int c = 0; c <= SC_COUNT; ++c)
            SetColumnWidth(c, widths[c]);
        SetFocusCell(1, 1);
        return TRUE;
    }
};

class CGalleryFrame : public CFrameWnd
{
public:
    CSampleGridView m_view;
    std::string m_screenshotPath;

    void OnAppExit() { PostMessage(WM_CLOSE); }
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override
    {
        static const CCmdEntry<CGalleryFrame> table[] = {
            {ID_APP_EXIT, ID_APP_EXIT, &CGalleryFrame::OnAppExit, nullptr},
        };
        return DispatchCmdMsg(this, table, id, code, extra, info) || CFrameWnd::OnCmdMsg(id, code, extra, info);
    }

    // Renders the whole window (frame, menu and list) into a 32-bit DIB.
    bool Capture(std::vector<uint32_t>& pixels, int& cx, int& cy)
    {
        CRect rc;
        GetWindowRect(&rc);
        cx = rc.Width();
        cy = rc.Height();
        if (cx <= 0 || cy <= 0)
            return false;
        CBitmap bmp;
        DWORD* bits = nullptr;
        if (!bmp.CreateDIBSection32(cx, cy, (void**)&bits))
            return false;
        {
            CDC mem;
            if (!mem.CreateCompatibleDC(nullptr))
                return false;
            mem.SelectObject(&bmp);
            mem.FillSolidRect(0, 0, cx, cy, ::GetSysColor(COLOR_BTNFACE));
            // What the window shows, frame and menu included: copied from
            // the window's own surface.
            CWindowDC wdc(this);
            mem.BitBlt(0, 0, cx, cy, &wdc, 0, 0, SRCCOPY);
            // Without a window manager nobody draws the frame and caption
            // (the area outside the menu and the client area): draw them
            // the way the system draws its own.
            CRect rcClient;
            GetClientRect(&rcClient);
            ClientToScreen(&rcClient);
            rcClient.OffsetRect(-rc.left, -rc.top);
            MENUBARINFO mbi = {};
            mbi.cbSize = sizeof(mbi);
            CRect rcMenu(0, 0, 0, 0);
            if (::GetMenuBarInfo(m_hWnd, OBJID_MENU, 0, &mbi))
            {
                rcMenu = mbi.rcBar;
                rcMenu.OffsetRect(-rc.left, -rc.top);
            }
            int saved = mem.SaveDC();
            mem.ExcludeClipRect(&rcClient);
            if (!rcMenu.IsRectEmpty())
                mem.ExcludeClipRect(&rcMenu);
            CRect rcAll(0, 0, cx, cy);
            mem.FillSolidRect(&rcAll, ::GetSysColor(COLOR_BTNFACE));
            mem.DrawEdge(&rcAll, EDGE_RAISED, BF_RECT);
            TITLEBARINFO tbi = {};
            tbi.cbSize = sizeof(tbi);
            if (::GetTitleBarInfo(m_hWnd, &tbi))
            {
                CRect rcCaption(tbi.rcTitleBar);
                rcCaption.OffsetRect(-rc.left, -rc.top);
                ::DrawCaption(m_hWnd, mem.m_hDC, &rcCaption, DC_ACTIVE | DC_TEXT | DC_ICON | DC_GRADIENT);
            }
            mem.RestoreDC(saved);
        }
        ::GdiFlush();
        pixels.assign(bits, bits + (size_t)cx * cy);
        for (uint32_t& p : pixels)
            p &= 0x00FFFFFF;
        return true;
    }

protected:
    int OnCreate(LPCREATESTRUCTA cs) override
    {
        if (CFrameWnd::OnCreate(cs) == -1)
            return -1;
        if (!m_view.CreateView(this))
            return -1;
        RecalcLayout();
        return 0;
    }
    void OnTimer(UINT_PTR nIDEvent) override
    {
        if (nIDEvent != kScreenshotTimer)
        {
            CFrameWnd::OnTimer(nIDEvent);
            return;
        }
        KillTimer(kScreenshotTimer);
        std::vector<uint32_t> pixels;
        int cx = 0, cy = 0;
        if (!Capture(pixels, cx, cy) || !WritePngRgb(m_screenshotPath, cx, cy, pixels))
        {
            fprintf(stderr, "kvVXGallery: cannot write the screenshot to %s\n", m_screenshotPath.c_str());
            g_nExitCode = 1;
        }
        else
            printf("kvVXGallery: screenshot written to %s (%d x %d)\n", m_screenshotPath.c_str(), cx, cy);
        fflush(stdout);
        DestroyWindow();
    }
};

class CGalleryApp : public CWinApp
{
public:
    CGalleryApp() : CWinApp("kvVXGallery") {}
    int m_nScreenshotExit = 0;
    CGalleryFrame* m_pFrame = nullptr;

    void OnAppAbout()
    {
        CString text;
        text.LoadString(IDS_ABOUT_TEXT);
        AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
    }
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override
    {
        static const CCmdEntry<CGalleryApp> table[] = {
            {ID_APP_ABOUT, ID_APP_ABOUT, &CGalleryApp::OnAppAbout, nullptr},
        };
        return DispatchCmdMsg(this, table, id, code, extra, info) || CWinApp::OnCmdMsg(id, code, extra, info);
    }

    BOOL InitInstance() override
    {
        SetRegistryKey("kvVXComBase");
        std::string screenshot;
        const char* p = m_lpCmdLine ? strstr(m_lpCmdLine, "--screenshot") : nullptr;
        if (p)
        {
            p += strlen("--screenshot");
            while (*p == ' ')
                ++p;
            std::string arg = p;
            if (!arg.empty() && arg[0] == '"')
            {
                size_t end = arg.find('"', 1);
                arg = arg.substr(1, end == std::string::npos ? std::string::npos : end - 1);
            }
            else
                arg = arg.substr(0, arg.find(' '));
            if (arg.empty())
            {
                fprintf(stderr, "kvVXGallery: --screenshot needs a file name\n");
                g_nExitCode = 2;
                return FALSE;
            }
            screenshot = arg;
        }

        CString title;
        if (!title.LoadString(IDS_GALLERY_TITLE))
            title = "kvVXComBase Gallery";
        m_pFrame = new CGalleryFrame;
        m_pFrame->m_screenshotPath = screenshot;
        if (!m_pFrame->Create(nullptr, title, WS_OVERLAPPEDWINDOW, CRect(0, 0, 760, 520), nullptr,
                              MAKEINTRESOURCEA(IDR_MAINFRAME)))
            return FALSE;
        m_pFrame->LoadAccelTable(MAKEINTRESOURCEA(IDR_MAINFRAME));
        m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(screenshot.empty() ? m_nCmdShow : SW_SHOWNORMAL);
        m_pFrame->UpdateWindow();
        if (!screenshot.empty())
            m_pFrame->SetTimer(kScreenshotTimer, 300);
        return TRUE;
    }
    int ExitInstance() override
    {
        int n = CWinApp::ExitInstance();
        return g_nExitCode ? g_nExitCode : n;
    }
};

CGalleryApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
