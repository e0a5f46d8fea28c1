// The benchmark program: builds every case, times them group by group and prints the table.
// Options: --quick (fewer, shorter samples), --samples N, --only GROUP (groups whose names start
// with GROUP), --no-startup, --app PATH, --minimal PATH, --bare PATH.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "bench/Bench.h"

// The folder this program runs from, however long its path.
static std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (DWORD n = MAX_PATH; GetModuleFileNameW(nullptr, path.data(), n) == n; n *= 2) path.resize(n * 2);
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

int wmain(int argc, wchar_t** argv) {
    using namespace brennick_bench;
    const std::wstring folder = ProgramFolder();
    // The programs the start-up cases launch, by the option that names another.
    std::map<std::wstring, std::wstring> programs{{L"--minimal", folder + L"\\brennick_minimal.exe"},
                                                  {L"--bare", folder + L"\\brennick_bare.exe"},
                                                  {L"--app", folder + L"\\..\\app\\Brennick.exe"}};
    Options options;
    bool startup = true;
    for (int i = 1; i < argc; ++i) {
        const std::wstring option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == L"--quick") {
            options = {.warmup = 2, .samples = 7, .heavySamples = 3, .batchScale = 0.25, .only = options.only};
        } else if (option == L"--samples" && hasValue) {
            options.samples = std::max(1, _wtoi(argv[++i]));
        } else if (option == L"--only" && hasValue) {
            // Group names are ASCII: a name with any other character matches none.
            for (const wchar_t* c = argv[++i]; *c != L'\0'; ++c) options.only += static_cast<char>(*c < 128 ? *c : 0);
        } else if (option == L"--no-startup") {
            startup = false;
        } else if (programs.count(option) != 0 && hasValue) {
            programs[option] = argv[++i];
        } else {
            std::fprintf(stderr, "unknown option %ls\n", option.c_str());
            return 2;
        }
    }

    Suite suite;
    AddForwardCases(suite);
    AddScrollCases(suite);
    AddWheelCases(suite);
    // Their fixtures are costly (10,001 windows; four threads): made only when the group runs.
    if (options.Selected("scale")) AddScaleCases(suite);
    if (options.Selected("threads")) AddThreadCases(suite);
    if (startup) AddStartupCases(suite, programs[L"--minimal"], programs[L"--bare"], programs[L"--app"]);
    std::printf("Brennick benchmark, %s build, %d samples per case (min and median per operation)\n\n",
                sizeof(void*) == 8 ? "x86_64" : "i686", options.samples);
    suite.Run(options);
    return 0;
}
