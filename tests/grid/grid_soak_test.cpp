// A seeded random sequence of operations on a real grid window: shape
// changes, texts of every awkward kind, sorting, focus and selection, real
// key presses, clicks and drags, scroll requests and the wheel, sizing,
// in-place edits, repaints, and save/load round trips. After every operation
// the grid's invariants are checked; a failure prints the seed and the last
// operations so the case can be replayed (KVVX_SOAK_SEED) and kept as a test.
//
// KVVX_SOAK_OPS sets the number of operations (20,000 by default),
// KVVX_SOAK_SEED the first seed; KVVX_SOAK_ROUNDTRIP how often (every n
// operations) the save/load round trip is checked besides the save and load
// operations themselves (50 by default).

#include "grid_window_util.h"

#include <algorithm>
#include <deque>
#include <random>
#include <sstream>
#include <stdlib.h>

using namespace gridtest;

namespace
{

// Answers every modal question (message boxes, the colour dialog) at once.
class CAnswerAll : public CModalUIAnswerer
{
public:
    CAnswerAll() { m_pPrevious = AfxSetModalUIAnswerer(this); }
    ~CAnswerAll() override { AfxSetModalUIAnswerer(m_pPrevious); }
    BOOL AnswerMessageBox(HWND, LPCSTR, LPCSTR, UINT, int* pnResult) override
    {
        *pnResult = IDOK;
        return TRUE;
    }
    BOOL AnswerColorDialog(HWND, COLORREF*, DWORD, INT_PTR* pnResult) override
    {
        *pnResult = IDCANCEL;
        return TRUE;
    }

private:
    CModalUIAnswerer* m_pPrevious;
};

// The grid with the state the invariants look at.
class CSoakGrid : public CTestGrid
{
public:
    using CVXGridCtrl::OnEditCell;

