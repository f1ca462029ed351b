// The graph program end to end in mode "ps": 16000 points with Y error bars and a fitted curve,
// one whole process per iteration (start-up, reading, drawing, the letter page).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

extern char** environ;

namespace {

struct Inputs {
    std::filesystem::path folder;
    std::string config;
    Inputs() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pgplot-bench-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        const auto data = (folder / "pgtemp.dat").string();
        std::ofstream points(data, std::ios::binary);
        points << "Bench    16000 points\r\n";
        for (int i = 1; i <= 16000; ++i) {
            const double x = i * 0.001;
            const double y = 100.0 * std::exp(-0.3 * x);
            points << x << ' ' << y << ' ' << 0.02 * y << "\r\n";
        }
        config = (folder / "pgtemp.cfg").string();
        std::ofstream(config, std::ios::binary)
            << "-%%  configuration file for PGPlot\r\n-fn" << data << "\r\n-xm0\t17\r\n-mt0\t0\r\n-ym0\t0\r\n"
            << "-eb1\t 1\t0\r\n-ey$\r\n-at2\r\n-ptDecay\r\n-xlTime\r\n-ylCounts\r\n-ps17\r\n-ft1\r\n-ls1\r\n"
            << "-p11\t3\r\n-a1100\r\n-a2-0.3\r\n-nt0\r\n-po0\r\n-pz1\r\n-pn" << (folder / "bench.ps").string()
            << "\r\n-!!\r\n";
    }
    ~Inputs() {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }
};

void BM_PgplotPostScript16000Points(benchmark::State& state) {
    static const Inputs inputs;
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        char program[] = PGPLOT_PROGRAM;
        char mode[] = "ps";
        std::string config = inputs.config;
        char* argv[] = {program, mode, config.data(), nullptr};
        pid_t pid = 0;
        if (posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start pgplot");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        posix_spawn_file_actions_destroy(&actions);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("pgplot failed");
            break;
        }
    }
}
BENCHMARK(BM_PgplotPostScript16000Points)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
