// CWnd: binding objects to windows, the framework's window procedure,
// message cracking and reflection.
#include "platform/Wnd.h"
#include "platform/ThreadState.h"
#include "platform/core/String.h"
#include "platform/core/Exceptions.h"
#include "platform/ModalUI.h"
#include "platform/WinApp.h"
#include "platform/FrameWnd.h"
#include <string.h>
#include <string>
#include <mutex>
#include <vector>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

// ---------------------------------------------------------------------------
// Binding

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    KvThreadState* ts = KvGetThreadState();
    auto it = ts->mapPermWnd.find(hWnd);
    return it == ts->mapPermWnd.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    KvThreadState* ts = KvGetThreadState();
    auto it = ts->mapPermWnd.find(hWnd);
    if (it != ts->mapPermWnd.end())
        return it->second;
    auto jt = ts->mapTempWnd.find(hWnd);
    if (jt != ts->mapTempWnd.end())
        return jt->second;
    CWnd* pWnd = new CWnd;
    pWnd->m_hWnd = hWnd;
    ts->mapTempWnd[hWnd] = pWnd;
    return pWnd;
}

void CWnd::DeleteTempMap()
{
    KvThreadState* ts = KvGetThreadState();
    std::unordered_map<HWND, CWnd*> temp;
    temp.swap(ts->mapTempWnd);
    for (auto& e : temp)
    {
        e.second->m_hWnd = nullptr;  // a temporary wrapper never destroys its window
        delete e.second;
    }
}

void AfxDeleteTempMaps()
{
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd)
        return FALSE;
    KvThreadState* ts = KvGetThreadState();
    if (ts->mapPermWnd.count(hWndNew))
        return FALSE;
    // A temporary wrapper of the same window gives way to the real object.
    auto jt = ts->mapTempWnd.find(hWndNew);
    if (jt != ts->mapTempWnd.end())
    {
        jt->second->m_hWnd = nullptr;
        delete jt->second;
        ts->mapTempWnd.erase(jt);
    }
    ts->mapPermWnd[hWndNew] = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd)
    {
        KvThreadState* ts = KvGetThreadState();
        auto it = ts->mapPermWnd.find(hWnd);
        if (it != ts->mapPermWnd.end() && it->second == this)
            ts->mapPermWnd.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::PreSubclassWindow()
{
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd) || m_hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    if (!pfnOld)
    {
        Detach();
        return FALSE;
    }
    if (pfnOld != &AfxWndProc)
        m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent || !pParent->m_hWnd)
        return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, (int)nID);
    return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd)
        return nullptr;
    if (m_pfnSuper)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = nullptr;
    return Detach();
}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    // Still bound when the window belongs to another thread or is gone.
    if (m_hWnd)
        Detach();
}

// ---------------------------------------------------------------------------
// The window procedure

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

// Shows an exception that escaped a handler: it must not unwind through the
// system's window-procedure frames.
static void KvReportHandlerException(CException* e)
{
    if (!e)
        return;
    e->ReportError(MB_ICONEXCLAMATION);
    e->Delete();
}

// Lets the message dispatch read and clear a window's saved procedure.
struct KvWndProcAccess
{
    static WNDPROC& Super(CWnd* pWnd) { return pWnd->m_pfnSuper; }
};

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    KvThreadState* ts = KvGetThreadState();
    const MSG msgSaved = ts->msgCur;
    const LRESULT lDefSaved = ts->lDefaultResult;
    const BOOL bDefSaved = ts->bDefaultCalled;
    ts->msgCur.hwnd = hWnd;
    ts->msgCur.message = message;
    ts->msgCur.wParam = wParam;
    ts->msgCur.lParam = lParam;

    LRESULT lResult = 0;
    try
    {
        lResult = pWnd->WindowProc(message, wParam, lParam);
    }
    catch (CException* e)
    {
        KvReportHandlerException(e);
        lResult = (message == WM_CREATE) ? -1 : 0;
    }
    catch (...)
    {
        lResult = (message == WM_CREATE) ? -1 : 0;
    }

    if (message == WM_NCDESTROY && pWnd->m_hWnd == hWnd && CWnd::FromHandlePermanent(hWnd) == pWnd)
    {
        // The window is gone: give it its procedure back and unbind it
        // before the object may delete itself in PostNcDestroy.
        if (KvWndProcAccess::Super(pWnd))
        {
            WNDPROC pfnCur = (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
            if (pfnCur == &AfxWndProc)
                ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)KvWndProcAccess::Super(pWnd));
        }
        KvWndProcAccess::Super(pWnd) = nullptr;
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }

    ts->msgCur = msgSaved;
    ts->lDefaultResult = lDefSaved;
    ts->bDefaultCalled = bDefSaved;
    return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    return &KvGetThreadState()->msgCur;
}

LRESULT CWnd::Default()
{
    KvThreadState* ts = KvGetThreadState();
    const MSG m = ts->msgCur;
    LRESULT r = DefWindowProc(m.message, m.wParam, m.lParam);
    if (m.hwnd == m_hWnd)
    {
        ts->lDefaultResult = r;
        ts->bDefaultCalled = TRUE;
    }
    return r;
}

