// kvVXGallery: a host application built on the library's framework. Its
// main window shows the sample region measurements in a grid, with docked
// and floating bars around it (GalleryDocking.cpp: profile in
// kvVXGallery.ini beside the program, or in the registry with --registry);
// the Controls menu gets one entry per control as they become available.
//
//   kvVXGallery.exe                     opens the window
//   kvVXGallery.exe --screenshot F.png  clicks the Area title and a cell of
//                                       the third row, renders the window
//                                       into F.png and exits (3 when the
//                                       clicks did not sort and select;
//                                       4 when the print preview shows
//                                       no page); with --print it also
//                                       prints the grid it shows on the
//                                       default printer
//   ... --scene tip                     also rests the mouse on a cut-off
//                                       Class cell so its title tip shows
//   ... --scene combo                   also opens the Class drop-down list
//   kvVXGallery.exe --screenshot-lists F.png  opens the lists and properties
//                                       window, uses it, renders it into F.png
//                                       and exits (3 when a step failed)
//   kvVXGallery.exe --screenshot-windows F.png
//                                       renders the Windows page, the
//                                       Options dialog and the progress
//                                       note (see GalleryWindows.h)
#include "platform/Win32.h"
#include "demo/GalleryDocking.h"
#include "demo/GalleryResource.h"
#include "demo/GalleryLists.h"
#include "demo/GalleryPrint.h"
#include "demo/GalleryWindows.h"
#include "demo/PngWriter.h"
#include "demo/SampleData.h"
#include "grid/GridCtrl.h"
#include "grid/ComboGridCtrl.h"
#include "demo/GalleryDragGrids.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>

namespace {

const UINT_PTR kScreenshotTimer = 1;
const UINT_PTR kListsScreenshotTimer = 2;
int g_nExitCode = 0;  // set when the screenshot cannot be written

// The main pane: a grid of the sample data, fully interactive. Column 0
// is a fixed column of row numbers under a fixed title row (the list mode
// renumbers it after every sort); then one column per measurement, each with
// its number format, a "Colour" column showing each region's mean
// colour, built from the red, green and blue columns, and a narrow "Class"
// column whose values come from a drop-down list (nucleus, cytoplasm,
// background); its cut-off texts show in full in a title tip.
//
// What the user can do: type into a cell, double-click it or click the focus
// cell to edit it in place; click a column title to sort the rows by that
// column (again for the other direction); drag a border in the title row or
// in the number column to resize a column or a row, double-click it to fit
// the contents; click the Colour cell of a row to choose its colour.
class CSampleGridView : public CComboGridCtrl
{
public:
    static const int kFirstDataCol = 1;                            // the region column
    static const int kColourCol = kFirstDataCol + SC_COUNT;        // the colour column
    static const int kClassCol = kColourCol + 1;                   // the last column

