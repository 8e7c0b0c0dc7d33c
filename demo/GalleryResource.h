#pragma once
// Resource ids of the gallery.
#define IDR_MAINFRAME 128
#define IDS_GALLERY_TITLE 129
#define IDS_ABOUT_TEXT 130
#define ID_CONTROLS_NONE 32771
#define ID_GRID_LISTMODE 32772
#define ID_GRID_SINGLEROW 32773
#define ID_GRID_EDITABLE 32774
#define ID_GRID_RESIZE 32775
#define ID_CONTROLS_LISTS 33300

#ifndef ID_APP_ABOUT
#define ID_APP_ABOUT 0xE140
#endif
#ifndef ID_APP_EXIT
#define ID_APP_EXIT 0xE141
#endif
