// "Map to Windows Sandbox": the .wsb file's exact bytes, and its opening through the .wsb association.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "commands/Sandbox.h"
#include "shellutils/FileUtils.h"
#include "shellutils/SystemUtils.h"
#include "shellutils/TextFile.h"
#include "support/StandIns.h"
#include "support/TempFolder.h"

#include <msxml2.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace tessera {
namespace {

using test::RecordSession;
using test::TempFolder;
using test::TRecord;

const std::string kBom = "\xEF\xBB\xBF";

std::string Line(const std::wstring& folder, bool readOnly) {
  return "  <MappedFolder>    <HostFolder>" + WideToUtf8(folder) + "</HostFolder>    <ReadOnly>" +
         (readOnly ? "True" : "False") + "</ReadOnly>  </MappedFolder>";
}

// MSXML 3's document class (MinGW's import libraries do not define it).
const CLSID kDomDocument30 = {0xf5078f32, 0xc551, 0x11d3, {0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21}};

// True when the text is a well-formed XML document (the system's XML parser).
bool IsWellFormedXml(const std::wstring& text) {
  ComPtr<IXMLDOMDocument> document;
  if (FAILED(::CoCreateInstance(kDomDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                document.put_void())))
    return false;
  BSTR xml = ::SysAllocString(text.c_str());
  VARIANT_BOOL ok = VARIANT_FALSE;
  HRESULT hr = document->loadXML(xml, &ok);
  ::SysFreeString(xml);
  return SUCCEEDED(hr) && ok == VARIANT_TRUE;
}

class SandboxTest : public ::testing::Test {
protected:
  void TearDown() override {
    for (const auto& mask : {L"ves*.tmp", L"ves*.wsb"})
      for (const auto& file : test::TempFilesMatching(mask))
        if (!FBefore.count(file)) ::DeleteFileW(file.c_str());
  }
  std::set<std::wstring> NewTempFiles() const {
    std::set<std::wstring> made;
    for (const auto& mask : {L"ves*.tmp", L"ves*.wsb"})
      for (const auto& file : test::TempFilesMatching(mask))
        if (!FBefore.count(file)) made.insert(file);
    return made;
  }
  std::wstring Template(const std::string& bytes) {
    return temp.file(L"template " + std::to_wstring(++FTemplates) + L".txt", bytes);
  }

  // Runs the command and returns the path of the .wsb file the association was opened with.
  std::wstring Run(const std::vector<std::wstring>& items, const TInvokeSandboxParams& params, bool invert) {
    RecordSession session(temp.path() + L"record" + std::to_wstring(++FRuns) + L".txt");
    try {
      InvokeSandbox(items, params, invert, nullptr);
    } catch (const TesseraError& e) {
      ADD_FAILURE() << WideToUtf8(e.message());
      return {};
    }
    TRecord record;
    EXPECT_TRUE(session.wait(record)) << "the .wsb file was not opened";
    // "<recorder>" "<file>"
    return test::QuotedPart(record.CommandLine, test::RecorderExe().size() + 2);
  }
  // True when nothing was opened within a while.
  bool NothingOpened(const std::vector<std::wstring>& items, const TInvokeSandboxParams& params,
                     std::wstring* error = nullptr) {
    RecordSession session(temp.path() + L"record" + std::to_wstring(++FRuns) + L".txt");
    try {
      InvokeSandbox(items, params, false, nullptr);
    } catch (const TesseraError& e) {
      if (!error) throw;
      *error = e.message();
    }
    TRecord record;
    return !session.wait(record, 500);
  }