    BOOL CreateView(CWnd* pParent)
    {
        SetRowCount(SampleRowCount() + 1);
        SetColumnCount(kClassCol + 1);
        SetFixedRowCount(1);
        SetFixedColumnCount(1);
        // Decimals per column, as the sample texts have them: integers for
        // the region and its area, two for the colours and the perimeter,
        // three for the circularity, one for the centroid. Edited numbers
        // are stored with these.
        static const int formats[SC_COUNT] = {0, 0, 2, 2, 2, 2, 3, 1, 1};
        for (int c = 0; c < SC_COUNT; ++c)
            SetTextFormat(kFirstDataCol + c, formats[c]);
        SetClrRGBCol(kFirstDataCol + SC_RED, kFirstDataCol + SC_GREEN, kFirstDataCol + SC_BLUE);
        SetClrHasRGBCol(TRUE);
        SetColSelColor(kColourCol, 1);

        const UINT nTitle = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        const UINT nNumber = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
        SetItemText(0, 0, "No.");
        SetItemFormat(0, 0, nTitle);
        for (int c = 0; c < SC_COUNT; ++c)
        {
            SetItemText(0, kFirstDataCol + c, SampleColumnTitle(c));
            SetItemFormat(0, kFirstDataCol + c, nTitle);
        }
        SetItemText(0, kColourCol, "Colour");
        SetItemFormat(0, kColourCol, nTitle);
        SetItemText(0, kClassCol, "Class");
        SetItemFormat(0, kClassCol, nTitle);
        CStringArray classes;
        classes.Add("nucleus");
        classes.Add("cytoplasm");
        classes.Add("background");
        AddComboColumn(kClassCol, classes);
        char text[64];
        for (int r = 0; r < SampleRowCount(); ++r)
        {
            for (int c = 0; c < SC_COUNT; ++c)
            {
                SampleCellText(r, c, text, sizeof(text));
                SetItemText(r + 1, kFirstDataCol + c, text);
                SetItemFormat(r + 1, kFirstDataCol + c, c == SC_REGION ? nTitle : nNumber);
            }
            SetRGBColor(r + 1, kFirstDataCol + SC_RED);
            // Round regions count as nuclei, the largest as background.
            const RegionMeasurement& m = SampleRow(r);
            SetComboItemText(r + 1, kClassCol, m.dCircularity > 0.8 ? 0 : (m.nArea > 2000 ? 2 : 1));
        }

        // Editing in place, sorting by a click on a title, whole rows
        // selected, borders that can be dragged; the sort compares the
        // texts as real numbers.
        SetEditable(TRUE);
        SetListMode(TRUE);
        SetHeaderSort(TRUE);
        SetRowResize(TRUE);
        SetColumnResize(TRUE);
        SetCompareFunction(CompareNumbers);
        SetFirstColItem();

        if (!Create(CRect(0, 0, 10, 10), pParent, AFX_IDW_PANE_FIRST, WS_CHILD | WS_VISIBLE | WS_TABSTOP))
            return FALSE;
        ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
        static const int widths[kClassCol + 1] = {36, 56, 60, 76, 82, 76, 80, 84, 80, 80, 60, 58};
        for (int c = 0; c <= kClassCol; ++c)
            SetColumnWidth(c, widths[c]);
        FocusAndSelect(CVXCellID(1, kFirstDataCol));
        return TRUE;
    }

    // Moves the focus to cell and selects it as a click would: its row in
    // list mode, the cell alone otherwise.
    void FocusAndSelect(CVXCellID cell)
    {
        if (!IsValid(cell) || IsCellFixed(cell.row, cell.col))
            cell = CVXCellID(1, kFirstDataCol);
        ResetSelectedRange();
        SetFocusCell(cell);
        m_cellSelStart = cell;
        if (GetListMode() || GetSingleRowSelection())
            SetSelectedRange(cell.row, 1, cell.row, GetColumnCount() - 1, TRUE);
        else
            SetSelectedRange(cell.row, cell.col, cell.row, cell.col, TRUE);
    }

    // The menu's switches. Each keeps the focus cell and selects anew the
    // way the new mode selects.
    void ToggleListMode()
    {
        SetListMode(!GetListMode());
        if (GetListMode())
            SetFirstColItem();
        FocusAndSelect(GetFocusCell());
        Invalidate();
    }
    void ToggleSingleRowSelection()
    {
        SetSingleRowSelection(!GetSingleRowSelection());
        FocusAndSelect(GetFocusCell());
    }
    void ToggleEditable() { SetEditable(!IsEditable()); }
    void ToggleResize()
    {
        BOOL bOn = !(GetRowResize() && GetColumnResize());
        SetRowResize(bOn);
        SetColumnResize(bOn);
    }

