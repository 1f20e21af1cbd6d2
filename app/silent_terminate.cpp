// The library's default terminate handler names the uncaught exception on stderr, which a window
// program has not got, and links in the demangler and printf's number formatting to do it. This
// one only aborts, as that one does after its message.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
