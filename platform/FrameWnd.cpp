// CFrameWnd: command routing, menu enabling, layout; CCmdTarget and CCmdUI.
#include "platform/FrameWnd.h"
#include "platform/WinApp.h"
#include "platform/View.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

// ---------------------------------------------------------------------------
// CCmdTarget

BOOL CCmdTarget::OnCmdMsg(UINT, int, void*, AFX_CMDHANDLERINFO*)
{
    return FALSE;
}

static int g_nWaitCursorCount = 0;
static HCURSOR g_hcurWaitRestore = nullptr;

void CCmdTarget::BeginWaitCursor()
{
    if (g_nWaitCursorCount++ == 0)
        g_hcurWaitRestore = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

void CCmdTarget::EndWaitCursor()
{
    if (g_nWaitCursorCount > 0 && --g_nWaitCursorCount == 0)
        ::SetCursor(g_hcurWaitRestore ? g_hcurWaitRestore : ::LoadCursor(nullptr, IDC_ARROW));
}

void CCmdTarget::RestoreWaitCursor()
{
    if (g_nWaitCursorCount > 0)
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

// ---------------------------------------------------------------------------
// CCmdUI

void CCmdUI::Enable(BOOL bOn)
{
    if (m_hMenu)
    {
        if (!m_hSubMenu)
            ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    }
    else if (m_pOther && m_pOther->m_hWnd)
    {
        // Moving the focus away from a control that becomes disabled keeps
        // the keyboard usable.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
        {
            HWND hParent = ::GetParent(m_pOther->m_hWnd);
            if (hParent)
                ::SendMessageA(hParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        ::EnableWindow(m_pOther->m_hWnd, bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_hMenu)
    {
        if (!m_hSubMenu)
            ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    }
    else if (m_pOther && m_pOther->m_hWnd)
    {
        if (::SendMessageA(m_pOther->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
            ::SendMessageA(m_pOther->m_hWnd, BM_SETCHECK, (WPARAM)nCheck, 0);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_hMenu && !m_hSubMenu)
    {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_STATE;
        if (::GetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &mii))
        {
            mii.fType = bOn ? (mii.fType | MFT_RADIOCHECK) : (mii.fType & ~MFT_RADIOCHECK);
            mii.fState = bOn ? (mii.fState | MFS_CHECKED) : (mii.fState & ~MFS_CHECKED);
            ::SetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &mii);
        }
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText)
{
    if (!lpszText)
        lpszText = "";
    if (m_hMenu)
    {
        if (m_hSubMenu)
            return;
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STRING;
        mii.dwTypeData = (LPSTR)lpszText;
        ::SetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &mii);
    }
    else if (m_pOther && m_pOther->m_hWnd)
    {
        char szOld[256] = "";
        ::GetWindowTextA(m_pOther->m_hWnd, szOld, sizeof(szOld));
        if (lstrcmpA(szOld, lpszText) != 0)
            ::SetWindowTextA(m_pOther->m_hWnd, lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    if (!pTarget || m_nID == 0)
        return FALSE;
    m_bEnableChanged = FALSE;
    BOOL bHandled = AfxRouteCmdMsg(pTarget, m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (!bHandled && bDisableIfNoHandler && !m_bEnableChanged)
    {
        AFX_CMDHANDLERINFO info = {nullptr};
        BOOL bHasHandler = AfxRouteCmdMsg(pTarget, m_nID, CN_COMMAND, nullptr, &info);
        Enable(bHasHandler);
    }
    return bHandled;
}

BOOL AfxRouteCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (!pTarget)
        return FALSE;
    if (pTarget->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return static_cast<CFrameWnd*>(pTarget)->RouteCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    return pTarget->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---------------------------------------------------------------------------
// CFrameWnd

CFrameWnd::~CFrameWnd()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this)
        pApp->m_pMainWnd = nullptr;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
    {
        static LPCSTR s_pszFrameClass = nullptr;
        if (!s_pszFrameClass)
            s_pszFrameClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                                  (HBRUSH)(COLOR_WINDOW + 1),
                                                  ::LoadIcon(nullptr, IDI_APPLICATION));
        cs.lpszClass = s_pszFrameClass;
    }
    return TRUE;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, HMENU hMenu,
                       CCreateContext* pContext)
{
    if (!hMenu && lpszMenuName)
    {
        HINSTANCE hInst = AfxFindResourceHandle(lpszMenuName, (LPCSTR)RT_MENU);
        hMenu = hInst ? ::LoadMenuA(hInst, lpszMenuName) : nullptr;
        if (!hMenu)
        {
            PostNcDestroy();
            return FALSE;
        }
    }
    int x = rect.left, y = rect.top;
    int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT)
    {
        cx = CW_USEDEFAULT;
        cy = 0;
    }
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr, hMenu, (LPVOID)pContext))
    {
        // The object may be gone already (PostNcDestroy); the menu is ours.
        if (hMenu)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CCreateContext* pContext = (CCreateContext*)lpCreateStruct->lpCreateParams;
    return OnCreateClient(lpCreateStruct, pContext) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext)
        return nullptr;
    CCreateContext context = *pContext;
    context.m_pCurrentFrame = this;
    CWnd* pView = AfxCreateView(this, &context, nID);
    pContext->m_pLastView = context.m_pLastView;
    return pView;
}

void CFrameWnd::InitialUpdateFrame(BOOL bMakeVisible)
{
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    RecalcLayout();
    if (bMakeVisible)
        ActivateFrame();
}

BOOL CFrameWnd::LoadAccelTable(LPCSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_ACCELERATOR);
    m_hAccelTable = hInst ? ::LoadAcceleratorsA(hInst, lpszResourceName) : nullptr;
    return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hAccelTable && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
    return FALSE;
}

BOOL CFrameWnd::RouteCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // 1. The active view, or the window with the focus and its parents
    //    inside this frame.
    if (m_pViewActive && m_pViewActive->m_hWnd)
    {
        if (m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    else
    {
        HWND hFocus = ::GetFocus();
        if (hFocus && ::IsChild(m_hWnd, hFocus))
        {
            for (HWND h = hFocus; h && h != m_hWnd; h = ::GetParent(h))
            {
                CWnd* p = FromHandlePermanent(h);
                if (!p)
                    continue;
                // A nested frame routes on its own.
                if (p->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
                {
                    if (static_cast<CFrameWnd*>(p)->RouteCmdMsg(nID, nCode, pExtra, pHandlerInfo))
                        return TRUE;
                    break;
                }
                if (p->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
                    return TRUE;
            }
        }
    }
    // 2. The frame itself.
    if (OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // 3. The application.
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}


BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND hWndCtrl = (HWND)lParam;
    UINT nID = LOWORD(wParam);
    if (hWndCtrl)
    {
        if (ReflectChildNotify(WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
        if (nID == 0)
            return FALSE;
        return RouteCmdMsg(nID, HIWORD(wParam), nullptr, nullptr);
    }
    // Menu and accelerator commands run only when their item is enabled.
    CEnableProbeCmdUI state;
    state.m_nID = nID;
    RouteCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
    if (!state.m_bEnabled)
        return TRUE;
    return RouteCmdMsg(nID, CN_COMMAND, nullptr, nullptr);
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_IDLEUPDATECMDUI)
    {
        // The frame's menu is updated when it opens; here only the delayed
        // layout and the bars of floating frames.
        OnIdleUpdateCmdUI();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CFrameWnd::OnInitMenuPopup(HMENU hPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CWnd::OnInitMenuPopup(hPopupMenu, nIndex, bSysMenu);
    if (bSysMenu || !hPopupMenu)
        return;
    int nCount = ::GetMenuItemCount(hPopupMenu);
    for (int i = 0; i < nCount; ++i)
    {
        CCmdUI state;
        state.m_hMenu = hPopupMenu;
        state.m_nIndex = (UINT)i;
        state.m_nIndexMax = (UINT)nCount;
        UINT nID = ::GetMenuItemID(hPopupMenu, i);
        if (nID == (UINT)-1)
            continue;  // a submenu: updated when it opens
        if (nID == 0)
            continue;  // a separator
        state.m_nID = nID;
        state.DoUpdate(this, m_bAutoMenuEnable);
    }
}

void CFrameWnd::RecalcLayout(BOOL)
{
    // Re-entry (a bar asking for a layout while being laid out) waits for
    // the next idle update instead.
    if (m_bInRecalcLayout)
    {
        m_nIdleFlags |= idleLayout;
        return;
    }
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~idleLayout;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = IsIconic() ? SW_RESTORE : SW_SHOW;
    ShowWindow(nCmdShow);
    BringWindowToTop();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    CWnd* pPane = m_pViewActive ? m_pViewActive : GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pPane && pPane->m_hWnd)
        pPane->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnClose()
{
    DestroyWindow();
}

void CFrameWnd::OnNcDestroy()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this)
    {
        pApp->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    CWnd::OnNcDestroy();
}

void CFrameWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}