LRESULT CWnd::DefaultFor(UINT message, WPARAM wParam, LPARAM lParam)
{
    KvThreadState* ts = KvGetThreadState();
    if (ts->msgCur.message == message && ts->msgCur.hwnd == m_hWnd && m_hWnd)
        return Default();
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

void CWnd::PostNcDestroy()
{
}

// ---------------------------------------------------------------------------
// Cracking

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    KvThreadState* ts = KvGetThreadState();
    LRESULT r = 0;
    // Void handlers answer what their default processing answered.
    ts->bDefaultCalled = FALSE;
    ts->lDefaultResult = 0;
    bool bVoid = true;

    switch (message)
    {
    case WM_NCCREATE: r = OnNcCreate((LPCREATESTRUCTA)lParam); bVoid = false; break;
    case WM_CREATE: r = OnCreate((LPCREATESTRUCTA)lParam); bVoid = false; break;
    case WM_DESTROY: OnDestroy(); break;
    case WM_NCDESTROY: OnNcDestroy(); break;
    case WM_CLOSE: OnClose(); break;
    case WM_PAINT: OnPaint(); break;
    case WM_ERASEBKGND: r = OnEraseBkgnd(CDC::FromHandle((HDC)wParam)); bVoid = false; break;
    case WM_SIZE: OnSize((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); break;
    case WM_MOVE: OnMove((short)LOWORD(lParam), (short)HIWORD(lParam)); break;
    case WM_SHOWWINDOW: OnShowWindow((BOOL)wParam, (UINT)lParam); break;
    case WM_WINDOWPOSCHANGING: OnWindowPosChanging((WINDOWPOS*)lParam); break;
    case WM_WINDOWPOSCHANGED: OnWindowPosChanged((WINDOWPOS*)lParam); break;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo((MINMAXINFO*)lParam); break;
    case WM_KEYDOWN: OnKeyDown((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); break;
    case WM_KEYUP: OnKeyUp((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); break;
    case WM_CHAR: OnChar((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); break;
    case WM_SYSKEYDOWN: OnSysKeyDown((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); break;
    case WM_SYSKEYUP: OnSysKeyUp((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); break;
    case WM_SYSCHAR: OnSysChar((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); break;
    case WM_GETDLGCODE: r = OnGetDlgCode(); bVoid = false; break;
    case WM_LBUTTONDOWN: OnLButtonDown((UINT)wParam, CPoint(lParam)); break;
    case WM_LBUTTONUP: OnLButtonUp((UINT)wParam, CPoint(lParam)); break;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk((UINT)wParam, CPoint(lParam)); break;
    case WM_RBUTTONDOWN: OnRButtonDown((UINT)wParam, CPoint(lParam)); break;
    case WM_RBUTTONUP: OnRButtonUp((UINT)wParam, CPoint(lParam)); break;
    case WM_RBUTTONDBLCLK: OnRButtonDblClk((UINT)wParam, CPoint(lParam)); break;
    case WM_MBUTTONDOWN: OnMButtonDown((UINT)wParam, CPoint(lParam)); break;
    case WM_MBUTTONUP: OnMButtonUp((UINT)wParam, CPoint(lParam)); break;
    case WM_MOUSEMOVE: OnMouseMove((UINT)wParam, CPoint(lParam)); break;
    case WM_MOUSEWHEEL:
        r = OnMouseWheel(LOWORD(wParam), (short)HIWORD(wParam), CPoint(lParam));
        bVoid = false;
        break;
    case WM_MOUSEACTIVATE:
        r = OnMouseActivate(FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        bVoid = false;
        break;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), HIWORD(wParam), (CScrollBar*)FromHandle((HWND)lParam));
        break;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam), (CScrollBar*)FromHandle((HWND)lParam));
        break;
    case WM_TIMER: OnTimer((UINT_PTR)wParam); break;
    case WM_CAPTURECHANGED: OnCaptureChanged(FromHandle((HWND)lParam)); break;
    case WM_CANCELMODE: OnCancelMode(); break;
    case WM_SETCURSOR:
        r = OnSetCursor(FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        bVoid = false;
        break;
    case WM_SETFOCUS: OnSetFocus(FromHandle((HWND)wParam)); break;
    case WM_KILLFOCUS: OnKillFocus(FromHandle((HWND)wParam)); break;
    case WM_ENABLE: OnEnable((BOOL)wParam); break;
    case WM_ACTIVATE: OnActivate(LOWORD(wParam), FromHandle((HWND)lParam), HIWORD(wParam)); break;
    case WM_SYSCOLORCHANGE: OnSysColorChange(); break;
    case WM_SETTINGCHANGE: OnSettingChange((UINT)wParam, (LPCSTR)lParam); break;
    case WM_NCCALCSIZE: OnNcCalcSize((BOOL)wParam, (NCCALCSIZE_PARAMS*)lParam); break;
    case WM_NCPAINT: OnNcPaint(); break;
    case WM_NCHITTEST: r = OnNcHitTest(CPoint(lParam)); bVoid = false; break;
    case WM_NCLBUTTONDOWN: OnNcLButtonDown((UINT)wParam, CPoint(lParam)); break;
    case WM_NCLBUTTONUP: OnNcLButtonUp((UINT)wParam, CPoint(lParam)); break;
    case WM_NCLBUTTONDBLCLK: OnNcLButtonDblClk((UINT)wParam, CPoint(lParam)); break;
    case WM_NCMOUSEMOVE: OnNcMouseMove((UINT)wParam, CPoint(lParam)); break;
    case WM_NCACTIVATE: r = OnNcActivate((BOOL)wParam); bVoid = false; break;
    case WM_CONTEXTMENU: OnContextMenu(FromHandle((HWND)wParam), CPoint(lParam)); break;
    case WM_INITMENUPOPUP: OnInitMenuPopup((HMENU)wParam, LOWORD(lParam), HIWORD(lParam)); break;
    case WM_SYSCOMMAND: OnSysCommand((UINT)wParam, lParam); break;
    case WM_SETFONT: r = OnSetFont(wParam, lParam); bVoid = false; break;
    case WM_GETFONT: r = OnGetFont(wParam, lParam); bVoid = false; break;
    case WM_DRAWITEM: OnDrawItem((int)wParam, (LPDRAWITEMSTRUCT)lParam); r = TRUE; bVoid = false; break;
    case WM_MEASUREITEM:
        OnMeasureItem((int)wParam, (LPMEASUREITEMSTRUCT)lParam);
        r = TRUE;
        bVoid = false;
        break;
    case WM_COMPAREITEM: r = OnCompareItem((int)wParam, (LPCOMPAREITEMSTRUCT)lParam); bVoid = false; break;
    case WM_DELETEITEM: OnDeleteItem((int)wParam, (LPDELETEITEMSTRUCT)lParam); r = TRUE; bVoid = false; break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        r = (LRESULT)OnCtlColor(CDC::FromHandle((HDC)wParam), FromHandle((HWND)lParam),
                                message - WM_CTLCOLORMSGBOX);
        bVoid = false;
        break;
    case WM_PARENTNOTIFY: OnParentNotify((UINT)wParam, lParam); break;
    case WM_DROPFILES: OnDropFiles((HDROP)wParam); break;
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam))
            return FALSE;
        r = 0;
        bVoid = false;
        break;
    case WM_NOTIFY:
    {
        LRESULT lNotify = 0;
        if (!OnNotify(wParam, lParam, &lNotify))
            return FALSE;
        r = lNotify;
        bVoid = false;
        break;
    }
    default:
        return FALSE;
    }
    if (bVoid)
        r = ts->bDefaultCalled ? ts->lDefaultResult : 0;
    if (pResult)
        *pResult = r;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Default handlers: each passes its own message on.

BOOL CWnd::OnNcCreate(LPCREATESTRUCTA cs) { return (BOOL)DefaultFor(WM_NCCREATE, 0, (LPARAM)cs); }
int CWnd::OnCreate(LPCREATESTRUCTA cs) { return (int)DefaultFor(WM_CREATE, 0, (LPARAM)cs); }
void CWnd::OnDestroy() { DefaultFor(WM_DESTROY, 0, 0); }
void CWnd::OnNcDestroy() { DefaultFor(WM_NCDESTROY, 0, 0); }
void CWnd::OnClose() { DefaultFor(WM_CLOSE, 0, 0); }
void CWnd::OnPaint() { DefaultFor(WM_PAINT, 0, 0); }
BOOL CWnd::OnEraseBkgnd(CDC* pDC) { return (BOOL)DefaultFor(WM_ERASEBKGND, (WPARAM)pDC->GetSafeHdc(), 0); }
void CWnd::OnSize(UINT nType, int cx, int cy) { DefaultFor(WM_SIZE, nType, MAKELPARAM(cx, cy)); }
void CWnd::OnMove(int x, int y) { DefaultFor(WM_MOVE, 0, MAKELPARAM(x, y)); }
void CWnd::OnShowWindow(BOOL bShow, UINT nStatus) { DefaultFor(WM_SHOWWINDOW, bShow, nStatus); }
void CWnd::OnWindowPosChanging(WINDOWPOS* p) { DefaultFor(WM_WINDOWPOSCHANGING, 0, (LPARAM)p); }
void CWnd::OnWindowPosChanged(WINDOWPOS* p) { DefaultFor(WM_WINDOWPOSCHANGED, 0, (LPARAM)p); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO* p) { DefaultFor(WM_GETMINMAXINFO, 0, (LPARAM)p); }
void CWnd::OnKeyDown(UINT c, UINT n, UINT f) { DefaultFor(WM_KEYDOWN, c, MAKELPARAM(n, f)); }
void CWnd::OnKeyUp(UINT c, UINT n, UINT f) { DefaultFor(WM_KEYUP, c, MAKELPARAM(n, f)); }
void CWnd::OnChar(UINT c, UINT n, UINT f) { DefaultFor(WM_CHAR, c, MAKELPARAM(n, f)); }
void CWnd::OnSysKeyDown(UINT c, UINT n, UINT f) { DefaultFor(WM_SYSKEYDOWN, c, MAKELPARAM(n, f)); }
void CWnd::OnSysKeyUp(UINT c, UINT n, UINT f) { DefaultFor(WM_SYSKEYUP, c, MAKELPARAM(n, f)); }
void CWnd::OnSysChar(UINT c, UINT n, UINT f) { DefaultFor(WM_SYSCHAR, c, MAKELPARAM(n, f)); }
UINT CWnd::OnGetDlgCode() { return (UINT)DefaultFor(WM_GETDLGCODE, 0, 0); }
void CWnd::OnLButtonDown(UINT f, CPoint p) { DefaultFor(WM_LBUTTONDOWN, f, MAKELPARAM(p.x, p.y)); }
void CWnd::OnLButtonUp(UINT f, CPoint p) { DefaultFor(WM_LBUTTONUP, f, MAKELPARAM(p.x, p.y)); }
void CWnd::OnLButtonDblClk(UINT f, CPoint p) { DefaultFor(WM_LBUTTONDBLCLK, f, MAKELPARAM(p.x, p.y)); }
void CWnd::OnRButtonDown(UINT f, CPoint p) { DefaultFor(WM_RBUTTONDOWN, f, MAKELPARAM(p.x, p.y)); }
void CWnd::OnRButtonUp(UINT f, CPoint p) { DefaultFor(WM_RBUTTONUP, f, MAKELPARAM(p.x, p.y)); }
void CWnd::OnRButtonDblClk(UINT f, CPoint p) { DefaultFor(WM_RBUTTONDBLCLK, f, MAKELPARAM(p.x, p.y)); }
void CWnd::OnMButtonDown(UINT f, CPoint p) { DefaultFor(WM_MBUTTONDOWN, f, MAKELPARAM(p.x, p.y)); }
void CWnd::OnMButtonUp(UINT f, CPoint p) { DefaultFor(WM_MBUTTONUP, f, MAKELPARAM(p.x, p.y)); }
void CWnd::OnMouseMove(UINT f, CPoint p) { DefaultFor(WM_MOUSEMOVE, f, MAKELPARAM(p.x, p.y)); }
BOOL CWnd::OnMouseWheel(UINT f, short z, CPoint p)
{
    return (BOOL)DefaultFor(WM_MOUSEWHEEL, MAKEWPARAM(f, (WORD)z), MAKELPARAM(p.x, p.y));
}
int CWnd::OnMouseActivate(CWnd* pDesktop, UINT nHit, UINT msg)
{
    return (int)DefaultFor(WM_MOUSEACTIVATE, (WPARAM)(pDesktop ? pDesktop->m_hWnd : nullptr), MAKELPARAM(nHit, msg));
}
void CWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    WPARAM wp = MAKEWPARAM(nSBCode, nPos);
    LPARAM lp = (LPARAM)(pScrollBar ? ((CWnd*)pScrollBar)->m_hWnd : nullptr);
    if (lp && ReflectChildNotify(WM_HSCROLL, wp, lp, nullptr))
        return;
    DefaultFor(WM_HSCROLL, wp, lp);
}
void CWnd::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    WPARAM wp = MAKEWPARAM(nSBCode, nPos);
    LPARAM lp = (LPARAM)(pScrollBar ? ((CWnd*)pScrollBar)->m_hWnd : nullptr);
    if (lp && ReflectChildNotify(WM_VSCROLL, wp, lp, nullptr))
        return;
    DefaultFor(WM_VSCROLL, wp, lp);
}
void CWnd::OnTimer(UINT_PTR nIDEvent) { DefaultFor(WM_TIMER, nIDEvent, 0); }
void CWnd::OnCaptureChanged(CWnd* pWnd) { DefaultFor(WM_CAPTURECHANGED, 0, (LPARAM)(pWnd ? pWnd->m_hWnd : nullptr)); }
void CWnd::OnCancelMode() { DefaultFor(WM_CANCELMODE, 0, 0); }
BOOL CWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    return (BOOL)DefaultFor(WM_SETCURSOR, (WPARAM)(pWnd ? pWnd->m_hWnd : nullptr), MAKELPARAM(nHitTest, message));
}
void CWnd::OnSetFocus(CWnd* pOld) { DefaultFor(WM_SETFOCUS, (WPARAM)(pOld ? pOld->m_hWnd : nullptr), 0); }
void CWnd::OnKillFocus(CWnd* pNew) { DefaultFor(WM_KILLFOCUS, (WPARAM)(pNew ? pNew->m_hWnd : nullptr), 0); }
void CWnd::OnEnable(BOOL bEnable) { DefaultFor(WM_ENABLE, bEnable, 0); }
void CWnd::OnActivate(UINT nState, CWnd* pOther, BOOL bMin)
{
    DefaultFor(WM_ACTIVATE, MAKEWPARAM(nState, bMin), (LPARAM)(pOther ? pOther->m_hWnd : nullptr));
}
void CWnd::OnSysColorChange() { DefaultFor(WM_SYSCOLORCHANGE, 0, 0); }
void CWnd::OnSettingChange(UINT uFlags, LPCSTR lpszSection) { DefaultFor(WM_SETTINGCHANGE, uFlags, (LPARAM)lpszSection); }
void CWnd::OnNcCalcSize(BOOL bCalc, NCCALCSIZE_PARAMS* p) { DefaultFor(WM_NCCALCSIZE, bCalc, (LPARAM)p); }
void CWnd::OnNcPaint() { DefaultFor(WM_NCPAINT, 1, 0); }
LRESULT CWnd::OnNcHitTest(CPoint p) { return DefaultFor(WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)); }
void CWnd::OnNcLButtonDown(UINT h, CPoint p) { DefaultFor(WM_NCLBUTTONDOWN, h, MAKELPARAM(p.x, p.y)); }
void CWnd::OnNcLButtonUp(UINT h, CPoint p) { DefaultFor(WM_NCLBUTTONUP, h, MAKELPARAM(p.x, p.y)); }
void CWnd::OnNcLButtonDblClk(UINT h, CPoint p) { DefaultFor(WM_NCLBUTTONDBLCLK, h, MAKELPARAM(p.x, p.y)); }
void CWnd::OnNcMouseMove(UINT h, CPoint p) { DefaultFor(WM_NCMOUSEMOVE, h, MAKELPARAM(p.x, p.y)); }
BOOL CWnd::OnNcActivate(BOOL bActive) { return (BOOL)DefaultFor(WM_NCACTIVATE, bActive, 0); }
void CWnd::OnContextMenu(CWnd* pWnd, CPoint p)
{
    DefaultFor(WM_CONTEXTMENU, (WPARAM)(pWnd ? pWnd->m_hWnd : nullptr), MAKELPARAM(p.x, p.y));
}
void CWnd::OnInitMenuPopup(HMENU hMenu, UINT nIndex, BOOL bSys)
{
    DefaultFor(WM_INITMENUPOPUP, (WPARAM)hMenu, MAKELPARAM(nIndex, bSys));
}
void CWnd::OnSysCommand(UINT nID, LPARAM lParam) { DefaultFor(WM_SYSCOMMAND, nID, lParam); }
LRESULT CWnd::OnSetFont(WPARAM wParam, LPARAM lParam) { return DefaultFor(WM_SETFONT, wParam, lParam); }
LRESULT CWnd::OnGetFont(WPARAM wParam, LPARAM lParam) { return DefaultFor(WM_GETFONT, wParam, lParam); }
void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT p)
{
    if (ReflectChildNotify(WM_DRAWITEM, nIDCtl, (LPARAM)p, nullptr))
        return;
    DefaultFor(WM_DRAWITEM, nIDCtl, (LPARAM)p);
}
void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT p)
{
    if (ReflectChildNotify(WM_MEASUREITEM, nIDCtl, (LPARAM)p, nullptr))
        return;
    DefaultFor(WM_MEASUREITEM, nIDCtl, (LPARAM)p);
}
int CWnd::OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT p)
{
    LRESULT r = 0;
    if (ReflectChildNotify(WM_COMPAREITEM, nIDCtl, (LPARAM)p, &r))
        return (int)r;
    return (int)DefaultFor(WM_COMPAREITEM, nIDCtl, (LPARAM)p);
}
void CWnd::OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT p)
{
    if (ReflectChildNotify(WM_DELETEITEM, nIDCtl, (LPARAM)p, nullptr))
        return;
    DefaultFor(WM_DELETEITEM, nIDCtl, (LPARAM)p);
}
HBRUSH CWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const UINT msg = WM_CTLCOLORMSGBOX + nCtlColor;
    const WPARAM wp = (WPARAM)pDC->GetSafeHdc();
    const LPARAM lp = (LPARAM)(pWnd ? pWnd->m_hWnd : nullptr);
    LRESULT r = 0;
    if (lp && ReflectChildNotify(msg, wp, lp, &r))
        return (HBRUSH)r;
    return (HBRUSH)DefaultFor(msg, wp, lp);
}
void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) &&
        ReflectChildNotify(WM_PARENTNOTIFY, message, lParam, nullptr))
        return;
    DefaultFor(WM_PARENTNOTIFY, message, lParam);
}
void CWnd::OnDropFiles(HDROP h) { DefaultFor(WM_DROPFILES, (WPARAM)h, 0); }

