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
  explicit UniqueHandle(value_type h) noexcept : FHandle(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : FHandle(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  value_type get() const noexcept { return FHandle; }
  explicit operator bool() const noexcept { return FHandle != Traits::invalid(); }
  value_type release() noexcept { return std::exchange(FHandle, Traits::invalid()); }
  void reset(value_type h = Traits::invalid()) noexcept {
    if (FHandle != Traits::invalid()) Traits::close(FHandle);
    FHandle = h;
  }
  // For out-parameters: releases the current value and hands out the slot.
  value_type* put() noexcept {
    reset();
    return &FHandle;
  }

private:
  value_type FHandle = Traits::invalid();
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

// Locks an HGLOBAL for the life of the object.
class GlobalLockGuard {
public:
  explicit GlobalLockGuard(HGLOBAL h) noexcept : FHandle(h), FData(h ? ::GlobalLock(h) : nullptr) {}
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  ~GlobalLockGuard() {
    if (FData) ::GlobalUnlock(FHandle);
  }
  void* get() const noexcept { return FData; }
  template <typename T>
  T* as() const noexcept { return static_cast<T*>(FData); }

private:
  HGLOBAL FHandle;
  void* FData;
};

// A STGMEDIUM filled by IDataObject::GetData, released with ReleaseStgMedium.
class StgMedium {
public:
  StgMedium() noexcept = default;
  StgMedium(const StgMedium&) = delete;
  StgMedium& operator=(const StgMedium&) = delete;
  ~StgMedium() {
    if (FFilled) ::ReleaseStgMedium(&FMedium);
  }
  // Hand to GetData; marks the medium as needing release.
  STGMEDIUM* put() noexcept {
    if (FFilled) ::ReleaseStgMedium(&FMedium);
    FMedium = {};
    FFilled = true;
    return &FMedium;
  }
  // Call when GetData failed: nothing to release.
  void forget() noexcept { FFilled = false; }
  const STGMEDIUM& get() const noexcept { return FMedium; }

private:
  STGMEDIUM FMedium{};
  bool FFilled = false;
};

// A counted COM pointer.
template <typename T>
class ComPtr {
public:
  ComPtr() noexcept = default;
  ComPtr(std::nullptr_t) noexcept {}
  // Takes a new reference.
  explicit ComPtr(T* p) noexcept : FPointer(p) {
    if (FPointer) FPointer->AddRef();
  }
  ComPtr(const ComPtr& o) noexcept : ComPtr(o.FPointer) {}
  ComPtr(ComPtr&& o) noexcept : FPointer(std::exchange(o.FPointer, nullptr)) {}
  ComPtr& operator=(ComPtr o) noexcept {
    std::swap(FPointer, o.FPointer);
    return *this;
  }
  ~ComPtr() { reset(); }

  // Adopts a reference the caller already owns.
  static ComPtr attach(T* p) noexcept {
    ComPtr r;
    r.FPointer = p;
    return r;
  }
  T* detach() noexcept { return std::exchange(FPointer, nullptr); }
  void reset() noexcept {
    if (FPointer) std::exchange(FPointer, nullptr)->Release();
  }
  T* get() const noexcept { return FPointer; }
  T* operator->() const noexcept { return FPointer; }
  explicit operator bool() const noexcept { return FPointer != nullptr; }
  T** put() noexcept {
    reset();
    return &FPointer;
  }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

  template <typename U>
  ComPtr<U> as(REFIID iid) const noexcept {
    ComPtr<U> r;
    if (FPointer) FPointer->QueryInterface(iid, r.put_void());
    return r;
  }

private:
  T* FPointer = nullptr;
};

// Runs a callable when the scope ends.
template <typename F>
class ScopeExit {
public:
  explicit ScopeExit(F f) noexcept : FAction(std::move(f)) {}
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  ~ScopeExit() { FAction(); }

private:
  F FAction;
};

}  // namespace tessera
