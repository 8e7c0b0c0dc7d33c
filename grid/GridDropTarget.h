#pragma once

// CGridDropTarget: the grid's drop target. Every grid holds one as a member
// and registers it for its window when the window is created or subclassed;
// it hands the drop notifications for that window to the grid.

#include "platform/core/kvExport.h"
#include "platform/core/WinTypes.h"
#include "platform/OleDataTransfer.h"

class CVXGridCtrl;

class KVVX_API CGridDropTarget : public COleDropTarget
{
public:
    CGridDropTarget();
    ~CGridDropTarget() override;

    // FALSE when already registered, for NULL or for a window that is not a
    // grid; otherwise registers for the grid's window and answers whether
    // that worked (a grid whose registration failed just gets no drops).
    BOOL Register(CVXGridCtrl* pGridCtrl);
    void Revoke() override;

    // Forwarded to the grid when pWnd is the grid's window; refused (none,
    // FALSE, nothing) for any other window.
    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    // Copy with Ctrl held, move otherwise; never a scroll effect: the grid
    // scrolls itself while the pointer is dragged near its edges.
    DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;

    CVXGridCtrl* m_pGridCtrl;   // the grid served, NULL until registered
    BOOL m_bRegistered;         // registered with OLE for the grid's window

private:
    BOOL IsGridWindow(CWnd* pWnd) const;

    CGridDropTarget(const CGridDropTarget&) = delete;
    CGridDropTarget& operator=(const CGridDropTarget&) = delete;
};
