// Processing throughput against `fmt -w 80` on the same paragraphs, for two kinds of generated
// note input file at two sizes each, and the peak memory of `tavrel process` measured in a
// child process.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "engine/processing.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Sample {
    std::string name;  // the kind of file and its size
    std::string noteInputPath;
    std::string paragraphsPath;
    std::size_t noteInputBytes = 0;
    std::size_t paragraphBytes = 0;
    double peakMegabytes = 0;
};

std::vector<Sample> gSamples;
// Every measurement of each benchmark; the summary takes the median, as the machine may be
// shared.
std::map<std::string, std::vector<double>> gMegabytesPerSecond;
constexpr int kRepetitions = 5;

// Writes to a descriptor. Processing hands its output over in large pieces, so they go out
// as they come.
void WriteAll(int descriptor, std::string_view bytes) {
    if (::write(descriptor, bytes.data(), bytes.size()) < 0) {
        std::perror("write");
    }
}

// Runs a program with standard input and output redirected; its rusage when it has ended.
rusage RunChild(std::vector<std::string> argv, const std::string& in, const std::string& out) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> args;
    for (std::string& arg : argv) {
        args.push_back(arg.data());
    }
    args.push_back(nullptr);
    pid_t child = 0;
    rusage usage{};
    if (posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ) == 0) {
        int status = 0;
        ::wait4(child, &status, 0, &usage);
    }
    posix_spawn_file_actions_destroy(&actions);
    return usage;
}

void Record(const std::string& name, std::size_t bytes, std::int64_t iterations,
            Clock::duration elapsed) {
    const double seconds = std::chrono::duration<double>(elapsed).count();
    gMegabytesPerSecond[name].push_back(static_cast<double>(bytes) * iterations / 1e6 / seconds);
}

void ProcessNoteInput(benchmark::State& state, const Sample* sample) {
    const int devNull = ::open("/dev/null", O_WRONLY);
    const auto start = Clock::now();
    const tavrel::ByteSink toDevNull = [devNull](std::string_view bytes) {
        WriteAll(devNull, bytes);
    };
    for (auto _ : state) {
        const tavrel::ProcessOutcome outcome =
            tavrel::ProcessNoteInput(tavrel::InputFile{sample->noteInputPath}, toDevNull);
        if (outcome.status != tavrel::ProcessStatus::kDone) {
            state.SkipWithError("generated note input file is invalid");
            break;
        }
    }
    Record("process/" + sample->name, sample->noteInputBytes, state.iterations(),
           Clock::now() - start);
    state.SetBytesProcessed(state.iterations() * sample->noteInputBytes);
    ::close(devNull);
}

void FormatWithFmt(benchmark::State& state, const Sample* sample) {
    const auto start = Clock::now();
    for (auto _ : state) {
        RunChild({"fmt", "-w", "80"}, sample->paragraphsPath, "/dev/null");
    }
    Record("fmt/" + sample->name, sample->paragraphBytes, state.iterations(), Clock::now() - start);
    state.SetBytesProcessed(state.iterations() * sample->paragraphBytes);
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void PrintSummary() {
    std::printf("\nmedians of %d runs\n%-18s %14s %14s %8s %15s %9s\n", kRepetitions, "input",
                "process MB/s", "fmt -w 80 MB/s", "ratio", "peak RSS (MB)", "x input");
    for (const Sample& sample : gSamples) {
        const double ours = Median(gMegabytesPerSecond["process/" + sample.name]);
        const double fmt = Median(gMegabytesPerSecond["fmt/" + sample.name]);
        std::printf("%-18s %14.1f %14.1f %8.2f %15.1f %9.2f\n", sample.name.c_str(), ours, fmt,
                    fmt > 0 ? ours / fmt : 0.0, sample.peakMegabytes,
                    sample.peakMegabytes * 1e6 / static_cast<double>(sample.noteInputBytes));
    }
}

// The files are written by a child, and the peak memory is measured before this process has
// grown: a spawned child starts its high-water mark from its parent's size.
Sample PrepareSample(const fs::path& folder, bool shortNotes, std::size_t megabytes) {
    const std::string name =
        (shortNotes ? "short-notes-" : "sheet-") + std::to_string(megabytes) + "MB";
    Sample sample{name, (folder / (name + ".inp")).string(), (folder / (name + ".txt")).string()};
    std::vector<std::string> generate = {TAVREL_GENERATOR_PATH, std::to_string(megabytes),
                                         sample.noteInputPath, sample.paragraphsPath};
    if (shortNotes) {
        generate.insert(generate.begin() + 1, "--short-notes");
    }
    RunChild(generate, "/dev/null", "/dev/null");
    sample.noteInputBytes = fs::file_size(sample.noteInputPath);
    sample.paragraphBytes = fs::file_size(sample.paragraphsPath);
    const rusage usage = RunChild({TAVREL_CLI_PATH, "process", "--force", "-o",
                                   (folder / "peak.txt").string(), sample.noteInputPath},
                                  "/dev/null", "/dev/null");
    sample.peakMegabytes = usage.ru_maxrss * 1024.0 / 1e6;
    return sample;
}

}  // namespace

int main(int argc, char** argv) {
    // Repetitions of the benchmarks run interleaved, so that a slow spell of a shared machine
    // falls on processing and fmt alike; a flag given on the command line still wins.
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave.data());
    int argCount = static_cast<int>(args.size());
    benchmark::Initialize(&argCount, args.data());
    const fs::path folder =
        fs::temp_directory_path() / ("tavrel-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (const bool shortNotes : {false, true}) {
        for (const std::size_t megabytes : {20, 40}) {
            gSamples.push_back(PrepareSample(folder, shortNotes, megabytes));
        }
    }
    for (const Sample& sample : gSamples) {
        benchmark::RegisterBenchmark(("Process/" + sample.name).c_str(), ProcessNoteInput, &sample)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Repetitions(kRepetitions);
        benchmark::RegisterBenchmark(("FmtW80/" + sample.name).c_str(), FormatWithFmt, &sample)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Repetitions(kRepetitions);
    }
    benchmark::RunSpecifiedBenchmarks();
    PrintSummary();
    benchmark::Shutdown();
    fs::remove_all(folder);
    return 0;
}
