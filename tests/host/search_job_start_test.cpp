#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/job_start.h"
#include "tests/fake/fake_platform.h"

namespace kestrafil {
namespace {

using testing::FakePlatform;

const std::string kSystem = "C:\\Windows\\system32";
const std::string kScript = "C:\\Temp\\/XXXX.BAT";

std::vector<std::string> variables(const InterpreterStart& start) {
  std::vector<std::string> list;
  for (const auto& variable : start.added_variables) {
    list.push_back(std::string(variable.name) + "=" + std::string(variable.value));
  }
  return list;
}

TEST(JobStart, TheSystemsInterpreterRunsTheScriptThroughVariablesWhateverThePaths) {
  struct Case {
    const char* name;
    std::string script;
    std::string folder;
    std::string command_line;
    std::vector<std::string> variables;
  };
  const std::string interpreter = "\"" + kSystem + "\\cmd.exe\" /d /e:on /v:off /s /c ";
  const std::string local = interpreter + "\"\"%KESTRAFIL_SCRIPT%\"\"";
  const std::string network =
      interpreter + "\"pushd \"%KESTRAFIL_FOLDER%\" && (\"%KESTRAFIL_SCRIPT%\" & popd)\"";
  const Case cases[] = {
      {"a local folder", kScript, "C:\\Tools", local, {"KESTRAFIL_SCRIPT=" + kScript}},
      {"a drive root", kScript, "D:\\", local, {"KESTRAFIL_SCRIPT=" + kScript}},
      {"characters the interpreter would read stay in the variables",
       "C:\\Users\\50%off&^(x)\\Temp\\/XXXX.BAT",
       "C:\\Tools",
       local,
       {"KESTRAFIL_SCRIPT=C:\\Users\\50%off&^(x)\\Temp\\/XXXX.BAT"}},
      {"a network folder is mapped to a drive for the job",
       kScript,
       "\\\\server\\share\\Kestrafil",
       network,
       {"KESTRAFIL_SCRIPT=" + kScript, "KESTRAFIL_FOLDER=\\\\server\\share\\Kestrafil"}},
  };
  for (const auto& c : cases) {
    const auto start = interpreter_start(kSystem, c.script, c.folder);
    EXPECT_EQ(std::string(start.program), kSystem + "\\cmd.exe") << c.name;
    EXPECT_EQ(std::string(start.command_line), c.command_line) << c.name;
    EXPECT_EQ(variables(start), c.variables) << c.name;
  }
}

TEST(JobStart, ANetworkProgramFolderGivesTheInterpreterTheFolderToMap) {
  FakePlatform fake;
  fake.current_dir = "\\\\server\\share\\Kestrafil";
  JobLock lock(fake);
  ASSERT_EQ(lock.state(), JobLock::State::held);
  EXPECT_EQ(start_job(fake, lock, kScript), SystemError::none);

  ASSERT_EQ(fake.processes.size(), 1u);
  const auto& job = fake.processes[0];
  EXPECT_EQ(job.program, kSystem + "\\cmd.exe");
  EXPECT_EQ(job.command_line, "\"" + kSystem +
                                  "\\cmd.exe\" /d /e:on /v:off /s /c \"pushd "
                                  "\"%KESTRAFIL_FOLDER%\" && (\"%KESTRAFIL_SCRIPT%\" & popd)\"");
  EXPECT_EQ(job.added_variables,
            (std::vector<std::string>{"KESTRAFIL_SCRIPT=" + kScript,
                                      "KESTRAFIL_FOLDER=\\\\server\\share\\Kestrafil"}));
  EXPECT_EQ(job.removed_variables, (std::vector<std::string>{"DIRCMD", "COPYCMD"}));
  EXPECT_TRUE(job.resumed);
}

TEST(JobLock, IsHeldOnceAndGoesWithItsOwnerOrTheJobItWasHandedTo) {
  FakePlatform fake;
  const std::string name(kJobLockName);
  {
    JobLock first(fake);
    EXPECT_EQ(first.state(), JobLock::State::held);
    JobLock second(fake);
    EXPECT_EQ(second.state(), JobLock::State::busy);
    EXPECT_EQ(fake.named_events.at(name), 1) << "a refused lock keeps no handle";
  }
  EXPECT_TRUE(fake.named_events.empty()) << "a lock that was not handed on is released";

  fake.failure_reason = SystemError{6};
  fake.fail_named_event = true;
  const JobLock failed(fake);
  EXPECT_EQ(failed.state(), JobLock::State::failed);
  EXPECT_EQ(failed.error(), SystemError{6});
}

}  // namespace
}  // namespace kestrafil
