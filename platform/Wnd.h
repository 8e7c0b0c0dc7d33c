#pragma once
// CWnd: an object bound to a Win32 window.
//
// Binding. Every window the framework creates (Create, CreateEx) is bound
// to its object by a CBT hook while CreateWindowEx runs, before the window
// gets its first message, so WM_NCCREATE and WM_CREATE already reach the
// object. The hook replaces the window procedure with the framework's
// (subclassing), whatever the window class. Existing windows are bound with
// SubclassWindow / SubclassDlgItem (messages routed to the object) or Attach
// (handle wrapped, no messages). The binding ends with WM_NCDESTROY (then
// PostNcDestroy runs), UnsubclassWindow or Detach.
//
// Messages. The framework's window procedure hands each message to the
// virtual WindowProc, whose default runs OnWndMsg: it cracks the messages
// listed below into the virtual handlers (OnCreate, OnPaint, OnSize ...)
// and returns FALSE for every other message, which then goes to
// DefWindowProc (the window's original procedure). A handler's default
// implementation passes its message on to DefWindowProc, so an override
// that wants the usual processing calls the base class handler (or
// Default()). A class handles any other message, registered and WM_USER
// ones included, by overriding WindowProc (or OnWndMsg) and passing what it
// does not handle to the base class.
//
// Notifications that controls send to their parent (WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM, WM_DELETEITEM, WM_CTLCOLOR*,
// WM_HSCROLL/WM_VSCROLL from scroll-bar controls, WM_PARENTNOTIFY) are first
// offered to the sending control's object through OnChildNotify (reflection);
// when that returns TRUE the parent's handler does not run.
//
// Commands (WM_COMMAND from menus, accelerators and controls) go through
// OnCommand to OnCmdMsg; frame windows route them on to the window with the
// focus and the application (see FrameWnd.h).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include "platform/core/kvExport.h"
#include "platform/core/Object.h"
#include "platform/Geometry.h"
#include "platform/Gdi.h"
#include "platform/CmdTarget.h"

// winuser.h maps GetNextWindow to GetWindow; here it is a member of its own.
#ifdef GetNextWindow
#undef GetNextWindow
#endif

class CString;
class CScrollBar;
class CFrameWnd;
struct CCreateContext;
class CWnd;

// The framework's window procedure (for window classes registered by hand),
// and the dispatch of one message to a window object that it calls.
KVVX_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
KVVX_API LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Framework messages. WM_IDLEUPDATECMDUI is sent to every window of a frame
// at idle time so control bars can update their buttons (wParam: disable
// items without handler); WM_KICKIDLE is posted to restart idle processing.
#define WM_IDLEUPDATECMDUI 0x0363
#define WM_KICKIDLE 0x036A

// Name of the window class used when a CWnd is created without one.
#define AFX_WND_CLASS "KvVXWnd"

class KVVX_API CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    // Destroys a window that is still bound to the object.
    ~CWnd() override;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    bool operator==(const CWnd& wnd) const { return m_hWnd == wnd.m_hWnd; }
    bool operator!=(const CWnd& wnd) const { return m_hWnd != wnd.m_hWnd; }

    // ---- binding -----------------------------------------------------
    // The object bound to hWnd, or a temporary wrapper (deleted at the next
    // idle time; never for NULL, which gives NULL).
    static CWnd* FromHandle(HWND hWnd);
    // The object bound to hWnd, or NULL.
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();
    // Wraps a window without taking over its messages.
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Binds an existing window and routes its messages through the object;
    // FALSE when the handle is no window or already bound.
    virtual BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Gives the window its original procedure back and unbinds it.
    HWND UnsubclassWindow();
    // Called whenever a window is bound by creation or subclassing.
    virtual void PreSubclassWindow();

    // ---- creation and destruction -------------------------------------
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                          int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    // May change the creation parameters; FALSE cancels the creation.
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual BOOL DestroyWindow();
    // Runs after the last message (WM_NCDESTROY) once the window is unbound;
    // objects that delete themselves with their window do it here.
    virtual void PostNcDestroy();

    // ---- message processing -------------------------------------------
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Cracks message into a handler; FALSE when no handler takes it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The window's own processing: the procedure it had before it was
    // subclassed (the class procedure), else ::DefWindowProc.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc for the message being processed.
    LRESULT Default();
    // The message being processed on this thread.
    static const MSG* GetCurrentMessage();
    // Offered a notification this window sent to its parent; TRUE when
    // handled (the parent's handler then does not run).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Reflects the message being processed to the control hWndChild.
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Runs enable queries for the children of this window (bars and dialogs).
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);
    // Walks from the window of pMsg up to this window asking each bound
    // window's PreTranslateMessage; TRUE when one took the message.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const;

    // ---- relations ------------------------------------------------------
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    CWnd* GetTopLevelParent() const;
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetDlgItem(int nID) const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    BOOL IsChild(const CWnd* pWnd) const;
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    static CWnd* GetDesktopWindow();
    static CWnd* GetActiveWindow();
    static CWnd* GetForegroundWindow();
    static CWnd* FindWindow(LPCSTR lpszClassName, LPCSTR lpszWindowName);
    CWnd* SetActiveWindow();
    BOOL SetForegroundWindow();

    // ---- geometry -------------------------------------------------------
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void BringWindowToTop();
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);
    // Lays out the child control bars with ids nIDFirst..nIDLast (see
    // ControlBar.h) and gives the rest to the child nIDLeftOver. nFlag
    // reposQuery: moves nothing and returns the rest in lpRectParam;
    // reposExtra: the rest is first shrunk by the borders in lpRectParam.
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = 0,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);
    CWnd* ChildWindowFromPoint(POINT point) const;
    static CWnd* WindowFromPoint(POINT point);

    // ---- painting -------------------------------------------------------
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL bRedraw = TRUE);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    // A temporary device context for the client area / whole window; give
    // it back with ReleaseDC.
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    BOOL LockWindowUpdate();
    void UnlockWindowUpdate();
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);

    // ---- focus, capture, timers -------------------------------------------
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // ---- scroll bars (32-bit positions through SCROLLINFO) ------------------
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    int GetScrollLimit(int nBar);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    void EnableScrollBarCtrl(int nBar, BOOL bEnable = TRUE);
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH);
    // The sibling scroll-bar control used instead of a built-in bar (none here).
    virtual CScrollBar* GetScrollBarCtrl(int nBar) const;

    // ---- text, font, style -------------------------------------------------
    void SetWindowText(LPCSTR lpszString);
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, LPCSTR lpszString);
    int GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const;
    int GetDlgItemText(int nID, CString& rString) const;
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    // The font the window draws with (WM_GETFONT), or NULL.
    CFont* GetFont() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Removes, then adds style bits; nFlags != 0 also runs SetWindowPos with
    // those flags so the frame follows. FALSE when nothing changed.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    HMENU GetMenu() const;
    BOOL SetMenu(HMENU hMenu);
    void DrawMenuBar();
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;
    // A message box owned by this window (through the modal-UI seam).
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);

