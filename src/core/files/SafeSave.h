#pragma once
// Saving a whole file so that a failure at any step leaves either the old
// content or the new one, never a mixture, and says so.
#include <memory>
#include <optional>

#include "text/Text.h"

namespace lingvora {

enum class FileError { None, NotFound, AccessDenied, SharingViolation, DiskFull, Other };

// A file open for writing from its start.
struct WritableFile {
  virtual ~WritableFile() = default;
  // Writes all the bytes, or fails having written any part of them.
  virtual FileError write(const Bytes& bytes) = 0;
  // Ends the file where the writing stopped and flushes it to the disk.
  virtual FileError finish() = 0;
};

// The system calls a save is made of.
struct FileSteps {
  virtual ~FileSteps() = default;
  // A read-only file or a folder, which a save must leave alone.
  virtual bool isProtected(const Text& path) = 0;
  // A name beside the target that no other save uses at the same time.
  virtual Text temporaryName(const Text& target) = 0;
  // A new, empty file that nobody else may open meanwhile.
  virtual std::unique_ptr<WritableFile> create(const Text& path, FileError& error) = 0;
  // The existing file, for writing over while its readers keep it open.
  virtual std::unique_ptr<WritableFile> openExisting(const Text& path, FileError& error) = 0;
  virtual std::optional<Bytes> readWhole(const Text& path) = 0;
  // Puts from in the place of to, replacing it, flushed to the disk.
  virtual FileError replace(const Text& from, const Text& to) = 0;
  virtual void remove(const Text& path) = 0;
  virtual void pause(int milliseconds) = 0;
};

// Writes a temporary file beside the target and puts it in the target's
// place. When a reader holding the target open refuses the replace, tries
// again briefly, then writes over the target in place, putting the old
// content back if that write fails. True only when the target holds bytes.
bool saveWholeFile(FileSteps& steps, const Text& path, const Bytes& bytes);

}  // namespace lingvora
