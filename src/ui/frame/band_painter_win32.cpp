#include "ui/frame/band_painter_win32.h"

#include <algorithm>

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

BandPainter::ResourceDib BandPainter::Find(int id) const {
  ResourceDib dib;
  const HRSRC found = FindResourceW(resources_, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(RT_BITMAP));
  const HGLOBAL loaded = found ? LoadResource(resources_, found) : nullptr;
  const auto* data = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
  const DWORD size = found ? SizeofResource(resources_, found) : 0;
  if (!data || size < sizeof(BITMAPINFOHEADER)) {
    LogLastError(L"FindResource(band picture)");
    return dib;
  }
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(data);
  // Uncompressed pictures of 16 bits and more, as the program's own are;
  // anything else is not drawn rather than drawn from the wrong bytes.
  if (header->biSize < sizeof(BITMAPINFOHEADER) || header->biWidth <= 0 || header->biHeight == 0 ||
      header->biPlanes != 1 || header->biBitCount < 16 ||
      (header->biCompression != BI_RGB && header->biCompression != BI_BITFIELDS)) {
    LogMessage(L"a band picture is not an uncompressed bitmap");
    return dib;
  }
  const std::uint64_t masks = header->biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;
  const std::uint64_t colours = static_cast<std::uint64_t>(header->biClrUsed) * sizeof(RGBQUAD);
  const std::uint64_t offset = header->biSize + masks + colours;
  const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  const std::uint64_t stride = ((static_cast<std::uint64_t>(header->biWidth) * header->biBitCount + 31) / 32) * 4;
  if (offset + stride * static_cast<std::uint64_t>(height) > size) {
    LogMessage(L"a band picture is shorter than its header says");
    return dib;
  }
  dib.info = reinterpret_cast<const BITMAPINFO*>(data);
  dib.bits = data + offset;
  dib.width = header->biWidth;
  dib.height = height;
  return dib;
}

void BandPainter::DrawTopRows(HDC dc, const ResourceDib& dib, int x, int sourceX, int width, int rows) {
  if (!dib || width <= 0) return;
  rows = std::min(rows, dib.height);
  width = std::min(width, dib.width - sourceX);
  if (rows <= 0 || width <= 0) return;
  // The source origin of a bottom-up picture is its lower-left corner.
  const int sourceY = dib.info->bmiHeader.biHeight > 0 ? dib.height - rows : 0;
  SetDIBitsToDevice(dc, x, 0, static_cast<DWORD>(width), static_cast<DWORD>(rows), sourceX, sourceY, 0,
                    static_cast<UINT>(dib.height), dib.bits, dib.info, DIB_RGB_COLORS);
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
    h->picture = Find(picture);
    h->filler = Find(filler);
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
  const HeaderPlacement place = PlaceHeader(windowWidth, header.picture.width);
  if (header.filler) {
    for (int x = 0; x < place.fillerEnd; x += header.filler.width) {
      DrawTopRows(dc, header.filler, x, 0, header.filler.width, kBandHeight);
    }
  } else {
    const RECT band{0, 0, windowWidth, kBandHeight};
    Brush brush(CreateSolidBrush(theme.base));
    FillRect(dc, &band, brush.Get());
  }
  DrawTopRows(dc, header.picture, place.destX, place.sourceX, header.picture.width - place.sourceX, kBandHeight);
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
    SetTextColor(dc, static_cast<COLORREF>(BandTitleColor(theme, i == hovered)));
    RECT text{r.left, r.top, r.right, r.bottom};
    const std::wstring& t = titles[static_cast<size_t>(i)];
    DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    // The arrow follows the measured text, which left out one character.
    const int width = r.right - r.left - 18;
    DrawKeyed(dc, source.Get(), arrow_.Get(), r.left + width + 2, 10, kArrowKey);
  }
}
