// Every project the writer writes is engine input: one project of each foundation kind under
// each load type is built in the model, written, analysed by the engine, read back and written
// again.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "components/Units.hpp"
#include "project_fixture.hpp"
#include "tests/engine/run_harness.hpp"

namespace korval::app::testing {
namespace {

namespace kc = korval::components;
using engine::RunCompleted;
using engine::RunStopped;

const char* const kNotAnalysed = " PILE AND MULTILAYER FOUNDATIONS ARE NOT ANALYSED BY THIS VERSION OF THE ENGINE";

// A rectangular footing in English units on a half-space, with two weakened side layers and
// mass components.
void HalfSpaceFooting(TProgramData& p) {
  p.SetUnits(kc::kEnglishUnits);
  p.Title = "Fan on a block";
  p.LengthX = 20;
  p.WidthY = 12;
  p.Mass = 300;
  p.InertiaX = 6000;
  p.InertiaY = 12000;
  p.InertiaZ = 15000;
  p.BaseZ = 2;
  Fill(p.Tables().D1, {{2, 500, 115, 0.35L, 0.05L, 0.5L}, {3, 550, 118, 0.35L, 0.05L, 1}});
  p.BelowVs = 600;
  p.BelowUnitWeight = 120;
  p.BelowPoisson = 0.33L;
  p.BelowDamping = 0.05L;
  Fill(p.Tables().MassCal, {{200, 0, 0, 2, 20, 12, 4}, {100, 1, 0, 5, 4, 4, 2}});
  p.CgX = 0.33333333L;
  p.CgZ = 3;
  p.CbZ = 4;
  p.CbGlobalX = -0.33333333L;
  p.CbGlobalZ = -1;
}

void StratumFooting(TProgramData& p) {
  p.Title = "Pump on a stratum";
  p.FoundationKeyword = "STRATUM";
  p.FoundationKind = kStratum;
  p.Circular = 1;
  p.Radius = 2;
  p.Mass = 80;
  p.InertiaX = p.InertiaY = 90;
  p.InertiaZ = 160;
  p.BaseZ = 0.8L;
  p.EmbedmentDepth = 0.5L;
  p.BedrockDepth = 10;
  p.BelowVs = 250;
  p.BelowUnitWeight = 18;
  p.BelowPoisson = 0.35L;
  p.BelowDamping = 0.05L;
}

// Five piles on two sections, pinned, end-bearing, battered in both planes (one pile in no
// chosen plane), with a weakened side soil beside the cap.
void PileGroup(TProgramData& p) {
  p.Title = "Compressor on five piles";
  p.FoundationKeyword = "PILE";
  p.FoundationKind = kPile;
  p.LengthX = 5;
  p.WidthY = 4;
  p.Mass = 200;
  p.InertiaX = 500;
  p.InertiaY = 700;
  p.InertiaZ = 1100;
  p.HeadFixed = 0;
  p.EndBearing = 1;
  TProjectTables& t = p.Tables();
  Fill(t.Pilecoord, {{-2, -1.5L, 10, 1}, {2, -1.5L, 10, 2}, {-2, 1.5L, 0, 1}, {2, 1.5L, 5, 0}, {0, 0, 0, 1}});
  Fill(t.PileData, {{6, 0.25L, 0.25L, 0.19635L, 0.0030680L, 0.0030680L, 0.0061359L},
                    {8, 0.25L, 0.25L, 0.19635L, 0.0030680L, 0.0030680L, 0.0061359L}});
  p.BaseZ = 1;
  p.PileLength = 14;
  p.PileUnitWeight = 24;
  p.StaticLoad = 2000;
  p.PilePoisson = 0.2L;
  p.PileDamping = 0.02L;
  p.ShearCoefficient = 1.334L;
  p.PileModulus = 2.5e7L;
  Fill(t.D, {{150, 17, 0.4L, 0.05L, 0.5L}, {220, 18.5L, 0.35L, 0.04L, 1}});
  p.BelowVs = 300;
  p.BelowUnitWeight = 19;
  p.BelowPoisson = 0.3L;
  p.BelowDamping = 0.03L;
  Fill(t.pilecapsoil, {{1, 120, 17, 0.4L, 0.05L, 0.4L}});
}

void MultilayerBody(TProgramData& p) {
  p.Title = "Caisson in layered soil";
  p.FoundationKeyword = "MULTILAYER";
  p.FoundationKind = kMultilayer;
  p.Circular = 1;
  p.Radius = 1.5L;
  p.Mass = 400;
  p.InertiaX = p.InertiaY = 1500;
  p.InertiaZ = 450;
  p.BaseZ = 3;
  p.PileLength = 9;
  p.PileUnitWeight = 24;
  p.PilePoisson = 0.2L;
  p.PileDamping = 0.02L;
  p.ShearCoefficient = 1;
  p.PileModulus = 3e7L;
  TProjectTables& t = p.Tables();
  Fill(t.MultiElement, {{2, 1.5L, 1.5L, 7.07L, 3.98L, 3.98L, 7.95L},
                        {3, 1.5L, 1.5L, 7.07L, 3.98L, 3.98L, 7.95L},
                        {4, 1.5L, 1.5L, 7.07L, 3.98L, 3.98L, 7.95L}});
  Fill(t.D, {{160, 17, 0.4L, 0.05L, 0.6L}});
  Fill(t.Multisoil, {{200, 18, 0.35L, 0.04L, 1, 1}, {260, 19, 0.33L, 0.03L, 1, 1}});
  p.BelowVs = 400;
  p.BelowUnitWeight = 20;
  p.BelowPoisson = 0.3L;
  p.BelowDamping = 0.02L;
}

void NonQuadraticLoad(TProgramData& p) {
  p.FreqMax = 40;
  p.FreqMin = 2;
  p.FreqStep = 2;
  p.ForceX = 10;
  p.ForceZ = 20;
  p.MomentY = 5;
  p.LoadPointZ = 0.5L;
}

void QuadraticLoad(TProgramData& p) {
  p.Quadratic = 1;
  p.FreqMax = 30;
  p.FreqMin = 5;
  p.FreqStep = 2.5L;
  p.ForceY = 0.002L;
  p.MomentZ = 0.001L;
  p.LoadPointX = 0.25L;
}

void TransientLoad(TProgramData& p) {
  p.LoadType = kTransientLoad;
  p.PointCount = 64;
  p.TimeStep = 0.01L;
  p.LoadCount = 2;
  std::vector<long double> pulse(64, 0), moment(64, 0);
  for (int k = 1; k < 8; ++k) pulse[static_cast<std::size_t>(k)] = 10 * k;
  moment[3] = 2.5L;
  FillSeries(p.Tables().TLoadtype, {{3, pulse}, {5, moment}});
}

void RandomLoad(TProgramData& p) {
  p.LoadType = kRandomLoad;
  p.RandomFreqMax = 20;
  p.RandomFreqMin = 1;
  p.PointCount = 10;
  p.ObservationPeriod = 300;
  p.LoadCount = 2;
  FillSeries(p.Tables().Trandom, {{3, std::vector<long double>(10, 4)}, {1, std::vector<long double>(10, 0.5L)}});
}

struct Kind {
  const char* name;
  void (*build)(TProgramData&);
  // The engine reads and checks pile groups and multilayer foundations but does not analyse
  // them yet: their runs stop with a notice. Once it analyses them, they expect RunCompleted.
  int status;
};
const Kind kKinds[] = {{"HALF-SPACE", HalfSpaceFooting, RunCompleted},
                       {"STRATUM", StratumFooting, RunCompleted},
                       {"PILE", PileGroup, RunStopped},
                       {"MULTILAYER", MultilayerBody, RunStopped}};

struct Load {
  const char* name;
  void (*build)(TProgramData&);
};
const Load kLoads[] = {{"harmonic", NonQuadraticLoad},
                       {"quadratic", QuadraticLoad},
                       {"transient", TransientLoad},
                       {"random", RandomLoad}};

class EngineInputTest : public ProjectTest {
 protected:
  // Runs the engine on the project file and checks that it reads without input errors and
  // ends with `status`.
  void ExpectAnalysed(const std::string& project_file, int status, const std::string& what) {
    const engine::testing::RunOutput out = folder_.run(project_file);
    for (const char* error : {"ERROR", "UNRECOGNIZED", "SUBKEYWORD", "WILL NOT EXECUTE", "INADMISSABLE"})
      EXPECT_EQ(out.report.find(error), std::string::npos) << what << ": " << error << "\n" << out.report;
    EXPECT_EQ(out.status, status) << what << "\n" << out.report;
    if (status == RunStopped) {
      EXPECT_NE(out.report.find(kNotAnalysed), std::string::npos) << what;
    } else {
      EXPECT_NE(out.report.find("RESPONSE"), std::string::npos) << what;
    }
  }

