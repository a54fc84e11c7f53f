#include "tests/tools/ToolRunner.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <sstream>
#include <stdexcept>

#include "tests/TestSupport.h"

namespace pixmill::test {

std::vector<std::string> ToolRun::ErrLines() const {
    std::vector<std::string> lines;
    std::istringstream in(err);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

ToolRun RunTool(const std::vector<std::string>& args, const RunOptions& options) {
    // Output goes to files in a folder of its own, so a test's output folder
    // shows only what the tool wrote and no pipe can fill up.
    ScratchDir capture;
    const std::string outPath =
        options.stdoutPath.empty() ? capture.Path("out") : options.stdoutPath;
    const std::string errPath = capture.Path("err");
    std::vector<std::string> all{PIXMILL_TOOL};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child < 0) {
        throw std::runtime_error("cannot start pixmill-tool");
    }
    if (child == 0) {
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 ||
            dup2(err, 2) < 0) {
            _exit(127);
        }
        if (options.fileSizeLimit >= 0) {
            const auto limit = static_cast<rlim_t>(options.fileSizeLimit);
            const rlimit fsize{limit, limit};
            // Ignored, the signal becomes a plain write error the tool must handle.
            if (setrlimit(RLIMIT_FSIZE, &fsize) != 0 || signal(SIGXFSZ, SIG_IGN) == SIG_ERR) {
                _exit(127);
            }
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            throw std::runtime_error("lost track of pixmill-tool");
        }
    }
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    const auto text = [](const std::string& path) {
        const auto bytes = ReadBytes(path);
        return std::string(bytes.begin(), bytes.end());
    };
    run.out = options.stdoutPath.empty() ? text(outPath) : std::string();
    run.err = text(errPath);
    return run;
}

}  // namespace pixmill::test
