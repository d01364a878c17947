// The project file and the geometry file as the writer writes them: the records and their
// conditions, the number formats, the persistent block flags, and write failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "components/Errors.hpp"
#include "components/Units.hpp"
#include "example_projects.hpp"
#include "project_fixture.hpp"

namespace korval::app::testing {
namespace {

namespace kc = korval::components;
using WriterTest = ProjectTest;

// The lines of a CR LF text; fails the test on a bare LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t end = text.find("\r\n", begin);
    if (end == std::string::npos) {
      ADD_FAILURE() << "text does not end with CR LF";
      break;
    }
    lines.push_back(text.substr(begin, end - begin));
    EXPECT_EQ(lines.back().find('\n'), std::string::npos) << lines.back();
    begin = end + 2;
  }
  return lines;
}

// Whether `part` occurs in `lines` as consecutive lines.
bool HasLines(const std::vector<std::string>& lines, const std::vector<std::string>& part) {
  return std::search(lines.begin(), lines.end(), part.begin(), part.end()) != lines.end();
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += "[" + l + "]\n";
  return text;
}

TEST_F(WriterTest, NewProjectSavedAtOnce) {
  TProgramData p(tables);
  const std::string e23 = " 0.00000000000000E+0000";
  const std::vector<std::string> expected = {
      "TITLE=New Pile", "MATRIX", "GRAVITY=9.8", "FOUNDATION=HALF-SPACE", "RECTANGULAR=0,0", "MASS ",
      "0 0 0 0 0 0 0", "CONSTANTS ", "0 0 0 ", "SOIL ", "WEAK ", "CONSTANTS=1", "1 0 0 0 0 0 0 0 0 0.1",
      "BELOW=0 0 0 0", "LOAD ", "HARMONIC ", "CONSTANTS ", "NONQUADRATIC ", "0 0 0 ", "0 0 0 ", "0 0 0 ", "0 0 0 ",
      "RUN ", "0", e23 + " " + e23 + " " + e23 + " ", e23 + " " + e23 + " " + e23 + " ",
      e23 + " " + e23 + " " + e23 + " "};
  tables.D1.SetChanged(true);
  EXPECT_EQ(Lines(Save(p, "NewData.kvd")), expected);
  EXPECT_EQ(p.GeometryFileName, Path("NewData.kvt").string());
  EXPECT_EQ(Lines(ReadBytes(Path("NewData.kvt"))),
            (std::vector<std::string>{"RECTANGULAR ", " 0 0 0", " 0", "SOIL", "HALF-SPACE", " 0", "2", "1 0", "2 0"}));
  EXPECT_FALSE(tables.D1.IsChanged());
}

TEST_F(WriterTest, NumberFormatsAndFrequencies) {
  TProgramData p(tables);
  p.Title = "Formats";
  p.StiffnessMatrix = 0;
  p.SetUnits(kc::kEnglishUnits);
  p.Circular = 1;
  p.Radius = 123456789;
  p.Mass = 2.0L / 3;
  p.InertiaX = 0.00001L;
  p.InertiaY = 0.00012345678L;
  p.ProductXY = -2.5L;
  p.FreqMax = 10;
  p.FreqMin = 0.5L;
  p.FreqStep = 0.25L;
  p.Quadratic = 1;
  p.LoadPointX = 1;
  p.LoadPointY = 2;
  p.LoadPointZ = 3;
  p.CgX = 32.2L;
  p.CbY = -1.25L;
  const std::vector<std::string> lines = Lines(Save(p));
  EXPECT_EQ(lines[1], "GRAVITY=32.2");
  EXPECT_EQ(lines[3], "CIRCULAR=1.2345679E8");
  EXPECT_EQ(lines[5], "0.66666667 1E-5 0.00012345678 0 -2.5 0 0");
  EXPECT_TRUE(HasLines(lines, {"QUADRATIC ", "62.8 3.14 1.57 ", "0 0 0 ", "0 0 0 ", "1 2 3 ", "RUN "}))
      << Joined(lines);
  EXPECT_EQ(lines[lines.size() - 3], " 3.22000000000000E+0001  0.00000000000000E+0000  0.00000000000000E+0000 ");
  EXPECT_EQ(lines[lines.size() - 2], " 0.00000000000000E+0000 -1.25000000000000E+0000  0.00000000000000E+0000 ");
}

