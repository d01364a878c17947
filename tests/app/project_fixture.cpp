#include "project_fixture.hpp"

#include <stdlib.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "components/ColumnTypes.hpp"
#include "components/TableColumn.hpp"

namespace korval::app::testing {

using components::TGridTable;

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

void Fill(TGridTable& table, std::initializer_list<std::initializer_list<long double>> rows) {
  table.SetRowCount(static_cast<int>(rows.size()));
  int r = 0;
  for (const auto& row : rows) {
    int c = 0;
    for (long double value : row) {
      if (dynamic_cast<const components::TEnumColumn*>(&table.Column(c)))
        table.Cell(c, r).SetInt(static_cast<int>(value));
      else
        table.Cell(c, r).SetFloat(value);
      ++c;
    }
    ++r;
  }
}

void FillSeries(TGridTable& table, const std::vector<Series>& rows) {
  table.SetRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < table.RowCount(); ++r) {
    const Series& s = rows[static_cast<std::size_t>(r)];
    table.Cell(0, r).SetInt(s.direction);
    TGridTable& values = *table.Cell(1, r).GetTable();
    values.SetRowCount(static_cast<int>(s.values.size()));
    for (int k = 0; k < values.RowCount(); ++k) values.Cell(0, k).SetFloat(s.values[static_cast<std::size_t>(k)]);
  }
}

namespace {

#define KORVAL_FIELD(name) {#name, &TProgramData::name}

const std::pair<const char*, long double TProgramData::*> kReals[] = {
    KORVAL_FIELD(ElementDepth), KORVAL_FIELD(Mass), KORVAL_FIELD(InertiaX), KORVAL_FIELD(InertiaY),
    KORVAL_FIELD(InertiaZ), KORVAL_FIELD(ProductXY), KORVAL_FIELD(ProductXZ), KORVAL_FIELD(ProductYZ),
    KORVAL_FIELD(BaseX), KORVAL_FIELD(BaseY), KORVAL_FIELD(BaseZ), KORVAL_FIELD(PileLength),
    KORVAL_FIELD(PileUnitWeight), KORVAL_FIELD(StaticLoad), KORVAL_FIELD(PilePoisson), KORVAL_FIELD(PileDamping),
    KORVAL_FIELD(ShearCoefficient), KORVAL_FIELD(EmbedmentDepth), KORVAL_FIELD(BedrockDepth), KORVAL_FIELD(CgX),
    KORVAL_FIELD(CgY), KORVAL_FIELD(CgZ), KORVAL_FIELD(CbGlobalX), KORVAL_FIELD(CbGlobalY), KORVAL_FIELD(CbGlobalZ),
    KORVAL_FIELD(CbX), KORVAL_FIELD(CbY), KORVAL_FIELD(CbZ), KORVAL_FIELD(FreqMax), KORVAL_FIELD(FreqMin),
    KORVAL_FIELD(FreqStep), KORVAL_FIELD(ForceX), KORVAL_FIELD(ForceY), KORVAL_FIELD(ForceZ), KORVAL_FIELD(MomentX),
    KORVAL_FIELD(MomentY), KORVAL_FIELD(MomentZ), KORVAL_FIELD(LoadPointX), KORVAL_FIELD(LoadPointY),
    KORVAL_FIELD(LoadPointZ), KORVAL_FIELD(BelowVs), KORVAL_FIELD(BelowUnitWeight), KORVAL_FIELD(BelowDamping),
    KORVAL_FIELD(BelowPoisson), KORVAL_FIELD(Radius), KORVAL_FIELD(LengthX), KORVAL_FIELD(WidthY),
    KORVAL_FIELD(SoilDepth), KORVAL_FIELD(PileModulus), KORVAL_FIELD(TimeStep), KORVAL_FIELD(RandomFreqMax),
    KORVAL_FIELD(RandomFreqMin), KORVAL_FIELD(ObservationPeriod),
};
const std::pair<const char*, int TProgramData::*> kIntegers[] = {
    KORVAL_FIELD(Units),     KORVAL_FIELD(FoundationKind), KORVAL_FIELD(MassCount),       KORVAL_FIELD(HeadFixed),
    KORVAL_FIELD(Circular),  KORVAL_FIELD(EndBearing),     KORVAL_FIELD(StiffnessMatrix), KORVAL_FIELD(LoadType),
    KORVAL_FIELD(Interaction), KORVAL_FIELD(PointCount),   KORVAL_FIELD(LoadCount),       KORVAL_FIELD(Quadratic),
};
const std::pair<const char*, std::string TProgramData::*> kTexts[] = {
    KORVAL_FIELD(FileName), KORVAL_FIELD(GeometryFileName), KORVAL_FIELD(FoundationKeyword), KORVAL_FIELD(LoadLine),
    KORVAL_FIELD(Title),    KORVAL_FIELD(HeadText),         KORVAL_FIELD(TipText),           KORVAL_FIELD(InteractionText),
};
const std::pair<const char*, std::uint8_t TProgramData::*> kFlags[] = {
    KORVAL_FIELD(BatteredFlag), KORVAL_FIELD(SideCapWeakFlag), KORVAL_FIELD(WeakFlag)};

#undef KORVAL_FIELD

void Snapshot(const TGridTable& table, const std::string& name, std::vector<std::string>& out) {
  out.push_back(name + " rows " + std::to_string(table.RowCount()));
  for (int c = 0; c < table.ColumnCount(); ++c)
    for (int r = 0; r < table.RowCount(); ++r) {
      const std::string cell = name + "[" + std::to_string(c) + "," + std::to_string(r) + "]";
      if (const auto* column = dynamic_cast<const components::TTableColumn*>(&table.Column(c))) {
        if (const TGridTable* sub = column->GetTable(r)) Snapshot(*sub, cell, out);
      } else {
        out.push_back(cell + " " + table.Cell(c, r).GetText());
      }
    }
}

}  // namespace

