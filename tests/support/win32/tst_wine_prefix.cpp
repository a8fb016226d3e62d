// Windows only: the Wine prefix the Windows tests run in. Calibri must come
// out with Carlito's metrics (otherwise every text width in the layout tests
// is a fallback font's), and the screen must be at the 96 dpi the layout is
// drawn for.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Drawn {
    TEXTMETRICW metrics{};
    SIZE sample{};
};

Drawn Draw(const wchar_t* face) {
    HDC dc = GetDC(nullptr);
    LOGFONTW font{};
    font.lfHeight = -19;  // 14.25 pt at 96 dpi
    font.lfWeight = FW_BOLD;
    font.lfCharSet = ANSI_CHARSET;
    wcsncpy(&font.lfFaceName[0], face, LF_FACESIZE - 1);
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ old = SelectObject(dc, handle);
    Drawn drawn;
    GetTextMetricsW(dc, &drawn.metrics);
    const std::wstring text = L"Portata cm\u00B3";
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &drawn.sample);
    SelectObject(dc, old);
    DeleteObject(handle);
    ReleaseDC(nullptr, dc);
    return drawn;
}

TEST(WinePrefix, CalibriIsDrawnWithCarlitosMetrics) {
    const Drawn calibri = Draw(L"Calibri");
    const Drawn carlito = Draw(L"Carlito");
    EXPECT_EQ(calibri.metrics.tmHeight, carlito.metrics.tmHeight);
    EXPECT_EQ(calibri.metrics.tmAveCharWidth, carlito.metrics.tmAveCharWidth);
    EXPECT_EQ(calibri.sample.cx, carlito.sample.cx);
    // A fallback face would draw the sample at another width than Carlito does.
    EXPECT_NE(Draw(L"Tahoma").sample.cx, carlito.sample.cx);
}

TEST(WinePrefix, TheScreenIsAt96Dpi) {
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
    ReleaseDC(nullptr, dc);
}

}  // namespace
