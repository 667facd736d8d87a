#pragma once

#include <string>

// Reads the whole file at `path` into `bytes` (replacing what they held). Answers an empty
// text, or why the file could not be read: a folder, a device or a pipe is refused before
// anything is read (a pipe or a terminal would wait for input for ever), a read that fails
// part of the way through (as some files under /proc do) is reported, never thrown, and so is
// a file too large for memory. On failure `bytes` is empty.
std::string ReadWholeFile(const std::string& path, std::string& bytes);

// What a failed file operation's errno value means, as the system words it ("No such file or
// directory").
std::string FileErrorText(int error);
