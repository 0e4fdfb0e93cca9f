#pragma once

// One owner for every kind of Windows handle: it closes what it holds exactly
// once, moves, and never copies (a copied handle would be closed twice).

#include <windows.h>

#include <utility>

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : h_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  [[nodiscard]] Handle Get() const { return h_; }
  [[nodiscard]] bool Valid() const { return h_ != Traits::Invalid(); }
  explicit operator bool() const { return Valid(); }

  // Gives up ownership without closing.
  [[nodiscard]] Handle Release() { return std::exchange(h_, Traits::Invalid()); }
  void Reset(Handle h = Traits::Invalid()) {
    const Handle old = std::exchange(h_, h);
    if (old != Traits::Invalid()) Traits::Close(old);
  }
  // For APIs that return a handle through an out parameter; closes the old one first.
  [[nodiscard]] Handle* Put() {
    Reset();
    return &h_;
  }

 private:
  Handle h_ = Traits::Invalid();
};

// Events, mutexes, threads: null means none.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { CloseHandle(h); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

// Files: CreateFile reports failure with INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { RegCloseKey(h); }
};
using UniqueRegKey = UniqueHandle<RegKeyTraits>;

struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyMenu(h); }
};
using UniqueMenu = UniqueHandle<MenuTraits>;

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { FreeLibrary(h); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;

struct IconTraits {
  using Handle = HICON;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyIcon(h); }
};
// Only for icons made with CreateIcon*/CopyIcon or loaded with LR_DEFAULTSIZE
// and without LR_SHARED; shared icons must not be destroyed.
using UniqueIcon = UniqueHandle<IconTraits>;
