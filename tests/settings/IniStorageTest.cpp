// The settings file: parsing and writing rules, encodings, the factories, backups and safe replacement.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "base/Error.h"
#include "base/Handles.h"
#include "settings/IniStorage.h"
#include "settings/ProgramOptions.h"
#include "support/TempFolder.h"

namespace tessera {
namespace {

using test::TempFolder;

const std::string kBom = "\xEF\xBB\xBF";

// Joins pieces (written out instead of operator+, which trips a false -Wrestrict warning of GCC 12).
std::string Cat(std::initializer_list<std::string_view> pieces) {
  std::string r;
  for (std::string_view p : pieces) r.append(p);
  return r;
}

std::wstring TextOf(const IOptionStorage& storage) {
  return static_cast<const TOptionsIniStorage&>(storage).GetIniFile().GetText();
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data{};
  UniqueFindHandle find(::FindFirstFileW((folder + L"*").c_str(), &data));
  if (!find) return names;
  do {
    std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(find.get(), &data));
  return names;
}

bool DirectoryExistsForTest(const std::wstring& path) {
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The byte-order mark and the UTF-16 code units in the given byte order.
std::string Utf16Bytes(const std::wstring& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (wchar_t c : text) {
    char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
    bytes += bigEndian ? hi : lo;
    bytes += bigEndian ? lo : hi;
  }
  return bytes;
}

std::wstring AnsiToWide(const std::string& bytes) {
  std::wstring text(bytes.size() * 2, L'\0');
  int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                                static_cast<int>(text.size()));
  text.resize(n);
  return text;
}

TEST(IniParsing, LinesAreReadByTheRules) {
  struct Query {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* expected;
  };
  struct Case {
    const char* name;
    std::string content;
    std::vector<Query> queries;
  } cases[] = {
      {"lines before any section are ignored",
       "orphan=1\r\nalso\r\n[General]\r\nA=1\r\n",
       {{L"General", L"orphan", L"<def>"}, {L"General", L"A", L"1"}}},
      {"blanks around key and value are dropped, inner ones kept",
       "[General]\r\n   Key   =   two words   \r\n\tTab\t=\tx\t\r\n",
       {{L"General", L"Key", L"two words"}, {L"General", L"Tab", L"x"}}},
      {"blanks inside brackets and other case name the same section",
       "[ General ]\r\nA=1\r\n[general]\r\nB=2\r\n",
       {{L"General", L"A", L"1"}, {L"GENERAL", L"B", L"2"}}},
      {"a line without = is a key without value",
       "[General]\r\nBare\r\n",
       {{L"General", L"Bare", L"<def>"}}},
      {"comments, LF and CR line ends, no final line end",
       "; c\n[General]\n;A=1\rA=2\rB=3",
       {{L"General", L"A", L"2"}, {L"General", L"B", L"3"}, {L"General", L";A", L"<def>"}}},
      {"a value may hold =; an empty value is a value",
       "[General]\r\nA=x=y\r\nE=\r\n",
       {{L"General", L"A", L"x=y"}, {L"General", L"E", L""}}},
      {"keys ignore case; the first of two equal keys is read",
       "[General]\r\nCopyPathState=1\r\ncopypathstate=2\r\n",
       {{L"General", L"COPYPATHSTATE", L"1"}}},
      {"missing sections and keys give the default",
       "[General]\r\nA=1\r\n",
       {{L"Other", L"A", L"<def>"}, {L"General", L"B", L"<def>"}}},
      {"an empty section name and a broken header",
       "[]\r\nA=1\r\n[General\r\nB=2\r\n",
       {{L"", L"A", L"1"}, {L"", L"[General", L"<def>"}, {L"", L"B", L"2"}}},
      {"case is folded beyond ASCII for names",
       "[\xC3\x84\xC3\x96\xC3\x9C]\r\nSchl\xC3\xBCssel=1\r\n",
       {{L"\u00E4\u00F6\u00FC", L"SCHL\u00DCSSEL", L"1"}}},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    std::wstring file = folder.file(L"Tessera.ini", kBom + c.content);
    auto storage = OpenIniStorage(file);
    for (const Query& q : c.queries)
      EXPECT_EQ(storage->ReadString(q.section, q.key, L"<def>"), q.expected) << c.name << ": " << q.key;
  }
}

TEST(IniParsing, WritingReproducesTheDocument) {
  TempFolder folder;
  std::wstring file =
      folder.file(L"a.ini", Cat({kBom, "top=x\r\n[ One ]\r\n  Bare  \r\n K = v \r\n\r\n[one]\r\nL=2\r\n[Two]\r\n"}));
  auto storage = OpenIniStorage(file);
  EXPECT_EQ(TextOf(*storage), L"[One]\r\nBare\r\nK=v\r\nL=2\r\n\r\n[Two]\r\n\r\n");
  storage->UpdateFile();
  EXPECT_EQ(TempFolder::ReadBytes(file), Cat({kBom, "[One]\r\nBare\r\nK=v\r\nL=2\r\n\r\n[Two]\r\n\r\n"}));
}

TEST(IniStorageValues, ReadIntegerConversions) {
  struct Case {
    const char* stored;
    int expected;
  } cases[] = {
      {"0x1F", 31},        {"0X1f", 31},          {"12abc", -7},       {"", -7},          {"0x", -7},
      {"-5", -5},          {"+5", 5},             {"2147483647", 2147483647},          {"2147483648", -7},
      {"-2147483648", -2147483647 - 1},           {"0xFFFFFFFF", -1},  {"0x100000000", -7}, {"0x-1", -7},
      {"$1F", -7},         {"1 2", -7},           {"0x0000001F", 31},
  };
  std::string content = Cat({kBom, "[S]\r\n"});
  for (size_t i = 0; i < std::size(cases); ++i) content += Cat({"K", std::to_string(i), "=", cases[i].stored, "\r\n"});
  content += "Bare\r\n";
  TempFolder folder;
  auto storage = OpenIniStorage(folder.file(L"n.ini", content));
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(storage->ReadInteger(L"S", L"K" + std::to_wstring(i), -7), cases[i].expected) << cases[i].stored;
  EXPECT_EQ(storage->ReadInteger(L"S", L"Missing", -7), -7);
  EXPECT_EQ(storage->ReadInteger(L"S", L"Bare", -7), -7);
  EXPECT_TRUE(storage->ReadBool(L"S", L"K0", false));
  EXPECT_FALSE(storage->ReadBool(L"S", L"K2", false));  // does not convert: the default
  EXPECT_TRUE(storage->ReadBool(L"S", L"K2", true));
}

TEST(IniStorageValues, WritesReplaceInPlaceOrAppend) {
  TempFolder folder;
  auto storage = OpenIniStorage(folder.file(L"w.ini", Cat({kBom, "[General]\r\nA=1\r\nBare\r\nB=2\r\n"})));
  storage->WriteString(L"General", L"a", L"3");
  storage->WriteString(L"GENERAL", L"A", L"4");
  storage->WriteInteger(L"General", L"Bare", -12);
  storage->WriteBool(L"General", L"C", true);
  storage->WriteBool(L"New", L"D", false);
  EXPECT_EQ(TextOf(*storage), L"[General]\r\nA=4\r\nBare=-12\r\nB=2\r\nC=1\r\n\r\n[New]\r\nD=0\r\n\r\n");
  storage->DeleteKey(L"general", L"b");
  storage->DeleteKey(L"General", L"Missing");
  storage->DeleteKey(L"Missing", L"A");
  EXPECT_EQ(TextOf(*storage), L"[General]\r\nA=4\r\nBare=-12\r\nC=1\r\n\r\n[New]\r\nD=0\r\n\r\n");
  EXPECT_EQ(storage->ReadString(L"General", L"C", L""), L"1");  // the index still finds later keys
}

TEST(IniStorageValues, DeletingTheFirstOfTwoEqualKeysUncoversTheSecond) {
  TempFolder folder;
  auto storage = OpenIniStorage(folder.file(L"d.ini", Cat({kBom, "[S]\r\nK=1\r\nk=2\r\n"})));
  storage->DeleteKey(L"S", L"K");
  EXPECT_EQ(storage->ReadString(L"S", L"K", L""), L"2");
}

TEST(IniFile, ClearWriteUpdateGivesExactBytes) {
  TempFolder folder;
  std::wstring file = folder.file(L"Tessera.ini", Cat({kBom, "[Other]\r\nX=1\r\n[General]\r\nB=2\r\n"}));
  auto storage = CreateIniStorage(file, teUtf8, false);
  storage->Clear();
  storage->WriteString(L"General", L"A", L"1");
  storage->UpdateFile();
  EXPECT_EQ(TempFolder::ReadBytes(file), "\xEF\xBB\xBF[General]\r\nA=1\r\n\r\n");
  EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::wstring>{L"Tessera.ini"});  // no temporary file left
}

TEST(IniFile, EncodingIsDetectedAndKeptOnWrite) {
  const std::wstring text = L"[General]\r\nA=caf\u00E9 \u20AC\r\n\r\n";
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"UTF-8 with BOM", Cat({kBom, "[General]\r\nA=caf\xC3\xA9 \xE2\x82\xAC\r\n\r\n"})},
      {"UTF-16 LE with BOM", Utf16Bytes(text, false)},
      {"UTF-16 BE with BOM", Utf16Bytes(text, true)},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    std::wstring file = folder.file(L"e.ini", c.bytes);
    auto storage = OpenIniStorage(file);
    EXPECT_EQ(storage->ReadString(L"General", L"A", L""), L"caf\u00E9 \u20AC") << c.name;
    storage->UpdateFile();
    EXPECT_EQ(TempFolder::ReadBytes(file), c.bytes) << c.name;
  }
}

