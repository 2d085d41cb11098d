// The whole report: its sections in order, each block's shape, the application block's content, the
// operating-system lines, and the registry values it reads (user account control, default browser).
#include <gtest/gtest.h>

#include "base/StringUtils.h"
#include "config/RegistryStandIn.h"
#include "config/SystemInfo.h"
#include "config/SystemQueries.h"
#include "shellutils/SystemUtils.h"
#include "support/TempFolder.h"

namespace tessera {
namespace {

constexpr wchar_t kUacKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr wchar_t kTestKey[] = L"Software\\Vesper Software\\Tessera Tests\\SystemInfo";
constexpr TSysInfoSections kAll = SysInfoSet({siApplication, siOperatingSystem, siHardware, siDrives, siPrinters});

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", start)) {
    lines.push_back(text.substr(start, at - start));
    start = at + 2;
  }
  lines.push_back(text.substr(start));
  return lines;
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix) { return text.rfind(prefix, 0) == 0; }

TEST(SystemInfo, BlocksComeInSectionOrderEachEndingWithAnEmptyLine) {
  const std::wstring text = GetSystemInfoText(kAll, L"Tessera 2.5.0", {});
  const wchar_t* headers[] = {L"[Application]", L"[Operating system]", L"[Hardware]", L"[Drives]", L"[Printers]"};
  size_t previous = 0;
  for (const wchar_t* header : headers) {
    size_t at = text.find(std::wstring(header) + L"\r\n");
    ASSERT_NE(at, std::wstring::npos) << WideToUtf8(header);
    EXPECT_TRUE(at == 0 || text.compare(at - 4, 4, L"\r\n\r\n") == 0) << WideToUtf8(header);
    EXPECT_GE(at, previous);
    previous = at;
  }
  ASSERT_GE(text.size(), 4u);
  EXPECT_EQ(text.substr(text.size() - 4), L"\r\n\r\n");
  EXPECT_EQ(text.substr(previous), L"[Printers]\r\n" + PrintersText() + L"\r\n\r\n");
}

TEST(SystemInfo, OnlyTheChosenSectionsAppear) {
  EXPECT_EQ(GetSystemInfoText(0, L"T", {}), L"");
  EXPECT_EQ(GetSystemInfoText(0xE0, L"T", {}), L"");  // bits 5 to 7 stand for nothing
  const std::wstring text = GetSystemInfoText(SysInfoSet({siPrinters, siApplication}) | 0xE0, L"T", {});
  EXPECT_EQ(text, L"[Application]\r\n" + ApplicationText(L"T", {}) + L"\r\n\r\n[Printers]\r\n" + PrintersText() +
                      L"\r\n\r\n");
  EXPECT_EQ(GetSystemInfoText(SysInfoSet({siDrives}), L"T", {}), L"[Drives]\r\n" + DrivesText() + L"\r\n\r\n");
}

TEST(SystemInfo, ApplicationBlockNamesTitleCommandLineAndFiles) {
  test::TempFolder tmp;
  const std::wstring file = tmp.file(L"Tessera32.dll", "12345");
  const std::wstring text = GetSystemInfoText(SysInfoSet({siApplication}), L"Tessera 2.5.0",
                                              {file, tmp.path() + L"Typemount.exe"});
  EXPECT_EQ(text, L"[Application]\r\nTessera 2.5.0\r\nCommand line: " + std::wstring(::GetCommandLineW()) + L"\r\n" +
                      file + L"  (5 bytes)\r\nTypemount.exe (not found)\r\n\r\n");
}

