#include "example_projects.hpp"

#include "components/Units.hpp"
#include "project_fixture.hpp"

namespace korval::app::testing {
namespace {

using components::kEnglishUnits;

// A footing without side layers: one empty layer row in the plain form.
void NoSideLayers(TProgramData& p) { p.WeakFlag = 0; }

void Harmonic(TProgramData& p, long double max_hz, long double min_hz, long double step_hz) {
  p.LoadType = kHarmonicLoad;
  p.FreqMax = max_hz;
  p.FreqMin = min_hz;
  p.FreqStep = step_hz;
}

// A 5 m compressor block on a half-space; its report is quoted in README.md.
void CircularHalfSpace(TProgramData& p) {
  p.Title = "Compressor block on a half-space";
  p.Circular = 1;
  p.Radius = 2.5;
  p.Mass = 90;
  p.InertiaX = p.InertiaY = 157;
  p.InertiaZ = 281;
  p.BaseZ = 1;
  NoSideLayers(p);
  p.BelowVs = 200;
  p.BelowUnitWeight = 18;
  p.BelowPoisson = 0.33L;
  p.BelowDamping = 0.05L;
  Harmonic(p, 50, 1, 0.5L);
  p.ForceX = 5;
  p.ForceZ = 10;
  p.LoadPointZ = 0.5L;
}

void Multilayer(TProgramData& p) {
  p.Title = "Deep block foundation in a layered site";
  p.StiffnessMatrix = 0;
  p.SetUnits(kEnglishUnits);
  p.FoundationKeyword = "MULTILAYER";
  p.FoundationKind = kMultilayer;
  p.Circular = 1;
  p.Radius = 8;
  p.Mass = 3000;
  p.InertiaX = p.InertiaY = 40000;
  p.InertiaZ = 60000;
  p.BaseZ = 4;
  p.PileLength = 20;
  p.PileUnitWeight = 150;
  p.PilePoisson = 0.25L;
  p.PileDamping = 0.05L;
  p.ShearCoefficient = 1;
  p.PileModulus = 4.5e8L;
  TProjectTables& t = p.Tables();
  Fill(t.MultiElement, {{4, 8, 8, 201, 3217, 3217, 6434},
                        {4, 8, 8, 201, 3217, 3217, 6434},
                        {6, 8, 8, 201, 3217, 3217, 6434},
                        {6, 8, 8, 201, 3217, 3217, 6434}});
  Fill(t.D, {{500, 115, 0.35L, 0.05L, 1}, {600, 120, 0.35L, 0.05L, 1}});
  Fill(t.Multisoil, {{700, 120, 0.33L, 0.04L, 1, 1}, {800, 125, 0.33L, 0.04L, 1, 1}});
  p.BelowVs = 1000;
  p.BelowUnitWeight = 125;
  p.BelowPoisson = 0.3L;
  p.BelowDamping = 0.03L;
  Harmonic(p, 30, 2, 0.5L);
  p.ForceZ = 2000;
}

void PileGroup(TProgramData& p) {
  p.Title = "Turbine pedestal on four piles";
  p.FoundationKeyword = "PILE";
  p.FoundationKind = kPile;
  p.LengthX = p.WidthY = 6;
  p.Mass = 250;
  p.InertiaX = p.InertiaY = 900;
  p.InertiaZ = 1500;
  TProjectTables& t = p.Tables();
  Fill(t.PileData, {{4, 0.3L, 0.3L, 0.2827L, 0.006362L, 0.006362L, 0.012723L},
                    {5, 0.3L, 0.3L, 0.2827L, 0.006362L, 0.006362L, 0.012723L},
                    {6, 0.3L, 0.3L, 0.2827L, 0.006362L, 0.006362L, 0.012723L}});
  Fill(t.Pilecoord, {{-1.5L, -1.5L, 0, 1}, {1.5L, -1.5L, 0, 1}, {-1.5L, 1.5L, 0, 1}, {1.5L, 1.5L, 0, 1}});
  p.BaseZ = 1.2L;
  p.PileLength = 15;
  p.PileUnitWeight = 24;
  p.StaticLoad = 600;
  p.PilePoisson = 0.2L;
  p.PileDamping = 0.05L;
  p.ShearCoefficient = 1.1L;
  p.PileModulus = 3e7L;
  Fill(t.D, {{150, 17, 0.4L, 0.05L, 1}, {200, 18, 0.4L, 0.05L, 1}, {250, 19, 0.35L, 0.04L, 1}});
  p.BelowVs = 300;
  p.BelowUnitWeight = 19.5L;
  p.BelowPoisson = 0.3L;
  p.BelowDamping = 0.03L;
  Fill(t.pilecapsoil, {{1.2L, 120, 17, 0.4L, 0.05L, 0}});
  Harmonic(p, 100, 5, 1);
  p.ForceX = 20;
  p.LoadPointZ = 1.5L;
}

void RandomHalfSpace(TProgramData& p) {
  p.Title = "Crusher foundation under random loads";
  p.StiffnessMatrix = 0;
  p.Circular = 1;
  p.Radius = 3;
  p.Mass = 150;
  p.InertiaX = p.InertiaY = 340;
  p.InertiaZ = 675;
  p.BaseZ = 1.2L;
  NoSideLayers(p);
  p.BelowVs = 220;
  p.BelowUnitWeight = 18.5L;
  p.BelowPoisson = 0.35L;
  p.BelowDamping = 0.05L;
  p.LoadType = kRandomLoad;
  p.RandomFreqMax = 30;
  p.RandomFreqMin = 1;
  p.PointCount = 30;
  p.ObservationPeriod = 600;
  p.LoadCount = 2;
  FillSeries(p.Tables().Trandom, {{3, std::vector<long double>(30, 4)}, {1, std::vector<long double>(30, 1)}});
}

void RectangularStratum(TProgramData& p) {
  p.Title = "Reciprocating compressor on a stratum over rock";
  p.StiffnessMatrix = 0;
  p.SetUnits(kEnglishUnits);
  p.FoundationKeyword = "STRATUM";
  p.FoundationKind = kStratum;
  p.LengthX = 20;
  p.WidthY = 12;
  p.Mass = 6832;
  p.InertiaX = 96220;
  p.InertiaY = 241970;
  p.InertiaZ = 309720;
  p.BaseZ = 3;
  p.EmbedmentDepth = 3;
  p.BedrockDepth = 30;
  p.BelowVs = 600;
  p.BelowUnitWeight = 120;
  p.BelowPoisson = 0.35L;
  p.BelowDamping = 0.05L;
  Harmonic(p, 60, 5, 0.5L);
  p.Quadratic = 1;
  p.ForceY = p.ForceZ = 0.5L;
  p.LoadPointZ = 2;
}

// A half-sine force pulse of 50 kN lasting 0.05 s, then rest.
void StartupTransient(TProgramData& p) {
  p.Title = "Machine start-up pulse on a rectangular footing";
  p.LengthX = 6;
  p.WidthY = 4;
  p.Mass = 120;
  p.InertiaX = 210;
  p.InertiaY = 400;
  p.InertiaZ = 520;
  p.BaseZ = 0.8L;
  NoSideLayers(p);
  p.BelowVs = 180;
  p.BelowUnitWeight = 18;
  p.BelowPoisson = 0.3L;
  p.BelowDamping = 0.05L;
  p.LoadType = kTransientLoad;
  p.PointCount = 256;
  p.TimeStep = 0.005L;
  p.LoadCount = 1;
  std::vector<long double> pulse = {0, 15.45085L, 29.389263L, 40.45085L, 47.552826L, 50,
                                    47.552826L, 40.45085L, 29.389263L, 15.45085L};
  pulse.resize(256, 0);
  FillSeries(p.Tables().TLoadtype, {{3, pulse}});
}

}  // namespace

const std::vector<ExampleProject>& ExampleProjects() {
  static const std::vector<ExampleProject> examples = {
      {"circular-halfspace.kvd", CircularHalfSpace}, {"multilayer.kvd", Multilayer},
      {"pile-group.kvd", PileGroup},                 {"random-halfspace.kvd", RandomHalfSpace},
      {"rectangular-stratum.kvd", RectangularStratum}, {"startup-transient.kvd", StartupTransient},
  };
  return examples;
}

}  // namespace korval::app::testing
