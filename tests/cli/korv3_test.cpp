// The command-line runner as a user runs it: files beside the project, exit statuses, messages.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const std::string kRunner = std::string(KORVAL_BINARY_DIR) + "/bin/korv3";

struct Outcome {
  int status = -1;
  std::string output;  // standard output and standard error together
};

Outcome run(const std::string& args) {
  Outcome o;
  const std::string command = kRunner + " " + args + " 2>&1";
  std::FILE* p = popen(command.c_str(), "r");
  char buf[512];
  std::size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) o.output.append(buf, n);
  const int raw = pclose(p);
  o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return o;
}

std::string slurp(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

class Korv3 : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string templ = (fs::temp_directory_path() / "korv3-cli-XXXXXX").string();
    dir_ = mkdtemp(templ.data());
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path copy_example(const std::string& name, const std::string& as) {
    fs::copy_file(fs::path(KORVAL_SOURCE_DIR) / "examples" / name, dir_ / as);
    return dir_ / as;
  }
  fs::path dir_;
};

TEST(Engine, ExportsOnlyItsEntryPoint) {
  const std::string command = "nm -D --defined-only " + std::string(KORVAL_BINARY_DIR) + "/bin/libkorv3-comp.so";
  std::FILE* p = popen(command.c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string symbols;
  char line[512];
  while (std::fgets(line, sizeof line, p)) {
    std::string name(line);
    name = name.substr(name.rfind(' ') + 1);
    name.pop_back();
    if (name != "_init" && name != "_fini") symbols += name + " ";
  }
  pclose(p);
  EXPECT_EQ(symbols, "IKORVAL _IKORVAL ");
}

TEST_F(Korv3, HelpAndUsage) {
  const Outcome help = run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("usage: korv3 PROJECT.kvd"), std::string::npos);
  EXPECT_EQ(run("").status, 1);
  EXPECT_EQ(run("a.kvd b.kvd").status, 1);
}

TEST_F(Korv3, WritesReportAndPlotDataBesideTheProject) {
  const fs::path project = copy_example("circular-halfspace.kvd", "pump base.kvd");
  const Outcome o = run("'" + project.string() + "'");
  EXPECT_EQ(o.status, 0) << o.output;
  EXPECT_NE(o.output.find("computed (status 0)"), std::string::npos) << o.output;
  EXPECT_NE(slurp(dir_ / "pump base.kvo").find("FOOTING RESPONSE AMPLITUDES"), std::string::npos);
  EXPECT_EQ(slurp(dir_ / "pump base.kvp").substr(0, 6), "    99");
  // Nothing of the engine's own files lands beside the project.
  EXPECT_FALSE(fs::exists(dir_ / "names.dat"));
  EXPECT_FALSE(fs::exists(dir_ / "TAPE7"));
}

TEST_F(Korv3, ExitStatusIsTheEngineStatus) {
  std::ofstream(dir_ / "bad.kvd") << "FOUNDATION=SILO\nRUN\n";
  std::ofstream(dir_ / "stop.kvd") << "TITLE=Not yet\nSTOP\n";
  EXPECT_EQ(run((dir_ / "bad.kvd").string()).status, 3);
  EXPECT_EQ(run((dir_ / "stop.kvd").string()).status, 2);
  EXPECT_NE(slurp(dir_ / "bad.kvo").find("*** FATAL ERROR IN INPUT DATA ***"), std::string::npos);
}

TEST_F(Korv3, FilesThatCannotBeReadOrWritten) {
  const Outcome missing = run((dir_ / "absent.kvd").string());
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.output.find("cannot read the project file"), std::string::npos) << missing.output;
  EXPECT_NE(missing.output.find("absent.kvd"), std::string::npos);
  EXPECT_EQ(run(dir_.string()).status, 1);  // a folder is not a project

  const fs::path project = copy_example("rectangular-stratum.kvd", "blocked.kvd");
  fs::create_directory(dir_ / "blocked.kvo");  // the report's name is taken by a folder
  const Outcome blocked = run(project.string());
  EXPECT_EQ(blocked.status, 1);
  EXPECT_NE(blocked.output.find("cannot write the report"), std::string::npos) << blocked.output;
}

TEST_F(Korv3, SeveralRunsAtOnce) {
  const char* names[] = {"circular-halfspace.kvd", "rectangular-stratum.kvd", "startup-transient.kvd",
                         "random-halfspace.kvd"};
  std::string script;
  for (int k = 0; k < 4; ++k) {
    const fs::path p = copy_example(names[k], "p" + std::to_string(k) + ".kvd");
    script += kRunner + " " + p.string() + " > /dev/null & ";
  }
  script += "wait";
  ASSERT_EQ(std::system(script.c_str()), 0);
  for (int k = 0; k < 4; ++k) {
    const std::string report = slurp(dir_ / ("p" + std::to_string(k) + ".kvo"));
    EXPECT_NE(report.find("RESULTS"), std::string::npos) << names[k];
    EXPECT_EQ(report.find("ERROR"), std::string::npos) << names[k];
  }
}

}  // namespace
