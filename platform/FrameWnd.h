#pragma once
// CFrameWnd: a top-level window with a menu that routes commands.
//
// Command routing: RouteCmdMsg offers a command or enable query to the
// window with the focus and its parents inside the frame (the active view
// when one is set, instead), then to the frame's own OnCmdMsg, then to the
// application. The frame's OnCommand and its menu updates route this way;
// CCmdUI::DoUpdate given a frame routes this way too. Derived frames handle
// their own commands by overriding OnCmdMsg as any other window does.
//
// Menus: before a popup opens (WM_INITMENUPOPUP) every item gets an enable
// query; items without any handler are greyed (m_bAutoMenuEnable).
//
// A frame is a heap object that deletes itself when its window is
// destroyed (m_bAutoDelete); destroying the application's main window ends
// the message loop.
#include "platform/Wnd.h"
#include "platform/CommandIds.h"
#include "platform/core/Collections.h"

class CControlBar;
class CDockBar;

class KVVX_API CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    static const CRect rectDefault;  // CW_USEDEFAULT placement

    // lpszMenuName: a menu resource found through the resource chain, or
    // NULL; hMenu (when given) is used instead and owned by the window.
    // pContext (optional) is handed to OnCreateClient, which makes the
    // frame's view from it.
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, HMENU hMenu = nullptr, CCreateContext* pContext = nullptr);
    // Creates the view of pContext->m_pNewViewClass as child nID; NULL when
    // it cannot be made.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // Tells every view inside the frame OnInitialUpdate, then shows the
    // frame when bMakeVisible.
    void InitialUpdateFrame(BOOL bMakeVisible = TRUE);
    BOOL LoadAccelTable(LPCSTR lpszResourceName);
    void SetAccelTable(HACCEL hAccel) { m_hAccelTable = hAccel; }

    // Lays out the children: control bars and dock bars take their strips
    // (RepositionBars), the pane (AFX_IDW_PANE_FIRST) fills the rest.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Asks for a RecalcLayout at the next idle update (WM_IDLEUPDATECMDUI).
    void DelayRecalcLayout(BOOL bNotify = TRUE);

    // ---- docking (FrameDocking.cpp) --------------------------------------
    // Creates the dock bars for the sides in dwDockStyle (CBRS_ALIGN_*),
    // in the order top, bottom, left, right, and lets bars float.
    void EnableDocking(DWORD dwDockStyle);
    // Docks pBar on the dock bar nDockBarID (0: the first side both allow)
    // into the row under lpRect (screen), else its remembered slot or a new row.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Moves pBar into a floating frame with its top-left corner at point.
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = 0x2000L /*CBRS_ALIGN_TOP*/);
    // Shows or hides pBar now, or (bDelay) at the next layout.
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    // Writes / restores every bar's side, row, position, visibility and
    // floating point under "<profile>-Bar<n>" sections of the application
    // profile. Stale or damaged entries are skipped.
    void SaveBarState(LPCSTR lpszProfileName) const;
    void LoadBarState(LPCSTR lpszProfileName);

    CPtrList m_listControlBars;  // every bar docking with this frame
    DWORD m_dwDockStyle = 0;
    CRuntimeClass* m_pFloatingFrameClass = nullptr;
    BOOL m_bInRecalcLayout = FALSE;
    enum IdleFlags { idleLayout = 1, idleNotify = 2 };
    UINT m_nIdleFlags = 0;
    CWnd* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CWnd* pViewNew) { m_pViewActive = pViewNew; }
    virtual void ActivateFrame(int nCmdShow = -1);

    virtual BOOL RouteCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    BOOL m_bAutoMenuEnable = TRUE;
    BOOL m_bAutoDelete = TRUE;

protected:
    // Makes the client-area windows while the frame is created: the base
    // creates the view of pContext when it names a view class. Derived
    // frames create splitters and other panes here; FALSE fails creation.
    virtual BOOL OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext* pContext);
    int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitMenuPopup(HMENU hPopupMenu, UINT nIndex, BOOL bSysMenu) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnDestroy() override;
    // Idle time: a delayed layout, and the floating frames' bars.
    virtual void OnIdleUpdateCmdUI();
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnClose() override;
    void OnNcDestroy() override;
    void PostNcDestroy() override;

    HACCEL m_hAccelTable = nullptr;
    CWnd* m_pViewActive = nullptr;
};

// Routes through RouteCmdMsg when pTarget is a frame, else OnCmdMsg.
KVVX_API BOOL AfxRouteCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, void* pExtra,
                             AFX_CMDHANDLERINFO* pHandlerInfo);
