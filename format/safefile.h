#pragma once

#include <functional>
#include <string>
#include <string_view>

// Writes all of `bytes` to the open file `fd`, however many calls that takes; answers 0 or an
// errno value.
int WriteAllBytes(int fd, std::string_view bytes);

// How a save hands its bytes to the temporary file; WriteAllBytes unless a test wants a write
// that fails part of the way through.
using FileWriter = std::function<int(int fd, std::string_view bytes)>;

// Replaces the file at `path` with `bytes` so that it is afterwards either wholly as it was or
// wholly the new contents: the bytes go to a temporary file in the same folder, every write,
// the flush to disk and the close are checked, and only then is the temporary file renamed
// over the target. Answers 0, or an errno value saying what went wrong; the temporary file is
// then gone and the target untouched. A folder, and an existing file the user may not write,
// are refused before anything is written. A new file gets the usual permissions (0666 less
// the umask); an existing one keeps its own. A symbolic link is followed, so the file it names
// is replaced and the link stays.
int SaveFileAtomically(const std::string& path, std::string_view bytes,
                       const FileWriter& write = WriteAllBytes);
