#pragma once
// CDialog: a dialog box made from a dialog template (a resource found
// through the resource chain, or a template in memory), modal (DoModal)
// or modeless (Create). The dialog window is bound to the object while it
// is created, so WM_INITDIALOG reaches OnInitDialog and every other
// message the virtual handlers, as for any CWnd.
#include "platform/Wnd.h"
#include "platform/DataExchange.h"

class KVVX_API CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Modeless. FALSE when the template is not found or creation fails.
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // Modal, from the template given to the constructor (or set with
    // InitModalIndirect): IDOK, IDCANCEL or what EndDialog was given; -1
    // when the dialog cannot be made.
    virtual INT_PTR DoModal();
    void InitModalIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    // Runs DoDataExchange; FALSE when validation failed (the user was told).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Fills the controls (UpdateData(FALSE)); TRUE lets the system put the
    // focus on the first control.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    // IDOK: reads the controls back and ends the dialog when they are valid.
    virtual void OnOK();
    virtual void OnCancel();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    LPCSTR m_lpszTemplateName = nullptr;
    LPCDLGTEMPLATEA m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;
    BOOL m_bModal = FALSE;

private:
    BOOL CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, HINSTANCE hInst, CWnd* pParentWnd, bool bModal,
                            INT_PTR* pnModalResult);
};
