// Whole-file reading and atomic writing. A write goes to a temporary file in the target's
// folder, is flushed to the disk, then renamed over the target: whatever fails on the way, the
// file that was there before is left untouched and the temporary file is removed.
#pragma once

#include <string>

namespace velmor {

// Reads the file into `bytes`; false with a reason in `error` when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// Replaces the file's content with `bytes`; false with a reason in `error` on failure, in
// which case the previous file (if any) is unchanged.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

} // namespace velmor
