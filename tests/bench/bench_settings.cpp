// How long a context menu waits for its settings: opening the settings file through the storage and reading
// a 30-option section, compared with only reading the file's bytes.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "base/Handles.h"
#include "settings/SettingsEngine.h"

namespace tessera {
namespace {

constexpr int kLoads = 10000;

// A product-like table: item states, texts and yes/no settings in groups.
class BenchOptions : public TProgramOptions {
public:
  BenchOptions() {
    TOptionStore& store = GetOptionStore();
    const wchar_t* groups[] = {L"FileMenu", L"FileNote", L"ImageFiles", L"FontFiles", L"Folders", L"Background"};
    int n = 0;
    for (const wchar_t* group : groups) {
      store.NewGroup(group, group, 0, 0);
      for (int i = 0; i < 5; ++i, ++n) {
        std::wstring name = std::wstring(group) + L"Setting" + std::to_wstring(i);
        switch (n % 3) {
          case 0: {
            TIntegerOption* state = store.CreateIntegerOption(1, name + L"State", L"Caption", 0);
            state->AddValueString(0, L"Don't show", L"hide");
            state->AddValueString(1, L"Show always", L"show");
            state->AddValueString(2, L"Show only when Shift key is down", L"extended");
            break;
          }
          case 1:
            store.CreateStringOption(L"jpg;jpeg;bmp;tif;tiff;png;dng;cr2;cr3;webp;heif;psd", name, L"Caption", 0)
                ->SetAllowEmpty(false);
            break;
          default: store.CreateBooleanOption(true, name, L"Caption", 0); break;
        }
      }
    }
  }
  void Load() override {}
  void Save() override {}

  // Every key present in the file, each with a value other than its default.
  void ChangeAll() {
    GetOptionStore().EnumOptions([](TCustomInheritingOption* option, bool&) {
      if (auto* number = dynamic_cast<TIntegerOption*>(option)) number->SetValue(2);
      if (auto* text = dynamic_cast<TStringOption*>(option)) text->SetValue(L"notepad.exe \"%file%\" --flag");
      if (auto* flag = dynamic_cast<TBooleanOption*>(option)) flag->SetValue(false);
    });
  }
};

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
  LARGE_INTEGER f;
  ::QueryPerformanceFrequency(&f);
  return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

int Run() {
  wchar_t temp[MAX_PATH + 1];
  ::GetTempPathW(MAX_PATH + 1, temp);
  std::wstring file = std::wstring(temp) + L"TesseraBench-" + std::to_wstring(::GetCurrentProcessId()) + L".ini";

  BenchOptions writer;
  writer.ChangeAll();
  {
    auto storage = CreateIniStorage(file, teUtf8, false);
    storage->Clear();
    writer.WriteToStorage(*storage, L"General");
    storage->UpdateFile();
  }
  BenchOptions reader;
  int keys = 0;
  {
    auto storage = OpenIniStorage(file);
    keys = static_cast<int>(static_cast<TOptionsIniStorage&>(*storage).GetIniFile().GetSections()[0].Entries.size());
  }

  char buffer[65536];
  DWORD size = 0;
  bool readFailed = false;
  auto readBytes = [&] {
    UniqueFileHandle h(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h || !::ReadFile(h.get(), buffer, sizeof buffer, &size, nullptr)) readFailed = true;
  };
  auto load = [&] {
    auto storage = OpenIniStorage(file);
    reader.ReadFromStorage(*storage, L"General");
  };
  auto openOnly = [&] { OpenIniStorage(file); };
  auto opened = OpenIniStorage(file);
  auto readOptions = [&] { reader.ReadFromStorage(*opened, L"General"); };
  std::wstring text = static_cast<TOptionsIniStorage&>(*opened).GetIniFile().GetText();
  auto parse = [&] {
    TIniDocument document(file, teUtf8);
    document.SetText(text);
  };

  // Rounds that take turns, so that a change of machine load affects every measurement alike.
  struct Measure {
    const std::function<void()>* run;
    double seconds = 0;
  };
  std::function<void()> runs[] = {load, readBytes, openOnly, readOptions, parse};
  Measure measures[std::size(runs)];
  for (size_t m = 0; m < std::size(runs); ++m) measures[m].run = &runs[m];
  for (auto& m : measures)
    for (int i = 0; i < 100; ++i) (*m.run)();  // warm up the file cache and the code paths
  const int rounds = 20;
  for (int r = 0; r < rounds; ++r)
    for (auto& m : measures) {
      LARGE_INTEGER a, b;
      ::QueryPerformanceCounter(&a);
      for (int i = 0; i < kLoads / rounds; ++i) (*m.run)();
      ::QueryPerformanceCounter(&b);
      m.seconds += Seconds(a, b);
    }
  double loadTime = measures[0].seconds / kLoads, readTime = measures[1].seconds / kLoads;

  bool valuesRead = !readFailed && reader.GetOptionStore().GetItem(0)->ValueChangedFromDefault(false) &&
                    reader.GetVisibleChangedOptionsAsText(true) == writer.GetVisibleChangedOptionsAsText(true);
  opened.reset();
  ::DeleteFileW(file.c_str());

  std::printf("settings file: %lu bytes, %d keys in [General], %d loads each\n", static_cast<unsigned long>(size), keys,
              kLoads);
  std::printf("load through the store (OpenIniStorage + ReadFromStorage): %8.2f us\n", loadTime * 1e6);
  std::printf("file bytes only (CreateFile + ReadFile + CloseHandle):     %8.2f us\n", readTime * 1e6);
  std::printf("ratio load / read:                                         %8.2f\n", loadTime / readTime);
  std::printf("  of which OpenIniStorage alone:                           %8.2f us\n", measures[2].seconds / kLoads * 1e6);
  std::printf("  of which reading the 30 options from memory:             %8.2f us\n", measures[3].seconds / kLoads * 1e6);
  std::printf("  of which parsing the text:                               %8.2f us\n", measures[4].seconds / kLoads * 1e6);
  if (!valuesRead) {
    std::printf("error: the options did not take the file's values\n");
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace tessera

int main() { return tessera::Run(); }
