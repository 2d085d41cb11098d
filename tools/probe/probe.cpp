// probe: does what Explorer does with Tessera's context-menu handler and prints the menu.
//
//   probe [--dll PATH] [--shift] [--ctrl] [--invoke CAPTION] [--background FOLDER] [PATH...]
//
// Without --dll the handler is created through COM from the registered class identifier.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "base/Handles.h"
#include "base/ShellExtIds.h"
#include "shellutils/Clipboard.h"
#include "support/KeyState.h"
#include "support/ShellObjects.h"
#include "tools/probe/MenuPrinter.h"

using namespace tessera;

namespace {

constexpr UINT kFirstId = 1;
constexpr UINT kLastId = 0x7FFF;

struct TArgs {
  std::wstring dll, invoke, background;
  bool shift = false, ctrl = false;
  std::vector<std::wstring> paths;
};

int Usage() {
  fwprintf(stderr, L"usage: probe [--dll PATH] [--shift] [--ctrl] [--invoke CAPTION] [--background FOLDER] [PATH...]\n");
  return 2;
}

std::wstring FullPath(const std::wstring& path) {
  wchar_t buffer[32768];
  DWORD n = ::GetFullPathNameW(path.c_str(), 32768, buffer, nullptr);
  return n ? std::wstring(buffer, n) : path;
}

HRESULT CreateHandler(const TArgs& args, ComPtr<IContextMenu>& handler) {
  if (args.dll.empty())
    return ::CoCreateInstance(CLSID_TesseraContextMenu, nullptr, CLSCTX_INPROC_SERVER, IID_IContextMenu, handler.put_void());
  HMODULE module = ::LoadLibraryW(args.dll.c_str());  // stays loaded for the life of the probe
  if (!module) return HRESULT_FROM_WIN32(::GetLastError());
  auto getClassObject = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void*>(::GetProcAddress(module, "DllGetClassObject")));
  if (!getClassObject) return E_NOINTERFACE;
  ComPtr<IClassFactory> factory;
  HRESULT hr = getClassObject(CLSID_Tessera64, IID_IClassFactory, factory.put_void());
  if (FAILED(hr)) hr = getClassObject(CLSID_Tessera32, IID_IClassFactory, factory.put_void());
  if (FAILED(hr)) return hr;
  return factory->CreateInstance(nullptr, IID_IContextMenu, handler.put_void());
}

int Run(const TArgs& args) {
  ComPtr<IContextMenu> handler;
  HRESULT hr = CreateHandler(args, handler);
  if (FAILED(hr)) {
    fwprintf(stderr, L"probe: cannot create the handler: 0x%08lX\n", static_cast<unsigned long>(hr));
    return 1;
  }
  auto init = handler.as<IShellExtInit>(IID_IShellExtInit);
  if (!init) return 1;
  try {
    ComPtr<IDataObject> data;
    UniquePidl folder;
    if (!args.paths.empty()) data = test::CreateShellDataObject(args.paths);
    if (!args.background.empty()) folder = test::PidlFromPath(args.background);
    hr = init->Initialize(folder.get(), data.get(), nullptr);
  } catch (const std::exception& e) {
    fwprintf(stderr, L"probe: cannot build the selection: %hs\n", e.what());
    return 1;
  }
  fwprintf(stdout, L"Initialize: 0x%08lX\n", static_cast<unsigned long>(hr));

  UniqueMenu menu(::CreatePopupMenu());
  UINT flags = CMF_NORMAL | (args.shift ? CMF_EXTENDEDVERBS : 0);
  hr = handler->QueryContextMenu(menu.get(), 0, kFirstId, kLastId, flags);
  fwprintf(stdout, L"QueryContextMenu: 0x%08lX (%u identifiers)\n", static_cast<unsigned long>(hr), HRESULT_CODE(hr));
  const auto entries = test::ReadMenu(menu.get());
  probe::PrintMenu(stdout, entries, handler.get(), kFirstId);

  if (args.invoke.empty()) return 0;
  const test::TMenuEntry* item = test::FindEntry(entries, args.invoke);
  if (!item) {
    fwprintf(stderr, L"probe: no item \"%ls\"\n", args.invoke.c_str());
    return 1;
  }
  const UINT id = item->id;
  CMINVOKECOMMANDINFO info = {};
  info.cbSize = sizeof(info);
  info.lpVerb = MAKEINTRESOURCEA(id - kFirstId);
  info.nShow = SW_SHOWNORMAL;
  DWORD clipboardBefore = ::GetClipboardSequenceNumber();
  {
    std::optional<test::HeldKeys> held;
    if (args.ctrl) held.emplace(std::initializer_list<int>{VK_CONTROL});
    hr = handler->InvokeCommand(&info);
  }
  fwprintf(stdout, L"InvokeCommand \"%ls\": 0x%08lX\n", args.invoke.c_str(), static_cast<unsigned long>(hr));
  std::wstring clip;
  if (::GetClipboardSequenceNumber() != clipboardBefore && ReadClipboardText(clip))
    fwprintf(stdout, L"Clipboard:\n%ls\n", clip.c_str());
  return SUCCEEDED(hr) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  TArgs args;
  for (int i = 1; i < argc; ++i) {
    std::wstring a = argv[i];
    auto value = [&](std::wstring& out) {
      if (i + 1 >= argc) return false;
      out = argv[++i];
      return true;
    };
    if (a == L"--dll") {
      if (!value(args.dll)) return Usage();
      args.dll = FullPath(args.dll);
    } else if (a == L"--invoke") {
      if (!value(args.invoke)) return Usage();
    } else if (a == L"--background") {
      if (!value(args.background)) return Usage();
      args.background = FullPath(args.background);
    } else if (a == L"--shift") {
      args.shift = true;
    } else if (a == L"--ctrl") {
      args.ctrl = true;
    } else if (a.starts_with(L"--")) {
      return Usage();
    } else {
      args.paths.push_back(FullPath(a));
    }
  }
  if (args.paths.empty() && args.background.empty()) return Usage();
  ::OleInitialize(nullptr);
  int rc = Run(args);
  ::OleUninitialize();
  return rc;
}
