#pragma once

// CGridDropTarget: the grid's OLE drop target. Every grid holds one as a
// member. For now it only remembers the grid it serves and whether it is
// registered; registration and the drop notifications come with the grid's
// drag-and-drop support.

#include "platform/core/kvExport.h"
#include "platform/core/WinTypes.h"

class CVXGridCtrl;

class KVVX_API CGridDropTarget
{
public:
    CGridDropTarget();
    virtual ~CGridDropTarget();

    CVXGridCtrl* m_pGridCtrl;   // the grid served, NULL until registered
    BOOL m_bRegistered;         // registered with OLE for the grid's window

private:
    CGridDropTarget(const CGridDropTarget&) = delete;
    CGridDropTarget& operator=(const CGridDropTarget&) = delete;
};
