// An environment variable of this process changed for one test.
#pragma once

#include <optional>
#include <string>

namespace tessera::test {

// Sets (or, with no value, removes) an environment variable of this process for the life of the object.
class ScopedEnvironment {
public:
  ScopedEnvironment(std::wstring name, const std::optional<std::wstring>& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
  std::wstring FName;
  std::optional<std::wstring> FSaved;
};

}  // namespace tessera::test
