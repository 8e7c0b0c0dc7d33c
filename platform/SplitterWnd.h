#pragma once
// CSplitterWnd: a static splitter. Its client area is divided into rows and
// columns of panes (up to 16 each) separated by splitter bars; each pane is a
// child window (normally a view made from its run-time class) whose id is
// IdFromRowCol(row, col). The host gives each row and column an ideal and a
// minimum size; RecalcLayout places the panes whenever the window size or a
// size changes. The user drags a bar with the left mouse button: an inverted
// tracking bar follows the mouse, and on release the panes on both sides of
// the bar take the new boundary (a pane dragged below its minimum size
// closes to nothing). Pressing on the crossing of a row bar and a column bar
// drags both. Over a bar the cursor shows which way it moves.
//
//   m_wndSplitter.CreateStatic(this, 1, 2);
//   m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CLeftView), CSize(200, 0), pContext);
//   m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CRightView), CSize(0, 0), pContext);
//
// A splitter inside a pane of another splitter is created with the outer
// splitter as parent and the pane's id (IdFromRowCol) as nID.
#include "platform/Wnd.h"
#include "platform/CommandIds.h"
#include <vector>

struct CCreateContext;

class KVVX_API CSplitterWnd : public CWnd
{
    DECLARE_DYNCREATE(CSplitterWnd)
public:
    CSplitterWnd() = default;

    // Creates the splitter window as child nID of pParentWnd with nRows x
    // nCols panes to fill (1 to 16 each). FALSE for bad counts, no parent or
    // a window that already exists.
    virtual BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                              UINT nID = AFX_IDW_PANE_FIRST);
    // Creates pane (row, col) from pViewClass (bordered, visible) and sets
    // the column's ideal width to sizeInit.cx and the row's ideal height to
    // sizeInit.cy. FALSE for a bad or already filled pane, or a view that
    // cannot be made.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                            CCreateContext* pContext);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    // Current and minimum size of a row or column (0, 0 for a bad index).
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    // Ideal and minimum size; take effect at the next RecalcLayout.
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void SetColumnInfo(int col, int cxIdeal, int cxMin);

    // The pane window at (row, col), or NULL.
    CWnd* GetPane(int row, int col) const;
    // TRUE when pWnd is one of the panes; its row and column then.
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol) const;
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }

    // The pane that is its frame's active view, else the pane that has the
    // focus; NULL when neither is a pane of this splitter.
    CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr) const;
    // Makes pWnd (or, when NULL, pane (row, col)) the frame's active view
    // (when it is a view) and gives it the focus.
    void SetActivePane(int row, int col, CWnd* pWnd = nullptr);

    // Places every pane by the ideal sizes: each row and column but the last
    // gets its ideal size while room lasts, the last takes what remains.
    virtual void RecalcLayout();

    // What lies under a point of the client area.
    enum
    {
        noHit = 0,
        vSplitterBar1 = 101,          // + row: the bar below that row
        hSplitterBar1 = 201,          // + col: the bar right of that column
        splitterIntersection1 = 301,  // + row * 16 + col: where the two cross
    };
    int HitTest(CPoint pt) const;
    // The rectangle of a bar or crossing (client coordinates); FALSE for
    // noHit or a code out of range.
    BOOL GetHitRect(int ht, CRect& rect) const;
    BOOL IsTracking() const { return m_bTracking; }

    // Width of the bars between columns and height of those between rows.
    int m_cxSplitter = 6;
    int m_cySplitter = 6;

protected:
    struct CRowColInfo
    {
        int nMinSize = 0;
        int nIdealSize = 0;
        int nCurSize = 0;
    };

    enum ESplitType { splitBar, splitIntersection };
    // Paints one bar (or crossing) in rect.
    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);
    // Inverts rect over the panes: the tracking bar (drawn twice it is gone).
    virtual void OnInvertTracker(const CRect& rect);
    virtual void StartTracking(int ht, CPoint point);
    virtual void StopTracking(BOOL bAccept);
    // Sets the sizes from a bar dropped at x (column bar right of col) or
    // y (row bar below row).
    virtual void TrackColumnSize(int x, int col);
    virtual void TrackRowSize(int y, int row);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnPaint() override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    void OnCancelMode() override;

    // Left (top) edge of a column (row).
    int ColumnLeft(int col) const;
    int RowTop(int row) const;

    int m_nRows = 0;
    int m_nCols = 0;
    std::vector<CRowColInfo> m_rowInfo;
    std::vector<CRowColInfo> m_colInfo;

    // Dragging: the hit code, the tracking bars (one, or two at a
    // crossing), where they may go, and the press offset inside them.
    BOOL m_bTracking = FALSE;
    int m_htTrack = noHit;
    CRect m_rectTrackerCol;  // vertical tracker (column bar), empty if none
    CRect m_rectTrackerRow;  // horizontal tracker (row bar), empty if none
    CRect m_rectLimit;
    CPoint m_ptTrackOffset;

private:
    static void Layout(std::vector<CRowColInfo>& info, int nSize, int nGap);
    void MoveTracker(CPoint point);
};
