// The keyword readers: what each block accepts, derives and rejects.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/input/derived.hpp"
#include "input_harness.hpp"

namespace korval::engine {
namespace {

using testing::contains;
using testing::read_project;

const std::string kHalfSpace =
    "GRAVITY=9.8\nFOUNDATION=HALF-SPACE\nCIRCULAR=2\nMASS\n10 20 20 30 0 0 0\nCONSTANTS\n0 0 1\n"
    "SOIL\nCONSTANTS=0\nBELOW=200 18 0.3 0.05\n";
const std::string kHarmonic = "LOAD\nHARMONIC\nCONSTANTS\nNONQUADRATIC\n100 10 10\n1 0 2\n0 0 0\n0 0 0\n";

TEST(Blocks, CompleteFootingReads) {
  const auto r = read_project("TITLE=T1\n" + kHalfSpace + kHarmonic + "RUN\n");
  EXPECT_EQ(r.end, LoopEnd::Run);
  EXPECT_FALSE(r.state->fatal) << r.report;
  EXPECT_EQ(r.in().foundation, FoundationType::HalfSpace);
  EXPECT_EQ(r.in().geometry, Geometry::Circular);
  EXPECT_EQ(r.in().units, UnitSystem::SI);
  EXPECT_FLOAT_EQ(r.in().radii.rt, 2.0f);
  EXPECT_FLOAT_EQ(r.in().below.vs, 200.0f);
  EXPECT_EQ(r.in().load, LoadType::Harmonic);
  EXPECT_FLOAT_EQ(r.in().harmonic.load[2], 2.0f);
}

// Each faulty input: the message it must give and whether it is fatal.
TEST(Blocks, ErrorPaths) {
  struct Case {
    const char* name;
    std::string text;
    const char* message;
    bool fatal;
  } cases[] = {
      {"gravity word", "GRAVITY=ABC\nRUN\n", " ERROR ENCOUNTERED WHILE READING GRAV. CONSTANT", true},
      {"foundation type after a blank", "FOUNDATION HALF-SPACE\nRUN\n", " INVALID KEYWORD - ", true},
      {"bad geometry word", "FOUNDATION=HALF-SPACE\nOVAL=3\n", " INVALID KEYWORD - OVAL FOR GEOMETRY TYPE", true},
      {"word in geometry", "FOUNDATION=HALF-SPACE\nCIRCULAR=BIG\n", " *** BAD DATA IN GEOMETRY DESCRIPTION ***", true},
      {"missing mass word", "FOUNDATION=HALF-SPACE\nCIRCULAR=2\nWEIGHT\n", " FOR MASS INFORMATION", true},
      {"word in mass", "FOUNDATION=HALF-SPACE\nCIRCULAR=2\nMASS\n1 2 X 4 5 6 7\n",
       " ERROR ENCOUNTERED IN FOUNDATION MASS DESCRIPTION", true},
      {"31 layers", "FOUNDATION=PILE\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nLAYERS=31\n",
       " ERROR - NUMBER OF LAYERS EXCEEDS 30", true},
      {"parabolic multilayer", "FOUNDATION=MULTILAYER\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nPARABOLIC\n",
       " MULTILAYER FOUNDATION IS NOT ALLOWED A PARABOLIC SOIL MEDIA", true},
      {"501 piles", "FOUNDATION=PILE\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nLAYERS=1\nFIXED=501\n",
       " ERROR - NUMBER OF PILES EXCEEDS 500", true},
      {"neither fixed nor pinned", "FOUNDATION=PILE\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nLAYERS=1\nFREE=1\n",
       " FOR FIXED OR PINNED INFOR   MATION", true},
      {"word in element data",
       "FOUNDATION=PILE\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nLAYERS=1\nFIXED=1\n1 0 0\nCONSTANTS\n0 0 0 10 24 0 0.2 0 1 3E7\n"
       "ELEMENT\n1 10 0.3 X\n",
       "\n ERROR ENCOUNTERED WHILE READING ELEMENT DATA PR   OGRAM WILL NOT EXECUTE\n", true},
      {"stratum too deeply embedded",
       "FOUNDATION=STRATUM\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nCONSTANTS\n0 0 0 3.1 10\n",
       " THE STRATUM OPTION IS NOT GOOD FOR THIS CASE", true},
      {"weak with stratum", "FOUNDATION=STRATUM\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nCONSTANTS\n0 0 0 0 10\nSOIL\nWEAK\n",
       " WEAK IS AN IMPROPER KEYWORD FOR THIS FOUNDATION   TYPE", true},
      {"soil without constants", kHalfSpace.substr(0, kHalfSpace.find("SOIL")) + "SOIL\nBELOW\n",
       " WEAK OR CONSTANT SUBKEYWORDS ARE EXPECTED TO FO   LLOW SOIL KEYWORD", true},
      {"soil before the foundation", "SOIL\nCONSTANTS\n1 2 3\n", " SOIL DATA MUST FOLLOW A COMPLETE FOUNDATION", true},
      {"missing below", kHalfSpace.substr(0, kHalfSpace.find("BELOW")) + "LOAD\n",
       " BELOW SUBKEYWORD IS EXPECTED TO FOLLOW SOIL CON   STANT DATA", true},
      {"word in below", kHalfSpace.substr(0, kHalfSpace.find("BELOW")) + "BELOW=200 X\n",
       " *** BAD DATA IN SOIL DESCRIPTION BELOW PILE ***", true},
      {"unknown load type", "LOAD\nSTEADY\n", " INVALID OR UNRECOGNIZED KEYWORD - STEA FOR LOAD    TYPE", true},
      {"load without constants", "LOAD\nHARMONIC\nVALUES\n", " 'CONSTANT' KEYWORD MISSING FOR LOAD DESCRIPTION", true},
      {"word in harmonic data", "LOAD\nHARMONIC\nCONSTANTS\nQUADRATIC\n10 1 X\n", " ERROR ENCOUNTERED IN LOAD DESCRIPTION",
       true},
      {"too many frequencies", "LOAD\nHARMONIC\nCONSTANTS\nQUADRATIC\n1000 0 1\n0 0 0\n0 0 0\n0 0 0\n",
       "ERROR - NUMBER OF FREQUENCIES (   1001 ) CANNOT BE", true},
      {"transient load code 7", "LOAD\nTRANSIENT\nCONSTANTS\n2 0.1 1\n7 1 2\n", " ERROR - LOAD TYPE INDICATOR (   7 ) CANNOT BE ",
       true},
      {"random location 0", "LOAD\nRANDOM\nCONSTANTS\n10 1 2 60 1\n0 1 1 2\n", " ERROR - LOCATION OF SPECTRA (   0 ) CANNOT BE ",
       true},
      {"random span beyond single precision", "LOAD\nRANDOM\nCONSTANTS\n3E38 -3E38 5 60 1\n",
       "ERROR - NUMBER OF FREQUENCIES ( ****** ) CANNOT BE", true},
      {"random step that underflows", "LOAD\nRANDOM\nCONSTANTS\n1E-44 0 500 60 1\n",
       "ERROR - NUMBER OF FREQUENCIES ( ****** ) CANNOT BE", true},
      {"negative number of spectra", "LOAD\nRANDOM\nCONSTANTS\n10 1 2 60 -1\n",
       " ERROR - NUMBER OF SPECTRA (     -1 ) CANNOT BE NEGATIVE", true},
      {"too many samples", "LOAD\nTRANSIENT\nCONSTANTS\n1019 0.1 1\n", " ERROR - NUMBER OF POINTS (   1019 ) CANNOT BE ", true},
      {"subkeyword at top level", "CIRCULAR=2\nSTOP\n", " CIRC SUBKEYWORD MUST BE PRECEEDED BY FOUNDATION KEYWORD", false},
      {"load subkeyword at top level", "HARMONIC\nSTOP\n", " HARM SUBKEYWORD MUST BE PRECEEDED BY LOAD KEYWORD", false},
      {"unknown keyword", "VIBRATE\nSTOP\n", " UNRECOGNIZED KEYWORD - VIBR", false},
      {"battered plane unknown",
       "FOUNDATION=PILE\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nLAYERS=1\nFIXED=1\n1 0 0\nCONSTANTS\n0 0 0 10 24 0 0.2 0 1 3E7\n"
       "ELEMENT\n1 10 0.3 0.3 0.28 0.006 0.006 0.012\nBATTERED\n1 XY\n10\nSTOP\n",
       " UNRECOGNIZED PLANE XY   FOR BATTERED PILES", false},
      {"side-cap without embedded",
       "FOUNDATION=PILE\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nLAYERS=1\nFIXED=1\n1 0 0\nCONSTANTS\n0 0 0 10 24 0 0.2 0 1 3E7\n"
       "ELEMENT\n1 10 0.3 0.3 0.28 0.006 0.006 0.012\nSOIL\nCONSTANTS\n1 100 18 0.3 0.05\nBELOW=200 18 0.3 0.05\n"
       "SIDE-CAP\nSTOP\n",
       " SIDE-CAP KEYWORD WAS INPUT WITHOUT THE EMBEDDED KEYWORD - THE SIDE-CAP OPTION WILL BE IGNORED", false},
  };
  for (const Case& c : cases) {
    const auto r = read_project(c.text);
    EXPECT_TRUE(contains(r.report, c.message)) << c.name << "\n" << r.report;
    EXPECT_EQ(r.state->fatal, c.fatal) << c.name << "\n" << r.report;
  }
}

TEST(Blocks, LimitsAreInclusive) {
  std::string piles = "FOUNDATION=PILE\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nLAYERS=30\nFIXED=500\n";
  for (int k = 1; k <= 500; ++k) piles += std::to_string(k) + " " + std::to_string(k) + " 0\n";
  const auto r = read_project(piles + "CONSTANTS\n");
  EXPECT_FALSE(contains(r.report, "EXCEEDS")) << r.report;
  EXPECT_EQ(r.in().piles, 500);
  EXPECT_EQ(r.in().layers, 30);
  EXPECT_FLOAT_EQ(r.in().pile[499].x, 500.0f);
}

TEST(Blocks, StratumCheckBoundary) {
  auto stratum = [](const char* embedment) {
    return read_project(std::string("FOUNDATION=STRATUM\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nCONSTANTS\n0 0 0 ") + embedment +
                        " 10\n");
  };
  EXPECT_FALSE(stratum("3").state->fatal);      // E/R = 1.5 exactly
  EXPECT_TRUE(stratum("3.001").state->fatal);   // just above
  EXPECT_TRUE(stratum("0 0").state->fatal);     // no layer depth
}

TEST(Blocks, WordInsideMassIsReadAgainAsKeyword) {
  const auto r = read_project("FOUNDATION=HALF-SPACE\nCIRCULAR=2\nMASS\n1 2 3\nSTOP\n");
  EXPECT_TRUE(r.state->fatal);
  EXPECT_TRUE(contains(r.report, "ALPHANUMERIC ENCOUNTERED - STOP"));
  EXPECT_EQ(r.end, LoopEnd::Stop);  // STOP was pushed back and read by the top level
  EXPECT_FALSE(contains(r.report, "END OF FILE ENCOUNTERED - PROGRAM STOP EXECUTED"));
}

TEST(Blocks, HarmonicKindWordConsumesAFirstNumber) {
  const auto r = read_project("LOAD\nHARMONIC\nCONSTANTS\n100 10 5 1 2 3 4 5 6 0 0 0 9\n");
  EXPECT_FALSE(r.in().harmonic.quadratic);
  EXPECT_FLOAT_EQ(r.in().harmonic.w_max, 10.0f);  // every value shifted by one
  EXPECT_FLOAT_EQ(r.in().harmonic.load[0], 2.0f);
}

TEST(Blocks, LoadResultantAtCentreOfGravity) {
  const auto r = read_project("LOAD\nHARMONIC\nCONSTANTS\nQUADRATIC\n10 1 1\n1 2 3\n0.5 0.25 0.125\n2 -1 4\n");
  const Real* p = r.in().harmonic.load;
  EXPECT_TRUE(r.in().harmonic.quadratic);
  // Mx + y Fz - z Fy, My + z Fx - x Fz, Mz + x Fy - y Fx for forces (1, 2, 3) at (2, -1, 4).
  EXPECT_FLOAT_EQ(p[3], 0.5f + (-1) * 3 - 4 * 2);
  EXPECT_FLOAT_EQ(p[4], 0.25f + 4 * 1 - 2 * 3);
  EXPECT_FLOAT_EQ(p[5], 0.125f + 2 * 2 - (-1) * 1);
}

TEST(Blocks, RectangleEquivalentRadiiAndSides) {
  // Comma and blanks separate the two sides alike.
  for (const char* sides : {"RECTANGULAR=4,2\n", "RECTANGULAR=4 2\n"}) {
    const auto r = read_project(std::string("FOUNDATION=HALF-SPACE\n") + sides);
    const EquivalentRadii& q = r.in().radii;
    EXPECT_NEAR(q.r0, std::sqrt(8.0 / 3.14159), 1e-5);
    EXPECT_NEAR(q.rx, std::pow(4.0 * 8 / (3 * 3.14159), 0.25), 1e-5);
    EXPECT_NEAR(q.ry, std::pow(64.0 * 2 / (3 * 3.14159), 0.25), 1e-5);
    EXPECT_NEAR(q.rt, std::pow(8.0 * 20 / (6 * 3.14159), 0.25), 1e-5);
  }
}

TEST(Blocks, ParabolicSublayers) {
  const auto r = read_project(
      "FOUNDATION=PILE\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nPARABOLIC\nPINNED=1\n1 0 0\nCONSTANTS\n0 0 0 20 24 0 0.2 0 1 3E7\n"
      "ELEMENT\n0.3 0.3 0.28 0.006 0.006 0.012\nSOIL\nWEAK\nCONSTANTS\n160 18 0.3 0.05 0.5 0.3 0.1 0.2\nBELOW=300 18 0.3 0.05\n");
  const InputModel& in = r.in();
  EXPECT_FALSE(r.state->fatal) << r.report;
  EXPECT_EQ(in.layers, 30);
  EXPECT_FALSE(in.fixed_head);
  EXPECT_FLOAT_EQ(in.element[0].thickness, 0.5f);
  EXPECT_FLOAT_EQ(in.element[29].thickness, 1.0f);
  // First sublayer: middle at 0.25 of a 20 long pile; last: middle at 19.5.
  EXPECT_NEAR(in.layer[0].vs, 160 * std::pow(0.25 / 20, 0.25), 1e-3);
  EXPECT_NEAR(in.layer[29].vs, 160 * std::pow(19.5 / 20, 0.25), 1e-3);
  EXPECT_FLOAT_EQ(in.layer[10].weak.thickness, 0.2f);
  EXPECT_FLOAT_EQ(in.tip_velocity, 160.0f);
}

TEST(Blocks, WeakZoneThicknessesFromTheirRatios) {
  auto r = read_project(
      "FOUNDATION=PILE\nRECTANGULAR=4,2\nMASS\n1 1 1 1 0 0 0\nLAYERS=2\nFIXED=1\n1 0 0\nCONSTANTS\n0 0 0 10 24 0 0.2 0 1 3E7\n"
      "ELEMENT\n1 5 0.3 0.5 0.28 0.006 0.006 0.012\n2 5 0.2 0.2 0.28 0.006 0.006 0.012\n"
      "SOIL\nWEAK\nCONSTANTS\n1 100 18 0.3 0.05 0.5 0.3 0.1 2\n2 120 18 0.3 0.05 1 0.3 0.1 2\n"
      "BELOW=200 18 0.3 0.05\nSIDE-CAP\nEMBEDDED\n1\n1 1.5 100 18 0.3 0.05 0.6 0.3 0.1 0.5\n");
  InputModel& in = r.state->in;
  ASSERT_FALSE(r.state->fatal) << r.report;
  scale_weak_zones(in);
  EXPECT_FLOAT_EQ(in.layer[0].weak.thickness, 2 * 0.4f);  // ratio times the mean pile radius
  EXPECT_FLOAT_EQ(in.layer[1].weak.thickness, 0.0f);      // no weakening (modulus ratio 1)
  EXPECT_NEAR(in.side[0].weak.thickness, 0.5 * std::sqrt(8 / 3.14159), 1e-6);  // times r0
}

TEST(Blocks, BatteredAngles) {
  const auto r = read_project(
      "FOUNDATION=PILE\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nLAYERS=1\nFIXED=2\n1 0 0\n2 1 0\nCONSTANTS\n0 0 0 10 24 0 0.2 0 1 3E7\n"
      "ELEMENT\n1 10 0.3 0.3 0.28 0.006 0.006 0.012\nINTERACTION\nEND-BEARING\nBATTERED\n1 XZ  \n15 \n2 YZ  \n10 \nSTOP\n");
  const InputModel& in = r.in();
  EXPECT_TRUE(in.battered);
  EXPECT_TRUE(in.interaction);
  EXPECT_FALSE(in.end_bearing);  // the tip word after INTERACTION is read and discarded
  const Real xz[3][3] = {{15, 90, 75}, {90, 0, 90}, {105, 90, 15}};
  const Real yz[3][3] = {{0, 90, 90}, {90, 10, 80}, {90, 100, 10}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      EXPECT_FLOAT_EQ(in.pile[0].angle[i][j], xz[i][j]);
      EXPECT_FLOAT_EQ(in.pile[1].angle[i][j], yz[i][j]);
    }
  EXPECT_EQ(r.end, LoopEnd::Stop);
}

TEST(Blocks, RepeatedBatteredIsReadAgain) {
  const auto r = read_project(
      "FOUNDATION=PILE\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nLAYERS=1\nFIXED=1\n1 0 0\nCONSTANTS\n0 0 0 10 24 0 0.2 0 1 3E7\n"
      "ELEMENT\n1 10 0.3 0.3 0.28 0.006 0.006 0.012\nBATTERED\n1 XZ\n10\nBATTERED\n1 YZ\n5\nINTERACTION\nSTOP\n");
  EXPECT_FALSE(contains(r.report, "SUBKEYWORD")) << r.report;
  EXPECT_FALSE(contains(r.report, "UNRECOGNIZED")) << r.report;
  EXPECT_TRUE(r.in().battered);
  EXPECT_TRUE(r.in().interaction);
  EXPECT_FLOAT_EQ(r.in().pile[0].angle[1][1], 5.0f);  // YZ: local y against Y is theta
  EXPECT_EQ(r.end, LoopEnd::Stop);
}

TEST(Blocks, RandomSpectraKeepTheirGivenValues) {
  const auto r = read_project("LOAD\nRANDOM\nCONSTANTS\n10 1 2 60 3\n1 2 5 6\n2 1 7 8\n3 3 1 1\n");
  const RandomLoad& q = r.in().random;
  EXPECT_FLOAT_EQ(q.spectrum[0][1][0], 5.0f);
  EXPECT_FLOAT_EQ(q.spectrum[1][0][0], 7.0f);
  EXPECT_FLOAT_EQ(q.spectrum[2][2][1], 1.0f);
  EXPECT_FLOAT_EQ(q.spectrum[0][0][0], 0.0f);
}

TEST(Blocks, TransientLaterHistoryWins) {
  const auto r = read_project("LOAD\nTRANSIENT\nCONSTANTS\n2 0.1 2\n3 1 2\n3 5 6\n");
  EXPECT_TRUE(r.in().transient.given[2]);
  EXPECT_FLOAT_EQ(r.in().transient.history[2][1], 6.0f);
}

// Without RUN or STOP the word that the loop asks for is missing: the item reader reports it,
// then the loop stops.
TEST(Blocks, EndOfInputAtTopLevel) {
  const auto r = read_project("NOECHO\nGRAVITY=9.8\n");
  EXPECT_EQ(r.end, LoopEnd::Stop);
  EXPECT_EQ(r.report,
            "\n\n *** INPUT ERROR ***    END OF FILE ENCOUNTERED WHILE\n"
            "                       READING   1 ALPHANUMERIC WORDS\n"
            "\n\n END OF FILE ENCOUNTERED - PROGRAM STOP EXECUTED\n");
}

// A value that reads as 0 because the input has ended can still be refused: its message is
// written after the end-of-file message, and the run is fatal.
TEST(Blocks, ValueRefusedAtTheEndOfInputIsReported) {
  const std::string eof_number = " NUMBER   1 OF   1 NUMBERS TO BE REA D\n";
  struct Case {
    const char* name;
    std::string text;
    const char* message;
  } cases[] = {
      {"stratum cut before its depth", "FOUNDATION=STRATUM\nCIRCULAR=2\nMASS\n1 1 1 1 0 0 0\nCONSTANTS\n0 0 0 1",
       "\n\n THE STRATUM OPTION IS NOT GOOD FOR THIS CASE\n CHECK YOUR E/R,E/H,R/H VALUES\n"},
      {"circle cut before its radius", "FOUNDATION=HALF-SPACE\nCIRCULAR",
       "\n\n *** BAD DATA IN GEOMETRY DESCRIPTION ***\n"},
  };
  for (const Case& c : cases) {
    const auto r = read_project(c.text);
    EXPECT_TRUE(r.state->fatal) << c.name;
    const std::size_t missing = r.report.find(eof_number), message = r.report.find(c.message);
    ASSERT_NE(message, std::string::npos) << c.name << "\n" << r.report;
    EXPECT_LT(missing, message) << c.name << "\n" << r.report;
  }
}

// Input cut inside the mass data: each of the five missing numbers is reported and reads as
// 0, the CONSTANTS word is missing too, and the run stops without a fatal error.
TEST(Blocks, EndOfInputStopsTheRun) {
  const auto r = read_project("FOUNDATION=HALF-SPACE\nCIRCULAR=2\nMASS\n1 2");
  EXPECT_EQ(r.end, LoopEnd::Stop);
  EXPECT_FALSE(r.state->fatal) << r.report;
  std::size_t missing = 0;
  for (std::size_t p = 0; (p = r.report.find("END OF FILE ENCOUNTEREDW   HILE READING", p)) != std::string::npos; ++p)
    ++missing;
  EXPECT_EQ(missing, 5u) << r.report;
  EXPECT_FLOAT_EQ(r.in().mass.M, 1.0f);
  EXPECT_TRUE(contains(r.report, " *** INPUT ERROR ***    END OF FILE ENCOUNTERED WHILE\n"));
  EXPECT_TRUE(contains(r.report, " END OF FILE ENCOUNTERED - PROGRAM STOP EXECUTED"));
}

}  // namespace
}  // namespace korval::engine
