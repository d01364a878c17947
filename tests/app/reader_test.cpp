// Reading project files: what each record gives, older and hand-written layouts, and files
// that are truncated, garbled or foreign.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "example_projects.hpp"
#include "components/Units.hpp"
#include "project_fixture.hpp"

namespace korval::app::testing {
namespace {

namespace kc = korval::components;

class ReaderTest : public ProjectTest {
 protected:
  // Reads `text` (LF line ends become CR LF) from a file of the test's folder.
  TProjectRead Read(std::string text) {
    for (std::size_t p = 0; (p = text.find('\n', p)) != std::string::npos; p += 2) text.insert(p, "\r");
    WriteBytes(Path("in.kvd"), text);
    return TProgramData::CreateFromFile(tables, Path("in.kvd").string());
  }
  std::string Example(const std::string& name) const {
    return ReadBytes(std::filesystem::path(KORVAL_SOURCE_DIR) / "examples" / name);
  }
  void ExpectEveryTableFilled() {
    for (kc::TGridTable* table : tables.All()) {
      EXPECT_GE(table->RowCount(), table->MinRows()) << table->Caption();
      EXPECT_FALSE(table->IsChanged()) << table->Caption();
    }
  }
};

// A half-space footing with the given gravity line, title and the records after LOAD.
std::string HalfSpace(const std::string& gravity, const std::string& title, const std::string& load) {
  return "TITLE=" + title + "\nMATRIX\n" + gravity +
         "\nFOUNDATION=HALF-SPACE\nCIRCULAR=2\nMASS \n10 20 30 40 0 0 0\nCONSTANTS \n0 0 1 \nSOIL \nCONSTANTS=1\n"
         "1 2 150 17 0.4 0.05\nBELOW=200 18 0.33 0.05\nLOAD \n" +
         load;
}
const std::string kHarmonic = "HARMONIC \nCONSTANTS \nNONQUADRATIC \n62.8 6.28 3.14 \n1 2 3 \n4 5 6 \n";
const std::string kRunData = "RUN \n0\n";

TEST_F(ReaderTest, GravitySetsTheUnitSystem) {
  const struct {
    const char* gravity;
    int units;
  } cases[] = {{"GRAVITY=32.2", kc::kEnglishUnits}, {"GRAVITY=9.8", kc::kSIUnits}, {"GRAVITY=10", kc::kEnglishUnits},
               {"GRAVITY=9.99", kc::kSIUnits}};
  for (const auto& c : cases) {
    const TProjectRead read = Read(HalfSpace(c.gravity, "Units", kHarmonic + "0 0 0 \n" + kRunData));
    EXPECT_EQ(read.message, "") << c.gravity;
    EXPECT_EQ(read.project->Units, c.units) << c.gravity;
    EXPECT_EQ(tables.D1.Units(), c.units) << c.gravity;
    EXPECT_EQ(read.project->Radius, 2) << c.gravity;  // read in the file's system, not converted
  }
}

TEST_F(ReaderTest, RecordsOfAHalfSpaceFooting) {
  const std::string title(260, 't');
  const TProjectRead read = Read(HalfSpace("GRAVITY=9.8", title, kHarmonic + "0 0 0.5 \n" + kRunData));
  ASSERT_EQ(read.message, "");
  const TProgramData& p = *read.project;
  EXPECT_EQ(p.Title, std::string(248, 't'));
  EXPECT_EQ(p.FileName, Path("in.kvd").string());
  EXPECT_EQ(p.StiffnessMatrix, 1);
  EXPECT_EQ(p.FoundationKind, kHalfSpace);
  EXPECT_EQ(p.Circular, 1);
  EXPECT_EQ(p.InertiaZ, 40);
  EXPECT_EQ(p.BaseZ, 1);
  EXPECT_EQ(p.WeakFlag, 0);  // side layers without a weakened zone
  EXPECT_EQ(tables.D1.RowCount(), 1);
  EXPECT_EQ(tables.D1.Cell(4, 0).GetFloat(), 0.05L);
  EXPECT_EQ(p.BelowPoisson, 0.33L);
  EXPECT_EQ(p.BelowDamping, 0.05L);
  EXPECT_EQ(p.LoadLine, "HARMONIC ");
  EXPECT_NEAR(p.FreqMax, 10, 1e-15L);  // 62.8 rad/s
  EXPECT_NEAR(p.FreqStep, 0.5L, 1e-15L);
  EXPECT_EQ(p.MomentZ, 6);
  EXPECT_EQ(p.LoadPointZ, 0.5L);
  EXPECT_EQ(p.MassCount, 0);
}

// Files of earlier versions end the harmonic data without the point of application; files
// written by hand may hold no side layers at all.
TEST_F(ReaderTest, OlderAndHandWrittenLayouts) {
  TProjectRead read = Read(HalfSpace("GRAVITY=9.8", "Old", kHarmonic + "RUN \n1\n5 0 0 0 1 1 1\n1 2 3\n"));
  EXPECT_EQ(read.message, "");
  EXPECT_EQ(read.project->LoadPointX, 0);
  EXPECT_EQ(read.project->MassCount, 1);
  EXPECT_EQ(read.project->CgZ, 3);

  std::string no_layers = HalfSpace("GRAVITY=9.8", "No side layers", kHarmonic + "0 0 0 \n" + kRunData);
  no_layers.replace(no_layers.find("CONSTANTS=1\n1 2 150 17 0.4 0.05\n"), 32, "CONSTANTS=0\n");
  read = Read(no_layers);
  EXPECT_EQ(read.message, "");
  EXPECT_EQ(read.project->BelowVs, 200);
  EXPECT_EQ(read.project->WeakFlag, 1);
  EXPECT_EQ(tables.D1.RowCount(), 1);  // MinRows
}

// Without soil beside it a multilayer body is written without WEAK; every layer is then a
// soil-column layer.
TEST_F(ReaderTest, MultilayerWithoutAdjacentSoil) {
  TProgramData p(tables);
  ExampleProjects()[1].build(p);
  ASSERT_EQ(p.FoundationKeyword, "MULTILAYER");
  tables.D.SetRowCount(0);
  Fill(tables.Multisoil, {{300, 110, 0.35L, 0.05L, 1, 1}, {400, 115, 0.35L, 0.05L, 1, 1},
                          {700, 120, 0.33L, 0.04L, 1, 1}, {800, 125, 0.33L, 0.04L, 1, 1}});
  const std::string saved = Save(p);
  EXPECT_NE(saved.find("SOIL \r\nCONSTANTS=0\r\n1 300 110"), std::string::npos);
  const TProjectRead read = TProgramData::CreateFromFile(tables, p.FileName);
  EXPECT_EQ(read.message, "");
  EXPECT_EQ(tables.Multisoil.RowCount(), 4);
  EXPECT_EQ(tables.Multisoil.Cell(0, 3).GetFloat(), 800);
  EXPECT_EQ(tables.D.RowCount(), 1);
  EXPECT_EQ(read.project->BelowVs, 1000);
}

TEST_F(ReaderTest, MassComponentsAndCentres) {
  const std::string e23 = " 0.00000000000000E+0000";
  TProjectRead read = Read(HalfSpace("GRAVITY=9.8", "Masses", kHarmonic + "0 0 0 \n") +
                           "RUN \n2\n1 2 3 4 5 6 7 \n8 9 10 11 12 13 14 \n 1.5E+0000 2 3 \n4 5 6 \n7 8 -9.25E+0001 \n");
  EXPECT_EQ(read.message, "");
  EXPECT_EQ(read.project->MassCount, 2);
  EXPECT_EQ(tables.MassCal.RowCount(), 2);
  EXPECT_EQ(tables.MassCal.Cell(6, 1).GetFloat(), 14);
  EXPECT_EQ(read.project->CgX, 1.5L);
  EXPECT_EQ(read.project->CbZ, 6);
  EXPECT_EQ(read.project->CbGlobalZ, -92.5L);
  // Without mass components the centre lines are not read.
  read = Read(HalfSpace("GRAVITY=9.8", "Masses", kHarmonic + "0 0 0 \n") + "RUN \n0\n1 2 3 \n4 5 6 \n7 8 9 \n");
  EXPECT_EQ(read.message, "");
  EXPECT_EQ(read.project->CgX, 0);
  EXPECT_EQ(read.project->CbGlobalZ, 0);
}

// A pile group of twelve piles, battered in both planes, without interaction; one record
// without a plane.
TEST_F(ReaderTest, BatteredPilesWithoutInteraction) {
  std::string text = "TITLE=Piles\nGRAVITY=9.8\nFOUNDATION=PILE\nRECTANGULAR=6,4\nMASS \n1 1 1 1 0 0 0\nLAYERS=1\nPINNED=12\n";
  for (int i = 1; i <= 12; ++i) text += std::to_string(i) + " " + std::to_string(i) + " 0 \n";
  text += "CONSTANTS \n0 0 1 10 24 \n0 0.2 0.05 1.1 30000000\nELEMENT\n1 10 0.3 0.3 0.28 0.006 0.006 0.012\n";
  text += "END-BEARING\nBATTERED\n";
  for (int i = 1; i <= 12; ++i)
    text += i == 7 ? "7 12 \n" : std::to_string(i) + (i % 2 ? " XZ  \n" : " YZ  \n") + std::to_string(i) + " \n";
  text += "SOIL \nWEAK\nCONSTANTS\n1 150 17 0.4 0.05 0.5 0.4 0.1 1\nBELOW=300 19 0.3 0.03\nLOAD \n" + kHarmonic +
          "0 0 0 \n" + kRunData;
  const TProjectRead read = Read(text);
  ASSERT_EQ(read.message, "");
  const TProgramData& p = *read.project;
  EXPECT_EQ(p.FoundationKind, kPile);
  EXPECT_EQ(p.HeadFixed, 0);
  EXPECT_EQ(p.EndBearing, 1);
  EXPECT_EQ(p.Interaction, 0);
  EXPECT_EQ(p.PileModulus, 30000000);
  ASSERT_EQ(tables.Pilecoord.RowCount(), 12);
  EXPECT_EQ(tables.Pilecoord.Cell(0, 11).GetFloat(), 12);
  for (int r = 0; r < 12; ++r) {
    EXPECT_EQ(tables.Pilecoord.Cell(2, r).GetFloat(), r == 6 ? 12 : r + 1) << r;
    EXPECT_EQ(tables.Pilecoord.Cell(3, r).GetInt(), r % 2 ? 2 : 1) << r;  // pile 7 keeps the XZ of a new row
  }
  EXPECT_EQ(tables.D.RowCount(), 1);
  EXPECT_EQ(tables.D.Cell(4, 0).GetFloat(), 0.5L);
  EXPECT_EQ(p.BelowVs, 300);

  TProgramData copy = p;
  const std::string saved = Save(copy);
  EXPECT_EQ(saved.find("INTERACTION"), std::string::npos);
  EXPECT_NE(saved.find("BATTERED\r\n1 XZ  \r\n1 \r\n2 YZ  \r\n2 \r\n"), std::string::npos);
}

TEST_F(ReaderTest, RandomSpectraAndTransientHistories) {
  TProjectRead read = Read(HalfSpace("GRAVITY=9.8", "Random",
                                     "RANDOM \nCONSTANTS \n188.4 6.28 \n2 \n600 \n2 \n3 3\n4 \n4 \n1 5\n1 \n2 \n" + kRunData));
  ASSERT_EQ(read.message, "");
  EXPECT_EQ(read.project->LoadType, kRandomLoad);
  EXPECT_NEAR(read.project->RandomFreqMax, 30, 1e-15L);
  EXPECT_NEAR(read.project->RandomFreqMin, 1, 1e-15L);
  EXPECT_EQ(read.project->ObservationPeriod, 600);
  ASSERT_EQ(tables.Trandom.RowCount(), 2);
  EXPECT_EQ(tables.Trandom.Cell(0, 1).GetInt(), 1);  // the second location code is not kept
  EXPECT_EQ(tables.Trandom.Cell(1, 1).GetTable()->Cell(0, 1).GetFloat(), 2);

  read = Read(HalfSpace("GRAVITY=9.8", "Transient", "TRANSIENT \nCONSTANTS \n3 \n0.01 \n1 \n6 \n1 \n2 \n3 \n" + kRunData));
  ASSERT_EQ(read.message, "");
  EXPECT_EQ(read.project->LoadType, kTransientLoad);
  EXPECT_EQ(read.project->PointCount, 3);
  EXPECT_EQ(read.project->TimeStep, 0.01L);
  const kc::TGridTable* history = tables.TLoadtype.Cell(1, 0).GetTable();
  EXPECT_EQ(tables.TLoadtype.Cell(0, 0).GetInt(), 6);
  ASSERT_EQ(history->RowCount(), 3);
  EXPECT_EQ(history->Cell(0, 2).GetFloat(), 3);
}

// A header value that does not convert: a clear message and a new empty project that carries
// the file's name.
TEST_F(ReaderTest, HeaderValuesThatDoNotConvert) {
  const struct {
    const char* example;
    const char* from;
    const char* to;
    const char* message;
  } cases[] = {
      {"pile-group.kvd", "GRAVITY=9.8", "GRAVITY=9,8", "Error on Line 3\n'9,8' is not a valid floating point value."},
      {"pile-group.kvd", "FOUNDATION=PILE", "FOUNDATION=SILO", "Error on Line 4\n'SILO' is not a valid foundation type."},
      {"pile-group.kvd", "RECTANGULAR=6,6", "RECTANGULAR=6;6", "Error on Line 5\n'6;6' is not a valid floating point value."},
      {"pile-group.kvd", "RECTANGULAR=6,6", "RECTANGULAR=6", "Error on Line 5\n'' is not a valid floating point value."},
      {"pile-group.kvd", "LAYERS=3", "LAYERS=three", "Error on Line 8\n'three' is not a valid integer value."},
      {"pile-group.kvd", "FIXED=4", "FIXED=4.5", "Error on Line 9\n'4.5' is not a valid integer value."},
      {"pile-group.kvd", "FLOATING\r\n", "FLOATING\r\nBATTERED\r\n1 XZ  \r\nsteep \r\n",
       "Error on Line 24\n'steep' is not a valid floating point value."},
      {"pile-group.kvd", "BELOW=300 19.5 0.3 0.03", "BELOW=300 19.5 0.3",
       "Error on Line 29\n'300 19.5 0.3' is not a valid list of four numbers."},
      {"pile-group.kvd", "BELOW=300 19.5 0.3 0.03", "BELOW=300 19.5 x 0.03",
       "Error on Line 29\n'x' is not a valid floating point value."},
      {"multilayer.kvd", "LAYER=4", "LAYER=", "Error on Line 7\n'' is not a valid integer value."},
      {"multilayer.kvd", "CONSTANTS=2", "CONSTANTS=two", "Error on Line 18\n'two' is not a valid integer value."},
      {"circular-halfspace.kvd", "CIRCULAR=2.5", "CIRCULAR=2.5m", "Error on Line 5\n'2.5m' is not a valid floating point value."},
      {"circular-halfspace.kvd", "CONSTANTS=1", "CONSTANTS=1E99", "Error on Line 11\n'1E99' is not a valid integer value."},
  };
  for (const auto& c : cases) {
    std::string text = Example(c.example);
    text.replace(text.find(c.from), std::string(c.from).size(), c.to);
    WriteBytes(Path("bad.kvd"), text);
    const TProjectRead read = TProgramData::CreateFromFile(tables, Path("bad.kvd").string());
    EXPECT_EQ(read.message, c.message) << c.to;
    EXPECT_EQ(read.project->FileName, Path("bad.kvd").string());
    EXPECT_EQ(read.project->Title, "New Pile") << c.to;
    EXPECT_EQ(read.project->FoundationKeyword, "HALF-SPACE") << c.to;
    EXPECT_EQ(read.project->Units, kc::kSIUnits);
    EXPECT_EQ(tables.PileData.RowCount(), 1) << c.to;
    EXPECT_EQ(tables.PileData.Cell(0, 0).GetFloat(), 0) << c.to;
    ExpectEveryTableFilled();
  }
}

// Content that the word reader does not accept ends the reading with its message; what was
// read so far stays.
TEST_F(ReaderTest, ContentErrorsKeepWhatWasRead) {
  std::string text = Example("pile-group.kvd");
  text.replace(text.find("2 5 0.3"), 7, "2 5 abc");
  WriteBytes(Path("bad.kvd"), text);
  TProjectRead read = TProgramData::CreateFromFile(tables, Path("bad.kvd").string());
  EXPECT_EQ(read.message, "Error on Line 19 Item 3\nA floating point number was expected but not found.");
  EXPECT_EQ(read.project->Title, "Turbine pedestal on four piles");
  EXPECT_EQ(read.project->PileModulus, 30000000);
  EXPECT_EQ(tables.Pilecoord.RowCount(), 4);
  EXPECT_EQ(tables.PileData.RowCount(), 2);  // the second row holds what was read of it
  EXPECT_EQ(tables.PileData.Cell(0, 1).GetFloat(), 5);
  ExpectEveryTableFilled();

  text = Example("startup-transient.kvd");
  text.replace(text.find("1 \r\n3 \r\n"), 8, "1 \r\n9 \r\n");
  WriteBytes(Path("bad.kvd"), text);
  read = TProgramData::CreateFromFile(tables, Path("bad.kvd").string());
  EXPECT_EQ(read.message, "Error on Line 20 Item 1\nAn integer from 1 to 6 was expected but not found.");

  // Counts far beyond what the file holds end at the file's end.
  for (const char* huge : {"LAYERS=2000000000", "FIXED=2000000000"}) {
    text = Example("pile-group.kvd");
    const std::string from = huge[0] == 'L' ? "LAYERS=3" : "FIXED=4";
    text.replace(text.find(from), from.size(), huge);
    WriteBytes(Path("bad.kvd"), text);
    read = TProgramData::CreateFromFile(tables, Path("bad.kvd").string());
    EXPECT_NE(read.message, "") << huge;
    ExpectEveryTableFilled();
  }

  read = TProgramData::CreateFromFile(tables, Path("absent.kvd").string());
  EXPECT_EQ(read.message, "Cannot open file \"" + Path("absent.kvd").string() + "\": No such file or directory");
  EXPECT_EQ(read.project->FileName, Path("absent.kvd").string());
  ExpectEveryTableFilled();
}

// Every example cut after each of its lines, and with each line replaced by junk, or a file
// that is no project file at all: the reader gives a message and a project that can be saved.
TEST_F(ReaderTest, TruncatedGarbledAndForeignFiles) {
  const auto check = [&](const std::string& text, bool complete, const std::string& what) {
    WriteBytes(Path("cut.kvd"), text);
    TProjectRead read = TProgramData::CreateFromFile(tables, Path("cut.kvd").string());
    if (!complete) {
      EXPECT_NE(read.message, "") << what;
    }
    ExpectEveryTableFilled();
    EXPECT_NO_THROW(Save(*read.project, "saved.kvd")) << what;
  };
  for (const ExampleProject& example : ExampleProjects()) {
    const std::string text = Example(example.file);
    std::size_t line = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', end + 1), ++line) {
      // The run data after RUN are optional.
      const bool complete = text.substr(0, end + 1).find("\r\nRUN \r\n") != std::string::npos;
      check(text.substr(0, end + 1), complete, std::string(example.file) + " cut after line " + std::to_string(line + 1));
      const std::size_t begin = text.rfind('\n', end - 1) == std::string::npos ? 0 : text.rfind('\n', end - 1) + 1;
      const char* junk[] = {"", "1E99 -.E+ 9(((", "LOAD=RANDOM", "BATTERED", "-5"};
      if (line < 120)
        check(text.substr(0, begin) + junk[line % 5] + "\r\n" + text.substr(end + 1), true,
              std::string(example.file) + " line " + std::to_string(line + 1) + " garbled");
    }
  }
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 7919) % 256));
  check(binary, false, "binary");
  check("", false, "empty");
}

}  // namespace
}  // namespace korval::app::testing
