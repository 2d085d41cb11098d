// The one exception type of the product: it carries the complete message shown to the user.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace tessera {

class TesseraError : public std::exception {
public:
  explicit TesseraError(std::wstring message, HRESULT hr = E_FAIL) : message_(std::move(message)), hr_(hr) {}
  const std::wstring& message() const noexcept { return message_; }
  HRESULT hresult() const noexcept { return hr_; }
  const char* what() const noexcept override { return "TesseraError"; }

private:
  std::wstring message_;
  HRESULT hr_;
};

}  // namespace tessera
