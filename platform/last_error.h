// The calling thread's last-error code, as GetLastError and SetLastError have it.
#pragma once

#include <cstdint>

namespace tovak {

namespace error {
constexpr std::uint32_t kSuccess = 0;
constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kPathNotFound = 3;
constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kInvalidHandle = 6;
constexpr std::uint32_t kNotEnoughMemory = 8;
constexpr std::uint32_t kInvalidData = 13;
constexpr std::uint32_t kNotSameDevice = 17;
constexpr std::uint32_t kNoMoreFiles = 18;
constexpr std::uint32_t kWriteFault = 29;
constexpr std::uint32_t kSharingViolation = 32;
constexpr std::uint32_t kFileExists = 80;
constexpr std::uint32_t kInvalidParameter = 87;
constexpr std::uint32_t kDiskFull = 112;
constexpr std::uint32_t kInvalidName = 123;
constexpr std::uint32_t kDirNotEmpty = 145;
constexpr std::uint32_t kAlreadyExists = 183;
constexpr std::uint32_t kDirectory = 267;  // ERROR_DIRECTORY: the name is not a folder
constexpr std::uint32_t kNoUnicodeTranslation = 1113;
constexpr std::uint32_t kNotAllAssigned = 1300;
constexpr std::uint32_t kNoSuchPrivilege = 1313;
constexpr std::uint32_t kPrivilegeNotHeld = 1314;
constexpr std::uint32_t kResourceTypeNotFound = 1813;
constexpr std::uint32_t kResourceNameNotFound = 1814;
}  // namespace error

class LastError {
 public:
  virtual ~LastError() = default;
  virtual std::uint32_t Get() = 0;
  virtual void Set(std::uint32_t code) = 0;
};

}  // namespace tovak
