// Times Tovak under Wine against baselines and prints the figures (median and fastest of the runs).
// Usage: bench.exe TOVAK_EXE BARE_WINDOW_EXE PAYLOAD_FOLDER RUNS NAME...
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/timing.h"

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
};

void Print(const Figure& figure) {
  std::vector<double> runs = figure.runs;
  if (runs.empty() || *std::min_element(runs.begin(), runs.end()) < 0) {
    std::printf("bench: %-44s failed\n", figure.what);
    return;
  }
  std::sort(runs.begin(), runs.end());
  std::printf("bench: %-44s %7.1f ms median, %7.1f ms fastest of %zu\n", figure.what,
              runs[runs.size() / 2], runs.front(), runs.size());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 6) {
    std::fprintf(stderr, "usage: bench.exe TOVAK_EXE BARE_WINDOW_EXE PAYLOAD_FOLDER RUNS NAME...\n");
    return 2;
  }
  const std::wstring tovak = argv[1];
  const std::wstring bare = argv[2];
  const std::string payload = Ansi(argv[3]);
  const int runs = std::max(1, _wtoi(argv[4]));
  std::vector<std::string> names;
  for (int i = 5; i < argc; ++i) names.push_back(Ansi(argv[i]));

  Figure job{"OK to the restart question (Tovak.exe)", {}};
  Figure copy{"CopyFileA of the same payload files", {}};
  Figure tovakStart{"start to visible window: Tovak.exe", {}};
  Figure bareStart{"start to visible window: a bare window", {}};
  // One round first to warm the caches; its figures are dropped.
  for (int round = 0; round <= runs; ++round) {
    const double times[] = {OkToRestartQuestion(tovak),
                            CopyWithCopyFileA(payload, "C:\\bench-copy", names),
                            StartToVisible(tovak, L"TovakFrmBack"),
                            StartToVisible(bare, L"BareWindow")};
    if (round == 0) continue;
    job.runs.push_back(times[0]);
    copy.runs.push_back(times[1]);
    tovakStart.runs.push_back(times[2]);
    bareStart.runs.push_back(times[3]);
  }
  for (const Figure* figure : {&job, &copy, &tovakStart, &bareStart}) Print(*figure);
  return 0;
}
