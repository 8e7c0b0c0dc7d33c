#pragma once
// CSizingControlBar: a resizable docking control bar.
//
// It keeps three sizes (docked horizontally, docked vertically, floating)
// and answers the framework's layout queries from them. The first visible
// sizing bar of a dock row negotiates the row's length among the row's
// sizing bars (splitting the row when even their minimum lengths do not
// fit) and moves the row's bars end to end (SizingControlBar.cpp). Its
// edges facing the frame's centre and its neighbours are dragged to resize
// it (SizingBarTracking.cpp); its sizes live in the application profile
// (SizingBarState.cpp). CSizingControlBarG adds a gripper and a close button.
//
// Terms: docked at the top or bottom the bar is horizontally docked, its
// length is cx and its width cy; docked left or right it is vertically
// docked, its length is cy and its width cx. Adjacent bars of a row overlap
// by 2 pixels.
#include "platform/ControlBar.h"
#include "platform/DockContext.h"
#include "platform/MiniFrameWnd.h"

// m_scbStyle bits. The edge bits are managed by the bar itself.
#define SCB_EDGE_LEFT 0x00000001
#define SCB_EDGE_RIGHT 0x00000002
#define SCB_EDGE_TOP 0x00000004
#define SCB_EDGE_BOTTOM 0x00000008
#define SCB_EDGE_MASK 0x0000000F
#define SCB_DRAW_EDGES 0x00000010
#define SCB_FIT_CHILD 0x00000020

class CSizingControlBar;
typedef CTypedPtrArray<CPtrArray, CSizingControlBar*> CSCBArray;

class KVVX_API CSizingControlBar : public CControlBar
{
    DECLARE_DYNAMIC(CSizingControlBar)
public:
    CSizingControlBar();
    ~CSizingControlBar() override;

    // ---- layout queries and idle update ----------------------------------
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // ---- creation ---------------------------------------------------------
    // The bar style keeps only dwStyle & 0x0040FFFF; the window gets
    // (dwStyle & 0xFF8F0000) | WS_CLIPCHILDREN. FALSE when the window could
    // not be created (the object can try again).
    virtual BOOL Create(LPCSTR lpszWindowName, CWnd* pParentWnd, UINT nID,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);
    // Sets all three sizes to sizeDefault first; bHasGripper is not used.
    virtual BOOL Create(LPCSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper,
                        UINT nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);

    // ---- persistence (profile section "<name>-SCBar-<id>") -----------------
    virtual BOOL LoadState(LPCSTR lpszProfileName);
    virtual BOOL SaveState(LPCSTR lpszProfileName);
    static BOOL GlobalLoadState(CFrameWnd* pFrame, LPCSTR lpszProfileName);
    static BOOL GlobalSaveState(CFrameWnd* pFrame, LPCSTR lpszProfileName);
    // Loaded sizes above this are taken as damaged and brought down to it.
    static const int kMaxStoredSize = 32000;

    // ---- edge tracking ------------------------------------------------------
    virtual void StartTracking(UINT nHitTest);
    virtual void StopTracking();
    virtual void OnTrackUpdateSize(CPoint& point);
    virtual void OnTrackInvertTracker();
    virtual void NcPaintGripper(CDC* pDC, CRect rcClient);
    virtual void NcCalcClient(LPRECT pRc, UINT nDockBarID);
    virtual void AlignControlBars();

    // ---- state queries -------------------------------------------------------
    BOOL IsFloating() const;
    BOOL IsHorzDocked() const;
    BOOL IsVertDocked() const;
    BOOL IsSideTracking() const;
    DWORD GetSCBStyle() const { return m_scbStyle; }
    void SetSCBStyle(DWORD dwStyle) { m_scbStyle = (dwStyle & ~SCB_EDGE_MASK); }

    // ---- row queries and negotiation ------------------------------------------
    void GetRowInfo(int& nFirst, int& nLast, int& nThis);
    void GetRowSizingBars(CSCBArray& arrSCBars);
    BOOL NegotiateSpace(int nLengthTotal, BOOL bHorz);
    UINT GetEdgeHTCode(int nEdge);
    BOOL GetEdgeRect(CRect rcWnd, UINT nHitTest, CRect& rcEdge);

    DWORD m_scbStyle = 0;
    UINT m_nTrackEdge = 0;
    CSize m_sizeHorz = CSize(200, 200);
    CSize m_sizeVert = CSize(200, 200);
    CSize m_sizeFloat = CSize(200, 200);
    CSize m_sizeMinHorz = CSize(33, 32);
    CSize m_sizeMinVert = CSize(33, 32);
    CSize m_sizeMinFloat = CSize(37, 32);
    CSize m_sizeTrackMin;
    CSize m_sizeTrackMax;
    CSize m_sizeTrackStart;
    CPoint m_ptTrackStart;
    BOOL m_bEdgeTracking = FALSE;
    BOOL m_bKeepLength = FALSE;
    BOOL m_bRowRelayout = FALSE;
    BOOL m_bLiveDrag = FALSE;
    UINT m_nDockSideID = 0;
    int m_nEdgeWidth = 5;

protected:
    int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
    void OnPaint() override;
    void OnNcPaint() override;
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) override;
    void OnWindowPosChanging(WINDOWPOS* lpwndpos) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    void OnSettingChange(UINT uFlags, LPCSTR lpszSection) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnNcLButtonDown(UINT nHitTest, CPoint point) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnNcMouseMove(UINT nHitTest, CPoint point) override;
    LRESULT OnNcHitTest(CPoint point) override;
    void OnClose() override;
    void OnSize(UINT nType, int cx, int cy) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Builds "<name>-SCBar-<id>" into szSection, bounded by its size.
    void GetStateSection(LPCSTR lpszProfileName, char* szSection, size_t cch) const;
    // The bar whose index in the row passes the row's end is not used.
    CSizingControlBar* GetTrackNeighbour(CSCBArray& arrSCBars);
};

// The close button of a CSizingControlBarG: an 11 x 11 square drawn in the
// gripper strip.
class KVVX_API CBarCloseButton
{
public:
    CBarCloseButton();
    void Paint(CDC* pDC);
    CRect GetRect() const { return CRect(ptOrigin, CSize(11, 11)); }

    BOOL bPressed;
    BOOL bHot;
    CPoint ptOrigin;
};

class KVVX_API CSizingControlBarG : public CSizingControlBar
{
    DECLARE_DYNAMIC(CSizingControlBarG)
public:
    CSizingControlBarG();

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void NcPaintGripper(CDC* pDC, CRect rcClient) override;
    void NcCalcClient(LPRECT pRc, UINT nDockBarID) override;
    virtual BOOL HasGripper() const;

    int m_nGripperSize = 12;
    CBarCloseButton m_btnClose;

protected:
    void OnNcLButtonUp(UINT nHitTest, CPoint point) override;
    LRESULT OnNcHitTest(CPoint point) override;
};
