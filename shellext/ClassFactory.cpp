#include "shellext/ClassFactory.h"

#include <new>

#include "base/ShellExtIds.h"

namespace tessera {

STDMETHODIMP TComObjectFactory::QueryInterface(REFIID iid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IClassFactory) {
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TComObjectFactory::AddRef() {
  ComServer::IncrementFactoryCount();
  return static_cast<ULONG>(ComServer::FactoryCount());
}

STDMETHODIMP_(ULONG) TComObjectFactory::Release() {
  ComServer::DecrementFactoryCount();
  return static_cast<ULONG>(ComServer::FactoryCount());
}

STDMETHODIMP TComObjectFactory::CreateInstance(IUnknown* outer, REFIID iid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (outer && iid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
  TComObject* object = nullptr;
  try {
    object = FCreate();
  } catch (...) {
    return E_UNEXPECTED;
  }
  if (!object) return E_UNEXPECTED;
  // Holding one reference across the query destroys the object at once when no interface was handed out.
  object->AddRef();
  HRESULT hr = object->QueryInterface(iid, ppv);
  object->Release();
  return hr;
}

STDMETHODIMP TComObjectFactory::LockServer(BOOL lock) {
  HRESULT hr = ::CoLockObjectExternal(static_cast<IClassFactory*>(this), lock, TRUE);
  if (lock)
    ComServer::IncrementObjectCount();
  else
    ComServer::DecrementObjectCount();
  return hr;
}

TContextMenuFactory& TheContextMenuFactory() noexcept {
  static TContextMenuFactory factory(CLSID_TesseraContextMenu, &CreateContextMenuObject);
  return factory;
}

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** ppv) noexcept {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  TContextMenuFactory& factory = TheContextMenuFactory();
  if (clsid != factory.ClassID()) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, ppv);
}

}  // namespace tessera
