#include "support/HandlerUnderTest.h"

#include <stdexcept>

#include "shellext/ContextMenu.h"
#include "support/ShellObjects.h"

namespace tessera::test {

HandlerUnderTest::HandlerUnderTest(const std::optional<std::string>& settings) : FSettings(std::in_place, settings) {
  Create(std::make_shared<TSettingsCache>(FSettings->path()));
}

HandlerUnderTest::HandlerUnderTest(std::shared_ptr<TSettingsCache> cache) { Create(std::move(cache)); }

void HandlerUnderTest::Create(std::shared_ptr<TSettingsCache> cache) {
  TComObject* object = new TContextMenu(std::move(cache));
  if (FAILED(object->QueryInterface(IID_IContextMenu, FHandler.put_void())))
    throw std::runtime_error("no IContextMenu");
  FHandler->QueryInterface(IID_IShellExtInit, FInit.put_void());
}

HRESULT HandlerUnderTest::Select(const std::vector<std::wstring>& paths) {
  auto data = CreateShellDataObject(paths);
  return FInit->Initialize(nullptr, data.get(), nullptr);
}

HRESULT HandlerUnderTest::Background(const std::wstring& folder) {
  UniquePidl pidl = PidlFromPath(folder);
  return FInit->Initialize(pidl.get(), nullptr, nullptr);
}

HRESULT HandlerUnderTest::Query(UINT uFlags, UINT idCmdFirst, UINT idCmdLast) {
  FMenu.reset(::CreatePopupMenu());
  FFirst = idCmdFirst;
  return FHandler->QueryContextMenu(FMenu.get(), 0, idCmdFirst, idCmdLast, uFlags);
}

HRESULT HandlerUnderTest::InvokeOffset(UINT offset, HWND window) {
  CMINVOKECOMMANDINFO info = {};
  info.cbSize = sizeof(info);
  info.hwnd = window;
  info.lpVerb = MAKEINTRESOURCEA(offset);
  info.nShow = SW_SHOWNORMAL;
  return FHandler->InvokeCommand(&info);
}

HRESULT HandlerUnderTest::Invoke(const std::wstring& caption, HWND window) {
  auto entries = Entries();
  const TMenuEntry* entry = FindEntry(entries, caption);
  if (!entry) return E_INVALIDARG;
  return InvokeOffset(entry->id - FFirst, window);
}

std::wstring HandlerUnderTest::HelpText(UINT offset, UINT cchMax) {
  std::wstring buffer(cchMax, L'\0');
  if (FAILED(FHandler->GetCommandString(offset, GCS_HELPTEXTW, nullptr, reinterpret_cast<CHAR*>(buffer.data()),
                                             cchMax)))
    return L"<failed>";
  buffer.resize(wcslen(buffer.c_str()));
  return buffer;
}

}  // namespace tessera::test
