// CVXGridCtrl: dragging the selection out of a grid and dropping text into
// one. The text dragged is the clipboard text of the selection; a drop
// pastes it from the cell under the pointer. A drag with the move effect
// empties the source cells that are still selected.

#include "grid/GridCtrl.h"
#include "platform/OleDataTransfer.h"
#include "platform/ImageList.h"

// The band along the edges of the cell area in which a drag scrolls the
// grid, and the pause between two scroll steps.
static const int kDragScrollInset = 11;
static const DWORD kDragScrollInterval = 50;
static DWORD s_dwLastDragScroll = 0;

static DROPEFFECT EffectForKeys(DWORD dwKeyState)
{
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CVXGridCtrl::OnBeginDrag()
{
    if (!m_bDragAndDrop)
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (pSource == NULL)
    {
        m_nMouseMode = GMM_IDLE;
        return;
    }

    CVXCellRange range = GetSelectedCellRange();
    SendMessageToParent(range.minRow, range.minCol, GRIDN_BEGINDRAG);

    m_nMouseMode = GMM_DRAGGING;
    DROPEFFECT dropEffect = pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    // Only a drop that really moved the text empties the source; a refused
    // or cancelled drag reports no effect and leaves every cell alone.
    if (dropEffect == DROPEFFECT_MOVE && GetSafeHwnd() != NULL)
        CutSelectedText();
    // Wherever the drag ended (here, in another window, nowhere), the mouse
    // is idle again, so typing starts an edit as before.
    m_nMouseMode = GMM_IDLE;
    pSource->InternalRelease();
}

// Scrolls one line towards the edge the pointer is near, at most once per
// kDragScrollInterval, so that dragging to the edge of the view reaches the
// cells beyond it.
void CVXGridCtrl::DragScroll(CPoint point)
{
    CRect rc;
    GetClientRect(&rc);
    const int nTop = GetFixedRowHeight();
    const int nLeft = GetFixedColumnWidth();
    int nBar = -1;
    UINT nCode = 0;
    if (point.y >= 0 && point.y < nTop + kDragScrollInset && m_nVScrollRange > 0)
        nBar = SB_VERT, nCode = SB_LINEUP;
    else if (point.y >= rc.bottom - kDragScrollInset && point.y < rc.bottom && m_nVScrollRange > 0)
        nBar = SB_VERT, nCode = SB_LINEDOWN;
    else if (point.x >= 0 && point.x < nLeft + kDragScrollInset && m_nHScrollRange > 0)
        nBar = SB_HORZ, nCode = SB_LINEUP;
    else if (point.x >= rc.right - kDragScrollInset && point.x < rc.right && m_nHScrollRange > 0)
        nBar = SB_HORZ, nCode = SB_LINEDOWN;
    if (nBar < 0)
        return;
    // Nothing to do at the end the pointer points to.
    const int nPos = GetScrollPos32(nBar);
    if (nCode == SB_LINEUP ? nPos <= 0 : nPos >= GetScrollLimit(nBar))
        return;
    DWORD dwNow = ::GetTickCount();
    if (dwNow - s_dwLastDragScroll < kDragScrollInterval)
        return;
    s_dwLastDragScroll = dwNow;
    HandleScroll(nBar == SB_HORZ, nCode);
    UpdateWindow();
}

DROPEFFECT CVXGridCtrl::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_bDragAndDrop || pDataObject == NULL || !pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;

    m_cellLastDragOver = GetCellFromPt(point, FALSE);
    if (!IsValid(m_cellLastDragOver) || !IsCellEditable(m_cellLastDragOver))
        return DROPEFFECT_NONE;

    SetItemState(m_cellLastDragOver.row, m_cellLastDragOver.col,
                 GetItemState(m_cellLastDragOver.row, m_cellLastDragOver.col) | GCS_DROPHILITED);
    RedrawCell(m_cellLastDragOver);
    return EffectForKeys(dwKeyState);
}

DROPEFFECT CVXGridCtrl::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_bDragAndDrop || !m_bEditable || pDataObject == NULL || !pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;

    DragScroll(point);

    CVXCellID cell = GetCellFromPt(point, FALSE);
    if (!IsValid(cell))
    {
        OnDragLeave();
        m_cellLastDragOver = CVXCellID(-1, -1);
        return DROPEFFECT_NONE;
    }
    if (!IsCellEditable(cell))
        return DROPEFFECT_NONE;

    if (cell != m_cellLastDragOver)
    {
        if (IsValid(m_cellLastDragOver))
        {
            SetItemState(m_cellLastDragOver.row, m_cellLastDragOver.col,
                         GetItemState(m_cellLastDragOver.row, m_cellLastDragOver.col) & ~GCS_DROPHILITED);
            RedrawCell(m_cellLastDragOver);
        }
        m_cellLastDragOver = cell;
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GCS_DROPHILITED);
        RedrawCell(cell);
    }
    return EffectForKeys(dwKeyState);
}

void CVXGridCtrl::OnDragLeave()
{
    if (!IsValid(m_cellLastDragOver))
        return;
    SetItemState(m_cellLastDragOver.row, m_cellLastDragOver.col,
                 GetItemState(m_cellLastDragOver.row, m_cellLastDragOver.col) & ~GCS_DROPHILITED);
    RedrawCell(m_cellLastDragOver);
}

BOOL CVXGridCtrl::OnDrop(COleDataObject* pDataObject, DROPEFFECT /*dropEffect*/, CPoint /*point*/)
{
    if (!m_bDragAndDrop || !IsValid(m_cellLastDragOver) || !IsCellEditable(m_cellLastDragOver))
        return FALSE;
    m_nMouseMode = GMM_IDLE;
    OnDragLeave();
    return PasteTextToGrid(m_cellLastDragOver, pDataObject);
}

CImageList* CVXGridCtrl::CreateDragImage(CPoint* pHotSpot)
{
    CDC* pDC = GetSafeHwnd() != NULL ? GetDC() : NULL;
    if (pDC == NULL)
        return NULL;

    CRect rect;
    if (!GetCellRect(m_cellFocus.row, m_cellFocus.col, &rect))
    {
        ReleaseDC(pDC);
        return NULL;
    }
    rect.OffsetRect(-rect.left, -rect.top);
    const int cx = rect.Width(), cy = rect.Height();

    CImageList* pList = new CImageList;
    CBitmap bitmap;
    CDC memDC;
    BOOL bOk = pList->Create(cx, cy, ILC_COLOR24 | ILC_MASK, 1, 1) &&
               memDC.CreateCompatibleDC(pDC) && bitmap.CreateCompatibleBitmap(pDC, cx, cy);
    if (bOk)
    {
        CBitmap* pOld = memDC.SelectObject(&bitmap);
        memDC.FillSolidRect(rect, m_crTextBk);
        DrawCell(&memDC, m_cellFocus.row, m_cellFocus.col, rect, TRUE);
        memDC.SelectObject(pOld);
        bOk = pList->Add(&bitmap, m_crTextBk) >= 0;
    }
    ReleaseDC(pDC);
    if (!bOk)
    {
        delete pList;
        return NULL;
    }
    if (pHotSpot != NULL)
    {
        pHotSpot->x = cx;
        pHotSpot->y = cy;
    }
    return pList;
}
