#pragma once

// CVXTitleTip: the pop-up window that shows the whole text of a clipped grid
// cell. The grid holds one as a member; for now it is an empty window object
// that the grid owns and that is never created.

#include "platform/Wnd.h"

class KVVX_API CVXTitleTip : public CWnd
{
public:
    CVXTitleTip();
    virtual ~CVXTitleTip();
};
