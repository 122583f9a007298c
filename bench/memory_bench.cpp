// Peak memory of the command line's import and convert against the size of
// their input (10, 50 and 200 MB of VB declarations), as a user sees it: the
// program's peak resident memory. The same program's peak for a command that
// reads no input (stats on the empty catalogue) is the baseline of the run.
// Counters: input_MB, peak_MB, per_input (peak / input) and
// above_baseline_per_input ((peak - baseline) / input).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path& Folder() {
  static const fs::path dir = [] {
    std::string pattern = (fs::temp_directory_path() / "declarium-memory-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return fs::path(pattern);
  }();
  return dir;
}

// Runs the program in the folder with standard output discarded; its peak
// resident memory in bytes, or -1 when it failed.
double PeakOf(const std::vector<std::string>& args) {
  std::vector<std::string> words{DECLARIUM_CLI_PATH};
  words.insert(words.end(), args.begin(), args.end());
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(Folder().c_str()) != 0) _exit(126);
    const int out = open("/dev/null", O_WRONLY);
    dup2(out, 1);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

// A file of about megabytes MB of VB functions, types and constants, every
// name new, written as it is made.
fs::path Input(int megabytes) {
  const fs::path file = Folder() / ("in" + std::to_string(megabytes) + ".bas");
  if (fs::exists(file)) return file;
  std::ofstream out(file, std::ios::binary);
  const std::uintmax_t size = static_cast<std::uintmax_t>(megabytes) << 20;
  std::string chunk;
  for (long i = 0; static_cast<std::uintmax_t>(out.tellp()) < size; ++i) {
    const std::string n = std::to_string(i);
    chunk = "Private Declare Function Fn" + n + " Lib \"user32\" Alias \"FnA" + n +
            "\" (ByVal hWnd As Long, ByVal lpText As String, lParam As Any) As Long\r\n"
            "Public Type T" +
            n +
            "\r\n    x As Long\r\n    y As Long\r\n    name As String * 32\r\nEnd Type\r\n"
            "Public Const K_" +
            n + " = &H" + n + " ' remark " + n + "\r\n";
    out << chunk;
  }
  return file;
}

void Report(benchmark::State& state, const fs::path& input, double peak, double baseline) {
  const double bytes = static_cast<double>(fs::file_size(input));
  state.counters["input_MB"] = bytes / (1 << 20);
  state.counters["peak_MB"] = peak / (1 << 20);
  state.counters["per_input"] = peak / bytes;
  state.counters["above_baseline_per_input"] = (peak - baseline) / bytes;
  if (peak < 0) state.SkipWithError("the command failed");
}

// The command's peak with the input of state.range(0) MB named last, beside
// the baseline on a new catalogue.
void MeasurePeak(benchmark::State& state, std::vector<std::string> command) {
  const fs::path input = Input(static_cast<int>(state.range(0)));
  command.push_back(input.filename().string());
  double peak = -1, baseline = -1;
  for (auto _ : state) {
    fs::remove(Folder() / "data.db");
    PeakOf({"--db", "data.db", "init"});
    baseline = PeakOf({"--db", "data.db", "stats"});
    peak = PeakOf(command);
  }
  Report(state, input, peak, baseline);
}

void BM_ImportPeakMemory(benchmark::State& state) { MeasurePeak(state, {"--db", "data.db", "import", "--from", "vb"}); }
void BM_ConvertPeakMemory(benchmark::State& state) { MeasurePeak(state, {"convert", "--from", "vb", "--to", "e"}); }

BENCHMARK(BM_ImportPeakMemory)->Arg(10)->Arg(50)->Arg(200)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_ConvertPeakMemory)->Arg(10)->Arg(50)->Arg(200)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::remove_all(Folder(), ignored);
  return 0;
}