TEST(SystemInfo, OperatingSystemHasItsEightLines) {
  const std::vector<std::wstring> lines = Lines(OperatingSystemText());
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_TRUE(StartsWith(lines[0], L"Windows"));
  EXPECT_EQ(lines[1], L"Location: " + GetWindowsFolder() + L", " + GetSystemFolder());
  std::wstring temp = GetTempFolder();
  temp.pop_back();
  EXPECT_EQ(lines[2], L"Temporary files: " + temp + L" *OK*");
  EXPECT_EQ(lines[3], std::wstring(L"Admin rights (current process): ") + (IsUserAdmin() ? L"Yes" : L"No"));
  EXPECT_TRUE(lines[4] == L"Themes enabled: Yes" || lines[4] == L"Themes enabled: No");
  EXPECT_EQ(lines[5], std::wstring(L"User account control (UAC) enabled: ") + (IsUacEnabled() ? L"Yes" : L"No"));
  EXPECT_EQ(lines[6], std::wstring(L"32-bit application on 64-bit Windows (WOW64): ") +
                          (sizeof(void*) == 4 ? L"Yes" : L"No"));
  EXPECT_TRUE(StartsWith(lines[7], L"Default web browser: ")) << WideToUtf8(lines[7]);
  EXPECT_EQ(lines[7].back(), L')');
}

TEST(SystemInfo, TemporaryFolderThatIsGoneReadsInvalid) {
  test::TempFolder tmp;
  const std::wstring gone = tmp.path() + L"gone";
  wchar_t saved[32768] = {};
  DWORD n = ::GetEnvironmentVariableW(L"TMP", saved, 32768);
  ASSERT_TRUE(::SetEnvironmentVariableW(L"TMP", gone.c_str()));
  const std::vector<std::wstring> lines = Lines(OperatingSystemText());
  ::SetEnvironmentVariableW(L"TMP", n ? saved : nullptr);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[2], L"Temporary files: " + gone + L" *INVALID*");
}

TEST(SystemInfo, HardwareNamesArchitectureMemoryAndAdapters) {
  const std::vector<std::wstring> lines = Lines(HardwareText());
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], L"Processor architecture: X64");  // 64-bit Windows, for both builds
  EXPECT_TRUE(StartsWith(lines[1], L"Physical memory: ")) << WideToUtf8(lines[1]);
  EXPECT_NE(lines[1].find(L" (available "), std::wstring::npos);
  EXPECT_EQ(lines[1].substr(lines[1].size() - 2), L"%)");
  for (size_t i = 2; i < lines.size(); ++i) EXPECT_TRUE(StartsWith(lines[i], L"Display adapter ")) << WideToUtf8(lines[i]);
  EXPECT_EQ(JoinLines({lines.begin() + 2, lines.end()}), DisplayAdaptersText());
}

TEST(SystemInfo, DrivesGiveOneLinePerLetter) {
  const std::vector<std::wstring> lines = Lines(DrivesText());
  const DWORD drives = ::GetLogicalDrives();
  std::vector<std::wstring> expected;
  for (int i = 0; i < 26; ++i)
    if (drives & (1u << i)) expected.push_back(DriveLine(QueryDrive(static_cast<wchar_t>(L'A' + i))));
  EXPECT_EQ(lines, expected);
  bool sawC = false;
  for (const auto& line : lines) {
    if (!StartsWith(line, L"C: ")) continue;
    sawC = true;
    EXPECT_TRUE(StartsWith(line, L"C: fixed (")) << WideToUtf8(line);
    EXPECT_NE(line.find(L"), size "), std::wstring::npos);
  }
  EXPECT_TRUE(sawC);
}

TEST(SystemInfo, PrintersAreListedOnePerLine) {
  const std::vector<TPrinterInfo> printers = QueryPrinters();
  const std::wstring defaultPrinter = QueryDefaultPrinter();
  std::vector<std::wstring> lines;
  for (const auto& p : printers) lines.push_back(PrinterLine(p, defaultPrinter));
  EXPECT_EQ(PrintersText(), JoinLines(lines));
  if (printers.empty()) {
    // No printers: the header, an empty body and the empty line.
    EXPECT_EQ(GetSystemInfoText(SysInfoSet({siPrinters}), L"", {}), L"[Printers]\r\n\r\n\r\n");
  }
}