void ExpectSameFields(const TProgramData& a, const TProgramData& b, const FieldNames& skip) {
  for (const auto& [name, field] : kReals)
    if (!skip.count(name)) {
      EXPECT_NEAR(a.*field, b.*field, 1e-12L * std::fabs(a.*field)) << name;
    }
  for (const auto& [name, field] : kIntegers)
    if (!skip.count(name)) {
      EXPECT_EQ(a.*field, b.*field) << name;
    }
  for (const auto& [name, field] : kTexts)
    if (!skip.count(name)) {
      EXPECT_EQ(a.*field, b.*field) << name;
    }
  for (const auto& [name, field] : kFlags)
    if (!skip.count(name)) {
      EXPECT_EQ(a.*field, b.*field) << name;
    }
}

std::vector<std::string> TableSnapshot(TProjectTables& tables) {
  const char* names[] = {"D",          "TLoadtype", "PileData",  "pilecapsoil", "Multisoil", "MultiElement", "Pilecoord",
                         "Dtransient", "Trandom",   "Tspectrum", "D1",          "TBattered", "MassCal"};
  std::vector<std::string> out;
  int k = 0;
  for (const TGridTable* table : tables.All()) Snapshot(*table, names[k++], out);
  return out;
}

void ExpectSameTables(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    if (a[i] != b[i]) {
      ADD_FAILURE() << "first difference: " << a[i] << " | " << b[i];
      return;
    }
  EXPECT_EQ(a.size(), b.size());
}

ProjectTest::ProjectTest() {
  std::string templ = (std::filesystem::temp_directory_path() / "korval-app-XXXXXX").string();
  dir_ = mkdtemp(templ.data());
}

ProjectTest::~ProjectTest() {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

std::string ProjectTest::Save(TProgramData& project, const std::string& name) {
  project.FileName = Path(name).string();
  project.Write();
  return ReadBytes(project.FileName);
}

}  // namespace korval::app::testing
