// CVXGridCtrl: the title tip over cells whose text does not fit.

#include "grid/GridCtrl.h"

// Shows the tip over the cell under the mouse (fixed cells included) while
// no mouse mode is active; the tip itself decides whether the text fits.
void CVXGridCtrl::UpdateTitleTip(CPoint point)
{
    if (!m_bTitleTips || m_nMouseMode != GMM_IDLE || m_titleTip.GetSafeHwnd() == NULL)
        return;
    CVXCellID cell = GetCellFromPt(point, TRUE);
    if (!IsValid(cell))
        return;
    CRect rcText, rcCell;
    if (!GetTextRect(cell.row, cell.col, &rcText) || !GetCellRect(cell.row, cell.col, &rcCell))
        return;
    CString str = GetItemText(cell.row, cell.col);
    if (str.IsEmpty())
        return;
    m_titleTip.Show(rcText, str, 0, &rcCell, GetItemFont(cell.row, cell.col));
}

void CVXGridCtrl::CreateTitleTip()
{
    if (m_bTitleTips && m_titleTip.GetSafeHwnd() == NULL)
        m_titleTip.Create(this);
}
