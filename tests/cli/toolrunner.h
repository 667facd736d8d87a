#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What one run of the esn tool gave back.
struct ToolResult {
    int status = -1;  // the exit status; 128 + the signal when the tool was killed by one
    std::string out;
    std::string err;
};

// Runs the built esn tool with these arguments, standard input empty.
ToolResult RunTool(const std::vector<std::string>& args);

// A file of the tool's test data.
std::string CliData(const std::string& name);

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// A fresh folder for one test, removed with everything in it afterwards.
class ScratchDir {
  public:
    ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir();
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // The names in the folder, sorted.
    std::vector<std::string> Names() const;

  private:
    std::filesystem::path path_;
};
