// The settings window's placement rules as functions: the control layout at every DPI, the centring on a
// work area, the image-size warning, the update program's command line, and the registry writer.
#include <gtest/gtest.h>

#include <string>

#include "base/Error.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "config/ConfigLayout.h"
#include "config/MoreActions.h"
#include "config/RegistryStandIn.h"
#include "shellutils/Registry.h"

namespace tessera {
namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

TEST(ConfigLayout, PlacesEveryControlFromTheMarginsAtEachDpi) {
  struct Case {
    UINT dpi;
    int textHeight;
    int m, w, h, g;  // margin, button width and height, gap at that DPI
  } cases[] = {
      {96, 13, 18, 80, 23, 6},
      {144, 19, 27, 120, 35, 9},  // 34.5 rounds up, as MulDiv does
      {192, 26, 36, 160, 46, 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    const int W = MulDiv(584, c.dpi, 96), H = MulDiv(561, c.dpi, 96);
    const SIZE link{MulDiv(90, c.dpi, 96), c.textHeight + 2};
    const TConfigLayout l = ConfigWindowLayout(W, H, c.dpi, c.textHeight, link);

    EXPECT_EQ(l.lblOptions.left, c.m);
    EXPECT_EQ(l.lblOptions.top, c.m);
    EXPECT_EQ(Width(l.lblOptions), W - 2 * c.m);
    EXPECT_EQ(Height(l.lblOptions), c.textHeight);

    EXPECT_EQ(l.lblLink.left, c.m);
    EXPECT_EQ(l.lblLink.bottom, H - c.m);
    EXPECT_EQ(Width(l.lblLink), link.cx);

    // Apply at the right margin, then Cancel and OK leftwards with a gap between them, all on one line a
    // margin above the link.
    EXPECT_EQ(l.butApply.right, W - c.m);
    EXPECT_EQ(l.butApply.bottom, l.lblLink.top - c.m);
    for (const RECT* b : {&l.butApply, &l.butCancel, &l.butOK}) {
      EXPECT_EQ(Width(*b), c.w);
      EXPECT_EQ(Height(*b), c.h);
      EXPECT_EQ(b->top, l.butApply.top);
    }
    EXPECT_EQ(l.butCancel.right, l.butApply.left - c.g);
    EXPECT_EQ(l.butOK.right, l.butCancel.left - c.g);

    // More at the left margin, half a button height wider for its glyph.
    EXPECT_EQ(l.butMore.left, c.m);
    EXPECT_EQ(l.butMore.top, l.butApply.top);
    EXPECT_EQ(Width(l.butMore), c.w + c.h / 2);

    // The list fills what is left: a gap below the label, three gaps above the buttons.
    EXPECT_EQ(l.lbOptions.left, c.m);
    EXPECT_EQ(l.lbOptions.top, l.lblOptions.bottom + c.g);
    EXPECT_EQ(Width(l.lbOptions), W - 2 * c.m);
    EXPECT_EQ(l.lbOptions.bottom, l.butOK.top - 3 * c.g);
    // Nothing overlaps.
    RECT overlap{};
    EXPECT_FALSE(::IntersectRect(&overlap, &l.butMore, &l.butOK));
    EXPECT_FALSE(::IntersectRect(&overlap, &l.lbOptions, &l.butOK));
  }
}

TEST(ConfigLayout, CentresOnTheWorkAreaWithHalvesTruncated) {
  struct Case {
    RECT work;
    SIZE size;
    POINT at;
  } cases[] = {
      {{0, 0, 1280, 1024}, {600, 600}, {340, 212}},
      {{0, 0, 1281, 1025}, {601, 601}, {340, 212}},        // 640 - 300, 512 - 300
      {{-1920, 40, 0, 1080}, {800, 700}, {-1360, 210}},    // a monitor left of the primary one, a taskbar on top
      {{0, 0, 800, 600}, {1000, 900}, {-100, -150}},       // larger than the work area: the size stays
  };
  for (const auto& c : cases) {
    const POINT at = CentreOnWorkArea(c.work, c.size);
    EXPECT_EQ(at.x, c.at.x);
    EXPECT_EQ(at.y, c.at.y);
  }
}

TEST(ConfigLayout, TheWindowShrinksToTheWorkAreaButNotBelowItsMinimum) {
  struct Case {
    SIZE size, minimum;
    RECT work;
    SIZE fitted;
  } cases[] = {
      {{600, 609}, {600, 600}, {0, 0, 1280, 984}, {600, 609}},        // fits: unchanged
      {{1184, 1168}, {1000, 1000}, {0, 0, 2560, 1560}, {1184, 1168}},  // 192 DPI on a large screen
      {{880, 860}, {900, 900}, {0, 0, 1280, 700}, {900, 900}},        // the minimum wins over the work area
      {{1000, 1000}, {600, 600}, {-1280, 24, 0, 824}, {1000, 800}},   // only the height is cut
  };
  for (const auto& c : cases) {
    const SIZE fitted = FitToWorkArea(c.size, c.minimum, c.work);
    EXPECT_EQ(fitted.cx, c.fitted.cx);
    EXPECT_EQ(fitted.cy, c.fitted.cy);
  }
}

TEST(ConfigLayout, ImageSizeWarningNamesTheFirstInvalidEntry) {
  struct Case {
    const wchar_t* value;
    const wchar_t* invalid;  // null: no warning
  } cases[] = {
      {L"800x600;1024 x 768", L"1024 x 768"},
      {L"800x600;1024 x 768;abc", L"1024 x 768"},
      {L";", nullptr},  // nothing left: the default sizes
      {L"", nullptr},
      {L"  1920x1080;800x600  ", nullptr},
      {L"1920X1080", L"1920X1080"},
      {L"800x600;;640x480", nullptr},
  };
  for (const auto& c : cases) {
    const auto invalid = FirstInvalidImageSize(c.value);
    if (c.invalid) {
      ASSERT_TRUE(invalid.has_value()) << WideToUtf8(c.value);
      EXPECT_EQ(*invalid, c.invalid);
    } else {
      EXPECT_FALSE(invalid.has_value()) << WideToUtf8(c.value) << " -> " << WideToUtf8(invalid.value_or(L""));
    }
  }
}

TEST(ConfigLayout, UpdateProgramPathIsQuoted) {
  EXPECT_EQ(RenewerCommandLine(L"C:\\Program Files\\Tessera\\Renewer.exe", L"/checknow"),
            L"\"C:\\Program Files\\Tessera\\Renewer.exe\" /checknow");
  EXPECT_EQ(RenewerCommandLine(L"C:\\Program Files\\Tessera\\Renewer.exe", L""),
            L"\"C:\\Program Files\\Tessera\\Renewer.exe\"");
}

TEST(ConfigLayout, AMissingUpdateProgramIsReportedOnlyWhenNotSilent) {
  const std::wstring file = GetRenewerFileName();
  ASSERT_FALSE(FileExists(file));
  EXPECT_NO_THROW(RunRenewer(true, L"/checknow"));
  try {
    RunRenewer(false, L"/checknow");
    ADD_FAILURE() << "no error";
  } catch (const TesseraError& e) {
    EXPECT_EQ(e.message(), L"File \"" + file + L"\" not found.");
  }
}

TEST(RegistryWriter, CreatesTheKeyAndWritesAStringWithItsTerminator) {
  const std::wstring key = L"Software\\Tessera Tests\\Writer\\Nested";
  test::RegistryStandIn standIn(HKEY_CURRENT_USER, key, L"Dir");  // removes what the test creates
  ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, key, L"Dir", L"C:\\Program Files\\Tessera Caf\u00e9"));
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, key, L"Dir", 0), L"C:\\Program Files\\Tessera Caf\u00e9");
  DWORD type = 0, size = 0;
  ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Dir", RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, (std::wstring(L"C:\\Program Files\\Tessera Caf\u00e9").size() + 1) * sizeof(wchar_t));
  // An empty text is a value too.
  ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, key, L"Dir", L""));
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, key, L"Dir", 0), L"");

  // A key that cannot be made: false, with the registry's reason as the last error.
  ::SetLastError(0);
  EXPECT_FALSE(WriteRegistryString(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x12345)), L"Key", L"Dir", L"x"));
  EXPECT_NE(::GetLastError(), 0u);
}

}  // namespace
}  // namespace tessera
