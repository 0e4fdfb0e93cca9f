#include "ui/desktop/picture_loader_win32.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstring>
#include <string>

#include "env/debug_log_win32.h"
#include "env/whole_file.h"
#include "ui/widgets/gdi_win32.h"

namespace {

// Pictures larger than this are not wallpapers worth reading whole.
constexpr std::uintmax_t kMaxPictureBytes = 64u << 20;

// Releases a COM interface at the end of its scope.
template <typename T>
struct ComRelease {
  T* p = nullptr;
  ~ComRelease() {
    if (p) p->Release();
  }
};

}  // namespace

bool DrawPictureFile(HDC dc, const RECT& target, const std::filesystem::path& file) {
  const std::optional<std::string> bytes = ReadWholeFile(file, kMaxPictureBytes);
  if (!bytes || bytes->empty()) return false;

  // The loader reads from a stream over a global memory block, which the
  // stream frees when it is released.
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes->size());
  if (!memory) return false;
  if (void* p = GlobalLock(memory)) {
    std::memcpy(p, bytes->data(), bytes->size());
    GlobalUnlock(memory);
  } else {
    GlobalFree(memory);
    return false;
  }
  ComRelease<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream.p))) {
    GlobalFree(memory);
    return false;
  }
  ComRelease<IPicture> picture;
  if (FAILED(OleLoadPicture(stream.p, static_cast<LONG>(bytes->size()), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(&picture.p))) ||
      !picture.p) {
    LogMessage(L"the wallpaper picture could not be decoded");
    return false;
  }

  const int width = target.right - target.left;
  const int height = target.bottom - target.top;
  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  if (SUCCEEDED(picture.p->get_Type(&type)) && type == PICTYPE_BITMAP && SUCCEEDED(picture.p->get_Handle(&handle))) {
    // A bitmap is stretched by GDI itself, half-tone, from its own pixels.
    const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP info{};
    if (GetObjectW(bitmap, sizeof info, &info) == 0) return false;
    MemoryDC source(dc);
    const SelectGuard selected(source.Get(), bitmap);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    return StretchBlt(dc, target.left, target.top, width, height, source.Get(), 0, 0, info.bmWidth, info.bmHeight,
                      SRCCOPY) != FALSE;
  }
  // Other kinds (metafiles, icons) draw themselves.
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  if (FAILED(picture.p->get_Width(&w)) || FAILED(picture.p->get_Height(&h))) return false;
  return SUCCEEDED(picture.p->Render(dc, target.left, target.top, width, height, 0, h, w, -h, nullptr));
}
