// Benchmark (not a test): what Explorer waits for on its UI thread each time a context menu opens.
// Each round creates a handler through the DLL's class factory, initialises it with a one-file data
// object (the settings snapshot is taken there), builds the menu into a fresh popup and destroys it all.
// The baseline in the same run reads the settings file's bytes and fills a popup menu with the same
// items by hand. Two cases: warm (the settings file unchanged since the last menu, as nearly always) and
// changed (the file rewritten before every round, so every snapshot is read from it).
// Run: scripts/wine-run build/win64/tests/bench_menu.exe
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "base/Handles.h"
#include "base/ShellExtIds.h"
#include "settings/Globals.h"
#include "settings/Options.h"
#include "shellext/SettingsCache.h"
#include "shellutils/SystemUtils.h"
#include "support/MenuReader.h"
#include "support/SettingsFile.h"
#include "support/ShellObjects.h"
#include "support/TempFolder.h"

using namespace tessera;

namespace {

using bench::Now;

constexpr int kRounds = 3000;
constexpr int kWarmUp = 200;

struct TStats {
  double median, p99;
};

TStats Summarise(const std::vector<double>& samples) {
  return {bench::Percentile(samples, 50), bench::Percentile(samples, 99)};
}

// Fills a popup the way the handler does for the same selection: items, separators, one submenu.
void FillByHand(HMENU menu, const std::vector<test::TMenuEntry>& entries) {
  UINT position = 0;
  for (const auto& e : entries) {
    if (e.separator) {
      ::InsertMenuW(menu, position++, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    } else if (e.hasSubMenu) {
      HMENU sub = ::CreatePopupMenu();
      UINT i = 0;
      for (const auto& s : e.subMenu) ::InsertMenuW(sub, i++, MF_BYPOSITION | MF_STRING, s.id, s.caption.c_str());
      MENUITEMINFOW mii = {};
      mii.cbSize = sizeof(mii);
      mii.fMask = MIIM_STRING | MIIM_SUBMENU | MIIM_ID;
      mii.wID = e.id;
      mii.hSubMenu = sub;
      std::wstring caption = e.caption;
      mii.dwTypeData = caption.data();
      ::InsertMenuItemW(menu, position++, TRUE, &mii);
    } else {
      ::InsertMenuW(menu, position++, MF_BYPOSITION | MF_STRING, e.id, e.caption.c_str());
    }
  }
}

std::string ReadBytes(const std::wstring& path) {
  UniqueFileHandle h(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  std::string bytes(64 * 1024, '\0');
  DWORD read = 0;
  if (h) ::ReadFile(h.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  return bytes;
}

// Rewrites the settings file with the same bytes, as a save that changed nothing would.
void Rewrite(const std::wstring& path, const std::string& bytes) {
  UniqueFileHandle h(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING, 0, nullptr));
  DWORD written = 0;
  if (h) ::WriteFile(h.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// A settings file saved a while ago: its snapshot can be trusted by its stamp.
void Age(const std::wstring& path) {
  UniqueFileHandle h(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
  t.QuadPart -= 600000000ull;  // a minute ago
  FILETIME then{t.LowPart, t.HighPart};
  if (h) ::SetFileTime(h.get(), nullptr, nullptr, &then);
}

struct TCase {
  std::vector<double> handler, baseline;
};

void Report(const char* name, const TCase& c) {
  TStats h = Summarise(c.handler), b = Summarise(c.baseline);
  std::printf("%s:\n", name);
  std::printf("  handler   (create, Initialize, QueryContextMenu, destroy): median %.4f ms, p99 %.4f ms\n", h.median, h.p99);
  std::printf("  baseline  (read settings bytes, fill popup by hand):       median %.4f ms, p99 %.4f ms\n", b.median, b.p99);
  std::printf("  ratio handler / baseline: median %.2f, p99 %.2f\n", h.median / b.median, h.p99 / b.p99);
}

}  // namespace

int main() {
  ::OleInitialize(nullptr);
  // A realistic settings file: a handful of changed options, as the settings program writes it.
  const std::string settingsBytes = test::SettingsText(
      {"CopyFileSizeState=1", "FileNoteCmdLine=\"C:\\Program Files\\Notepad++\\notepad++.exe\" \"%file%\"",
       "FileNoteHideNote=1", "ImageFiles=jpg;jpeg;bmp;tif;tiff;png;dng;cr2;cr3;webp;heif;psd;gif;avif",
       "ResizeImageSizes=800x600;1280x720;1600x1200;1920x1080;2560x1440;3840x2160;7680x4320",
       "ResizeImageParams=convert %files% -resize %size%> -quality 85", "SandboxState=2", "TesseraOptionsState=2"});
  test::ScopedUserSettingsFile settings(settingsBytes);
  Age(settings.path());
  test::TempFolder tmp;
  auto data = test::CreateShellDataObject({tmp.file(L"holiday.jpg", "x")});

  std::wstring dllPath = GetModuleFolder() + L"..\\dist\\" + kShellExtDllName;
  HMODULE dll = ::LoadLibraryW(dllPath.c_str());
  if (!dll) {
    std::fprintf(stderr, "cannot load %ls\n", dllPath.c_str());
    return 1;
  }
  auto getClassObject = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void*>(::GetProcAddress(dll, "DllGetClassObject")));
  ComPtr<IClassFactory> factory;
  if (!getClassObject || FAILED(getClassObject(CLSID_TesseraContextMenu, IID_IClassFactory, factory.put_void()))) return 1;

  std::vector<test::TMenuEntry> shape;
  UINT items = 0;
  auto round = [&](TCase& c, bool record) {
    double t0 = Now();
    {
      ComPtr<IContextMenu> menu;
      factory->CreateInstance(nullptr, IID_IContextMenu, menu.put_void());
      ComPtr<IShellExtInit> init = menu.as<IShellExtInit>(IID_IShellExtInit);
      init->Initialize(nullptr, data.get(), nullptr);
      UniqueMenu popup(::CreatePopupMenu());
      items = HRESULT_CODE(menu->QueryContextMenu(popup.get(), 0, 1, 0x7FFF, CMF_NORMAL));
      if (shape.empty()) shape = test::ReadMenu(popup.get());
    }
    double t1 = Now();
    {
      std::string bytes = ReadBytes(settings.path());
      UniqueMenu popup(::CreatePopupMenu());
      FillByHand(popup.get(), shape);
      if (bytes.empty()) std::exit(1);
    }
    double t2 = Now();
    if (record) {
      c.handler.push_back(t1 - t0);
      c.baseline.push_back(t2 - t1);
    }
  };
  TCase warm, changed;
  for (int i = 0; i < kWarmUp + kRounds; ++i) round(warm, i >= kWarmUp);
  for (int i = 0; i < kWarmUp + kRounds; ++i) {
    Rewrite(settings.path(), settingsBytes);
    round(changed, i >= kWarmUp);
  }
  Age(settings.path());

  // Where the handler's time goes, for the same inputs; the settings step as the cache does it and as a full
  // load of the file does it.
  std::vector<double> getData, warmStep, changedStep, fullLoad;
  const std::wstring settingsFile = GetSettingsFileName();
  TSettingsCache cache(settingsFile);
  cache.Current();
  for (int i = 0; i < 1000; ++i) {
    double t0 = Now();
    {
      FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
      StgMedium medium;
      if (FAILED(data->GetData(&format, medium.put()))) medium.forget();
    }
    double t1 = Now();
    auto snapshot = cache.Current();
    double t2 = Now();
    TOptions options(settingsFile);
    options.Load();
    double t3 = Now();
    getData.push_back(t1 - t0);
    warmStep.push_back(t2 - t1);
    fullLoad.push_back(t3 - t2);
  }
  for (int i = 0; i < 1000; ++i) {
    Rewrite(settingsFile, settingsBytes);
    double t0 = Now();
    auto snapshot = cache.Current();
    changedStep.push_back(Now() - t0);
  }
  std::printf("menu for one image file: %u identifiers, %d rounds per case\n", items, kRounds);
  std::printf("parts (median): data object GetData %.4f ms; settings step warm %.4f ms, changed %.4f ms; "
              "a full settings load (table built and file read) %.4f ms\n",
              Summarise(getData).median, Summarise(warmStep).median, Summarise(changedStep).median,
              Summarise(fullLoad).median);
  Report("warm (settings unchanged since the last menu)", warm);
  Report("changed (settings file rewritten before every round)", changed);
  factory.reset();
  ::OleUninitialize();
  return 0;
}
