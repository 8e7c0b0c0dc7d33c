#pragma once
// The gallery's docked bars: a "Grid settings" bar on the left (check
// boxes driving the Grid menu's commands), a "Log" bar at the bottom and a
// floating "Docking" notes bar. The View menu shows and hides them and puts
// them back where they started; their layout and sizes are kept in the
// gallery's profile under "GalleryBars" and restored at the next start.
//
// Adding a bar: derive from CSizingControlBarG, create it in
// CGalleryBars::Create with an id from 1200-1299, dock it, and give it a
// View menu item (command ids 33200-33299) in the table of OnCmdMsg.
#include "bars/SizingControlBar.h"

class CGalleryBars
{
public:
    CGalleryBars();
    ~CGalleryBars();

    // Creates and docks the bars. bDefaultLayout: ignore (and later do not
    // save) the stored layout, as the screenshot run does.
    BOOL Create(CFrameWnd* pFrame, BOOL bDefaultLayout);
    // The View menu's commands.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    // Appends a line to the Log bar.
    void Log(LPCSTR lpszLine);
    void SaveLayout();
    // Copies the floating bars' frames that overlap rcFrame (screen) into
    // pDC, whose origin is rcFrame's top-left.
    void PaintFloating(CDC* pDC, const CRect& rcFrame);

private:
    void DefaultLayout();
    void OnViewBar(UINT nID);
    void OnUpdateViewBar(CCmdUI* pCmdUI);
    CSizingControlBar* BarForCommand(UINT nID) const;

    CFrameWnd* m_pFrame = nullptr;
    BOOL m_bDefaultLayout = FALSE;
    class CSettingsBar* m_pSettings;
    class CLogBar* m_pLog;
    class CNotesBar* m_pNotes;
};
