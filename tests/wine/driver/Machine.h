#pragma once
// Settings of the test prefix that a test needs for the programs it starts,
// each undone at the end of its scope: screen density, theme, a player
// installation with its registry entries.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "driver/Driver.h"

namespace driver {

// Sets the prefix's screen density for the programs started while it lives.
class Density {
 public:
  explicit Density(DWORD dpi) { set(dpi); }
  ~Density() { set(96); }

 private:
  static void set(DWORD dpi) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
      RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                     sizeof dpi);
      RegCloseKey(key);
    }
  }
};

// A value under HKLM in the 32-bit view, removed again at the end of the scope.
class MachineValue {
 public:
  MachineValue(const std::wstring& key, const std::wstring& name, const std::wstring& value)
      : key_(key), name_(name) {
    HKEY k;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &k, nullptr) == ERROR_SUCCESS) {
      RegSetValueExW(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     DWORD((value.size() + 1) * sizeof(wchar_t)));
      RegCloseKey(k);
    }
  }
  ~MachineValue() { remove(key_, name_); }
  static void remove(const std::wstring& key, const std::wstring& name) {
    HKEY k;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_32KEY, &k) ==
        ERROR_SUCCESS) {
      RegDeleteValueW(k, name.c_str());
      RegCloseKey(k);
    }
  }

 private:
  std::wstring key_, name_;
};

inline const std::wstring kUninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// Winamp 5.9.2 installed, with its uninstall entry, and the example pack
// recorded as installed into it.
struct InstalledPlayer {
  std::wstring dir = windowsPath(env("LINGVORA_TEST_DIR")) + L"\\player";
  // A player that an earlier test started may still be ending: its file is
  // busy for that long.
  bool copied = (CreateDirectoryW(dir.c_str(), nullptr), copyWithin(5000));
  bool copyWithin(DWORD ms) const {
    const std::wstring from = windowsPath(env("LINGVORA_PLAYERS")) + L"\\winamp-5.9.2\\winamp.exe";
    for (DWORD waited = 0;; waited += 100) {
      if (CopyFileW(from.c_str(), (dir + L"\\winamp.exe").c_str(), FALSE)) return true;
      if (waited >= ms) return false;
      Sleep(100);
    }
  }
  MachineValue player{kUninstall + L"Winamp", L"UninstallString",
                      L"\"" + dir + L"\\UninstWA.exe\""};
  MachineValue pack{kUninstall + L"Lingvora Winamp Language Pack", L"InstallLocation", dir};
};

// The programs that open the given schemes (http, mailto…), replaced by a
// command for the scope of a test and restored afterwards.
class SchemeHandlers {
 public:
  SchemeHandlers(const std::vector<std::wstring>& schemes, const std::wstring& command) {
    for (const std::wstring& scheme : schemes) {
      const std::wstring key = scheme + L"\\shell\\open\\command";
      HKEY k;
      if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &k, nullptr) != ERROR_SUCCESS)
        continue;
      wchar_t old[1024] = {};
      DWORD size = sizeof old;
      RegQueryValueExW(k, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size);
      saved_.push_back({key, old});
      set(k, command);
      RegCloseKey(k);
    }
  }
  ~SchemeHandlers() {
    for (const auto& [key, value] : saved_) {
      HKEY k;
      if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_SET_VALUE, &k) == ERROR_SUCCESS) {
        set(k, value);
        RegCloseKey(k);
      }
    }
  }
  SchemeHandlers(const SchemeHandlers&) = delete;
  SchemeHandlers& operator=(const SchemeHandlers&) = delete;

 private:
  static void set(HKEY k, const std::wstring& value) {
    RegSetValueExW(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   DWORD((value.size() + 1) * sizeof(wchar_t)));
  }
  std::vector<std::pair<std::wstring, std::wstring>> saved_;
};

// Applications asked to be dark (AppsUseLightTheme 0) while it lives.
class DarkTheme {
 public:
  DarkTheme() { set(0); }
  ~DarkTheme() { set(1); }

 private:
  static void set(DWORD light) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", 0,
                        nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
      RegSetValueExW(key, L"AppsUseLightTheme", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&light),
                     sizeof light);
      RegCloseKey(key);
    }
  }
};

}  // namespace driver
