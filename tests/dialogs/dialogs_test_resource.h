#pragma once
// Resource ids of the dialog tests.
#define IDD_TEST_OPTIONS 200
#define IDC_TEST_MARKER 201
#define IDC_TEST_MORE 202
#define IDC_TEST_BASIC_EDIT 203
#define IDC_TEST_ADV_EDIT 204
#define IDC_TEST_ADV_CHECK 205
#define IDC_TEST_ADV_HIDDEN 206
#define IDD_TEST_NO_MARKER 210
