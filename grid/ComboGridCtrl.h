#pragma once
// CComboGridCtrl: a grid in which chosen non-fixed columns take their values
// from a fixed list of strings. Editing a cell of such a column opens a
// drop-down list (CInPlaceList) instead of the edit field, and the grid
// refuses to store, below the fixed rows of such a column, any text that is
// not exactly one of the column's strings: typed, pasted, dropped, loaded
// from a file or set by SetItemText / SetItem alike.

#include "grid/GridCtrl.h"

// One combo column: its index and its list of allowed texts (owned by the
// grid).
struct _combocol
{
    int nCol;
    CStringArray* pItems;
};

class KVVX_API CComboGridCtrl : public CVXGridCtrl
{
    DECLARE_DYNCREATE(CComboGridCtrl)

public:
    CComboGridCtrl();
    ~CComboGridCtrl() override;

    // Makes col a combo column with a copy of items; FALSE for a fixed
    // column. The column need not exist yet. Columns are keyed by index and
    // never removed; the first entry for a column counts.
    BOOL AddComboColumn(int col, CStringArray& items);
    // Sets the cell's text to string number item of its column's list;
    // FALSE when col is no combo column or item is outside the list.
    BOOL SetComboItemText(int row, int col, int item);
    // CBS_DROPDOWN (the default: a field to type in with a list) or
    // CBS_DROPDOWNLIST (a list only).
    void SetComboBoxStyle(DWORD dwStyle) { m_dwComboBoxStyle = dwStyle; }
    DWORD GetComboBoxStyle() const { return m_dwComboBoxStyle; }

    BOOL SetItemText(int nRow, int nCol, LPCTSTR str) override;
    BOOL SetItem(const GV_ITEM* pItem) override;
    void CreateInPlaceEditControl(CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                                  LPCTSTR szText, int nChar) override;

protected:
    CArray<_combocol, const _combocol&> m_arComboCols;
    DWORD m_dwComboBoxStyle;

private:
    // The position in m_arComboCols of the first entry for col, or -1.
    int IsColumnCombo(int col) const;
    // FALSE when (row, col) lies below the fixed rows of a combo column and
    // str is not one of the column's strings.
    BOOL IsTextAcceptable(int row, int col, LPCTSTR str) const;
};