// ---------------------------------------------------------------------------
// Reflection and commands

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    HWND hWndChild = nullptr;
    switch (message)
    {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_PARENTNOTIFY:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        hWndChild = (HWND)lParam;
        break;
    case WM_NOTIFY:
        hWndChild = lParam ? ((NMHDR*)lParam)->hwndFrom : nullptr;
        break;
    case WM_DRAWITEM:
        if (lParam && ((LPDRAWITEMSTRUCT)lParam)->CtlType != ODT_MENU)
            hWndChild = ((LPDRAWITEMSTRUCT)lParam)->hwndItem;
        break;
    case WM_MEASUREITEM:
        if (lParam && ((LPMEASUREITEMSTRUCT)lParam)->CtlType != ODT_MENU)
            hWndChild = ::GetDlgItem(m_hWnd, (int)((LPMEASUREITEMSTRUCT)lParam)->CtlID);
        break;
    case WM_COMPAREITEM:
        hWndChild = lParam ? ((LPCOMPAREITEMSTRUCT)lParam)->hwndItem : nullptr;
        break;
    case WM_DELETEITEM:
        hWndChild = lParam ? ((LPDELETEITEMSTRUCT)lParam)->hwndItem : nullptr;
        break;
    default:
        return FALSE;
    }
    if (!hWndChild || hWndChild == m_hWnd)
        return FALSE;
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (!pChild)
        return FALSE;
    LRESULT r = 0;
    if (!pChild->OnChildNotify(message, wParam, lParam, &r))
        return FALSE;
    if (pResult)
        *pResult = r;
    return TRUE;
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (!pChild)
        return FALSE;
    const MSG* m = GetCurrentMessage();
    LRESULT r = 0;
    if (!pChild->OnChildNotify(m->message, m->wParam, m->lParam, &r))
        return FALSE;
    if (pResult)
        *pResult = r;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl)
    {
        if (ReflectChildNotify(WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    else
    {
        // Menu (code 0) and accelerator (code 1) commands.
        CEnableProbeCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (!pNMHDR || !pNMHDR->hwndFrom)
        return FALSE;
    return ReflectChildNotify(WM_NOTIFY, wParam, lParam, pResult);
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (!m_hWnd || !pTarget)
        return;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        int nID = ::GetDlgCtrlID(hChild);
        if (nID <= 0 || nID >= 0xF000)
            continue;
        // Controls that hold their own items (bars) answer themselves.
        CWnd* pChild = FromHandlePermanent(hChild);
        if (pChild && pChild->SendMessage(WM_IDLEUPDATECMDUI, (WPARAM)bDisableIfNoHndler, 0))
            continue;
        CCmdUI state;
        state.m_nID = (UINT)nID;
        state.m_pOther = FromHandle(hChild);
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    if (!m_hWnd)
        return;
    std::vector<HWND> children;
    for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        children.push_back(h);
    for (HWND h : children)
    {
        if (!::IsWindow(h))
            continue;
        if (bOnlyPerm)
        {
            CWnd* p = FromHandlePermanent(h);
            if (p)
                AfxCallWndProc(p, h, message, wParam, lParam);
        }
        else
            ::SendMessageA(h, message, wParam, lParam);
        if (bDeep && ::IsWindow(h))
        {
            CWnd tmp;
            tmp.m_hWnd = h;
            tmp.SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
            tmp.m_hWnd = nullptr;
        }
    }
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendNotifyMessageA(m_hWnd, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Creation

LRESULT CALLBACK KvCbtHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    KvThreadState* ts = KvGetThreadState();
    if (nCode == HCBT_CREATEWND && ts->pWndInit)
    {
        HWND hWnd = (HWND)wParam;
        const CBT_CREATEWNDA* pcw = (const CBT_CREATEWNDA*)lParam;
        char szClass[32] = "";
        ::GetClassNameA(hWnd, szClass, sizeof(szClass));
        // Windows the system makes on its own during a creation (input
        // method windows) are not the one the object waits for.
        bool bSystem = lstrcmpiA(szClass, "IME") == 0 || lstrcmpiA(szClass, "MSCTFIME UI") == 0;
        bool bMatch = ts->bInitAnyWindow ||
                      (pcw && pcw->lpcs && pcw->lpcs->hwndParent == ts->hWndInitParent &&
                       pcw->lpcs->lpCreateParams == ts->pInitParam);
        if (!bSystem && bMatch)
        {
            CWnd* pWnd = ts->pWndInit;
            ts->pWndInit = nullptr;
            pWnd->Attach(hWnd);
            pWnd->PreSubclassWindow();
            WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
            if (pfnOld != &AfxWndProc)
                pWnd->m_pfnSuper = pfnOld;
        }
    }
    return ::CallNextHookEx(ts->hHookCbt, nCode, wParam, lParam);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
    {
        // The framework's plain class: double-clicks, arrow cursor, window colour.
        static LPCSTR s_pszClass = nullptr;
        if (!s_pszClass)
            s_pszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                             (HBRUSH)(COLOR_WINDOW + 1));
        cs.lpszClass = s_pszClass;
    }
    return TRUE;
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    (LPVOID)pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr, (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;  // one object, one window
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    KvThreadState* ts = KvGetThreadState();
    if (ts->nCreateDepth++ == 0 || !ts->hHookCbt)
    {
        if (!ts->hHookCbt)
            ts->hHookCbt = ::SetWindowsHookExA(WH_CBT, KvCbtHook, nullptr, ::GetCurrentThreadId());
    }
    CWnd* pSavedInit = ts->pWndInit;
    HWND hSavedParent = ts->hWndInitParent;
    LPVOID pSavedParam = ts->pInitParam;
    bool bSavedAny = ts->bInitAnyWindow;
    ts->pWndInit = this;
    ts->hWndInitParent = cs.hwndParent;
    ts->pInitParam = cs.lpCreateParams;
    ts->bInitAnyWindow = false;

    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);

    const bool bNeverBound = ts->pWndInit == this;
    ts->pWndInit = pSavedInit;
    ts->hWndInitParent = hSavedParent;
    ts->pInitParam = pSavedParam;
    ts->bInitAnyWindow = bSavedAny;
    if (--ts->nCreateDepth == 0 && ts->hHookCbt)
    {
        ::UnhookWindowsHookEx(ts->hHookCbt);
        ts->hHookCbt = nullptr;
    }

    if (bNeverBound)
    {
        // The window was never made (bad class, parent ...): the object gets
        // the same end as a destroyed window.
        if (hWnd)
            ::DestroyWindow(hWnd);
        PostNcDestroy();
        return FALSE;
    }
    // When creation failed after binding (OnCreate returned -1), WM_NCDESTROY
    // has already unbound the object.
    return hWnd != nullptr && m_hWnd == hWnd;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND hWnd = m_hWnd;
    const bool bBound = FromHandlePermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    // A window that was only attached (no subclass) sees no WM_NCDESTROY here.
    if (bBound && m_hWnd == hWnd && FromHandlePermanent(hWnd) == this && !::IsWindow(hWnd))
        Detach();
    return bResult;
}

// ---------------------------------------------------------------------------
// Relations

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetParent(CWnd* pNew) { return FromHandle(::SetParent(m_hWnd, pNew ? pNew->m_hWnd : nullptr)); }
CWnd* CWnd::GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    ::SetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT, (LONG_PTR)(pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr));
}
CWnd* CWnd::GetTopLevelParent() const
{
    if (!m_hWnd)
        return nullptr;
    HWND h = m_hWnd;
    while ((::GetWindowLongA(h, GWL_STYLE) & WS_CHILD) && ::GetParent(h))
        h = ::GetParent(h);
    return FromHandle(h);
}
CFrameWnd* CWnd::GetParentFrame() const
{
    if (!m_hWnd)
        return nullptr;
    for (HWND h = ::GetParent(m_hWnd); h; h = ::GetParent(h))
    {
        CWnd* p = FromHandlePermanent(h);
        if (p && p->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(p);
    }
    return nullptr;
}
CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* pFrame = nullptr;
    CWnd* p = FromHandlePermanent(m_hWnd);
    if (p && p->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        pFrame = static_cast<CFrameWnd*>(p);
    else
        pFrame = GetParentFrame();
    while (pFrame)
    {
        CFrameWnd* pUp = pFrame->GetParentFrame();
        if (!pUp)
            break;
        pFrame = pUp;
    }
    return pFrame;
}
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetNextWindow(UINT nFlag) const { return FromHandle(::GetWindow(m_hWnd, nFlag)); }
CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        if (::GetDlgCtrlID(h) == nID)
        {
            CWnd* p = bOnlyPerm ? FromHandlePermanent(h) : FromHandle(h);
            if (p)
                return p;
        }
        CWnd tmp;
        tmp.m_hWnd = h;
        CWnd* pFound = tmp.GetDescendantWindow(nID, bOnlyPerm);
        tmp.m_hWnd = nullptr;
        if (pFound)
            return pFound;
    }
    return nullptr;
}
BOOL CWnd::IsChild(const CWnd* pWnd) const { return pWnd && ::IsChild(m_hWnd, pWnd->m_hWnd); }
CWnd* CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
CWnd* CWnd::FindWindow(LPCSTR lpszClassName, LPCSTR lpszWindowName)
{
    return FromHandle(::FindWindowA(lpszClassName, lpszWindowName));
}
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }

