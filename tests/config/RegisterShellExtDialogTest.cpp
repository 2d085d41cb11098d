// The enable/disable dialog inside this program: its layout at any DPI, its placement, font, texts,
// shields and tab order.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "base/StringUtils.h"
#include "config/Dpi.h"
#include "config/RegisterShellExtDialog.h"
#include "config/UiFont.h"
#include "support/RealInput.h"

namespace tessera {
namespace {

RECT R(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }
bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
         std::to_string(r.bottom - r.top);
}

TEST(RegisterShellExtLayout, ScalesTheTableWithTheDpi) {
  struct Case {
    UINT dpi;
    SIZE client;
    RECT info, enableCurrent, enableAll, disableCurrent, disableAll, close;
  } cases[] = {
      {96, {268, 312}, R(17, 16, 233, 73), R(17, 88, 233, 25), R(17, 122, 233, 25), R(17, 168, 233, 25),
       R(17, 203, 233, 25), R(170, 263, 80, 23)},
      // MulDiv rounds halves up: 17 * 1.5 = 25.5 gives 26.
      {144, {402, 468}, R(26, 24, 350, 110), R(26, 132, 350, 38), R(26, 183, 350, 38), R(26, 252, 350, 38),
       R(26, 305, 350, 38), R(255, 395, 120, 35)},
      {192, {536, 624}, R(34, 32, 466, 146), R(34, 176, 466, 50), R(34, 244, 466, 50), R(34, 336, 466, 50),
       R(34, 406, 466, 50), R(340, 526, 160, 46)},
      {120, {335, 390}, R(21, 20, 291, 91), R(21, 110, 291, 31), R(21, 153, 291, 31), R(21, 210, 291, 31),
       R(21, 254, 291, 31), R(213, 329, 100, 29)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    const TRegisterShellExtLayout l = RegisterShellExtLayout(c.dpi);
    EXPECT_EQ(l.Client.cx, c.client.cx);
    EXPECT_EQ(l.Client.cy, c.client.cy);
    EXPECT_TRUE(Same(l.lblInfo, c.info)) << Text(l.lblInfo);
    EXPECT_TRUE(Same(l.butEnableCurrent, c.enableCurrent)) << Text(l.butEnableCurrent);
    EXPECT_TRUE(Same(l.butEnableAll, c.enableAll)) << Text(l.butEnableAll);
    EXPECT_TRUE(Same(l.butDisableCurrent, c.disableCurrent)) << Text(l.butDisableCurrent);
    EXPECT_TRUE(Same(l.butDisableAll, c.disableAll)) << Text(l.butDisableAll);
    EXPECT_TRUE(Same(l.butClose, c.close)) << Text(l.butClose);
  }
}

TEST(RegisterShellExtLayout, CentresOnTheOwnerWithinTheWorkArea) {
  const RECT work{0, 0, 1280, 984};
  struct Case {
    RECT owner;
    SIZE size;
    POINT at;
  } cases[] = {
      {{100, 100, 700, 700}, {274, 342}, {263, 229}},
      {{100, 100, 701, 701}, {274, 342}, {263, 229}},      // halves are cut
      {{-500, 100, 100, 700}, {274, 342}, {0, 229}},       // owner partly off the screen: the dialog stays on it
      {{1000, 800, 1600, 1400}, {274, 342}, {1006, 642}},  // bottom-right corner
      {{0, 0, 100, 100}, {2000, 2000}, {0, 0}},            // larger than the work area: top-left stays visible
  };
  for (const auto& c : cases) {
    POINT at = CentreOnOwner(c.owner, c.size, work);
    EXPECT_EQ(at.x, c.at.x);
    EXPECT_EQ(at.y, c.at.y);
  }
}

TEST(UiFont, IsTahomaEightPointOrTheMessageFont) {
  for (UINT dpi : {96u, 144u, 192u}) {
    SCOPED_TRACE(dpi);
    const LOGFONTW font = UiFontDescription(dpi);
    if (FontFamilyInstalled(L"Tahoma")) {
      EXPECT_STREQ(font.lfFaceName, L"Tahoma");
      EXPECT_EQ(font.lfHeight, -MulDiv(8, static_cast<int>(dpi), 72));
    }
    // Where the preferred face is missing, the system's message font at that DPI stands in.
    const LOGFONTW fallback = UiFontDescription(dpi, L"No Such Face For Tessera");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_STREQ(fallback.lfFaceName, metrics.lfMessageFont.lfFaceName);
    EXPECT_NEAR(fallback.lfHeight, MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), GetSystemDpi()), 1);
  }
  EXPECT_FALSE(FontFamilyInstalled(L"No Such Face For Tessera"));
}

