#include "ui/frame/band_painter_win32.h"

#include "env/debug_log_win32.h"
#include "resources/image_ids.h"

namespace {

constexpr COLORREF kLogoKey = RGB(200, 200, 200);
constexpr COLORREF kArrowKey = RGB(255, 255, 255);

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

void DrawKeyed(HDC dc, HDC source, HBITMAP bitmap, int x, int y, COLORREF key) {
  if (!bitmap) return;
  const SIZE s = BitmapSize(bitmap);
  SelectGuard select(source, bitmap);
  TransparentBlt(dc, x, y, s.cx, s.cy, source, 0, 0, s.cx, s.cy, key);
}

}  // namespace

BandPainter::BandPainter(HINSTANCE resources) : resources_(resources) {
  logo_ = Load(IDB_LOGO);
  arrow_ = Load(IDB_BAND_MENU_ARROW);
  // The titles are the band's menu bar: the menu font of the system, bold, so
  // they read clearly over the header picture.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTW lf{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    lf = metrics.lfMenuFont;
  } else {
    lf.lfHeight = -12;
    wcscpy_s(lf.lfFaceName, L"Tahoma");
  }
  lf.lfWeight = FW_BOLD;
  font_.Reset(CreateFontIndirectW(&lf));
}

Bitmap BandPainter::Load(int id) const {
  Bitmap b(static_cast<HBITMAP>(LoadImageW(resources_, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
  if (!b) LogLastError(L"LoadImage(band picture)");
  return b;
}

// The theme's base colour picks the picture: Spring and Sky have their own,
// every other colour gets Pink's.
const BandPainter::Header& BandPainter::HeaderFor(ColorRef base) {
  Header* h = &pink_;
  int picture = IDB_HEADER_PINK, filler = IDB_FILLER_PINK;
  if (base == MakeColor(255, 243, 112)) {
    h = &spring_;
    picture = IDB_HEADER_SPRING;
    filler = IDB_FILLER_SPRING;
  } else if (base == MakeColor(97, 195, 255)) {
    h = &sky_;
    picture = IDB_HEADER_SKY;
    filler = IDB_FILLER_SKY;
  }
  if (!h->picture) {
    h->picture = Load(picture);
    h->filler = Load(filler);
  }
  return *h;
}

BandTitles BandPainter::Layout(HDC dc, int windowWidth, const Titles& titles) const {
  SelectGuard font(dc, font_ ? static_cast<HGDIOBJ>(font_.Get()) : GetStockObject(DEFAULT_GUI_FONT));
  std::array<int, kBandTitleCount> widths{};
  int height = 0;
  for (size_t i = 0; i < titles.size(); ++i) {
    const std::wstring& t = titles[i];
    const std::wstring measured = t.size() > 1 ? t.substr(1) : std::wstring();
    SIZE s{0, 0};
    GetTextExtentPoint32W(dc, measured.c_str(), static_cast<int>(measured.size()), &s);
    if (measured.empty()) {
      TEXTMETRICW tm{};
      GetTextMetricsW(dc, &tm);
      s.cy = tm.tmHeight;
    }
    widths[i] = s.cx;
    height = std::max(height, static_cast<int>(s.cy));
  }
  return LayoutBandTitles(windowWidth, widths, height, BitmapSize(arrow_.Get()).cx);
}

void BandPainter::Paint(HDC dc, int windowWidth, const ThemeRecord& theme, const Titles& titles,
                        const BandTitles& layout, int hovered) {
  MemoryDC source(dc);
  const Header& header = HeaderFor(theme.base);
  const SIZE headerSize = BitmapSize(header.picture.Get());
  const HeaderPlacement place = PlaceHeader(windowWidth, headerSize.cx);
  if (header.filler) {
    const SIZE fillerSize = BitmapSize(header.filler.Get());
    SelectGuard select(source.Get(), header.filler.Get());
    for (int x = 0; x < place.fillerEnd && fillerSize.cx > 0; x += fillerSize.cx) {
      BitBlt(dc, x, 0, fillerSize.cx, kBandHeight, source.Get(), 0, 0, SRCCOPY);
    }
  } else {
    const RECT band{0, 0, windowWidth, kBandHeight};
    Brush brush(CreateSolidBrush(theme.base));
    FillRect(dc, &band, brush.Get());
  }
  if (header.picture) {
    SelectGuard select(source.Get(), header.picture.Get());
    BitBlt(dc, place.destX, 0, headerSize.cx - place.sourceX, kBandHeight, source.Get(), place.sourceX, 0, SRCCOPY);
  }
  DrawKeyed(dc, source.Get(), logo_.Get(), 10, 10, kLogoKey);

  SelectGuard font(dc, font_ ? static_cast<HGDIOBJ>(font_.Get()) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < kBandTitleCount; ++i) {
    const BandRect& r = layout.rects[static_cast<size_t>(i)];
    if (i == hovered) {
      const BandRect f = HoverFrame(r);
      RECT frame{f.left, f.top, f.right, f.bottom};
      // A raised button: light edges top and left, dark bottom and right.
      Pen light(CreatePen(PS_SOLID, 1, theme.pale));
      Pen dark(CreatePen(PS_SOLID, 1, theme.dark));
      {
        SelectGuard pen(dc, light.Get());
        MoveToEx(dc, frame.left, frame.bottom - 1, nullptr);
        LineTo(dc, frame.left, frame.top);
        LineTo(dc, frame.right - 1, frame.top);
      }
      {
        SelectGuard pen(dc, dark.Get());
        MoveToEx(dc, frame.right - 1, frame.top, nullptr);
        LineTo(dc, frame.right - 1, frame.bottom - 1);
        LineTo(dc, frame.left - 1, frame.bottom - 1);
      }
    }
    SetTextColor(dc, i == hovered ? theme.pale : theme.secondDark);
    RECT text{r.left, r.top, r.right, r.bottom};
    const std::wstring& t = titles[static_cast<size_t>(i)];
    DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    // The arrow follows the measured text, which left out one character.
    const int width = r.right - r.left - 18;
    DrawKeyed(dc, source.Get(), arrow_.Get(), r.left + width + 2, 10, kArrowKey);
  }
}
