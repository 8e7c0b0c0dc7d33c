#pragma once
// Control bars and the dock bars that hold them.
//
// A control bar is a child window that takes a strip of its frame's client
// area: directly (a bar that is a child of the frame) or, when docking is
// enabled, through one of the frame's four dock bars (CDockBar, one per
// side) or the dock bar inside a floating mini frame (CMiniDockFrameWnd).
//
// Layout. CWnd::RepositionBars sends WM_SIZEPARENT to the frame's child
// bars in Z order (the dock bars are created top, bottom, left, right, so
// the top and bottom ones span the full width). Each bar takes its size
// from CalcFixedLayout / CalcDynamicLayout, takes its strip from the
// remaining rectangle and moves itself; the leftover rectangle goes to the
// main pane. With reposQuery nothing moves and the leftover is returned.
//
// The row model of a dock bar: one flat pointer array. An entry is a bar,
// a placeholder (a value below 0x10000: the control id of a bar whose slot
// is remembered while it floats) or NULL. The array starts with NULL and
// every row is followed by NULL, so the bars of one row are the entries
// between two NULLs. A hidden bar keeps its entry (and so its slot).
//
// Hiding and showing may be delayed (DelayShow): the new state is applied
// by the next layout (RecalcDelayShow), so a bar can be hidden and its row
// re-laid out in one pass.
#include "platform/FrameWnd.h"
#include "platform/core/Collections.h"

// Bar styles (the low 16 bits and the gripper bit of a bar's style word).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Layout-query modes of CalcDynamicLayout.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

// Mini-frame style bits (the class-specific low word of the frame's style).
#define MFS_SYNCACTIVE 0x0100L
#define MFS_4THICKFRAME 0x0200L
#define MFS_THICKFRAME 0x0400L
#define MFS_MOVEFRAME 0x0800L
#define MFS_BLOCKSYSMENU 0x1000L

// WM_SIZEPARENT: lParam is the AFX_SIZEPARENTPARAMS of a RepositionBars pass.
#define WM_SIZEPARENT 0x0361

// RepositionBars flags.
#define reposDefault 0
#define reposQuery 1
#define reposExtra 2

struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;       // NULL while only asking (reposQuery)
    RECT rect;       // what is left of the parent's client area
    SIZE sizeTotal;  // the sum of the bars' sizes
    BOOL bStretch;   // bars may stretch to the full side
};

class CDockBar;
class CDockContext;

class KVVX_API CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    // Destroys a window that is still there (while the object is still a
    // control bar, so it leaves its frame and dock bar cleanly).
    ~CControlBar() override;

    // Delayed show states (m_nStateFlags).
    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };

    DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    // Allows docking on the given sides (CBRS_ALIGN_*); 0 forbids docking.
    // Creates the docking context that moves the bar with the mouse.
    void EnableDocking(DWORD dwDockStyle);
    CFrameWnd* GetDockingFrame() const;
    BOOL IsFloating() const;
    // Visible as the layout sees it: a pending delayed hide or show counts.
    BOOL IsVisible() const;
    virtual BOOL IsDockBar() const { return FALSE; }

    // Size the bar asks for: docked (bStretch: to the full side of the
    // frame) and dynamic (nLength along the dimension the mode names).
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Idle-time update of the bar's items against the target frame.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    // Shrinks rect by the bar's borders.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    // Draws the borders named by the bar style into rect and shrinks it.
    void DrawBorders(CDC* pDC, CRect& rect);

    // Marks the bar to be shown or hidden by the next layout.
    virtual void DelayShow(BOOL bShow);
    // Applies a pending delayed state (into the layout's batch if any).
    void RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

    DWORD m_dwStyle = 0;        // CBRS_* bits
    DWORD m_dwDockStyle = 0;    // sides the bar may dock on
    UINT m_nStateFlags = 0;
    int m_cxLeftBorder = 2, m_cxRightBorder = 2, m_cyTopBorder = 2, m_cyBottomBorder = 2;
    CFrameWnd* m_pDockSite = nullptr;     // the frame that owns the bar's docking
    CDockBar* m_pDockBar = nullptr;       // the dock bar holding the bar, or NULL
    CDockContext* m_pDockContext = nullptr;
    BOOL m_bAutoDelete = FALSE;           // delete the object with its window

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Takes the bar's strip of the remaining layout rectangle.
    virtual void OnSizeParent(AFX_SIZEPARENTPARAMS* lpLayout);
    void OnDestroy() override;
    void PostNcDestroy() override;
};

// One side of a frame (or the inside of a floating mini frame) holding
// docked bars in rows.
class KVVX_API CDockBar : public CControlBar
{
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    BOOL IsDockBar() const override { return TRUE; }
    BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

    // Docks pBar here: into the row under lpRect (screen coordinates) at
    // its leading position, else into its remembered slot (placeholder),
    // else into a new last row.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes pBar out of the array (skipping index nPosExclude); with
    // nAddPlaceHolder its slot is kept as a placeholder. Empty rows are
    // dropped. FALSE when the bar was not here.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    void RemovePlaceHolder(CControlBar* pBar);
    // Index of pBar (or of its placeholder when pBar is a placeholder value).
    int FindBar(CControlBar* pBar, int nPosExclude = -1) const;
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    // The bar at index i, or NULL for a separator or placeholder.
    CControlBar* GetDockedControlBar(int i) const;
    // Row index (0-based among rows) of the entry at nPos, counting rows
    // that hold at least one bar or placeholder.
    int GetRowOfIndex(int nPos) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    BOOL m_bFloating;
    CPtrArray m_arrBars;       // the row model
    BOOL m_bLayoutQuery = FALSE;  // the current layout only asks
    CRect m_rectLayout;        // the rectangle the last layout offered

protected:
    void OnSizeParent(AFX_SIZEPARENTPARAMS* lpLayout) override;
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) override;
    void OnNcPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Inserts pBar into the row under rect (client coordinates).
    int Insert(CControlBar* pBar, CRect rect);
};

// Treats an entry of a dock bar's array: a real bar pointer has a non-zero
// upper word; NULL and placeholders (control ids) do not.
inline BOOL AfxIsRealBar(void* p)
{
    return ((UINT_PTR)p & ~(UINT_PTR)0xFFFF) != 0;
}
