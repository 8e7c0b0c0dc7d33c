// The gallery's docked bars (see GalleryDocking.h).
#include "demo/GalleryDocking.h"
#include "demo/GalleryResource.h"
#include "platform/WinApp.h"
#include <string>

namespace
{
const char kProfile[] = "GalleryBars";

// Grid settings: one check box per Grid menu command. A click sends the
// command to the frame like the menu item would; the idle update keeps each
// box in step with the grid.
class CSettingsBarImpl : public CSizingControlBarG
{
public:
    CGalleryBars* m_pOwner = nullptr;

protected:
    int OnCreate(LPCREATESTRUCTA cs) override
    {
        if (CSizingControlBarG::OnCreate(cs) == -1)
            return -1;
        static const struct
        {
            UINT nID;
            const char* pszText;
        } boxes[] = {
            {ID_GRID_LISTMODE, "List mode (sorting)"},
            {ID_GRID_SINGLEROW, "Single-row selection"},
            {ID_GRID_EDITABLE, "Editable cells"},
            {ID_GRID_RESIZE, "Resizable rows, columns"},
        };
        HFONT hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
        for (const auto& b : boxes)
        {
            HWND h = ::CreateWindowExA(0, "BUTTON", b.pszText, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                                       0, 0, 10, 10, m_hWnd, (HMENU)(UINT_PTR)b.nID, nullptr, nullptr);
            ::SendMessageA(h, WM_SETFONT, (WPARAM)hFont, FALSE);
        }
        return 0;
    }
    void OnSize(UINT nType, int cx, int cy) override
    {
        CSizingControlBarG::OnSize(nType, cx, cy);
        int y = 4;
        for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT), y += 22)
            ::MoveWindow(h, 6, y, cx > 12 ? cx - 12 : 0, 20, TRUE);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == BN_CLICKED && lParam && m_pDockSite)
        {
            // The box flipped itself; the command flips the grid, and the
            // idle update sets the box from the grid's real state.
            m_pDockSite->SendMessage(WM_COMMAND, MAKEWPARAM(LOWORD(wParam), 0), 0);
            char szText[64] = "";
            ::GetWindowTextA((HWND)lParam, szText, sizeof(szText));
            if (m_pOwner)
                m_pOwner->Log((std::string("Grid setting changed: ") + szText).c_str());
            return TRUE;
        }
        return CSizingControlBarG::OnCommand(wParam, lParam);
    }
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
    {
        CSizingControlBarG::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
        UpdateDialogControls(pTarget, FALSE);
    }
};

// A bar filled by one child control.
class CChildBar : public CSizingControlBarG
{
public:
    LPCSTR m_pszClass = "EDIT";
    DWORD m_dwChildStyle = 0;
    LPCSTR m_pszText = "";
    HWND m_hChild = nullptr;

protected:
    int OnCreate(LPCREATESTRUCTA cs) override
    {
        if (CSizingControlBarG::OnCreate(cs) == -1)
            return -1;
        SetSCBStyle(GetSCBStyle() | SCB_FIT_CHILD);
        m_hChild = ::CreateWindowExA(WS_EX_CLIENTEDGE, m_pszClass, m_pszText, WS_CHILD | WS_VISIBLE | m_dwChildStyle,
                                     0, 0, 10, 10, m_hWnd, (HMENU)1, nullptr, nullptr);
        ::SendMessageA(m_hChild, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
        return m_hChild ? 0 : -1;
    }
};
}  // namespace

class CSettingsBar : public CSettingsBarImpl
{
};
class CLogBar : public CChildBar
{
};
class CNotesBar : public CChildBar
{
};

CGalleryBars::CGalleryBars() : m_pSettings(new CSettingsBar), m_pLog(new CLogBar), m_pNotes(new CNotesBar)
{
}

CGalleryBars::~CGalleryBars()
{
    delete m_pSettings;
    delete m_pLog;
    delete m_pNotes;
}

BOOL CGalleryBars::Create(CFrameWnd* pFrame, BOOL bDefaultLayout)
{
    m_pFrame = pFrame;
    m_bDefaultLayout = bDefaultLayout;
    m_pSettings->m_pOwner = this;
    m_pLog->m_dwChildStyle = ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL;
    m_pNotes->m_pszClass = "STATIC";
    m_pNotes->m_pszText = " Drag a bar by its gripper to another side; hold Ctrl to keep it floating. "
                          "Double-click a bar to float or dock it. Drag an edge to resize. "
                          "The View menu brings back closed bars.";
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    DWORD dwStyle = WS_CHILD | WS_VISIBLE;
    if (!m_pSettings->Create("Grid settings", pFrame, CSize(180, 120), TRUE, IDW_BAR_SETTINGS, dwStyle | CBRS_LEFT) ||
        !m_pLog->Create("Log", pFrame, CSize(200, 90), TRUE, IDW_BAR_LOG, dwStyle | CBRS_BOTTOM) ||
        !m_pNotes->Create("Docking", pFrame, CSize(230, 110), TRUE, IDW_BAR_NOTES, dwStyle | CBRS_RIGHT))
        return FALSE;
    for (CSizingControlBar* p : {(CSizingControlBar*)m_pSettings, (CSizingControlBar*)m_pLog, (CSizingControlBar*)m_pNotes})
        p->EnableDocking(CBRS_ALIGN_ANY);
    if (!bDefaultLayout)
        CSizingControlBar::GlobalLoadState(pFrame, kProfile);
    DefaultLayout();
    if (!bDefaultLayout)
        pFrame->LoadBarState(kProfile);
    Log("Bars ready: drag them by their grippers, close them with the x, reopen them from the View menu.");
    return TRUE;
}

