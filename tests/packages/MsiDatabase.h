// Reading an MSI package through the system's installer library: table rows, properties, summary fields.
#pragma once

#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <optional>
#include <string>
#include <vector>

#include "base/Handles.h"

namespace tessera::test {

struct MsiHandleTraits {
  using type = MSIHANDLE;
  static type invalid() noexcept { return 0; }
  static void close(type h) noexcept { ::MsiCloseHandle(h); }
};
using UniqueMsiHandle = UniqueHandle<MsiHandleTraits>;

// One fetched row: each column as text (integers in decimal), nullopt for a null field.
using TMsiRow = std::vector<std::optional<std::wstring>>;

// The long name of a FileName column ("short|long", or one name).
inline std::wstring MsiLongFileName(const std::wstring& fileNameColumn) {
  auto bar = fileNameColumn.find(L'|');
  return bar == std::wstring::npos ? fileNameColumn : fileNameColumn.substr(bar + 1);
}

class TMsiDatabase {
public:
  explicit TMsiDatabase(const std::wstring& path);  // read-only; throws std::runtime_error when it cannot open
  ~TMsiDatabase();
  TMsiDatabase(const TMsiDatabase&) = delete;
  TMsiDatabase& operator=(const TMsiDatabase&) = delete;

  // The rows of a query (throws when the query fails).
  std::vector<TMsiRow> Query(const std::wstring& sql) const;
  // A value of the Property table; empty when there is none.
  std::wstring Property(const std::wstring& name) const;
  // A text or number field of the summary information (PID_TEMPLATE, PID_WORDCOUNT...), as text.
  std::wstring SummaryField(UINT pid) const;

private:
  MSIHANDLE FHandle = 0;
};

}  // namespace tessera::test
