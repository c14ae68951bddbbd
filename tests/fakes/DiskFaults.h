#pragma once
// The faults a disk can raise while a file is saved, as one table for the
// tests of every save.
#include <string>
#include <vector>

#include "fakes/FakePlatform.h"

namespace lingvora::fake {

using Step = Files::Step;
using Fault = Files::Fault;

struct DiskCase {
  const char* what;
  std::vector<Fault> faults = {};
  bool heldOpen = false;
  bool readOnly = false;
  std::optional<std::size_t> room = std::nullopt;
};

// The faults every save meets in the tables below.
inline std::vector<DiskCase> diskCases(std::size_t newSize) {
  using F = FileError;
  return {
      {.what = "no fault"},
      {.what = "the temporary file cannot be created", .faults = {{Step::Create, F::AccessDenied}}},
      {.what = "a write stops half-way", .faults = {{Step::Write, F::Other}}},
      {.what = "the disk is full", .room = 3},
      {.what = "the flush fails", .faults = {{Step::Finish, F::Other}}},
      {.what = "the replace fails", .faults = {{Step::Replace, F::Other}}},
      {.what = "the replace is refused twice, then done",
       .faults = {{Step::Replace, F::SharingViolation, 2}}},
      {.what = "a reader holds the target: written in place", .heldOpen = true},
      {.what = "a reader holds the target and the disk has just room for the new file",
       .heldOpen = true,
       .room = newSize},
      {.what = "a reader holds the target and it cannot be opened",
       .faults = {{Step::OpenExisting, F::SharingViolation}},
       .heldOpen = true},
      {.what = "a reader holds the target and the write in place stops half-way",
       .faults = {{Step::Write, F::None, 1}, {Step::Write, F::DiskFull, 1}},
       .heldOpen = true},
      {.what = "the target is read-only", .readOnly = true},
  };
}

inline void apply(Files& files, const DiskCase& c, const Text& target) {
  files.faults = c.faults;
  files.room = c.room;
  if (c.heldOpen) files.heldOpen.insert(pathKey(target));
  if (c.readOnly) files.readOnly.insert(pathKey(target));
}

}  // namespace lingvora::fake
