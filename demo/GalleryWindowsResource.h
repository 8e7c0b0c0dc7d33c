#pragma once
// Resource and command ids of the gallery's "Windows" page, the Options
// dialog and the long operation (resources 1400-1499, commands 33400-33499).
#define IDR_WINDOWS_PAGE 1400
#define IDD_GALLERY_OPTIONS 1401
#define IDC_OPT_MARKER 1402
#define IDC_OPT_MORE 1403
#define IDC_OPT_DECIMALS 1404
#define IDC_OPT_COLOURS 1405
#define IDC_OPT_SEPARATOR 1406
#define IDC_OPT_HEADER 1407
#define IDC_OPT_FONT 1408
#define IDC_OPT_ADVANCED_GROUP 1409

#define ID_CONTROLS_WINDOWS 33400
#define ID_CONTROLS_OPTIONS 33401
#define ID_CONTROLS_LONG_OPERATION 33402
#define ID_WINDOWS_LOCK 33403
#define ID_WINDOWS_CLOSE 33404
