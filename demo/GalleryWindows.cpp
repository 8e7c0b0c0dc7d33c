// The gallery's "Windows" page, Options dialog and long operation.
#include "demo/GalleryWindows.h"
#include "demo/GalleryWindowsResource.h"
#include "demo/PngWriter.h"
#include "demo/SampleData.h"
#include "datafiles/ProcessNote.h"
#include "datafiles/ReadText.h"
#include "dialogs/ExpandingDialog.h"
#include "dialogs/MCSplitterWnd.h"
#include "dialogs/TabWindow.h"
#include "grid/GridCtrl.h"
#include "platform/View.h"
#include <stdio.h>
#include <stdlib.h>
#include <vector>

namespace
{
const char* const kChannelNames[3] = {"Red", "Green", "Blue"};

double ChannelValue(int nRow, int nChannel)
{
    const RegionMeasurement& m = SampleRow(nRow);
    return nChannel == 0 ? m.dMeanRed : nChannel == 1 ? m.dMeanGreen : m.dMeanBlue;
}

class CWindowsPageFrame;
CWindowsPageFrame* g_pPage = nullptr;  // the open page, if any
int SelectedRegion();                  // sample row of the grid's focus, or -1

// The splitter of the page: the grid reports its selection to its parent,
// the splitter, which hands it on to the frame.
class CPageSplitter : public CMCSplitterWnd
{
protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        CWnd* pParent = GetParent();
        if (pParent)
            *pResult = pParent->SendMessage(WM_NOTIFY, wParam, lParam);
        return TRUE;
    }
};

// The selected region: a swatch of its mean colour and its measurements.
class CRegionPreviewView : public CView
{
    DECLARE_DYNCREATE(CRegionPreviewView)
public:
    void OnDraw(CDC* pDC) override
    {
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_WINDOW));
        const int nRow = SelectedRegion();
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        if (nRow < 0)
        {
            pDC->TextOut(10, 10, "Select a region in the grid.", 28);
            return;
        }
        const RegionMeasurement& m = SampleRow(nRow);
        CRect swatch(10, 10, 10 + 96, rc.bottom - 10);
        if (swatch.bottom < swatch.top + 20)
            swatch.bottom = swatch.top + 20;
        pDC->FillSolidRect(&swatch, RGB((int)m.dMeanRed, (int)m.dMeanGreen, (int)m.dMeanBlue));
        char line[128];
        int y = 12;
        snprintf(line, sizeof(line), "Region %d", m.nRegion);
        pDC->TextOut(118, y, line, (int)strlen(line));
        snprintf(line, sizeof(line), "Area %d px, perimeter %.1f px", m.nArea, m.dPerimeter);
        pDC->TextOut(118, y += 18, line, (int)strlen(line));
        snprintf(line, sizeof(line), "Mean colour %.0f, %.0f, %.0f", m.dMeanRed, m.dMeanGreen, m.dMeanBlue);
        pDC->TextOut(118, y += 18, line, (int)strlen(line));
        snprintf(line, sizeof(line), "Circularity %.3f", m.dCircularity);
        pDC->TextOut(118, y += 18, line, (int)strlen(line));
    }
};
IMPLEMENT_DYNCREATE(CRegionPreviewView, CView)

