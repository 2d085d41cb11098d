// Where regsvr32 puts each build's registration, as Windows lays it out for 64-bit Windows: the 64-bit DLL's
// class in the 64-bit view, the 32-bit DLL's class in the 32-bit view (Classes\Wow6432Node); the handler keys
// under "*", Directory and Directory\Background are shared by both views and named per build. Both builds run
// these tests, each from its own side.
#include <gtest/gtest.h>

#include <string>

#include "base/PathUtils.h"
#include "base/ShellExtIds.h"
#include "base/StringUtils.h"
#include "comserver/DllUnderTest.h"
#include "shellext/Registration.h"
#include "shellutils/Registry.h"
#include "support/ChildProcess.h"

namespace tessera {
namespace {

using test::OtherBuildsDllPath;
using test::RunRegsvr32;
using test::ShellExtDllPath;

struct TBuild {
  bool SixtyFourBit;
  const wchar_t* ClassId;
  const wchar_t* HandlerName;
  std::wstring Dll;
};

constexpr bool kSixtyFourBitBuild = sizeof(void*) == 8;

TBuild Own() { return {kSixtyFourBitBuild, kClassIdText, kHandlerName, ShellExtDllPath()}; }
TBuild Other() {
  return kSixtyFourBitBuild ? TBuild{false, kClassIdText32, kHandlerName32, OtherBuildsDllPath()}
                            : TBuild{true, kClassIdText64, kHandlerName64, OtherBuildsDllPath()};
}

REGSAM ViewOf(bool sixtyFourBit) { return sixtyFourBit ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }

// The class's server path as a process of the given bitness reads it through HKEY_CLASSES_ROOT.
std::wstring ServerIn(bool sixtyFourBitView, const TBuild& build) {
  return ReadRegistryString(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + build.ClassId + L"\\InprocServer32", L"",
                            KEY_READ | ViewOf(sixtyFourBitView));
}

// The physical places, read through the 64-bit view of the machine's classes.
std::wstring ServerAt(const wchar_t* classesKey, const TBuild& build) {
  return ReadRegistryString(HKEY_LOCAL_MACHINE,
                            std::wstring(classesKey) + L"\\CLSID\\" + build.ClassId + L"\\InprocServer32", L"",
                            KEY_READ | KEY_WOW64_64KEY);
}

// A handler key, read in this process's own view and in the 64-bit one: the keys are shared, so both see the same.
// (Wine does not map a 64-bit process's KEY_WOW64_32KEY reads of shared keys, so that view is not asked.)
std::wstring HandlerOf(const TBuild& build, const std::wstring& type) {
  const std::wstring key = type + L"\\ShellEx\\ContextMenuHandlers\\" + build.HandlerName;
  std::wstring own = ReadRegistryString(HKEY_CLASSES_ROOT, key, L"", KEY_READ);
  std::wstring sixtyFour = ReadRegistryString(HKEY_CLASSES_ROOT, key, L"", KEY_READ | KEY_WOW64_64KEY);
  return own == sixtyFour ? own : L"<differs between the views: " + own + L" / " + sixtyFour + L">";
}

bool SamePath(const std::wstring& a, const std::wstring& b) { return !a.empty() && SameTextAscii(a, b); }

class RegistryViews : public ::testing::Test {
protected:
  void TearDown() override {
    RunRegsvr32(Own().Dll, true);
    if (FileExists(Other().Dll)) RunRegsvr32(Other().Dll, true, Other().SixtyFourBit);
  }
};

TEST_F(RegistryViews, EachDllLandsInItsOwnViewOnly) {
  const TBuild own = Own();
  ASSERT_EQ(RunRegsvr32(own.Dll, false), 0u);
  EXPECT_TRUE(SamePath(ServerIn(own.SixtyFourBit, own), own.Dll));
  EXPECT_EQ(ServerIn(!own.SixtyFourBit, own), L"") << "the other view stays untouched";
  if (own.SixtyFourBit) {
    EXPECT_TRUE(SamePath(ServerAt(L"Software\\Classes", own), own.Dll));
    EXPECT_EQ(ServerAt(L"Software\\Classes\\Wow6432Node", own), L"");
  } else {
    EXPECT_TRUE(SamePath(ServerAt(L"Software\\Classes\\Wow6432Node", own), own.Dll));
    EXPECT_EQ(ServerAt(L"Software\\Classes", own), L"");
  }
  for (const auto& type : ShellExtFileTypes()) EXPECT_EQ(HandlerOf(own, type), own.ClassId) << WideToUtf8(type);

  ASSERT_EQ(RunRegsvr32(own.Dll, true), 0u);
  EXPECT_EQ(ServerIn(own.SixtyFourBit, own), L"");
  for (const auto& type : ShellExtFileTypes()) EXPECT_EQ(HandlerOf(own, type), L"");
}

TEST_F(RegistryViews, BothBuildsRegisteredAtOnceEachPointsToItsOwnDll) {
  const TBuild own = Own(), other = Other();
  if (!FileExists(other.Dll))
    GTEST_SKIP() << "the other build's DLL is not built: " << WideToUtf8(other.Dll) << " (scripts/build builds both)";
  if (!other.SixtyFourBit && !test::ThirtyTwoBitProgramsRun()) GTEST_SKIP() << "32-bit programs do not run here";
  ASSERT_EQ(RunRegsvr32(own.Dll, false), 0u);
  ASSERT_EQ(RunRegsvr32(other.Dll, false, other.SixtyFourBit), 0u);
  EXPECT_TRUE(SamePath(ServerIn(own.SixtyFourBit, own), own.Dll));
  EXPECT_TRUE(SamePath(ServerIn(other.SixtyFourBit, other), other.Dll));
  EXPECT_EQ(ServerIn(own.SixtyFourBit, other), L"");
  EXPECT_EQ(ServerIn(other.SixtyFourBit, own), L"");
  for (const auto& type : ShellExtFileTypes()) {
    EXPECT_EQ(HandlerOf(own, type), own.ClassId);
    EXPECT_EQ(HandlerOf(other, type), other.ClassId);
  }

  // Unregistering one build leaves the other registered, and the reverse.
  ASSERT_EQ(RunRegsvr32(other.Dll, true, other.SixtyFourBit), 0u);
  EXPECT_EQ(ServerIn(other.SixtyFourBit, other), L"");
  EXPECT_TRUE(SamePath(ServerIn(own.SixtyFourBit, own), own.Dll));
  for (const auto& type : ShellExtFileTypes()) {
    EXPECT_EQ(HandlerOf(own, type), own.ClassId);
    EXPECT_EQ(HandlerOf(other, type), L"");
  }

  ASSERT_EQ(RunRegsvr32(other.Dll, false, other.SixtyFourBit), 0u);
  ASSERT_EQ(RunRegsvr32(own.Dll, true), 0u);
  EXPECT_EQ(ServerIn(own.SixtyFourBit, own), L"");
  EXPECT_TRUE(SamePath(ServerIn(other.SixtyFourBit, other), other.Dll));
  for (const auto& type : ShellExtFileTypes()) {
    EXPECT_EQ(HandlerOf(other, type), other.ClassId);
    EXPECT_EQ(HandlerOf(own, type), L"");
  }
}

}  // namespace
}  // namespace tessera
