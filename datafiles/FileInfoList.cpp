#include "datafiles/FileInfoList.h"

#include "platform/Exceptions.h"
#include "platform/File.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const long kDefaultMaxRecords = 51;

// Takes the text before the next ';' of rest and drops it with the ';';
// without a ';' the field is empty and nothing is dropped. Either way the
// spaces (code 32 only) that then lead rest are dropped too.
std::string TakeField(const char*& rest)
{
    std::string field;
    if (const char* semi = std::strchr(rest, ';')) {
        field.assign(rest, static_cast<size_t>(semi - rest));
        rest = semi + 1;
    }
    while (*rest == ' ')
        ++rest;
    return field;
}

int ToNumber(const std::string& text)
{
    long v = std::strtol(text.c_str(), nullptr, 10);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

} // namespace

void kvParseFileInfoLine(const char* pszLine, TransFileInfo* pInfo)
{
    if (!pInfo)
        return;
    const char* rest = pszLine ? pszLine : "";

    pInfo->nNumber = ToNumber(TakeField(rest));

    const std::string second = TakeField(rest);
    const size_t slash = second.find('/');
    if (slash != std::string::npos && slash > 0) {
        pInfo->strPart1 = CString(second.substr(0, slash).c_str());
        pInfo->strPart2 = CString(second.substr(slash + 1).c_str());
    } else {
        pInfo->strPart1 = CString(second.c_str());
    }
    pInfo->strPart3 = CString(TakeField(rest).c_str());
    pInfo->strPart4 = CString(TakeField(rest).c_str());
    pInfo->strPart5 = CString(rest);
}

int kvGetFileInfo(CString strPath, TransFileInfo* pInfo, long nMaxRecords)
{
    if (!pInfo)
        return 0;
    if (nMaxRecords <= 0)
        nMaxRecords = kDefaultMaxRecords;

    CStdioFile file;
    if (!file.Open(strPath.GetString(), CFile::modeRead | CFile::typeText))
        return 0;
    try {
        CString line;
        for (long k = 0; k < nMaxRecords && file.ReadString(line); ++k)
            kvParseFileInfoLine(line.GetString(), &pInfo[k]);
        file.Close();
    } catch (...) {
        file.Abort();
        throw;
    }
    return 1;
}

short kvCompareYMD(int nYear1, int nMonth1, int nDay1, int nYear2, int nMonth2, int nDay2, long nDays)
{
    if (nYear1 == nYear2 && nMonth1 == nMonth2 && nDay1 == nDay2)
        return 0;
    if (nYear2 != nYear1)
        return nYear2 > nYear1 ? 1 : -1;
    if (nMonth2 != nMonth1)
        return nMonth2 > nMonth1 ? 1 : -1;
    return static_cast<long>(nDay2) - static_cast<long>(nDay1) > nDays ? 1 : -1;
}

short kvJudgeFileTimeByYMD(CTime t1, CTime t2, long nDays)
{
    return kvCompareYMD(t1.GetYear(), t1.GetMonth(), t1.GetDay(), t2.GetYear(), t2.GetMonth(), t2.GetDay(), nDays);
}
