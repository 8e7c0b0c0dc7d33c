// Drag-and-drop between two grids with real OLE: real pointer input
// (SendInput stepped by a timer, which keeps firing inside the modal drag
// loop) drags a selection from one grid into the other as a move, as a
// copy with Ctrl, and onto a header where the drop is refused. The
// drop-target calls are also made directly for the highlight and the
// refusal rules.

#include "grid_window_util.h"
#include "platform/OleDataTransfer.h"

#include <vector>

using namespace gridtest;

namespace
{

class CDragGrid : public CTestGrid
{
public:
    using CTestGrid::CTestGrid;
    CGridDropTarget& DropTarget() { return m_dropTarget; }
    CVXCellID LastDragOver() const { return m_cellLastDragOver; }
};

void Pump(DWORD dwMillis)
{
    DWORD dwStart = ::GetTickCount();
    do
    {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() - dwStart < dwMillis);
}

// One input step: a pointer move to (x, y) in screen pixels, a left button
// change, or a Ctrl key change.
struct Step
{
    enum Kind { Move, LeftDown, LeftUp, CtrlDown, CtrlUp } kind;
    POINT pt;
};

std::vector<Step> g_steps;
size_t g_nStep = 0;

void SendStep(const Step& s)
{
    INPUT in;
    memset(&in, 0, sizeof(in));
    if (s.kind == Step::CtrlDown || s.kind == Step::CtrlUp)
    {
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = VK_CONTROL;
        in.ki.dwFlags = s.kind == Step::CtrlUp ? KEYEVENTF_KEYUP : 0;
    }
    else
    {
        in.type = INPUT_MOUSE;
        const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
        in.mi.dx = ::MulDiv(s.pt.x, 65535, cx - 1);
        in.mi.dy = ::MulDiv(s.pt.y, 65535, cy - 1);
        in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE |
                        (s.kind == Step::LeftDown ? MOUSEEVENTF_LEFTDOWN : 0) |
                        (s.kind == Step::LeftUp ? MOUSEEVENTF_LEFTUP : 0);
    }
    ::SendInput(1, &in, sizeof(in));
}

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_nStep < g_steps.size())
        SendStep(g_steps[g_nStep++]);
}

// Runs the steps one per timer tick and waits until they are done and the
// drop has settled.
void RunSteps(const std::vector<Step>& steps)
{
    g_steps = steps;
    g_nStep = 0;
    UINT_PTR id = ::SetTimer(NULL, 0, 40, StepTimer);
    DWORD dwStart = ::GetTickCount();
    while (g_nStep < g_steps.size() && ::GetTickCount() - dwStart < 20000)
        Pump(20);
    ::KillTimer(NULL, id);
    Pump(300);
}

