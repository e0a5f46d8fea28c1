// The benchmark program: builds every case, times them group by group and prints the table.
// Options: --quick (fewer, shorter samples), --samples N, --only GROUP (groups whose names start
// with GROUP), --no-startup, --app PATH, --minimal PATH, --bare PATH.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/Cases.h"

namespace {

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    const std::size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

const char* Arch() { return sizeof(void*) == 8 ? "x86_64" : "i686"; }

}  // namespace

int main(int argc, char** argv) {
    using namespace brennick_bench;
    Options options;
    const std::string folder = ProgramFolder();
    StartupPaths paths{folder + "\\brennick_minimal.exe", folder + "\\brennick_bare.exe",
                       folder + "\\..\\app\\Brennick.exe"};
    bool startup = true;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--quick") {
            options.warmup = 2;
            options.samples = 7;
            options.startupSamples = 3;
            options.scaleSamples = 3;
            options.batchScale = 0.25;
        } else if (option == "--samples" && hasValue) {
            options.samples = std::atoi(argv[++i]);
        } else if (option == "--only" && hasValue) {
            options.only = argv[++i];
        } else if (option == "--no-startup") {
            startup = false;
        } else if (option == "--app" && hasValue) {
            paths.app = argv[++i];
        } else if (option == "--minimal" && hasValue) {
            paths.minimal = argv[++i];
        } else if (option == "--bare" && hasValue) {
            paths.bare = argv[++i];
        } else {
            std::fprintf(stderr, "unknown option %s\n", option.c_str());
            return 2;
        }
    }
    if (options.samples < 1) options.samples = 1;

    const BenchClass benchClass;  // outlives the suite's windows
    Suite suite;
    AddForwardCases(suite, benchClass);
    AddScrollCases(suite, benchClass);
    AddWheelCases(suite, benchClass);
    AddAppWheelCases(suite);
    // Their fixtures are costly (10,001 windows; four threads): made only when the group runs.
    if (Selected(options, "scale")) AddScaleCases(suite, benchClass);
    if (Selected(options, "threads")) AddThreadCases(suite, benchClass);
    if (startup) AddStartupCases(suite, paths);

    const std::vector<Result> results = suite.Run(options);
    std::printf("Brennick benchmark, %s build, %d samples per case (min and median per operation)\n\n", Arch(),
                options.samples);
    PrintTable(results);
    return 0;
}
