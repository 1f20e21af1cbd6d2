// Times Tovak under Wine against baselines and prints the figures (median and fastest of the runs)
// and their ratios beside the goals: of the medians, which the goals are about, and of the fastest
// runs, which a busy machine disturbs least; when the two disagree, the machine was not quiet.
// Usage: bench.exe TOVAK_EXE BARE_WINDOW_EXE CONTROLS_WINDOW_EXE PAYLOAD_FOLDER RUNS NAME...
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "bench/xp_drive.h"

namespace {

using tovak::bench::CopyWithCopyFileA;
using tovak::bench::OkToRestartQuestion;
using tovak::bench::StartToVisible;

// CopyFileA takes the ANSI code page.
std::string Ansi(const wchar_t* text) {
  char buffer[MAX_PATH * 2] = {};
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
  return buffer;
}

struct Figure {
  const char* what;
  std::vector<double> runs;

  bool Failed() const { return runs.empty() || Fastest() < 0; }
  double Median() const {
    std::vector<double> sorted = runs;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
  }
  double Fastest() const { return *std::min_element(runs.begin(), runs.end()); }
};

void Print(const Figure& figure) {
  if (figure.Failed()) {
    std::printf("bench: %-50s failed\n", figure.what);
    return;
  }
  std::printf("bench: %-50s %7.1f ms median, %7.1f ms fastest of %zu\n", figure.what,
              figure.Median(), figure.Fastest(), figure.runs.size());
}

// A goal of 0: the ratio is shown for comparison only.
void PrintRatio(const char* what, const Figure& figure, const Figure& floor, double goal) {
  if (figure.Failed() || floor.Failed()) {
    std::printf("bench: %-50s failed\n", what);
    return;
  }
  const double ratio = figure.Median() / floor.Median();
  std::printf("bench: %-50s %5.2fx (fastest %5.2fx)", what, ratio,
              figure.Fastest() / floor.Fastest());
  if (goal > 0) std::printf("  goal <= %.1fx: %s", goal, ratio <= goal ? "met" : "NOT MET");
  std::printf("\n");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 7) {
    std::fprintf(stderr, "usage: bench.exe TOVAK_EXE BARE_WINDOW_EXE CONTROLS_WINDOW_EXE "
                         "PAYLOAD_FOLDER RUNS NAME...\n");
    return 2;
  }
  const std::wstring tovak = argv[1];
  const std::wstring bare = argv[2];
  const std::wstring controls = argv[3];
  const std::string payload = Ansi(argv[4]);
  const int runs = std::max(1, _wtoi(argv[5]));
  std::vector<std::string> names;
  for (int i = 6; i < argc; ++i) names.push_back(Ansi(argv[i]));

  const tovak::bench::XpDrive drive;
  Figure job{"OK to the restart question (Tovak.exe)", {}};
  Figure unloaded{"  of it, OK to the window's unload (the job)", {}};
  Figure copy{"CopyFileA of the same files", {}};
  Figure copyFlushed{"CopyFileA of the same files, each flushed", {}};
  Figure tovakStart{"start to visible window: Tovak.exe", {}};
  Figure bareStart{"start to visible window: a bare window", {}};
  Figure controlsStart{"start to visible window: the same controls alone", {}};
  // One round first to warm the caches; its figures are dropped. Each timing of Tovak starts
  // from the drive as the run made it: a job left prepared is asked about at the next start.
  for (int round = 0; round <= runs; ++round) {
    drive.Restore();
    const tovak::bench::JobTimes jobTimes = OkToRestartQuestion(tovak);
    const double copyTime = CopyWithCopyFileA(payload, "C:\\bench-copy", names, false);
    const double copyFlushedTime = CopyWithCopyFileA(payload, "C:\\bench-copy", names, true);
    drive.Restore();
    const double tovakStartTime = StartToVisible(tovak, L"TovakFrmBack");
    const double bareStartTime = StartToVisible(bare, L"BareWindow");
    const double controlsStartTime = StartToVisible(controls, L"ControlsWindow");
    if (round == 0) continue;
    job.runs.push_back(jobTimes.question);
    unloaded.runs.push_back(jobTimes.unloaded);
    copy.runs.push_back(copyTime);
    copyFlushed.runs.push_back(copyFlushedTime);
    tovakStart.runs.push_back(tovakStartTime);
    bareStart.runs.push_back(bareStartTime);
    controlsStart.runs.push_back(controlsStartTime);
  }
  for (const Figure* figure :
       {&job, &unloaded, &copy, &copyFlushed, &tovakStart, &bareStart, &controlsStart}) {
    Print(*figure);
  }
  // The job's goal is against the same files copied and flushed; the restart question's box, which
  // Wine alone needs tens of milliseconds to show, comes after it. The start's goal is against a
  // window of this design holding nothing else; an empty window is shown beside it.
  PrintRatio("(a) the job, OK to unload / CopyFileA, flushed", unloaded, copyFlushed, 2.5);
  PrintRatio("    OK to restart question / CopyFileA, flushed", job, copyFlushed, 0);
  PrintRatio("(b) start to window / the same controls alone", tovakStart, controlsStart, 1.1);
  PrintRatio("    start to window / bare window", tovakStart, bareStart, 0);
  return 0;
}
