// CGridLineSplitter: lines and fields of the grid's text file.

#include "grid/GridLineSplitter.h"

#include <string.h>

CGridLineSplitter::CGridLineSplitter(CSink& sink)
    : m_sink(sink), m_nLength(0), m_nLine(0), m_bPendingCR(false)
{
    m_piece[0] = '\0';
}

void CGridLineSplitter::Feed(const char* pBytes, size_t nBytes)
{
    const char* p = pBytes;
    const char* const pEnd = pBytes + nBytes;
    if (p == pEnd)
        return;
    if (m_bPendingCR)
    {
        // A CR that ended the previous block: with an LF it is a line end,
        // otherwise a character of its own.
        m_bPendingCR = false;
        if (*p == '\n')
        {
            m_piece[m_nLength++] = '\n';
            ++p;
            EndPiece();
        }
        else
        {
            m_piece[m_nLength++] = '\r';
            if (m_nLength == kLinePiece)
                EndPiece();
        }
    }
    while (p < pEnd)
    {
        // Copy plain characters up to the next CR or LF, or until the piece
        // is full, in one go.
        size_t nRoom = kLinePiece - m_nLength;
        size_t nAvail = (size_t)(pEnd - p);
        size_t nScan = nAvail < nRoom ? nAvail : nRoom;
        const char* q = p;
        const char* const qEnd = p + nScan;
        while (q < qEnd && *q != '\n' && *q != '\r')
            ++q;
        memcpy(m_piece + m_nLength, p, (size_t)(q - p));
        m_nLength += (size_t)(q - p);
        p = q;
        if (p == pEnd)
            break;
        if (m_nLength == kLinePiece)
        {
            EndPiece();
            continue;
        }
        if (*p == '\n')
        {
            m_piece[m_nLength++] = '\n';
            ++p;
            EndPiece();
            continue;
        }
        // A CR: a line end when an LF follows.
        ++p;
        if (p == pEnd)
        {
            m_bPendingCR = true;
            break;
        }
        if (*p == '\n')
        {
            m_piece[m_nLength++] = '\n';
            ++p;
            EndPiece();
        }
        else
        {
            m_piece[m_nLength++] = '\r';
            if (m_nLength == kLinePiece)
                EndPiece();
        }
    }
}

void CGridLineSplitter::Finish()
{
    if (m_bPendingCR)
    {
        m_bPendingCR = false;
        m_piece[m_nLength++] = '\r';
    }
    if (m_nLength > 0)
        EndPiece();
}

void CGridLineSplitter::EndPiece()
{
    m_piece[m_nLength] = '\0';
    const size_t nLine = m_nLine++;
    m_nLength = 0;

    char* p = m_piece;
    size_t nField = 0;
    for (;;)
    {
        char* pEnd = p;
        while (*pEnd != '\0' && *pEnd != ',' && *pEnd != '\n')
            ++pEnd;
        if (*pEnd == '\0')
        {
            if (pEnd != p)
                m_sink.OnField(p, (size_t)(pEnd - p), nLine, nField);
            return;
        }
        *pEnd = '\0';
        m_sink.OnField(p, (size_t)(pEnd - p), nLine, nField++);
        p = pEnd + 1;
    }
}
