// The gallery's drag-and-drop page: "Regions kept" and "Regions set aside",
// two grids of the sample regions side by side. Select a row (click its
// number), then press on one of its cells other than the focused one and
// drag it over the other grid: it is dropped from the cell under the
// pointer, and the source row is emptied (hold Ctrl before releasing to
// copy instead). Cell texts go through the clipboard too (Ctrl+C, Ctrl+X,
// Ctrl+V).
#include "platform/Win32.h"
#include "demo/GalleryDragGrids.h"
#include "demo/SampleData.h"
#include "grid/GridCtrl.h"

#include <stdio.h>

namespace
{

class CRegionListGrid : public CVXGridCtrl
{
public:
    // Rows for the sample regions from nFirst on, nCount of them, and as
    // many empty rows as there are sample regions to drop into.
    BOOL CreateList(CWnd* pParent, UINT nID, const char* pszTitle, int nFirst, int nCount)
    {
        const int nRows = SampleRowCount();
        SetRowCount(nRows + 1);
        SetColumnCount(4);
        SetFixedRowCount(1);
        SetFixedColumnCount(1);
        SetItemText(0, 0, pszTitle);
        SetItemText(0, 1, SampleColumnTitle(SC_REGION));
        SetItemText(0, 2, SampleColumnTitle(SC_AREA));
        SetItemText(0, 3, SampleColumnTitle(SC_CIRCULARITY));
        char text[64];
        for (int r = 1; r <= nRows; r++)
        {
            snprintf(text, sizeof(text), "%d", r);
            SetItemText(r, 0, text);
        }
        for (int i = 0; i < nCount && nFirst + i < nRows; i++)
        {
            static const int cols[3] = { SC_REGION, SC_AREA, SC_CIRCULARITY };
            for (int c = 0; c < 3; c++)
            {
                SampleCellText(nFirst + i, cols[c], text, sizeof(text));
                SetItemText(i + 1, c + 1, text);
            }
        }
        EnableDragAndDrop(TRUE);
        SetEditable(TRUE);
        if (!Create(CRect(0, 0, 10, 10), pParent, nID, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER))
            return FALSE;
        SetColumnWidth(0, 110);
        for (int c = 1; c < 4; c++)
            SetColumnWidth(c, 70);
        return TRUE;
    }
};

class CDragGridsFrame : public CFrameWnd
{
public:
    CRegionListGrid m_kept, m_aside;

protected:
    int OnCreate(LPCREATESTRUCTA cs) override
    {
        if (CFrameWnd::OnCreate(cs) == -1)
            return -1;
        const int nHalf = SampleRowCount() / 2;
        if (!m_kept.CreateList(this, 1, "Regions kept", 0, nHalf) ||
            !m_aside.CreateList(this, 2, "Set aside", nHalf, SampleRowCount() - nHalf))
            return -1;
        return 0;
    }
    void RecalcLayout(BOOL /*bNotify*/) override
    {
        CRect rc;
        GetClientRect(&rc);
        const int nGap = 8;
        const int cx = (rc.Width() - 3 * nGap) / 2;
        if (m_kept.GetSafeHwnd() != NULL)
            m_kept.MoveWindow(nGap, nGap, cx, rc.Height() - 2 * nGap);
        if (m_aside.GetSafeHwnd() != NULL)
            m_aside.MoveWindow(2 * nGap + cx, nGap, cx, rc.Height() - 2 * nGap);
    }
    void PostNcDestroy() override;
};

CDragGridsFrame* g_pOpen = NULL;

void CDragGridsFrame::PostNcDestroy()
{
    if (g_pOpen == this)
        g_pOpen = NULL;
    CFrameWnd::PostNcDestroy();
}

} // namespace

CFrameWnd* GalleryOpenDragGrids(CWnd* pOwner)
{
    if (g_pOpen != NULL)
    {
        g_pOpen->ShowWindow(SW_SHOWNORMAL);
        g_pOpen->SetForegroundWindow();
        return g_pOpen;
    }
    CDragGridsFrame* pFrame = new CDragGridsFrame;
    if (!pFrame->Create(nullptr, "Drag rows between grids", WS_OVERLAPPEDWINDOW, CRect(60, 60, 760, 460), pOwner))
        return NULL;   // a frame whose creation failed has deleted itself
    g_pOpen = pFrame;
    pFrame->ShowWindow(SW_SHOWNORMAL);
    pFrame->UpdateWindow();
    return pFrame;
}
