// The maker's web address, as the link and the version block show it. A macro because the
// resource script reads this header too.
#pragma once

#define TOVAK_MAKER_ADDRESS "WWW.TOVAK.NET"