protected:
    // ---- cracked message handlers --------------------------------------------
    // Each default passes the message to DefWindowProc (see Default()).
    virtual BOOL OnNcCreate(LPCREATESTRUCTA lpCreateStruct);
    virtual int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    virtual void OnDestroy();
    virtual void OnNcDestroy();
    virtual void OnClose();
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* pDC);
    virtual void OnSize(UINT nType, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnShowWindow(BOOL bShow, UINT nStatus);
    virtual void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    virtual void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    virtual void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual UINT OnGetDlgCode();
    virtual void OnLButtonDown(UINT nFlags, CPoint point);
    virtual void OnLButtonUp(UINT nFlags, CPoint point);
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point);
    virtual void OnRButtonUp(UINT nFlags, CPoint point);
    virtual void OnRButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnMButtonDown(UINT nFlags, CPoint point);
    virtual void OnMButtonUp(UINT nFlags, CPoint point);
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    // point is in screen coordinates, as the message gives it.
    virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    virtual int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    // pScrollBar is the scroll-bar control, NULL for the window's own bars.
    // nPos is the 16-bit position of the message; read 32-bit positions
    // with GetScrollInfo.
    virtual void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    virtual void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    virtual void OnTimer(UINT_PTR nIDEvent);
    virtual void OnCaptureChanged(CWnd* pWnd);
    virtual void OnCancelMode();
    virtual BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus(CWnd* pNewWnd);
    virtual void OnEnable(BOOL bEnable);
    virtual void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    virtual void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    virtual void OnNcPaint();
    virtual LRESULT OnNcHitTest(CPoint point);
    virtual void OnNcLButtonDown(UINT nHitTest, CPoint point);
    virtual void OnNcLButtonUp(UINT nHitTest, CPoint point);
    virtual void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    virtual void OnNcMouseMove(UINT nHitTest, CPoint point);
    virtual BOOL OnNcActivate(BOOL bActive);
    virtual void OnContextMenu(CWnd* pWnd, CPoint pos);
    virtual void OnInitMenuPopup(HMENU hPopupMenu, UINT nIndex, BOOL bSysMenu);
    virtual void OnSysCommand(UINT nID, LPARAM lParam);
    // WM_SETFONT (wParam: HFONT, LOWORD(lParam): redraw) and WM_GETFONT.
    virtual LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    virtual void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    // WM_CTLCOLOR*: nCtlColor is CTLCOLOR_EDIT, CTLCOLOR_LISTBOX ...
    virtual HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    virtual void OnParentNotify(UINT message, LPARAM lParam);
    virtual void OnDropFiles(HDROP hDropInfo);

    // DefWindowProc for message: with the exact wParam and lParam of the
    // message being processed when it is that message for this window, else
    // with the given ones (a handler called directly by code).
    LRESULT DefaultFor(UINT message, WPARAM wParam, LPARAM lParam);

    // The procedure the window had before the framework subclassed it.
    WNDPROC m_pfnSuper = nullptr;
    // Creates one reflected notification's recipient lookup.
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // The message dispatch reaches the saved procedure through this helper
    // of the implementation: befriending the exported functions themselves
    // would declare them again, and a friend declaration cannot carry their
    // DLL linkage.
    friend struct KvWndProcAccess;
    friend LRESULT CALLBACK KvCbtHook(int, WPARAM, LPARAM);
};

// Registers lpWndClass unless a class of that name is already registered
// for its instance (TRUE either way; FALSE when registration fails). A NULL
// hInstance means the library's module.
KVVX_API BOOL AfxRegisterClass(WNDCLASSA* lpWndClass);
// Registers (once) and names a class with the given styles, cursor,
// background and icon and the default window procedure. The returned name
// stays valid for the life of the process.
KVVX_API LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                    HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
// Deletes the temporary window, DC and GDI wrappers of the calling thread.
KVVX_API void AfxDeleteTempMaps();
