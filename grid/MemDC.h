// CMemDC: an off-screen device context over a target context.
//
// Drawing into a CMemDC lands in a bitmap as large as the target's clip
// box; the destructor copies that bitmap to the target in one step, so a
// repaint never shows half-drawn cells. Over a printer context no bitmap
// is made and drawing goes straight to the printer.

#ifndef KVVX_GRID_MEMDC_H
#define KVVX_GRID_MEMDC_H

#include "platform/Gdi.h"

class CMemDC : public CDC
{
public:
    explicit CMemDC(CDC* pDC)
        : m_pDC(pDC), m_pOldBitmap(NULL), m_bMemDC(pDC != NULL && !pDC->IsPrinting())
    {
        m_rect.SetRectEmpty();
        if (pDC == NULL)
            return;
        if (m_bMemDC)
        {
            pDC->GetClipBox(&m_rect);
            // Without a memory context or bitmap the drawing goes straight
            // to the target rather than nowhere.
            if (!CreateCompatibleDC(pDC) ||
                !m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height()))
            {
                if (m_hDC != NULL)
                    DeleteDC();
                m_bMemDC = FALSE;
            }
            else
            {
                m_pOldBitmap = SelectObject(&m_bitmap);
                SetWindowOrg(m_rect.left, m_rect.top);
                return;
            }
        }
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
        m_bPrinting = pDC->IsPrinting();
    }

    ~CMemDC() override
    {
        if (m_bMemDC)
        {
            m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this,
                          m_rect.left, m_rect.top, SRCCOPY);
            SelectObject(m_pOldBitmap);
            DeleteDC();
        }
        else
        {
            // The handles belong to the target.
            m_hDC = NULL;
            m_hAttribDC = NULL;
        }
        m_bitmap.DeleteObject();
    }

    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    BOOL IsMemDC() const { return m_bMemDC; }

private:
    CDC*     m_pDC;
    CBitmap  m_bitmap;
    CBitmap* m_pOldBitmap;
    CRect    m_rect;
    BOOL     m_bMemDC;
};

#endif