    // "" when every invariant holds, else the first one broken.
    std::string Check()
    {
        std::ostringstream why;
        if (m_nRows < 0 || m_nCols < 0 || m_arRows.GetSize() != m_nRows ||
            m_arRowHeights.GetSize() != m_nRows || m_arColWidths.GetSize() != m_nCols)
            return "counts disagree";
        if (m_nFixedRows < 0 || m_nFixedRows > m_nRows || m_nFixedCols < 0 || m_nFixedCols > m_nCols)
            return "fixed counts out of range";
        long long nHeight = 0, nWidth = 0;
        int nMarked = 0;
        CVXCellRange marked(m_nRows, m_nCols, -1, -1);
        for (int r = 0; r < m_nRows; r++)
        {
            GRID_ROW* pRow = m_arRows[r];
            if (pRow == NULL || pRow->GetSize() != m_nCols)
            {
                why << "row " << r << " missing or of the wrong size";
                return why.str();
            }
            nHeight += GetRowHeight(r);
            for (int c = 0; c < m_nCols; c++)
            {
                CGridCell* pCell = pRow->GetAt(c);
                if (pCell == NULL)
                {
                    why << "cell (" << r << "," << c << ") missing";
                    return why.str();
                }
                CString s = GetItemText(r, c);
                if (s.GetLength() != (int)strlen(s))
                    return "a text holds a zero byte";
                if (pCell->m_nState & GCS_SELECTED)
                {
                    nMarked++;
                    marked.Set(std::min(marked.minRow, r), std::min(marked.minCol, c),
                               std::max(marked.maxRow, r), std::max(marked.maxCol, c));
                    CVXCellID mapped;
                    if (!m_mapSelected.Lookup(GetCellKey(r, c), mapped) || mapped != CVXCellID(r, c))
                    {
                        why << "(" << r << "," << c << ") marked selected but not in the map";
                        return why.str();
                    }
                }
            }
        }
        for (int c = 0; c < m_nCols; c++)
            nWidth += GetColumnWidth(c);
        if (nHeight != GetVirtualHeight() || nWidth != GetVirtualWidth())
            return "the size totals disagree with the sizes";
        if (m_mapSelected.GetCount() != nMarked)
        {
            why << "the selection map holds " << m_mapSelected.GetCount() << " cells, " << nMarked
                << " are marked";
            return why.str();
        }
        // The selection's bounding range is kept, not recomputed, so it must
        // follow every change of the selection.
        CVXCellRange range = GetSelectedCellRange();
        if (range != marked)
        {
            why << "the selected range is (" << range.minRow << "," << range.minCol << ")-(" << range.maxRow
                << "," << range.maxCol << "), the marked cells span (" << marked.minRow << ","
                << marked.minCol << ")-(" << marked.maxRow << "," << marked.maxCol << ")";
            return why.str();
        }
        CVXCellID focus = GetFocusCell();
        if (focus != CVXCellID(-1, -1) && !IsValid(focus))
        {
            why << "focus (" << focus.row << "," << focus.col << ") outside the grid";
            return why.str();
        }
        return "";
    }
};

void Pump()
{
    MSG m;
    while (::PeekMessageA(&m, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&m);
        ::DispatchMessageA(&m);
    }
}

// What a save and a load keep: the rows up to the first one whose line is
// cut or broken (a line end, a carriage return, an end-of-file mark, or a
// line of 1023 characters and more) map one to one; within them, the texts
// of every row without a comma. "" when the loaded grid agrees.
std::string CompareRoundTrip(CVXGridCtrl& saved, CVXGridCtrl& loaded)
{
    const int nRows = saved.GetRowCount(), nCols = saved.GetColumnCount();
    if (nCols == 0)
        return loaded.GetRowCount() == 0 && loaded.GetColumnCount() == 0 ? "" : "empty grid not empty";
    std::ostringstream why;
    bool bColumnsKept = true;
    for (int r = 0; r < nRows || r == 0; r++)
    {
        size_t nLine = 0;
        bool bComma = false, bBreak = false;
        for (int c = 0; c < nCols; c++)
        {
            CString s = saved.GetItemText(r, c);
            nLine += (size_t)s.GetLength() + 1;
            bComma = bComma || s.Find(',') >= 0;
            bBreak = bBreak || s.Find('\n') >= 0 || s.Find('\r') >= 0 || s.Find('\x1a') >= 0;
        }
        if (bBreak || nLine >= 1023)
            break;
        if (r == 0)
        {
            bColumnsKept = !bComma;
            if (bColumnsKept && loaded.GetColumnCount() != nCols)
            {
                why << "columns " << loaded.GetColumnCount() << " instead of " << nCols;
                return why.str();
            }
        }
        if (r >= loaded.GetRowCount())
        {
            why << "row " << r << " lost";
            return why.str();
        }
        if (bComma || !bColumnsKept)
            continue;
        for (int c = 0; c < nCols; c++)
            if (loaded.GetItemText(r, c) != saved.GetItemText(r, c))
            {
                why << "text of (" << r << "," << c << ") changed";
                return why.str();
            }
    }
    return "";
}

class Soak
{
public:
    Soak(unsigned nSeed, CSoakGrid& grid, HWND hParent, const std::string& path)
        : m_rng(nSeed), m_grid(grid), m_hParent(hParent), m_path(path) {}

    int Rand(int n) { return n <= 1 ? 0 : (int)(m_rng() % (unsigned)n); }
    bool Chance(int nPercent) { return Rand(100) < nPercent; }
    int RowOrInvalid() { return Rand(m_grid.GetRowCount() + 2) - 1; }
    int ColOrInvalid() { return Rand(m_grid.GetColumnCount() + 2) - 1; }

    std::string Text()
    {
        static const char* const kPieces[] = { "", "a", "12", "-3.5", ",", "\"", "\t", "\n", "\r\n",
                                               "\xe9\xff", " ", "zz", "1e308", "x,y", "\"q\"" };
        std::string s;
        switch (Rand(6))
        {
        case 0:
            return "";
        case 1:
            return std::string((size_t)(500 + Rand(2000)), (char)('a' + Rand(26)));
        default:
            for (int i = Rand(5); i >= 0; i--)
                s += kPieces[Rand((int)(sizeof(kPieces) / sizeof(kPieces[0])))];
            return s;
        }
    }

    void Log(const std::string& s)
    {
        m_log.push_back(s);
        if (m_log.size() > 40)
            m_log.pop_front();
    }
    std::string LastOps() const
    {
        std::string s;
        for (const std::string& op : m_log)
            s += "  " + op + "\n";
        return s;
    }

