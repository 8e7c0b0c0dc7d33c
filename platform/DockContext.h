#pragma once
// CDockContext: moves a control bar with the mouse and resizes its
// floating frame.
//
// StartDrag (a press on the bar, or on its floating frame's caption) runs a
// modal tracking loop with the mouse captured: a dotted rectangle shows
// where the bar would go; over a side of the frame that the bar and frame
// both allow, it is the docked shape, elsewhere the floating frame's shape.
// Holding Ctrl keeps the bar floating. Releasing the left button docks or
// floats the bar there; Escape, a right-button press or losing the capture
// cancels. A release before the cursor moved past the system's drag
// threshold changes nothing (so a double click reaches ToggleDocking).
//
// ToggleDocking floats a docked bar at its last floating place, and docks a
// floating bar back into its last docked slot.
//
// StartResize (a press on a floating frame's border) runs the same kind of
// loop; the bar answers CalcDynamicLayout for the new length, reading
// m_nHitTest to know which border or corner moves.
#include "platform/ControlBar.h"

class KVVX_API CDockContext
{
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext() = default;

    virtual void StartDrag(CPoint pt);
    virtual void StartResize(int nHitTest, CPoint pt);
    virtual void ToggleDocking();

    // The side the drag rectangle is over (a CBRS_ALIGN_* bit), 0 for none.
    DWORD CanDock();
    CDockBar* GetDockBar(DWORD dwOverDockStyle) const;

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    DWORD m_dwDockStyle = 0;      // sides the bar allows
    DWORD m_dwOverDockStyle = 0;  // side under the cursor now
    DWORD m_dwStyle = 0;          // bar style at the start
    BOOL m_bForceFrame = FALSE;   // Ctrl: never dock
    BOOL m_bDragging = FALSE;
    BOOL m_bMoved = FALSE;        // passed the drag threshold
    int m_nHitTest = HTNOWHERE;   // border being resized
    CPoint m_ptStart, m_ptLast;
    CRect m_rectLast;             // tracker drawn now (screen)
    CRect m_rectDragHorz, m_rectDragVert;            // docked shapes
    CRect m_rectFrameDragHorz, m_rectFrameDragVert;  // floating shapes

    // Remembered places for ToggleDocking.
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos = CPoint(-1, -1);

protected:
    // The modal loop; TRUE when it ended with the left button released.
    BOOL Track();
    void Move(CPoint pt);
    void Stretch(CPoint pt);
    void EndDrag();
    void EndResize();
    void CancelLoop();
    void DrawFocusRect(BOOL bRemoveRect = FALSE);
    void UpdateState(BOOL* pFlag, BOOL bNewValue);
    CRect m_rectResizeStart;
};
