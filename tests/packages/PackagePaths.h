// Where the build leaves the install folder and the packages, seen from the test program's folder
// (build/win64/tests): build/dist, build/packages, and the newer package the upgrade tests build.
#pragma once

#include <string>
#include <vector>

namespace tessera::test {

std::wstring DistFolder();       // build\dist\ (with a trailing backslash)
std::wstring PackagesFolder();   // build\packages\ .
std::wstring SourceFile(const std::wstring& relative);  // a file of the source tree, e.g. L"res\\Tessera.ico"

// build\packages\Tessera-<version>-<arch>.msi and build\packages\Tessera-<version>-portable.zip.
std::wstring PackagePath(const std::wstring& arch);
std::wstring PortableZipPath();
// The same x64 package with a higher version, built by the test step from the same files.
std::wstring UpgradePackagePath();
std::wstring UpgradeVersion();

// The names of the files of build\dist, sorted ignoring ASCII case.
std::vector<std::wstring> DistFileNames();

// The whole content of a file; empty when it cannot be read.
std::string FileBytes(const std::wstring& path);

}  // namespace tessera::test