// ---------------------------------------------------------------------------
// Geometry

void CWnd::GetClientRect(LPRECT lpRect) const
{
    if (!::GetClientRect(m_hWnd, lpRect))
        ::SetRectEmpty(lpRect);
}
void CWnd::GetWindowRect(LPRECT lpRect) const
{
    if (!::GetWindowRect(m_hWnd, lpRect))
        ::SetRectEmpty(lpRect);
}
void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
void CWnd::ScreenToClient(LPRECT lpRect) const { ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)lpRect, 2); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
void CWnd::ClientToScreen(LPRECT lpRect) const { ::MapWindowPoints(m_hWnd, nullptr, (LPPOINT)lpRect, 2); }
void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, lpPoint, nCount);
}
void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, (LPPOINT)lpRect, 2);
}
void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}
void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}
BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}
BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    CRect rcWnd, rcArea;
    GetWindowRect(&rcWnd);
    HWND hCenter = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetParent(m_hWnd);
    if (GetStyle() & WS_CHILD)
    {
        ::GetClientRect(hCenter, &rcArea);
        ::MapWindowPoints(hCenter, ::GetParent(m_hWnd), (LPPOINT)&rcArea, 2);
        ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), (LPPOINT)&rcWnd, 2);
    }
    else if (hCenter)
        ::GetWindowRect(hCenter, &rcArea);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
    int x = rcArea.left + (rcArea.Width() - rcWnd.Width()) / 2;
    int y = rcArea.top + (rcArea.Height() - rcWnd.Height()) / 2;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT)
{
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, GetExStyle());
}
CWnd* CWnd::ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
CWnd* CWnd::WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }

