#pragma once
// CExpandingDialog: a dialog with an advanced part. The template is laid out
// at full size; one control of it (the marker) covers the part that is
// always visible, and one button expands and collapses the dialog.
//
// The dialog opens collapsed: cut off 15 pixels below the marker, with every
// control that does not overlap the marker hidden (so the button must overlap
// it). Pressing the button restores the full size and shows those controls
// again; the button then carries the expanded caption (when the dialog may
// collapse again) or is disabled. Derived dialogs may veto a change
// (OnDialogExpanding) and are told after each one (OnDialogExpanded).
#include "platform/Dialog.h"
#include "platform/core/String.h"

class KVVX_API CExpandingDialog : public CDialog
{
    DECLARE_DYNAMIC(CExpandingDialog)
public:
    CExpandingDialog(UINT nIDTemplate, CWnd* pParentWnd, int nIDMarker, int nIDAdvanced,
                     LPCSTR lpszCollapsedCaption, LPCSTR lpszExpandedCaption, BOOL bAllowContract);
    ~CExpandingDialog() override;

    BOOL IsExpanded() const { return m_bExpanded; }
    // Expands (TRUE) or collapses (FALSE) the dialog unless the derived
    // dialog vetoes it; TRUE when the dialog ends in the requested state.
    BOOL Expand(BOOL bExpand);

    // Called before a change with the state the dialog is in now; FALSE
    // vetoes the change. The base allows it.
    virtual BOOL OnDialogExpanding(BOOL bExpanded);
    // Called after a change with the state now reached.
    virtual void OnDialogExpanded(BOOL bExpanded);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Collapses the dialog before it is first shown.
    BOOL OnInitDialog() override;
    // A click of the button toggles the state; every command then goes on to
    // the usual command processing, so a handler for the button still runs.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClickAdvanced();

    CString m_strCollapsedCaption;
    CString m_strExpandedCaption;
    int m_nIDMarker;
    int m_nIDAdvanced;
    BOOL m_bAllowContract;
    // The full size, measured once at the first collapse.
    CSize* m_pSizeExpanded = nullptr;
    BOOL m_bExpanded = TRUE;

private:
    void ExpandBox(BOOL bExpand);
};
