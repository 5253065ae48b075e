// The fuzzer: feeds seeded mutations of valid samples to every reader of untrusted bytes in the
// framework and keeps the inputs that fail. Before each call the input is written to
// fuzz-last-<kind>.bin in the output folder, so a crash leaves its reproducer behind; a crash is
// reported with the kind and input number, a call slower than the time bound is kept as
// fuzz-slow-<kind>-<n>.bin and a broken interface promise as fuzz-fault-<kind>-<n>.bin, and both
// count as failures. A call that runs ten times the bound is taken for a hang and ends the program.
//
//   fuzz_tests [--kind NAME] [--seed N] [--count N] [--time-bound-ms N] [--out FOLDER]
//   fuzz_tests --replay FILE --kind NAME     runs one input, without the crash report (so that
//                                            Wine's debugger prints the stack)
//
// The output folder is --out, else TESSARO_TEST_OUTPUT, else the current folder. Each kind counts
// as one case in the closing "N passed, N failed" line; the exit status is 1 when any case failed,
// 2 for bad options, 4 after a hang and the exception code after a crash.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_kinds.h"
#include "tests/fuzz/input_mutator.h"
#include "tests/support/environment_path.h"
#include "tests/support/temp_files.h"

namespace veneer::test {
namespace {

constexpr int kHangFactor = 10;  // A call this many bounds long is a hang.
constexpr int kSlowCallRetries = 2;
constexpr int kMaxFailuresPerKind = 10;  // After these a kind stops: the rest would repeat them.
constexpr size_t kMaxPoolSize = 256;     // Seeds plus accepted mutants that inputs are made from.
// Accepted mutants join the pool only when their call was quick: otherwise a few expensive inputs
// (huge images) would breed a pool of expensive inputs and slow the search down. They still run.
constexpr double kMaxPoolCallMs = 5;

struct Options {
  uint64_t seed = 1;
  long long count = -1;  // Inputs per kind; -1 for each kind's default.
  std::string kind;      // Empty: every kind.
  int time_bound_ms = 250;
  std::wstring out;
  std::wstring replay;
};

// The reproducer file of one kind, kept open and rewritten before every call: under Wine, opening
// a file costs more than most calls. A crash leaves the last input in it (the system holds what
// WriteFile wrote, even when the process dies). Owns the handle.
class ReproducerFile {
 public:
  explicit ReproducerFile(const std::wstring& path)
      : file_(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ReproducerFile(const ReproducerFile&) = delete;
  ReproducerFile& operator=(const ReproducerFile&) = delete;
  ~ReproducerFile() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }

  // Writes from the start (an OVERLAPPED offset, no seek) and cuts the file only when it shrinks.
  bool Write(const std::string& input) {
    if (file_ == INVALID_HANDLE_VALUE) return false;
    OVERLAPPED at_start = {};
    DWORD written = 0;
    if (!WriteFile(file_, input.data(), static_cast<DWORD>(input.size()), &written, &at_start) ||
        written != input.size()) {
      return false;
    }
    FILE_END_OF_FILE_INFO end = {};
    end.EndOfFile.QuadPart = static_cast<LONGLONG>(input.size());
    const bool shrinks = input.size() < size_;
    size_ = input.size();
    return !shrinks || SetFileInformationByHandle(file_, FileEndOfFileInfo, &end, sizeof(end));
  }

 private:
  HANDLE file_;
  size_t size_ = 0;  // The file's length.
};

// The call in progress, read by the crash report and the hang watchdog.
struct CurrentCall {
  const char* kind = "";
  long long number = 0;
  std::wstring reproducer;
  std::wstring out;
  bool replaying = false;     // The input is a file given by hand: nothing to keep.
  volatile LONG started = 0;  // GetTickCount at the start of the call.
  volatile LONG active = 0;
};
CurrentCall g_call;

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::wstring KeptInputPath(const char* what, const char* kind, long long number) {
  return g_call.out + L"\\fuzz-" + Widen(what) + L"-" + Widen(kind) + L"-" + std::to_wstring(number) +
         L".bin";
}

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
  std::printf("CRASH: %s input %lld raised exception 0x%08lX at %p; the input is in %ls\n", g_call.kind,
              g_call.number, info->ExceptionRecord->ExceptionCode, info->ExceptionRecord->ExceptionAddress,
              g_call.reproducer.c_str());
  std::fflush(stdout);
  return EXCEPTION_EXECUTE_HANDLER;
}

DWORD WINAPI WatchForHangs(void* bound_ms) {
  const DWORD limit = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(bound_ms)) * kHangFactor;
  for (;;) {
    Sleep(100);
    if (g_call.active && GetTickCount() - static_cast<DWORD>(g_call.started) > limit) {
      const std::wstring kept =
          g_call.replaying ? g_call.reproducer : KeptInputPath("slow", g_call.kind, g_call.number);
      if (!g_call.replaying) CopyFileW(g_call.reproducer.c_str(), kept.c_str(), FALSE);
      std::printf("HANG: %s input %lld has run for more than %lu ms; the input is in %ls\n", g_call.kind,
                  g_call.number, limit, kept.c_str());
      std::fflush(stdout);
      TerminateProcess(GetCurrentProcess(), 4);
    }
  }
}

