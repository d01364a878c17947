// The project model: a new project, the project tables as the program stores them, and the
// switch between the unit systems.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "components/ValueStream.hpp"
#include "components/Units.hpp"
#include "project_fixture.hpp"

namespace korval::app::testing {
namespace {

namespace kc = korval::components;
using ModelTest = ProjectTest;

TEST_F(ModelTest, NewProject) {
  tables.D1.SetRowCount(5);  // left over from an earlier project
  tables.D1.SetUnits(kc::kEnglishUnits);
  const TProgramData p(tables);
  EXPECT_EQ(p.Units, kc::kSIUnits);
  EXPECT_EQ(p.FileName, "NewData.kvd");
  EXPECT_EQ(p.Title, "New Pile");
  EXPECT_EQ(p.FoundationKeyword, "HALF-SPACE");
  EXPECT_EQ(p.FoundationKind, kHalfSpace);
  EXPECT_EQ(p.Circular, 0);
  EXPECT_EQ(p.LoadType, kHarmonicLoad);
  EXPECT_EQ(p.Quadratic, 0);
  EXPECT_EQ(p.HeadFixed, 1);
  EXPECT_EQ(p.EndBearing, 0);
  EXPECT_EQ(p.Interaction, 1);
  EXPECT_EQ(p.StiffnessMatrix, 1);
  EXPECT_EQ(p.BatteredFlag, 0);
  EXPECT_EQ(p.SideCapWeakFlag, 0);
  EXPECT_EQ(p.WeakFlag, 1);
  for (kc::TGridTable* table : tables.All()) {
    EXPECT_EQ(table->RowCount(), 1) << table->Caption();
    EXPECT_EQ(table->Units(), kc::kSIUnits) << table->Caption();
    EXPECT_FALSE(table->IsChanged()) << table->Caption();
  }
  EXPECT_EQ(tables.D1.Cell(0, 0).GetFloat(), 0);
  EXPECT_EQ(tables.Pilecoord.Cell(3, 0).GetInt(), 1);  // a new pile is battered in the XZ plane
}

// The stored form of two table definitions, written out independently of the writer: the soil
// properties begin "5 2 ('Shear wave' 'velocity, ') True False False 'FLOATCOLUMN2' 'L2/SEC'
// 0.0 2 ('Unit weight' '') ...", the transient loading is an enumeration of the six directions
// and a table column whose six templates are the table with identifier 8.
TEST_F(ModelTest, StoredColumnDefinitions) {
  using Bytes = std::vector<std::uint8_t>;
  const auto str = [](const std::string& s) {
    Bytes b{6, static_cast<std::uint8_t>(s.size())};
    for (char c : s) b.push_back(static_cast<std::uint8_t>(c));
    return b;
  };
  const auto cat = [](std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
  };
  const Bytes t{9}, f{8}, begin{1}, end{0}, zero{5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const auto int8 = [](int v) { return Bytes{2, static_cast<std::uint8_t>(v)}; };
  const auto written = [](const kc::TGridTable& table) {
    kc::TValueWriter w;
    table.WriteColumns(w);
    return w.Bytes();
  };

  const Bytes soil = cat({int8(5), int8(2), begin, str("Shear wave"), str("velocity, "), end, t, f, f,
                          str("FLOATCOLUMN2"), str("L2/SEC"), zero, int8(2), begin, str("Unit weight"), str(""), end,
                          t, f, f, str("FLOATCOLUMN2"), str("F/L2^3"), zero});
  const Bytes d = written(tables.D);
  ASSERT_GE(d.size(), soil.size());
  EXPECT_EQ(Bytes(d.begin(), d.begin() + static_cast<std::ptrdiff_t>(soil.size())), soil);

  const Bytes transient =
      cat({int8(2), int8(0), begin, str("Load type"), end, t, f, begin, str("Force in X-direction"),
           str("Force in Y-direction"), str("Force in Z-direction"), str("Moment about X-axis"),
           str("Moment about Y-axis"), str("Moment about Z-axis"), end, int8(3), begin, str("Load amplitude"), end, t,
           f, str("FLEXCOLUMN2"), begin, int8(8), int8(8), int8(8), int8(8), int8(8), int8(8), end});
  EXPECT_EQ(written(tables.TLoadtype), transient);
}

TEST_F(ModelTest, LoadingRowsHoldTablesOfTheirTemplates) {
  const TProgramData p(tables);
  const struct {
    kc::TGridTable& table;
    const char* caption;
  } cases[] = {{tables.TLoadtype, "Load Amplitude"}, {tables.Trandom, "Random Spectrum Data"}};
  for (const auto& c : cases) {
    c.table.Cell(0, 0).SetInt(4);
    const kc::TGridTable* values = c.table.Cell(1, 0).GetTable();
    ASSERT_NE(values, nullptr) << c.caption;
    EXPECT_EQ(values->Caption(), c.caption);
    EXPECT_EQ(values->RowCount(), 1);
    EXPECT_EQ(values->Units(), kc::kSIUnits);
    EXPECT_EQ(dynamic_cast<const kc::TFloatColumn&>(values->Column(0)).UnitString(), "F");
  }
  EXPECT_EQ(tables.D.Comments().substr(0, 48), "Weak Zone Shear Moduli Ratio is suggested to be:");
}

// Every real field set to a distinct value, so that a field converted twice or not at all shows.
void SetAllReals(TProgramData& p) {
  long double v = 1;
  for (long double* field :
       {&p.Mass, &p.InertiaX, &p.InertiaY, &p.InertiaZ, &p.ProductXY, &p.ProductXZ, &p.ProductYZ, &p.BaseX, &p.BaseY,
        &p.BaseZ, &p.PileLength, &p.PileUnitWeight, &p.StaticLoad, &p.PilePoisson, &p.PileDamping,
        &p.ShearCoefficient, &p.EmbedmentDepth, &p.BedrockDepth, &p.CgX, &p.CgY, &p.CgZ, &p.CbGlobalX, &p.CbGlobalY,
        &p.CbGlobalZ, &p.CbX, &p.CbY, &p.CbZ, &p.FreqMax, &p.FreqMin, &p.FreqStep, &p.ForceX, &p.ForceY, &p.ForceZ,
        &p.MomentX, &p.MomentY, &p.MomentZ, &p.LoadPointX, &p.LoadPointY, &p.LoadPointZ, &p.BelowVs,
        &p.BelowUnitWeight, &p.BelowDamping, &p.BelowPoisson, &p.Radius, &p.LengthX, &p.WidthY, &p.PileModulus,
        &p.TimeStep, &p.RandomFreqMax, &p.RandomFreqMin, &p.ObservationPeriod})
    *field = v++ * 1.25L;
}

TEST_F(ModelTest, UnitSwitchReturnsEveryValue) {
  for (int quadratic : {0, 1}) {
    TProgramData p(tables);
    p.Quadratic = quadratic;
    p.SetUnits(kc::kEnglishUnits);
    SetAllReals(p);
    tables.D1.Cell(0, 0).SetFloat(10);
    const TProgramData before = p;
    p.SetUnits(kc::kSIUnits);
    EXPECT_NEAR(p.Radius, before.Radius * 0.3048L, 1e-9L);
    EXPECT_NEAR(tables.D1.Cell(0, 0).GetFloat(), 3.048L, 1e-9L);
    EXPECT_EQ(p.ShearCoefficient, before.ShearCoefficient);
    EXPECT_EQ(p.FreqMax, before.FreqMax);
    p.SetUnits(kc::kEnglishUnits);
    ExpectSameFields(before, p);
    EXPECT_NEAR(tables.D1.Cell(0, 0).GetFloat(), 10, 1e-15L);
  }
}

TEST_F(ModelTest, UnitSwitchFactors) {
  TProgramData p(tables);
  p.SetUnits(kc::kEnglishUnits);
  p.PileUnitWeight = 1;  // lbs/ft3
  p.Mass = 100;          // slug
  p.MomentX = 1;         // lbs-ft
  p.ForceX = 1;          // lbs
  p.Radius = 1;          // ft
  p.BelowVs = 1;         // ft/sec
  p.PileModulus = 1;     // lbs/ft2
  p.InertiaX = 1;        // slug-ft2
  p.SetUnits(kc::kSIUnits);
  EXPECT_NEAR(p.PileUnitWeight, 0.157087L, 1e-6L);
  EXPECT_NEAR(p.Mass, 1.46275L, 1e-5L);  // 68.364249 slug per Mg, not 68.5218
  EXPECT_NEAR(p.MomentX, 0.00135582L, 1e-8L);
  EXPECT_NEAR(p.ForceX, 1 / 224.8089237L, 1e-15L);
  EXPECT_NEAR(p.Radius, 0.3048000000012192L, 1e-18L);  // the reciprocal of 3.280839895, not 0.3048
  EXPECT_NEAR(p.BelowVs, 0.3048000000012192L, 1e-18L);
  EXPECT_NEAR(p.PileModulus, 0.04788026L, 1e-8L);
  EXPECT_NEAR(p.InertiaX, 1 / (68.364249L * 3.280839895L * 3.280839895L), 1e-15L);

  TProgramData q(tables);
  q.SetUnits(kc::kEnglishUnits);
  q.Quadratic = 1;
  q.ForceX = 1;   // slug-ft
  q.MomentX = 1;  // slug-ft2
  q.SetUnits(kc::kSIUnits);
  EXPECT_NEAR(q.ForceX, 0.0044585L, 1e-7L);
  EXPECT_NEAR(q.MomentX, 1 / (68.364249L * 3.280839895L * 3.280839895L), 1e-15L);
}

TEST_F(ModelTest, SameUnitSystemChangesNothing) {
  TProgramData p(tables);
  SetAllReals(p);
  tables.D1.Cell(1, 0).SetFloat(250);
  const TProgramData before = p;
  p.SetUnits(kc::kSIUnits);
  p.SetUnits(7);  // clamped to SI
  ExpectSameFields(before, p);
  EXPECT_EQ(tables.D1.Cell(1, 0).GetFloat(), 250);
  p.SetUnits(-1);  // clamped to English
  EXPECT_EQ(p.Units, kc::kEnglishUnits);
  EXPECT_EQ(tables.D1.Units(), kc::kEnglishUnits);
}

}  // namespace
}  // namespace korval::app::testing