    // A click on a title sorts (in list mode); the window's title says by
    // which column and in which direction.
    void OnFixedRowClick(CVXCellID& cell) override
    {
        CVXGridCtrl::OnFixedRowClick(cell);
        CWnd* pParent = GetParent();
        if (pParent == NULL || m_nSortColumn < 0)
            return;
        CString title;
        if (!title.LoadString(IDS_GALLERY_TITLE))
            title = "kvVXComBase Gallery";
        title += " - sorted by " + GetItemText(0, m_nSortColumn) +
                 (m_bSortAscending ? ", ascending" : ", descending");
        pParent->SetWindowText(title);
    }

private:
    // Sorts by the value of the texts; texts that are no number count as 0.
    static int CALLBACK CompareNumbers(LPARAM lParam1, LPARAM lParam2, LPARAM /*lParamSort*/)
    {
        const CGridCell* pCell1 = (const CGridCell*)lParam1;
        const CGridCell* pCell2 = (const CGridCell*)lParam2;
        if (pCell1 == NULL || pCell2 == NULL)
            return 0;
        double d1 = atof(pCell1->m_strText), d2 = atof(pCell2->m_strText);
        return d1 < d2 ? -1 : (d1 > d2 ? 1 : 0);
    }
};

class CGalleryFrame : public CFrameWnd
{
public:
    CSampleGridView m_view;
    CGalleryBars m_bars;
    std::string m_screenshotPath;

    bool m_bPrintAfterScreenshot = false;

    std::string m_scene;   // "", "tip" or "combo": what the screenshot shows

    void OnAppExit() { PostMessage(WM_CLOSE); }
    void OnControlsDragGrids() { GalleryOpenDragGrids(this); }
    void OnFilePrint() { GalleryPrint(m_view); }
    void OnFilePrintPreview() { GalleryShowPrintPreview(m_view, this); }
    void OnControlsLists() { ShowListsWindow(this, &m_view); }