POINT CellCentre(CVXGridCtrl& grid, int row, int col)
{
    CRect rc;
    grid.GetCellRect(row, col, &rc);
    POINT pt = { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
    ::ClientToScreen(grid.GetSafeHwnd(), &pt);
    return pt;
}

POINT Offset(POINT pt, int dx, int dy)
{
    POINT p = { pt.x + dx, pt.y + dy };
    return p;
}

// The drag of cell (1, 2) of the source (selected with (1, 1)) to a point
// over the target, with Ctrl pressed just before the release for a copy.
std::vector<Step> DragSteps(CVXGridCtrl& from, POINT to, bool bCtrl)
{
    POINT start = CellCentre(from, 1, 2);
    std::vector<Step> steps = {
        { Step::Move, start },
        { Step::LeftDown, start },
        { Step::Move, Offset(start, 6, 0) },
        { Step::Move, Offset(start, 14, 2) },
        { Step::Move, Offset(to, -20, -3) },
        { Step::Move, Offset(to, -2, 0) },
        { Step::Move, to },
    };
    if (bCtrl)
        steps.push_back({ Step::CtrlDown, to });
    steps.push_back({ Step::LeftUp, to });
    if (bCtrl)
        steps.push_back({ Step::CtrlUp, to });
    return steps;
}

// A visible parent with two standard grids side by side.
struct TwoGrids
{
    CRecordingParent parent;
    CDragGrid a, b;
    bool ok = false;

    TwoGrids()
    {
        ::SetWindowPos(parent.m_hWnd, HWND_TOPMOST, 0, 0, 760, 320, SWP_SHOWWINDOW);
        ok = CreateStandardGrid(a, parent.Wnd(), 1) && CreateStandardGrid(b, parent.Wnd(), 2);
        if (!ok)
            return;
        b.MoveWindow(360, 0, 290 + ::GetSystemMetrics(SM_CXVSCROLL), 190 + ::GetSystemMetrics(SM_CYHSCROLL));
        a.EnableDragAndDrop(TRUE);
        b.EnableDragAndDrop(TRUE);
        ::UpdateWindow(parent.m_hWnd);
        Pump(100);
    }

    // The source selection: (1, 1) and (1, 2) holding the texts given, the
    // focus on (1, 1) and the keyboard focus in the source grid.
    void PrepareSource(const char* s1, const char* s2)
    {
        a.SetItemText(1, 1, s1);
        a.SetItemText(1, 2, s2);
        a.SetSelectedRange(1, 1, 1, 2);
        a.SetFocusCell(1, 1);
        ::SetForegroundWindow(parent.m_hWnd);
        a.SetFocus();
        Pump(50);
    }
};

std::string Text(CVXGridCtrl& grid, int row, int col)
{
    return std::string(grid.GetItemText(row, col));
}

} // namespace

TEST(GridDragDrop, RealDragsMoveCopyAndAreRefusedOverHeaders)
{
    TwoGrids g;
    ASSERT_TRUE(g.ok);
    ASSERT_TRUE(g.a.DropTarget().m_bRegistered);
    ASSERT_TRUE(g.b.DropTarget().m_bRegistered);

    // A move: the target gets the texts, the source cells are emptied.
    g.PrepareSource("m1", "m2");
    g.parent.notes.clear();
    RunSteps(DragSteps(g.a, CellCentre(g.b, 3, 2), false));
    EXPECT_EQ("m1", Text(g.b, 3, 2));
    EXPECT_EQ("m2", Text(g.b, 3, 3));
    EXPECT_EQ("", Text(g.a, 1, 1));
    EXPECT_EQ("", Text(g.a, 1, 2));
    EXPECT_EQ(0u, g.b.GetItemState(3, 2) & GCS_DROPHILITED);
    EXPECT_EQ(GMM_IDLE, g.a.GetMouseMode());
    bool bBeginDrag = false;
    for (const Notification& n : g.parent.notes)
        if (n.code == GRIDN_BEGINDRAG && n.hwndFrom == g.a.GetSafeHwnd() && n.row == 1 && n.col == 1)
            bBeginDrag = true;
    EXPECT_TRUE(bBeginDrag);

    // With Ctrl held at the drop: a copy, the source keeps its texts.
    g.PrepareSource("c1", "c2");
    RunSteps(DragSteps(g.a, CellCentre(g.b, 5, 2), true));
    EXPECT_EQ("c1", Text(g.b, 5, 2));
    EXPECT_EQ("c2", Text(g.b, 5, 3));
    EXPECT_EQ("c1", Text(g.a, 1, 1));
    EXPECT_EQ("c2", Text(g.a, 1, 2));

    // Over a header the drop is refused: nothing changes anywhere, and the
    // source's mouse is idle again so typing starts an edit.
    g.PrepareSource("r1", "r2");
    RunSteps(DragSteps(g.a, CellCentre(g.b, 0, 2), false));
    EXPECT_EQ("r1", Text(g.a, 1, 1));
    EXPECT_EQ("r2", Text(g.a, 1, 2));
    EXPECT_EQ(GMM_IDLE, g.a.GetMouseMode());
    EXPECT_EQ("", Text(g.b, 0, 2));
}

