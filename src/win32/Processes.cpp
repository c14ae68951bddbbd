#include <windows.h>

#include "Processes.h"

#include <tlhelp32.h>

#include "Handles.h"

namespace lingvora::win32 {
namespace {

struct CloseRequest {
  DWORD process;
  int asked;
};

// The process's own top-level windows: an owned window (a dialog, a tool
// window) closes with its owner.
BOOL CALLBACK askWindow(HWND window, LPARAM lp) {
  auto& request = *reinterpret_cast<CloseRequest*>(lp);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == request.process && !GetWindow(window, GW_OWNER) &&
      PostMessageW(window, WM_CLOSE, 0, 0))
    ++request.asked;
  return TRUE;
}

class Win32Process : public ProcessHandle {
 public:
  Win32Process(HANDLE process, DWORD id) : process_(process), id_(id) {}

  std::optional<Text> imagePath() override {
    // No length limit: the buffer grows until the path fits.
    for (DWORD capacity = MAX_PATH; capacity <= 1u << 16; capacity *= 2) {
      std::u16string path(capacity, u'\0');
      DWORD size = capacity;
      if (QueryFullProcessImageNameW(process_.get(), 0, reinterpret_cast<wchar_t*>(path.data()),
                                     &size)) {
        path.resize(size);
        return path;
      }
      if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
    }
    return std::nullopt;
  }

  std::optional<std::uint64_t> startTime() override {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process_.get(), &created, &exited, &kernel, &user)) return std::nullopt;
    return std::uint64_t(created.dwHighDateTime) << 32 | created.dwLowDateTime;
  }

  bool askToClose() override {
    CloseRequest request{id_, 0};
    EnumWindows(askWindow, LPARAM(&request));
    return request.asked > 0;
  }

  bool end() override { return TerminateProcess(process_.get(), 0) != 0; }

  bool waitForEnd(int milliseconds) override {
    return WaitForSingleObject(process_.get(), DWORD(milliseconds)) == WAIT_OBJECT_0;
  }

 private:
  UniqueHandle process_;
  DWORD id_;
};

}  // namespace

std::optional<std::vector<ProcessEntry>> Win32Processes::snapshot() {
  // Processes only: no heaps, modules or threads.
  UniqueFile snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snap) return std::nullopt;
  std::vector<ProcessEntry> entries;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  if (!Process32FirstW(snap.get(), &entry))
    return GetLastError() == ERROR_NO_MORE_FILES ? std::optional(entries) : std::nullopt;
  do {
    entries.push_back(
        {entry.th32ProcessID, Text(reinterpret_cast<const char16_t*>(entry.szExeFile))});
    entry.dwSize = sizeof entry;
  } while (Process32NextW(snap.get(), &entry));
  return entries;
}

std::unique_ptr<ProcessHandle> Win32Processes::open(std::uint32_t id, ProcessAccess access) {
  // The limited query right is granted for processes of other users too,
  // where the full one is not.
  DWORD rights = PROCESS_QUERY_LIMITED_INFORMATION;
  if (access == ProcessAccess::End) rights |= PROCESS_TERMINATE | SYNCHRONIZE;
  HANDLE process = OpenProcess(rights, FALSE, id);
  if (!process) return nullptr;
  return std::make_unique<Win32Process>(process, id);
}

}  // namespace lingvora::win32
