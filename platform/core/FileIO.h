// Whole-file reading and atomic writing. A write goes to a temporary file in the target's
// folder, is flushed to the disk, then renamed over the target: whatever fails on the way, the
// file that was there before is left untouched and the temporary file is removed. Reasons of
// failure are French sentences for the user.
#pragma once

#include <string>

namespace velmor {

// Reads the file into `bytes`; false with a reason in `error` when it cannot be read. Only a
// regular file is read: a FIFO, a device or a folder is refused without waiting on it.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// Replaces the file's content with `bytes`; false with a reason in `error` on failure, in
// which case the previous file (if any) is unchanged. A symbolic link is followed and the file
// it leads to is replaced, the link staying as it is; a target that exists and is not a
// regular file (a FIFO, a device, a folder) is refused. Temporary files of earlier saves into
// the same folder that were interrupted (older than ten minutes) are removed.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

// What a system error number means, in French ("accès refusé", "le disque est plein", ...).
std::string FileErrorText(int err);

} // namespace velmor
