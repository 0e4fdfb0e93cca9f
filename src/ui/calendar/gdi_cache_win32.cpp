#include "ui/calendar/gdi_cache_win32.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// GDI knows weights up to 1000; the scaled month-title font asks for more.
constexpr LONG kHeaviestWeight = 1000;

LOGFONTW ReadDefaultLogFont() {
  LOGFONTW lf{};
  HGDIOBJ stock = GetStockObject(DEFAULT_GUI_FONT);
  if (!stock || GetObjectW(stock, sizeof lf, &lf) == 0) {
    stock = GetStockObject(ANSI_VAR_FONT);
    if (stock) GetObjectW(stock, sizeof lf, &lf);
  }
  return lf;
}

// A picture and its mask, white where the picture has the key colour.
struct MaskedPicture {
  HBITMAP picture = nullptr;  // owned by the picture cache
  Bitmap mask;
  int width = 0;
  int height = 0;
};

}  // namespace

// The stock font does not change while the program runs.
const LOGFONTW& FontCache::DefaultLogFont() {
  static const LOGFONTW lf = ReadDefaultLogFont();
  return lf;
}

HFONT FontCache::Get(LONG height, LONG weight) {
  weight = std::clamp(weight, LONG{0}, kHeaviestWeight);
  const auto key = std::make_pair(height, weight);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    LOGFONTW lf = DefaultLogFont();
    lf.lfHeight = height;
    lf.lfWeight = weight;
    it = fonts_.emplace(key, Font(CreateFontIndirectW(&lf))).first;
  }
  return it->second.Get();
}

HFONT FontCache::Default() {
  const LOGFONTW& lf = DefaultLogFont();
  return Get(lf.lfHeight, lf.lfWeight);
}

HBITMAP MaskedPictures::Picture(int id) {
  // A missing picture is remembered as missing too.
  static std::map<int, Bitmap> cache;
  auto it = cache.find(id);
  if (it == cache.end()) {
    const auto bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    it = cache.emplace(id, Bitmap(bitmap)).first;
  }
  return it->second.Get();
}

// The mask technique: XOR the picture in, AND the mask (which keeps the
// destination under the key and blacks out the rest), XOR the picture again.
void MaskedPictures::Draw(HDC dc, int x, int y, int id, COLORREF key) {
  static std::map<std::pair<int, COLORREF>, MaskedPicture> masks;
  // One memory DC for every picture blit of the process: pictures and masks
  // are selected into it in turn.
  static MemoryDC source(nullptr);
  if (!source) return;

  auto it = masks.find({id, key});
  if (it == masks.end()) {
    MaskedPicture entry;
    entry.picture = Picture(id);
    BITMAP info{};
    if (entry.picture && GetObjectW(entry.picture, sizeof info, &info) != 0) {
      entry.width = info.bmWidth;
      entry.height = info.bmHeight;
      entry.mask.Reset(CreateBitmap(entry.width, entry.height, 1, 1, nullptr));
      MemoryDC maskDc(nullptr);
      if (entry.mask && maskDc) {
        SelectGuard sourceBitmap(source.Get(), entry.picture);
        SelectGuard maskBitmap(maskDc.Get(), entry.mask.Get());
        const COLORREF oldBk = SetBkColor(source.Get(), key);
        BitBlt(maskDc.Get(), 0, 0, entry.width, entry.height, source.Get(), 0, 0, SRCCOPY);
        SetBkColor(source.Get(), oldBk);
      } else {
        entry.mask.Reset();
      }
    }
    it = masks.emplace(std::make_pair(id, key), std::move(entry)).first;
  }
  const MaskedPicture& p = it->second;
  if (!p.picture || !p.mask) return;

  // The monochrome mask turns into black (0) and white (1) on the way in.
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
  {
    SelectGuard picture(source.Get(), p.picture);
    BitBlt(dc, x, y, p.width, p.height, source.Get(), 0, 0, SRCINVERT);
  }
  {
    SelectGuard mask(source.Get(), p.mask.Get());
    BitBlt(dc, x, y, p.width, p.height, source.Get(), 0, 0, SRCAND);
  }
  {
    SelectGuard picture(source.Get(), p.picture);
    BitBlt(dc, x, y, p.width, p.height, source.Get(), 0, 0, SRCINVERT);
  }
  SetBkColor(dc, oldBk);
  SetTextColor(dc, oldText);
}

void MaskedPictures::DrawScaled(HDC dc, int x, int y, int width, int height, int id, COLORREF key) {
  const HBITMAP picture = Picture(id);
  BITMAP info{};
  if (!picture || GetObjectW(picture, sizeof info, &info) == 0 || width <= 0 || height <= 0) return;
  const int w = info.bmWidth;
  const int h = std::abs(info.bmHeight);
  BITMAPINFO bi = TopDownDibInfo(w, h, 24);
  const int stride = DibRowBytes(w, 24);
  std::vector<BYTE> bits(static_cast<size_t>(stride) * static_cast<size_t>(h));
  {
    const MemoryDC screen(nullptr);
    if (!screen || GetDIBits(screen.Get(), picture, 0, static_cast<UINT>(h), bits.data(), &bi, DIB_RGB_COLORS) == 0) {
      return;
    }
  }
  const COLORREF previous = GetBkColor(dc);
  for (int row = 0; row < h; ++row) {
    const BYTE* p = bits.data() + static_cast<size_t>(row) * static_cast<size_t>(stride);
    const auto colour = [&](int column) { return RGB(p[column * 3 + 2], p[column * 3 + 1], p[column * 3]); };
    // Runs of one colour along the row; edges meet exactly, whatever the scale.
    for (int column = 0; column < w;) {
      const COLORREF c = colour(column);
      int end = column + 1;
      while (end < w && colour(end) == c) ++end;
      if (c != key) {
        const RECT r{x + column * width / w, y + row * height / h, x + end * width / w, y + (row + 1) * height / h};
        SetBkColor(dc, c);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
      }
      column = end;
    }
  }
  SetBkColor(dc, previous);
}

SIZE MaskedPictures::Size(int id) {
  BITMAP info{};
  const HBITMAP picture = Picture(id);
  if (!picture || !GetObjectW(picture, sizeof info, &info)) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}
