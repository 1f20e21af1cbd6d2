// The process token's privileges, which the restart needs enabled.
#include "tests/contract/contract_fixture.h"

namespace tovak::contract {
namespace {

using Token = Contract;

// AdjustPrivilege asks for the previous state, so the token must be open for query as well.
TEST_F(Token, ChangesPrivilegesOnlyWhenOpenedToAdjustAndQuery) {
  SystemServices& system = env_->platform().system;
  Luid luid;
  ASSERT_TRUE(system.LookupPrivilege("SeShutdownPrivilege", luid));
  struct Case {
    std::uint32_t access;
    bool adjusts;
  } cases[] = {{0x08, false}, {0x20, false}, {0x28, true}};  // TOKEN_QUERY, TOKEN_ADJUST_PRIVILEGES
  for (const Case& c : cases) {
    Handle token = 0;
    ASSERT_TRUE(system.OpenProcessToken(system.CurrentProcess(), c.access, token)) << c.access;
    EXPECT_EQ(system.AdjustPrivilege(token, luid, 2), c.adjusts) << c.access;
    if (!c.adjusts) {
      EXPECT_EQ(LastErrorCode(), error::kAccessDenied) << c.access;
    }
    EXPECT_TRUE(system.CloseHandle(token)) << c.access;
  }
}

}  // namespace
}  // namespace tovak::contract
