// The dialog and frame windows through 1,000 cycles each: a tab window with
// a view per tab, a frame split by the lockable splitter into views, an
// expanding dialog expanded and collapsed by its button; and the
// progress-note window fed with notes.
#include "LeakHarness.h"

#include "datafiles/ProcessNote.h"
#include "dialogs/ExpandingDialog.h"
#include "dialogs/MCSplitterWnd.h"
#include "dialogs/TabWindow.h"
#include "platform/FrameWnd.h"
#include "platform/View.h"

#include <gtest/gtest.h>

namespace
{

// A view that fills itself with a brush of its own.
class CLeakView : public CView
{
    DECLARE_DYNCREATE(CLeakView)
protected:
    void OnDraw(CDC* pDC) override
    {
        CRect rc;
        GetClientRect(&rc);
        CBrush brush(RGB(30, 120, 200));
        pDC->FillRect(&rc, &brush);
        pDC->TextOut(2, 2, "view", 4);
    }
};
IMPLEMENT_DYNCREATE(CLeakView, CView)

class CSplitFrame : public CFrameWnd
{
public:
    CMCSplitterWnd m_split;
protected:
    BOOL OnCreateClient(LPCREATESTRUCTA, CCreateContext* pContext) override
    {
        return m_split.CreateStatic(this, 1, 2)
            && m_split.CreateView(0, 0, RUNTIME_CLASS(CLeakView), CSize(150, 100), pContext)
            && m_split.CreateView(0, 1, RUNTIME_CLASS(CLeakView), CSize(0, 0), pContext);
    }
};

} // namespace

TEST(Leaks, TabWindowWithViews)
{
    CLeakHost host;
    int nShown = 0;
    LeakReport r = RunLeakCycles("tab window", [&](LeakCycle& c) {
        CTabWindow tab;
        ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(10, 10, 410, 310), &host.wnd, 100));
        const char* labels[3] = { "Red", "Green", "Blue" };
        for (int i = 0; i < 3; ++i)
            ASSERT_NE(tab.AddTabView(RUNTIME_CLASS(CLeakView), &host.wnd, i, labels[i]), nullptr);
        CRect rc(10, 10, 410, 310);
        tab.MoveTabView(rc);
        tab.SetCurSel(c.Index() % 3);
        nShown += tab.ShowSelTabView() == c.Index() % 3;
        host.wnd.UpdateWindow();
        c.Alive();
        // The views belong to their parent, the host: they go with their
        // windows (and delete themselves).
        for (int i = 0; i < 3; ++i)
            tab.GetTabView(i)->DestroyWindow();
        tab.DestroyWindow();
    });
    ExpectNothingLeft(r);
    EXPECT_EQ(nShown, 1020);
}

TEST(Leaks, SplitFrame)
{
    LeakReport r = RunLeakCycles("splitter frame", [&](LeakCycle& c) {
        CSplitFrame* pFrame = new CSplitFrame;   // deletes itself with its window
        CCreateContext context;
        ASSERT_TRUE(pFrame->Create(nullptr, "split", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr, nullptr, 0,
                                   nullptr, &context));
        pFrame->m_split.SetResizable(c.Index() % 2);
        pFrame->RecalcLayout();
        // A press on the bar starts a drag when the splitter may be resized.
        CRect rc;
        pFrame->m_split.GetPane(0, 0)->GetWindowRect(&rc);
        pFrame->m_split.ScreenToClient(&rc);
        const LPARAM at = MAKELPARAM(rc.right + 2, 20);
        ::SendMessageA(pFrame->m_split.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageA(pFrame->m_split.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rc.right + 30, 20));
        ::SendMessageA(pFrame->m_split.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(rc.right + 30, 20));
        c.Alive();
        pFrame->DestroyWindow();
    });
    ExpectNothingLeft(r, true, false);   // hidden: nothing of it is drawn
}

TEST(Leaks, ProgressNote)
{
    // The note is a shown, activated top-level window (fast to take down
    // only because the program's windows are kept from the window manager:
    // see tests.cmake).
    CLeakHost host;
    LeakReport r = RunLeakCycles("progress note", [&](LeakCycle& c) {
        HWND hNote = cmCreateProcessNoteWnd(host.wnd.m_hWnd, "Loading");
        ASSERT_NE(hNote, nullptr);
        cmSetPrpocessNote(hNote, "reading the table");
        cmSetPrpocessNote(hNote, "sorting");
        c.Alive();
        cmDestroyProcessNoteWnd(hNote, 1);
    });
    ExpectNothingLeft(r);
    EXPECT_TRUE(::IsWindowEnabled(host.wnd.m_hWnd));
}

TEST(Leaks, ExpandingDialog)
{
    const UINT kTemplate = 310, kMarker = 311, kButton = 312, kAdvancedEdit = 313;
    CLeakHost host;
    int nToggled = 0;
    LeakReport r = RunLeakCycles("expanding dialog", [&](LeakCycle& c) {
        CExpandingDialog dlg(kTemplate, &host.wnd, kMarker, kButton, "More >>", "<< Less", TRUE);
        ASSERT_TRUE(dlg.Create(kTemplate, &host.wnd));
        dlg.ShowWindow(SW_SHOWNOACTIVATE);
        dlg.UpdateWindow();
        const HWND hEdit = ::GetDlgItem(dlg.m_hWnd, kAdvancedEdit);
        const bool bCollapsed = !dlg.IsExpanded() && !::IsWindowVisible(hEdit);
        // The button expands it (the advanced part shows), then collapses it.
        ::SendDlgItemMessageA(dlg.m_hWnd, kButton, BM_CLICK, 0, 0);
        const bool bExpanded = dlg.IsExpanded() && ::IsWindowVisible(hEdit);
        dlg.UpdateWindow();
        ::SendDlgItemMessageA(dlg.m_hWnd, kButton, BM_CLICK, 0, 0);
        nToggled += bCollapsed && bExpanded && !dlg.IsExpanded() && !::IsWindowVisible(hEdit);
        if (c.Index() % 2)
            dlg.Expand(TRUE);   // half of them go expanded
        c.Alive();
        dlg.DestroyWindow();
    });
    ExpectNothingLeft(r);
    EXPECT_EQ(nToggled, 1020);
}
