#pragma once

#include <string>
#include <vector>

#include "tests/support/scratchdir.h"

// What one run of the esn tool gave back.
struct ToolResult {
    int status = -1;  // the exit status; 128 + the signal when the tool was killed by one
    std::string out;
    std::string err;
};

// Runs the built esn tool with these arguments, standard input empty.
ToolResult RunTool(const std::vector<std::string>& args);

// A file of the test data, by its path in the data folder, and one of the tool's own.
std::string TestData(const std::string& path);
std::string CliData(const std::string& name);