// ---------------------------------------------------------------------------
// Painting

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase) { ::InvalidateRgn(m_hWnd, pRgn ? (HRGN)*pRgn : nullptr, bErase); }
void CWnd::ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, prgnUpdate ? (HRGN)*prgnUpdate : nullptr, flags);
}
void CWnd::SetRedraw(BOOL bRedraw) { ::SendMessageA(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* pDC)
{
    if (!pDC || !pDC->m_hDC)
        return 0;
    pDC->ReleaseSelections();
    return ::ReleaseDC(m_hWnd, pDC->m_hDC);
}
BOOL CWnd::LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
void CWnd::UnlockWindowUpdate() { ::LockWindowUpdate(nullptr); }
void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}

// ---------------------------------------------------------------------------
// Focus, capture, timers

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }
UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

// ---------------------------------------------------------------------------
// Scroll bars

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    if (!m_hWnd || !lpScrollInfo)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}
BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    if (!m_hWnd || !lpScrollInfo)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}
int CWnd::GetScrollPos(int nBar) const
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    return ::GetScrollInfo(m_hWnd, nBar, &si) ? si.nPos : 0;
}
int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    int nOld = GetScrollPos(nBar);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    si.nPos = nPos;
    ::SetScrollInfo(m_hWnd, nBar, &si, bRedraw);
    return nOld;
}
void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
}
void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE;
    si.nMin = nMinPos;
    si.nMax = nMaxPos;
    ::SetScrollInfo(m_hWnd, nBar, &si, bRedraw);
}
int CWnd::GetScrollLimit(int nBar)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE;
    if (!::GetScrollInfo(m_hWnd, nBar, &si))
        return 0;
    int nLimit = si.nMax - (si.nPage > 0 ? (int)si.nPage - 1 : 0);
    return nLimit < si.nMin ? si.nMin : nLimit;
}
void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) { ::ShowScrollBar(m_hWnd, (int)nBar, bShow); }
void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable)
{
    if (nBar == SB_BOTH)
    {
        EnableScrollBarCtrl(SB_HORZ, bEnable);
        EnableScrollBarCtrl(SB_VERT, bEnable);
        return;
    }
    // Without a sibling scroll-bar control the window's own bar is shown or hidden.
    ::ShowScrollBar(m_hWnd, nBar, bEnable);
}
BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags) { return ::EnableScrollBar(m_hWnd, nSBFlags, nArrowFlags); }
CScrollBar* CWnd::GetScrollBarCtrl(int) const { return nullptr; }

