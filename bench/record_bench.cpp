// What velqor-record takes for the default full cycle (1831 ticks, 916 frames
// at 1002 x 583), run as a program the way a user runs it, once per format:
// wall time (min and median over five runs), the file's size and, for
// comparison, the processor time the run used (user and system, all threads).
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Runs velqor-record with `out`, returning the processor seconds it used.
double RunRecorder(const std::string &out) {
  const pid_t pid = fork();
  if (pid == 0) {
    execl(VELQOR_RECORD, VELQOR_RECORD, "--quiet", "--out", out.c_str(),
          static_cast<char *>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return -1;
  auto seconds = [](const timeval &t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_DefaultCycle(benchmark::State &state, const char *extension) {
  char folder[] = "/tmp/velqor-record-bench-XXXXXX";
  if (!mkdtemp(folder)) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string out = std::string(folder) + "/cycle" + extension;
  double processor = 0;
  for (auto _ : state) {
    const double used = RunRecorder(out);
    if (used < 0) {
      state.SkipWithError("velqor-record failed");
      break;
    }
    processor += used;
  }
  struct stat st {};
  stat(out.c_str(), &st);
  state.counters["bytes"] = static_cast<double>(st.st_size);
  state.counters["cpu_s"] =
      processor / static_cast<double>(std::max<int64_t>(state.iterations(), 1));
  unlink(out.c_str());
  rmdir(folder);
}

double Least(const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); }

// Each run is one iteration; five of them, reported as min and median.
#define RECORD_BENCHMARK(name, extension)                                                          \
  BENCHMARK_CAPTURE(BM_DefaultCycle, name, extension)                                              \
      ->Iterations(1)                                                                              \
      ->Repetitions(5)                                                                             \
      ->UseRealTime()                                                                              \
      ->Unit(benchmark::kSecond)                                                                   \
      ->ComputeStatistics("min", Least)                                                            \
      ->ReportAggregatesOnly(true)

RECORD_BENCHMARK(mp4, ".mp4");
RECORD_BENCHMARK(webm, ".webm");
RECORD_BENCHMARK(gif, ".gif");

} // namespace

BENCHMARK_MAIN();
