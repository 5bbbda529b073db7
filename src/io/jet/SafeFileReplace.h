#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace jet::engine {

// Replaces a file's contents so that a crash leaves either the old file or the new one: the bytes go
// to a new file beside it, which is flushed and renamed over the original, then the folder is
// flushed. The original's permissions are kept; a symbolic link keeps pointing at the same file.
// Throws JetError (and leaves the original untouched) when any step before the rename fails.
void replaceFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The steps of that replacement, for a caller that writes the new file itself and checks it before
// it takes the original's place.
// The real path of a file about to be replaced; throws JetError when it is missing or read-only.
std::string replaceableTarget(const std::string& path);
// Renames a complete, flushed file over the target, then flushes the folder. Throws JetError when the
// rename fails; the target is untouched then.
void renameIntoPlace(const std::string& newFile, const std::string& target);
// Renames a complete, flushed file to a name that must be free, then flushes the folder: whatever is at
// `target` by then (a file, a symbolic link, a folder) is never replaced. Returns false, with nothing
// changed, when something is there; throws JetError when the rename fails for another reason.
bool renameIntoFreeName(const std::string& newFile, const std::string& target);

} // namespace jet::engine
