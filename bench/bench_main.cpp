// Times Tovak under Wine against floors of the same work and prints the figures (median and
// fastest of the runs) and their ratios beside the goals: of the medians, which the goals are
// about, and of the fastest runs, which a busy machine disturbs least; when the two disagree, the
// machine was not quiet. With --compare the ratios are shown without their goals.
// Usage: bench.exe TOVAK_EXE BARE_WINDOW_EXE CONTROLS_WINDOW_EXE RUNS [--compare]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "bench/xp_drive.h"

namespace {

using namespace tovak::bench;

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
    std::printf("bench: %-56s failed\n", figure.what);
    return;
  }
  std::printf("bench: %-56s %7.1f ms median, %7.1f ms fastest of %zu\n", figure.what,
              figure.Median(), figure.Fastest(), figure.runs.size());
}

// A goal of 0: the ratio is shown for comparison only.
void PrintRatio(const char* what, const Figure& figure, const Figure& floor, double goal) {
  if (figure.Failed() || floor.Failed()) {
    std::printf("bench: %-56s failed\n", what);
    return;
  }
  const double ratio = figure.Median() / floor.Median();
  const double fastest = figure.Fastest() / floor.Fastest();
  std::printf("bench: %-56s %5.2fx (fastest %5.2fx)", what, ratio, fastest);
  if (goal > 0) {
    std::printf("  goal <= %.1fx: %s", goal,
                ratio <= goal && fastest <= goal ? "met" : "NOT MET");
  }
  std::printf("\n");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool compare = argc == 6 && std::wstring(argv[5]) == L"--compare";
  if (argc != 5 && !compare) {
    std::fprintf(stderr, "usage: bench.exe TOVAK_EXE BARE_WINDOW_EXE CONTROLS_WINDOW_EXE RUNS"
                         " [--compare]\n");
    return 2;
  }
  const std::wstring tovak = argv[1];
  const std::wstring bare = argv[2];
  const std::wstring controls = argv[3];
  const int runs = std::max(1, _wtoi(argv[4]));

  const XpDrive drive;
  JobFloor floor;
  Figure job{"the job's steps: Tovak.exe /backup d:\\Nusk", {}};
  Figure windowJob{"the job's steps: OK in the window", {}};
  Figure floorTime{"its floor: the job's files on C: by CopyFileA, flushed", {}};
  Figure seen{"OK to the window seen gone by the bench: Tovak.exe", {}};
  Figure controlsSeen{"OK to the window seen gone by the bench: the same controls", {}};
  Figure ok{"OK to the window gone, as Tovak.exe times it", {}};
  Figure share{"  of it the window's share (less the job's steps)", {}};
  Figure controlsOk{"OK to the window gone, as the same controls time it", {}};
  Figure tovakStart{"start to visible window: Tovak.exe", {}};
  Figure bareStart{"start to visible window: a bare window", {}};
  Figure controlsStart{"start to visible window: the same controls alone", {}};
  // One round first to warm the caches; its figures are dropped. Each timing of Tovak starts
  // from the drive as the run made it: a job left prepared is asked about at the next start.
  for (int round = 0; round <= runs; ++round) {
    drive.Restore();
    const WindowTimes window = OkToWindowGone(tovak);
    // The floor writes what the job left, from the same bytes.
    if (round == 0 && !floor.Take()) std::printf("bench: the job left no files to copy\n");
    drive.Restore();
    const double jobTime = CommandLineJob(tovak, L"/backup d:\\Nusk");
    const double floorRun = floor.Write();
    const WindowTimes controlsWindow = ControlsOkToWindowGone(controls);
    drive.Restore();
    const double tovakStartTime = StartToVisible(tovak, L"TovakFrmBack");
    const double bareStartTime = StartToVisible(bare, L"BareWindow");
    const double controlsStartTime = StartToVisible(controls, L"ControlsWindow");
    if (round == 0) continue;
    job.runs.push_back(jobTime);
    windowJob.runs.push_back(window.job);
    floorTime.runs.push_back(floorRun);
    seen.runs.push_back(window.seen);
    controlsSeen.runs.push_back(controlsWindow.seen);
    ok.runs.push_back(window.ok);
    share.runs.push_back(window.ok < 0 || window.job < 0 ? -1 : window.ok - window.job);
    controlsOk.runs.push_back(controlsWindow.ok);
    tovakStart.runs.push_back(tovakStartTime);
    bareStart.runs.push_back(bareStartTime);
    controlsStart.runs.push_back(controlsStartTime);
  }
  drive.Restore();
  for (const Figure* figure : {&job, &windowJob, &floorTime, &ok, &share, &controlsOk, &seen,
                               &controlsSeen, &tovakStart, &bareStart, &controlsStart}) {
    Print(*figure);
  }
  // Each goal is against the floor of the same work; the ratios without a goal are beside them
  // for comparison.
  const double judged = compare ? 0 : 1;
  PrintRatio("(1) the job's steps (/backup) / its floor", job, floorTime, 2.0 * judged);
  PrintRatio("    the job's steps (window) / its floor", windowJob, floorTime, 0);
  PrintRatio("(2) the window's share of OK / the same controls'", share, controlsOk, 1.2 * judged);
  PrintRatio("(3) start to window / the same controls alone", tovakStart, controlsStart,
             1.1 * judged);
  PrintRatio("    start to window / bare window", tovakStart, bareStart, 0);
  return 0;
}