// ---------------------------------------------------------------------------
// Text, font, style

void CWnd::SetWindowText(LPCSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const
{
    if (!lpszStringBuf || nMaxCount <= 0)
        return 0;
    lpszStringBuf[0] = 0;
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}
void CWnd::GetWindowText(CString& rString) const
{
    int n = ::GetWindowTextLengthA(m_hWnd);
    if (n <= 0)
    {
        rString.Empty();
        return;
    }
    char* p = rString.GetBuffer(n);
    int got = ::GetWindowTextA(m_hWnd, p, n + 1);
    rString.ReleaseBuffer(got < 0 ? 0 : got);
}
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
void CWnd::SetDlgItemText(int nID, LPCSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }
int CWnd::GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const
{
    if (!lpStr || nMaxCount <= 0)
        return 0;
    lpStr[0] = 0;
    return (int)::GetDlgItemTextA(m_hWnd, nID, lpStr, nMaxCount);
}
int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND h = ::GetDlgItem(m_hWnd, nID);
    if (!h)
        return 0;
    CWnd tmp;
    tmp.m_hWnd = h;
    tmp.GetWindowText(rString);
    tmp.m_hWnd = nullptr;
    return rString.GetLength();
}
UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}
void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
CFont* CWnd::GetFont() const
{
    HFONT h = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    return h ? CFont::FromHandle(h) : nullptr;
}
void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)(pFont ? (HFONT)*pFont : nullptr), bRedraw);
}
DWORD CWnd::GetStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE); }
DWORD CWnd::GetExStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_EXSTYLE); }

