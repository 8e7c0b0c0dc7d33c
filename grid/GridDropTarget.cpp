// CGridDropTarget: the grid's drop target object.

#include "grid/GridDropTarget.h"

CGridDropTarget::CGridDropTarget()
    : m_pGridCtrl(NULL), m_bRegistered(FALSE)
{
}

CGridDropTarget::~CGridDropTarget()
{
}
