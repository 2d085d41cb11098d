// The processor architecture of Windows, as the settings program decides it: the shell-extension build it
// registers and the report's hardware line both follow it.
#pragma once

#include <windows.h>

namespace tessera {

enum class TArchitecture { arX86, arX64, arARM32, arARM64 };

// x64 for PROCESSOR_ARCHITECTURE_AMD64 (9), x86 for every other value.
TArchitecture ArchitectureOfProcessor(WORD processorArchitecture) noexcept;
// Of Windows itself (GetNativeSystemInfo), so that a 32-bit program under WOW64 sees x64.
TArchitecture GetNativeArchitecture() noexcept;

}  // namespace tessera