  std::set<std::wstring> FBefore = [] {
    std::set<std::wstring> all = test::TempFilesMatching(L"ves*.tmp");
    all.merge(test::TempFilesMatching(L"ves*.wsb"));
    return all;
  }();
  TempFolder temp;
  test::FileAssociation association{L".wsb", L"\"" + test::RecorderExe() + L"\" \"%1\""};
  int FRuns = 0;
  int FTemplates = 0;
};

TEST_F(SandboxTest, WritesEachFolderIntoTheTemplateReadOnlyAsAskedAndOpensIt) {
  const std::wstring work = temp.dir(L"Work");
  const std::wstring data = temp.dir(L"Data");
  const std::string head = "<Configuration>\r\n  <MappedFolders>\r\n";
  const std::string tail = "\r\n  </MappedFolders>\r\n</Configuration>\r\n";
  const std::wstring templateFile = Template(head + "%mappedfolder%" + tail);
  struct Case {
    bool setting;
    bool ctrl;
    bool readOnly;
  } cases[] = {{true, false, true}, {true, true, false}, {false, false, false}, {false, true, true}};
  for (const auto& c : cases) {
    const std::wstring wsb = Run({work, data}, {templateFile, c.setting}, c.ctrl);
    EXPECT_EQ(TempFolder::ReadBytes(wsb),
              kBom + head + Line(work, c.readOnly) + "\r\n" + Line(data, c.readOnly) + tail)
        << "setting " << c.setting << ", Ctrl " << c.ctrl;
  }
}

TEST_F(SandboxTest, LeavesTheConfigurationAndItsEmptyTemporaryFileForWindowsSandbox) {
  const std::wstring wsb = Run({temp.dir(L"a")}, {Template("<M>%mappedfolder%</M>"), true}, false);
  EXPECT_EQ(ExtractFilePath(wsb), GetTempFolder());
  EXPECT_EQ(ExtractFileExt(wsb), L".wsb");
  const std::wstring tmp = wsb.substr(0, wsb.size() - 4) + L".tmp";
  EXPECT_EQ(FileSizeByName(tmp), 0) << "the name's reservation stays";
  EXPECT_EQ(NewTempFiles(), (std::set<std::wstring>{tmp, wsb}));
}

TEST_F(SandboxTest, MapsOnlyFoldersThatExist) {
  const std::wstring folder = temp.dir(L"folder");
  const std::wstring templateFile = Template("[%mappedfolder%]");
  const std::wstring wsb = Run({temp.file(L"a.txt"), folder, temp.file(L"b.txt")}, {templateFile, true}, false);
  EXPECT_EQ(TempFolder::ReadBytes(wsb), kBom + "[" + Line(folder, true) + "]");

  // Nothing to map: nothing is read, written or opened.
  const std::wstring gone = temp.dir(L"gone");
  ::RemoveDirectoryW(gone.c_str());
  const size_t made = NewTempFiles().size();
  EXPECT_TRUE(NothingOpened({gone, temp.file(L"c.txt")}, {L"no such template.txt", true}));
  EXPECT_TRUE(NothingOpened({}, {templateFile, true}));
  EXPECT_EQ(NewTempFiles().size(), made);
}

TEST_F(SandboxTest, ReplacesOnlyTheFirstOccurrenceOfTheVariable) {
  const std::wstring folder = temp.dir(L"f");
  struct Case {
    std::string text;
    std::string expected;
  } cases[] = {
      {"%mappedfolder%|%mappedfolder%", Line(folder, true) + "|%mappedfolder%"},
      // The check wants small letters; the replacement takes the first occurrence in any case.
      {"%MappedFolder%|%mappedfolder%", Line(folder, true) + "|%mappedfolder%"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TempFolder::ReadBytes(Run({folder}, {Template(c.text), true}, false)), kBom + c.expected);
}

TEST_F(SandboxTest, ATemplateWithoutTheVariableIsRejected) {
  const std::wstring folder = temp.dir(L"f");
  for (const char* text : {"<MappedFolders>%MappedFolder%</MappedFolders>", "<MappedFolders></MappedFolders>", ""}) {
    std::wstring error;
    EXPECT_TRUE(NothingOpened({folder}, {Template(text), true}, &error));
    EXPECT_EQ(error, L"Windows Sandbox configuration template file must contain variable %mappedfolder%.");
  }
  EXPECT_TRUE(NewTempFiles().empty());
}

TEST_F(SandboxTest, ATemplateThatCannotBeReadIsReported) {
  const std::wstring folder = temp.dir(L"f");
  const std::wstring missing = temp.path() + L"missing template.txt";
  std::wstring error;
  EXPECT_TRUE(NothingOpened({folder}, {L"  " + missing + L" ", true}, &error));  // surrounding blanks trimmed
  EXPECT_EQ(error, L"Failed to read Windows Sandbox config file template from file \"" + missing + L"\". " +
                       ErrorText(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(NewTempFiles().empty());
}

TEST_F(SandboxTest, ATemplateNameWithoutFolderIsTakenFromBesideTheModule) {
  const std::wstring folder = temp.dir(L"f");
  const std::wstring name = L"TesseraTestTemplate-" + std::to_wstring(::GetCurrentProcessId()) + L".txt";
  const std::wstring besideModule = GetModuleFolder() + name;
  {
    ScopeExit removeTemplate([&] { ::DeleteFileW(besideModule.c_str()); });
    std::ofstream(besideModule.c_str(), std::ios::binary) << "module:%mappedfolder%";
    temp.file(name, "current directory:%mappedfolder%");
    wchar_t saved[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, saved);
    ScopeExit restoreDirectory([&] { ::SetCurrentDirectoryW(saved); });
    ASSERT_TRUE(::SetCurrentDirectoryW(temp.path().c_str()));
    EXPECT_EQ(TempFolder::ReadBytes(Run({folder}, {name, true}, false)), kBom + "module:" + Line(folder, true));
  }
  std::wstring error;
  EXPECT_TRUE(NothingOpened({folder}, {name, true}, &error));  // gone from beside the module
  const std::wstring expected =
      L"Failed to read Windows Sandbox config file template from file \"" + besideModule + L"\". ";
  EXPECT_EQ(error.rfind(expected, 0), 0u) << WideToUtf8(error);
}

TEST_F(SandboxTest, TheShippedTemplateGivesAWellFormedConfiguration) {
  // The template as the build ships it, put where the extension looks for it by default.
  const std::wstring shipped = GetModuleFolder() + L"..\\dist\\SandboxConfig.txt";
  const std::wstring besideModule = GetModuleFolder() + L"SandboxConfig.txt";
  ASSERT_TRUE(::CopyFileW(shipped.c_str(), besideModule.c_str(), FALSE)) << "not shipped";
  ScopeExit removeTemplate([&] { ::DeleteFileW(besideModule.c_str()); });
  const std::wstring folder = temp.dir(L"R&D");  // "&" is escaped, or the document breaks
  const std::wstring wsb = Run({folder, temp.dir(L"Ünïcødé 100%")}, {L"", true}, false);

  std::wstring config;
  ASSERT_TRUE(ReadTextFile(wsb, config)) << WideToUtf8(wsb) << ": error " << ::GetLastError();
  EXPECT_TRUE(IsWellFormedXml(config)) << WideToUtf8(config);
  EXPECT_NE(config.find(L"<MappedFolders>\r\n  <MappedFolder>    <HostFolder>" + ExtractFilePath(folder) +
                        L"R&amp;D</HostFolder>    <ReadOnly>True</ReadOnly>  </MappedFolder>\r\n"),
            std::wstring::npos)
      << WideToUtf8(config);
}

TEST_F(SandboxTest, FolderPathsAreKeptWholeAndEscapedForXml) {
  const std::wstring templateFile = Template("%mappedfolder%");
  const std::wstring deep =
      temp.dir(std::wstring(100, L'a') + L"\\" + std::wstring(100, L'b') + L"\\R&D 100% 'q' Ünïcødé 日本");
  ASSERT_GT(deep.size(), 260u);
  std::wstring escaped = deep;
  escaped.replace(escaped.find(L"R&D"), 3, L"R&amp;D");
  EXPECT_EQ(TempFolder::ReadBytes(Run({deep}, {templateFile, false}, false)), kBom + Line(escaped, false));
}

TEST_F(SandboxTest, AConfigurationThatCannotBeSavedIsReported) {
  const std::wstring folder = temp.dir(L"f");
  const std::wstring templateFile = Template("%mappedfolder%");
  const std::wstring missing = temp.path() + L"no temp\\";
  test::ScopedEnvironment tmp(L"TMP", missing), tempVar(L"TEMP", missing);
  ASSERT_EQ(GetTempFolder(), missing);
  std::wstring error;
  EXPECT_TRUE(NothingOpened({folder}, {templateFile, true}, &error));
  EXPECT_EQ(error, L"Failed to save temporary Windows Sandbox configuration to file " + missing + L".");
}

class SandboxWithoutAssociationTest : public ::testing::Test {
protected:
  TempFolder temp;
};

TEST_F(SandboxWithoutAssociationTest, AnUnopenableConfigurationIsReportedAndRemoved) {
  ASSERT_FALSE(test::HasFileAssociation(L".wsb"));
  std::set<std::wstring> before = test::TempFilesMatching(L"ves*.*");
  const std::wstring templateFile = temp.file(L"t.txt", "%mappedfolder%");
  try {
    InvokeSandbox({temp.dir(L"f")}, {templateFile, true}, false, nullptr);
    FAIL() << "no error";
  } catch (const TesseraError& e) {
    // "Failed to launch "<wsb> "\r\n\r\n<reason>": the file, a blank and no parameters.
    const std::wstring& m = e.message();
    const std::wstring start = L"Failed to launch \"" + GetTempFolder() + L"ves";
    EXPECT_EQ(m.rfind(start, 0), 0u) << m;
    const size_t close = m.find(L".wsb \"\r\n\r\n");
    EXPECT_NE(close, std::wstring::npos) << m;
    EXPECT_GT(m.size(), close + 10) << "the system's reason follows";
  }
  EXPECT_EQ(test::TempFilesMatching(L"ves*.*"), before) << "no file is left that nothing will read";
}

}  // namespace
}  // namespace tessera
