#include "support/HandlerUnderTest.h"

#include <stdexcept>

#include "shellext/ClassFactory.h"
#include "support/ShellObjects.h"

namespace tessera::test {

HandlerUnderTest::HandlerUnderTest() {
  TComObject* object = CreateContextMenuObject();
  if (FAILED(object->QueryInterface(IID_IContextMenu, menu_handler_.put_void())))
    throw std::runtime_error("no IContextMenu");
  menu_handler_->QueryInterface(IID_IShellExtInit, init_.put_void());
}

HRESULT HandlerUnderTest::Select(const std::vector<std::wstring>& paths) {
  auto data = CreateShellDataObject(paths);
  return init_->Initialize(nullptr, data.get(), nullptr);
}

HRESULT HandlerUnderTest::Background(const std::wstring& folder) {
  UniquePidl pidl = PidlFromPath(folder);
  return init_->Initialize(pidl.get(), nullptr, nullptr);
}

HRESULT HandlerUnderTest::Query(UINT uFlags, UINT idCmdFirst, UINT idCmdLast) {
  menu_.reset(::CreatePopupMenu());
  first_ = idCmdFirst;
  return menu_handler_->QueryContextMenu(menu_.get(), 0, idCmdFirst, idCmdLast, uFlags);
}

HRESULT HandlerUnderTest::InvokeOffset(UINT offset, HWND window) {
  CMINVOKECOMMANDINFO info = {};
  info.cbSize = sizeof(info);
  info.hwnd = window;
  info.lpVerb = MAKEINTRESOURCEA(offset);
  info.nShow = SW_SHOWNORMAL;
  return menu_handler_->InvokeCommand(&info);
}

HRESULT HandlerUnderTest::Invoke(const std::wstring& caption, HWND window) {
  auto entries = Entries();
  const TMenuEntry* entry = FindEntry(entries, caption);
  if (!entry) return E_INVALIDARG;
  return InvokeOffset(entry->id - first_, window);
}

std::wstring HandlerUnderTest::HelpText(UINT offset, UINT cchMax) {
  std::wstring buffer(cchMax, L'\0');
  if (FAILED(menu_handler_->GetCommandString(offset, GCS_HELPTEXTW, nullptr, reinterpret_cast<CHAR*>(buffer.data()),
                                             cchMax)))
    return L"<failed>";
  buffer.resize(wcslen(buffer.c_str()));
  return buffer;
}

}  // namespace tessera::test
