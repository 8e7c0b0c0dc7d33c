// The windows a grid opens over its cells, through 1,000 cycles each: the
// drop-down list of a combo column, opened by a double click and ended by
// Enter, by Escape or by the grid going while it is open; and the title tip
// over a cut-off cell, shown by the mouse and taken away by the mouse
// leaving the cell, by a click, or by the grid going while it is up.
#include "LeakHarness.h"

#include "grid/ComboGridCtrl.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

LPARAM CellCentre(CVXGridCtrl& grid, int row, int col)
{
    CRect rc;
    grid.GetCellRect(row, col, &rc);
    return MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
}

class CTipGrid : public CVXGridCtrl
{
public:
    HWND Tip() const { return m_titleTip.GetSafeHwnd(); }
};

} // namespace

TEST(Leaks, ComboGridWithItsDropDownList)
{
    CLeakHost host;
    CStringArray items;
    items.Add("nucleus");
    items.Add("cytoplasm");
    items.Add("a rather long background name");
    int nEnded = 0;
    LeakReport r = RunLeakCycles("combo grid and drop-down list", [&](LeakCycle& c) {
        CComboGridCtrl grid;
        grid.SetRowCount(8);
        grid.SetColumnCount(4);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetEditable(TRUE);
        grid.AddComboColumn(2, items);
        for (int row = 1; row < 8; ++row)
            grid.SetComboItemText(row, 2, 0);
        ASSERT_TRUE(grid.Create(CRect(0, 0, 400, 300), &host.wnd, 5, WS_CHILD | WS_VISIBLE));
        grid.SetFocus();

        // A double click on a cell of the combo column opens the list.
        const LPARAM at = CellCentre(grid, 3, 2);
        grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        grid.SendMessage(WM_LBUTTONUP, 0, at);
        grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        grid.SendMessage(WM_LBUTTONUP, 0, at);
        const HWND hCombo = ::FindWindowExA(grid.m_hWnd, nullptr, "ComboBox", nullptr);
        ASSERT_NE(hCombo, nullptr);
        const HWND hEdit = ::GetDlgItem(hCombo, 1001);
        ASSERT_NE(hEdit, nullptr);
        ::SendMessageA(hCombo, WM_KEYDOWN, VK_DOWN, 1);
        ::UpdateWindow(hCombo);
        c.Alive();
        switch (c.Index() % 3)
        {
        case 0:   // Enter stores the entry chosen
            ::SendMessageA(hEdit, WM_KEYUP, VK_RETURN, 1);
            PumpPending();
            nEnded += grid.GetItemText(3, 2) == "cytoplasm" && !::IsWindow(hCombo);
            break;
        case 1:   // Escape keeps the cell's text
            ::SendMessageA(hEdit, WM_KEYUP, VK_ESCAPE, 1);
            PumpPending();
            nEnded += grid.GetItemText(3, 2) == "nucleus" && !::IsWindow(hCombo);
            break;
        default:   // the grid goes with the list open
            ++nEnded;
            break;
        }
        grid.DestroyWindow();
    });
    ExpectNothingLeft(r);
    EXPECT_EQ(nEnded, 1020);
}

TEST(Leaks, TitleTipOverACutOffCell)
{
    // The tip shows only while the grid has the focus: the host is the
    // active window through the cycles.
    CLeakHost host;
    ::SetForegroundWindow(host.wnd.m_hWnd);
    PumpPending();
    int nShown = 0, nHidden = 0;
    LeakReport r = RunLeakCycles("title tip", [&](LeakCycle& c) {
        CTipGrid grid;
        grid.SetRowCount(5);
        grid.SetColumnCount(3);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetItemText(2, 1, "a cell text far too long for its narrow column");
        ASSERT_TRUE(grid.Create(CRect(0, 0, 400, 300), &host.wnd, 7, WS_CHILD | WS_VISIBLE));
        grid.SetColumnWidth(1, 60);
        grid.SetFocus();
        grid.UpdateWindow();

        grid.SendMessage(WM_MOUSEMOVE, 0, CellCentre(grid, 2, 1));
        const HWND hTip = grid.Tip();
        const bool bShown = hTip != nullptr && ::IsWindowVisible(hTip);
        nShown += bShown;
        ::UpdateWindow(hTip);
        c.Alive();
        if (bShown)
        {
            // The tip holds the mouse: the points are in its coordinates.
            POINT pt = { 5, 5 };
            switch (c.Index() % 3)
            {
            case 0:   // the mouse leaves the cell
                pt = { 200, 200 };
                ::MapWindowPoints(grid.m_hWnd, hTip, &pt, 1);
                ::SendMessageA(hTip, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
                nHidden += !::IsWindowVisible(hTip);
                break;
            case 1:   // a click goes through it to the grid
                ::SendMessageA(hTip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
                nHidden += !::IsWindowVisible(hTip);
                break;
            default:   // the grid goes with the tip up
                ++nHidden;
                break;
            }
        }
        PumpPending();
        grid.DestroyWindow();
    });
    ExpectNothingLeft(r);
    EXPECT_EQ(nShown, 1020);
    EXPECT_EQ(nHidden, 1020);
}
