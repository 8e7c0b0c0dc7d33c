#pragma once
// CView: a child window that shows something. It paints through OnDraw,
// is told once when its frame is ready (OnInitialUpdate), and is created
// dynamically from its run-time class by the frame, splitter or tab window
// that holds it (declare it DECLARE_DYNCREATE / IMPLEMENT_DYNCREATE). A view
// is a heap object that deletes itself when its window is destroyed, so the
// window that holds it never deletes it.
//
// CCreateContext carries what a frame or a splitter knows when it creates
// the views of a window: the class of the view to create and the frame the
// view belongs to. It reaches a view's OnCreate through the creation
// parameter (CREATESTRUCT::lpCreateParams).
#include "platform/Wnd.h"

class CView;

struct KVVX_API CCreateContext
{
    // Class of the view a frame or splitter creates (NULL: none).
    CRuntimeClass* m_pNewViewClass = nullptr;
    // The frame the new view belongs to.
    CFrameWnd* m_pCurrentFrame = nullptr;
    // The view created last with this context (filled in by the creator).
    CView* m_pLastView = nullptr;
};

// Sent to every view of a frame by CFrameWnd::InitialUpdateFrame; a view
// answers with OnInitialUpdate.
#define WM_INITIALUPDATE 0x0364

// Style of the views frames and splitters create.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class KVVX_API CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;

    // Called once after the view and its frame exist; the base repaints.
    virtual void OnInitialUpdate();
    // Called before OnDraw with the device context it will draw into.
    virtual void OnPrepareDC(CDC* pDC);
    // Draws the view's contents.
    virtual void OnDraw(CDC* pDC) = 0;

    CFrameWnd* GetParentFrame() const { return CWnd::GetParentFrame(); }

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) override;
    // A view that goes stops being its frame's active view.
    void OnDestroy() override;
    // Views delete themselves with their window.
    void PostNcDestroy() override;
};

// Creates a view window from pContext->m_pNewViewClass as child nID of
// pParent (AFX_WS_DEFAULT_VIEW, empty rectangle). The new view, or NULL
// when the class is missing, cannot be created dynamically, is not a window
// class, or its window cannot be made; nothing is left behind then.
KVVX_API CWnd* AfxCreateView(CWnd* pParent, CCreateContext* pContext, UINT nID,
                             DWORD dwStyle = AFX_WS_DEFAULT_VIEW, const RECT* pRect = nullptr);
// Creates an object of pClass as a window, or NULL (nothing left behind).
KVVX_API CWnd* AfxCreateWindowObject(CRuntimeClass* pClass);
// Creates the window of a window object made by AfxCreateWindowObject
// (CWnd::Create with no class or window name). When that fails the object
// is gone afterwards, deleted exactly once: views delete themselves as their
// creation fails, any other object is deleted here.
KVVX_API BOOL AfxCreateWindowOrDelete(CWnd* pWnd, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                                      CCreateContext* pContext);
