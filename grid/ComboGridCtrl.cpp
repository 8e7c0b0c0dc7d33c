// CComboGridCtrl: the combo-column grid.

#include "grid/ComboGridCtrl.h"
#include "grid/InPlaceList.h"

#include <string.h>

IMPLEMENT_DYNCREATE(CComboGridCtrl, CVXGridCtrl)

CComboGridCtrl::CComboGridCtrl()
    : CVXGridCtrl(0, 0, 0, 0), m_dwComboBoxStyle(CBS_DROPDOWN)
{
}

CComboGridCtrl::~CComboGridCtrl()
{
    for (INT_PTR i = 0; i < m_arComboCols.GetSize(); i++)
        delete m_arComboCols[i].pItems;
    m_arComboCols.RemoveAll();
}

BOOL CComboGridCtrl::AddComboColumn(int col, CStringArray& items)
{
    if (col < m_nFixedCols)
        return FALSE;
    CStringArray* pItems = new CStringArray;
    pItems->Copy(items);
    _combocol entry = { col, pItems };
    m_arComboCols.Add(entry);
    return TRUE;
}

int CComboGridCtrl::IsColumnCombo(int col) const
{
    for (INT_PTR i = 0; i < m_arComboCols.GetSize(); i++)
        if (m_arComboCols[i].nCol == col)
            return (int)i;
    return -1;
}

BOOL CComboGridCtrl::IsTextAcceptable(int row, int col, LPCTSTR str) const
{
    if (row < m_nFixedRows)
        return TRUE;
    int nIndex = IsColumnCombo(col);
    if (nIndex < 0)
        return TRUE;
    const CStringArray* pItems = m_arComboCols[nIndex].pItems;
    const char* psz = str != NULL ? str : "";
    for (INT_PTR i = 0; i < pItems->GetSize(); i++)
        if (strcmp((*pItems)[i], psz) == 0)
            return TRUE;
    return FALSE;
}

BOOL CComboGridCtrl::SetComboItemText(int row, int col, int item)
{
    int nIndex = IsColumnCombo(col);
    if (nIndex < 0)
        return FALSE;
    const CStringArray* pItems = m_arComboCols[nIndex].pItems;
    if (item < 0 || item >= pItems->GetSize())
        return FALSE;
    return CVXGridCtrl::SetItemText(row, col, (*pItems)[item]);
}

BOOL CComboGridCtrl::SetItemText(int nRow, int nCol, LPCTSTR str)
{
    if (!IsTextAcceptable(nRow, nCol, str))
        return FALSE;
    return CVXGridCtrl::SetItemText(nRow, nCol, str);
}

// A refused text refuses the whole record: no other attribute is applied.
BOOL CComboGridCtrl::SetItem(const GV_ITEM* pItem)
{
    if (pItem != NULL && (pItem->mask & GIM_TEXT) && !IsTextAcceptable(pItem->row, pItem->col, pItem->szText))
        return FALSE;
    return CVXGridCtrl::SetItem(pItem);
}

// Any row of a combo column, fixed rows included, gets the drop-down list
// when the grid asks for an editor.
void CComboGridCtrl::CreateInPlaceEditControl(CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                                              LPCTSTR szText, int nChar)
{
    int nIndex = IsColumnCombo(nCol);
    if (nIndex < 0)
    {
        CVXGridCtrl::CreateInPlaceEditControl(rect, dwStyle, nID, nRow, nCol, szText, nChar);
        return;
    }
    // The list deletes itself with its window; one whose window could not
    // be made is deleted here.
    CInPlaceList* pList = new CInPlaceList(this, rect, m_dwComboBoxStyle, nID, nRow, nCol,
                                           *m_arComboCols[nIndex].pItems, szText, (UINT)nChar);
    if (pList->GetSafeHwnd() == NULL)
        delete pList;
}
