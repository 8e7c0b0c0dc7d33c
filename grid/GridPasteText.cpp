// CGridPasteReader: lines and fields of text pasted into a grid.

#include "grid/GridPasteText.h"

#include <string.h>

static inline bool IsSeparator(char c)
{
    return c == '\t' || c == ',' || c == '\n';
}

static inline bool IsWhite(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

CGridPasteReader::CGridPasteReader(const char* pText, size_t nLength)
    : m_p(pText), m_pEnd(pText), m_nLine(0), m_nField(0), m_bLineStart(true)
{
    if (pText == NULL)
        return;
    const void* pZero = memchr(pText, 0, nLength);
    m_pEnd = pZero != NULL ? (const char*)pZero : pText + nLength;
}

void CGridPasteReader::EndLine()
{
    m_nLine++;
    m_nField = 0;
    m_bLineStart = true;
}

bool CGridPasteReader::NextField(GridPasteField& field)
{
    for (;;)
    {
        if (m_p >= m_pEnd)
            return false;
        if (m_bLineStart && *m_p == '\n')
        {
            // An empty line: one empty field, so that it clears one cell.
            field.nLine = m_nLine;
            field.nField = 0;
            field.pText = m_p;
            field.nLength = 0;
            m_p++;
            EndLine();
            return true;
        }
        m_bLineStart = false;
        while (m_p < m_pEnd && (*m_p == '\t' || *m_p == ','))
            m_p++;
        if (m_p >= m_pEnd)
            return false;
        if (*m_p == '\n')
        {
            m_p++;
            EndLine();
            continue;
        }
        const char* pStart = m_p;
        while (m_p < m_pEnd && !IsSeparator(*m_p))
            m_p++;
        const char* pStop = m_p;
        while (pStart < pStop && IsWhite(*pStart))
            pStart++;
        while (pStop > pStart && IsWhite(pStop[-1]))
            pStop--;
        field.nLine = m_nLine;
        field.nField = m_nField++;
        field.pText = pStart;
        field.nLength = (size_t)(pStop - pStart);
        return true;
    }
}

void CGridPasteReader::SkipLine()
{
    if (m_p >= m_pEnd)
        return;
    const void* pNewline = memchr(m_p, '\n', (size_t)(m_pEnd - m_p));
    if (pNewline == NULL)
    {
        m_p = m_pEnd;
        return;
    }
    m_p = (const char*)pNewline + 1;
    EndLine();
}
