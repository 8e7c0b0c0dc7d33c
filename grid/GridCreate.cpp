// CVXGridCtrl: the window class and the system settings the grid reads.

#include "grid/GridCtrl.h"

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
