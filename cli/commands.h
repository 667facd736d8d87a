#pragma once

#include <string>
#include <vector>

// Exit statuses of the tool. A record that does not read (or cannot be written back as it is
// held, or has no node at the path asked for) is a fault in the record: 1. A file that cannot
// be opened, read or saved, an engine that cannot be started or fails, and a command line the
// tool does not understand: 2.
enum ExitStatus : int { ExitOk = 0, ExitRecordFault = 1, ExitFailure = 2 };

// Each command takes the arguments after its own name.
int RunCheck(const std::vector<std::string>& args);
int RunDump(const std::vector<std::string>& args);
int RunFmt(const std::vector<std::string>& args);
int RunBoard(const std::vector<std::string>& args);
int RunConvert(const std::vector<std::string>& args);
// Only in a build with the engine layer.
int RunAnalyze(const std::vector<std::string>& args);

// Says what is wrong with the command line, then prints the usage, both on standard error.
int UsageError(const std::string& why);

// "esn: FILE: REASON" on standard error, for a file that cannot be opened or read.
int CannotOpen(const std::string& path, const std::string& reason);
