// CVXTitleTip: the grid's title-tip window object.

#include "grid/TitleTip.h"

CVXTitleTip::CVXTitleTip()
{
}

CVXTitleTip::~CVXTitleTip()
{
}