TEST(IniFile, FileWithoutBomIsAnsi) {
  TempFolder folder;
  const std::string bytes = "[General]\r\nA=caf\xE9\r\n\r\n";
  std::wstring file = folder.file(L"ansi.ini", bytes);
  auto storage = OpenIniStorage(file);
  EXPECT_EQ(storage->ReadString(L"General", L"A", L""), AnsiToWide("caf\xE9"));
  storage->UpdateFile();
  EXPECT_EQ(TempFolder::ReadBytes(file), bytes);  // no byte-order mark added
}

TEST(IniFile, GivenEncodingIsUsedAndItsBomSkipped) {
  TempFolder folder;
  // UTF-8 text without a mark, read as UTF-8 because the caller says so; written back with the mark.
  std::wstring plain = folder.file(L"plain.ini", "[General]\r\nA=\xC3\xA9\r\n");
  auto storage = CreateIniStorage(plain, teUtf8, false);
  EXPECT_EQ(storage->ReadString(L"General", L"A", L""), L"\u00E9");
  storage->UpdateFile();
  EXPECT_EQ(TempFolder::ReadBytes(plain), Cat({kBom, "[General]\r\nA=\xC3\xA9\r\n\r\n"}));

  std::wstring marked = folder.file(L"marked.ini", Cat({kBom, "[General]\r\nA=1\r\n"}));
  EXPECT_EQ(CreateIniStorage(marked, teUtf8, false)->ReadString(L"General", L"A", L""), L"1");

  // A mark of another encoding is not skipped: it becomes text of the first line.
  std::wstring other = folder.file(L"other.ini", Cat({kBom, "[General]\r\nA=1\r\n"}));
  auto misread = CreateIniStorage(other, teAnsi, false);
  EXPECT_EQ(misread->ReadString(L"General", L"A", L"none"), L"none");
}

