#pragma once

#include <string>
#include <string_view>

// Replaces the file at `path` with `bytes` so that it is afterwards either wholly as it was or
// wholly the new contents: the bytes go to a temporary file in the same folder, every write,
// the flush to disk and the close are checked, and only then is the temporary file renamed
// over the target. On failure the temporary file is removed, the target is untouched and
// `reason` says what went wrong. A new file gets the usual permissions (0666 less the umask);
// an existing one keeps its own. A symbolic link is followed, so the file it names is replaced.
bool SaveFileSafely(const std::string& path, std::string_view bytes, std::string& reason);
