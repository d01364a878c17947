// Number texts keep the full stop under a comma-decimal locale (German), as the program runs
// with the user's locale in force.
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "components/ColumnTypes.hpp"
#include "components/Errors.hpp"
#include "components/Evaluator.hpp"
#include "components/NumberFormat.hpp"
#include "components/Table.hpp"
#include "components/WordRead.hpp"

namespace kc = korval::components;

namespace {

// Switches the process to de_DE, compiling the locale into the build tree when the system
// does not have it; restores the "C" locale afterwards.
class CommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Switch()) return;
    const std::string dir = std::string(KORVAL_BINARY_DIR) + "/locale";
    if (!std::filesystem::exists(dir + "/de_DE.UTF-8")) {
      const std::string make = "mkdir -p " + dir + " && localedef -i de_DE -f UTF-8 " + dir + "/de_DE.UTF-8 >/dev/null 2>&1";
      [[maybe_unused]] const int status = std::system(make.c_str());
    }
    setenv("LOCPATH", dir.c_str(), 1);  // before the first look there: failed looks are remembered
    if (Switch()) return;
    GTEST_SKIP() << "no de_DE locale on this machine and localedef could not make one";
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }

 private:
  static bool Switch() {
    return std::setlocale(LC_ALL, "de_DE.UTF-8") && std::string(std::localeconv()->decimal_point) == ",";
  }
};

TEST_F(CommaLocale, NumberTextsUseAFullStop) {
  EXPECT_EQ(kc::FormatGeneral(2.5L, kc::kCellDigits), "2.5");
  EXPECT_EQ(kc::FormatGeneral(1.0L / 3, kc::kEntryDigits), "0.333333333333333333");
  EXPECT_EQ(kc::EvaluateEntry("2.5*2"), 5.0L);
  EXPECT_EQ(kc::EvaluateEntry("(1/4)*2"), 0.5L);  // the inner value goes back as text
  EXPECT_THROW(kc::EvaluateEntry("2,5"), kc::EAssignError);

  const std::string path = ::testing::TempDir() + "locale.txt";
  std::ofstream(path) << "0.125 3.0\n";
  kc::TWordReader reader(path);
  EXPECT_EQ(reader.ReadReal(), 0.125L);
  EXPECT_EQ(reader.ReadInteger(), 3);

  kc::TGridTable table;
  auto& column = table.AddColumn(std::make_unique<kc::TFloatColumn>());
  table.SetRowCount(1);
  column.SetText(0, "1.5");
  EXPECT_EQ(column.GetText(0), "1.5");
}

}  // namespace