// One colour channel over all regions: a bar per region (the selected one
// outlined) and the channel's minimum, mean and maximum.
class CChannelStatsView : public CView
{
    DECLARE_DYNCREATE(CChannelStatsView)
public:
    static int s_nNextChannel;
    int m_nChannel;
    CChannelStatsView() : m_nChannel(s_nNextChannel) {}
    void OnDraw(CDC* pDC) override
    {
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_WINDOW));
        const int n = SampleRowCount();
        if (n == 0 || rc.Width() < 20 || rc.Height() < 40)
            return;
        double dMin = 1e9, dMax = -1e9, dSum = 0;
        for (int i = 0; i < n; ++i)
        {
            double v = ChannelValue(i, m_nChannel);
            dMin = v < dMin ? v : dMin;
            dMax = v > dMax ? v : dMax;
            dSum += v;
        }
        char line[128];
        snprintf(line, sizeof(line), "%s: min %.1f  mean %.1f  max %.1f", kChannelNames[m_nChannel], dMin,
                 dSum / n, dMax);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        pDC->TextOut(8, 6, line, (int)strlen(line));
        const COLORREF crBar = m_nChannel == 0 ? RGB(200, 50, 50) : m_nChannel == 1 ? RGB(50, 160, 60)
                                                                                  : RGB(50, 80, 210);
        const int top = 28, bottom = rc.bottom - 8;
        const int slot = (rc.Width() - 16) / n;
        const int nSel = SelectedRegion();
        for (int i = 0; i < n; ++i)
        {
            int h = (int)((bottom - top) * ChannelValue(i, m_nChannel) / 255.0);
            CRect bar(8 + i * slot + 1, bottom - h, 8 + (i + 1) * slot - 1, bottom);
            pDC->FillSolidRect(&bar, crBar);
            if (i == nSel)
            {
                bar.InflateRect(1, 1);
                HBRUSH hFrame = ::GetSysColorBrush(COLOR_WINDOWTEXT);
                ::FrameRect(pDC->GetSafeHdc(), &bar, hFrame);
            }
        }
    }
};
IMPLEMENT_DYNCREATE(CChannelStatsView, CView)
int CChannelStatsView::s_nNextChannel = 0;

// Holds the tab window and, over its display area, one statistics view per
// channel.
class CChannelTabsView : public CView
{
    DECLARE_DYNCREATE(CChannelTabsView)
public:
    CTabWindow m_tabs;
    void OnDraw(CDC*) override {}

protected:
    // The tab control and the views are children: this view paints around them.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override
    {
        cs.style |= WS_CLIPCHILDREN;
        return CView::PreCreateWindow(cs);
    }
    int OnCreate(LPCREATESTRUCTA cs) override
    {
        if (CView::OnCreate(cs) == -1)
            return -1;
        if (!m_tabs.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(0, 0, 10, 10), this, 1))
            return -1;
        m_tabs.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
        for (int i = 0; i < 3; ++i)
        {
            CChannelStatsView::s_nNextChannel = i;
            if (!m_tabs.AddTabView(RUNTIME_CLASS(CChannelStatsView), this, i, kChannelNames[i]))
                return -1;
        }
        m_tabs.SetCurSel(0);
        m_tabs.ShowSelTabView();
        return 0;
    }
    // Also the tab window's request to lay out again (WM_SIZE 0, 0).
    void OnSize(UINT nType, int cx, int cy) override
    {
        CView::OnSize(nType, cx, cy);
        if (!m_tabs.m_hWnd)
            return;
        CRect rc;
        GetClientRect(&rc);
        rc.DeflateRect(4, 4);
        m_tabs.MoveTabView(rc);
    }
    BOOL OnEraseBkgnd(CDC* pDC) override
    {
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
        return TRUE;
    }
};
IMPLEMENT_DYNCREATE(CChannelTabsView, CView)

