// Start-up benchmark: starts each candidate in turn and times it to its
// first visible top-level window that answers a message, alternating the
// candidates over the rounds after one warm-up round; prints min, median
// and max per candidate, and the first candidate's median over each one's.
//
//   startup_bench ROUNDS NAME DIRECTORY COMMAND_LINE [NAME DIRECTORY COMMAND_LINE]...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Candidate {
  std::wstring name, directory, command;
  std::vector<double> times;  // milliseconds
};

struct Find {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK visibleWindowOf(HWND w, LPARAM lp) {
  auto* f = reinterpret_cast<Find*>(lp);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  if (owner == f->pid && IsWindowVisible(w)) {
    f->found = w;
    return FALSE;
  }
  return TRUE;
}

double now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// Milliseconds from the start of the process to a shown window that
// answers; a negative value when none came within ten seconds.
double timeOne(Candidate& c) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring command = c.command;
  const double start = now();
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      c.directory.c_str(), &si, &pi))
    return -1;
  double took = -1;
  while (now() - start < 10000) {
    Find f{pi.dwProcessId, nullptr};
    EnumWindows(visibleWindowOf, LPARAM(&f));
    DWORD_PTR result = 0;
    if (f.found && SendMessageTimeoutW(f.found, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result)) {
      took = now() - start;
      break;
    }
    Sleep(1);
  }
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  Sleep(200);  // let the system settle between candidates
  return took;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 5 || (argc - 2) % 3 != 0) {
    std::fprintf(stderr, "usage: startup_bench ROUNDS NAME DIRECTORY COMMAND_LINE...\n");
    return 2;
  }
  const int rounds = _wtoi(argv[1]);
  std::vector<Candidate> candidates;
  for (int i = 2; i + 2 < argc; i += 3)
    candidates.push_back({argv[i], argv[i + 1], argv[i + 2], {}});
  for (Candidate& c : candidates) timeOne(c);  // warm-up
  for (int r = 0; r < rounds; ++r)
    for (Candidate& c : candidates)
      if (const double t = timeOne(c); t >= 0) c.times.push_back(t);
  const double base = median(candidates.front().times);
  std::printf("%-28s %8s %8s %8s %10s\n", "start to first window (ms)", "min", "median", "max",
              "first/this");
  for (const Candidate& c : candidates) {
    if (c.times.empty()) {
      std::printf("%-28ls  no window\n", c.name.c_str());
      continue;
    }
    const double m = median(c.times);
    std::printf("%-28ls %8.1f %8.1f %8.1f %10.2f\n", c.name.c_str(),
                *std::min_element(c.times.begin(), c.times.end()), m,
                *std::max_element(c.times.begin(), c.times.end()), m > 0 ? base / m : 0);
  }
  return 0;
}
