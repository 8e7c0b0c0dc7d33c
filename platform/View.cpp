// CView and the creation of views from their run-time classes.
#include "platform/View.h"
#include "platform/FrameWnd.h"
#include "platform/core/Exceptions.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
    {
        static LPCSTR s_pszViewClass = nullptr;
        if (!s_pszViewClass)
            s_pszViewClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                                 ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
        cs.lpszClass = s_pszViewClass;
    }
    return TRUE;
}

void CView::OnInitialUpdate()
{
    Invalidate(TRUE);
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITIALUPDATE)
    {
        OnInitialUpdate();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CView::OnPrepareDC(CDC*)
{
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    // A click makes the view the one its frame routes commands to.
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame)
        pFrame->SetActiveView(this);
    if (::GetFocus() != m_hWnd && !::IsChild(m_hWnd, ::GetFocus()))
        ::SetFocus(m_hWnd);
    return nResult;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(nullptr);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    delete this;
}

// ---------------------------------------------------------------------------

CWnd* AfxCreateWindowObject(CRuntimeClass* pClass)
{
    if (!pClass || !pClass->IsDynamicCreatable())
        return nullptr;
    CObject* pObject = nullptr;
    try
    {
        pObject = pClass->CreateObject();
    }
    catch (CException* e)
    {
        e->Delete();
        return nullptr;
    }
    if (!pObject)
        return nullptr;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CWnd)))
    {
        delete pObject;
        return nullptr;
    }
    return static_cast<CWnd*>(pObject);
}

BOOL AfxCreateWindowOrDelete(CWnd* pWnd, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                             CCreateContext* pContext)
{
    if (!pWnd)
        return FALSE;
    // Asked before creating: after a failed creation a view no longer exists.
    const bool bDeletesItself = pWnd->IsKindOf(RUNTIME_CLASS(CView));
    if (pWnd->Create(nullptr, nullptr, dwStyle, rect, pParentWnd, nID, pContext))
        return TRUE;
    if (!bDeletesItself)
        delete pWnd;
    return FALSE;
}

CWnd* AfxCreateView(CWnd* pParent, CCreateContext* pContext, UINT nID, DWORD dwStyle, const RECT* pRect)
{
    if (!pParent || !pParent->m_hWnd || !pContext)
        return nullptr;
    CWnd* pView = AfxCreateWindowObject(pContext->m_pNewViewClass);
    if (!pView)
        return nullptr;
    CRect rc(0, 0, 0, 0);
    if (pRect)
        rc = *pRect;
    if (!AfxCreateWindowOrDelete(pView, dwStyle, rc, pParent, nID, pContext))
        return nullptr;
    if (pView->IsKindOf(RUNTIME_CLASS(CView)))
        pContext->m_pLastView = static_cast<CView*>(pView);
    return pView;
}
