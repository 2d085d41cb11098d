// The option list in a real window with the rich sample store, driven with real input: keys and clicks go
// through the system's input queue to whichever window has the focus or lies under the mouse.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <string>

#include "config/optionlist/OptionList.h"
#include "config/optionlist/PopupListBox.h"
#include "config/optionlist/RowEditor.h"
#include "config/optionlist/ValueEditor.h"
#include "support/OptionListHost.h"
#include "support/OptionListSample.h"

namespace tessera::test {

bool SameRect(const RECT& a, const RECT& b);
// The editor lies exactly over the row.
::testing::AssertionResult EditorOverRow(TvOptionList& list, int row);

// Mouse input at a point of a window's client area.
void MouseAt(HWND window, POINT client);
void Click(HWND window, POINT client, bool right = false);
void DoubleClick(HWND window, POINT client);
// Left button down at from, moved to to, released there.
void Drag(HWND window, POINT from, POINT to);
// Keys pressed together (each down in order, then all up in reverse), e.g. {VK_CONTROL, VK_SHIFT, 'C'}.
void Keys(std::initializer_list<WORD> keys);
// Typing text (Unicode characters).
void Type(const std::wstring& text);

std::wstring TextOf(HWND window);
RECT ClientRectOf(HWND window, HWND relativeTo);  // in relativeTo's client coordinates
std::wstring ClipboardText();

class OptionListTest : public ::testing::Test {
protected:
  explicit OptionListTest(bool dialogKeys = false);
  void SetUp() override;
  void TearDown() override;

public:  // for the cases' lambdas

  TOptionListHost& Host() { return FHost; }
  TvOptionList& List() { return FHost.List(); }
  HWND ListWindow() { return FHost.List().Handle(); }
  TRowEditor& Editor() { return FHost.List().RowEditor(); }
  HWND Edit() { return FHost.List().RowEditor().ValueEditor().Handle(); }
  TvPopupListBox& Popup() { return FHost.List().PopupListBox(); }
  // The row of the option or group of that name; fails the test when it is not shown.
  int Row(const std::wstring& name);
  POINT RowPoint(int row, int x);
  // The middle of the row's value (right of the divider and of the box).
  POINT ValuePoint(int row);
  void Select(const std::wstring& name);
  void Pump(DWORD ms = 60) { FHost.Pump(ms); }
  bool PumpUntil(const std::function<bool()>& condition, DWORD ms = 3000) { return FHost.PumpUntil(condition, ms); }
  // The popup's entry index by text; -1 when none.
  int EntryIndex(const std::wstring& text);
  void ClickEntry(const std::wstring& text);

  TSampleStore FSample = MakeSampleStore();
  TOptionListHost& FHost;  // one per kind for the whole run, with a new list for each test
  std::vector<std::wstring> FErrors;
  std::vector<TCustomInheritingOption*> FModified;
  std::vector<TCustomInheritingOption*> FEditClicks;
};

class DialogHostTest : public OptionListTest {
protected:
  DialogHostTest() : OptionListTest(true) {}
};

}  // namespace tessera::test