// The sample grid in the left pane.
class CPageGrid : public CVXGridCtrl
{
public:
    BOOL Make(CWnd* pParent, UINT nID)
    {
        const int cols[] = {SC_REGION, SC_AREA, SC_RED, SC_GREEN, SC_BLUE};
        const int nCols = (int)(sizeof(cols) / sizeof(cols[0]));
        SetRowCount(SampleRowCount() + 1);
        SetColumnCount(nCols);
        SetFixedRowCount(1);
        char text[64];
        for (int c = 0; c < nCols; ++c)
        {
            SetItemText(0, c, SampleColumnTitle(cols[c]));
            SetItemFormat(0, c, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            for (int r = 0; r < SampleRowCount(); ++r)
            {
                SampleCellText(r, cols[c], text, sizeof(text));
                SetItemText(r + 1, c, text);
                SetItemFormat(r + 1, c, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
            }
        }
        SetListMode(TRUE);
        SetEditable(FALSE);
        if (!Create(CRect(0, 0, 10, 10), pParent, nID, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER))
            return FALSE;
        static const int widths[] = {52, 54, 70, 78, 72};
        for (int c = 0; c < nCols; ++c)
            SetColumnWidth(c, widths[c]);
        return TRUE;
    }
};

class CWindowsPageFrame : public CFrameWnd
{
public:
    CPageSplitter m_split;
    CSplitterWnd m_right;
    CPageGrid m_grid;

    ~CWindowsPageFrame() override
    {
        if (g_pPage == this)
            g_pPage = nullptr;
    }

    void SelectRow(int nRow)
    {
        m_grid.SetFocusCell(nRow, 0);
        m_grid.SetSelectedRange(nRow, 0, nRow, m_grid.GetColumnCount() - 1, TRUE);
        OnSelectionChanged();
    }
    void OnSelectionChanged()
    {
        if (CWnd* pPreview = m_right.GetPane(0, 0))
            pPreview->Invalidate();
        if (CChannelTabsView* pTabs = (CChannelTabsView*)m_right.GetPane(1, 0))
            for (int i = 0; i < pTabs->m_tabs.GetItemCount(); ++i)
                pTabs->m_tabs.GetTabView(i)->Invalidate();
    }
    CTabWindow* Tabs()
    {
        CWnd* p = m_right.GetPane(1, 0);
        return p ? &((CChannelTabsView*)p)->m_tabs : nullptr;
    }

    void OnLock()
    {
        m_split.SetResizable(m_split.m_bResizable == 1 ? FALSE : TRUE);
        SetWindowText(m_split.m_bResizable == 1 ? "Windows" : "Windows (splitter locked)");
    }
    void OnUpdateLock(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_split.m_bResizable == 1 ? 0 : 1); }
    void OnClosePage() { PostMessage(WM_CLOSE); }

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override
    {
        static const CCmdEntry<CWindowsPageFrame> table[] = {
            {ID_WINDOWS_LOCK, ID_WINDOWS_LOCK, &CWindowsPageFrame::OnLock, &CWindowsPageFrame::OnUpdateLock},
            {ID_WINDOWS_CLOSE, ID_WINDOWS_CLOSE, &CWindowsPageFrame::OnClosePage, nullptr},
        };
        if (DispatchCmdMsg(this, table, id, code, extra, info))
            return TRUE;
        // Options and the long operation are the main frame's commands.
        if (id == ID_CONTROLS_OPTIONS || id == ID_CONTROLS_LONG_OPERATION)
            return GalleryWindowsOnCmdMsg(this, id, code, extra, info);
        return CFrameWnd::OnCmdMsg(id, code, extra, info);
    }

protected:
    BOOL OnCreateClient(LPCREATESTRUCTA, CCreateContext* pContext) override
    {
        if (!m_split.CreateStatic(this, 1, 2))
            return FALSE;
        if (!m_grid.Make(&m_split, m_split.IdFromRowCol(0, 0)))
            return FALSE;
        m_split.SetColumnInfo(0, 350, 60);
        if (!m_right.CreateStatic(&m_split, 2, 1, WS_CHILD | WS_VISIBLE, m_split.IdFromRowCol(0, 1)))
            return FALSE;
        if (!m_right.CreateView(0, 0, RUNTIME_CLASS(CRegionPreviewView), CSize(0, 110), pContext) ||
            !m_right.CreateView(1, 0, RUNTIME_CLASS(CChannelTabsView), CSize(0, 0), pContext))
            return FALSE;
        m_right.SetRowInfo(0, 110, 40);
        // Sizes set after the panes exist take effect at the next layout.
        m_split.RecalcLayout();
        m_right.RecalcLayout();
        return TRUE;
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const NMHDR* pHdr = (const NMHDR*)lParam;
        if (pHdr && pHdr->hwndFrom == m_grid.m_hWnd && pHdr->code == (UINT)GRIDN_SELCHANGED)
            OnSelectionChanged();
        return CFrameWnd::OnNotify(wParam, lParam, pResult);
    }
};

int SelectedRegion()
{
    if (!g_pPage || !g_pPage->m_grid.m_hWnd)
        return -1;
    const int nRow = g_pPage->m_grid.GetFocusCell().row - 1;
    return nRow >= 0 && nRow < SampleRowCount() ? nRow : -1;
}

CWindowsPageFrame* OpenWindowsPage()
{
    if (g_pPage)
    {
        g_pPage->ActivateFrame();
        return g_pPage;
    }
    auto* pFrame = new CWindowsPageFrame;
    CCreateContext context;
    if (!pFrame->Create(nullptr, "Windows", WS_OVERLAPPEDWINDOW, CRect(40, 40, 40 + 760, 40 + 460), nullptr,
                        MAKEINTRESOURCEA(IDR_WINDOWS_PAGE), 0, nullptr, &context))
        return nullptr;
    g_pPage = pFrame;
    pFrame->InitialUpdateFrame();
    pFrame->SelectRow(1);
    return pFrame;
}

// The Options dialog: decimals and the colour column always; the text-file
// settings behind "More >>".
class COptionsDialog : public CExpandingDialog
{
public:
    explicit COptionsDialog(CWnd* pParent)
        : CExpandingDialog(IDD_GALLERY_OPTIONS, pParent, IDC_OPT_MARKER, IDC_OPT_MORE, "More >>", "<< Less", TRUE)
    {
    }
    int m_nDecimals = 2;
    int m_bColours = TRUE;
    int m_bHeader = TRUE;
    int m_nFont = 9;

protected:
    BOOL OnInitDialog() override
    {
        CExpandingDialog::OnInitDialog();
        HWND hSep = ::GetDlgItem(m_hWnd, IDC_OPT_SEPARATOR);
        for (const char* s : {"Tab", "Comma", "Semicolon", "Space"})
            ::SendMessageA(hSep, CB_ADDSTRING, 0, (LPARAM)s);
        ::SendMessageA(hSep, CB_SETCURSEL, 0, 0);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_OPT_DECIMALS, m_nDecimals);
        DDX_Check(pDX, IDC_OPT_COLOURS, m_bColours);
        DDX_Check(pDX, IDC_OPT_HEADER, m_bHeader);
        DDX_Text(pDX, IDC_OPT_FONT, m_nFont);
    }
};

