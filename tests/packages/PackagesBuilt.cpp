// The packages are made by scripts/build from the merged install folder of both builds; a build tree tested on
// its own (cmake --build, ctest) has none, and then every package test is skipped with this reason.
#include <gtest/gtest.h>

#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "packages/PackagePaths.h"

namespace tessera::test {
namespace {

class PackagesBuilt : public ::testing::Environment {
public:
  void SetUp() override {
    if (!FileExists(PackagePath(L"x64")))
      GTEST_SKIP() << "no packages in " << WideToUtf8(PackagesFolder()) << ": scripts/build makes them";
  }
};

const auto* const kPackagesBuilt = ::testing::AddGlobalTestEnvironment(new PackagesBuilt);

}  // namespace
}  // namespace tessera::test
