// CVXGridCtrl: the window class and the system settings the grid reads.

#include "grid/GridCtrl.h"
#include "platform/DataExchange.h"
#include "platform/core/Exceptions.h"

#include <stdlib.h>
#include <string.h>

#define GRIDCTRL_CLASSNAME "MFCGridCtrl"

// Registers the window class "MFCGridCtrl" for the module once; TRUE when it
// exists afterwards. A failed registration raises the framework's resource
// exception, so constructing a grid fails rather than yielding a grid that
// can never get a window.
BOOL CVXGridCtrl::RegisterWindowClass()
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASSA wndcls;
    if (::GetClassInfoA(hInst, GRIDCTRL_CLASSNAME, &wndcls))
        return TRUE;

    memset(&wndcls, 0, sizeof(wndcls));
    wndcls.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wndcls.lpfnWndProc = ::DefWindowProcA;
    wndcls.cbClsExtra = 0;
    wndcls.cbWndExtra = 0;
    wndcls.hInstance = hInst;
    wndcls.hIcon = NULL;
    wndcls.hCursor = ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wndcls.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wndcls.lpszMenuName = NULL;
    wndcls.lpszClassName = GRIDCTRL_CLASSNAME;
    if (!AfxRegisterClass(&wndcls))
        AfxThrowResourceException();
    return TRUE;
}

// Rows per mouse-wheel notch from the user's settings
// (HKCU\Control Panel\Desktop, "WheelScrollLines", a decimal string); 3 when
// the value cannot be read.
int CVXGridCtrl::ReadWheelScrollLines()
{
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return 3;
    char szData[128];
    DWORD dwType = 0;
    DWORD dwSize = sizeof(szData) - 1;
    LONG lResult = ::RegQueryValueExA(hKey, "WheelScrollLines", NULL, &dwType, (LPBYTE)szData, &dwSize);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS)
        return 3;
    szData[dwSize < sizeof(szData) ? dwSize : sizeof(szData) - 1] = '\0';
    return (int)strtoul(szData, NULL, 10);
}

// ---------------------------------------------------------------- window

BOOL CVXGridCtrl::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    if (!CWnd::Create(GRIDCTRL_CLASSNAME, NULL, dwStyle, rect, pParentWnd, nID))
        return FALSE;

    m_dropTarget.Register(this);
    CreateTitleTip();

    // Sizes set before the window existed were measured without its font:
    // every row and column takes the font's default size.
    try
    {
        m_arRowHeights.SetSize(m_nRows);
        m_arColWidths.SetSize(m_nCols);
    }
    catch (CMemoryException* e)
    {
        e->ReportError();
        e->Delete();
        return FALSE;
    }
    for (int r = 0; r < m_nRows; r++)
        m_arRowHeights.GetData()[r] = (UINT)m_nDefRowHeight;
    for (int c = 0; c < m_nCols; c++)
        m_arColWidths.GetData()[c] = (UINT)m_nDefColWidth;

    ResetScrollBars();
    return TRUE;
}

BOOL CVXGridCtrl::SubclassWindow(HWND hWnd)
{
    if (!CWnd::SubclassWindow(hWnd))
        return FALSE;
    m_dropTarget.Register(this);
    CreateTitleTip();
    return TRUE;
}

// Runs for every window bound to the grid, created or subclassed: the grid
// font is set on it, which derives the margin and the default sizes.
void CVXGridCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    HFONT hFont = ::CreateFontIndirectA(&m_lfFont);
    OnSetFont((WPARAM)hFont, 0);
    if (hFont != NULL)
        ::DeleteObject(hFont);
    ResetScrollBars();
}

void CVXGridCtrl::FollowSysColors()
{
    COLORREF crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    COLORREF crWindow = ::GetSysColor(COLOR_WINDOW);
    COLORREF crBtnFace = ::GetSysColor(COLOR_BTNFACE);
    COLORREF crBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);

    if (m_crText == m_crSysWindowText)
        m_crText = crWindowText;
    if (m_crTextBk == m_crSysWindow)
        m_crTextBk = crWindow;
    if (m_crBk == m_crSysBtnShadow)
        m_crBk = crBtnShadow;
    if (m_crFixedText == m_crSysWindowText)
        m_crFixedText = crWindowText;
    if (m_crFixedBk == m_crSysBtnFace)
        m_crFixedBk = crBtnFace;

    m_crSysWindowText = crWindowText;
    m_crSysWindow = crWindow;
    m_crSysBtnFace = crBtnFace;
    m_crSysBtnShadow = crBtnShadow;
}

// No repaint: the system repaints its windows after a colour change.
void CVXGridCtrl::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    FollowSysColors();
}

void CVXGridCtrl::OnSettingChange(UINT uFlags, LPCSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    FollowSysColors();
    m_nWheelScrollLines = ReadWheelScrollLines();
}

void DDX_GridControl(CDataExchange* pDX, int nIDC, CVXGridCtrl& rControl)
{
    if (rControl.GetSafeHwnd() != NULL)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    // A control inside a nested container is subclassed all the same; the
    // framework has no separate control sites to attach it to.
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
}