    // The Grid menu: switches of the grid, each item checked while on.
    void OnGridListMode() { m_view.ToggleListMode(); }
    void OnUpdateGridListMode(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_view.GetListMode() ? 1 : 0); }
    void OnGridSingleRow() { m_view.ToggleSingleRowSelection(); }
    void OnUpdateGridSingleRow(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_view.GetSingleRowSelection() ? 1 : 0); }
    void OnGridEditable() { m_view.ToggleEditable(); }
    void OnUpdateGridEditable(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_view.IsEditable() ? 1 : 0); }
    void OnGridResize() { m_view.ToggleResize(); }
    void OnUpdateGridResize(CCmdUI* pCmdUI)
    {
        pCmdUI->SetCheck(m_view.GetRowResize() && m_view.GetColumnResize() ? 1 : 0);
    }

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override
    {
        static const CCmdEntry<CGalleryFrame> table[] = {
            {ID_APP_EXIT, ID_APP_EXIT, &CGalleryFrame::OnAppExit, nullptr},
            {ID_FILE_PRINT, ID_FILE_PRINT, &CGalleryFrame::OnFilePrint, nullptr},
            {ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_PREVIEW, &CGalleryFrame::OnFilePrintPreview, nullptr},
            {ID_CONTROLS_LISTS, ID_CONTROLS_LISTS, &CGalleryFrame::OnControlsLists, nullptr},
            {ID_GRID_LISTMODE, ID_GRID_LISTMODE, &CGalleryFrame::OnGridListMode,
             &CGalleryFrame::OnUpdateGridListMode},
            {ID_GRID_SINGLEROW, ID_GRID_SINGLEROW, &CGalleryFrame::OnGridSingleRow,
             &CGalleryFrame::OnUpdateGridSingleRow},
            {ID_GRID_EDITABLE, ID_GRID_EDITABLE, &CGalleryFrame::OnGridEditable,
             &CGalleryFrame::OnUpdateGridEditable},
            {ID_GRID_RESIZE, ID_GRID_RESIZE, &CGalleryFrame::OnGridResize, &CGalleryFrame::OnUpdateGridResize},
            {ID_CONTROLS_DRAGGRIDS, ID_CONTROLS_DRAGGRIDS, &CGalleryFrame::OnControlsDragGrids, nullptr},
        };
        return DispatchCmdMsg(this, table, id, code, extra, info) ||
               GalleryWindowsOnCmdMsg(this, id, code, extra, info) || m_bars.OnCmdMsg(id, code, extra, info) ||
               CFrameWnd::OnCmdMsg(id, code, extra, info);
    }

    // Before the picture is taken, the grid is used as a user would use it,
    // with real mouse messages: a click on the "Area" title sorts the rows by
    // area, a click on a cell of the third row selects that row. Returns
    // false, saying why, when the grid did not do so.
    bool PlayHeaderClickAndSelect()
    {
        const int nAreaCol = CSampleGridView::kFirstDataCol + SC_AREA;
        auto click = [this](int nRow, int nCol) {
            CRect rc;
            if (!m_view.GetCellRect(nRow, nCol, &rc))
                return false;
            CPoint pt = rc.CenterPoint();
            m_view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
            m_view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
            return true;
        };
        if (!click(0, nAreaCol))
            return false;
        for (int r = 2; r < m_view.GetRowCount(); ++r)
            if (atof(m_view.GetItemText(r - 1, nAreaCol)) > atof(m_view.GetItemText(r, nAreaCol)))
            {
                fprintf(stderr, "kvVXGallery: a click on the Area title did not sort the rows\n");
                return false;
            }
        if (!click(3, nAreaCol))
            return false;
        CVXCellRange sel = m_view.GetSelectedCellRange();
        if (m_view.GetFocusCell() != CVXCellID(3, nAreaCol) || sel.minRow != 3 || sel.maxRow != 3 ||
            sel.minCol != CSampleGridView::kFirstDataCol)
        {
            fprintf(stderr, "kvVXGallery: a click on a cell did not select its row\n");
            return false;
        }
        m_view.UpdateWindow();
        UpdateWindow();
        return true;
    }

    // The scenes: the mouse resting on the Class cell of the selected row,
    // whose text is cut off, shows its title tip; or that cell's drop-down
    // list opened. False, saying why, when the grid did not show it.
    bool PlayScene()
    {
        if (m_scene.empty())
            return true;
        const int nRow = 3, nCol = CSampleGridView::kClassCol;
        m_view.EnsureVisible(nRow, nCol);
        m_view.UpdateWindow();
        CRect rc;
        if (!m_view.GetCellRect(nRow, nCol, &rc))
            return false;
        if (m_scene == "tip")
        {
            // The longest class name, cut off in the narrow column.
            m_view.SetComboItemText(nRow, nCol, 2);
            m_view.RedrawCell(nRow, nCol);
            CPoint pt(rc.left + 8, rc.CenterPoint().y);
            m_view.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
            HWND hTip = ::FindWindowA("ZTitleTip", nullptr);
            if (hTip == nullptr || !::IsWindowVisible(hTip))
            {
                fprintf(stderr, "kvVXGallery: no title tip over the cut-off Class cell\n");
                return false;
            }
            ::UpdateWindow(hTip);
        }
        else if (m_scene == "combo")
        {
            m_view.SetFocusCell(nRow, nCol);
            CPoint pt = rc.CenterPoint();
            m_view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
            m_view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
            HWND hCombo = ::FindWindowExA(m_view.GetSafeHwnd(), nullptr, "ComboBox", nullptr);
            if (hCombo == nullptr)
            {
                fprintf(stderr, "kvVXGallery: a click on the Class cell opened no drop-down list\n");
                return false;
            }
            ::SendMessageA(hCombo, CB_SHOWDROPDOWN, TRUE, 0);
            ::UpdateWindow(hCombo);
        }
        // Let the pop-ups reach the screen before it is read back.
        for (int i = 0; i < 20; i++)
        {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            ::Sleep(10);
        }
        return true;
    }

    // Renders the whole window (frame, menu and list) into a 32-bit DIB;
    // with a scene, from the screen, so that pop-ups over the window show.
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
            if (m_scene.empty())
            {
                CWindowDC wdc(this);
                mem.BitBlt(0, 0, cx, cy, &wdc, 0, 0, SRCCOPY);
            }
            else
            {
                HDC hScreen = ::GetDC(nullptr);
                ::BitBlt(mem.m_hDC, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
                ::ReleaseDC(nullptr, hScreen);
            }
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
            m_bars.PaintFloating(&mem, rc);
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
        // The bars around the grid; the screenshot run shows them as they
        // start, not as a user left them.
        if (!m_bars.Create(this, !m_screenshotPath.empty()))
            return -1;
        RecalcLayout();
        return 0;
    }
    void OnClose() override
    {
        m_bars.SaveLayout();
        CFrameWnd::OnClose();
    }
    void OnTimer(UINT_PTR nIDEvent) override
    {
        if (nIDEvent == kListsScreenshotTimer)
        {
            KillTimer(kListsScreenshotTimer);
            if (!RenderListsScreenshot(this, &m_view, m_screenshotPath))
                g_nExitCode = 3;
            fflush(stdout);
            DestroyWindow();
            return;
        }
        if (nIDEvent != kScreenshotTimer)
        {
            CFrameWnd::OnTimer(nIDEvent);
            return;
        }
        KillTimer(kScreenshotTimer);
        if (!PlayHeaderClickAndSelect() || !PlayScene())
        {
            g_nExitCode = 3;
            DestroyWindow();
            return;
        }
        std::vector<uint32_t> pixels;
        int cx = 0, cy = 0;
        if (!Capture(pixels, cx, cy) || !WritePngRgb(m_screenshotPath, cx, cy, pixels))
        {
            fprintf(stderr, "kvVXGallery: cannot write the screenshot to %s\n", m_screenshotPath.c_str());
            g_nExitCode = 1;
        }
        else
            printf("kvVXGallery: screenshot written to %s (%d x %d)\n", m_screenshotPath.c_str(), cx, cy);
        if (!GalleryCheckPrintPreview(m_view, this))
            g_nExitCode = 4;
        if (m_bPrintAfterScreenshot && !GalleryPrintUnattended(m_view))
            fprintf(stderr, "kvVXGallery: the grid was not printed\n");
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
        // The profile (bar layout among others): an INI file beside the
        // program, or the registry with --registry.
        if (m_lpCmdLine && strstr(m_lpCmdLine, "--registry"))
            SetRegistryKey("kvVXComBase");
        else
        {
            char szPath[MAX_PATH] = "";
            DWORD n = ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
            char* pSlash = n ? strrchr(szPath, '\\') : nullptr;
            if (pSlash && (size_t)(pSlash - szPath) + 16 < sizeof(szPath))
            {
                strcpy(pSlash + 1, "kvVXGallery.ini");
                SetProfileName(szPath);
            }
        }
        std::string screenshot;
        const char* p = m_lpCmdLine ? strstr(m_lpCmdLine, "--screenshot") : nullptr;
        const bool bLists = p && strncmp(p, "--screenshot-lists", 18) == 0;
        const bool bWindowsPage = p && strncmp(p, "--screenshot-windows", 20) == 0;
        if (p)
        {
            p += strlen(bLists ? "--screenshot-lists" : bWindowsPage ? "--screenshot-windows" : "--screenshot");
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
        std::string scene;
        if (const char* q = m_lpCmdLine ? strstr(m_lpCmdLine, "--scene") : nullptr)
        {
            q += strlen("--scene");
            while (*q == ' ')
                ++q;
            scene = std::string(q).substr(0, std::string(q).find(' '));
        }

        CString title;
        if (!title.LoadString(IDS_GALLERY_TITLE))
            title = "kvVXComBase Gallery";
        m_pFrame = new CGalleryFrame;
        m_pFrame->m_screenshotPath = screenshot;
        m_pFrame->m_scene = scene;
        m_pFrame->m_bPrintAfterScreenshot = m_lpCmdLine && strstr(m_lpCmdLine, "--print") != nullptr;
        // Wide enough for the bar on the left and every column of the grid,
        // the Class column last.
        if (!m_pFrame->Create(nullptr, title, WS_OVERLAPPEDWINDOW, CRect(0, 0, 1080, 600), nullptr,
                              MAKEINTRESOURCEA(IDR_MAINFRAME)))
            return FALSE;
        m_pFrame->LoadAccelTable(MAKEINTRESOURCEA(IDR_MAINFRAME));
        m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(screenshot.empty() ? m_nCmdShow : SW_SHOWNORMAL);
        m_pFrame->UpdateWindow();
        if (bWindowsPage)
        {
            g_nExitCode = GalleryWindowsScreenshot(m_pFrame, screenshot);
            m_pFrame->DestroyWindow();
            return FALSE;
        }
        if (!screenshot.empty())
            m_pFrame->SetTimer(bLists ? kListsScreenshotTimer : kScreenshotTimer, 300);
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