struct Outcome {
  bool accepted = false;
  double milliseconds = 0;
  std::string fault;  // Empty when the call kept every promise.
};

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

Outcome RunOnce(const FuzzKind& kind, const std::string& input) {
  Outcome outcome;
  LARGE_INTEGER start, end;
  InterlockedExchange(&g_call.started, static_cast<LONG>(GetTickCount()));
  InterlockedExchange(&g_call.active, 1);
  QueryPerformanceCounter(&start);
  try {
    outcome.accepted = kind.run(input, &outcome.fault);
  } catch (...) {
    outcome.fault = "a C++ exception left the call";
  }
  QueryPerformanceCounter(&end);
  InterlockedExchange(&g_call.active, 0);
  outcome.milliseconds = Milliseconds(start, end);
  return outcome;
}

// Runs the input; a call slower than the bound runs up to twice more and keeps the quickest time, so
// that a moment of a busy machine is not taken for a slow input.
Outcome RunJudged(const FuzzKind& kind, const std::string& input, int bound_ms) {
  Outcome outcome = RunOnce(kind, input);
  for (int retry = 0; retry < kSlowCallRetries && outcome.milliseconds > bound_ms; ++retry) {
    outcome.milliseconds = std::min(outcome.milliseconds, RunOnce(kind, input).milliseconds);
  }
  return outcome;
}

// Reports a failed call and keeps its input; returns whether the call failed.
bool ReportFailure(const FuzzKind& kind, long long number, const std::string& input, const Outcome& outcome,
                   const Options& options) {
  const bool slow = outcome.milliseconds > options.time_bound_ms;
  if (!slow && outcome.fault.empty()) return false;
  const std::wstring kept = KeptInputPath(slow ? "slow" : "fault", kind.name, number);
  WriteFileBytes(kept, input);
  if (slow) {
    std::printf("SLOW: %s input %lld took %.1f ms (bound %d ms); the input is in %ls\n", kind.name, number,
                outcome.milliseconds, options.time_bound_ms, kept.c_str());
  }
  if (!outcome.fault.empty()) {
    std::printf("FAULT: %s input %lld: %s; the input is in %ls\n", kind.name, number, outcome.fault.c_str(),
                kept.c_str());
  }
  return true;
}

// An untimed call with the first seed, so that first-use costs (fonts, caches) count against no input.
void WarmUp(const FuzzKind& kind, const std::vector<std::string>& seeds) {
  std::string ignored;
  kind.run(seeds.front(), &ignored);
}

uint64_t InputSeed(uint64_t seed, const char* kind, long long number) {
  uint64_t mixed = seed * 0x9E3779B97F4A7C15ull + static_cast<uint64_t>(number);
  for (const char* ch = kind; *ch; ++ch) mixed = (mixed ^ static_cast<unsigned char>(*ch)) * 0x100000001B3ull;
  return mixed;
}