// A pile group of three piles on two sections, with side soil and a weakened zone.
void PileProject(TProgramData& p) {
  p.FoundationKeyword = "PILE";
  p.FoundationKind = kPile;
  p.LengthX = p.WidthY = 4;
  p.PileLength = 10;
  Fill(p.Tables().PileData, {{4, 0.3L, 0.3L, 0.28L, 0.006L, 0.006L, 0.012L}, {6, 0.3L, 0.3L, 0.28L, 0.006L, 0.006L, 0.012L}});
  Fill(p.Tables().D, {{150, 17, 0.4L, 0.05L, 1}, {200, 18, 0.35L, 0.04L, 0.5L}});
  Fill(p.Tables().Pilecoord, {{-1, 0, 0, 1}, {0, 0, 0, 1}, {1, 0, 0, 1}});
}

TEST_F(WriterTest, BatteredBlockPersistsUntilTheProjectIsReplaced) {
  auto p = std::make_unique<TProgramData>(tables);
  PileProject(*p);
  std::vector<std::string> lines = Lines(Save(*p));
  EXPECT_FALSE(HasLines(lines, {"BATTERED"}));
  EXPECT_TRUE(HasLines(lines, {"LAYERS=2", "FIXED=3", "1 -1 0 ", "2 0 0 ", "3 1 0 ", "CONSTANTS "})) << Joined(lines);
  EXPECT_TRUE(HasLines(lines, {"FLOATING", "INTERACTION ", "SOIL ", "WEAK", "CONSTANTS",
                               "1 150 17 0.4 0.05 1 0.4 0.1 0", "2 200 18 0.35 0.04 0.5 0.35 0.08 1", "BELOW=0 0 0 0",
                               "LOAD "}))
      << Joined(lines);

  // Angle 15 in the XZ plane, 20 in the YZ plane, 5 in a plane not chosen (taken as XZ).
  Fill(tables.Pilecoord, {{-1, 0, 15, 1}, {0, 0, 20, 2}, {1, 0, 5, 0}});
  lines = Lines(Save(*p));
  EXPECT_TRUE(HasLines(lines, {"FLOATING", "BATTERED", "1 XZ  ", "15 ", "2 YZ  ", "20 ", "3 XZ  ", "5 ", "INTERACTION "}))
      << Joined(lines);
  EXPECT_EQ(p->BatteredFlag, 1);
  EXPECT_TRUE(HasLines(Lines(ReadBytes(Path("project.kvt"))), {"BATTERED", "1 0 15 ", "2 90 20 ", "3 0 5 ", "SOIL"}));

  for (int r = 0; r < 3; ++r) tables.Pilecoord.Cell(2, r).SetFloat(0);
  p->Interaction = 0;
  p->HeadFixed = 0;
  lines = Lines(Save(*p));
  EXPECT_TRUE(HasLines(lines, {"BATTERED", "1 XZ  ", "0 ", "2 YZ  ", "0 ", "3 XZ  ", "0 ", "SOIL "})) << Joined(lines);
  EXPECT_TRUE(HasLines(lines, {"PINNED=3"}));

  p = std::make_unique<TProgramData>(tables);
  PileProject(*p);
  EXPECT_FALSE(HasLines(Lines(Save(*p)), {"BATTERED"}));
}

TEST_F(WriterTest, WeakZoneOfHalfSpaceSideLayers) {
  TProgramData p(tables);
  p.WeakFlag = 0;  // as read from a file without a weakened zone
  Fill(tables.D1, {{1.5L, 150, 17, 0.4L, 0.05L, 0}, {2, 200, 18, 0.35L, 0.04L, 0}});
  EXPECT_TRUE(HasLines(Lines(Save(p)), {"SOIL ", "CONSTANTS=2", "1 1.5 150 17 0.4 0.05", "2 2 200 18 0.35 0.04", "BELOW=0 0 0 0"}));
  EXPECT_TRUE(HasLines(Lines(ReadBytes(Path("project.kvt"))), {"HALF-SPACE", "2", "4", "1 1.5 ", "2 2 ", "3 0", "4 0"}));

  tables.D1.Cell(5, 1).SetFloat(0.5L);
  const std::vector<std::string> weak = {"SOIL ", "WEAK ", "CONSTANTS=2", "1 1.5 150 17 0.4 0.05 0 0.4 0.1 0.1",
                                         "2 2 200 18 0.35 0.04 0.5 0.35 0.08 0.1", "BELOW=0 0 0 0"};
  EXPECT_TRUE(HasLines(Lines(Save(p)), weak));
  tables.D1.Cell(5, 1).SetFloat(0);
  EXPECT_TRUE(HasLines(Lines(Save(p)), {"SOIL ", "WEAK ", "CONSTANTS=2"}));  // the block stays
  tables.D1.Cell(5, 0).SetFloat(1);  // no reduction: no weakened-zone thickness
  EXPECT_TRUE(HasLines(Lines(Save(p)), {"1 1.5 150 17 0.4 0.05 1 0.4 0.1 0"}));
}

