// The storage that options read themselves from and write themselves to (INI implementation: IniStorage.h).
#pragma once

#include <string>

namespace tessera {

// Held through std::shared_ptr: it lives as long as somebody refers to it.
class IOptionStorage {
public:
  virtual ~IOptionStorage() = default;

  virtual void Clear() = 0;
  virtual void DeleteKey(const std::wstring& _section, const std::wstring& _key) = 0;
  virtual bool ReadBool(const std::wstring& _section, const std::wstring& _key, bool _default) const = 0;
  virtual int ReadInteger(const std::wstring& _section, const std::wstring& _key, int _default) const = 0;
  virtual std::wstring ReadString(const std::wstring& _section, const std::wstring& _key,
                                  const std::wstring& _default) const = 0;
  virtual void WriteBool(const std::wstring& _section, const std::wstring& _key, bool _value) = 0;
  virtual void WriteInteger(const std::wstring& _section, const std::wstring& _key, int _value) = 0;
  virtual void WriteString(const std::wstring& _section, const std::wstring& _key, const std::wstring& _value) = 0;
  // Makes the written state durable.
  virtual void UpdateFile() = 0;
};

}  // namespace tessera
