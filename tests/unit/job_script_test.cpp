#include "job/job_script.h"

#include <gtest/gtest.h>

#include "sim/sim_windows.h"

namespace tovak {
namespace {

constexpr Operation kBackup = Operation::Backup;
constexpr Operation kRestore = Operation::Restore;

// The user's choice as a request carries it, and the drive map's answer.
struct Choice {
  Operation operation;
  const char* path;
  bool namesFile;  // what the split path must say
  const char* mapped;
  const char* compression;
};

std::string LineOf(const Choice& choice) {
  const JobRequest request{choice.operation, ImagePath(choice.path), choice.compression};
  EXPECT_EQ(request.image.namesFile, choice.namesFile) << choice.path;
  return GhostCommandLine(request, choice.mapped);
}

TEST(GhostCommandLine, IsBuiltFromTheUsersChoice) {
  struct Case {
    Choice job;
    const char* line;
  } cases[] = {
      {{kBackup, "d:\\Nusk", false, "", "z3"},
       "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk\\Nusk.gho -fx -sure -fro -z3"},
      {{kBackup, "e:\\", false, "", "z9"},
       "ghost.exe -clone,mode=pdump,src=1:1,dst=1:3:\\Nusk.gho -fx -sure -fro -z9"},
      {{kBackup, "d:\\img\\sys.gho", true, "2:1", "z6"},
       "ghost.exe -clone,mode=pdump,src=1:1,dst=2:1:\\img\\sys.gho -fx -sure -fro -z6"},
      {{kRestore, "d:\\Nusk\\Nusk.gho", true, "", "z9"},
       "Ghost.exe -clone,mode=pload,src=1:2:\\Nusk\\Nusk.gho:1,dst=1:1 -fx -sure"},
      // The compression text keeps its case; anything else falls back to z3.
      {{kBackup, "d:\\Nusk", false, "", "Z6"},
       "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk\\Nusk.gho -fx -sure -fro -Z6"},
      {{kBackup, "d:\\Nusk", false, "", ""},
       "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk\\Nusk.gho -fx -sure -fro -z3"},
      {{kBackup, "d:\\Nusk", false, "", "z5"},
       "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk\\Nusk.gho -fx -sure -fro -z3"},
      // The drive is lower-cased before the table is read; an unknown one gives partition 0.
      {{kBackup, "D:\\Nusk", false, "", "z3"},
       "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk\\Nusk.gho -fx -sure -fro -z3"},
      {{kBackup, "r:\\img", false, "", "z3"},
       "ghost.exe -clone,mode=pdump,src=1:1,dst=1:0:\\img\\Nusk.gho -fx -sure -fro -z3"},
      // A folder gets exactly one backslash before the image name.
      {{kBackup, "d:", false, "", "z3"},
       "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk.gho -fx -sure -fro -z3"},
      {{kBackup, "d:\\", false, "", "z3"},
       "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk.gho -fx -sure -fro -z3"},
      {{kBackup, "d:\\Nusk\\", false, "", "z3"},
       "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk\\Nusk.gho -fx -sure -fro -z3"},
      {{kBackup, "d:\\x.gho", true, "", "z3"},
       "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\x.gho -fx -sure -fro -z3"},
      // A mapped partition wins over the table, even for a drive the table lacks.
      {{kBackup, "r:\\x.gho", true, "2:1", "z3"},
       "ghost.exe -clone,mode=pdump,src=1:1,dst=2:1:\\x.gho -fx -sure -fro -z3"},
      {{kRestore, "q:\\备份\\系统.gho", true, "", "z3"},
       "Ghost.exe -clone,mode=pload,src=1:16:\\备份\\系统.gho:1,dst=1:1 -fx -sure"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LineOf(c.job), c.line) << c.job.path << " " << c.job.compression;
  }
}

// What a pending job will image or restore, read back from the script the job wrote.
TEST(GhostCommandLine, TheImageIsReadBackFromEitherForm) {
  struct Case {
    Choice job;
    const char* image;
  } cases[] = {
      {{kBackup, "d:\\Nusk", false, "", "z9"}, "1:2:\\Nusk\\Nusk.gho"},
      {{kBackup, "d:\\img\\sys.gho", true, "2:1", "z3"}, "2:1:\\img\\sys.gho"},
      {{kRestore, "q:\\备份\\系统.gho", true, "", ""}, "1:16:\\备份\\系统.gho"},
      {{kRestore, "d:\\a:1.gho", true, "", ""}, "1:2:\\a:1.gho"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ImageOfCommandLine(LineOf(c.job)), c.image) << c.job.path;
  }
  for (const char* other : {"", "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\x.gho",
                            "Ghost.exe -clone,mode=pload,src=1:2:\\x.gho", "echo z3",
                            // Lines the job never writes: the image is not read from them.
                            "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\x.gho -fx -sure -fro "
                            "-@3",
                            "Ghost.exe -clone,mode=pload,src=1:2:\\x.gho:1,dst=1:1 -fx -sure -rb",
                            "ghost.exe -clone,mode=pdump,src=1:1,dst=d:\\x.gho -fx -sure -fro "
                            "-z3"}) {
    EXPECT_EQ(ImageOfCommandLine(other), "") << other;
  }
}

TEST(GhostCommandLine, TheDriveTableSkipsFive) {
  struct Case {
    const char* path;
    int number;
  } cases[] = {{"c:", 1},   {"F:\\a", 4}, {"g:\\a", 6}, {"h:", 7}, {"Q:\\", 16},
               {"a:\\", 0}, {"b:", 0},    {"r:", 0},    {"z:", 0}, {"\\\\srv\\a", 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(PartitionNumber(ImagePath(c.path).drive), c.number) << c.path;
  }
}

TEST(GhostCommandLine, TheShortPathRuleCountsCharactersNotBytes) {
  EXPECT_EQ(ImagePath("d:备").fromRoot, "\\");  // three characters, five bytes
  EXPECT_EQ(ImagePath("d:\\备").fromRoot, "\\备");
}

TEST(GhostCommandLine, TheTailWithItsBlankHoldsAtMost126Bytes) {
  for (const char* program : {"ghost.exe ", "Ghost.exe "}) {
    EXPECT_TRUE(FitsCommandTail(program + std::string(125, 'x'))) << program;
    EXPECT_FALSE(FitsCommandTail(program + std::string(126, 'x'))) << program;
  }
}

class JobFilesTest : public ::testing::Test {
 protected:
  JobFilesTest() { windows_.PutFolder("C:\\boot\\qelv"); }
  sim::SimWindows windows_;
  Platform& platform_ = windows_.platform();
};

TEST_F(JobFilesTest, TheStateFileNamesTheScriptInLowerCase) {
  windows_.PutFile("C:\\boot\\qelv\\state.txt", "an older and much longer line\r\n");
  ASSERT_TRUE(WriteJobStateFile(platform_, kBackup));
  EXPECT_EQ(windows_.Bytes("C:\\boot\\qelv\\state.txt"), "msback.bat\r\n");
  ASSERT_TRUE(WriteJobStateFile(platform_, kRestore));
  EXPECT_EQ(windows_.Bytes("C:\\boot\\qelv\\state.txt"), "huifu.bat\r\n");
}

TEST_F(JobFilesTest, EachOperationHasItsOwnScriptAndTheOtherStays) {
  ASSERT_TRUE(WriteJobScript(platform_, kRestore, "restore"));
  ASSERT_TRUE(WriteJobScript(platform_, kBackup, "backup"));
  EXPECT_EQ(windows_.Bytes("C:\\boot\\qelv\\MsBack.bat"), "backup\r\n");
  EXPECT_EQ(windows_.Bytes("C:\\boot\\qelv\\huifu.bat"), "restore\r\n");
}

TEST_F(JobFilesTest, AScriptIsWrittenInTheAnsiCodePage) {
  const Choice job{kBackup, "d:\\备份", false, "", "z3"};
  ASSERT_TRUE(WriteJobScript(platform_, kBackup, LineOf(job)));
  EXPECT_EQ(windows_.Bytes("C:\\boot\\qelv\\MsBack.bat"),
            "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\\xB1\xB8\xB7\xDD\\Nusk.gho"
            " -fx -sure -fro -z3\r\n");
}

TEST_F(JobFilesTest, ALineTheCodePageCannotHoldIsNotWritten) {
  windows_.SetCodePage(1252);
  windows_.PutFile("C:\\boot\\qelv\\MsBack.bat", "old\r\n");
  const sim::Snapshot before = windows_.Take();
  EXPECT_FALSE(WriteJobScript(platform_, kBackup, "ghost.exe dst=1:2:\\备份"));
  EXPECT_EQ(windows_.Get(), error::kNoUnicodeTranslation);
  EXPECT_EQ(windows_.Take(), before);
}

// Wherever Windows lives; a root remembered from an earlier machine would write to the wrong drive.
TEST(JobFiles, GoIntoThePayloadFolderOfTheSystemDrive) {
  struct Case {
    const char* systemDirectory;
    const char* root;
    const char* otherRoot;
  } cases[] = {{"C:\\WINDOWS\\system32", "C:\\", "D:\\"}, {"D:\\WINNT\\system32", "D:\\", "C:\\"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.systemDirectory);
    sim::SimWindows w;
    w.AddDrive('D');
    w.PutFolder("C:\\boot\\qelv");
    w.PutFolder("D:\\boot\\qelv");
    w.SetSystemDirectory(c.systemDirectory);
    ASSERT_TRUE(WriteJobStateFile(w.platform(), kRestore));
    ASSERT_TRUE(WriteJobScript(w.platform(), kRestore, "restore"));
    const std::string folder = std::string(c.root) + "boot\\qelv\\";
    EXPECT_EQ(w.Bytes(folder + "state.txt"), "huifu.bat\r\n");
    EXPECT_EQ(w.Bytes(folder + "huifu.bat"), "restore\r\n");
    const std::string other = std::string(c.otherRoot) + "boot\\qelv\\";
    EXPECT_FALSE(w.Exists(other + "state.txt"));
    EXPECT_FALSE(w.Exists(other + "huifu.bat"));
  }
}

TEST_F(JobFilesTest, AFailingStepFailsTheWriteWithItsOwnError) {
  struct Case {
    sim::Op op;
    std::uint32_t error;
  } cases[] = {{sim::Op::OpenForWriting, error::kAccessDenied},
               {sim::Op::Write, error::kDiskFull},
               {sim::Op::Close, error::kWriteFault}};
  for (const Case& c : cases) {
    windows_.FailOn(c.op, "C:\\boot\\qelv\\state.txt", c.error);
    EXPECT_FALSE(WriteJobStateFile(platform_, kBackup)) << c.error;
    EXPECT_EQ(windows_.Get(), c.error);
    windows_.ClearFaults();
  }
  sim::SimWindows bare;  // no payload folder yet
  EXPECT_FALSE(WriteJobStateFile(bare.platform(), kBackup));
  EXPECT_EQ(bare.Get(), error::kPathNotFound);
}

}  // namespace
}  // namespace tovak
