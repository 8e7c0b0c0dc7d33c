// CVXGridCtrl: cell texts to and from the clipboard as tab-separated text.
//
// Copying writes one line per row of the selection's bounding range, one
// tab-separated field per column: the text of a selected cell (a single
// space when it is empty), nothing for an unselected one; lines are
// separated by "\n" and the block ends with one zero byte. Pasting reads
// the looser format of CGridPasteReader into the cells from a start cell
// rightwards and downwards.

#include "grid/GridCtrl.h"
#include "grid/GridPasteText.h"
#include "platform/OleDataTransfer.h"

#include <new>
#include <string>
#include <vector>

// The text is gathered in blocks of about 64 KB, and the shared file is
// sized once for the whole text before the blocks are written into it:
// growing one large block step by step would copy it and touch fresh memory
// again at every step, which costs more than gathering the text. Every
// text comes from the virtual GetItemText, so a derived grid's own texts
// are what is copied.
COleDataSource* CVXGridCtrl::CopyTextFromGrid()
{
    CVXCellRange range = GetSelectedCellRange();
    if (!IsValid(range))
        return NULL;

    const size_t kBlock = 64 * 1024;
    CSharedFile sf(GMEM_MOVEABLE | GMEM_DDESHARE, 4096);
    HGLOBAL hText = NULL;
    try
    {
        std::vector<std::string> blocks(1);
        blocks.back().reserve(kBlock + 64);
        size_t nTotal = 0;
        for (int row = range.minRow; row <= range.maxRow; row++)
        {
            for (int col = range.minCol; col <= range.maxCol; col++)
            {
                std::string& block = blocks.back();
                const CGridCell* pCell = GetCell(row, col);
                if (pCell != NULL && (pCell->m_nState & GCS_SELECTED))
                {
                    CString str = GetItemText(row, col);
                    if (str.IsEmpty())
                        block += ' ';
                    else
                        block.append(str.GetString(), (size_t)str.GetLength());
                }
                if (col != range.maxCol)
                    block += '\t';
                if (block.size() >= kBlock)
                {
                    nTotal += block.size();
                    blocks.emplace_back();
                    blocks.back().reserve(kBlock + 64);
                }
            }
            if (row != range.maxRow)
                blocks.back() += '\n';
        }
        blocks.back() += '\0';
        nTotal += blocks.back().size();

        sf.SetLength(nTotal);
        sf.SeekToBegin();
        for (const std::string& block : blocks)
        {
            // A single cell's text is below 2 GB, so a block fits a write.
            sf.Write(block.data(), (UINT)block.size());
        }
        hText = sf.Detach();
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        return NULL;
    }
    catch (const std::bad_alloc&)
    {
        return NULL;
    }
    if (hText == NULL)
        return NULL;

    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, hText);
    return pSource;
}

void CVXGridCtrl::OnEditCopy()
{
    COleDataSource* pSource = CopyTextFromGrid();
    if (pSource != NULL)
        pSource->SetClipboard();
}

void CVXGridCtrl::OnEditCut()
{
    if (!m_bEditable)
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (pSource == NULL)
        return;
    pSource->SetClipboard();
    CutSelectedText();
}

// Emptying a cell takes it out of the selection map, so the cells to cut
// are collected first and the map is not walked while it changes.
void CVXGridCtrl::CutSelectedText()
{
    if (!m_bEditable)
        return;

    std::vector<CVXCellID> cells;
    cells.reserve((size_t)m_mapSelected.GetCount());
    POSITION pos = m_mapSelected.GetStartPosition();
    while (pos != NULL)
    {
        ULONGLONG key;
        CVXCellID cell;
        m_mapSelected.GetNextAssoc(pos, key, cell);
        cells.push_back(cell);
    }

    for (const CVXCellID& cell : cells)
    {
        if (!IsValid(cell) || !IsCellEditable(cell.row, cell.col))
            continue;
        SendMessageToParent(cell.row, cell.col, GRIDN_BEGINLABELEDIT);
        EmptyCell(GetCell(cell.row, cell.col), cell.row, cell.col);
        SetModified(TRUE, cell.row, cell.col);
        SendMessageToParent(cell.row, cell.col, GRIDN_ENDLABELEDIT);
    }
    if (GetSafeHwnd() != NULL)
        Invalidate();
}

void CVXGridCtrl::OnEditPaste()
{
    if (!m_bEditable)
        return;
    CVXCellID cell = GetFocusCell();
    if (!IsValid(cell))
        cell = GetTopleftNonFixedCell();
    if (!IsValid(cell))
        return;

    COleDataObject data;
    if (data.AttachClipboard())
        PasteTextToGrid(cell, &data);
}

// Only the start cell decides whether the paste happens; within the pasted
// area read-only cells keep their text. Fields without a cell (right of the
// last column, below the last row) are dropped; reading stops at the last
// row, and the rest of a line that runs past the last column is skipped in
// one step, so a huge text costs no more than what fits into the grid.
BOOL CVXGridCtrl::PasteTextToGrid(CVXCellID cell, COleDataObject* pDataObject)
{
    if (!IsValid(cell) || !IsCellEditable(cell.row, cell.col))
        return FALSE;
    if (pDataObject == NULL || !pDataObject->IsDataAvailable(CF_TEXT))
        return FALSE;
    HGLOBAL hText = pDataObject->GetGlobalData(CF_TEXT);
    if (hText == NULL)
        return FALSE;
    const char* pText = (const char*)::GlobalLock(hText);
    if (pText == NULL)
    {
        ::GlobalFree(hText);
        return FALSE;
    }

    // The block's size bounds the text: another program's block need not
    // end with a zero byte.
    CGridPasteReader reader(pText, ::GlobalSize(hText));
    GridPasteField field;
    while (reader.NextField(field))
    {
        const long long row = (long long)cell.row + (long long)field.nLine;
        const long long col = (long long)cell.col + (long long)field.nField;
        if (row >= m_nRows)
            break;
        if (col >= m_nCols)
        {
            reader.SkipLine();
            continue;
        }
        const int r = (int)row, c = (int)col;
        if (!IsCellEditable(r, c))
            continue;
        SendMessageToParent(r, c, GRIDN_BEGINLABELEDIT);
        SetItemText(r, c, CString(field.pText, (int)field.nLength));
        SetModified(TRUE, r, c);
        SendMessageToParent(r, c, GRIDN_ENDLABELEDIT);
        UINT nState = GetItemState(r, c);
        if (nState & GCS_SELECTED)
            SetItemState(r, c, nState & ~GCS_SELECTED);
    }

    ::GlobalUnlock(hText);
    ::GlobalFree(hText);
    if (GetSafeHwnd() != NULL)
        Invalidate();
    return TRUE;
}
