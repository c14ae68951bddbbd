#pragma once
// The processes port on the real API: a Toolhelp snapshot of the running
// processes, and processes opened by identifier.
#include "platform/Platform.h"

namespace lingvora::win32 {

struct Win32Processes : Processes {
  std::optional<std::vector<ProcessEntry>> snapshot() override;
  std::unique_ptr<ProcessHandle> open(std::uint32_t id, ProcessAccess access) override;
};

}  // namespace lingvora::win32
