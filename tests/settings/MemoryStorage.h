// An IOptionStorage kept in a map, for tests of the options and the store without files. It records deletions
// and can be told to fail on chosen keys.
#pragma once

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/StringUtils.h"
#include "settings/InheritingOption.h"
#include "settings/OptionStorage.h"

namespace tessera::test {

class MemoryStorage : public IOptionStorage {
public:
  std::map<std::wstring, std::wstring> values;  // "section\nkey" -> value
  std::vector<std::wstring> deleted;            // "section\nkey", in call order
  std::set<std::wstring> failingKeys;           // reads and writes of these keys throw
  bool failDelete = false;
  int updates = 0;

  static std::wstring Slot(const std::wstring& section, const std::wstring& key) { return section + L"\n" + key; }
  bool Has(const std::wstring& section, const std::wstring& key) const { return values.count(Slot(section, key)) > 0; }
  std::wstring Get(const std::wstring& section, const std::wstring& key) const {
    auto it = values.find(Slot(section, key));
    return it == values.end() ? L"<missing>" : it->second;
  }
  void Set(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    values[Slot(section, key)] = value;
  }

  void Clear() override { values.clear(); }
  void DeleteKey(const std::wstring& section, const std::wstring& key) override {
    if (failDelete) throw std::runtime_error("delete failed");
    deleted.push_back(Slot(section, key));
    values.erase(Slot(section, key));
  }
  bool ReadBool(const std::wstring& section, const std::wstring& key, bool def) const override {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
  }
  int ReadInteger(const std::wstring& section, const std::wstring& key, int def) const override {
    std::wstring text = ReadString(section, key, L"");
    int value;
    return TryParseInt32(text, value) ? value : def;
  }
  std::wstring ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& def) const override {
    Check(key);
    auto it = values.find(Slot(section, key));
    return it == values.end() ? def : it->second;
  }
  void WriteBool(const std::wstring& section, const std::wstring& key, bool value) override {
    WriteString(section, key, value ? L"1" : L"0");
  }
  void WriteInteger(const std::wstring& section, const std::wstring& key, int value) override {
    WriteString(section, key, std::to_wstring(value));
  }
  void WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) override {
    Check(key);
    values[Slot(section, key)] = value;
  }
  void UpdateFile() override { ++updates; }

private:
  void Check(const std::wstring& key) const {
    if (failingKeys.count(key)) throw std::runtime_error("storage failure");
  }
};

// Counts change notifications of one option.
struct ModifiedCounter {
  int count = 0;
  template <typename Option>
  void Attach(Option& option) {
    option.SetOnValueModified([this](TCustomInheritingOption*) { ++count; });
  }
};

}  // namespace tessera::test
