#pragma once
// CPropertyList: an owner-drawn list box of name/value rows, like a
// property sheet, and CPropertyItem, the host's record behind each row.
//
// The user edits the value of the selected row in place: a drop-down list
// of fixed entries, a one-line edit, or a "..." button that opens the colour,
// font or open-file dialog (through the modal-UI seam). The edited value is
// written straight into the host's record; the list sends no notification.
// The line between the two columns can be dragged with the mouse.
//
// The host creates the list (or subclasses a list box of a dialog with the
// owner-drawn fixed, unsorted and notify styles), adds its records with
// AddPropItem, and keeps every record alive while the list shows it.
#include "platform/StdControls.h"
#include "platform/core/String.h"

enum
{
    PROP_KIND_CHOICE = 0,  // drop-down list of the entries of m_strChoices
    PROP_KIND_TEXT = 1,    // one-line edit; every keystroke updates the value
    PROP_KIND_COLOUR = 2,  // "..." button, colour dialog; value "RGB(r,g,b)"
    PROP_KIND_FONT = 3,    // "..." button, font dialog; value the face name
    PROP_KIND_FILE = 4     // "..." button, open-file dialog; value the path
};

#define ID_PROPLIST_COMBO 712
#define ID_PROPLIST_EDIT 713
#define ID_PROPLIST_BUTTON 714

class KVVX_API CPropertyItem
{
public:
    CPropertyItem() = default;
    CPropertyItem(CString strName, CString strValue, int nKind, CString strChoices, short nChoiceIndex = 0,
                  short nFileFilter = 0);

    CString m_strName;
    CString m_strValue;
    int m_nKind = PROP_KIND_CHOICE;
    // Choice rows: each entry ends with '|' ("Yes|No|").
    CString m_strChoices;
    short m_nChoiceIndex = 0;
    // File rows: 0 offers raw files, anything else tif files.
    short m_nFileFilter = 0;
};

class KVVX_API CPropertyList : public CListBox
{
    DECLARE_DYNAMIC(CPropertyList)
public:
    CPropertyList() = default;
    ~CPropertyList() override;

    // Appends a row for pItem (kept by the host); returns its index.
    int AddPropItem(CPropertyItem* pItem);
    // Appends a plain row that shows strText across the row and carries no
    // record; returns its index.
    int AddItem(CString strText);
    // The record of a row, or NULL for a plain row or no row.
    CPropertyItem* GetPropItem(int nIndex) const;

    int GetDividerX() const { return m_nDividerX; }
    int GetCurItem() const { return m_nCurItem; }
    BOOL IsDividerDragging() const { return m_bDividerDrag; }

    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PreSubclassWindow() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Reads a value written "RGB(r,g,b)"; FALSE (and black) when it is no
    // such value.
    static BOOL ParseColour(LPCSTR pszValue, COLORREF* pcr);

    // The editors, created on first use.
    CComboBox m_cmbChoices;
    CEdit m_editValue;
    CButton m_btnBrowse;
    CFont m_fontControls;

protected:
    int m_nCurItem = 0;
    int m_nDividerX = 0;
    int m_nDividerTop = 0;
    int m_nDividerBottom = 0;
    int m_nDragX = 0;
    BOOL m_bDividerDrag = FALSE;
    HCURSOR m_hcurSplit = nullptr;

    // Shows the editor of row m_nCurItem (on the list's selection change).
    virtual void OnSelchange();
    // Opens the dialog of the current row's kind.
    virtual void OnButton();
    void DisplayButton(CRect region);
    // Draws a line that inverts what it covers (drawn twice it is gone).
    void InvertLine(CDC* pDC, CPoint ptFrom, CPoint ptTo);

    int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnCaptureChanged(CWnd* pWnd) override;

private:
    void PrepareResources();
    // Ends a divider drag without moving the divider (capture lost).
    void CancelDividerDrag();
};
