// Showing framework exceptions to the user (a message box through the
// modal-UI seam).
#include "platform/core/Exceptions.h"
#include "platform/ModalUI.h"
#include "platform/core/String.h"

int CException::ReportError(UINT nType, UINT nMessageID)
{
    char szMessage[512];
    if (GetErrorMessage(szMessage, sizeof(szMessage)))
        return AfxMessageBox(szMessage, nType);
    if (nMessageID != 0)
        return AfxMessageBox(nMessageID, nType);
    return AfxMessageBox("An unknown error occurred.", nType);
}