 private:
  engine::testing::RunFolder folder_;
};

TEST_F(EngineInputTest, EveryKindUnderEveryLoad) {
  for (const Kind& kind : kKinds)
    for (const Load& load : kLoads) {
      const std::string what = std::string(kind.name) + ", " + load.name;
      TProgramData p(tables);
      kind.build(p);
      load.build(p);
      const std::string written = Save(p);
      ExpectAnalysed(written, kind.status, what);

      // The pile battered in no chosen plane is written, and read back, as battered in XZ.
      if (std::string(kind.name) == "PILE") tables.Pilecoord.Cell(3, 3).SetInt(1);
      const std::vector<std::string> cells = TableSnapshot(tables);
      const TProgramData model = p;
      const TProjectRead read = TProgramData::CreateFromFile(tables, p.FileName);
      ASSERT_EQ(read.message, "") << what;
      // Derived on saving or kept by the reader; a footing's pile length is only in the
      // geometry file.
      FieldNames skip = {"SoilDepth", "GeometryFileName", "LoadLine", "BatteredFlag", "SideCapWeakFlag"};
      if (kind.status == RunCompleted) skip.insert("PileLength");
      ExpectSameFields(model, *read.project, skip);
      ExpectSameTables(cells, TableSnapshot(tables));
      EXPECT_EQ(read.project->LoadLine, std::string(load.name) == "transient" ? "TRANSIENT "
                                        : std::string(load.name) == "random"  ? "RANDOM "
                                                                              : "HARMONIC ")
          << what;
      EXPECT_EQ(Save(*read.project, "again.kvd"), written) << what;
    }
}

// Soil tables that disagree with the layers of the body still give engine input.
TEST_F(EngineInputTest, SoilTablesThatDisagreeWithTheLayers) {
  TProgramData multilayer(tables);
  MultilayerBody(multilayer);
  NonQuadraticLoad(multilayer);
  tables.Multisoil.SetRowCount(1);
  ExpectAnalysed(Save(multilayer), RunStopped, "multilayer, one soil row short");
  tables.D.SetRowCount(4);
  ExpectAnalysed(Save(multilayer), RunStopped, "multilayer, more adjacent soil rows than layers");

  TProgramData pile(tables);
  PileGroup(pile);
  RandomLoad(pile);
  tables.D.SetRowCount(1);
  ExpectAnalysed(Save(pile), RunStopped, "pile group, one soil row short");
  tables.D.SetRowCount(3);
  ExpectAnalysed(Save(pile), RunStopped, "pile group, one soil row too many");
}

}  // namespace
}  // namespace korval::app::testing
