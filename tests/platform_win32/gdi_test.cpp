// Drawing through the CDC wrappers, read back from a DIB section; object
// ownership and selection restoring; geometry rules the drawing relies on.
#include <gtest/gtest.h>
#include "fw_test_support.h"

TEST(Gdi, FillsFramesAndLines)
{
    DibSurface s(64, 48);
    s.dc.FillSolidRect(0, 0, 64, 48, RGB(255, 255, 255));
    EXPECT_EQ(s.At(10, 10), RGB(255, 255, 255));
    s.dc.SetBkColor(RGB(1, 2, 3));
    s.dc.FillSolidRect(CRect(5, 5, 15, 10), RGB(200, 10, 20));
    EXPECT_EQ(s.At(5, 5), RGB(200, 10, 20));
    EXPECT_EQ(s.At(14, 9), RGB(200, 10, 20));
    EXPECT_EQ(s.At(15, 9), RGB(255, 255, 255));  // right edge excluded
    EXPECT_EQ(s.At(14, 10), RGB(255, 255, 255));
    EXPECT_EQ(s.dc.GetBkColor(), RGB(1, 2, 3));   // the fill leaves the background colour alone

    s.dc.Draw3dRect(CRect(20, 20, 30, 30), RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(s.At(20, 20), RGB(255, 0, 0));   // top-left corner
    EXPECT_EQ(s.At(28, 20), RGB(255, 0, 0));   // top edge
    EXPECT_EQ(s.At(20, 28), RGB(255, 0, 0));   // left edge
    EXPECT_EQ(s.At(29, 20), RGB(0, 0, 255));   // right edge
    EXPECT_EQ(s.At(20, 29), RGB(0, 0, 255));   // bottom edge
    EXPECT_EQ(s.At(25, 25), RGB(255, 255, 255));

    CPen pen(PS_SOLID, 1, RGB(0, 128, 0));
    CPen* pOld = s.dc.SelectObject(&pen);
    ASSERT_NE(pOld, nullptr);
    s.dc.MoveTo(0, 40);
    s.dc.LineTo(10, 40);
    EXPECT_EQ(s.At(0, 40), RGB(0, 128, 0));
    EXPECT_EQ(s.At(9, 40), RGB(0, 128, 0));
    EXPECT_EQ(s.At(10, 40), RGB(255, 255, 255));  // the end point is not drawn
    EXPECT_EQ(s.dc.SelectObject(pOld), &pen);    // the caller's wrapper comes back

    s.dc.InvertRect(CRect(40, 0, 42, 2));
    EXPECT_EQ(s.At(40, 0), RGB(0, 0, 0));
    s.dc.PatBlt(40, 0, 2, 2, DSTINVERT);
    EXPECT_EQ(s.At(40, 0), RGB(255, 255, 255));

    CBrush brush(RGB(9, 99, 199));
    s.dc.FillRect(CRect(50, 30, 60, 40), &brush);
    EXPECT_EQ(s.At(55, 35), RGB(9, 99, 199));
    s.dc.FillRect(nullptr, &brush);  // nothing to fill: no crash
    s.dc.FillRect(CRect(0, 0, 1, 1), nullptr);
}

TEST(Gdi, TextAndClipping)
{
    DibSurface s(200, 40);
    s.dc.FillSolidRect(0, 0, 200, 40, RGB(255, 255, 255));
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Tahoma"));
    LOGFONTA lf;
    ASSERT_GT(font.GetLogFont(&lf), 0);
    EXPECT_LT(lf.lfHeight, 0);  // a character height, from points

    CFont* pOldFont = s.dc.SelectObject(&font);
    ASSERT_NE(pOldFont, nullptr);
    CSize ext = s.dc.GetTextExtent("Region", -1);
    EXPECT_GT(ext.cx, 10);
    EXPECT_GT(ext.cy, 5);
    EXPECT_EQ(s.dc.GetTextExtent(CString("Region")), ext);
    TEXTMETRICA tm;
    ASSERT_TRUE(s.dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, ext.cy);

    s.dc.SetTextColor(RGB(0, 0, 0));
    s.dc.SetBkMode(TRANSPARENT);
    CRect rc(0, 0, 200, 40);
    s.dc.IntersectClipRect(0, 0, 100, 40);
    CRect clip;
    s.dc.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(0, 0, 100, 40));
    s.dc.DrawText("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", -1, &rc, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    int darkLeft = 0, darkRight = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 40; ++y)
            if (s.At(x, y) != RGB(255, 255, 255))
                (x < 100 ? darkLeft : darkRight)++;
    EXPECT_GT(darkLeft, 0);
    EXPECT_EQ(darkRight, 0);  // nothing drawn outside the clip
    s.dc.SelectClipRgn(nullptr);
    s.dc.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(0, 0, 200, 40));

    // DT_CALCRECT measures without drawing.
    CRect calc(0, 0, 0, 0);
    s.dc.DrawText(CString("Area"), &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calc.Width(), s.dc.GetTextExtent("Area", 4).cx);
    s.dc.SelectObject(pOldFont);
}

