#include "Parent.h"

#include <tlhelp32.h>

namespace lingvora::win32 {
namespace {

DWORD parentId() {
  UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  const DWORD self = GetCurrentProcessId();
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry))
    if (entry.th32ProcessID == self) return entry.th32ParentProcessID;
  return 0;
}

ULONGLONG creationTime(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (ULONGLONG(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

}  // namespace

UniqueHandle openParentProcess() {
  const DWORD id = parentId();
  if (id == 0) return {};
  UniqueHandle parent(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  if (!parent) return {};
  const ULONGLONG parentStart = creationTime(parent.get());
  const ULONGLONG ownStart = creationTime(GetCurrentProcess());
  if (parentStart == 0 || ownStart == 0 || parentStart > ownStart) return {};
  return parent;
}

}  // namespace lingvora::win32