class DialogInThisProgram : public ::testing::Test {
protected:
  void SetUp() override {
    FHandle = FDialog.ShowModeless();
    ASSERT_NE(FHandle, nullptr);
  }
  HWND Control(int id) const { return ::GetDlgItem(FHandle, id); }

  TfrmRegisterShellExt FDialog{nullptr};
  HWND FHandle = nullptr;
};

TEST_F(DialogInThisProgram, HasItsCaptionTextsAndFixedBorder) {
  EXPECT_EQ(test::WindowText(FHandle), L"Enable/disable shell extension");
  EXPECT_EQ(test::WindowText(Control(idInfo)),
            L"To see Tessera items in shell context menus shell extension must be enabled for either current user "
            L"(preferred) or all users of this computer.");
  EXPECT_EQ(test::WindowText(Control(idEnableCurrent)), L"Enable for current user");
  EXPECT_EQ(test::WindowText(Control(idEnableAll)), L"  Enable for all users");
  EXPECT_EQ(test::WindowText(Control(idDisableCurrent)), L"Disable for current user");
  EXPECT_EQ(test::WindowText(Control(idDisableAll)), L"  Disable for all users");
  EXPECT_EQ(test::WindowText(Control(IDCANCEL)), L"Close");
  const LONG_PTR style = ::GetWindowLongPtrW(FHandle, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
  // The label wraps its words and shows an ampersand as it is.
  EXPECT_EQ(::GetWindowLongPtrW(Control(idInfo), GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
}

TEST_F(DialogInThisProgram, ControlsSitWhereTheLayoutSaysWithTheProgramsFont) {
  const UINT dpi = GetWindowDpi(FHandle);
  const TRegisterShellExtLayout layout = RegisterShellExtLayout(dpi);
  RECT client{};
  ::GetClientRect(FHandle, &client);
  EXPECT_EQ(client.right, layout.Client.cx);
  EXPECT_EQ(client.bottom, layout.Client.cy);
  const std::pair<int, RECT> places[] = {{idInfo, layout.lblInfo},
                                         {idEnableCurrent, layout.butEnableCurrent},
                                         {idEnableAll, layout.butEnableAll},
                                         {idDisableCurrent, layout.butDisableCurrent},
                                         {idDisableAll, layout.butDisableAll},
                                         {IDCANCEL, layout.butClose}};
  const LOGFONTW expected = UiFontDescription(dpi);
  for (const auto& [id, place] : places) {
    SCOPED_TRACE(id);
    EXPECT_TRUE(Same(test::ChildRect(Control(id)), place)) << Text(test::ChildRect(Control(id)));
    auto font = reinterpret_cast<HFONT>(::SendMessageW(Control(id), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW used{};
    ASSERT_TRUE(::GetObjectW(font, sizeof(used), &used));
    EXPECT_STREQ(used.lfFaceName, expected.lfFaceName);
    EXPECT_EQ(used.lfHeight, expected.lfHeight);
  }
}

TEST_F(DialogInThisProgram, CloseIsFirstInTheTabOrderThenTheButtonsDownwards) {
  EXPECT_EQ(::GetFocus(), Control(IDCANCEL));
  const int order[] = {IDCANCEL, idEnableCurrent, idEnableAll, idDisableCurrent, idDisableAll, IDCANCEL};
  for (size_t i = 0; i + 1 < std::size(order); ++i)
    EXPECT_EQ(::GetNextDlgTabItem(FHandle, Control(order[i]), FALSE), Control(order[i + 1])) << i;
  EXPECT_FALSE(::GetWindowLongPtrW(Control(idInfo), GWL_STYLE) & WS_TABSTOP);
  for (int id : {int{idEnableCurrent}, int{idEnableAll}, int{idDisableCurrent}, int{idDisableAll}, IDCANCEL})
    EXPECT_EQ(::GetWindowLongPtrW(Control(id), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON) << id;
}

TEST_F(DialogInThisProgram, CloseDestroysIt) {
  ::SendMessageW(FHandle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(Control(IDCANCEL)));
  EXPECT_FALSE(::IsWindow(FHandle));
  EXPECT_EQ(FDialog.Handle(), nullptr);
}

}  // namespace
}  // namespace tessera