TEST(GridDragDrop, DropTargetHighlightAndRefusals)
{
    CRecordingParent parent;
    CDragGrid grid;
    ASSERT_TRUE(CreateStandardGrid(grid, parent.Wnd()));
    grid.EnableDragAndDrop(TRUE);
    grid.SetItemState(2, 2, GCS_READONLY);
    grid.SetItemText(2, 2, "ro");

    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, 6);
    memcpy(::GlobalLock(h), "d1\td2", 6);
    ::GlobalUnlock(h);
    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, h);
    COleDataObject data;
    data.Attach(pSource->GetDataObject(), TRUE);
    CGridDropTarget& target = grid.DropTarget();
    CWnd* pWnd = &grid;

    // Column c >= 1 spans x 40 + 50 (c - 1) .. ; row r spans y 20 r .. .
    const CPoint cell11(60, 30), cell21(60, 50), cell22(110, 50), header(60, 5);

    // A fixed cell: no effect, no highlight.
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragEnter(pWnd, &data, 0, header));
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragOver(pWnd, &data, 0, header));

    // Move without Ctrl, copy with; the highlight follows the pointer.
    EXPECT_EQ(DROPEFFECT_MOVE, target.OnDragEnter(pWnd, &data, 0, cell11));
    EXPECT_NE(0u, grid.GetItemState(1, 1) & GCS_DROPHILITED);
    EXPECT_EQ(DROPEFFECT_COPY, target.OnDragOver(pWnd, &data, MK_CONTROL, cell21));
    EXPECT_EQ(0u, grid.GetItemState(1, 1) & GCS_DROPHILITED);
    EXPECT_NE(0u, grid.GetItemState(2, 1) & GCS_DROPHILITED);
    // A read-only cell offers nothing and leaves the highlight where it was.
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragOver(pWnd, &data, 0, cell22));
    EXPECT_NE(0u, grid.GetItemState(2, 1) & GCS_DROPHILITED);
    // The drop pastes from the highlighted cell; the read-only cell in the
    // area keeps its text.
    EXPECT_TRUE(target.OnDrop(pWnd, &data, DROPEFFECT_MOVE, cell21));
    EXPECT_EQ("d1", Text(grid, 2, 1));
    EXPECT_EQ("ro", Text(grid, 2, 2));
    EXPECT_EQ(0u, grid.GetItemState(2, 1) & GCS_DROPHILITED);

    // Another window, a grid without drag-and-drop, a grid that is not
    // editable, data without text: all refused.
    CWnd* pOther = parent.Wnd();
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragEnter(pOther, &data, 0, cell11));
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragScroll(pOther, 0, cell11));
    EXPECT_EQ(DROPEFFECT_COPY, target.OnDragScroll(pWnd, MK_CONTROL, cell11));
    EXPECT_FALSE(target.OnDrop(pOther, &data, DROPEFFECT_MOVE, cell11));
    grid.SetEditable(FALSE);
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragOver(pWnd, &data, 0, cell11));
    grid.SetEditable(TRUE);
    grid.EnableDragAndDrop(FALSE);
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragEnter(pWnd, &data, 0, cell11));
    EXPECT_FALSE(target.OnDrop(pWnd, &data, DROPEFFECT_MOVE, cell11));
    grid.EnableDragAndDrop(TRUE);
    COleDataSource* pEmpty = new COleDataSource;
    COleDataObject none;
    none.Attach(pEmpty->GetDataObject(), TRUE);
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragEnter(pWnd, &none, 0, cell11));
    none.Release();
    pEmpty->InternalRelease();

    // Registration: not twice, not for NULL.
    EXPECT_FALSE(target.Register(&grid));
    EXPECT_FALSE(target.Register((CVXGridCtrl*)NULL));
    data.Release();
    pSource->InternalRelease();
}
