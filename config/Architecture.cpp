#include "config/Architecture.h"

namespace tessera {

TArchitecture ArchitectureOfProcessor(WORD processorArchitecture) noexcept {
  return processorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ? TArchitecture::arX64 : TArchitecture::arX86;
}

TArchitecture GetNativeArchitecture() noexcept {
  SYSTEM_INFO info{};
  ::GetNativeSystemInfo(&info);
  return ArchitectureOfProcessor(info.wProcessorArchitecture);
}

}  // namespace tessera
