// CFrameWnd::SaveBarState / LoadBarState: the docking layout of a frame's
// bars in the application profile.
//
// Sections: "<profile>-Summary" with "Bars" (the number of bar sections),
// and "<profile>-Bar<n>" for n = 0 .. Bars-1 with "BarID", "Visible",
// "DockBarID" (the dock bar's id; the floating one for a floating bar),
// "Row" (0-based among the side's rows), "Pos" (leading coordinate in the
// dock bar), "FloatX"/"FloatY" (the floating frame's corner, screen) and
// "MRUDockID" (the side a floating bar docks back to).
// Loading skips whatever does not fit the frame as it is now: ids of bars
// that no longer exist, unknown sides, rows or positions out of range, and
// floating corners on no screen; those bars keep their current place.
#include "platform/ControlBar.h"
#include "platform/DockContext.h"
#include "platform/MiniFrameWnd.h"
#include "platform/WinApp.h"
#include <stdio.h>
#include <algorithm>
#include <vector>

// int-typed min (the Win32 headers' macros are off; LONG and int fields mix
// here).
static inline int KvMin(int a, int b) { return a < b ? a : b; }


namespace
{
const int kMaxBars = 1024;
const int kMaxRow = 1024;
const int kMaxPos = 32767;

void BarSection(char* sz, size_t cch, LPCSTR lpszProfileName, int n)
{
    // Bounded whatever the profile name's length.
    char szSuffix[24];
    snprintf(szSuffix, sizeof(szSuffix), "-Bar%d", n);
    int nRoom = (int)(cch - strlen(szSuffix) - 1);
    snprintf(sz, cch, "%.*s%s", nRoom > 0 ? nRoom : 0, lpszProfileName ? lpszProfileName : "", szSuffix);
}

void SummarySection(char* sz, size_t cch, LPCSTR lpszProfileName)
{
    int nRoom = (int)(cch - sizeof("-Summary"));
    snprintf(sz, cch, "%.*s-Summary", nRoom > 0 ? nRoom : 0, lpszProfileName ? lpszProfileName : "");
}

struct BarEntry
{
    CControlBar* pBar;
    UINT nDockBarID;
    int nRow;
    int nPos;
    BOOL bVisible;
    CPoint ptFloat;
    UINT nMRUDockID;
};
}  // namespace

void CFrameWnd::SaveBarState(LPCSTR lpszProfileName) const
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    char szSection[256];
    int n = 0;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->IsDockBar() || !pBar->m_hWnd || !pBar->m_pDockBar)
            continue;
        int nID = pBar->GetDlgCtrlID();
        if (nID <= 0 || nID > 0xFFFF)
            continue;
        CDockBar* pDock = pBar->m_pDockBar;
        BarSection(szSection, sizeof(szSection), lpszProfileName, n++);
        pApp->WriteProfileInt(szSection, "BarID", nID);
        pApp->WriteProfileInt(szSection, "Visible", pBar->IsVisible() ? 1 : 0);
        if (pDock->m_bFloating)
        {
            CRect rc;
            CWnd* pFrame = pDock->GetParent();
            (pFrame ? pFrame : pBar)->GetWindowRect(&rc);
            pApp->WriteProfileInt(szSection, "DockBarID", AFX_IDW_DOCKBAR_FLOAT);
            pApp->WriteProfileInt(szSection, "FloatX", rc.left);
            pApp->WriteProfileInt(szSection, "FloatY", rc.top);
            pApp->WriteProfileInt(szSection, "MRUDockID",
                                  pBar->m_pDockContext ? (int)pBar->m_pDockContext->m_uMRUDockID : 0);
        }
        else
        {
            CRect rc;
            pBar->GetWindowRect(&rc);
            pDock->ScreenToClient(&rc);
            pApp->WriteProfileInt(szSection, "DockBarID", pDock->GetDlgCtrlID());
            pApp->WriteProfileInt(szSection, "Row", pDock->GetRowOfIndex(pDock->FindBar(pBar)));
            pApp->WriteProfileInt(szSection, "Pos", pDock->IsHorz() ? rc.left : rc.top);
        }
    }
    SummarySection(szSection, sizeof(szSection), lpszProfileName);
    pApp->WriteProfileInt(szSection, "Bars", n);
}

