// The grid's data transfer through its cycles: copy, cut and paste between
// two grids through the system clipboard (1,000 cycles), and real OLE drags
// from one grid into the other, each a modal drag loop of the system that
// waits for its timer (fewer cycles).
#include "LeakHarness.h"

#include "grid/GridCtrl.h"
#include "platform/ImageList.h"
#include "platform/OleDataTransfer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace
{

const int kDragCycles = 100;

void Fill(CVXGridCtrl& grid, const char* pszTag)
{
    grid.SetRowCount(10);
    grid.SetColumnCount(5);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetEditable(TRUE);
    grid.EnableDragAndDrop(TRUE);
    char sz[32];
    for (int r = 1; r < 10; ++r)
        for (int c = 1; c < 5; ++c)
        {
            std::snprintf(sz, sizeof(sz), "%s%d.%d", pszTag, r, c);
            grid.SetItemText(r, c, sz);
        }
}

std::string Text(CVXGridCtrl& grid, int row, int col)
{
    return (LPCSTR)grid.GetItemText(row, col);
}

// OLE held for the whole test, as a host application holds it: the grids'
// own initialisations then only count up and down.
class COleHeld
{
public:
    COleHeld() { m_bOk = SUCCEEDED(::OleInitialize(nullptr)); }
    ~COleHeld()
    {
        if (m_bOk)
        {
            COleDataSource::FlushClipboard();
            ::OleUninitialize();
        }
    }
    bool m_bOk;
};

} // namespace

TEST(Leaks, GridClipboard)
{
    // Two grids that live through the cycles, as in a host's window: every
    // cycle copies a block from one and pastes it into the other, then cuts
    // two cells and reads the clipboard back.
    COleHeld ole;
    ASSERT_TRUE(ole.m_bOk);
    CLeakHost host;
    CVXGridCtrl source, target;
    Fill(source, "s");
    Fill(target, "t");
    ASSERT_TRUE(source.Create(CRect(0, 0, 250, 200), &host.wnd, 1, WS_CHILD | WS_VISIBLE));
    ASSERT_TRUE(target.Create(CRect(260, 0, 510, 200), &host.wnd, 2, WS_CHILD | WS_VISIBLE));

    // Wine's clipboard keeps about a kilobyte of every read of the system
    // clipboard (and a little of every data object put there) for good: the
    // same system calls without the grid, in the same run, tell how much.
    LeakReport system = RunLeakCycles("the system's clipboard calls", [](LeakCycle&) {
        for (int i = 0; i < 2; ++i)
        {
            COleDataSource* pSource = new COleDataSource;
            HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, 16);
            ::lstrcpyA((char*)::GlobalLock(h), "s1.1\ts1.2");
            ::GlobalUnlock(h);
            pSource->CacheGlobalData(CF_TEXT, h);
            ::OleSetClipboard(pSource->GetDataObject());
            pSource->InternalRelease();
            pSource->InternalRelease();
        }
        for (int i = 0; i < 2; ++i)
        {
            IDataObject* pData = nullptr;
            if (FAILED(::OleGetClipboard(&pData)) || pData == nullptr)
                continue;
            FORMATETC fmt = { CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
            STGMEDIUM medium = {};
            if (pData->QueryGetData(&fmt) == S_OK && SUCCEEDED(pData->GetData(&fmt, &medium)))
                ::ReleaseStgMedium(&medium);
            pData->Release();
        }
    });

    int nPasted = 0, nCut = 0;
    LeakReport r = RunLeakCycles("grid clipboard", [&](LeakCycle& c) {
        source.SetItemText(5, 1, "s5.1");
        source.SetItemText(5, 2, "s5.2");
        // A block copied onto the clipboard and pasted at the focus cell.
        source.SetSelectedRange(1, 1, 3, 3);
        source.OnEditCopy();
        const int row = 2 + c.Index() % 3;
        target.SetFocusCell(row, 2);
        target.OnEditPaste();
        nPasted += Text(target, row, 2) == "s1.1" && Text(target, row + 2, 4) == "s3.3";
        target.SetItemText(row, 2, "t");

        // A cut: the clipboard's earlier data goes, the cells are emptied.
        source.SetSelectedRange(5, 1, 5, 2);
        source.OnEditCut();
        COleDataObject data;
        ASSERT_TRUE(data.AttachClipboard());
        HGLOBAL hText = data.GetGlobalData(CF_TEXT);
        ASSERT_NE(hText, nullptr);
        nCut += std::string((const char*)::GlobalLock(hText)) == "s5.1\ts5.2" && Text(source, 5, 1).empty();
        ::GlobalUnlock(hText);
        ::GlobalFree(hText);
        c.Alive();
    });
    r.heapAllowance += system.heapGrowth;
    ExpectNothingLeft(r, false, false);
    EXPECT_EQ(nPasted, 1020);
    EXPECT_EQ(nCut, 1020);
    source.DestroyWindow();
    target.DestroyWindow();
}

TEST(Leaks, GridDragAndDrop)
{
    // The grid starts a real drag of its selection with the pointer over
    // the other grid; the mouse button is up, so the system's drag loop
    // drops at once (enter, drop) and the grid empties the moved cells.
    COleHeld ole;
    ASSERT_TRUE(ole.m_bOk);
    CLeakHost host;
    ::SetForegroundWindow(host.wnd.m_hWnd);
    int nMoved = 0, nImages = 0;
    LeakReport r = RunLeakCycles("grid drag and drop", [&](LeakCycle& c) {
        CVXGridCtrl source, target;
        Fill(source, "s");
        Fill(target, "t");
        ASSERT_TRUE(source.Create(CRect(0, 0, 250, 200), &host.wnd, 1, WS_CHILD | WS_VISIBLE));
        ASSERT_TRUE(target.Create(CRect(260, 0, 510, 200), &host.wnd, 2, WS_CHILD | WS_VISIBLE));
        host.wnd.UpdateWindow();

        CRect rc;
        target.GetCellRect(4, 2, &rc);
        target.ClientToScreen(&rc);
        ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
        source.SetSelectedRange(2, 1, 2, 2);
        source.SetFocusCell(2, 1);
        CPoint hot;
        CImageList* pImage = source.CreateDragImage(&hot);
        nImages += pImage != nullptr;
        delete pImage;
        source.OnBeginDrag();
        nMoved += Text(target, 4, 2) == "s2.1" && Text(target, 4, 3) == "s2.2" && Text(source, 2, 1).empty();
        c.Alive();
        source.DestroyWindow();
        target.DestroyWindow();
    }, kDragCycles, 5);
    ExpectNothingLeft(r);
    EXPECT_EQ(nMoved, kDragCycles + 5);
    EXPECT_EQ(nImages, kDragCycles + 5);
}
