// pixmill-tool under a file-size limit (ulimit -f) with the signal that goes with
// it left at its default, which kills a process that does not ignore it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "tests/TestSupport.h"
#include "tests/tools/ToolFiles.h"

namespace pixmill::test {
namespace {

TEST(ToolSignals, AFileSizeLimitIsAFailureWithItsReason) {
    ScratchDir dir;
    std::filesystem::create_directory(dir.root() / "out");
    WriteBytes(dir.Path("IN.DAT"), BuildPaletteBytes());
    const std::string err = dir.Path("err");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{500, 500};
        const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (errFd < 0 || dup2(errFd, 2) < 0 || setrlimit(RLIMIT_FSIZE, &limit) != 0 ||
            signal(SIGXFSZ, SIG_DFL) == SIG_ERR) {
            _exit(127);
        }
        const std::string out = dir.Path("out/OUT.PAL");
        execl(PIXMILL_TOOL, PIXMILL_TOOL, "palette", dir.Path("IN.DAT").c_str(), out.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const Bytes said = ReadBytes(err);
    EXPECT_NE(std::string(said.begin(), said.end()).find("File too large"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(dir.root() / "out"));
}

}  // namespace
}  // namespace pixmill::test