// Generates a tab-separated table of nRows rows in a temporary file, loads
// it with CReadText and reports every step in the note window. bWait: the
// note window stays until the user closes it.
void RunLongOperation(CWnd* pParent, bool bWait, HWND* phNoteOut = nullptr)
{
    HWND hNote = cmCreateProcessNoteWnd(pParent ? pParent->m_hWnd : nullptr, "Loading a large table");
    char path[MAX_PATH + 32];
    char dir[MAX_PATH];
    ::GetTempPathA(sizeof(dir), dir);
    snprintf(path, sizeof(path), "%skvVXGallery_table.txt", dir);
    const int kRows = 30000, kCols = 8;
    char note[256];
    snprintf(note, sizeof(note), "Writing %d rows of %d columns to %s", kRows, kCols, path);
    cmSetPrpocessNote(hNote, note);
    FILE* f = fopen(path, "wb");
    if (!f)
    {
        cmSetPrpocessNote(hNote, "The file cannot be written.");
    }
    else
    {
        for (int r = 0; r < kRows; ++r)
        {
            const RegionMeasurement& m = SampleRow(r % SampleRowCount());
            fprintf(f, "%d\t%d\t%.2f\t%.2f\t%.2f\t%.2f\t%.3f\t%.1f\t\r\n", r + 1, m.nArea + r % 97, m.dMeanRed,
                    m.dMeanGreen, m.dMeanBlue, m.dPerimeter, m.dCircularity, m.dCentroidX);
            if ((r + 1) % 5000 == 0)
            {
                snprintf(note, sizeof(note), "  %d rows written", r + 1);
                cmSetPrpocessNote(hNote, note);
            }
        }
        fclose(f);
        cmSetPrpocessNote(hNote, "Reading the table with the delimited text reader ...");
        CReadText reader;
        tagBaseTextFormatStrcT fmt = {};
        fmt.sep.bTab = 1;
        fmt.nStartCol = 1;
        fmt.nStartLine = 1;
        fmt.nColCount = kCols;
        short nRead = 0;
        if (reader.BeginReadText(path, fmt, kCols, nRead) != 1)
            cmSetPrpocessNote(hNote, "The table could not be read.");
        else
        {
            snprintf(note, sizeof(note), "  %d rows read", nRead);
            cmSetPrpocessNote(hNote, note);
            double dSum = 0;
            char cell[256];
            for (short r = 0; r < nRead; ++r)
            {
                if (reader.GetTextData(r, 1, cell) == 1)
                    dSum += atof(cell);
                if ((r + 1) % 10000 == 0)
                {
                    snprintf(note, sizeof(note), "  %d rows summed", r + 1);
                    cmSetPrpocessNote(hNote, note);
                }
            }
            snprintf(note, sizeof(note), "Mean area over %d rows: %.1f px", nRead, nRead ? dSum / nRead : 0.0);
            cmSetPrpocessNote(hNote, note);
            reader.EndReadText();
        }
        remove(path);
    }
    cmSetPrpocessNote(hNote, bWait ? "Done. Close this window to go on." : "Done.");
    if (phNoteOut)
    {
        *phNoteOut = hNote;  // the caller closes it
        return;
    }
    cmDestroyProcessNoteWnd(hNote, bWait ? 0 : 1);
}

