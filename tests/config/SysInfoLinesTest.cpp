// The lines of the system information report from stand-in inputs: sizes, drives, printers, the browser,
// the file list, display adapters and memory.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include "base/StringUtils.h"
#include "config/Architecture.h"
#include "config/SysInfoLines.h"
#include "config/SystemQueries.h"
#include "shellutils/FileUtils.h"
#include "shellutils/SystemUtils.h"
#include "support/TempFolder.h"

namespace tessera {
namespace {

constexpr std::int64_t KB = 1024, MB = 1024 * KB, GB = 1024 * MB;

TEST(SizeToText, ChangesUnitAtEachBoundaryWithTheGivenDecimals) {
  struct Case {
    std::int64_t size;
    const wchar_t* point;  // with "." as separator
    const wchar_t* comma;  // with ","
  } cases[] = {
      {-1, L"", L""},
      {-5000, L"", L""},
      {0, L"0 bytes", L"0 bytes"},
      {1, L"1 bytes", L"1 bytes"},
      {1023, L"1023 bytes", L"1023 bytes"},
      {1024, L"1 KB", L"1 KB"},
      {1535, L"1 KB", L"1 KB"},
      {1536, L"2 KB", L"2 KB"},  // a half is rounded away from zero
      {1600, L"2 KB", L"2 KB"},
      {2560, L"3 KB", L"3 KB"},
      {MB - 1, L"1024 KB", L"1024 KB"},
      {MB, L"1.0 MB", L"1,0 MB"},
      {MB * 5 / 4, L"1.3 MB", L"1,3 MB"},  // 1.25: a half again
      {MB * 15 / 10, L"1.5 MB", L"1,5 MB"},
      {GB - 1, L"1024.0 MB", L"1024,0 MB"},
      {GB, L"1.00 GB", L"1,00 GB"},
      {GB * 9 / 8, L"1.13 GB", L"1,13 GB"},  // 1.125
      {GB * 1000, L"1000.00 GB", L"1000,00 GB"},
      {std::int64_t{0x7FFFFFFFFFFFFFFF}, L"8589934592.00 GB", L"8589934592,00 GB"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SizeToText(c.size, L"."), c.point) << c.size;
    EXPECT_EQ(SizeToText(c.size, L","), c.comma) << c.size;
  }
}

TEST(SizeToText, UsesTheUsersDecimalSeparator) {
  const std::wstring separator = UserDecimalSeparator();
  ASSERT_FALSE(separator.empty());
  EXPECT_EQ(SizeToText(GB), L"1" + separator + L"00 GB");
  EXPECT_EQ(SizeToText(1023), L"1023 bytes");
}

TEST(DriveLine, ShowsTypeFileSystemSizesAndFreePercent) {
  struct Case {
    TDriveInfo drive;
    const wchar_t* line;
  } cases[] = {
      {{L'C', DRIVE_FIXED, 100 * GB, 25 * GB, L"NTFS"}, L"C: fixed (NTFS), size 100.00 GB (available 25.00 GB / 25%)"},
      {{L'D', DRIVE_CDROM, -1, -1, L""}, L"D: CD-ROM (-), size - (available - / 100%)"},
      {{L'A', DRIVE_REMOVABLE, -1, -1, L""}, L"A: removable (-), size - (available - / 100%)"},
      {{L'N', DRIVE_REMOTE, 3 * MB, MB, L"SMB"}, L"N: remote (SMB), size 3.0 MB (available 1.0 MB / 33%)"},
      {{L'R', DRIVE_RAMDISK, 999, 0, L"FAT"}, L"R: RAM disk (FAT), size 999 bytes (available 0 bytes / 0%)"},
      {{L'X', DRIVE_NO_ROOT_DIR, -1, -1, L""}, L"X: no root (-), size - (available - / 100%)"},
      {{L'Y', DRIVE_UNKNOWN, -1, -1, L""}, L"Y:  (-), size - (available - / 100%)"},
      // A drive that reports a total of 0 reads like the unknown case instead of dividing by zero.
      {{L'Z', DRIVE_FIXED, 0, 0, L"FAT32"}, L"Z: fixed (FAT32), size 0 bytes (available 0 bytes / 100%)"},
      // The file-system name, when the system gives one, is kept with a known total only.
      {{L'E', DRIVE_FIXED, -1, -1, L"NTFS"}, L"E: fixed (-), size - (available - / 100%)"},
  };
  for (const auto& c : cases) EXPECT_EQ(DriveLine(c.drive), c.line) << static_cast<char>(c.drive.Letter);
}

TEST(DriveLine, PercentIsTruncatedAndNeverOverflows) {
  struct Case {
    std::int64_t free, total;
    int percent;
  } cases[] = {
      {1, 3, 33},   {2, 3, 66},  {0, 10, 0},  {10, 10, 100}, {-1, -1, 100}, {0, 0, 100}, {5, 0, 100},
      {std::int64_t{0x7FFFFFFFFFFFFFFF}, std::int64_t{0x7FFFFFFFFFFFFFFF}, 100},
      {std::int64_t{0x7FFFFFFFFFFFFFFF} / 2, std::int64_t{0x7FFFFFFFFFFFFFFF}, 49},
  };
  for (const auto& c : cases) EXPECT_EQ(FreePercent(c.free, c.total), c.percent) << c.free << "/" << c.total;
}

TEST(PrinterLine, NamesPortLocationAndTheDefault) {
  struct Case {
    TPrinterInfo printer;
    const wchar_t* defaultPrinter;
    const wchar_t* line;
  } cases[] = {
      {{L"Office", L"LPT1:", PRINTER_ATTRIBUTE_LOCAL}, L"Office", L"Office (LPT1:, local, default)"},
      {{L"Office", L"LPT1:", PRINTER_ATTRIBUTE_LOCAL}, L"office", L"Office (LPT1:, local)"},  // compared exactly
      {{L"\\\\srv\\Hall", L"IP_10.0.0.9", PRINTER_ATTRIBUTE_NETWORK}, L"", L"\\\\srv\\Hall (IP_10.0.0.9, network)"},
      {{L"Both", L"P", PRINTER_ATTRIBUTE_NETWORK | PRINTER_ATTRIBUTE_LOCAL}, L"", L"Both (P, local)"},
      {{L"PDF", L"FILE:", 0}, L"PDF", L"PDF (FILE:, unknown, default)"},
  };
  for (const auto& c : cases) EXPECT_EQ(PrinterLine(c.printer, c.defaultPrinter), c.line);
}

TEST(BrowserLine, TakesTheProgramUpToItsExeWithoutQuotes) {
  struct Case {
    const wchar_t* command;
    const wchar_t* program;
  } cases[] = {
      {L"\"C:\\Program Files\\Web\\web.exe\" -osint -url \"%1\"", L"C:\\Program Files\\Web\\web.exe"},
      {L"C:\\Web\\web.exe %1", L"C:\\Web\\web.exe"},
      {L"C:\\Web\\web.exe", L"C:\\Web\\web.exe"},
      {L"C:\\WEB\\WEB.EXE %1", L"C:\\"},  // only a lower-case ".exe" counts
      {L"rundll32 url.dll,FileProtocolHandler %1", L"run"},
      {L"\"", L""},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(BrowserProgramOfCommand(c.command), c.program) << WideToUtf8(c.command);
}

TEST(BrowserLine, AddsTheVersionOfTheProgram) {
  // A stand-in browser with the version resource 1.2.3.4, in a folder with a blank.
  test::TempFolder tmp;
  const std::wstring program = tmp.dir(L"Web Browser") + L"\\browser.exe";
  ASSERT_TRUE(::CopyFileW((GetModuleFolder() + L"versioned.exe").c_str(), program.c_str(), FALSE))
      << "build tessera_versioned";
  const std::wstring command = L"\"" + program + L"\" -osint -url \"%1\"";
  EXPECT_EQ(BrowserText(command), command + L" (1.2.3.4)");
  EXPECT_EQ(BrowserText(L"C:\\nowhere\\browser.exe %1"), L"C:\\nowhere\\browser.exe %1 ()");
  EXPECT_EQ(BrowserText(L""), L" ()");
}

TEST(FileList, GivesPathVersionAndSizeOrNotFound) {
  test::TempFolder tmp;
  const std::wstring program = tmp.path() + L"Tessera64.dll";
  ASSERT_TRUE(::CopyFileW((GetModuleFolder() + L"versioned.exe").c_str(), program.c_str(), FALSE));
  const std::wstring plain = tmp.file(L"SandboxConfig.txt", std::string(1234, 'x'));
  const std::wstring missing = tmp.path() + L"Typemount.exe";
  const std::wstring programSize = IntToText(FileSizeByName(program));

  EXPECT_EQ(FileListText({}), L"");
  EXPECT_EQ(FileListText({missing}), L"Typemount.exe (not found)");
  EXPECT_EQ(FileListText({program, plain, missing}),
            program + L" 1.2.3.4 (" + programSize + L" bytes)\r\n" +  //
                plain + L"  (1234 bytes)\r\n" +                       // no version: two blanks
                L"Typemount.exe (not found)");
  // A folder is no file.
  EXPECT_EQ(FileListText({tmp.dir(L"Folder.exe")}), L"Folder.exe (not found)");
}

TEST(HardwareLines, FormatMemoryAndAdapters) {
  EXPECT_EQ(PhysicalMemoryText(16 * GB, 6 * GB, 37), SizeToText(16 * GB) + L" (available " + SizeToText(6 * GB) + L" / 37%)");
  EXPECT_EQ(PhysicalMemoryText(-1, -1, 0), L" (available  / 0%)");
  EXPECT_EQ(DisplayAdapterLine(3, L"Wine Display", 1920, 1080, 32, 60), L"Display adapter 3: Wine Display (1920x1080 32-bit 60Hz)");
}

TEST(HardwareLines, ArchitectureFollowsTheProcessorOfWindows) {
  EXPECT_EQ(ArchitectureOfProcessor(PROCESSOR_ARCHITECTURE_AMD64), TArchitecture::arX64);
  for (int other : {PROCESSOR_ARCHITECTURE_INTEL, PROCESSOR_ARCHITECTURE_ARM, PROCESSOR_ARCHITECTURE_IA64, 12,
                    PROCESSOR_ARCHITECTURE_UNKNOWN})
    EXPECT_EQ(ArchitectureOfProcessor(static_cast<WORD>(other)), TArchitecture::arX86) << other;
  EXPECT_EQ(ArchitectureName(TArchitecture::arX86), L"X86");
  EXPECT_EQ(ArchitectureName(TArchitecture::arX64), L"X64");
  EXPECT_EQ(ArchitectureName(TArchitecture::arARM32), L"ARM32");
  EXPECT_EQ(ArchitectureName(TArchitecture::arARM64), L"ARM64");
  EXPECT_EQ(ArchitectureName(static_cast<TArchitecture>(99)), L"Unknown");
  // This machine: 64-bit Windows, for the 64-bit build and for the 32-bit one under WOW64 alike.
  const bool x64 = sizeof(void*) == 8 || IsWow64();
  EXPECT_EQ(GetNativeArchitecture(), x64 ? TArchitecture::arX64 : TArchitecture::arX86);
}

TEST(YesNo, ReadsYesOrNo) {
  EXPECT_EQ(YesNoText(true), L"Yes");
  EXPECT_EQ(YesNoText(false), L"No");
}

}  // namespace
}  // namespace tessera
