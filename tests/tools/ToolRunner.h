#pragma once
// Runs the built pixmill-tool as a script would and captures what it said.

#include <string>
#include <vector>

#include "tests/TestSupport.h"

namespace pixmill::test {

using ToolRun = ProgramRun;

ToolRun RunTool(const std::vector<std::string>& args, const RunOptions& options = {});

}  // namespace pixmill::test
