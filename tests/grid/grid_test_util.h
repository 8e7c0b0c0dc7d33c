#pragma once
// Helpers shared by the grid tests.

#include "grid/GridCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gridtest
{

// Answers every message box with IDOK and records its text, so no test can
// hang on a modal window. Installed for the lifetime of the object.
class CMessageRecorder : public CModalUIAnswerer
{
public:
    CMessageRecorder() { m_pPrevious = AfxSetModalUIAnswerer(this); }
    ~CMessageRecorder() override { AfxSetModalUIAnswerer(m_pPrevious); }

    BOOL AnswerMessageBox(HWND, LPCSTR lpszText, LPCSTR, UINT nType, int* pnResult) override
    {
        texts.push_back(lpszText != NULL ? lpszText : "");
        types.push_back(nType);
        *pnResult = IDOK;
        return TRUE;
    }

    std::vector<std::string> texts;
    std::vector<UINT> types;

private:
    CModalUIAnswerer* m_pPrevious;
};

// The texts of one column, top to bottom.
inline std::vector<std::string> ColumnTexts(CVXGridCtrl& grid, int nCol)
{
    std::vector<std::string> texts;
    for (int r = 0; r < grid.GetRowCount(); r++)
        texts.push_back((LPCTSTR)grid.GetItemText(r, nCol));
    return texts;
}

// The texts of one row, left to right.
inline std::vector<std::string> RowTexts(CVXGridCtrl& grid, int nRow)
{
    std::vector<std::string> texts;
    for (int c = 0; c < grid.GetColumnCount(); c++)
        texts.push_back((LPCTSTR)grid.GetItemText(nRow, c));
    return texts;
}

// Sets every cell's text to "r<row>c<col>".
inline void FillNamed(CVXGridCtrl& grid)
{
    char sz[32];
    for (int r = 0; r < grid.GetRowCount(); r++)
        for (int c = 0; c < grid.GetColumnCount(); c++)
        {
            snprintf(sz, sizeof(sz), "r%dc%d", r, c);
            grid.SetItemText(r, c, sz);
        }
}

// Number of cells whose state has GCS_SELECTED.
inline int CountCellsMarkedSelected(CVXGridCtrl& grid)
{
    int n = 0;
    for (int r = 0; r < grid.GetRowCount(); r++)
        for (int c = 0; c < grid.GetColumnCount(); c++)
            if (grid.GetItemState(r, c) & GCS_SELECTED)
                n++;
    return n;
}

// A file name in the temporary folder, unique within this test run.
inline std::string TempFile(const char* pszName)
{
    char szDir[MAX_PATH];
    DWORD n = ::GetTempPathA(MAX_PATH, szDir);
    std::string path(szDir, n);
    path += "kvvx_grid_";
    path += std::to_string(::GetCurrentProcessId());
    path += "_";
    path += pszName;
    return path;
}

// The whole content of a file as bytes ("<missing>" when it cannot be read).
inline std::string ReadRaw(const std::string& path)
{
    FILE* f = fopen(path.c_str(), "rb");
    if (f == NULL)
        return "<missing>";
    std::string s;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), f)) > 0)
        s.append(buf, n);
    fclose(f);
    return s;
}

inline void WriteRaw(const std::string& path, const std::string& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_TRUE(f != NULL);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

} // namespace gridtest
