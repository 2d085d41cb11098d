// The class factory: one per DLL, alive until the DLL is unloaded, creating a new object per request.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include "shellext/ComObject.h"

namespace tessera {

class TComObjectFactory : public IClassFactory {
public:
  // create returns a new object with a reference count of 0, or throws.
  using TCreateFunc = TComObject* (*)();

  TComObjectFactory(const CLSID& classId, TCreateFunc create) noexcept : FClassId(classId), FCreate(create) {}
  virtual ~TComObjectFactory() = default;

  const CLSID& ClassID() const noexcept { return FClassId; }

  STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override;
  // The factory is never deleted here; its references are counted for DllCanUnloadNow.
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** ppv) override;
  STDMETHODIMP LockServer(BOOL lock) override;

private:
  CLSID FClassId;
  TCreateFunc FCreate;
};

// The product's factory: creates TContextMenu handlers.
class TContextMenuFactory : public TComObjectFactory {
public:
  using TComObjectFactory::TComObjectFactory;
};

// Creates a new, unreferenced TContextMenu handler (defined with the handler).
TComObject* CreateContextMenuObject();

// The DLL's one factory.
TContextMenuFactory& TheContextMenuFactory() noexcept;

// Looks up the factory for a class identifier and hands out the requested interface.
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** ppv) noexcept;

}  // namespace tessera