void CGalleryBars::DefaultLayout()
{
    m_pFrame->DockControlBar(m_pSettings, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->DockControlBar(m_pLog, AFX_IDW_DOCKBAR_BOTTOM);
    CRect rc;
    m_pFrame->GetWindowRect(&rc);
    // Floating over the lower right of the main window.
    m_pFrame->FloatControlBar(m_pNotes, CPoint(rc.right - 280, rc.bottom - 270));
    for (CSizingControlBar* p : {(CSizingControlBar*)m_pSettings, (CSizingControlBar*)m_pLog, (CSizingControlBar*)m_pNotes})
        m_pFrame->ShowControlBar(p, TRUE, FALSE);
}

void CGalleryBars::SaveLayout()
{
    if (m_bDefaultLayout || !m_pFrame || !m_pFrame->m_hWnd)
        return;
    m_pFrame->SaveBarState(kProfile);
    CSizingControlBar::GlobalSaveState(m_pFrame, kProfile);
}

void CGalleryBars::Log(LPCSTR lpszLine)
{
    HWND hEdit = m_pLog->m_hChild;
    if (!hEdit)
        return;
    int n = ::GetWindowTextLengthA(hEdit);
    ::SendMessageA(hEdit, EM_SETSEL, n, n);
    std::string line = std::string(n ? "\r\n" : "") + lpszLine;
    ::SendMessageA(hEdit, EM_REPLACESEL, FALSE, (LPARAM)line.c_str());
}

CSizingControlBar* CGalleryBars::BarForCommand(UINT nID) const
{
    switch (nID)
    {
    case ID_VIEW_BAR_SETTINGS: return m_pSettings;
    case ID_VIEW_BAR_LOG: return m_pLog;
    case ID_VIEW_BAR_NOTES: return m_pNotes;
    default: return nullptr;
    }
}

void CGalleryBars::OnViewBar(UINT nID)
{
    if (nID == ID_VIEW_BAR_RESET)
    {
        DefaultLayout();
        Log("Layout reset.");
        return;
    }
    CSizingControlBar* pBar = BarForCommand(nID);
    if (!pBar)
        return;
    BOOL bShow = !pBar->IsVisible();
    m_pFrame->ShowControlBar(pBar, bShow, FALSE);
    char szText[64] = "";
    pBar->GetWindowText(szText, sizeof(szText));
    Log((std::string(bShow ? "Shown: " : "Hidden: ") + szText).c_str());
}

void CGalleryBars::OnUpdateViewBar(CCmdUI* pCmdUI)
{
    CSizingControlBar* pBar = BarForCommand(pCmdUI->m_nID);
    pCmdUI->Enable(TRUE);
    if (pBar)
        pCmdUI->SetCheck(pBar->IsVisible() ? 1 : 0);
}

BOOL CGalleryBars::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID < ID_VIEW_BAR_SETTINGS || nID > ID_VIEW_BAR_RESET || !m_pFrame)
        return FALSE;
    if (nCode != CN_COMMAND && nCode != CN_UPDATE_COMMAND_UI)
        return FALSE;
    if (pHandlerInfo)
    {
        pHandlerInfo->pTarget = m_pFrame;
        return TRUE;
    }
    if (nCode == CN_COMMAND)
        OnViewBar(nID);
    else
        OnUpdateViewBar(static_cast<CCmdUI*>(pExtra));
    return TRUE;
}

void CGalleryBars::PaintFloating(CDC* pDC, const CRect& rcFrame)
{
    POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition();
    while (pos)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos));
        if (pBar->IsDockBar() || !pBar->IsFloating() || !pBar->IsWindowVisible())
            continue;
        CFrameWnd* pMini = pBar->GetParentFrame();
        CRect rc, rcHit;
        pMini->GetWindowRect(&rc);
        if (!rcHit.IntersectRect(&rc, &rcFrame))
            continue;
        // Its surface (client area and bar), then its frame and caption the
        // way the system draws them (no window manager draws them here).
        CWindowDC wdc(pMini);
        int x = rc.left - rcFrame.left, y = rc.top - rcFrame.top;
        CRect rcAll(x, y, x + rc.Width(), y + rc.Height());
        pDC->FillSolidRect(&rcAll, ::GetSysColor(COLOR_BTNFACE));
        pDC->DrawEdge(&rcAll, EDGE_RAISED, BF_RECT);
        CRect rcClient;
        pMini->GetClientRect(&rcClient);
        pMini->ClientToScreen(&rcClient);
        pDC->BitBlt(rcClient.left - rcFrame.left, rcClient.top - rcFrame.top, rcClient.Width(), rcClient.Height(),
                    &wdc, rcClient.left - rc.left, rcClient.top - rc.top, SRCCOPY);
        TITLEBARINFO tbi = {};
        tbi.cbSize = sizeof(tbi);
        if (::GetTitleBarInfo(pMini->m_hWnd, &tbi))
        {
            CRect rcCaption(tbi.rcTitleBar);
            rcCaption.OffsetRect(-rcFrame.left, -rcFrame.top);
            ::DrawCaption(pMini->m_hWnd, pDC->m_hDC, &rcCaption, DC_ACTIVE | DC_TEXT | DC_SMALLCAP);
        }
    }
}