static BOOL KvModifyStyle(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    if (!hWnd)
        return FALSE;
    DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, nIndex);
    DWORD dwNew = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNew)
        return FALSE;
    ::SetWindowLongA(hWnd, nIndex, (LONG)dwNew);
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}
BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return KvModifyStyle(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return KvModifyStyle(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}
HMENU CWnd::GetMenu() const { return ::GetMenu(m_hWnd); }
BOOL CWnd::SetMenu(HMENU hMenu) { return ::SetMenu(m_hWnd, hMenu); }
void CWnd::DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return (HICON)::SendMessageA(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)hIcon);
}
HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return (HICON)::SendMessageA(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0);
}
int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    return KvShowMessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

// ---------------------------------------------------------------------------
// Window classes

BOOL AfxRegisterClass(WNDCLASSA* lpWndClass)
{
    if (!lpWndClass || !lpWndClass->lpszClassName)
        return FALSE;
    if (!lpWndClass->hInstance)
        lpWndClass->hInstance = AfxGetInstanceHandle();
    WNDCLASSA existing;
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    if (::RegisterClassA(lpWndClass))
        return TRUE;
    // Registered meanwhile (or under a global class of that name).
    return ::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing);
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // Names are kept for the life of the process: windows refer to them.
    static std::mutex s_lock;
    static std::vector<std::string*> s_names;
    HINSTANCE hInst = AfxGetInstanceHandle();
    char szName[128];
    wsprintfA(szName, "KvVX:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor, (void*)hbrBackground,
              (void*)hIcon);
    std::lock_guard<std::mutex> guard(s_lock);
    std::string* pName = nullptr;
    for (std::string* s : s_names)
        if (*s == szName)
            pName = s;
    if (!pName)
    {
        pName = new std::string(szName);
        s_names.push_back(pName);
    }
    WNDCLASSA wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInst;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = pName->c_str();
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
    return pName->c_str();
}
