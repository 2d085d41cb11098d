// The settings window in this process, told that it moved to a monitor of another DPI: the font, every
// control's place and the option list's divider follow the new DPI.
#include <gtest/gtest.h>

#include "config/ConfigLayout.h"
#include "config/ConfigWindow.h"
#include "config/Dpi.h"
#include "config/UiFont.h"
#include "support/RealInput.h"
#include "support/SettingsFile.h"

namespace tessera {
namespace {

RECT ClientRectOf(HWND control) { return test::ChildRect(control); }

TEST(ConfigWindowDpi, ADpiChangeScalesTheDividerAndLaysOutEveryControlAgain) {
  test::ScopedUserSettingsFile settings(std::nullopt);
  TfrmConfig form;
  form.Create(SW_SHOWNORMAL);
  HWND window = form.Handle();
  ASSERT_NE(window, nullptr);
  HWND listWindow = ::GetDlgItem(window, idOptions);
  TvOptionList* list = TvOptionList::FromHandle(listWindow);
  ASSERT_NE(list, nullptr);
  const UINT dpi = GetWindowDpi(window);
  EXPECT_EQ(list->SplitterPosition(), ScaleForDpi(170, dpi));
  list->SetSplitterPosition(ScaleForDpi(200, dpi));  // where the user dragged it

  const UINT newDpi = dpi * 2;
  RECT suggested{};
  ::GetWindowRect(window, &suggested);
  suggested.right = suggested.left + (suggested.right - suggested.left) * 2;
  suggested.bottom = suggested.top + (suggested.bottom - suggested.top) * 2;
  ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(&suggested));

  EXPECT_EQ(list->SplitterPosition(), ScaleForDpi(200, dpi) * 2);
  RECT client{};
  ::GetClientRect(window, &client);
  UniqueGdiObject font = CreateUiFont(newDpi);
  const int textHeight = FontTextHeight(static_cast<HFONT>(font.get()), L"Ij");
  HWND link = ::GetDlgItem(window, idLink);
  const RECT linkRect = ClientRectOf(link);
  const TConfigLayout expected = ConfigWindowLayout(client.right, client.bottom, newDpi, textHeight,
                                                    SIZE{linkRect.right - linkRect.left, linkRect.bottom - linkRect.top});
  const std::pair<int, const RECT*> controls[] = {{idOptions, &expected.lbOptions}, {idMore, &expected.butMore},
                                                  {idOK, &expected.butOK},          {IDCANCEL, &expected.butCancel},
                                                  {idApply, &expected.butApply},    {idLink, &expected.lblLink}};
  for (const auto& [id, rect] : controls) {
    SCOPED_TRACE(id);
    const RECT actual = ClientRectOf(::GetDlgItem(window, id));
    EXPECT_EQ(actual.left, rect->left);
    EXPECT_EQ(actual.top, rect->top);
    EXPECT_EQ(actual.right, rect->right);
    EXPECT_EQ(actual.bottom, rect->bottom);
  }
  // The controls draw with the font of the new DPI.
  LOGFONTW used{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(::GetDlgItem(window, idApply), WM_GETFONT, 0, 0)), sizeof(used), &used);
  EXPECT_EQ(used.lfHeight, UiFontDescription(newDpi).lfHeight);
  ::DestroyWindow(window);
  // The window ends its program's message loop; this thread has none to end.
  MSG quit;
  while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace
}  // namespace tessera
