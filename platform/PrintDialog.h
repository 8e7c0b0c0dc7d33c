#pragma once
// The print dialog and the printer context it hands out.
//
// CPrintDialog runs the system's print dialog (or the modal-UI answerer,
// see ModalUI.h) and owns everything the dialog allocates: the device-mode
// and device-names memory and the printer context. All three are freed
// when the dialog object is destroyed or runs again, so a print job that
// keeps its dialog for the length of the job leaks nothing per job. A
// caller that wants to keep the context beyond the dialog takes it with
// DetachPrinterDC.
#include <windows.h>
#include <commdlg.h>
#include <cderr.h>
#include "platform/core/kvExport.h"
#include "platform/core/String.h"
#include "platform/ModalUI.h"

// The string id of the application's title in the host's string table
// (also the name the print jobs of the library give their documents).
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE 0xE000
#endif

// The application's title: string AFX_IDS_APP_TITLE of the resource chain,
// or the application's name when no module has that string.
KVVX_API CString AfxGetAppTitle();

class KVVX_API CPrintDialog : public CCommonDialog
{
public:
    // bPrintSetupOnly: the printer set-up dialog (no context is made);
    // otherwise the print dialog, which returns a printer context.
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    ~CPrintDialog() override;
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // IDOK or IDCANCEL. Asks the answerer first. A dialog that could not
    // run (no printer, no memory) answers IDCANCEL and GetExtendedError
    // tells why; a user's cancel leaves it 0.
    INT_PTR DoModal() override;
    // The default printer without asking: its device mode, names and (for a
    // print dialog) a context. FALSE when the system has no default printer.
    BOOL GetDefaults();
    DWORD GetExtendedError() const { return m_dwError; }

    // The printer context of the last OK, owned by the dialog (NULL when
    // none was made).
    HDC GetPrinterDC() const { return m_pd.hDC; }
    // Hands the context to the caller, who deletes it (DeleteDC).
    HDC DetachPrinterDC();
    // A new context for the chosen printer and device mode; the caller
    // deletes it. NULL without a chosen printer.
    HDC CreatePrinterDC() const;

    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;
    // The chosen device mode, valid while the dialog keeps it (NULL without one).
    LPDEVMODEA GetDevMode() const;
    int GetCopies() const;
    BOOL PrintCollate() const;
    BOOL PrintAll() const { return (m_pd.Flags & (PD_PAGENUMS | PD_SELECTION)) == 0; }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }

    // Frees the context (unless detached), the device mode and the names.
    void ReleaseDeviceMemory();

    // The number of printers the system offers (0: no printer at all).
    static int GetPrinterCount();

    PRINTDLGA m_pd;

private:
    CString GetDevNamesString(int nWhich) const;
    DWORD m_dwError = 0;
};