TEST(UserAccountControl, OnlyAWholeNumberOtherThanZeroCountsAsEnabled) {
  struct Case {
    DWORD type;
    std::vector<BYTE> data;
    bool enabled;
  } cases[] = {
      {REG_DWORD, {1, 0, 0, 0}, true},
      {REG_DWORD, {0, 1, 0, 0}, true},
      {REG_DWORD, {0, 0, 0, 0}, false},
      {REG_SZ, {'1', 0, 0, 0}, false},                       // text "1": not a whole number
      {REG_SZ, {'y', 0, 'e', 0, 's', 0, 0, 0}, false},
      {REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, false},
      {REG_BINARY, {1, 0, 0, 0}, false},
      {REG_DWORD, {1, 0}, false},                            // too short for a whole number
  };
  test::RegistryStandIn value(HKEY_CURRENT_USER, kTestKey, L"EnableLUA");
  for (const auto& c : cases) {
    value.setRaw(c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
    EXPECT_EQ(IsUacEnabledAt(HKEY_CURRENT_USER, kTestKey), c.enabled) << c.type << " " << c.data.size();
  }
  value.remove();
  EXPECT_FALSE(IsUacEnabledAt(HKEY_CURRENT_USER, kTestKey));
  EXPECT_FALSE(IsUacEnabledAt(HKEY_CURRENT_USER, std::wstring(kTestKey) + L"\\Missing"));
}

TEST(UserAccountControl, ATextValueReadsNoAndTheReportGoesOn) {
  test::RegistryStandIn policy(HKEY_LOCAL_MACHINE, kUacKey, L"EnableLUA");
  policy.setString(L"1");
  EXPECT_FALSE(IsUacEnabled());
  const std::wstring report = GetSystemInfoText(kAll, L"Tessera 2.5.0", {});
  EXPECT_NE(report.find(L"\r\nUser account control (UAC) enabled: No\r\n"), std::wstring::npos);
  EXPECT_NE(report.find(L"[Printers]\r\n"), std::wstring::npos);  // to its end
  policy.setDword(1);
  EXPECT_TRUE(IsUacEnabled());
  EXPECT_NE(OperatingSystemText().find(L"\r\nUser account control (UAC) enabled: Yes\r\n"), std::wstring::npos);
}

TEST(DefaultBrowser, IsTheOpenCommandOfTheChosenClassPerUserThenMachine) {
  constexpr wchar_t kChoice[] = L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice";
  constexpr wchar_t kProgId[] = L"TesseraTestBrowserURL";
  const std::wstring command = std::wstring(L"SOFTWARE\\Classes\\") + kProgId + L"\\shell\\open\\command";
  test::RegistryStandIn choice(HKEY_CURRENT_USER, kChoice, L"ProgId");
  test::RegistryStandIn userCommand(HKEY_CURRENT_USER, std::wstring(L"SOFTWARE\\Classes\\") + kProgId, L"");
  test::RegistryStandIn machineCommand(HKEY_LOCAL_MACHINE, std::wstring(L"SOFTWARE\\Classes\\") + kProgId, L"");

  choice.remove();
  EXPECT_EQ(GetDefaultBrowserCommand(), L"");
  choice.setString(kProgId);
  EXPECT_EQ(GetDefaultBrowserCommand(), L"");  // no class
  test::RegistryStandIn machine(HKEY_LOCAL_MACHINE, command, L"");
  machine.setString(L"C:\\Machine\\web.exe \"%1\"");
  EXPECT_EQ(GetDefaultBrowserCommand(), L"C:\\Machine\\web.exe \"%1\"");
  test::RegistryStandIn user(HKEY_CURRENT_USER, command, L"");
  const std::wstring program = GetModuleFolder() + L"versioned.exe";
  user.setString(L"\"" + program + L"\" -url \"%1\"");
  EXPECT_EQ(GetDefaultBrowserCommand(), L"\"" + program + L"\" -url \"%1\"");
  const std::vector<std::wstring> lines = Lines(OperatingSystemText());
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[7], L"Default web browser: \"" + program + L"\" -url \"%1\" (1.2.3.4)");
}

}  // namespace
}  // namespace tessera