void CFrameWnd::LoadBarState(LPCSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !m_hWnd)
        return;
    char szSection[256];
    SummarySection(szSection, sizeof(szSection), lpszProfileName);
    int nBars = (int)pApp->GetProfileInt(szSection, "Bars", 0);
    if (nBars <= 0)
        return;
    nBars = KvMin(nBars, kMaxBars);

    std::vector<BarEntry> entries;
    for (int i = 0; i < nBars; ++i)
    {
        BarSection(szSection, sizeof(szSection), lpszProfileName, i);
        BarEntry e = {};
        UINT nID = pApp->GetProfileInt(szSection, "BarID", 0);
        e.pBar = (nID && nID <= 0xFFFF) ? GetControlBar(nID) : nullptr;
        if (!e.pBar || e.pBar->IsDockBar())
            continue;  // no such bar any more
        bool bDuplicate = false;
        for (const BarEntry& o : entries)
            bDuplicate = bDuplicate || o.pBar == e.pBar;
        if (bDuplicate)
            continue;
        e.nDockBarID = pApp->GetProfileInt(szSection, "DockBarID", 0);
        e.bVisible = pApp->GetProfileInt(szSection, "Visible", 1) != 0;
        if (e.nDockBarID == AFX_IDW_DOCKBAR_FLOAT)
        {
            e.ptFloat.x = (int)pApp->GetProfileInt(szSection, "FloatX", 0x7FFFFFFF);
            e.ptFloat.y = (int)pApp->GetProfileInt(szSection, "FloatY", 0x7FFFFFFF);
            e.nMRUDockID = pApp->GetProfileInt(szSection, "MRUDockID", 0);
            // The caption's corner must be on some screen, or the user
            // could never reach the frame again.
            POINT pt = {e.ptFloat.x + 8, e.ptFloat.y + 8};
            if (!::MonitorFromPoint(pt, MONITOR_DEFAULTTONULL))
                continue;
        }
        else
        {
            CControlBar* pDock = GetControlBar(e.nDockBarID);
            if (e.nDockBarID < AFX_IDW_DOCKBAR_TOP || e.nDockBarID > AFX_IDW_DOCKBAR_BOTTOM || !pDock ||
                !pDock->IsDockBar())
                continue;  // unknown side, or one this frame does not offer
            e.nRow = (int)pApp->GetProfileInt(szSection, "Row", 0);
            e.nPos = (int)pApp->GetProfileInt(szSection, "Pos", 0);
            if (e.nRow < 0 || e.nRow > kMaxRow || e.nPos < -2 || e.nPos > kMaxPos)
                continue;
        }
        entries.push_back(e);
    }

    // Docked bars: per side, in saved row order, each row rebuilt from the
    // saved bars after the rows of the bars the state does not mention.
    static const UINT kSides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                  AFX_IDW_DOCKBAR_RIGHT};
    for (UINT nSide : kSides)
    {
        std::vector<BarEntry> side;
        for (const BarEntry& e : entries)
            if (e.nDockBarID == nSide)
                side.push_back(e);
        if (side.empty())
            continue;
        CDockBar* pDock = static_cast<CDockBar*>(GetControlBar(nSide));
        std::stable_sort(side.begin(), side.end(), [](const BarEntry& a, const BarEntry& b) {
            return a.nRow != b.nRow ? a.nRow < b.nRow : a.nPos < b.nPos;
        });
        for (const BarEntry& e : side)
        {
            // Into the side first (out of any floating frame), then out of
            // its own row so the rows can be laid down again.
            DockControlBar(e.pBar, pDock, nullptr);
            pDock->RemoveControlBar(e.pBar);
        }
        int nLastRow = -1;
        for (const BarEntry& e : side)
        {
            if (e.nRow != nLastRow && nLastRow != -1)
                pDock->m_arrBars.Add(nullptr);
            nLastRow = e.nRow;
            pDock->m_arrBars.Add(e.pBar);
            BOOL bHorz = pDock->IsHorz();
            e.pBar->SetWindowPos(nullptr, bHorz ? e.nPos : 0, bHorz ? 0 : e.nPos, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        pDock->m_arrBars.Add(nullptr);
    }

    for (const BarEntry& e : entries)
    {
        if (e.nDockBarID == AFX_IDW_DOCKBAR_FLOAT)
        {
            FloatControlBar(e.pBar, e.ptFloat, e.pBar->GetBarStyle());
            if (e.pBar->m_pDockContext && e.nMRUDockID >= AFX_IDW_DOCKBAR_TOP &&
                e.nMRUDockID <= AFX_IDW_DOCKBAR_BOTTOM)
                e.pBar->m_pDockContext->m_uMRUDockID = e.nMRUDockID;
        }
    }
    for (const BarEntry& e : entries)
        ShowControlBar(e.pBar, e.bVisible, FALSE);
    RecalcLayout();
}