// Copies the screen area of rc into pixels (0x00RRGGBB) and draws the
// captions of the given windows the way the system draws them, for a
// display without a window manager.
bool CaptureScreen(const CRect& rc, const std::vector<HWND>& windows, std::vector<uint32_t>& pixels)
{
    CBitmap bmp;
    DWORD* bits = nullptr;
    if (!bmp.CreateDIBSection32(rc.Width(), rc.Height(), (void**)&bits))
        return false;
    CDC mem;
    if (!mem.CreateCompatibleDC(nullptr))
        return false;
    CBitmap* pOld = mem.SelectObject(&bmp);
    HDC hScreen = ::GetDC(nullptr);
    ::BitBlt(mem.m_hDC, 0, 0, rc.Width(), rc.Height(), hScreen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(nullptr, hScreen);
    for (HWND hWnd : windows)
    {
        TITLEBARINFO tbi = {};
        tbi.cbSize = sizeof(tbi);
        if (::IsWindowVisible(hWnd) && ::GetTitleBarInfo(hWnd, &tbi))
        {
            // The whole caption bar, system-menu area included.
            CRect rcWindow;
            ::GetWindowRect(hWnd, &rcWindow);
            CRect rcCaption(tbi.rcTitleBar);
            rcCaption.left = rcWindow.left + (rcCaption.top - rcWindow.top);
            rcCaption.OffsetRect(-rc.left, -rc.top);
            ::DrawCaption(hWnd, mem.m_hDC, &rcCaption, DC_ACTIVE | DC_TEXT | DC_ICON | DC_GRADIENT);
        }
    }
    ::GdiFlush();
    pixels.assign(bits, bits + (size_t)rc.Width() * rc.Height());
    for (uint32_t& p : pixels)
        p &= 0x00FFFFFF;
    mem.SelectObject(pOld);
    return true;
}

void Pump(DWORD ms)
{
    DWORD end = ::GetTickCount() + ms;
    do
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    } while ((LONG)(::GetTickCount() - end) < 0);
}
}  // namespace

