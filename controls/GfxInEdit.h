#pragma once
// CGfxInEdit: a short-lived rich edit a host control places over one cell
// (an item and a sub-item) to edit its text.
//
// It starts with the text selected and the focus taken, grows to the right
// while the user types (never past the parent's client area), and ends
// itself: Enter or a click elsewhere commits, Esc cancels, and Tab,
// Shift+Tab and the arrow keys at the text's edges commit and ask the parent
// to move the edit on. The result reaches the parent as an NMLVDISPINFO with
// the code LVN_ENDLABELEDIT (only when the text changed):
//   - WM_NOTIFY (wParam: the parent's own ID) when Tab, Shift+Tab or an
//     arrow key ended the edit;
//   - WM_GVX_INEDIT_END (wParam 0) when the edit lost the focus (Enter, a
//     click elsewhere, any focus change).
// After Tab, Shift+Tab or an arrow key the parent then gets
// WM_GVX_INEDIT_NAVIGATE (wParam: one of the GVX_NAV_ codes, lParam: two
// ints, item and sub-item). Records and texts are valid during the call only.
// The window destroys itself; the object belongs to its owner.
#include "platform/RichEditCtrl.h"

#define WM_GVX_INEDIT_NAVIGATE (WM_USER + 202)
#define WM_GVX_INEDIT_END (WM_USER + 203)

enum
{
    GVX_NAV_TAB = 0,
    GVX_NAV_SHIFT_TAB = 1,
    GVX_NAV_LEFT = 2,
    GVX_NAV_RIGHT = 3,
    GVX_NAV_UP = 4,
    GVX_NAV_DOWN = 5
};

class KVVX_API CGfxInEdit : public CRichEditCtrl
{
    DECLARE_DYNAMIC(CGfxInEdit)
public:
    CGfxInEdit(int nItem, int nSubItem, CString strInitial, bool bClickAtCursor = false);
    ~CGfxInEdit() override;

    // Reports the end of editing to the parent when the text changed.
    void ProcessSelect();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Edit commands (ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_UNDO).
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnEditUndo();
    // Copy and cut: enabled while the selection is not empty.
    void OnUpdateEditCut(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnUpdateEditUndo(CCmdUI* pCmdUI);

    int m_nItem;
    int m_nSubItem;
    CString m_strInitial;
    bool m_bClickAtCursor;
    BOOL m_bCancelled = FALSE;
    bool m_bFromKillFocus = false;

protected:
    int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnNcDestroy() override;
    UINT OnGetDlgCode() override;

private:
    // Commits, destroys the window and asks the parent to move on.
    void EndAndNavigate(int nCode);
    // TRUE once the edit is ending, so destroying it reports nothing more.
    bool m_bEnding = false;
};
