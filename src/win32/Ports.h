#pragma once
// The ports on the real Win32 API.
#include <windows.h>

#include "appearance/Theme.h"
#include "platform/Platform.h"

namespace lingvora::win32 {

struct Win32Files : FileSystem {
  bool fileExists(const Text& path) override;
  bool directoryExists(const Text& path) override;
  std::optional<DiskSpace> diskSpace(const Text& root) override;
  Text volumeLabel(const Text& root) override;
  std::optional<Bytes> readWhole(const Text& path) override;
  bool replaceWhole(const Text& path, const Bytes& bytes) override;
  std::unique_ptr<FileReader> openForDigest(const Text& path) override;
  Text longPath(const Text& path) override;
};

struct Win32Registry : Registry {
  std::optional<std::uint32_t> readDword(Hive hive, const Text& key, const Text& value) override;
  std::optional<Text> readString(Hive hive, const Text& key, const Text& value) override;
};

struct Win32System : System {
  explicit Win32System(DWORD windowStyle, DWORD windowExStyle);
  OsVersion osVersion() override;
  int screenDensity() override;
  Text executableDirectory() override;
  AnsiCodePage ansiCodePage() override;
  Date today() override;
  std::optional<Bytes> ownResource(const Text& type, const Text& name) override;
  ClientSize clientSize(int windowWidth, int windowHeight) override;
  bool highContrast() override;

 private:
  DWORD style_, exStyle_;
};

struct Win32ImageLibrary : ImageLibrary {
  std::optional<Bytes> resource(const Text& libraryPath, LibraryResource type,
                                const Text& name) override;
};

struct Win32Locale : Locale {
  Text localeText(std::uint16_t languageId, std::uint32_t field) override;
  Text localeName(std::uint16_t languageId) override;
  std::uint16_t userInterfaceLanguage() override;
  Text upperCase(std::uint16_t languageId, const Text& text) override;
  Text lowerCase(std::uint16_t languageId, const Text& text) override;
  Text decimalSeparator() override;
  Text dateTimeNow() override;
};

struct Win32Shell : Shell {
  Text specialFolder(int csidl) override;
  Text environment(const Text& name) override;
  void open(const Text& target) override;
  void start(const Text& program, const Text& workingDirectory) override;
};

struct Win32VersionResources : VersionResources {
  std::optional<Bytes> load(const Text& file) override;
  std::optional<Bytes> query(const Bytes& block, const Text& subBlock) override;
};

struct Win32Dialogs : Dialogs {
  HWND mainWindow = nullptr;
  // In a dark style the boxes are drawn in it; otherwise they are the system's.
  const StyleManager* styles = nullptr;
  MessageAnswer messageBox(bool ownedByMainWindow, const Text& caption, const Text& text,
                           MessageIcon icon, MessageButtons buttons) override;
  std::optional<Text> browseForFolder(const Text& title, const Text& initial) override;
};

}  // namespace lingvora::win32
