#pragma once

// The file information list: a text file in which each line describes one
// item as
//     number ; part1 [ / part2 ] ; part3 ; part4 ; part5
// and a comparison of two time stamps by their calendar dates.

#include "platform/core/kvExport.h"
#include "platform/core/String.h"
#include "platform/core/Time.h"

// One line of a file information list.
struct TransFileInfo
{
    int     nNumber;    // the text before the first ';' as a decimal integer
    CString strPart1;   // the second field, or its part before a '/'
    CString strPart2;   // the part of the second field after the '/'; left unchanged when there is none
    CString strPart3;   // the third field
    CString strPart4;   // the fourth field
    CString strPart5;   // everything after the fourth ';', semicolons included
};

// Fills one record from one line (without its line end). Missing fields
// become empty and a missing or non-numeric number gives 0; strPart2 is only
// assigned when the second field holds a '/' after its first character.
// Leading spaces (code 32 only) after each ';' are dropped; trailing spaces
// stay.
KVVX_API void kvParseFileInfoLine(const char* pszLine, TransFileInfo* pInfo);

// Reads the list file in text mode and fills pInfo[0], pInfo[1], ... one
// record per line, until nMaxRecords records are filled or the file ends (a
// maximum of 0 or less means 51). Returns non-zero when the file was opened,
// 0 when it cannot be opened or pInfo is null. A read error of the file layer
// reaches the caller as a CFileException* (the file is closed on the way
// out).
KVVX_API int kvGetFileInfo(CString strPath, TransFileInfo* pInfo, long nMaxRecords);

// Compares the dates (Y, M, D) of two time stamps: 0 when they are equal; 1
// when the second lies in a later year or month, or in the same month more
// than nDays days after the first; -1 otherwise.
KVVX_API short kvCompareYMD(int nYear1, int nMonth1, int nDay1, int nYear2, int nMonth2, int nDay2, long nDays);

// kvCompareYMD on the local calendar dates of t1 and t2 (a date part that
// cannot be converted counts as 0).
KVVX_API short kvJudgeFileTimeByYMD(CTime t1, CTime t2, long nDays);
