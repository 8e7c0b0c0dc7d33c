#pragma once
// The gallery's drag-and-drop page: a window of its own with two grids of
// regions; rows are dragged from one grid into the other (a move, or a copy
// with Ctrl held).
class CWnd;
class CFrameWnd;

// Opens the page (or brings the open one to the front); the window deletes
// itself when closed.
CFrameWnd* GalleryOpenDragGrids(CWnd* pOwner);
