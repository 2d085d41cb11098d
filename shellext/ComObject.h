// The COM object base of the shell extension: reference count, the server's counters and the
// interface lookup that QueryInterface and ISupportErrorInfo share.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <atomic>

namespace tessera {

// The in-process server's two counters, changed atomically from any thread.
namespace ComServer {
// Live objects plus locks taken through IClassFactory::LockServer.
void IncrementObjectCount() noexcept;
void DecrementObjectCount() noexcept;
long ObjectCount() noexcept;
// References held on the class factory.
void IncrementFactoryCount() noexcept;
void DecrementFactoryCount() noexcept;
long FactoryCount() noexcept;
// S_OK when nothing keeps the DLL in use, otherwise S_FALSE.
HRESULT CanUnloadNow() noexcept;
}  // namespace ComServer

// Base of every object the factory creates. The count is 0 after construction; the creator hands out
// the first interface (which adds the first reference) and the object deletes itself at the last Release.
class TComObject : public ISupportErrorInfo {
public:
  TComObject(const TComObject&) = delete;
  TComObject& operator=(const TComObject&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // S_OK for the interfaces the object has, S_FALSE otherwise.
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override;

  ULONG RefCount() const noexcept { return FRefCount.load(); }

protected:
  TComObject() noexcept;
  virtual ~TComObject();
  // The interface pointer for iid, or null. Derived classes add theirs and fall back to this one.
  virtual void* FindInterface(REFIID iid) noexcept;

private:
  std::atomic<ULONG> FRefCount{0};
};

}  // namespace tessera