TEST_F(WriterTest, SideSoilOfThePileCap) {
  TProgramData p(tables);
  PileProject(p);
  Fill(tables.pilecapsoil, {{1, 120, 17, 0.4L, 0.05L, 0}, {0.5L, 0, 17, 0.4L, 0.05L, 0}});
  EXPECT_TRUE(HasLines(Lines(Save(p)), {"BELOW=0 0 0 0", "LOAD "}));  // the last layer has no velocity
  tables.pilecapsoil.Cell(1, 1).SetFloat(130);
  EXPECT_TRUE(HasLines(Lines(Save(p)),
                       {"BELOW=0 0 0 0", "EMBEDDED", "2 ", "1 1 120 17 0.4 0.05", "2 0.5 130 17 0.4 0.05", "LOAD "}));
  EXPECT_TRUE(HasLines(Lines(ReadBytes(Path("project.kvt"))), {"SOIL", "PILE", "4", "1 1 ", "2 0.5 ", "3 10", "4 2"}));
  tables.pilecapsoil.Cell(5, 0).SetFloat(0.3L);
  EXPECT_TRUE(HasLines(Lines(Save(p)), {"BELOW=0 0 0 0", "SIDE-CAP", "EMBEDDED", "2 ", "1 1 120 17 0.4 0.05 0.3 0.4 0.1 0.1",
                                        "2 0.5 130 17 0.4 0.05 0 0.4 0.1 0.1", "LOAD "}));
  EXPECT_EQ(p.SideCapWeakFlag, 1);
}

// The limits that decide the weakened-zone thickness ratio (a modulus ratio of 0.999995 is a
// reduction for piles and side layers, none for a multilayer body) and the blocks that only a
// value beyond 1e-7 brings in.
TEST_F(WriterTest, LimitsOfWeakZonesAndBatter) {
  TProgramData pile(tables);
  PileProject(pile);
  tables.D.Cell(4, 0).SetFloat(0.999995L);
  tables.Pilecoord.Cell(2, 1).SetFloat(1e-7L);
  Fill(tables.pilecapsoil, {{1, 120, 17, 0.4L, 0.05L, 1e-7L}});
  std::vector<std::string> lines = Lines(Save(pile));
  EXPECT_TRUE(HasLines(lines, {"FLOATING", "INTERACTION "})) << Joined(lines);
  EXPECT_TRUE(HasLines(lines, {"CONSTANTS", "1 150 17 0.4 0.05 0.999995 0.4 0.1 1"})) << Joined(lines);
  EXPECT_TRUE(HasLines(lines, {"BELOW=0 0 0 0", "EMBEDDED", "1 ", "1 1 120 17 0.4 0.05", "LOAD "})) << Joined(lines);
  EXPECT_EQ(pile.BatteredFlag, 0);
  EXPECT_EQ(pile.SideCapWeakFlag, 0);
  tables.Pilecoord.Cell(2, 1).SetFloat(2e-7L);
  EXPECT_TRUE(HasLines(Lines(Save(pile)), {"FLOATING", "BATTERED", "1 XZ  ", "0 ", "2 XZ  ", "2E-7 "}));

  TProgramData multilayer(tables);
  ExampleProjects()[1].build(multilayer);
  ASSERT_EQ(multilayer.FoundationKeyword, "MULTILAYER");
  tables.D.Cell(4, 0).SetFloat(0.999995L);
  tables.D.Cell(4, 1).SetFloat(0.99999L);
  EXPECT_TRUE(HasLines(Lines(Save(multilayer)),
                       {"CONSTANTS=2", "1 500 115 0.35 0.05 0.999995 0.35 0.1 0", "2 600 120 0.35 0.05 0.99999 0.35 0.1 1"}));

  TProgramData footing(tables);
  footing.WeakFlag = 0;
  Fill(tables.D1, {{1.5L, 150, 17, 0.4L, 0.05L, 1e-7L}});
  EXPECT_TRUE(HasLines(Lines(Save(footing)), {"SOIL ", "CONSTANTS=1", "1 1.5 150 17 0.4 0.05", "BELOW=0 0 0 0"}));
  tables.D1.Cell(5, 0).SetFloat(0.999995L);
  EXPECT_TRUE(HasLines(Lines(Save(footing)), {"SOIL ", "WEAK ", "CONSTANTS=1", "1 1.5 150 17 0.4 0.05 0.999995 0.4 0.1 0.1"}));
}

