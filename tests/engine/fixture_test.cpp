// Report regression as data: every project in fixtures/ beside its expected report and plot
// data, whose lines were checked by hand against the layout and against an independent
// computation. Numbers may differ in the last printed digit (single precision); everything
// else must agree to the character. The run's date and time are not compared.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "run_harness.hpp"

namespace korval::engine {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line))
    if (line.find("RUN DATE - ") == std::string::npos && line.find("TIME     -  ") == std::string::npos)
      out.push_back(line);
  return out;
}

// Two lines agree when their text outside numbers is identical and their numbers agree to a
// relative 2e-5 (or are both below 1e-30).
bool lines_agree(const std::string& a, const std::string& b) {
  static const std::regex number(R"(-?\d*\.\d+(E[-+]\d+)?|-?\d+)");
  if (a.size() != b.size()) return false;
  const std::string sa = std::regex_replace(a, number, "#"), sb = std::regex_replace(b, number, "#");
  if (sa != sb) return false;
  std::sregex_iterator ia(a.begin(), a.end(), number), ib(b.begin(), b.end(), number), end;
  for (; ia != end && ib != end; ++ia, ++ib) {
    const double x = std::strtod(ia->str().c_str(), nullptr), y = std::strtod(ib->str().c_str(), nullptr);
    if (std::fabs(x - y) > 2e-5 * std::max(std::fabs(x), std::fabs(y)) + 1e-30) return false;
  }
  return true;
}

void expect_same(const std::string& name, const std::string& actual, const std::string& expected) {
  const auto a = lines_of(actual), e = lines_of(expected);
  ASSERT_EQ(a.size(), e.size()) << name;
  for (std::size_t k = 0; k < a.size(); ++k)
    EXPECT_TRUE(lines_agree(a[k], e[k])) << name << " line " << k + 1 << "\n  got:      |" << a[k]
                                         << "|\n  expected: |" << e[k] << "|";
}

TEST(Fixtures, ReportsAndPlotData) {
  const fs::path dir = fs::path(KORVAL_SOURCE_DIR) / "tests" / "engine" / "fixtures";
  int count = 0;
  testing::RunFolder folder;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() != ".kvd") continue;
    ++count;
    const auto out = folder.run(testing::read_file(entry.path()));
    const fs::path stem = entry.path().parent_path() / entry.path().stem();
    expect_same(entry.path().filename().string() + " report", out.report, testing::read_file(stem.string() + ".kvo"));
    expect_same(entry.path().filename().string() + " plot data", out.plot, testing::read_file(stem.string() + ".kvp"));
  }
  EXPECT_GE(count, 3);
}

}  // namespace
}  // namespace korval::engine
