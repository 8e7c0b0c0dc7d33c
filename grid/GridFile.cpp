// CVXGridCtrl: the grid's comma-separated text file.
//
// One line per row, row 0 (the headings) first; the fields of a line are the
// texts of columns 0..n-1 separated by single commas, with no quoting, so a
// text holding a comma or a line break does not survive a round trip. The
// file is written and read in text mode (CR LF on disk). Only texts travel.

#include "grid/GridCtrl.h"

#include <string.h>

namespace
{
// Longest piece of a line read at once; a longer line continues as the next
// line (and so becomes a further row).
const UINT kLinePiece = 1023;

// Calls onField(text, length) for every field of a line as read: a field
// ends at the next ',' or '\n'; at the end of the text an empty remainder
// ends the line and a non-empty one is the last field. So "a,b\n" gives a
// and b, "a,,b" gives a, "" and b, "a,b,\n" gives a, b and "", and "\n"
// gives one empty field.
template <class F>
void SplitGridLine(char* pszLine, F onField)
{
    char* p = pszLine;
    for (;;)
    {
        char* pEnd = p;
        while (*pEnd != '\0' && *pEnd != ',' && *pEnd != '\n')
            ++pEnd;
        if (*pEnd == '\0')
        {
            if (pEnd != p)
                onField(p);
            return;
        }
        *pEnd = '\0';
        onField(p);
        p = pEnd + 1;
    }
}
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
    CStdioFile file;
    CFileException ex;
    if (!file.Open(filename, CFile::modeRead | CFile::typeText, &ex))
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

    char buffer[kLinePiece + 1];
    try
    {
        if (file.ReadString(buffer, kLinePiece + 1) != NULL)
        {
            SplitGridLine(buffer, [this](const char* pszField) {
                InsertColumn(pszField, DT_CENTER | DT_VCENTER | DT_SINGLELINE, -1);
            });

            while (file.ReadString(buffer, kLinePiece + 1) != NULL)
            {
                int nRow = -1;
                int nField = 0;
                SplitGridLine(buffer, [&](const char* pszField) {
                    if (nField == 0)
                        nRow = InsertRow(pszField, -1);
                    else if (nRow >= 0)
                        SetItemText(nRow, nField, pszField);   // past the last column: dropped
                    nField++;
                });
            }
        }
        AutoSizeColumns();
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
        AfxMessageBox("Unable to load grid data", MB_OK);
        return FALSE;
    }
    return TRUE;
}
