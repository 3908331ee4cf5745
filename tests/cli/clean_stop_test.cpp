// A run stopped by SIGTERM or SIGINT while it writes removes its temporary file and leaves the
// old output as it was; one that was told to ignore SIGHUP goes on.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <optional>

#include "tests/support/test_files.h"

namespace tavrel::cli {
namespace {

#ifdef _WIN32
TEST(CleanStop, SignalDuringAWriteLeavesTheFolderAsItWas) {
    GTEST_SKIP() << "Windows has no signals to send; its console events reach only a console's "
                    "own programs";
}
#else
namespace fs = std::filesystem;

// Starts the program with the default action for the stopping signals, whatever the test's own,
// but `ignored` ignored as a program started by nohup finds it, and standard output sent to the
// file named, if any.
pid_t Start(const std::vector<std::string>& args, const char* output = nullptr, int ignored = 0) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGINT, SIG_DFL);
        signal(SIGTERM, SIG_DFL);
        if (ignored != 0) {
            signal(ignored, SIG_IGN);
        }
        if (output != nullptr && !freopen(output, "w", stdout)) {
            _exit(126);
        }
        execv(TAVREL_PROGRAM, argv.data());
        _exit(127);
    }
    return child;
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

// Sends the signal once the run's temporary file appears beside the old output; the run's wait
// status, or nothing when it ended before.
std::optional<int> StopWhileWriting(const std::vector<std::string>& args, const fs::path& folder,
                                    int signal, bool ignored) {
    const pid_t child = Start(args, nullptr, ignored ? signal : 0);
    int status = 0;
    while (Names(folder).size() == 1) {
        if (waitpid(child, &status, WNOHANG) == child) {
            return std::nullopt;
        }
    }
    kill(child, signal);
    waitpid(child, &status, 0);
    return status;
}

TEST(CleanStop, SignalDuringAWriteLeavesTheFolderAsItWas) {
    const testing::TempDir dir;
    const fs::path input = dir.path() / "big.inp";
    const fs::path output = dir.path() / "out" / "out.txt";
    const std::string block =
        "[WORD WRAP]\r\nTHE CONTRACTOR SHALL PLACE THE CONCRETE IN THE DECK. NO. 5 BARS AT 0.5 "
        "IN. SPACING.\r\n[END WORD WRAP]\r\n";
    const struct {
        int signal;
        bool ignored;  // then the run goes on and replaces the output
    } stops[] = {{SIGTERM, false}, {SIGINT, false}, {SIGHUP, true}};
    for (const auto& [signal, ignored] : stops) {
        SCOPED_TRACE(strsignal(signal));
        std::optional<int> status;
        // A larger file when the run was too quick to be caught writing.
        for (std::size_t size = 16 << 20; !status && size <= 256 << 20; size *= 4) {
            std::string bytes;
            bytes.reserve(size + block.size());
            while (bytes.size() < size) {
                bytes += block;
            }
            testing::WriteBytes(input, bytes);
            testing::WriteBytes(output, "old output");
            status = StopWhileWriting(
                {TAVREL_PROGRAM, "process", "--force", "-o", output.string(), input.string()},
                output.parent_path(), signal, ignored);
        }
        ASSERT_TRUE(status.has_value()) << "every run ended before it was seen writing";
        EXPECT_EQ(Names(output.parent_path()), std::vector<std::string>{"out.txt"});
        if (ignored) {
            EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status;
            EXPECT_NE(testing::ReadBytes(output), "old output");
        } else {
            EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == signal) << *status;
            EXPECT_EQ(testing::ReadBytes(output), "old output");
        }
    }
}

// Printing to a full disk is a failure, not a short result passed off as done.
TEST(CleanStop, AFullStandardOutputFailsTheRun) {
    const testing::TempDir dir;
    const std::string input = dir.File("a.inp");
    testing::WriteBytes(input, "[SPACE]\r\n.LV=8\r\n");
    const std::string library = "--library=" TAVREL_BUILD_LIBRARY_DIR;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"process", "-o", "-", input},
          {"compose", library, "B1"},
          {"list", library},
          {"show", library, "B1"},
          {"lint", "--library=" TAVREL_SOURCE_DIR "/tests/cases/lint"}}) {
        std::vector<std::string> command = {TAVREL_PROGRAM};
        command.insert(command.end(), args.begin(), args.end());
        int status = 0;
        waitpid(Start(command, "/dev/full"), &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << args.front() << " " << status;
    }
}

#ifdef TAVREL_WITH_DESKTOP
// The program starts the desktop program: asked for a picture of its window, it writes one.
TEST(CleanStop, TheProgramStartsTheWindowAndPicturesIt) {
    const testing::TempDir dir;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int status = 0;
    waitpid(Start({TAVREL_PROGRAM, "--library=" TAVREL_BUILD_LIBRARY_DIR, "--screenshot",
                   dir.File("window.png")}),
            &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_GT(std::filesystem::file_size(dir.File("window.png")), 1000u);
}
#endif
#endif

}  // namespace
}  // namespace tavrel::cli
