// CExpandingDialog: collapsing to the marker and expanding back.
#include "dialogs/ExpandingDialog.h"

IMPLEMENT_DYNAMIC(CExpandingDialog, CDialog)

// How far below the marker's bottom edge the collapsed dialog ends.
static const int kCollapsedMargin = 15;

CExpandingDialog::CExpandingDialog(UINT nIDTemplate, CWnd* pParentWnd, int nIDMarker, int nIDAdvanced,
                                   LPCSTR lpszCollapsedCaption, LPCSTR lpszExpandedCaption, BOOL bAllowContract)
    : CDialog(nIDTemplate, pParentWnd),
      m_strCollapsedCaption(lpszCollapsedCaption ? lpszCollapsedCaption : ""),
      m_strExpandedCaption(lpszExpandedCaption ? lpszExpandedCaption : ""),
      m_nIDMarker(nIDMarker),
      m_nIDAdvanced(nIDAdvanced),
      m_bAllowContract(bAllowContract)
{
}

CExpandingDialog::~CExpandingDialog()
{
    delete m_pSizeExpanded;
}

BOOL CExpandingDialog::OnDialogExpanding(BOOL)
{
    return TRUE;
}

void CExpandingDialog::OnDialogExpanded(BOOL)
{
}

void CExpandingDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CExpandingDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    ExpandBox(FALSE);
    return TRUE;
}

BOOL CExpandingDialog::Expand(BOOL bExpand)
{
    if (bExpand == m_bExpanded)
        return TRUE;
    if (OnDialogExpanding(m_bExpanded))
    {
        ExpandBox(bExpand);
        HWND hButton = m_hWnd ? ::GetDlgItem(m_hWnd, m_nIDAdvanced) : nullptr;
        if (hButton)
        {
            // The next control in the tab order after the button.
            HWND hNext = ::GetNextDlgTabItem(m_hWnd, hButton, FALSE);
            if (hNext)
                ::SetFocus(hNext);
        }
        OnDialogExpanded(m_bExpanded);
    }
    return m_bExpanded == bExpand;
}

void CExpandingDialog::OnClickAdvanced()
{
    Expand(!m_bExpanded);
}

BOOL CExpandingDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == (WORD)m_nIDAdvanced && HIWORD(wParam) == 0)
        OnClickAdvanced();
    return CDialog::OnCommand(wParam, lParam);
}

void CExpandingDialog::ExpandBox(BOOL bExpand)
{
    if (bExpand == m_bExpanded || !m_hWnd)
        return;
    HWND hButton = ::GetDlgItem(m_hWnd, m_nIDAdvanced);
    HWND hMarker = ::GetDlgItem(m_hWnd, m_nIDMarker);
    if (!hButton || !hMarker)
        return;

    RECT rcMarker;
    ::GetWindowRect(hMarker, &rcMarker);
    // Every child outside the marker belongs to the advanced part.
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        RECT rcChild, rcCommon;
        ::GetWindowRect(hChild, &rcChild);
        if (!::IntersectRect(&rcCommon, &rcChild, &rcMarker))
            ::ShowWindow(hChild, bExpand ? SW_SHOWNORMAL : SW_HIDE);
    }

    RECT rcDialog;
    ::GetWindowRect(m_hWnd, &rcDialog);
    const UINT nFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (!bExpand)
    {
        if (!m_pSizeExpanded)
            m_pSizeExpanded = new CSize(rcDialog.right - rcDialog.left, rcDialog.bottom - rcDialog.top);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, rcDialog.right - rcDialog.left,
                       rcMarker.bottom + kCollapsedMargin - rcDialog.top, nFlags);
        ::SetWindowTextA(hButton, m_strCollapsedCaption);
        m_bExpanded = FALSE;
    }
    else
    {
        if (m_pSizeExpanded)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_pSizeExpanded->cx, m_pSizeExpanded->cy, nFlags);
        // Moves the dialog back onto the screen if it now sticks out.
        ::SendMessageA(m_hWnd, DM_REPOSITION, 0, 0);
        if (m_bAllowContract)
            ::SetWindowTextA(hButton, m_strExpandedCaption);
        else
            ::EnableWindow(hButton, FALSE);
        m_bExpanded = TRUE;
    }
}
