#pragma once
// Modal questions to the user: message boxes and common dialogs.
//
// Every modal question the library asks goes through one replaceable
// answerer first. A test (or a host that runs unattended) installs its own
// CModalUIAnswerer with AfxSetModalUIAnswerer; each Answer... function sees
// what was asked and returns TRUE with the answer filled in, so no window is
// shown, or FALSE to let the real window show. With no answerer installed
// the real windows show.
#include <windows.h>
#include <commdlg.h>
#include "platform/core/kvExport.h"
#include "platform/Wnd.h"

class KVVX_API CModalUIAnswerer
{
public:
    virtual ~CModalUIAnswerer() = default;
    // *pnResult: IDOK, IDCANCEL, IDYES ...
    virtual BOOL AnswerMessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType, int* pnResult);
    // *pcrColor holds the initial colour and receives the chosen one;
    // *pnResult: IDOK or IDCANCEL.
    virtual BOOL AnswerColorDialog(HWND hWndOwner, COLORREF* pcrColor, DWORD dwFlags, INT_PTR* pnResult);
    // *plf and *pcrColor hold the initial font and colour and receive the choice.
    virtual BOOL AnswerFontDialog(HWND hWndOwner, LOGFONTA* plf, COLORREF* pcrColor, DWORD dwFlags,
                                  INT_PTR* pnResult);
    // The request as it would go to GetOpenFileName / GetSaveFileName; the
    // answer goes into pofn->lpstrFile.
    virtual BOOL AnswerFileDialog(HWND hWndOwner, BOOL bOpenFileDialog, OPENFILENAMEA* pofn, INT_PTR* pnResult);
    // The request as it would go to PrintDlg; an answer that prints fills
    // ppd->hDC (a device context the caller then owns).
    virtual BOOL AnswerPrintDialog(HWND hWndOwner, PRINTDLGA* ppd, INT_PTR* pnResult);
};

// Installs pAnswerer (NULL: none) and returns the previous one. The caller
// keeps ownership.
KVVX_API CModalUIAnswerer* AfxSetModalUIAnswerer(CModalUIAnswerer* pAnswerer);
KVVX_API CModalUIAnswerer* AfxGetModalUIAnswerer();

// A message box owned by hWndOwner (or the active window of the thread, or
// the application's main window when NULL) with the application's title
// as caption when lpszCaption is NULL. Asks the answerer first.
KVVX_API int KvShowMessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);
KVVX_API int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is the string resource nIDPrompt (found through the resource chain).
KVVX_API int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Base of the common dialogs: they are not bound windows here, DoModal runs
// the system dialog (or the answerer) and returns IDOK or IDCANCEL.
class KVVX_API CCommonDialog : public CCmdTarget
{
public:
    explicit CCommonDialog(CWnd* pParentWnd) : m_pParentWnd(pParentWnd) {}
    virtual INT_PTR DoModal() = 0;
    CWnd* m_pParentWnd;
protected:
    HWND GetOwnerHwnd() const;
};

class KVVX_API CColorDialog : public CCommonDialog
{
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
    // The sixteen custom colours shared by every colour dialog of the process.
    static COLORREF* GetSavedCustomColors();
    CHOOSECOLORA m_cc;
};

class KVVX_API CFontDialog : public CCommonDialog
{
public:
    // dwFlags: CF_SCREENFONTS, CF_EFFECTS ...; lplfInitial (optional) is
    // the font shown first.
    explicit CFontDialog(const LOGFONTA* lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;
    void GetCurrentFont(LPLOGFONTA lplf) const { *lplf = m_lf; }
    CString GetFaceName() const;
    int GetSize() const;  // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return (int)m_lf.lfWeight; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }
    CHOOSEFONTA m_cf;
    LOGFONTA m_lf;
};

class KVVX_API CFileDialog : public CCommonDialog
{
public:
    // lpszFilter: pairs of description and pattern separated by '|', e.g.
    // "Text files (*.txt)|*.txt|All files (*.*)|*.*||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;
    CString GetPathName() const;   // the full name chosen
    CString GetFileName() const;   // without the folder
    CString GetFileExt() const;    // without the dot
    CString GetFileTitle() const;  // without folder and extension
    OPENFILENAMEA m_ofn;
    BOOL m_bOpenFileDialog;

private:
    char m_szFileName[MAX_PATH * 4];
    char m_szFilter[1024];  // the filter with zero separators (longer ones are cut at a pair)
    char m_szDefExt[16];
};