    HWND Editor() const { return ::FindWindowExA(m_grid.GetSafeHwnd(), NULL, "Edit", NULL); }

    LPARAM RandomPoint()
    {
        RECT rc;
        ::GetClientRect(m_grid.GetSafeHwnd(), &rc);
        int x = Rand(rc.right + 40) - 10, y = Rand(rc.bottom + 40) - 10;
        // Now and then right on a border of the first columns or rows.
        if (Chance(20) && m_grid.GetColumnCount() > 1)
            x = m_grid.GetColumnWidth(0) + (Chance(50) ? 0 : m_grid.GetColumnWidth(1)) + Rand(5) - 2;
        if (Chance(20) && m_grid.GetRowCount() > 1)
            y = m_grid.GetRowHeight(0) + Rand(5) - 2;
        return MAKELPARAM(x, y);
    }

    // One random operation; returns its description.
    std::string Step()
    {
        std::ostringstream op;
        CSoakGrid& g = m_grid;
        HWND hWnd = g.GetSafeHwnd();
        switch (Rand(30))
        {
        case 0: { int n = Rand(40); op << "SetRowCount " << n; g.SetRowCount(n); break; }
        case 1: { int n = Rand(10); op << "SetColumnCount " << n; g.SetColumnCount(n); break; }
        case 2: { int n = Rand(4); op << "SetFixedRowCount " << n; g.SetFixedRowCount(n); break; }
        case 3: { int n = Rand(3); op << "SetFixedColumnCount " << n; g.SetFixedColumnCount(n); break; }
        case 4:
        {
            int r = Rand(g.GetRowCount() + 1) - 1;
            op << "InsertRow at " << r;
            if (g.GetRowCount() < 80)
                g.InsertRow(Text().c_str(), r);
            break;
        }
        case 5:
        {
            int c = Rand(g.GetColumnCount() + 1) - 1;
            op << "InsertColumn at " << c;
            if (g.GetColumnCount() < 14)
                g.InsertColumn(Text().c_str(), Chance(50) ? DT_LEFT : DT_RIGHT | DT_SINGLELINE, c);
            break;
        }
        case 6: { int r = RowOrInvalid(); op << "DeleteRow " << r; g.DeleteRow(r); break; }
        case 7: { int c = ColOrInvalid(); op << "DeleteColumn " << c; g.DeleteColumn(c); break; }
        case 8:
            if (Chance(50)) { op << "DeleteNonFixedRows"; g.DeleteNonFixedRows(); }
            else if (Chance(20)) { op << "DeleteAllItems"; g.DeleteAllItems(); }
            else { op << "SetRowCount 30"; g.SetRowCount(30); g.SetColumnCount(std::max(g.GetColumnCount(), 4)); }
            break;
        case 9:
        case 10:
        {
            int r = RowOrInvalid(), c = ColOrInvalid();
            op << "SetItemText (" << r << "," << c << ")";
            g.SetItemText(r, c, Text().c_str());
            break;
        }
        case 11:
        {
            int c = ColOrInvalid();
            BOOL bAsc = Chance(50);
            op << "Sort col " << c << (bAsc ? " asc" : " desc");
            if (Chance(50))
                g.SortTextItems(c, bAsc);
            else
                g.SortItems(CVXGridCtrl::pfnCellNumericCompare, c, bAsc);
            break;
        }
        case 12:
        {
            int r = Rand(g.GetRowCount()), c = Rand(g.GetColumnCount());
            if (Chance(20) || !g.IsValid(r, c))
                r = c = -1;
            op << "SetFocusCell (" << r << "," << c << ")";
            g.SetFocusCell(r, c);
            break;
        }
        case 13:
        {
            int r0 = RowOrInvalid(), c0 = ColOrInvalid(), r1 = RowOrInvalid(), c1 = ColOrInvalid();
            op << "SetSelectedRange " << r0 << "," << c0 << "," << r1 << "," << c1;
            g.SetSelectedRange(r0, c0, r1, c1, Chance(30));
            break;
        }
        case 14:
            switch (Rand(6))
            {
            case 0: op << "ResetSelectedRange"; g.ResetSelectedRange(); break;
            case 1: op << "SelectAllCells"; g.SelectAllCells(); break;
            case 2: op << "EnableSelection toggle"; g.EnableSelection(!g.IsSelectable()); break;
            case 3: op << "SingleRow toggle"; g.SetSingleRowSelection(!g.GetSingleRowSelection()); break;
            case 4: op << "ListMode toggle"; g.SetListMode(!g.GetListMode()); break;
            default:
            {
                int r = Rand(g.GetRowCount()), c = Rand(g.GetColumnCount());
                op << "SetItemState selected (" << r << "," << c << ")";
                g.SetItemState(r, c, g.GetItemState(r, c) ^ GCS_SELECTED);
                break;
            }
            }
            break;
        case 15:
        case 16:
        {
            static const UINT kKeys[] = { VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_TAB, VK_HOME, VK_END,
                                          VK_PRIOR, VK_NEXT, VK_DELETE };
            UINT vk = kKeys[Rand(10)];
            op << "key " << vk;
            HWND hEdit = Editor();
            ::SendMessageA(hEdit != NULL && ::GetFocus() == hEdit ? hEdit : hWnd, WM_KEYDOWN, vk, 1);
            break;
        }
        case 17:
        {
            // Typing: starts an edit on the focus cell, or types into the
            // open one; Enter, Escape or Tab end it.
            static const UINT kChars[] = { 'a', '7', ',', '.', '-', VK_RETURN, VK_ESCAPE, VK_TAB, VK_BACK };
            UINT ch = kChars[Rand(9)];
            op << "char " << ch;
            HWND hEdit = Editor();
            ::SendMessageA(hEdit != NULL && ::GetFocus() == hEdit ? hEdit : hWnd, WM_CHAR, ch, 1);
            break;
        }
        case 18:
        case 19:
        {
            LPARAM pt = RandomPoint();
            UINT flags = Chance(20) ? MK_SHIFT : Chance(20) ? MK_CONTROL : 0;
            op << "click " << LOWORD(pt) << "," << HIWORD(pt) << " flags " << flags;
            ::SendMessageA(hWnd, WM_MOUSEMOVE, flags, pt);
            ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON | flags, pt);
            if (Chance(40))
            {
                LPARAM pt2 = RandomPoint();
                op << " drag to " << LOWORD(pt2) << "," << HIWORD(pt2);
                ::SendMessageA(hWnd, WM_MOUSEMOVE, MK_LBUTTON | flags, pt2);
                pt = pt2;
            }
            ::SendMessageA(hWnd, WM_LBUTTONUP, flags, pt);
            if (Chance(15))
            {
                op << " double";
                ::SendMessageA(hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, pt);
                ::SendMessageA(hWnd, WM_LBUTTONUP, 0, pt);
            }
            break;
        }
        case 20:
        {
            static const UINT kCodes[] = { SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_TOP, SB_BOTTOM,
                                           SB_THUMBTRACK };
            UINT code = kCodes[Rand(7)];
            BOOL bHorz = Chance(40);
            op << (bHorz ? "hscroll " : "vscroll ") << code;
            ::SendMessageA(hWnd, bHorz ? WM_HSCROLL : WM_VSCROLL, code, 0);
            break;
        }
        case 21:
        {
            int nDelta = (Rand(7) - 3) * 120;
            op << "wheel " << nDelta;
            ::SendMessageA(hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, nDelta), MAKELPARAM(50, 50));
            break;
        }
        case 22:
        {
            int r = RowOrInvalid(), c = ColOrInvalid(), n = Chance(20) ? 0 : Rand(60);
            op << "size row " << r << " col " << c << " to " << n;
            g.SetRowHeight(r, n);
            g.SetColumnWidth(c, n + 5);
            g.ResetScrollBars();
            break;
        }
        case 23:
            switch (Rand(5))
            {
            case 0: op << "AutoSize"; g.AutoSize(); break;
            case 1: { int c = ColOrInvalid(); op << "AutoSizeColumn " << c; g.AutoSizeColumn(c); break; }
            case 2: { int r = RowOrInvalid(); op << "AutoSizeRow " << r; g.AutoSizeRow(r); break; }
            case 3: op << "ExpandToFit"; g.ExpandToFit(); break;
            default:
            {
                int cx = 40 + Rand(500), cy = 40 + Rand(400);
                op << "resize window " << cx << "x" << cy;
                ::MoveWindow(hWnd, 0, 0, cx, cy, TRUE);
                break;
            }
            }
            break;
        case 24:
            op << "repaint";
            ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            break;
        case 25:
        {
            int r = Rand(g.GetRowCount()), c = Rand(g.GetColumnCount());
            op << "OnEditCell (" << r << "," << c << ")";
            if (g.IsValid(r, c))
                g.OnEditCell(r, c, Chance(50) ? VK_LBUTTON : 'q');
            break;
        }
        case 26:
            op << "grid takes the focus";
            ::SetFocus(hWnd);
            break;
        case 27:
        {
            op << "EnsureVisible";
            g.EnsureVisible(RowOrInvalid(), ColOrInvalid());
            break;
        }
        case 28:
            op << "header sort click";
            g.SetListMode(TRUE);
            ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Rand(300), 2));
            ::SendMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(Rand(300), 2));
            break;
        default:
        {
            op << "save and load";
            BOOL bSaved = g.Save(m_path.c_str());
            CVXGridCtrl copy;
            if (bSaved && copy.Load(m_path.c_str()))
            {
                std::string why = CompareRoundTrip(g, copy);
                if (!why.empty())
                    m_failure = "round trip: " + why;
                if (Chance(50))
                {
                    op << " into the grid";
                    g.Load(m_path.c_str());
                }
            }
            else
                m_failure = "save or load failed";
            break;
        }
        }
        Pump();
        return op.str();
    }

    std::string RoundTrip()
    {
        if (!m_grid.Save(m_path.c_str()))
            return "save failed";
        CVXGridCtrl copy;
        if (!copy.Load(m_path.c_str()))
            return "load failed";
        return CompareRoundTrip(m_grid, copy);
    }

    std::mt19937 m_rng;
    CSoakGrid& m_grid;
    HWND m_hParent;
    std::string m_path;
    std::deque<std::string> m_log;
    std::string m_failure;
};

