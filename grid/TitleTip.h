#pragma once

// CVXTitleTip: the pop-up window that shows the whole text of a grid cell
// whose text does not fit. It lies exactly over the cell, in the cell's
// font, on the system's tooltip background, is never activated, and gets
// out of the way as soon as the mouse leaves the cell or a key or mouse
// button is pressed, passing that input on to the window underneath: a tip
// never swallows a click, a keystroke or the mouse capture.

#include "platform/Wnd.h"
#include "platform/core/String.h"

#define TITLETIP_CLASSNAME "ZTitleTip"

class KVVX_API CVXTitleTip : public CWnd
{
public:
    // Registers the window class "ZTitleTip" once per process; a failed
    // registration throws the framework's resource exception.
    CVXTitleTip();
    virtual ~CVXTitleTip();

    // Creates the hidden pop-up; pParentWnd (the grid) gets the input the
    // tip passes on.
    virtual BOOL Create(CWnd* pParentWnd);

    // Shows the whole text of one cell. rcTitle is the cell's text rectangle
    // and lpHoverRect the area in which the mouse keeps the tip up (default:
    // rcTitle), both in the parent's client coordinates; xOffset is an extra
    // horizontal margin; lpLogFont the font (default: the parent's). Nothing
    // is shown when the text fits. While the tip is up, further calls only
    // move the hover area.
    void Show(CRect rcTitle, LPCTSTR lpszTitleText, int xOffset = 0, LPRECT lpHoverRect = NULL,
              const LOGFONT* lpLogFont = NULL);
    // Releases the capture the tip holds and hides it.
    void Hide();

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnMouseMove(UINT nFlags, CPoint point) override;
    // Input that reaches the tip itself (a host loop that skips the
    // framework's pre-translation) is passed on the same way.
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnMButtonDown(UINT nFlags, CPoint point) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) override;
    void OnPaint() override;

    // Hides the tip and posts a button press (tip client coordinates in
    // lParam) to the window under it: as a client press when the point is
    // in that window's client area, else as the matching non-client press.
    void ForwardButton(UINT message, WPARAM wParam, LPARAM lParam);
    // Hides the tip and posts a key message to the parent.
    void ForwardKey(UINT message, WPARAM wParam, LPARAM lParam);
    // The window under a screen point, the parent in place of the tip.
    CWnd* TargetFromPoint(POINT ptScreen);

    CWnd* m_pParent;
    CRect m_rcHover;

private:
    CString m_strShown;   // the string drawn, with its two spaces
    HFONT m_hFont;        // the font it is drawn in, owned while shown
};
