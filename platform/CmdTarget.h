#pragma once
// Command targets and command enabling.
//
// A command (a menu item, an accelerator, a control-bar button, or a
// control's WM_COMMAND notification) is offered to command targets through
// the virtual OnCmdMsg(nID, nCode, pExtra, pHandlerInfo):
//   nCode == CN_COMMAND             the command itself; pExtra is NULL.
//   nCode == CN_UPDATE_COMMAND_UI   an enable query; pExtra is the CCmdUI*.
//   other nCode                     a control notification code (EN_CHANGE ...).
// When pHandlerInfo is not NULL the call only asks whether a handler exists:
// a target answers TRUE without running anything.
//
// A class handles commands by overriding OnCmdMsg, usually through a static
// table and DispatchCmdMsg (below), and passes what it does not handle to
// its base class.
#include <windows.h>
#include <stddef.h>
#include "platform/core/kvExport.h"
#include "platform/core/Object.h"

class CCmdUI;
class CWnd;

#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((int)(-1))

// Filled by a probing OnCmdMsg call with the target that would handle it.
struct AFX_CMDHANDLERINFO
{
    class CCmdTarget* pTarget;
};

class KVVX_API CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Returns TRUE when the command was handled (or, probing, would be).
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Standard wait cursor around long operations.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();
};

// The state of one user-interface item (a menu item now, a bar button or a
// control later) during an enable query. Derived classes for other kinds
// of items override the virtual operations.
class KVVX_API CCmdUI
{
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;           // position of the item in its menu or bar
    HMENU m_hMenu = nullptr;     // the menu holding the item, or NULL
    HMENU m_hSubMenu = nullptr;  // set when the item opens a popup
    CWnd* m_pOther = nullptr;    // the bar or control holding the item, or NULL
    UINT m_nIndexMax = 0;        // number of items in the menu or bar
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 unchecked, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);

    // Lets the query go on to the next target after this handler.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget for the item's state. Without an enable handler, and
    // when bDisableIfNoHandler is TRUE, an item with no command handler is
    // disabled. Returns TRUE when a handler answered.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
};

// An enable query that only records the answer: asked before a menu or
// accelerator command runs, so that a command whose item is disabled does
// not run. It touches no menu or control.
class CEnableProbeCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
};

// A static command table for one class T:
//   static const CCmdEntry<CMyWnd> table[] = {
//       { ID_EDIT_COPY, ID_EDIT_COPY, &CMyWnd::OnEditCopy, &CMyWnd::OnUpdateEditCopy },
//   };
//   BOOL CMyWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
//       return DispatchCmdMsg(this, table, id, code, extra, info)
//           || CWnd::OnCmdMsg(id, code, extra, info);
//   }
// An entry covers the ids nFirstID..nLastID; pfnCommand or pfnCommandEx may
// handle the command (pfnCommandEx receives the id), pfnUpdate the query.
template <class T>
struct CCmdEntry
{
    UINT nFirstID;
    UINT nLastID;
    void (T::*pfnCommand)();
    void (T::*pfnUpdate)(CCmdUI*);
    void (T::*pfnCommandEx)(UINT) = nullptr;
};

template <class T, size_t N>
BOOL DispatchCmdMsg(T* pThis, const CCmdEntry<T> (&table)[N], UINT nID, int nCode, void* pExtra,
                    AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode != CN_COMMAND && nCode != CN_UPDATE_COMMAND_UI)
        return FALSE;
    for (size_t i = 0; i < N; ++i)
    {
        const CCmdEntry<T>& e = table[i];
        if (nID < e.nFirstID || nID > e.nLastID)
            continue;
        if (nCode == CN_COMMAND && (e.pfnCommand || e.pfnCommandEx))
        {
            if (pHandlerInfo)
            {
                pHandlerInfo->pTarget = pThis;
                return TRUE;
            }
            if (e.pfnCommand)
                (pThis->*e.pfnCommand)();
            else
                (pThis->*e.pfnCommandEx)(nID);
            return TRUE;
        }
        if (nCode == CN_UPDATE_COMMAND_UI && e.pfnUpdate)
        {
            if (pHandlerInfo)
            {
                pHandlerInfo->pTarget = pThis;
                return TRUE;
            }
            CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
            pCmdUI->m_bContinueRouting = FALSE;
            (pThis->*e.pfnUpdate)(pCmdUI);
            return !pCmdUI->m_bContinueRouting;
        }
    }
    return FALSE;
}