long EnvNumber(const char* pszName, long nDefault)
{
    const char* psz = getenv(pszName);
    return psz != NULL && *psz != '\0' ? strtol(psz, NULL, 10) : nDefault;
}

} // namespace

TEST(GridSoak, RandomOperationsKeepTheInvariants)
{
    const long nOps = EnvNumber("KVVX_SOAK_OPS", 20000);
    const unsigned nSeed = (unsigned)EnvNumber("KVVX_SOAK_SEED", 1515);
    const long nRoundTrip = std::max(1L, EnvNumber("KVVX_SOAK_ROUNDTRIP", 50));
    // A new grid (and seed) every 5,000 operations, so that one long run
    // covers many starting points.
    const long kPerGrid = 5000;

    CAnswerAll answers;
    CRecordingParent parent;
    std::string path = TempFile("soak.csv");
    DWORD nStart = ::GetTickCount();
    long nDone = 0;
    for (unsigned nRun = 0; nDone < nOps; nRun++)
    {
        const unsigned nRunSeed = nSeed + nRun;
        CSoakGrid grid;
        grid.SetRowCount(20);
        grid.SetColumnCount(6);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        ASSERT_TRUE(grid.Create(CRect(0, 0, 320, 240), parent.Wnd(), 77, WS_CHILD | WS_VISIBLE));
        FillNamed(grid);
        Soak soak(nRunSeed, grid, parent.m_hWnd, path);
        for (long i = 0; i < kPerGrid && nDone < nOps; i++, nDone++)
        {
            std::string op = soak.Step();
            soak.Log(op);
            std::string why = soak.m_failure.empty() ? grid.Check() : soak.m_failure;
            if (why.empty() && (i + 1) % nRoundTrip == 0)
            {
                why = soak.RoundTrip();
                if (!why.empty())
                    why = "round trip: " + why;
            }
            if (!why.empty())
            {
                FAIL() << "seed " << nRunSeed << ", operation " << i << " (" << nDone
                       << " overall): " << why << "\nlast operations:\n" << soak.LastOps();
            }
        }
        parent.notes.clear();
    }
    ::DeleteFileA(path.c_str());
    printf("soak: %ld operations, seeds %u.., %lu ms\n", nDone, nSeed,
           (unsigned long)(::GetTickCount() - nStart));
}
