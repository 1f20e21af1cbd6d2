#include "app/bench_timer.h"

namespace tovak {

bool BenchTimer::Asked() { return ::GetEnvironmentVariableW(L"TOVAK_BENCH", nullptr, 0) != 0; }

void BenchTimer::Began() { ::QueryPerformanceCounter(&began_); }

void BenchTimer::Ended() { Note("job", began_); }

void BenchTimer::OkPressed() { ::QueryPerformanceCounter(&pressed_); }

void BenchTimer::WindowGone() { Note("ok", pressed_); }

void BenchTimer::Note(const char* what, const LARGE_INTEGER& since) {
  LARGE_INTEGER now, frequency;
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  const long long us = (now.QuadPart - since.QuadPart) * 1000000 / frequency.QuadPart;
  // Appended in place: a chain of + made half a kilobyte more code.
  lines_.append("tovak-bench ").append(what).append(" ").append(std::to_string(us));
  lines_.append(" us\r\n");
}

BenchTimer::~BenchTimer() {
  if (lines_.empty()) return;
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), lines_.data(), static_cast<DWORD>(lines_.size()),
              &written, nullptr);
}

}  // namespace tovak
