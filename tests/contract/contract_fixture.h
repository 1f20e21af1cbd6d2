// The fixture every contract case uses: a fresh environment and folder, and small helpers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/contract/contract_env.h"

namespace tovak::contract {

// Answers every message box with OK and remembers its text: the cases run unattended.
class RecordingUi : public UserInterface {
 public:
  MessageAnswer ShowMessage(const std::string& text, const std::string& title, MessageButtons,
                            MessageIcon) override {
    messages.push_back(title + ": " + text);
    return MessageAnswer::Ok;
  }
  void PumpMessages() override { ++pumps; }

  std::vector<std::string> messages;
  int pumps = 0;
};

class Contract : public ::testing::Test {
 protected:
  void SetUp() override {
    env_ = MakeContractEnv();
    base_ = env_->Base();
  }

  FileSystem& fs() { return env_->platform().files; }
  Profile& profile() { return env_->platform().profile; }
  std::uint32_t LastErrorCode() { return env_->platform().lastError.Get(); }
  std::string Path(const std::string& relative) const { return base_ + "\\" + relative; }

  void MakeFile(const std::string& relative, const std::string& bytes,
                std::uint32_t attributes = attr::kNormal) {
    auto file = fs().OpenForWriting(Path(relative));
    ASSERT_TRUE(file) << relative;
    ASSERT_TRUE(file->Write(bytes));
    ASSERT_TRUE(file->Close());
    file.reset();
    if (attributes != attr::kNormal) {
      ASSERT_TRUE(fs().SetAttributes(Path(relative), attributes));
    }
  }

  void MakeFolder(const std::string& relative) { ASSERT_TRUE(fs().CreateFolder(Path(relative))); }

  std::string Bytes(const std::string& relative) {
    std::string bytes;
    EXPECT_TRUE(env_->ReadBytes(Path(relative), bytes)) << relative;
    return bytes;
  }

  // Read-only, hidden and system: the bits that every implementation keeps alike.
  std::uint32_t Protective(const std::string& relative) {
    std::uint32_t value = fs().GetAttributes(Path(relative));
    return value == attr::kInvalid ? value : (value & attr::kProtective);
  }

  // Names a search yields, sorted: Wine lists in the host's directory order, Windows by name.
  std::vector<std::string> List(const std::string& pattern) {
    std::vector<std::string> names;
    FindData entry;
    auto search = fs().FindFirst(pattern, entry);
    if (!search) return names;
    do names.push_back(entry.name);
    while (search->Next(entry));
    std::sort(names.begin(), names.end());
    return names;
  }

  std::unique_ptr<ContractEnv> env_;
  std::string base_;
};

}  // namespace tovak::contract
