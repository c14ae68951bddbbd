#include "files/SafeSave.h"

namespace lingvora {
namespace {

constexpr int kReplaceAttempts = 5;
constexpr int kReplacePauseMs = 40;

bool writeAll(WritableFile& file, const Bytes& bytes) {
  return file.write(bytes) == FileError::None && file.finish() == FileError::None;
}

bool writeTemporary(FileSteps& steps, const Text& temp, const Bytes& bytes) {
  FileError error = FileError::None;
  auto file = steps.create(temp, error);
  if (!file) return false;
  const bool written = writeAll(*file, bytes);
  file.reset();  // closed before it can be removed or moved
  if (!written) steps.remove(temp);
  return written;
}

// A holder of the target without delete sharing refuses the replace this way.
bool refusedByAReader(FileError error) {
  return error == FileError::SharingViolation || error == FileError::AccessDenied;
}

bool overwrite(FileSteps& steps, const Text& path, const Bytes& bytes) {
  FileError error = FileError::None;
  auto file = steps.openExisting(path, error);
  return file && writeAll(*file, bytes);
}

bool writeInPlace(FileSteps& steps, const Text& path, const Bytes& bytes) {
  // Without the old content a failed write could not be undone.
  const auto old = steps.readWhole(path);
  if (!old) return false;
  if (overwrite(steps, path, bytes)) return true;
  // The old content fitted before, so it fits again.
  overwrite(steps, path, *old);
  return false;
}

}  // namespace

bool saveWholeFile(FileSteps& steps, const Text& path, const Bytes& bytes) {
  if (steps.isProtected(path)) return false;
  const Text temp = steps.temporaryName(path);
  if (!writeTemporary(steps, temp, bytes)) return false;
  FileError error = FileError::None;
  for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
    error = steps.replace(temp, path);
    if (error == FileError::None) return true;
    if (!refusedByAReader(error)) break;
    steps.pause(kReplacePauseMs);
  }
  // Removed first: on a full disk its room is what the write in place needs.
  steps.remove(temp);
  return refusedByAReader(error) && writeInPlace(steps, path, bytes);
}

}  // namespace lingvora