// Runs the kind's seeds, then `count` mutants; returns whether every call passed.
bool FuzzKindInputs(const FuzzKind& kind, const Options& options) {
  const std::vector<std::string> seeds = kind.make_seeds();
  std::vector<std::string> pool = seeds;
  const long long count = options.count >= 0 ? options.count : kind.default_count;
  const long long total = static_cast<long long>(seeds.size()) + count;
  g_call.kind = kind.name;
  g_call.reproducer = options.out + L"\\fuzz-last-" + Widen(kind.name) + L".bin";
  ReproducerFile reproducer(g_call.reproducer);
  reproducer.Write(seeds.front());  // The loop below reports a file that cannot be written.
  WarmUp(kind, seeds);
  int failures = 0;
  long long accepted = 0, slowest_input = 0, number = 0;
  double seconds = 0, slowest = 0;
  for (; number < total && failures < kMaxFailuresPerKind; ++number) {
    const bool is_seed = number < static_cast<long long>(seeds.size());
    InputMutator mutator(InputSeed(options.seed, kind.name, number), kind.shape);
    std::string input = is_seed ? seeds[number] : pool[mutator.Below(pool.size())];
    if (!is_seed) mutator.Mutate(&input, pool[mutator.Below(pool.size())]);
    g_call.number = number;
    if (!reproducer.Write(input)) {
      std::printf("%s: cannot write %ls\n", kind.name, g_call.reproducer.c_str());
      return false;
    }
    Outcome outcome = RunJudged(kind, input, options.time_bound_ms);
    const bool must_accept = number < static_cast<long long>(seeds.size() - kind.foreign_seeds);
    if (must_accept && !outcome.accepted && outcome.fault.empty())
      outcome.fault = "a seed sample is not accepted";
    failures += ReportFailure(kind, number, input, outcome, options);
    accepted += outcome.accepted;
    seconds += outcome.milliseconds / 1000;
    if (outcome.milliseconds > slowest) slowest = outcome.milliseconds, slowest_input = number;
    if (!is_seed && outcome.accepted && outcome.milliseconds < kMaxPoolCallMs) {
      if (pool.size() < kMaxPoolSize) {
        pool.push_back(input);
      } else {
        pool[seeds.size() + mutator.Below(kMaxPoolSize - seeds.size())] = input;
      }
    }
  }
  if (failures >= kMaxFailuresPerKind) std::printf("%s: stopped after %d failures\n", kind.name, failures);
  std::printf(
      "%s: %lld inputs (%zu seeds, %lld accepted), %d failed, %.2f s in calls, slowest %.1f ms (input "
      "%lld)\n",
      kind.name, number, seeds.size(), accepted, failures, seconds, slowest, slowest_input);
  return failures == 0;
}

bool Replay(const FuzzKind& kind, const Options& options) {
  if (GetFileAttributesW(options.replay.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::printf("cannot read %ls\n", options.replay.c_str());
    return false;
  }
  WarmUp(kind, kind.make_seeds());  // Making the seeds also writes the files that some inputs name.
  const std::string input = ReadFileBytes(options.replay);
  g_call.kind = kind.name;
  g_call.reproducer = options.replay;
  g_call.replaying = true;
  const Outcome outcome = RunJudged(kind, input, options.time_bound_ms);
  const bool slow = outcome.milliseconds > options.time_bound_ms;
  std::printf("%s: %zu bytes %s in %.1f ms%s%s%s\n", kind.name, input.size(),
              outcome.accepted ? "accepted" : "rejected", outcome.milliseconds,
              slow ? ", slower than the bound" : "",
              outcome.fault.empty() ? "" : "; fault: ", outcome.fault.c_str());
  return outcome.fault.empty() && !slow;
}

bool ParseOptions(int argc, char** argv, Options* options) {
  for (int index = 1; index < argc; ++index) {
    const std::string name = argv[index];
    if (index + 1 >= argc) return false;
    const char* value = argv[++index];
    if (name == "--seed") {
      options->seed = std::strtoull(value, nullptr, 10);
    } else if (name == "--count") {
      options->count = std::strtoll(value, nullptr, 10);
    } else if (name == "--kind") {
      options->kind = value;
    } else if (name == "--time-bound-ms") {
      options->time_bound_ms = std::atoi(value);
    } else if (name == "--out") {
      options->out = Widen(value);
    } else if (name == "--replay") {
      options->replay = Widen(value);
    } else {
      return false;
    }
  }
  return options->time_bound_ms > 0 && (options->replay.empty() || !options->kind.empty());
}

int Main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::printf(
        "usage: fuzz_tests [--kind NAME] [--seed N] [--count N] [--time-bound-ms N] [--out FOLDER]\n"
        "       fuzz_tests --replay FILE --kind NAME [--time-bound-ms N]\n");
    return 2;
  }
  if (options.out.empty()) options.out = EnvironmentPath(L"TESSARO_TEST_OUTPUT");
  if (options.out.empty()) options.out = L".";
  CreateDirectoryW(options.out.c_str(), nullptr);
  g_call.out = options.out;
  CloseHandle(CreateThread(nullptr, 0, WatchForHangs,
                           reinterpret_cast<void*>(static_cast<UINT_PTR>(options.time_bound_ms)), 0,
                           nullptr));
  int passed = 0, failed = 0;
  for (const FuzzKind& kind : FuzzKinds()) {
    if (!options.kind.empty() && options.kind != kind.name) continue;
    if (options.replay.empty()) SetUnhandledExceptionFilter(ReportCrash);
    const bool ok = options.replay.empty() ? FuzzKindInputs(kind, options) : Replay(kind, options);
    (ok ? passed : failed) += 1;
  }
  if (passed + failed == 0) {
    std::printf("no kind named %s\n", options.kind.c_str());
    return 2;
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}

}  // namespace
}  // namespace veneer::test

int main(int argc, char** argv) { return veneer::test::Main(argc, argv); }