TEST(Gdi, ObjectsAreFreedOnceAndSelectionsRestored)
{
    HGDIOBJ hFont = nullptr, hBmp = nullptr;
    HDC hdc = nullptr;
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        hdc = dc.m_hDC;
        HGDIOBJ hOrigFont = ::GetCurrentObject(hdc, OBJ_FONT);
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(80, "Tahoma"));
        hFont = font.m_hObject;
        CBitmap bmp;
        ASSERT_TRUE(bmp.CreateDIBSection32(8, 8));
        hBmp = bmp.m_hObject;
        dc.SelectObject(&font);
        dc.SelectObject(&bmp);
        EXPECT_EQ(::GetCurrentObject(hdc, OBJ_FONT), hFont);
        dc.ReleaseSelections();
        EXPECT_EQ(::GetCurrentObject(hdc, OBJ_FONT), hOrigFont);
        dc.SelectObject(&font);
        dc.SelectObject(&bmp);
        // Leaving the scope: dc first gives back font and bitmap, then the
        // bitmap and font wrappers delete them.
        (void)hOrigFont;
        bmp.Detach();  // the bitmap is handed over to the test
        ::DeleteObject(hBmp);
        hBmp = nullptr;
        HGDIOBJ h = font.Detach();
        EXPECT_EQ(h, hFont);
        EXPECT_EQ(font.m_hObject, nullptr);
        font.Attach(h);  // and back: the wrapper owns it again
    }
    EXPECT_EQ(::GetObjectType(hFont), 0u);  // deleted
    EXPECT_EQ(::GetObjectType(hdc), 0u);

    // Stock objects are never deleted by their wrapper.
    {
        CBrush stock;
        ASSERT_TRUE(stock.CreateStockObject(WHITE_BRUSH));
    }
    EXPECT_NE(::GetObjectType(::GetStockObject(WHITE_BRUSH)), 0u);

    // Temporary wrappers do not free what they wrap.
    HBRUSH hb = ::CreateSolidBrush(RGB(1, 1, 1));
    CGdiObject* pTemp = CGdiObject::FromHandle(hb);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_NE(dynamic_cast<CBrush*>(pTemp), nullptr);  // typed after the object
    AfxDeleteTempMaps();
    EXPECT_EQ(::GetObjectType(hb), (DWORD)OBJ_BRUSH);
    // A wrapper kept for a deleted handle whose value now names another
    // kind of object is replaced by one of the right kind.
    CGdiObject* pBrushWrapper = CGdiObject::FromHandle(hb);
    ::DeleteObject(hb);
    HFONT hf = nullptr;
    std::vector<HFONT> fonts;
    for (int i = 0; i < 50 && !hf; ++i)
    {
        HFONT f = ::CreateFontA(10 + i, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
        if ((HGDIOBJ)f == (HGDIOBJ)hb)
            hf = f;
        else
            fonts.push_back(f);
    }
    if (hf)
    {
        CGdiObject* pNow = CGdiObject::FromHandle(hf);
        EXPECT_NE(dynamic_cast<CFont*>(pNow), nullptr);
        LOGFONTA lf;
        EXPECT_GT(static_cast<CFont*>(pNow)->GetLogFont(&lf), 0);
        ::DeleteObject(hf);
    }
    (void)pBrushWrapper;
    for (HFONT f : fonts)
        ::DeleteObject(f);
    AfxDeleteTempMaps();

    // Failures are results, not crashes.
    CBitmap none;
    EXPECT_FALSE(none.CreateDIBSection32(0, 10));
    EXPECT_FALSE(none.CreateCompatibleBitmap(nullptr, 5, 5));
    CFont nofont;
    EXPECT_FALSE(nofont.CreateFontIndirect(nullptr));
    CDC empty;
    EXPECT_EQ(empty.SelectObject((CFont*)nullptr), nullptr);
}

