#include "payload/payload_catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tovak {
namespace {

// The sizes and the stand-in flag are generated: they must be those of the files this build made.
TEST(PayloadCatalogue, DescribesTheFilesThisBuildMade) {
  const std::filesystem::path folder = TOVAK_PAYLOAD_DIR;
  for (const PayloadFile& file : PayloadCatalogue()) {
    EXPECT_EQ(std::filesystem::file_size(folder / file.name),
              static_cast<std::uintmax_t>(file.size))
        << file.name;
  }
  std::ifstream standIns(folder / "standins.txt");
  ASSERT_TRUE(standIns);
  bool named = false;
  for (std::string line; std::getline(standIns, line);) {
    named = named || line.find_first_not_of(" \t\r") != std::string::npos;
  }
  EXPECT_EQ(PayloadHasStandIns(), named);
}

}  // namespace
}  // namespace tovak
