// Small text helpers of the package tests: UTF-8 for messages and zip names, lists sorted the way the
// file system compares names.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "base/StringUtils.h"
#include "base/TextEncoding.h"

namespace tessera::test {

inline std::string Utf8(const std::wstring& text) { return EncodeCodePage(CP_UTF8, text); }

inline std::vector<std::wstring> SortedIgnoringAsciiCase(std::vector<std::wstring> names) {
  std::sort(names.begin(), names.end(),
            [](const std::wstring& a, const std::wstring& b) { return LowerAscii(a) < LowerAscii(b); });
  return names;
}

}  // namespace tessera::test
