// Small owners for Win32 handles and COM pointers, so that every path out of a function releases them.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <utility>

namespace tessera {

// Owner of one handle value; Traits says what "none" is and how to close.
template <typename Traits>
class UniqueHandle {
public:
  using value_type = typename Traits::type;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(value_type h) noexcept : h_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  value_type get() const noexcept { return h_; }
  explicit operator bool() const noexcept { return h_ != Traits::invalid(); }
  value_type release() noexcept { return std::exchange(h_, Traits::invalid()); }
  void reset(value_type h = Traits::invalid()) noexcept {
    if (h_ != Traits::invalid()) Traits::close(h_);
    h_ = h;
  }
  // For out-parameters: releases the current value and hands out the slot.
  value_type* put() noexcept {
    reset();
    return &h_;
  }

private:
  value_type h_ = Traits::invalid();
};

struct KernelHandleTraits {  // CreateProcess, CreateEvent...: null means none
  using type = HANDLE;
  static type invalid() noexcept { return nullptr; }
  static void close(type h) noexcept { ::CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFile: INVALID_HANDLE_VALUE means none
  using type = HANDLE;
  static type invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(type h) noexcept { ::CloseHandle(h); }
};
struct FindHandleTraits {
  using type = HANDLE;
  static type invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(type h) noexcept { ::FindClose(h); }
};
struct RegKeyTraits {
  using type = HKEY;
  static type invalid() noexcept { return nullptr; }
  static void close(type h) noexcept { ::RegCloseKey(h); }
};
struct MenuTraits {
  using type = HMENU;
  static type invalid() noexcept { return nullptr; }
  static void close(type h) noexcept { ::DestroyMenu(h); }
};
struct GlobalTraits {
  using type = HGLOBAL;
  static type invalid() noexcept { return nullptr; }
  static void close(type h) noexcept { ::GlobalFree(h); }
};
struct LocalTraits {
  using type = HLOCAL;
  static type invalid() noexcept { return nullptr; }
  static void close(type h) noexcept { ::LocalFree(h); }
};
struct PidlTraits {
  using type = PIDLIST_ABSOLUTE;
  static type invalid() noexcept { return nullptr; }
  static void close(type h) noexcept { ::CoTaskMemFree(h); }
};
struct SidTraits {  // AllocateAndInitializeSid
  using type = PSID;
  static type invalid() noexcept { return nullptr; }
  static void close(type h) noexcept { ::FreeSid(h); }
};
struct GdiObjectTraits {
  using type = HGDIOBJ;
  static type invalid() noexcept { return nullptr; }
  static void close(type h) noexcept { ::DeleteObject(h); }
};
struct ModuleTraits {  // LoadLibrary
  using type = HMODULE;
  static type invalid() noexcept { return nullptr; }
  static void close(type h) noexcept { ::FreeLibrary(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueGlobal = UniqueHandle<GlobalTraits>;
using UniqueLocal = UniqueHandle<LocalTraits>;
using UniquePidl = UniqueHandle<PidlTraits>;
using UniqueSid = UniqueHandle<SidTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;

// Memory from CoTaskMemAlloc (strings and structures handed out by the shell).
template <typename T>
class CoTaskMemPtr {
public:
  CoTaskMemPtr() noexcept = default;
  explicit CoTaskMemPtr(T* p) noexcept : p_(p) {}
  CoTaskMemPtr(const CoTaskMemPtr&) = delete;
  CoTaskMemPtr& operator=(const CoTaskMemPtr&) = delete;
  ~CoTaskMemPtr() { ::CoTaskMemFree(p_); }
  T* get() const noexcept { return p_; }
  T** put() noexcept {
    ::CoTaskMemFree(p_);
    p_ = nullptr;
    return &p_;
  }

private:
  T* p_ = nullptr;
};

// Locks an HGLOBAL for the life of the object.
class GlobalLockGuard {
public:
  explicit GlobalLockGuard(HGLOBAL h) noexcept : h_(h), p_(h ? ::GlobalLock(h) : nullptr) {}
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  ~GlobalLockGuard() {
    if (p_) ::GlobalUnlock(h_);
  }
  void* get() const noexcept { return p_; }
  template <typename T>
  T* as() const noexcept { return static_cast<T*>(p_); }

private:
  HGLOBAL h_;
  void* p_;
};

// A STGMEDIUM filled by IDataObject::GetData, released with ReleaseStgMedium.
class StgMedium {
public:
  StgMedium() noexcept = default;
  StgMedium(const StgMedium&) = delete;
  StgMedium& operator=(const StgMedium&) = delete;
  ~StgMedium() {
    if (filled_) ::ReleaseStgMedium(&m_);
  }
  // Hand to GetData; marks the medium as needing release.
  STGMEDIUM* put() noexcept {
    if (filled_) ::ReleaseStgMedium(&m_);
    m_ = {};
    filled_ = true;
    return &m_;
  }
  // Call when GetData failed: nothing to release.
  void forget() noexcept { filled_ = false; }
  const STGMEDIUM& get() const noexcept { return m_; }

private:
  STGMEDIUM m_{};
  bool filled_ = false;
};

// A counted COM pointer.
template <typename T>
class ComPtr {
public:
  ComPtr() noexcept = default;
  ComPtr(std::nullptr_t) noexcept {}
  // Takes a new reference.
  explicit ComPtr(T* p) noexcept : p_(p) {
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr& o) noexcept : ComPtr(o.p_) {}
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  // Adopts a reference the caller already owns.
  static ComPtr attach(T* p) noexcept {
    ComPtr r;
    r.p_ = p;
    return r;
  }
  T* detach() noexcept { return std::exchange(p_, nullptr); }
  void reset() noexcept {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  T* get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }
  T** put() noexcept {
    reset();
    return &p_;
  }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

  template <typename U>
  ComPtr<U> as(REFIID iid) const noexcept {
    ComPtr<U> r;
    if (p_) p_->QueryInterface(iid, r.put_void());
    return r;
  }

private:
  T* p_ = nullptr;
};

// Runs a callable when the scope ends.
template <typename F>
class ScopeExit {
public:
  explicit ScopeExit(F f) noexcept : f_(std::move(f)) {}
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  ~ScopeExit() { f_(); }

private:
  F f_;
};

}  // namespace tessera
