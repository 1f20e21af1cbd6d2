// Prints the ANSI code page Wine gives programs, so the test runner can refuse a wrong locale.
#include <windows.h>

#include <cstdio>

int main() {
  std::printf("%u\n", ::GetACP());
  return 0;
}
