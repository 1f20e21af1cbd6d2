// The job's token: fresh for every job, carried by the deployed image and marked beside the job.
#include "job/job_token.h"

#include <gtest/gtest.h>

#include "job/pending_job_check.h"
#include "payload/payload_catalogue.h"
#include "tests/unit/job_harness.h"

namespace tovak::testing {
namespace {

// The token the deployed image carries, after checking that nothing else of it changed.
std::string DeployedToken(sim::SimWindows& w) {
  const PayloadFile& image = SmallCatalogue()[18];
  const std::string bytes = w.Bytes("C:\\boot\\qelv\\qelv.img");
  const std::string token = bytes.substr(static_cast<std::size_t>(image.tokenOffset), kJobTokenLength);
  EXPECT_EQ(bytes, DeployedPayload("qelv.img", token));
  EXPECT_EQ(token.find_first_not_of("0123456789ABCDEF"), std::string::npos) << token;
  EXPECT_EQ(w.Bytes("C:\\boot\\qelv\\" + token), token + "\r\n") << "the mark beside the job";
  return token;
}

TEST(JobToken, EachJobCarriesAFreshTokenAndACancelTakesItsMarkAway) {
  JobHarness job;
  sim::SimWindows& w = job.windows;
  job.Click();  // the restart question is answered No
  const std::string first = DeployedToken(w);

  w.QueueAnswer(MessageAnswer::Yes);
  OfferToCancelPendingJob(w.platform());
  EXPECT_FALSE(w.Exists("C:\\boot\\qelv\\" + first));

  job.form.unloaded = false;
  job.Click();
  EXPECT_NE(DeployedToken(w), first);
}

TEST(JobToken, WithoutARandomSourceNothingChanges) {
  JobHarness job;
  job.windows.SetRandomFails(true);
  const sim::Snapshot before = job.windows.Take();
  job.Click();
  EXPECT_TRUE(job.windows.Take() == before);
  ASSERT_EQ(job.Errors().size(), 1u);
  EXPECT_EQ(job.Errors()[0].text.rfind("写入任务标记失败：", 0), 0u) << job.Errors()[0].text;
  EXPECT_TRUE(job.form.Idle());
}

}  // namespace
}  // namespace tovak::testing
