// CDialog: modal and modeless dialogs from templates.
#include "platform/Dialog.h"
#include "platform/ThreadState.h"
#include "platform/WinApp.h"
#include "platform/core/Exceptions.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

LRESULT CALLBACK KvCbtHook(int nCode, WPARAM wParam, LPARAM lParam);

// The dialog procedure of every framework dialog: it leaves all messages to
// the dialog manager's defaults (the object has seen them already).
static INT_PTR CALLBACK KvDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd)
{
}

static LPCDLGTEMPLATEA KvFindTemplate(LPCSTR lpszName, HINSTANCE* phInst)
{
    *phInst = nullptr;
    if (!lpszName)
        return nullptr;
    HINSTANCE hInst = AfxFindResourceHandle(lpszName, (LPCSTR)RT_DIALOG);
    if (!hInst)
        return nullptr;
    HRSRC hRes = ::FindResourceA(hInst, lpszName, (LPCSTR)RT_DIALOG);
    HGLOBAL hData = hRes ? ::LoadResource(hInst, hRes) : nullptr;
    *phInst = hInst;
    return hData ? (LPCDLGTEMPLATEA)::LockResource(hData) : nullptr;
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, HINSTANCE hInst, CWnd* pParentWnd, bool bModal,
                                 INT_PTR* pnModalResult)
{
    if (!lpTemplate || m_hWnd)
        return FALSE;
    m_pParentWnd = pParentWnd;
    m_bModal = bModal;
    HWND hParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    if (bModal && !hParent)
    {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain && pMain->m_hWnd && ::IsWindowEnabled(pMain->m_hWnd))
            hParent = pMain->m_hWnd;
    }

    KvThreadState* ts = KvGetThreadState();
    if (ts->nCreateDepth++ == 0 || !ts->hHookCbt)
    {
        if (!ts->hHookCbt)
            ts->hHookCbt = ::SetWindowsHookExA(WH_CBT, KvCbtHook, nullptr, ::GetCurrentThreadId());
    }
    CWnd* pSavedInit = ts->pWndInit;
    bool bSavedAny = ts->bInitAnyWindow;
    ts->pWndInit = this;
    ts->bInitAnyWindow = true;  // the dialog frame is the first window made

    BOOL bResult;
    if (bModal)
    {
        INT_PTR n = ::DialogBoxIndirectParamA(hInst, lpTemplate, hParent, KvDlgProc, 0);
        if (pnModalResult)
            *pnModalResult = n;
        bResult = n != -1;
    }
    else
    {
        HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpTemplate, hParent, KvDlgProc, 0);
        bResult = hWnd != nullptr && m_hWnd == hWnd;
    }

    const bool bNeverBound = ts->pWndInit == this;
    ts->pWndInit = pSavedInit;
    ts->bInitAnyWindow = bSavedAny;
    if (--ts->nCreateDepth == 0 && ts->hHookCbt)
    {
        ::UnhookWindowsHookEx(ts->hHookCbt);
        ts->hHookCbt = nullptr;
    }
    if (bNeverBound)
        return FALSE;
    return bResult;
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATEA lpTemplate = KvFindTemplate(lpszTemplateName, &hInst);
    return CreateFromTemplate(lpTemplate, hInst, pParentWnd, false, nullptr);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd)
{
    return CreateFromTemplate(lpDialogTemplate, AfxGetInstanceHandle(), pParentWnd, false, nullptr);
}

void CDialog::InitModalIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    LPCDLGTEMPLATEA lpTemplate = m_lpDialogTemplate;
    if (!lpTemplate)
        lpTemplate = KvFindTemplate(m_lpszTemplateName, &hInst);
    INT_PTR nResult = -1;
    if (!CreateFromTemplate(lpTemplate, hInst, m_pParentWnd, true, &nResult))
        return -1;
    return nResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_hWnd)
        ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
    }
    catch (CUserException* e)
    {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    const UINT nID = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    if (nCode == BN_CLICKED || lParam == 0)
    {
        if (nID == IDOK)
        {
            OnOK();
            return TRUE;
        }
        if (nID == IDCANCEL)
        {
            OnCancel();
            return TRUE;
        }
    }
    return FALSE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        // Preserve the default answer of the dialog manager too.
        Default();
        return OnInitDialog();
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Modeless dialogs get the dialog keys (Tab, Enter, Escape) here;
    // modal ones get them from the dialog manager's own loop.
    if (!m_bModal && m_hWnd && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return ::IsDialogMessageA(m_hWnd, pMsg);
    return FALSE;
}

void CDialog::NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl && pWndCtrl->m_hWnd)
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->m_hWnd, 1);
}
void CDialog::SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
DWORD CDialog::GetDefID() const { return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0); }
