#include "shellext/ComObject.h"

namespace tessera {
namespace ComServer {
namespace {
std::atomic<long> objectCount{0};
std::atomic<long> factoryCount{0};
}  // namespace

void IncrementObjectCount() noexcept { ++objectCount; }
void DecrementObjectCount() noexcept { --objectCount; }
long ObjectCount() noexcept { return objectCount.load(); }
void IncrementFactoryCount() noexcept { ++factoryCount; }
void DecrementFactoryCount() noexcept { --factoryCount; }
long FactoryCount() noexcept { return factoryCount.load(); }
HRESULT CanUnloadNow() noexcept { return objectCount.load() == 0 && factoryCount.load() == 0 ? S_OK : S_FALSE; }
}  // namespace ComServer

TComObject::TComObject() noexcept { ComServer::IncrementObjectCount(); }

TComObject::~TComObject() { ComServer::DecrementObjectCount(); }

void* TComObject::FindInterface(REFIID iid) noexcept {
  if (iid == IID_IUnknown || iid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
  return nullptr;
}

STDMETHODIMP TComObject::QueryInterface(REFIID iid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = FindInterface(iid);
  if (!*ppv) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) TComObject::AddRef() { return ++FRefCount; }

STDMETHODIMP_(ULONG) TComObject::Release() {
  ULONG remaining = --FRefCount;
  if (remaining == 0) delete this;
  return remaining;
}

STDMETHODIMP TComObject::InterfaceSupportsErrorInfo(REFIID iid) { return FindInterface(iid) ? S_OK : S_FALSE; }

}  // namespace tessera