BOOL GalleryWindowsOnCmdMsg(CWnd* pMainFrame, UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo)
{
    if (nID != ID_CONTROLS_WINDOWS && nID != ID_CONTROLS_OPTIONS && nID != ID_CONTROLS_LONG_OPERATION)
        return FALSE;
    if (nCode == CN_UPDATE_COMMAND_UI)
    {
        ((CCmdUI*)pExtra)->Enable(TRUE);
        return TRUE;
    }
    if (nCode != CN_COMMAND)
        return FALSE;
    if (pInfo)
        return TRUE;  // a handler exists
    if (nID == ID_CONTROLS_WINDOWS)
        OpenWindowsPage();
    else if (nID == ID_CONTROLS_OPTIONS)
    {
        COptionsDialog dlg(pMainFrame);
        dlg.DoModal();
    }
    else
        RunLongOperation(pMainFrame, true);
    return TRUE;
}

int GalleryWindowsScreenshot(CWnd* pMainFrame, const std::string& path)
{
    // The picture shows these windows only.
    if (pMainFrame)
        pMainFrame->ShowWindow(SW_HIDE);
    CWindowsPageFrame* pPage = OpenWindowsPage();
    if (!pPage)
        return 3;
    pPage->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    // Used as a user would: a click on the fourth region's row, a click on
    // the Green tab, the splitter locked from the View menu's command.
    CRect rcCell;
    if (pPage->m_grid.GetCellRect(4, 1, &rcCell))
    {
        CPoint pt = rcCell.CenterPoint();
        pPage->m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        pPage->m_grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    CTabWindow* pTabs = pPage->Tabs();
    CRect rcTab;
    if (pTabs && pTabs->GetItemRect(1, &rcTab))
    {
        CPoint pt = rcTab.CenterPoint();
        pTabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        pTabs->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    pPage->SendMessage(WM_COMMAND, ID_WINDOWS_LOCK, 0);
    if (SelectedRegion() != 3 || !pTabs || pTabs->GetCurSel() != 1 ||
        !::IsWindowVisible(pTabs->GetTabView(1)->m_hWnd) || ::IsWindowVisible(pTabs->GetTabView(0)->m_hWnd) ||
        pPage->m_split.m_bResizable == 1)
    {
        fprintf(stderr, "kvVXGallery: the Windows page did not follow its clicks\n");
        return 3;
    }

    // The Options dialog, expanded with its button, beside the page.
    COptionsDialog options(pPage);
    if (!options.Create(IDD_GALLERY_OPTIONS, pPage))
        return 3;
    CRect rcPage;
    pPage->GetWindowRect(&rcPage);
    options.SetWindowPos(nullptr, rcPage.right + 10, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    options.ShowWindow(SW_SHOWNOACTIVATE);
    ::SendMessageA(::GetDlgItem(options.m_hWnd, IDC_OPT_MORE), BM_CLICK, 0, 0);
    if (!options.IsExpanded())
    {
        fprintf(stderr, "kvVXGallery: the Options dialog did not expand\n");
        return 3;
    }

    // The long operation, its note window left open below the dialog.
    HWND hNote = nullptr;
    RunLongOperation(pPage, false, &hNote);
    if (!hNote)
        return 3;
    CRect rcOptions;
    options.GetWindowRect(&rcOptions);
    ::SetWindowPos(hNote, nullptr, rcOptions.left, rcOptions.bottom + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump(400);
    CRect rcNote;
    ::GetWindowRect(hNote, &rcNote);
    CRect rcAll(0, 0, std::max(rcOptions.right, rcNote.right), std::max(rcPage.bottom, rcNote.bottom));
    std::vector<uint32_t> pixels;
    int nResult = 0;
    if (!CaptureScreen(rcAll, {pPage->m_hWnd, options.m_hWnd, hNote}, pixels) ||
        !WritePngRgb(path, rcAll.Width(), rcAll.Height(), pixels))
    {
        fprintf(stderr, "kvVXGallery: cannot write the screenshot to %s\n", path.c_str());
        nResult = 1;
    }
    else
        printf("kvVXGallery: screenshot written to %s (%d x %d)\n", path.c_str(), rcAll.Width(), rcAll.Height());
    fflush(stdout);
    cmDestroyProcessNoteWnd(hNote, 1);
    options.DestroyWindow();
    pPage->DestroyWindow();
    return nResult;
}
