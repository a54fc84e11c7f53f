#include "tests/tools/ToolRunner.h"

namespace pixmill::test {

ToolRun RunTool(const std::vector<std::string>& args, const RunOptions& options) {
    return RunProgram(PIXMILL_TOOL, args, options);
}

}  // namespace pixmill::test
