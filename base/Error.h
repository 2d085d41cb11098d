// The one exception type of the product: it carries the complete message shown to the user.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace tessera {

class TesseraError : public std::exception {
public:
  explicit TesseraError(std::wstring _message, HRESULT _hr = E_FAIL) : FMessage(std::move(_message)), FHResult(_hr) {}
  const std::wstring& message() const noexcept { return FMessage; }
  HRESULT hresult() const noexcept { return FHResult; }
  const char* what() const noexcept override { return "TesseraError"; }

private:
  std::wstring FMessage;
  HRESULT FHResult;
};

}  // namespace tessera
