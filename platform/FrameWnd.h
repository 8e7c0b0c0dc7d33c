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

    // Lays out the children: the pane (AFX_IDW_PANE_FIRST) fills the
    // client area. Control bars add their part here later.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
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
