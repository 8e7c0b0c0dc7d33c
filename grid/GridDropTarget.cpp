// CGridDropTarget: the grid's drop target object.

#include "grid/GridDropTarget.h"
#include "grid/GridCtrl.h"

CGridDropTarget::CGridDropTarget()
    : m_pGridCtrl(NULL), m_bRegistered(FALSE)
{
}

CGridDropTarget::~CGridDropTarget()
{
}

BOOL CGridDropTarget::Register(CVXGridCtrl* pGridCtrl)
{
    if (m_bRegistered || pGridCtrl == NULL || !pGridCtrl->IsKindOf(RUNTIME_CLASS(CVXGridCtrl)))
        return FALSE;
    m_pGridCtrl = pGridCtrl;
    m_bRegistered = COleDropTarget::Register(pGridCtrl);
    return m_bRegistered;
}

void CGridDropTarget::Revoke()
{
    m_bRegistered = FALSE;
    COleDropTarget::Revoke();
}

BOOL CGridDropTarget::IsGridWindow(CWnd* pWnd) const
{
    return pWnd != NULL && m_pGridCtrl != NULL && pWnd->GetSafeHwnd() != NULL &&
           pWnd->GetSafeHwnd() == m_pGridCtrl->GetSafeHwnd();
}

DROPEFFECT CGridDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!IsGridWindow(pWnd))
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CGridDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!IsGridWindow(pWnd))
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragOver(pDataObject, dwKeyState, point);
}

void CGridDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (IsGridWindow(pWnd))
        m_pGridCtrl->OnDragLeave();
}

BOOL CGridDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    if (!IsGridWindow(pWnd))
        return FALSE;
    return m_pGridCtrl->OnDrop(pDataObject, dropEffect, point);
}

DROPEFFECT CGridDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint /*point*/)
{
    if (!IsGridWindow(pWnd))
        return DROPEFFECT_NONE;
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
