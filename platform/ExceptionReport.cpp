// Win32 part of CException: ReportError shows the error message in a message
// box (the framework's behaviour).
//
// NOTE for the Win32 window-framework layer: this is a plain default so that
// the DLL links. When the framework provides its message-box seam
// (AfxMessageBox or similar, answerable by tests), route ReportError through
// it here or move this definition into the framework's own file and delete
// this one (only one definition of CException::ReportError may exist).
#include "platform/Exceptions.h"

#include <windows.h>

int CException::ReportError(UINT nType, UINT nMessageID)
{
    (void)nMessageID;
    CString strMessage = GetErrorMessageString();
    if (nType == 0)
        nType = MB_OK | MB_ICONEXCLAMATION;
    return ::MessageBoxA(::GetActiveWindow(), strMessage, NULL, nType);
}
