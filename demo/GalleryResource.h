#pragma once
// Resource ids of the gallery.
#define IDR_MAINFRAME 128
#define IDS_GALLERY_TITLE 129
#define IDS_ABOUT_TEXT 130
#define ID_CONTROLS_NONE 32771

#ifndef ID_APP_ABOUT
#define ID_APP_ABOUT 0xE140
#endif
#ifndef ID_APP_EXIT
#define ID_APP_EXIT 0xE141
#endif