TEST(IniFile, InvalidBytesNeverFailTheRead) {
  TempFolder folder;
  std::wstring file = folder.file(L"bad.ini", Cat({kBom, "[General]\r\nA=\xFF\xFE\xC3(\r\nB=ok\r\n"}));
  auto storage = OpenIniStorage(file);
  EXPECT_EQ(storage->ReadString(L"General", L"B", L""), L"ok");
  std::wstring a = storage->ReadString(L"General", L"A", L"");
  EXPECT_NE(a.find(L'\uFFFD'), std::wstring::npos);
  storage->UpdateFile();
  EXPECT_EQ(OpenIniStorage(file)->ReadString(L"General", L"A", L""), a);

  std::wstring odd = folder.file(L"odd.ini", Cat({Utf16Bytes(L"[S]\nA=x", false), "Z"}));
  EXPECT_EQ(OpenIniStorage(odd)->ReadString(L"S", L"A", L""), L"x");  // the odd last byte is dropped
}

TEST(IniFile, MissingFileAndEmptyNameGiveEmptyDocuments) {
  TempFolder folder;
  auto missing = OpenIniStorage(folder.path() + L"no\\such\\file.ini");
  EXPECT_EQ(missing->ReadString(L"General", L"A", L"d"), L"d");
  EXPECT_EQ(TextOf(*missing), L"");
  auto unnamed = OpenIniStorage(L"");
  EXPECT_EQ(unnamed->ReadString(L"General", L"A", L"d"), L"d");
  EXPECT_THROW(unnamed->UpdateFile(), TesseraError);
  EXPECT_FALSE(DirectoryExistsForTest(folder.path() + L"no"));
}

