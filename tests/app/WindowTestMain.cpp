// main() of the window tests: an offscreen Qt application with a runtime
// folder of its own, so that the tests run with no display, as in CI.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <string>

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::string runtime =
        (std::filesystem::temp_directory_path() / "pixmill-runtime-XXXXXX").string();
    if (mkdtemp(runtime.data()) != nullptr) {
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        // Settings, should anything open the usual ones (the real program
        // started by a test does), stay in the scratch folder too.
        setenv("XDG_CONFIG_HOME", runtime.c_str(), 1);
    }
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(runtime, ignored);
    return result;
}