TEST_F(WriterTest, TransientAndRandomLoading) {
  TProgramData p(tables);
  p.LoadType = kTransientLoad;
  p.PointCount = 2;
  p.TimeStep = 0.01L;
  FillSeries(tables.TLoadtype, {{3, {1, 2}}, {5, {0.5L, -0.5L}}});
  EXPECT_TRUE(HasLines(Lines(Save(p)), {"TRANSIENT ", "CONSTANTS ", "2 ", "0.01 ", "2 ", "3 ", "1 ", "2 ", "5 ", "0.5 ",
                                        "-0.5 ", "RUN "}));
  p.LoadType = kRandomLoad;
  p.RandomFreqMax = 30;  // Hz, written as circular frequencies like the harmonic ones
  p.RandomFreqMin = 0.5L;
  p.PointCount = 3;
  p.ObservationPeriod = 600;
  FillSeries(tables.Trandom, {{2, {4, 4, 4}}});
  EXPECT_TRUE(HasLines(Lines(Save(p)), {"RANDOM ", "CONSTANTS ", "188.4 3.14 ", "3 ", "600 ", "1 ", "2 2", "4 ", "4 ",
                                        "4 ", "RUN "}));
}

TEST_F(WriterTest, MassComponents) {
  TProgramData p(tables);
  Fill(tables.MassCal, {{0, 1, 2, 3, 4, 5, 6}, {10, 0, 0, 0, 1, 1, 1}});  // the first mass is below 1e-8
  p.CgX = 1;
  std::vector<std::string> lines = Lines(Save(p));
  EXPECT_EQ(p.MassCount, 0);
  EXPECT_EQ(lines[lines.size() - 4], "0");
  EXPECT_EQ(lines[lines.size() - 5], "RUN ");
  tables.MassCal.Cell(0, 0).SetFloat(2.5L);
  lines = Lines(Save(p));
  EXPECT_EQ(p.MassCount, 2);
  EXPECT_TRUE(HasLines(lines, {"RUN ", "2", "2.5 1 2 3 4 5 6 ", "10 0 0 0 1 1 1 ",
                               " 1.00000000000000E+0000  0.00000000000000E+0000  0.00000000000000E+0000 "}));
}

TEST_F(WriterTest, GeometryOfFootings) {
  const struct {
    int circular;
    const char* keyword;
    std::vector<std::string> geometry;
    long double pile_length;
  } cases[] = {
      {0, "HALF-SPACE", {"RECTANGULAR ", " 10 10 1.5", " 0", "SOIL", "HALF-SPACE", " 0", "2", "1 20", "2 4"}, 20},
      {1, "STRATUM", {"CIRCULAR ", " 2 2 0.3", " 0", "SOIL", "STRATUM", " 0", "2", "1 6", "2 1.2"}, 6},
  };
  for (const auto& c : cases) {
    TProgramData p(tables);
    p.FoundationKeyword = c.keyword;
    p.Circular = c.circular;
    p.Radius = 2;
    p.LengthX = p.WidthY = 10;
    Save(p);
    EXPECT_EQ(Lines(ReadBytes(Path("project.kvt"))), c.geometry) << c.keyword;
    EXPECT_EQ(p.PileLength, c.pile_length);
    EXPECT_NEAR(p.SoilDepth, c.circular ? 0.3L : 1.5L, 1e-15L);
  }
}

