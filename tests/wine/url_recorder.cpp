// Stands in for the browser: appends the address it was asked to open to
// the file named by LINGVORA_URL_LOG.
#include <windows.h>

#include <cstdio>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
  wchar_t path[MAX_PATH];
  if (!GetEnvironmentVariableW(L"LINGVORA_URL_LOG", path, MAX_PATH)) return 1;
  if (FILE* f = _wfopen(path, L"ab")) {
    std::fprintf(f, "%ls\n", commandLine);
    std::fclose(f);
  }
  return 0;
}
