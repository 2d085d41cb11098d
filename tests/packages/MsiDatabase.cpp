#include "packages/MsiDatabase.h"

#include <stdexcept>

#include "base/Handles.h"
#include "packages/TextHelpers.h"

namespace tessera::test {
namespace {

std::wstring RecordString(MSIHANDLE record, UINT field) {
  DWORD size = 0;
  wchar_t empty[1] = {};
  ::MsiRecordGetStringW(record, field, empty, &size);
  std::wstring text(size + 1, L'\0');
  size = static_cast<DWORD>(text.size());
  if (::MsiRecordGetStringW(record, field, text.data(), &size) != ERROR_SUCCESS) return L"";
  text.resize(size);
  return text;
}

}  // namespace

TMsiDatabase::TMsiDatabase(const std::wstring& path) {
  UINT rc = ::MsiOpenDatabaseW(path.c_str(), MSIDBOPEN_READONLY, &FHandle);
  if (rc != ERROR_SUCCESS)
    throw std::runtime_error("cannot open " + Utf8(path) + " (error " + std::to_string(rc) + ")");
}

TMsiDatabase::~TMsiDatabase() {
  if (FHandle) ::MsiCloseHandle(FHandle);
}

std::vector<TMsiRow> TMsiDatabase::Query(const std::wstring& sql) const {
  UniqueMsiHandle view;
  if (::MsiDatabaseOpenViewW(FHandle, sql.c_str(), view.put()) != ERROR_SUCCESS ||
      ::MsiViewExecute(view.get(), 0) != ERROR_SUCCESS)
    throw std::runtime_error("query failed: " + Utf8(sql));
  std::vector<TMsiRow> rows;
  for (;;) {
    UniqueMsiHandle record;
    if (::MsiViewFetch(view.get(), record.put()) != ERROR_SUCCESS) break;
    TMsiRow row;
    UINT fields = ::MsiRecordGetFieldCount(record.get());
    for (UINT i = 1; i <= fields; ++i) {
      if (::MsiRecordIsNull(record.get(), i))
        row.push_back(std::nullopt);
      else
        row.push_back(RecordString(record.get(), i));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::wstring TMsiDatabase::Property(const std::wstring& name) const {
  auto rows = Query(L"SELECT `Value` FROM `Property` WHERE `Property` = '" + name + L"'");
  if (rows.empty() || rows[0].empty() || !rows[0][0]) return L"";
  return *rows[0][0];
}

std::wstring TMsiDatabase::SummaryField(UINT pid) const {
  UniqueMsiHandle info;
  if (::MsiGetSummaryInformationW(FHandle, nullptr, 0, info.put()) != ERROR_SUCCESS) return L"";
  UINT type = 0;
  INT number = 0;
  FILETIME time{};
  wchar_t text[1024] = {};
  DWORD size = 1024;
  if (::MsiSummaryInfoGetPropertyW(info.get(), pid, &type, &number, &time, text, &size) != ERROR_SUCCESS) return L"";
  if (type == VT_I2 || type == VT_I4) return std::to_wstring(number);
  return text;
}

}  // namespace tessera::test
