// The settings program and the shell-extension DLL as the build made them, and the registration that tells
// the program whether the extension is enabled, for tests that start the real program.
#pragma once

#include <string>

namespace tessera::test {

// The DLL this Windows needs, as built: in this build's install folder, or (for the 32-bit build on 64-bit
// Windows) in the 64-bit one beside it; empty when neither holds it.
std::wstring BuiltShellExtDll();
// This build's TesseraConfig.exe.
std::wstring BuiltConfigProgram();
// The registered server of the extension's class (64-bit view), empty when none.
std::wstring RegisteredServer();
// regsvr32 /s on dll; its exit code.
unsigned long RunRegSvr32Silently(const std::wstring& dll, bool enable);

}  // namespace tessera::test
