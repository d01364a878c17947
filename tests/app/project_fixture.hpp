// Helpers of the project model tests: a folder of its own for the files of each test, table
// fillers, and the comparison of two projects field by field and cell by cell.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "app/DataUnit.hpp"

namespace korval::app::testing {

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// Sets the rows of `table` to `rows`, cell by cell: a choice column takes the value as its
// item number, a float column as its number.
void Fill(components::TGridTable& table, std::initializer_list<std::initializer_list<long double>> rows);

// One row per loaded direction (transient) or spectrum (random): the direction and the values
// of the row's table.
struct Series {
  int direction;
  std::vector<long double> values;
};
void FillSeries(components::TGridTable& table, const std::vector<Series>& rows);

// Fields that the project file does not carry back: derived on saving, or kept by the reader.
using FieldNames = std::set<std::string>;

// Every field of `b` equal to that of `a` (reals within a relative 1e-12, for values that went
// through a conversion), except those named in `skip`.
void ExpectSameFields(const TProgramData& a, const TProgramData& b, const FieldNames& skip = {});

// The cells of every table, sub-tables included, as they stand now; compare two snapshots.
std::vector<std::string> TableSnapshot(TProjectTables& tables);
void ExpectSameTables(const std::vector<std::string>& a, const std::vector<std::string>& b);

// The project tables and a private folder for the files of one test.
class ProjectTest : public ::testing::Test {
 protected:
  ProjectTest();
  ~ProjectTest() override;

  std::filesystem::path Path(const std::string& name) const { return dir_ / name; }
  // Saves `project` as `name` in the test's folder and returns the bytes of the project file.
  std::string Save(TProgramData& project, const std::string& name = "project.kvd");

  TProjectTables tables;

 private:
  std::filesystem::path dir_;
};

}  // namespace korval::app::testing
