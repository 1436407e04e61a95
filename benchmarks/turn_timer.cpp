// turn-timer RUNS COMMAND...: runs each command (a string split at spaces) RUNS times, the
// commands taking turns after two warm-up rounds, and prints each one's median wall time in
// milliseconds on a line of its own. Commands are started with posix_spawn, not through a
// shell: a shell's fork would add the same milliseconds to every command and flatten the ratios
// between a fast program and a slow one. Output goes to /dev/null.
//
// Before each timed command an untimed `true` runs, so that every command starts after the
// same small program. On these virtual machines the first program started after a large one
// takes about a millisecond longer (`true` itself: 2.9 ms after mutool, 1.9 ms after `true`),
// and without it that millisecond would fall on whichever command follows the largest.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::vector<std::string> Words(const std::string& command) {
    std::istringstream in(command);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

// Wall time of one run in milliseconds, or a negative number when it could not run or failed.
double TimeOnce(const std::vector<std::string>& words, posix_spawn_file_actions_t* quiet) {
    std::vector<char*> argv;
    for (const std::string& word : words) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], quiet, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    int status = 0;
    waitpid(child, &status, 0);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? took.count() : -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || std::atoi(argv[1]) <= 0) {
        std::fprintf(stderr, "usage: turn-timer RUNS COMMAND...\n");
        return 1;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<std::vector<std::string>> commands;
    for (int i = 2; i < argc; ++i) {
        commands.push_back(Words(argv[i]));
    }
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&quiet, 1, 2);

    std::vector<std::vector<double>> times(commands.size());
    const std::vector<std::string> settle{"true"};
    for (int round = -2; round < runs; ++round) {
        for (std::size_t i = 0; i < commands.size(); ++i) {
            if (TimeOnce(settle, &quiet) < 0) {
                std::fprintf(stderr, "turn-timer: true failed\n");
                return 1;
            }
            const double ms = TimeOnce(commands[i], &quiet);
            if (ms < 0) {
                std::fprintf(stderr, "turn-timer: %s failed\n", argv[2 + i]);
                return 1;
            }
            if (round >= 0) {
                times[i].push_back(ms);
            }
        }
    }
    posix_spawn_file_actions_destroy(&quiet);
    for (std::vector<double>& t : times) {
        std::sort(t.begin(), t.end());
        const std::size_t n = t.size();
        const double median = n % 2 == 1 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2;
        std::printf("%.1f\n", median);
    }
    return 0;
}