TEST(Gdi, WindowContextsAndPrinting)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "dc", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
    {
        CClientDC dc(&wnd);
        ASSERT_NE(dc.m_hDC, nullptr);
        EXPECT_EQ(dc.GetWindow(), &wnd);
        EXPECT_FALSE(dc.IsPrinting());
        EXPECT_GT(dc.GetDeviceCaps(LOGPIXELSY), 0);
    }
    CDC* pDC = wnd.GetDC();
    ASSERT_NE(pDC, nullptr);
    EXPECT_EQ(wnd.ReleaseDC(pDC), 1);

    // Mapping modes convert between logical and device units.
    DibSurface s(100, 100);
    s.dc.SetMapMode(MM_LOMETRIC);
    CSize sz(254, 254);  // one inch in tenths of a millimetre
    s.dc.LPtoDP(&sz);
    EXPECT_EQ(sz.cx, s.dc.GetDeviceCaps(LOGPIXELSX));
    s.dc.SetMapMode(MM_TEXT);

    // A context marked as printing reports it; page calls on a screen
    // context fail cleanly.
    s.dc.m_bPrinting = TRUE;
    EXPECT_TRUE(s.dc.IsPrinting());
    EXPECT_LE(s.dc.StartDoc("kvvx"), 0);
}

TEST(Geometry, RectangleRules)
{
    CRect r(10, 20, 30, 60);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 40);
    EXPECT_EQ(r.CenterPoint(), CPoint(20, 40));
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 20)));  // right edge excluded
    CRect inv(30, 60, 10, 20);
    EXPECT_TRUE(inv.IsRectEmpty());
    inv.NormalizeRect();
    EXPECT_EQ(inv, r);
    CRect i;
    EXPECT_FALSE(i.IntersectRect(CRect(0, 0, 5, 5), CRect(5, 5, 9, 9)));  // touching only
    EXPECT_TRUE(i.IsRectNull());
    CRect u;
    EXPECT_TRUE(u.UnionRect(CRect(0, 0, 0, 0), CRect(1, 2, 3, 4)));  // empty ones do not count
    EXPECT_EQ(u, CRect(1, 2, 3, 4));
    CRect d(r);
    d.DeflateRect(2, 3);
    EXPECT_EQ(d, CRect(12, 23, 28, 57));
    d.InflateRect(2, 3);
    EXPECT_EQ(d, r);
    EXPECT_EQ(r & CRect(0, 0, 15, 25), CRect(10, 20, 15, 25));
    EXPECT_EQ(CPoint(5, 5) - CPoint(2, 1), CSize(3, 4));
    EXPECT_EQ(CPoint(MAKELPARAM(-3, 4)), CPoint(-3, 4));
    r.TopLeft() = CPoint(0, 0);
    EXPECT_EQ(r, CRect(0, 0, 30, 60));
}

TEST(Gdi, ImageListDrawsThroughTheDC)
{
    CImageList il;
    EXPECT_FALSE(il.Create(0, 16, ILC_COLOR32, 1, 1));
    ASSERT_TRUE(il.Create(8, 8, ILC_COLOR24, 2, 2));
    EXPECT_EQ(il.GetImageCount(), 0);
    CBitmap bmp;
    {
        CClientDC screen(nullptr);
        ASSERT_TRUE(bmp.CreateCompatibleBitmap(&screen, 8, 8));
    }
    {
        CDC mem;
        mem.CreateCompatibleDC(nullptr);
        mem.SelectObject(&bmp);
        mem.FillSolidRect(0, 0, 8, 8, RGB(10, 200, 30));
    }
    EXPECT_EQ(il.Add(&bmp, (CBitmap*)nullptr), 0);
    EXPECT_EQ(il.GetImageCount(), 1);
    IMAGEINFO info;
    EXPECT_TRUE(il.GetImageInfo(0, &info));
    EXPECT_FALSE(il.GetImageInfo(1, &info));
    DibSurface s(20, 20);
    s.dc.FillSolidRect(0, 0, 20, 20, RGB(255, 255, 255));
    EXPECT_TRUE(il.Draw(&s.dc, 0, CPoint(4, 4), ILD_NORMAL));
    EXPECT_EQ(s.At(6, 6), RGB(10, 200, 30));
    EXPECT_EQ(s.At(1, 1), RGB(255, 255, 255));
    EXPECT_FALSE(il.Draw(&s.dc, 5, CPoint(0, 0), ILD_NORMAL));
    EXPECT_FALSE(il.Draw(nullptr, 0, CPoint(0, 0), ILD_NORMAL));
}
