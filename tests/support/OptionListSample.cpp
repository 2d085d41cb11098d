#include "support/OptionListSample.h"

#include <string>

namespace tessera::test {

void AddItemStates(TCustomInheritingIntegerOption* option) {
  option->AddValueString(0, L"Don't show", L"hide");
  option->AddValueString(1, L"Show always", L"show");
  option->AddValueString(2, L"Show only when Shift key is down", L"extended");
  option->AddOptionListFlags(TOptionFlags{flValueStringsOnly});
}

TSampleStore MakeSampleStore() {
  TSampleStore s;
  TOptionStore& store = *s.Store;
  auto group = [&](const wchar_t* name, const wchar_t* caption, int indent, bool canCollapse, bool collapsed) {
    TOptionGroup* g = store.NewGroup(name, caption, indent, 0);
    g->SetCanCollapse(canCollapse);
    g->SetCollapsed(collapsed);
    store.SetCurrentGroup(g);
    return g;
  };

  group(L"General", L"General", 0, false, false);
  s.ShowIcons = store.CreateBooleanOption(true, L"ShowIcons", L"Show icons", 0);
  s.CopyPath = store.CreateIntegerOption(1, L"CopyPath", L"Copy path", 0);
  AddItemStates(s.CopyPath);
  s.Title = store.CreateStringOption(L"Tessera", L"Title", L"Window title", 0);
  s.Editor = store.CreateStringOption(L"", L"Editor", L"Editor command line", 0);
  s.Editor->AddOptionListFlags(TOptionFlags{flValueRequired});
  s.Template = store.CreateStringOption(L"C:\\Program Files\\Tessera\\Templates\\SandboxConfig.txt", L"Template",
                                        L"Configuration file template", 0);
  s.Template->AddOptionListFlags(TOptionFlags{flShowEditButton, flPathEllipsis});
  s.Color = store.CreateColorOption(0x0000FF, L"Color", L"Highlight colour", 0);
  s.Weekdays = store.CreateSetOption(TSetOptionValue::Create({L"mon", L"tue"}), {}, L"Weekdays", L"Working days", 0);
  for (const auto& [member, text] : {std::pair{L"mon", L"Monday"}, {L"tue", L"Tuesday"}, {L"wed", L"Wednesday"},
                                     {L"thu", L"Thursday"}, {L"fri", L"Friday"}})
    s.Weekdays->AddValueString(member, text);
  s.Count = store.CreateIntegerOption(10, L"Count", L"Number of copies", 0);
  s.Sandbox = store.CreateIntegerOption(2, L"Sandbox", L"Map to Windows Sandbox", 0);
  AddItemStates(s.Sandbox);
  s.Sandbox->AddOptionListFlags(TOptionFlags{flReadOnlyEdit, flSpaceShowsPopup});
  s.Disabled = store.CreateBooleanOption(false, L"Disabled", L"Not available here", 0);
  s.Disabled->SetEnabled(false);

  group(L"NoteOptions", L"Note options", 1, true, false);
  s.CreateFile = store.CreateBooleanOption(true, L"CreateFile", L"Create empty file", 0);
  s.NoteEditor = store.CreateStringOption(L"notepad.exe \"%file%\"", L"NoteEditor", L"Note editor", 0);

  group(L"Advanced", L"Advanced", 1, true, true);
  s.Font = store.CreateFontOption(TFontOptionValue::Create(L"Tahoma", false, false, 8), L"Font", L"Font", 0);
  s.MaxSize = store.CreateSizeOption(L"10MB", L"MaxSize", L"Largest file", 0);

  group(L"Deep", L"Deep", 2, false, false);
  s.MaxAge = store.CreateAgeOption(L"30d", L"MaxAge", L"Oldest file", 0);

  group(L"Images", L"Images", 0, true, false);
  s.DefaultWidth = store.CreateIntegerOption(1280, L"DefaultWidth", L"Default width", 0);
  s.ImageWidth = store.CreateInheritingIntegerOption(s.DefaultWidth, true, 800, L"ImageWidth", L"Image width", 0);
  s.ImageFlag = store.CreateInheritingBooleanOption(s.ShowIcons, false, false, L"ImageFlag", L"Remove metadata", 0);
  s.Parameters = store.CreateCombiningStringOption(nullptr, L"-quality 90", L"Parameters", L"ImageMagick parameters",
                                                   L' ', 0);

  TOptionGroup* hidden = group(L"HiddenGroup", L"Hidden group", 0, false, false);
  hidden->SetVisible(false);
  s.Orphan = store.CreateStringOption(L"orphan", L"Orphan", L"Orphan", 0);

  store.SetCurrentGroup(nullptr);
  s.Ungrouped = store.CreateStringOption(L"free", L"Ungrouped", L"Without a group", 0);
  s.Secret = store.CreateStringOption(L"secret", L"Secret", L"Secret", 0);
  s.Secret->SetVisible(false);
  return s;
}

std::unique_ptr<TOptionStore> MakeLargeStore(int groups, int optionsPerGroup) {
  auto store = std::make_unique<TOptionStore>();
  for (int g = 0; g < groups; ++g) {
    const std::wstring name = L"Group" + std::to_wstring(g);
    TOptionGroup* group = store->NewGroup(name, L"Group " + std::to_wstring(g + 1), g % 2, 0);
    group->SetCanCollapse(g % 2 == 1);
    store->SetCurrentGroup(group);
    for (int i = 0; i < optionsPerGroup; ++i) {
      const std::wstring option = name + L"Option" + std::to_wstring(i);
      const std::wstring caption = L"Option " + std::to_wstring(g * optionsPerGroup + i + 1);
      if (i % 5 == 0)
        store->CreateBooleanOption(i % 2 == 0, option, caption, 0);
      else
        store->CreateStringOption(L"Value " + std::to_wstring(i), option, caption, 0);
    }
  }
  return store;
}

}  // namespace tessera::test
