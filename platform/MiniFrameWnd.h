#pragma once
// Small frames: CMiniFrameWnd, a tool-window frame with a thin caption,
// and CMiniDockFrameWnd, the floating frame a control bar lives in when it
// is not docked. The floating frame holds one dock bar (identifier
// AFX_IDW_DOCKBAR_FLOAT) with the bar in it, sizes itself to that bar,
// hides itself when no bar in it is visible, and hands caption drags,
// caption double clicks and edge resizing to the bar's docking context.
// Its close button hides the bar (the frame stays and shows again with it).
#include "platform/ControlBar.h"

class KVVX_API CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd() = default;
    // A WS_POPUP tool window owned by pParentWnd.
    virtual BOOL CreateMini(LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd);

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
};

class KVVX_API CMiniDockFrameWnd : public CMiniFrameWnd
{
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();
    // Creates the frame (hidden) with its floating dock bar.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    // Sizes the frame around the dock bar's bars; hidden while none is visible.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // The first bar of the floating dock bar, or NULL.
    CControlBar* GetFloatingBar() const;
    // Called by the dock bar when its last bar has left.
    void OnLastBarRemoved();

    CDockBar m_wndDockBar;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;
    void OnNcLButtonDown(UINT nHitTest, CPoint point) override;
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point) override;
    BOOL OnNcActivate(BOOL bActive) override;
};
