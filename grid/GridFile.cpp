// CVXGridCtrl: the grid's comma-separated text file.
//
// One line per row, row 0 (the headings) first; the fields of a line are the
// texts of columns 0..n-1 separated by single commas, with no quoting, so a
// text holding a comma or a line break does not survive a round trip. The
// file is written and read in text mode (CR LF on disk). Only texts travel.

#include "grid/GridCtrl.h"
#include "grid/GridLineSplitter.h"

#include <string.h>

#include <vector>

namespace
{
// Builds the grid from the fields of the file: the fields of the first
// line append the columns (heading = field), the first field of every
// further line appends a row (heading = field), the others become the texts
// of that row's cells (past the last column they are dropped).
class CLoadSink : public CGridLineSplitter::CSink
{
public:
    explicit CLoadSink(CVXGridCtrl& grid) : m_grid(grid), m_nRow(-1) {}

    void OnField(const char* pszField, size_t /*nLength*/, size_t nLine, size_t nField) override
    {
        if (nLine == 0)
            m_grid.InsertColumn(pszField, DT_CENTER | DT_VCENTER | DT_SINGLELINE, -1);
        else if (nField == 0)
            m_nRow = m_grid.InsertRow(pszField, -1);
        else if (m_nRow >= 0)
            m_grid.SetItemText(m_nRow, (int)nField, pszField);   // past the last column: dropped
    }

private:
    CVXGridCtrl& m_grid;
    int m_nRow;
};
} // namespace

BOOL CVXGridCtrl::Save(LPCTSTR filename)
{
    CStdioFile file;
    CFileException ex;
    if (!file.Open(filename, CFile::modeWrite | CFile::modeCreate | CFile::typeText, &ex))
    {
        ex.ReportError();
        return FALSE;
    }

    try
    {
        const int nCols = m_nCols;
        // Lines are assembled in a block of about 32 KB that is written in
        // one piece: the same bytes as writing field by field, with far
        // fewer calls into the file.
        const int kBlock = 32 * 1024;
        CString strBlock;
        strBlock.Preallocate(kBlock + 1024);
        for (int r = 0; r == 0 || r < m_nRows; r++)
        {
            if (nCols <= 0)
                break;
            for (int c = 0; c < nCols; c++)
            {
                strBlock += GetItemText(r, c);
                strBlock += (c < nCols - 1) ? ',' : '\n';
            }
            if (strBlock.GetLength() >= kBlock)
            {
                file.WriteString(strBlock);
                strBlock.Truncate(0);   // keeps the buffer
            }
        }
        if (!strBlock.IsEmpty())
            file.WriteString(strBlock);
        file.Close();
    }
    catch (CException* e)
    {
        // File errors are reported here; anything else (out of memory)
        // goes on to the caller, with the file closed.
        file.Abort();
        if (!e->IsKindOf(RUNTIME_CLASS(CFileException)))
            throw;
        e->Delete();
        AfxMessageBox("Unable to save grid list", MB_OK);
        return FALSE;
    }
    return TRUE;
}

BOOL CVXGridCtrl::Load(LPCTSTR filename)
{
    // The file is read in large blocks and turned into lines and fields by
    // CGridLineSplitter, which does the text-mode reading (CR LF as a line
    // end) itself.
    CFile file;
    CFileException ex;
    // Others may go on reading the file meanwhile (and it may already be
    // open in another program for reading); nobody may write to it.
    if (!file.Open(filename, CFile::modeRead | CFile::shareDenyWrite, &ex))
    {
        ex.ReportError();
        return FALSE;
    }
    // Only a file on a disk has an end: a device (such as one that yields
    // zero bytes for ever) or a pipe is refused like a file that cannot be
    // opened, before the grid is touched.
    if (::GetFileType(file.m_hFile) != FILE_TYPE_DISK)
    {
        file.Abort();
        CFileException notAFile(CFileException::invalidFile, -1, filename);
        notAFile.ReportError();
        return FALSE;
    }

    DeleteAllItems();

    // While the rows go in, the scroll bars are set once at the end rather
    // than after every row, and texts are measured without a window DC:
    // loading into a shown grid then costs what loading into a hidden one
    // does.
    BeginBulkChange();
    try
    {
        CLoadSink sink(*this);
        CGridLineSplitter splitter(sink);
        const UINT kBlock = 64 * 1024;
        std::vector<char> block(kBlock);
        for (;;)
        {
            UINT nRead = file.Read(block.data(), kBlock);
            if (nRead == 0)
                break;
            splitter.Feed(block.data(), nRead);
        }
        splitter.Finish();
        EndBulkChange();
        AutoSizeColumns();
        file.Close();
    }
    catch (CException* e)
    {
        // File errors are reported here; anything else (out of memory)
        // goes on to the caller, with the file closed.
        file.Abort();
        EndBulkChange();
        if (!e->IsKindOf(RUNTIME_CLASS(CFileException)))
            throw;
        e->Delete();
        AfxMessageBox("Unable to load grid data", MB_OK);
        return FALSE;
    }
    return TRUE;
}
