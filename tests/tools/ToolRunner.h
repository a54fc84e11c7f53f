#pragma once
// Runs the built pixmill-tool as a script would and captures what it said.

#include <string>
#include <vector>

namespace pixmill::test {

struct ToolRun {
    int exitCode = -1;  // the negated signal number when the tool was killed
    std::string out;
    std::string err;
    std::vector<std::string> ErrLines() const;
};

struct RunOptions {
    long long fileSizeLimit = -1;  // bytes, via RLIMIT_FSIZE; -1: none
    std::string stdoutPath;        // where standard output goes; empty: captured
};

ToolRun RunTool(const std::vector<std::string>& args, const RunOptions& options = {});

}  // namespace pixmill::test
