#pragma once
// A docking frame for the bar tests: a real top-level frame (hidden unless
// a test needs the screen) with dock bars on all four sides, a main pane,
// and sizing bars the test creates. The frame deletes itself with its
// window; the bars are owned here and outlive it.
#include <gtest/gtest.h>
#include "bars/SizingControlBar.h"
#include "platform/WinApp.h"
#include <memory>
#include <vector>

namespace barstest
{

inline void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Runs the idle update the message loop would run: delayed layouts and the
// bars' command updates.
inline void Idle(CFrameWnd* pFrame)
{
    Pump();
    pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}

class DockingFrame
{
public:
    explicit DockingFrame(bool bVisible = false, CRect rc = CRect(40, 40, 840, 640))
    {
        m_pFrame = new CFrameWnd;
        m_pFrame->Create(nullptr, "Docking test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rc);
        m_pane.Create(AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_WINDOW + 1)), "pane",
                      WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), m_pFrame, AFX_IDW_PANE_FIRST);
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_hWndFrame = m_pFrame->m_hWnd;
        if (bVisible)
        {
            m_pFrame->ShowWindow(SW_SHOWNORMAL);
            m_pFrame->UpdateWindow();
        }
    }
    ~DockingFrame()
    {
        // The frame object deletes itself with its window (perhaps already).
        if (::IsWindow(m_hWndFrame))
            ::DestroyWindow(m_hWndFrame);
        Pump();
    }
    HWND m_hWndFrame = nullptr;

    // A gripper bar docked on nSide (a new row unless lpRect says where).
    CSizingControlBarG* AddBar(UINT nID, UINT nSide, LPCRECT lpRect = nullptr, CSize size = CSize(200, 200))
    {
        auto p = std::make_unique<CSizingControlBarG>();
        if (!p->Create("bar", m_pFrame, size, TRUE, nID, WS_CHILD | WS_VISIBLE | CBRS_TOP))
            return nullptr;
        p->SetBarStyle(p->GetBarStyle() | CBRS_SIZE_DYNAMIC);
        p->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(p.get(), nSide, lpRect);
        m_bars.push_back(std::move(p));
        return m_bars.back().get();
    }
    CDockBar* Dock(UINT nSide) { return static_cast<CDockBar*>(m_pFrame->GetControlBar(nSide)); }
    // Puts the bars into one row of their dock bar, in this order.
    void MakeRow(CDockBar* pDock, std::vector<CControlBar*> bars)
    {
        for (CControlBar* p : bars)
            pDock->RemoveControlBar(p);
        for (CControlBar* p : bars)
            pDock->m_arrBars.Add(p);
        pDock->m_arrBars.Add(nullptr);
    }
    CRect PaneRect()
    {
        CRect rc;
        m_pane.GetWindowRect(&rc);
        m_pFrame->ScreenToClient(&rc);
        return rc;
    }
    CRect ClientRect()
    {
        CRect rc;
        m_pFrame->GetClientRect(&rc);
        return rc;
    }
    // A window's rectangle in its parent's client coordinates.
    static CRect InParent(CWnd* p)
    {
        CRect rc;
        p->GetWindowRect(&rc);
        ::MapWindowPoints(nullptr, ::GetParent(p->m_hWnd), (LPPOINT)&rc, 2);
        return rc;
    }

    CFrameWnd* m_pFrame = nullptr;
    CWnd m_pane;
    std::vector<std::unique_ptr<CSizingControlBarG>> m_bars;
};

}  // namespace barstest
