// The job's token: hex digits from the system's random source that the deployed floppy image
// carries and that name a file beside the job, so that the DOS side runs this job and no other.
#pragma once

#include <cstddef>
#include <string>

#include "platform/platform.h"

namespace tovak {

// Eight digits: a DOS file name without an extension.
constexpr std::size_t kJobTokenLength = 8;

// Upper-case hex digits, fresh for every job.
bool MakeJobToken(SystemServices& system, std::string& token);
// root\boot\qelv\<token>, holding the token, flushed: the runner takes only a drive that has it.
bool WriteJobTokenMark(Platform& platform, const std::string& token);

}  // namespace tovak
