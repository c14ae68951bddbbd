#pragma once
// The process that started this one (the installer engine), to be told
// when it ends.
#include "Handles.h"

namespace lingvora::win32 {

// A handle to wait on, or none when the parent is gone or cannot be opened
// (an identifier that was reused since belongs to a younger process).
UniqueHandle openParentProcess();

}  // namespace lingvora::win32
