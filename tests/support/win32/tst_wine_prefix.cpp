// The Wine prefix the Windows tests run in: Calibri must come out with
// Carlito's metrics (otherwise every text width in the layout tests is a
// fallback font's), and the screen must be at the 96 dpi the layout is
// drawn for.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest/doctest.h>
#include <windows.h>

#include <string>

namespace {

TEXTMETRICW MetricsOf(const wchar_t* face, SIZE* sample) {
    HDC dc = GetDC(nullptr);
    LOGFONTW font{};
    font.lfHeight = -19;  // 14.25 pt at 96 dpi
    font.lfWeight = FW_BOLD;
    font.lfCharSet = ANSI_CHARSET;
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ old = SelectObject(dc, handle);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const std::wstring text = L"Portata cm\u00B3";
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), sample);
    SelectObject(dc, old);
    DeleteObject(handle);
    ReleaseDC(nullptr, dc);
    return metrics;
}

}  // namespace

TEST_CASE("Calibri is drawn with Carlito's metrics") {
    SIZE calibri{};
    SIZE carlito{};
    const TEXTMETRICW a = MetricsOf(L"Calibri", &calibri);
    const TEXTMETRICW b = MetricsOf(L"Carlito", &carlito);
    CHECK(a.tmHeight == b.tmHeight);
    CHECK(a.tmAveCharWidth == b.tmAveCharWidth);
    CHECK(calibri.cx == carlito.cx);
    // A fallback face would draw the sample wider than Carlito does.
    SIZE tahoma{};
    MetricsOf(L"Tahoma", &tahoma);
    CHECK(tahoma.cx != carlito.cx);
}

TEST_CASE("the screen is at 96 dpi") {
    HDC dc = GetDC(nullptr);
    CHECK(GetDeviceCaps(dc, LOGPIXELSX) == 96);
    ReleaseDC(nullptr, dc);
}
