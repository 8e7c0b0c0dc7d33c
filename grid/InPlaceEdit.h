#pragma once
// CInPlaceEdit: the single-line editor the grid places over a cell while the
// user types. It ends the edit when it loses the keyboard focus: it reports
// the final text and the key that ended the edit to the grid in a
// GRIDDISPINFO (GRIDN_ENDLABELEDIT), closes itself and, once its window is
// destroyed, deletes itself. The grid keeps no pointer to it.

#include "platform/core/Core.h"
#include "platform/Geometry.h"
#include "platform/Wnd.h"
#include "platform/StdControls.h"

class KVVX_API CInPlaceEdit : public CEdit
{
public:
    // Creates the window over rect (grid client coordinates) with the
    // style, id and text given, gives it the grid's font and the focus, and
    // acts on nFirstChar, the key that started the edit (1: the mouse).
    CInPlaceEdit(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID,
                 int nRow, int nCol, CString sInitText, UINT nFirstChar);
    virtual ~CInPlaceEdit();

    virtual BOOL PreTranslateMessage(MSG* pMsg);

    int GetRow() const { return m_nRow; }
    int GetCol() const { return m_nCol; }

protected:
    virtual void PostNcDestroy();
    virtual void OnKillFocus(CWnd* pNewWnd);
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual UINT OnGetDlgCode();

private:
    // Widens the window so the text plus two spaces fits, up to the right
    // edge of the grid's client area; never narrows it.
    void WidenToText();
    // Hands the keyboard focus back to the grid, which ends the edit.
    void EndEdit(UINT nLastChar);

    CString m_sInitText;
    int     m_nRow;
    int     m_nCol;
    UINT    m_nLastChar;
    BOOL    m_bExitOnArrows;
    CRect   m_rect;
};

// Ends an in-place edit in the editor window pEditor: sends its owner (else
// its parent) the final text and the key that ended the edit (0 for a click
// elsewhere) in a GRIDDISPINFO (GRIDN_ENDLABELEDIT), then posts the editor a
// WM_CLOSE. The editor's object may be deleted while the owner handles it.
void GridEndInPlaceEdit(CWnd* pEditor, int nRow, int nCol, UINT nLastChar);
