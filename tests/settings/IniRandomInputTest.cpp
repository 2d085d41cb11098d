// Random settings files: the loader must neither crash nor hang, and what it read must write back and read
// again to the same document.
#include <gtest/gtest.h>
#include <windows.h>

#include <random>
#include <string>

#include "settings/IniStorage.h"
#include "settings/OptionStore.h"
#include "support/TempFolder.h"

namespace tessera {
namespace {

class RandomIniText {
public:
  explicit RandomIniText(unsigned seed) : FRng(seed) {}

  std::string Make() {
    std::string text;
    switch (Pick(6)) {
      case 0: text = "\xEF\xBB\xBF"; break;
      case 1: text = "\xFF\xFE"; break;
      case 2: text = "\xFE\xFF"; break;
      default: break;  // no mark: ANSI
    }
    if (Pick(8) == 0) return Cat({text, RandomBytes(Pick(4096))});
    if (Pick(40) == 0) text += Cat({"[General]\r\n", std::string(1 << 20, 'k'), "=v\r\n"});  // a huge line
    int lines = static_cast<int>(Pick(60));
    for (int i = 0; i < lines; ++i) text += Line() + LineEnd();
    if (Pick(4) == 0) text += RandomBytes(Pick(64));  // garbage at the end, no final line end
    return text;
  }

private:
  size_t Pick(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(FRng); }

  std::string RandomBytes(size_t n) {
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(Pick(256));
    return s;
  }

  std::string Word() {
    static const char* words[] = {"General", "RecentFiles", "CopyPathState", "Count", "0", "a b", " ", "=", "[", "]",
                                  ";", "\t", "\xC3\xA9", "\xC3", "\xFF\xFE", "\xE2\x82", "\x80", "@inherit@", "0x1F",
                                  "-2147483648"};
    if (Pick(5) == 0) return RandomBytes(Pick(12));
    return words[Pick(std::size(words))];
  }

  std::string Text(size_t maxWords) {
    std::string s;
    for (size_t n = Pick(maxWords) + 1; n > 0; --n) s += Word();
    return s;
  }

  static std::string Cat(std::initializer_list<std::string_view> pieces) {
    std::string r;
    for (std::string_view p : pieces) r.append(p);
    return r;
  }

  std::string Line() {
    switch (Pick(9)) {
      case 0: return Cat({"[", Text(3), "]"});
      case 1: return Cat({"[", Text(3)});  // missing bracket
      case 2: return Cat({"  [ ", Text(2), " ]  "});
      case 3: return Text(2);  // key without value
      case 4: return Cat({";", Text(3)});
      case 5: return Cat({std::string(Pick(4000), 'x'), "=", Text(2)});  // long lines
      case 6: return "";
      default: return Cat({Text(2), "=", Text(4)});
    }
  }

  std::string LineEnd() {
    static const char* ends[] = {"\r\n", "\n", "\r", "\r\r\n", "\n\r"};
    return ends[Pick(std::size(ends))];
  }

  std::mt19937 FRng;
};

// What a document becomes after being written in its encoding and read again, without touching the disk.
std::wstring RoundTrip(const TIniDocument& document) {
  TTextEncoding used;
  TIniDocument copy(L"", document.GetEncoding());
  copy.SetText(DecodeText(EncodeText(document.GetText(), document.GetEncoding()), std::nullopt, used));
  return copy.GetText();
}

TEST(IniRandomInput, LoadsWritesAndReloadsTheSameDocument) {
  test::TempFolder folder;
  std::wstring input = folder.path() + L"input.ini";
  TOptionStore store;
  store.CreateIntegerOption(1, L"CopyPathState", L"", 0);
  store.CreateStringOption(L"x", L"Count", L"", 0);
  store.CreateBooleanOption(true, L"0", L"", 0);
  store.CreateSetOption(TSetOptionValue(), {}, L"a b", L"", 0);

  RandomIniText generator(20240611);
  ULONGLONG start = ::GetTickCount64();
  const int iterations = 300;
  int withEntries = 0;
  for (int i = 0; i < iterations; ++i) {
    folder.file(L"input.ini", generator.Make());
    std::wstring text;
    TTextEncoding encoding;
    {
      TOptionsIniStorage storage(input, std::nullopt);
      store.ReadFromStorage(storage, L"General");  // every option survives whatever it finds
      store.WriteToStorage(storage, L"General");
      text = storage.GetIniFile().GetText();
      encoding = storage.GetIniFile().GetEncoding();
      for (const auto& section : storage.GetIniFile().GetSections())
        if (section.Entries.size() > 2) {
          ++withEntries;
          break;
        }
      ASSERT_NO_THROW(storage.UpdateFile()) << "iteration " << i;
    }
    TOptionsIniStorage reread(input, std::nullopt);
    // Characters the ANSI code page cannot hold may change once; everything else reads back unchanged.
    if (encoding != teAnsi) {
      EXPECT_EQ(reread.GetIniFile().GetEncoding(), encoding) << "iteration " << i;
      EXPECT_EQ(reread.GetIniFile().GetText(), text) << "iteration " << i;
    }
    EXPECT_EQ(RoundTrip(reread.GetIniFile()), reread.GetIniFile().GetText()) << "iteration " << i;
  }
  EXPECT_GT(withEntries, iterations / 4);  // most runs parse real sections, not only noise
  ULONGLONG elapsed = ::GetTickCount64() - start;
  EXPECT_LT(elapsed, 15000u) << "random files took too long";
  RecordProperty("milliseconds", static_cast<int>(elapsed));
}

}  // namespace
}  // namespace tessera
