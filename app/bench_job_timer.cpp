#include "app/bench_job_timer.h"

#include <string>

namespace tovak {

bool BenchJobTimer::Asked() {
  return ::GetEnvironmentVariableW(L"TOVAK_BENCH_JOB", nullptr, 0) != 0;
}

void BenchJobTimer::Began() { ::QueryPerformanceCounter(&began_); }

void BenchJobTimer::Ended() {
  LARGE_INTEGER now, frequency;
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  const long long us = (now.QuadPart - began_.QuadPart) * 1000000 / frequency.QuadPart;
  const std::string line = "tovak-bench job " + std::to_string(us) + " us\r\n";
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()),
              &written, nullptr);
}

}  // namespace tovak
