#pragma once
// CSortListCtrl: a report-view list of texts that sorts by any column.
//
// Columns come from one headings string ("Name,120;Size,60;Date,90"); rows
// are appended with AddItem and carry, as their item parameter, a record
// owned by the control with a copy of every cell's text and a 32-bit value
// of the caller's. A click on a column title sorts the rows by that column
// (again: the other direction), comparing as whole numbers when the first
// text is all digits, as DD/MM/YYYY dates when it looks like one, else as
// text; the header draws an arrow on the sort column, and column 0 is
// renumbered 1, 2, 3 ... after every click. Column widths can be kept in the
// application's profile (section "ListCtrls", key the control's ID).
//
// The header (CSortHeaderCtrl) is bound to the list's own header window when
// the list is created or subclassed.
#include "platform/ListCtrl.h"
#include "platform/core/Archive.h"

class KVVX_API CSortHeaderCtrl : public CHeaderCtrl
{
public:
    CSortHeaderCtrl() = default;
    ~CSortHeaderCtrl() override;

    // Moves the arrow to column nCol: the item becomes owner-drawn (and
    // stays so) and the header is repainted.
    void SetSortArrow(int nCol, BOOL bAscending);
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // Column widths: the item count, then one width per item, as 32-bit
    // values. Loading applies them only when the count is the header's
    // current item count and every width is a plausible one; an archive
    // that ends early throws before any width is changed.
    void Serialize(CArchive& ar) override;

    int m_nSortCol = -1;
    BOOL m_bSortAsc = TRUE;
};

// The record every row carries as its item parameter.
struct SortItemData
{
    LPSTR* aTexts = nullptr;  // nTexts owned texts
    int nTexts = 0;
    DWORD dwData = 0;         // the caller's value
};

class KVVX_API CSortListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CSortListCtrl)
public:
    CSortListCtrl() = default;
    ~CSortListCtrl() override;

    // Entries "heading,width" separated by ';' (a closing ';' is allowed);
    // columns are right-aligned and appended after those already counted.
    // FALSE when a column cannot be inserted (those before it stay).
    BOOL SetHeadings(const CString& strHeadings);
    BOOL SetHeadings(UINT nStringID);

    // Appends a row: pszText for column 0, then one text per further
    // column, exactly as many as there are columns (NULL counts as empty).
    // Returns the row's index, -1 when the list has no column or the row
    // cannot be made.
    int AddItem(LPCSTR pszText, ...);
    // Appends a row whose cells are all empty.
    int AddItem();
    // The checked form: nTexts texts for the first columns; missing ones
    // are empty, extra ones are ignored.
    int AddItemArray(const LPCSTR* apszTexts, int nTexts);

    // Sets the cell in the window and, when that works, the row's copy.
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    // The caller's value of a row made by AddItem (FALSE / 0 for any other
    // index or row).
    BOOL SetItemData(int nItem, DWORD dwData);
    DWORD GetItemData(int nItem) const;

    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    // Deletes every column from the last one down; FALSE at the first that
    // cannot be deleted. The column count follows the columns left.
    BOOL DeleteAllCols();

    // Sorts by nCol (ascending or not) and moves the header's arrow; with
    // the first column holding row numbers a sort by column 0 is only
    // recorded.
    void Sort(int nCol, BOOL bAscending);

    void SetFirstColID(BOOL bFirstColID) { m_bFirstColID = bFirstColID; }
    BOOL IsFirstColID() const { return m_bFirstColID; }
    void SetDispSort(BOOL bDispSort) { m_bDispSort = bDispSort; }
    BOOL IsDispSort() const { return m_bDispSort; }
    int GetColCount() const { return m_nColCount; }
    int GetSortColumn() const { return m_nSortCol; }
    BOOL IsSortAscending() const { return m_bSortAsc; }

    // Column widths to and from the profile ("ListCtrls", key "%d" of the
    // control's ID). Loading keeps the widths when the value is missing,
    // empty, of the wrong length or count, or holds implausible widths.
    void LoadColumnInfo();
    void SaveColumnInfo();

    // Compares two cell texts as the header click does (number, date or
    // text, decided by t1). Bounded: never reads past either text.
    static int CompareTexts(LPCSTR t1, LPCSTR t2);

    CSortHeaderCtrl m_wndHeader;

protected:
    int m_nColCount = 0;
    int m_nSortCol = -1;
    BOOL m_bSortAsc = TRUE;
    BOOL m_bFirstColID = FALSE;
    BOOL m_bDispSort = TRUE;

    // The row's texts (NULL for a row without a record) and their number.
    LPSTR* GetTextArray(int nItem, int* pnTexts = nullptr) const;
    // Attaches a new record with these nTexts owned texts to the row.
    BOOL SetTextArray(int nItem, LPSTR* aTexts, int nTexts);
    void FreeItemMemory(int nItem);
    SortItemData* GetRecord(int nItem) const;

    static int CALLBACK CompareFunction(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    // Title click: sorts (unless sorting by click is off) and renumbers
    // column 0.
    virtual void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);

    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
    void OnDestroy() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    void AttachHeader();
    int AddRow(const LPCSTR* apszTexts, int nTexts);
};
