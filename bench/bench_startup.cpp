// bench_startup: times the program's start-up on a data folder, offscreen.
//
//   bench_startup PROGRAM DATA_FOLDER [RUNS]
//
// Each run starts `PROGRAM DATA_FOLDER --quit-after-start` with fresh settings and measures
// the wall time from the start of the process to the Index window being shown (the program
// reports it on its start-up trace), and the peak memory of the whole run. The floor is the
// same program refusing an unknown option right after creating its application object.
// Output: NAME: VALUE UNIT (floor VALUE UNIT, ratio R)

#include "BenchSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Run
{
    double millisToMarker = 0; // to the marker line, or to the exit when there is none
    double peakMegabytes = 0;
    int status = -1;
};

// Starts the program with its standard error on a pipe and waits for it to end.
Run runOnce(const std::vector<std::string> &args, const std::string &marker,
            const std::string &configHome)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        std::exit(2);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);

    std::vector<std::string> env{"QT_QPA_PLATFORM=offscreen",
                                 "QT_LOGGING_RULES=verbarium.startup.debug=true",
                                 "XDG_CONFIG_HOME=" + configHome, "XDG_RUNTIME_DIR=" + configHome};
    for (char **e = environ; *e; ++e) {
        if (std::strncmp(*e, "QT_", 3) != 0 && std::strncmp(*e, "XDG_", 4) != 0)
            env.emplace_back(*e);
    }
    std::vector<char *> argv, envp;
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    for (const std::string &e : env)
        envp.push_back(const_cast<char *>(e.c_str()));
    envp.push_back(nullptr);

    Run run;
    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
        std::perror("posix_spawn");
        std::exit(2);
    }
    close(pipeFds[1]);
    std::string output;
    char buffer[4096];
    bool seen = false;
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, size_t(n));
        if (!seen && !marker.empty() && output.find(marker) != std::string::npos) {
            seen = true;
            run.millisToMarker =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
    }
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!seen)
        run.millisToMarker =
            std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    run.peakMegabytes = double(usage.ru_maxrss) / 1024.0;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    posix_spawn_file_actions_destroy(&actions);
    if (!marker.empty() && !seen) {
        std::fprintf(stderr, "bench_startup: no start-up marker (exit %d):\n%s\n", run.status,
                     output.c_str());
        std::exit(1);
    }
    return run;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup PROGRAM DATA_FOLDER [RUNS]\n");
        return 64;
    }
    const std::string program = argv[1];
    const std::string data = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 10;

    char configTemplate[] = "/tmp/bench_startup.XXXXXX";
    const char *configHome = mkdtemp(configTemplate);
    if (!configHome)
        return 2;

    std::vector<double> toIndex, peak, floorTime, floorPeak;
    for (int i = 0; i < runs; ++i) {
        const Run start =
            runOnce({program, data, "--quit-after-start"}, "Indeks wyświetlony", configHome);
        if (start.status != 0) {
            std::fprintf(stderr, "bench_startup: the program exited with %d\n", start.status);
            return 1;
        }
        toIndex.push_back(start.millisToMarker);
        peak.push_back(start.peakMegabytes);
        const Run bare = runOnce({program, "--no-such-option"}, "", configHome);
        floorTime.push_back(bare.millisToMarker);
        floorPeak.push_back(bare.peakMegabytes);
    }
    bench::report("startup_to_index", "ms", bench::median(toIndex), bench::median(floorTime), 1);
    bench::report("startup_peak_memory", "MB", bench::median(peak), bench::median(floorPeak), 1);
    std::error_code ignored;
    std::filesystem::remove_all(configHome, ignored);
    return 0;
}