TEST(IniFactory, EmptyNameIsRefused) {
  try {
    CreateIniStorage(L"", teUtf8, true);
    FAIL() << "no error";
  } catch (const TesseraError& e) {
    EXPECT_EQ(e.message(), L"Cannot create .ini file strorage. File name not specified.");
  }
}

TEST(IniFactory, CreatesMissingFoldersAndNoBackupWithoutFile) {
  TempFolder folder;
  std::wstring file = folder.path() + L"Vesper Software\\Tessera\\Tessera.ini";
  auto storage = CreateIniStorage(file, teUtf8, true);
  EXPECT_TRUE(DirectoryExistsForTest(folder.path() + L"Vesper Software\\Tessera"));
  EXPECT_EQ(FolderEntries(folder.path() + L"Vesper Software\\Tessera\\"), std::vector<std::wstring>{});
  EXPECT_EQ(TextOf(*storage), L"");
  storage->WriteInteger(L"RecentFiles", L"Count", 0);
  storage->UpdateFile();
  EXPECT_EQ(TempFolder::ReadBytes(file), Cat({kBom, "[RecentFiles]\r\nCount=0\r\n\r\n"}));
}

TEST(IniFactory, BackupCopiesTheFileAndReplacesAnOlderOne) {
  TempFolder folder;
  std::wstring file = folder.file(L"s.ini", Cat({kBom, "[General]\r\nA=new\r\n"}));
  std::wstring backup = folder.file(L"s.ini.bak", "older");
  auto without = CreateIniStorage(file, teUtf8, false);
  EXPECT_EQ(TempFolder::ReadBytes(backup), "older");
  auto with = CreateIniStorage(file, teUtf8, true);
  EXPECT_EQ(TempFolder::ReadBytes(backup), Cat({kBom, "[General]\r\nA=new\r\n"}));
  EXPECT_EQ(with->ReadString(L"General", L"A", L""), L"new");
}

TEST(IniFile, DestroyingTheStorageWritesNothing) {
  TempFolder folder;
  std::wstring file = folder.file(L"s.ini", Cat({kBom, "[General]\r\nA=1\r\n"}));
  {
    auto storage = OpenIniStorage(file);
    storage->WriteString(L"General", L"A", L"2");
  }
  EXPECT_EQ(TempFolder::ReadBytes(file), Cat({kBom, "[General]\r\nA=1\r\n"}));
}

TEST(IniFileFailures, FailedReplaceLeavesTheOldFileIntact) {
  TempFolder folder;
  const std::string old = Cat({kBom, "[General]\r\nA=old\r\n"});
  std::wstring file = folder.file(L"Tessera.ini", old);
  auto storage = CreateIniStorage(file, teUtf8, false);
  storage->Clear();
  storage->WriteString(L"General", L"A", L"new");
  {
    // Held open without FILE_SHARE_DELETE: the file cannot be replaced while this handle lives.
    UniqueFileHandle holder(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    try {
      storage->UpdateFile();
      FAIL() << "no error";
    } catch (const TesseraError& e) {
      EXPECT_NE(e.message().find(L"Cannot write the file \"" + file + L"\"."), std::wstring::npos) << e.message();
      EXPECT_GT(e.message().size(), file.size() + 28);  // the system's reason follows
    }
  }
  EXPECT_EQ(TempFolder::ReadBytes(file), old);
  EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::wstring>{L"Tessera.ini"});
  storage->UpdateFile();  // free again: the same document now replaces it
  EXPECT_EQ(TempFolder::ReadBytes(file), Cat({kBom, "[General]\r\nA=new\r\n\r\n"}));
}

