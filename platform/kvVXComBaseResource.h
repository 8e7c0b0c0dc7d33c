#pragma once
// Identifiers of the library's own resources (platform/kvVXComBase.rc).

// The progress-note dialog and its list of notes.
#define IDD_KV_PROCESS_NOTE 65535
#define IDC_KV_PROCESS_NOTE_LIST 1001

// A caption for system notices.
#define IDS_KV_SYSTEM_NOTICE 9000
