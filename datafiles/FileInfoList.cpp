#include "datafiles/FileInfoList.h"

#include "platform/core/Exceptions.h"
#include "platform/core/File.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

const long kDefaultMaxRecords = 51;

// One field of a line: a pointer into the line and a length.
struct Field
{
    const char* text;
    size_t length;
};

// Takes the text before the next ';' of rest and drops it with the ';';
// without a ';' the field is empty and nothing is dropped. Either way the
// spaces (code 32 only) that then lead rest are dropped too.
Field TakeField(const char*& rest)
{
    Field field = {rest, 0};
    if (const char* semi = std::strchr(rest, ';')) {
        field.length = static_cast<size_t>(semi - rest);
        rest = semi + 1;
    }
    while (*rest == ' ')
        ++rest;
    return field;
}

// The fields are copied straight into the records' strings: running out of
// memory on a huge line then surfaces as the framework's CMemoryException*,
// which is what the caller is prepared to catch.
CString ToString(const char* text, size_t length)
{
    return CString(text, static_cast<int>(length > static_cast<size_t>(INT_MAX) ? INT_MAX : length));
}

// The decimal number at the start of a field that ends with its ';' (the
// conversion stops at the first non-digit, so it never runs past the ';').
int ToNumber(const Field& field)
{
    if (field.length == 0)
        return 0;
    long v = std::strtol(field.text, nullptr, 10);
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

    const Field number = TakeField(rest);
    pInfo->nNumber = ToNumber(number);

    const Field second = TakeField(rest);
    const void* slash = std::memchr(second.text, '/', second.length);
    if (slash && slash != second.text) {
        const size_t s = static_cast<size_t>(static_cast<const char*>(slash) - second.text);
        pInfo->strPart1 = ToString(second.text, s);
        pInfo->strPart2 = ToString(second.text + s + 1, second.length - s - 1);
    } else {
        pInfo->strPart1 = ToString(second.text, second.length);
    }
    const Field third = TakeField(rest);
    pInfo->strPart3 = ToString(third.text, third.length);
    const Field fourth = TakeField(rest);
    pInfo->strPart4 = ToString(fourth.text, fourth.length);
    pInfo->strPart5 = CString(rest);
}

int kvGetFileInfo(CString strPath, TransFileInfo* pInfo, long nMaxRecords)
{
    if (!pInfo)
        return 0;
    if (nMaxRecords <= 0)
        nMaxRecords = kDefaultMaxRecords;

    CStdioFile file;
    if (!file.Open(strPath.GetString(), CFile::modeRead | CFile::shareDenyWrite | CFile::typeText))
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