TEST(IniFileFailures, FolderGoneOrNameTakenByAFolder) {
  TempFolder folder;
  std::wstring sub = folder.dir(L"sub");
  auto storage = CreateIniStorage(sub + L"\\s.ini", teUtf8, false);
  ASSERT_TRUE(::RemoveDirectoryW(sub.c_str()));
  storage->WriteString(L"General", L"A", L"1");
  EXPECT_THROW(storage->UpdateFile(), TesseraError);

  std::wstring taken = folder.dir(L"taken.ini");
  auto onFolder = OpenIniStorage(taken);  // a folder is no file: empty document
  EXPECT_EQ(TextOf(*onFolder), L"");
  onFolder->WriteString(L"General", L"A", L"1");
  EXPECT_THROW(onFolder->UpdateFile(), TesseraError);
  EXPECT_TRUE(DirectoryExistsForTest(taken));
  EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::wstring>{L"taken.ini"});
}

TEST(IniFileFailures, UnreadableFileRaisesWithItsName) {
  TempFolder folder;
  std::wstring file = folder.file(L"locked.ini", Cat({kBom, "[General]\r\nA=1\r\n"}));
  UniqueFileHandle holder(::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder);
  try {
    OpenIniStorage(file);
    FAIL() << "no error";
  } catch (const TesseraError& e) {
    EXPECT_EQ(e.message().rfind(L"Cannot read the file \"" + file + L"\". ", 0), 0u) << e.message();
  }
}

TEST(IniFile, HiddenAttributeSurvivesTheReplace) {
  TempFolder folder;
  std::wstring file = folder.file(L"h.ini", Cat({kBom, "[General]\r\nA=1\r\n"}));
  ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
  auto storage = OpenIniStorage(file);
  storage->WriteString(L"General", L"A", L"2");
  storage->UpdateFile();
  EXPECT_TRUE(::GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(TempFolder::ReadBytes(file), Cat({kBom, "[General]\r\nA=2\r\n\r\n"}));
}

class FileProgramOptions : public TProgramOptions {
public:
  explicit FileProgramOptions(std::wstring fileName) : FIniFileName(std::move(fileName)) {
    TOptionStore& store = GetOptionStore();
    store.NewGroup(L"Main", L"Main", 0, 0);
    state = store.CreateIntegerOption(1, L"State", L"", 0);
    text = store.CreateStringOption(L"notepad.exe \"%file%\"", L"Text", L"", 0);
    flag = store.CreateBooleanOption(true, L"Flag", L"", 0);
  }
  void Load() override {
    auto storage = OpenIniStorage(FIniFileName);
    ReadFromStorage(*storage, L"General");
  }
  void Save() override {
    auto storage = CreateIniStorage(FIniFileName, teUtf8, true);
    try {
      storage->Clear();
      WriteToStorage(*storage, L"General");
    } catch (...) {
      storage->UpdateFile();
      throw;
    }
    storage->UpdateFile();
  }
  std::wstring FIniFileName;
  TIntegerOption* state;
  TStringOption* text;
  TBooleanOption* flag;
};

TEST(IniFile, ProgramOptionsSaveAndLoad) {
  TempFolder folder;
  std::wstring file = folder.path() + L"Vesper Software\\Tessera\\Tessera.ini";
  FileProgramOptions options(file);
  options.Save();
  EXPECT_EQ(TempFolder::ReadBytes(file), Cat({kBom, "[RecentFiles]\r\nCount=0\r\n\r\n"}));

  options.state->SetValue(2);
  options.text->SetValue(L"  \u00FCbel.exe  ");
  options.flag->SetValue(false);
  options.Save();
  EXPECT_EQ(TempFolder::ReadBytes(file),
            Cat({kBom, "[General]\r\nState=2\r\nText=\xC3\xBC" "bel.exe\r\nFlag=0\r\n\r\n[RecentFiles]\r\nCount=0\r\n\r\n"}));
  EXPECT_EQ(TempFolder::ReadBytes(file + L".bak"), Cat({kBom, "[RecentFiles]\r\nCount=0\r\n\r\n"}));

  FileProgramOptions loaded(file);
  loaded.Load();
  EXPECT_EQ(loaded.state->GetValue(), 2);
  EXPECT_EQ(loaded.text->GetValue(), L"\u00FCbel.exe");
  EXPECT_FALSE(loaded.flag->GetValue());
}

}  // namespace
}  // namespace tessera
