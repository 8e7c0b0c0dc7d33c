// The list, property and edit controls through 1,000 cycles each: a sorted
// report list with its own header and an in-place rich edit over one of its
// cells, and a property list whose editors are opened by clicks.
#include "LeakHarness.h"

#include "controls/GfxInEdit.h"
#include "controls/PropertyList.h"
#include "controls/SortListCtrl.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(Leaks, SortListWithAnInPlaceEdit)
{
    CLeakHost host;
    int nSorted = 0;
    LeakReport r = RunLeakCycles("sort list and in-place edit", [&](LeakCycle& c) {
        CSortListCtrl list;
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(0, 0, 480, 300), &host.wnd, 41));
        list.SetHeadings("No.,40;Name,120;Area,80;Date,90;");
        char no[16], area[16];
        for (int i = 0; i < 20; ++i)
        {
            std::snprintf(no, sizeof(no), "%d", i + 1);
            std::snprintf(area, sizeof(area), "%d.5", (i * 37) % 50);
            list.AddItem(no, "region", area, "01/02/2024");
        }
        list.SetItemText(3, 1, "renamed");
        list.Sort(2, c.Index() % 2 == 0);
        nSorted += list.GetSortColumn() == 2;
        list.UpdateWindow();

        CGfxInEdit* pEdit = new CGfxInEdit(2, 1, "cell text");
        ASSERT_TRUE(pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(40, 40, 160, 60), &list,
                                  7001));
        ::SendMessageA(pEdit->m_hWnd, WM_CHAR, 'x', 1);
        c.Alive();
        pEdit->ProcessSelect();
        pEdit->DestroyWindow();
        delete pEdit;
        list.DeleteItem(0);
        list.DestroyWindow();
    });
    ExpectNothingLeft(r);
    EXPECT_EQ(nSorted, 1020);
}

TEST(Leaks, PropertyListWithItsEditors)
{
    CLeakHost host;
    CPropertyItem choice{ "Lines", "Both", PROP_KIND_CHOICE, "None|Both|Horizontal|" };
    CPropertyItem text{ "Title", "Regions", PROP_KIND_TEXT, "" };
    CPropertyItem colour{ "Back", "RGB(255,128,0)", PROP_KIND_COLOUR, "" };
    LeakReport r = RunLeakCycles("property list", [&](LeakCycle& c) {
        CPropertyList list;
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY | WS_VSCROLL, CRect(0, 0, 360, 240), &host.wnd, 60));
        list.AddPropItem(&choice);
        list.AddPropItem(&text);
        list.AddPropItem(&colour);
        list.AddItem("Section");
        list.UpdateWindow();
        // A click on each row's value cell opens its editor (drop-down,
        // edit, "..." button).
        for (int row = 0; row < 3; ++row)
        {
            CRect rc;
            list.GetItemRect(row, &rc);
            const LPARAM at = MAKELPARAM(rc.right - 40, rc.top + 10);
            ::SendMessageA(list.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
            ::SendMessageA(list.m_hWnd, WM_LBUTTONUP, 0, at);
            PumpPending();
        }
        c.Alive();
        list.DestroyWindow();
    });
    ExpectNothingLeft(r);
}
