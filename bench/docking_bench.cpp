// Docking layout cost: RecalcLayout of a frame with 1, 10 and 50 sizing
// bars docked in 4 rows, per bar after taking away the cost of the same
// frame with no bars (measured in the same run); and one step of a live
// edge drag (a mouse move and the layout it asks for) against one
// RecalcLayout of the same frame.
#include "bars/SizingControlBar.h"
#include "BenchClock.h"
#include <stdio.h>
#include <algorithm>
#include <memory>
#include <vector>

namespace
{
struct Frame
{
    CFrameWnd* pFrame = nullptr;
    CWnd pane;
    std::vector<std::unique_ptr<CSizingControlBarG>> bars;

    explicit Frame(int nBars)
    {
        pFrame = new CFrameWnd;
        pFrame->Create(nullptr, "bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1600, 1000));
        pane.Create(AfxRegisterWndClass(0), "pane", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), pFrame,
                    AFX_IDW_PANE_FIRST);
        pFrame->EnableDocking(CBRS_ALIGN_ANY);
        // Four rows: two on the top side, two on the left.
        const UINT sides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT,
                               AFX_IDW_DOCKBAR_LEFT};
        std::vector<CControlBar*> rows[4];
        for (int i = 0; i < nBars; ++i)
        {
            auto p = std::make_unique<CSizingControlBarG>();
            p->Create("bar", pFrame, CSize(120, 80), TRUE, 1000 + i, WS_CHILD | WS_VISIBLE | CBRS_TOP);
            p->EnableDocking(CBRS_ALIGN_ANY);
            pFrame->DockControlBar(p.get(), sides[i % 4]);
            rows[i % 4].push_back(p.get());
            bars.push_back(std::move(p));
        }
        for (int r = 0; r < 4; ++r)
        {
            if (rows[r].empty())
                continue;
            CDockBar* pDock = static_cast<CDockBar*>(pFrame->GetControlBar(sides[r]));
            for (CControlBar* p : rows[r])
                pDock->RemoveControlBar(p);
            for (CControlBar* p : rows[r])
                pDock->m_arrBars.Add(p);
            pDock->m_arrBars.Add(nullptr);
        }
        pFrame->RecalcLayout();
        Idle();
    }
    ~Frame()
    {
        pFrame->DestroyWindow();
    }
    void Idle()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    }
};

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Median seconds of one RecalcLayout.
double TimeLayout(Frame& f, int nReps)
{
    std::vector<double> t;
    for (int i = 0; i < nReps; ++i)
    {
        double t0 = Now();
        f.pFrame->RecalcLayout();
        t.push_back(Now() - t0);
    }
    return Median(t);
}
}  // namespace

int main()
{
    const int nReps = 201;
    printf("RecalcLayout with sizing bars in 4 rows (median of %d)\n", nReps);
    Frame f0(0);
    TimeLayout(f0, 20);
    double t0 = TimeLayout(f0, nReps);
    printf("  baseline, no bars: %8.1f us\n", t0 * 1e6);
    const int sizes[] = {1, 10, 50};
    double perBar[3] = {};
    double tLayout10 = 0;
    for (int k = 0; k < 3; ++k)
    {
        Frame f(sizes[k]);
        TimeLayout(f, 20);
        double t = TimeLayout(f, nReps);
        if (sizes[k] == 10)
            tLayout10 = t;
        perBar[k] = (t - t0) / sizes[k];
        printf("  %2d bars: %8.1f us, per bar %6.1f us\n", sizes[k], t * 1e6, perBar[k] * 1e6);
    }
    double lo = *std::min_element(perBar, perBar + 3), hi = *std::max_element(perBar, perBar + 3);
    printf("  per-bar cost spread (largest / smallest): %.2fx (target at most 1.5x)\n", hi / lo);

    // One live drag step on the 10-bar frame: the centre edge of the first
    // top bar moves by one pixel and the frame lays out at idle time.
    Frame f(10);
    CSizingControlBarG* pBar = f.bars[0].get();
    pBar->m_bLiveDrag = TRUE;
    CRect rc;
    pBar->GetWindowRect(&rc);
    CPoint ptEdge(rc.left + 60, rc.bottom - 3);
    pBar->SendMessage(WM_NCLBUTTONDOWN, HTBOTTOM, MAKELPARAM(ptEdge.x, ptEdge.y));
    std::vector<double> steps;
    for (int i = 0; i < nReps; ++i)
    {
        CPoint pt = ptEdge + CPoint(0, (i % 2) ? 1 : 0);
        pBar->ScreenToClient(&pt);
        double ts = Now();
        pBar->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        f.pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
        steps.push_back(Now() - ts);
    }
    pBar->SendMessage(WM_LBUTTONUP, 0, 0);
    double tStep = Median(steps);
    double tLayout = TimeLayout(f, nReps);
    (void)tLayout10;
    printf("Live edge drag step (10 bars): %8.1f us; one RecalcLayout %8.1f us; ratio %.2fx (target at most 2x)\n",
           tStep * 1e6, tLayout * 1e6, tStep / tLayout);
    return 0;
}