TEST_F(WriterTest, GeometryOfAPileGroup) {
  TProgramData p(tables);
  PileProject(p);
  Save(p);
  EXPECT_EQ(Lines(ReadBytes(Path("project.kvt"))),
            (std::vector<std::string>{"RECTANGULAR ", " 4 4 0.6", "3", "10 ", "1 -1 0 ", "2 0 0 ", "3 1 0 ", "ELEMENT", "2",
                                      "1 4 0.3 0.3 0.28 0.006 0.006 0.012", "2 6 0.3 0.3 0.28 0.006 0.006 0.012", "SOIL",
                                      "PILE", "3", "1 0 ", "2 10", "3 2"}));
}

// The soil rows follow the layers of the body: the writer writes one soil row per layer,
// from the soil table as far as it reaches and empty rows beyond it.
TEST_F(WriterTest, SoilTablesThatDisagreeWithTheLayers) {
  TProgramData p(tables);
  p.FoundationKeyword = "MULTILAYER";
  p.FoundationKind = kMultilayer;
  p.Circular = 1;
  p.Radius = 2;
  Fill(tables.MultiElement, {{3, 2, 2, 12, 12, 12, 25}, {4, 2, 2, 12, 12, 12, 25}, {5, 2, 2, 12, 12, 12, 25}});
  Fill(tables.D, {{150, 17, 0.4L, 0.05L, 1}});
  Fill(tables.Multisoil, {{200, 18, 0.4L, 0.05L, 1, 1}});
  EXPECT_TRUE(HasLines(Lines(Save(p)), {"SOIL ", "WEAK ", "CONSTANTS=1", "1 150 17 0.4 0.05 1 0.4 0.1 0",
                                        "2 200 18 0.4 0.05 1 1", "3 0 0 0 0 0 0", "BELOW=0 0 0 0"}));
  EXPECT_EQ(tables.Multisoil.RowCount(), 1);  // the tables are left as they are

  Fill(tables.D, {{150, 17, 0.4L, 0.05L, 1}, {160, 17, 0.4L, 0.05L, 1}, {170, 17, 0.4L, 0.05L, 1},
                  {180, 17, 0.4L, 0.05L, 1}});
  std::vector<std::string> lines = Lines(Save(p));
  EXPECT_TRUE(HasLines(lines, {"CONSTANTS=3", "1 150 17 0.4 0.05 1 0.4 0.1 0", "2 160 17 0.4 0.05 1 0.4 0.1 0",
                               "3 170 17 0.4 0.05 1 0.4 0.1 0", "BELOW=0 0 0 0"}))
      << Joined(lines);
  EXPECT_TRUE(HasLines(Lines(ReadBytes(Path("project.kvt"))), {"MULTILAYER", "3", "5", "1 3 ", "2 4 ", "3 5 ", "4 6", "5 1.2"}));
  EXPECT_EQ(p.SoilDepth, 12);

  TProgramData q(tables);
  PileProject(q);
  tables.D.SetRowCount(1);
  EXPECT_TRUE(HasLines(Lines(Save(q)), {"WEAK", "CONSTANTS", "1 150 17 0.4 0.05 1 0.4 0.1 0", "2 0 0 0 0 0 0 0 1",
                                        "BELOW=0 0 0 0"}));
}

TEST_F(WriterTest, FailedWriteLeavesTheModelAlone) {
  TProgramData p(tables);
  PileProject(p);
  tables.Pilecoord.Cell(2, 0).SetFloat(10);
  tables.MassCal.Cell(0, 0).SetFloat(5);
  p.PileLength = 0;
  p.FileName = Path("missing-folder/project.kvd").string();
  EXPECT_THROW(p.Write(), kc::EInOutError);
  EXPECT_EQ(p.BatteredFlag, 0);
  EXPECT_EQ(p.MassCount, 0);
  EXPECT_EQ(p.PileLength, 0);
  EXPECT_EQ(p.SoilDepth, 0);
  EXPECT_EQ(p.GeometryFileName, "");
  try {
    p.Write();
  } catch (const kc::EInOutError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + p.FileName + "\": No such file or directory");
  }
}

}  // namespace
}  // namespace korval::app::testing
