#pragma once
// CInPlaceList: the drop-down list the combo-column grid places over a cell
// while the user picks a value. A combo box (with an edit field unless its
// style is CBS_DROPDOWNLIST) sized for four lines of the cell's height and
// wide enough for its longest string; it ends the edit when it (or its edit
// field) loses the focus, reports the final text and the key that ended
// the edit to the grid in a GRIDDISPINFO (GRIDN_ENDLABELEDIT), closes itself
// and, once its window is destroyed, deletes itself.
//
// CComboEdit: the combo box's edit field (child id 1001), taken over so
// that the keys that end an edit reach the CInPlaceList.

#include "platform/core/Core.h"
#include "platform/core/Collections.h"
#include "platform/Geometry.h"
#include "platform/StdControls.h"

class KVVX_API CComboEdit : public CEdit
{
public:
    CComboEdit();
    ~CComboEdit() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;

private:
    // The CInPlaceList this field belongs to: its owner, else its parent.
    HWND ListWindow() const;
};

class KVVX_API CInPlaceList : public CComboBox
{
public:
    // Creates the combo box over rect (grid client coordinates) with the
    // combo-box style dwComboStyle (CBS_DROPDOWN or CBS_DROPDOWNLIST), the
    // id and the strings given, selects the entry equal to sInitText, takes
    // the focus and acts on nFirstChar, the key that started the edit
    // (1: the mouse). When the window cannot be made the object has no
    // window and the caller deletes it.
    CInPlaceList(CWnd* pParent, CRect& rect, DWORD dwComboStyle, UINT nID, int nRow, int nCol,
                 const CStringArray& items, CString sInitText, UINT nFirstChar);
    ~CInPlaceList() override;

    int GetRow() const { return m_nRow; }
    int GetCol() const { return m_nCol; }
    // Reports the text and closes; runs once.
    void EndEdit();

    CComboEdit m_edit;
    int m_nNumLines;

protected:
    void PostNcDestroy() override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    UINT OnGetDlgCode() override;

private:
    // Hands the keyboard focus back to the grid, which ends the edit.
    void LeaveWithKey(UINT nKey);

    CString m_sInitText;
    int m_nRow;
    int m_nCol;
    UINT m_nLastChar;
    BOOL m_bExitOnArrows;
    BOOL m_bEnded;
};
