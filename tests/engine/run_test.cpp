// Whole runs: status codes, the names file, repeatability, and robustness against bad input.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "engine/input/normaliser.hpp"
#include "input_harness.hpp"
#include "run_harness.hpp"

namespace korval::engine {
namespace {

using testing::contains;
using testing::example;
using testing::RunFolder;

const char* kFootingExamples[] = {"circular-halfspace.kvd", "rectangular-stratum.kvd", "startup-transient.kvd",
                                  "random-halfspace.kvd"};
const char* kAllExamples[] = {"circular-halfspace.kvd", "rectangular-stratum.kvd", "startup-transient.kvd",
                              "random-halfspace.kvd",   "pile-group.kvd",          "multilayer.kvd"};

TEST(Run, StatusCodes) {
  const std::string complete = example("circular-halfspace.kvd");
  const std::string without_load = complete.substr(0, complete.find("LOAD ")) + "RUN \r\n";
  const std::string without_gravity = complete.substr(0, complete.find("GRAVITY")) +
                                      complete.substr(complete.find("FOUNDATION"));
  const std::string fatal_then_stop = "FOUNDATION=SILO\r\nSTOP\r\n";
  const std::string stratum = example("rectangular-stratum.kvd");
  struct Case {
    const char* name;
    std::string project;
    int status;
    const char* line;
  } cases[] = {
      {"complete footing", complete, RunCompleted, "FOOTING RESPONSE AMPLITUDES"},
      {"title and stop", "TITLE=Nothing yet\r\nSTOP\r\n", RunStopped, " *** RUN TERMINATED BY 'STOP' KEYWORD ***"},
      {"no run", "TITLE=Nothing yet\r\n", RunStopped, " END OF FILE ENCOUNTERED - PROGRAM STOP EXECUTED"},
      {"cut inside the mass data", complete.substr(0, complete.find("MASS") + 12), RunStopped,
       " *** RUN TERMINATED BY 'STOP' KEYWORD ***"},
      {"fatal error then stop", fatal_then_stop, InputFatal, " *** FATAL ERROR IN INPUT DATA ***"},
      {"stratum cut before its depth", stratum.substr(0, stratum.find("0 0 3 3") + 7), InputFatal,
       "\n\n THE STRATUM OPTION IS NOT GOOD FOR THIS CASE\n CHECK YOUR E/R,E/H,R/H VALUES\n"},
      {"no load", without_load, InputFatal, " INSUFFICIENT INPUT DATA TO COMPLETE RUN"},
      {"no gravity", without_gravity, InputFatal, " GRAVITATIONAL CONSTANT NOT SET"},
      {"pile group", example("pile-group.kvd"), RunStopped, " PILE AND MULTILAYER FOUNDATIONS ARE NOT ANALYSED"},
  };
  RunFolder folder;
  for (const Case& c : cases) {
    const auto out = folder.run(c.project);
    EXPECT_EQ(out.status, c.status) << c.name << "\n" << out.report;
    EXPECT_TRUE(contains(out.report, c.line)) << c.name << "\n" << out.report;
  }
}

TEST(Run, StopBlockAndEmptyPlotData) {
  RunFolder folder;
  const auto out = folder.run("TITLE=Nothing yet\nSTOP\n");
  const std::string tail = "1\n\n\n\n *** RUN TERMINATED BY 'STOP' KEYWORD ***\n";
  ASSERT_GE(out.report.size(), tail.size());
  EXPECT_EQ(out.report.substr(out.report.size() - tail.size()), tail);
  EXPECT_TRUE(contains(out.report, "DATA ECHO"));
  EXPECT_EQ(out.plot, "");
}

// The data-echo page: banner box, the title in its 80 columns, the heading. The given title and
// the default one are both blank-filled to 80 characters.
TEST(Run, DataEchoPageHeader) {
  RunFolder folder;
  const auto out = folder.run("TITLE=Pump base\nSTOP\n");
  std::vector<std::string> lines;
  std::istringstream in(out.report);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  ASSERT_GE(lines.size(), 20u);
  const std::vector<std::string> expected = {
      "",
      "",
      "",
      " *************************************************",
      " *                                               *",
      " *        S O I L - F O U N D A T I O N          *",
      " *                                               *",
      " *     D Y N A M I C   S I M U L A T I O N       *",
      " *              KORVAL 3.0.8                      *",
      " *                                               *",
      "",  // run date
      "",  // time
      " *   MACHINE FOUNDATION IMPEDANCE AND RESPONSE   *",
      " *                                               *",
      " *************************************************",
      "",
      " Pump base" + std::string(80 - 9, ' '),
      "",
      "                      DATA ECHO",
      "                      *********",
  };
  for (std::size_t k = 0; k < expected.size(); ++k) {
    if (k == 10 || k == 11) continue;
    EXPECT_EQ(lines[k], expected[k]) << "line " << k + 1;
  }
  EXPECT_EQ(lines[10].substr(0, 27), " *             RUN DATE -  ");
  EXPECT_EQ(lines[10].size(), 50u);
  EXPECT_EQ(lines[11].substr(0, 27), " *             TIME     -  ");
  EXPECT_EQ(lines[11].size(), 50u);

  const auto untitled = folder.run("ECHO\nGRAVITY=9.8\nSTOP\n");
  EXPECT_FALSE(contains(untitled.report, "DATA ECHO"));
  const auto late = folder.run("GRAVITY=9.8\nTITLE=Late\nSTOP\n");
  const std::size_t gravity = late.report.find("GRAVITATIONAL CONSTANT SET TO"), echo = late.report.find("DATA ECHO");
  ASSERT_NE(echo, std::string::npos);
  EXPECT_LT(gravity, echo);
  EXPECT_TRUE(contains(late.report, "\n Late" + std::string(76, ' ') + "\n"));

  std::string project = example("circular-halfspace.kvd");
  project.erase(0, project.find('\n') + 1);  // without its TITLE line
  const auto results = folder.run(project);
  const std::size_t heading = results.report.find("\n\n                                 RESULTS\n");
  ASSERT_NE(heading, std::string::npos);
  const std::size_t title = results.report.rfind('\n', heading - 1) + 1;
  EXPECT_EQ(heading - title, 81u) << results.report.substr(title, heading - title);
}

TEST(Run, FatalBlockEndsTheReport) {
  RunFolder folder;
  const auto out = folder.run("GRAVITY=X\nRUN\n");
  const std::string tail = "1\n\n\n\n *** FATAL ERROR IN INPUT DATA ***\n *** EXEC   UTION TERMINATED ***\n";
  EXPECT_EQ(out.status, InputFatal);
  EXPECT_EQ(out.report.substr(out.report.size() - tail.size()), tail);
}

TEST(Run, NamesFallBackToStandardInput) {
  RunFolder folder;
  testing::write_file(folder.dir() / "project.kvd", "TITLE=Asked for\nSTOP\n");
  const auto out = folder.run_with_names("3.0.8\n", "project.kvd\nproject.kvo\nproject.kvp\n");
  EXPECT_EQ(out.status, RunStopped);
  EXPECT_EQ(out.prompts,
            "\n\n       ENTER A FILE NAME FOR YOUR INPUT FILE.\n ENTER >\n"
            "\n\n       ENTER A FILE NAME FOR YOUR OUTPUT FILE.\n ENTER >\n"
            "\n\n       ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE.\n ENTER >\n");
  EXPECT_TRUE(contains(out.report, "KORVAL 3.0.8"));
}

TEST(Run, FilesThatCannotBeOpened) {
  RunFolder folder;
  // No project file: the message is in the report, and the curves of an earlier run are gone.
  testing::write_file(folder.dir() / "project.kvp", "     1\n stale curves\n");
  const auto missing = folder.run_with_names("3.0.8\nmissing.kvd\nproject.kvo\nproject.kvp\n");
  EXPECT_EQ(missing.status, RunFileError);
  EXPECT_TRUE(contains(missing.report, "cannot open the input file 'missing.kvd'")) << missing.report;
  EXPECT_EQ(missing.plot, "");
  testing::write_file(folder.dir() / "project.kvd", "STOP\n");
  EXPECT_EQ(folder.run_with_names("3.0.8\nproject.kvd\nno/such/folder/r.kvo\nproject.kvp\n").status, RunFileError);
  // A plot-data file that cannot be created is reported in the report.
  const auto out = folder.run_with_names("3.0.8\nproject.kvd\nproject.kvo\nno/such/folder/p.kvp\n");
  EXPECT_EQ(out.status, RunFileError);
  EXPECT_TRUE(contains(out.report, "cannot open the plot-data file 'no/such/folder/p.kvp'"));
}

TEST(Run, ConsecutiveRunsAreIndependent) {
  RunFolder folder;
  const auto first = folder.run(example("circular-halfspace.kvd"));
  folder.run(example("rectangular-stratum.kvd"));
  folder.run("FOUNDATION=SILO\nRUN\n");
  const auto again = folder.run(example("circular-halfspace.kvd"));
  EXPECT_EQ(testing::without_stamp(first.report), testing::without_stamp(again.report));
  EXPECT_EQ(first.plot, again.plot);
}

TEST(Run, CrLfAndLfReadAlike) {
  RunFolder folder;
  std::string lf = example("rectangular-stratum.kvd");
  for (std::size_t p; (p = lf.find('\r')) != std::string::npos;) lf.erase(p, 1);
  const auto a = folder.run(example("rectangular-stratum.kvd"));
  const auto b = folder.run(lf);
  EXPECT_EQ(testing::without_stamp(a.report), testing::without_stamp(b.report));
}

TEST(Run, EveryExampleReadsWithoutInputErrors) {
  RunFolder folder;
  for (const char* name : kAllExamples) {
    const auto out = folder.run(example(name));
    EXPECT_FALSE(contains(out.report, "ERROR")) << name << "\n" << out.report;
    EXPECT_FALSE(contains(out.report, "UNRECOGNIZED")) << name;
    EXPECT_FALSE(contains(out.report, "SUBKEYWORD")) << name;
  }
  for (const char* name : kFootingExamples) EXPECT_EQ(folder.run(example(name)).status, RunCompleted) << name;
}

// Every example cut after each of its items, and with garbage in its lines, must end with a
// sound status and a report: never a crash, a hang or an out-of-bounds access (the sanitizer
// build checks the last).
TEST(Robustness, TruncatedAndGarbledExamples) {
  RunFolder folder;
  for (const char* name : kAllExamples) {
    const std::string text = example(name);
    // Cut points: the end of every item, found as the end of every run of non-separators.
    std::vector<std::size_t> cuts;
    for (std::size_t p = 1; p < text.size(); ++p) {
      const bool sep = std::string(" ,=*\r\n").find(text[p]) != std::string::npos;
      const bool prev_sep = std::string(" ,=*\r\n").find(text[p - 1]) != std::string::npos;
      if (sep && !prev_sep) cuts.push_back(p);
    }
    // Long histories: every item near the start and the end, a sample in between.
    std::vector<std::size_t> chosen;
    for (std::size_t k = 0; k < cuts.size(); ++k)
      if (k < 150 || k + 40 > cuts.size() || k % 17 == 0) chosen.push_back(cuts[k]);
    for (std::size_t cut : chosen) {
      const auto out = folder.run(text.substr(0, cut));
      EXPECT_TRUE(out.status == RunStopped || out.status == InputFatal || out.status == RunCompleted)
          << name << " cut at " << cut << " status " << out.status;
      EXPECT_FALSE(out.report.empty()) << name << " cut at " << cut;
    }
    // Garbage: each line in turn replaced by letters, digits and signs that make no sense.
    std::size_t start = 0;
    int line = 0;
    while (start < text.size() && line < 120) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      const char* junk[] = {"1E99 -.E+ 9(9(((", "$", "LOAD=RANDOM=CONSTANTS=-5 -5", "*** ,,, ===", "9(ABCDEFGH)"};
      const std::string garbled = text.substr(0, start) + junk[line % 5] + text.substr(end);
      const int status = folder.run(garbled).status;
      EXPECT_TRUE(status == RunStopped || status == InputFatal || status == RunCompleted) << name << " line " << line;
      start = end + 1;
      ++line;
    }
  }
}

TEST(Robustness, RandomMutations) {
  const std::string alphabet = "0123456789.+-E,=*$( )\n\tTHFQPSVXYZ";
  std::uint32_t state = 2026;
  auto next = [&] { return state = state * 1103515245u + 12345u; };
  RunFolder folder;
  for (const char* name : kAllExamples) {
    const std::string text = example(name);
    for (int variant = 0; variant < 60; ++variant) {
      std::string mutated = text;
      const int changes = 1 + static_cast<int>(next() % 8);
      for (int c = 0; c < changes; ++c) mutated[next() % mutated.size()] = alphabet[next() % alphabet.size()];
      const auto out = folder.run(mutated);
      EXPECT_TRUE(out.status == RunStopped || out.status == InputFatal || out.status == RunCompleted)
          << name << " variant " << variant << " status " << out.status;
    }
  }
}

TEST(Robustness, HostileCountsAndValues) {
  const std::string head = "GRAVITY=9.8\nFOUNDATION=HALF-SPACE\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nCONSTANTS\n0 0 0\n";
  const char* bodies[] = {
      "SOIL\nCONSTANTS=-3\n",
      "SOIL\nCONSTANTS=1E30\n",
      "SOIL\nCONSTANTS=0\nBELOW=0 0 0 0\nLOAD\nHARMONIC\nCONSTANTS\nQUADRATIC\n10 1 1\n1 1 1\n1 1 1\n0 0 0\nRUN\n",
      "SOIL\nCONSTANTS=0\nBELOW=100 18 0.7 -1\nLOAD\nHARMONIC\nCONSTANTS\nX\n10 1 1\n1 1 1\n1 1 1\n0 0 0\nRUN\n",
      "SOIL\nCONSTANTS=0\nBELOW=100 18 0.3 0\nLOAD\nTRANSIENT\nCONSTANTS\n1E9 0.01 1E9\n",
      "SOIL\nCONSTANTS=0\nBELOW=100 18 0.3 0\nLOAD\nTRANSIENT\nCONSTANTS\n1 -1 1\n3 1\nRUN\n",
      "SOIL\nCONSTANTS=0\nBELOW=100 18 0.3 0\nLOAD\nRANDOM\nCONSTANTS\n10 10 5 60 1\n1 1 1 1 1 1 1\nRUN\n",
      "SOIL\nCONSTANTS=0\nBELOW=100 18 0.3 0\nLOAD\nRANDOM\nCONSTANTS\n10 1 1 0.001 1\n3 3 1\nRUN\n",
      "SOIL\nCONSTANTS=0\nBELOW=100 18 0.3 0\nLOAD\nHARMONIC\nCONSTANTS\nNONQ\n1E38 -1E38 1E30\n1 1 1\n1 1 1\n0 0 0\nRUN\n",
  };
  RunFolder folder;
  for (const char* body : bodies) {
    const auto out = folder.run(head + body);
    EXPECT_TRUE(out.status == RunStopped || out.status == InputFatal || out.status == RunCompleted) << body;
    EXPECT_FALSE(contains(out.report, "NaN")) << body << "\n" << out.report;
  }
}

}  // namespace
}  // namespace korval::engine
