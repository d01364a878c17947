// The project model: the scalar part of one project (TProgramData) and the thirteen grid tables
// that hold its tabular part (TProjectTables), with the switch between the unit systems, the
// writing of the project file and the geometry file, and the reading of a project file.
//
// All numbers are held in the project's current unit system; frequencies are in Hz, angles in
// degrees and times in seconds in both systems.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "components/Table.hpp"

namespace korval::app {

// The project tables. They outlive projects: every new or read project clears and refills
// them. The table columns of TLoadtype and Trandom find their templates (Dtransient, Tspectrum)
// by identifier, so a process holds one set of project tables at a time.
class TProjectTables {
 public:
  static constexpr int kCount = 13;

  // The tables with their columns, identifiers, captions and row limits, no rows.
  TProjectTables();
  ~TProjectTables();
  TProjectTables(const TProjectTables&) = delete;
  TProjectTables& operator=(const TProjectTables&) = delete;

  components::TGridTable D;            // soil along the piles (PILE), beside the upper layers (MULTILAYER)
  components::TGridTable TLoadtype;    // transient load histories, one row per loaded direction
  components::TGridTable PileData;     // pile sections from head to tip
  components::TGridTable pilecapsoil;  // soil beside a pile cap
  components::TGridTable Multisoil;    // soil of the remaining MULTILAYER layers, after those of D
  components::TGridTable MultiElement;  // layers of a MULTILAYER foundation
  components::TGridTable Pilecoord;    // one row per pile: position, batter angle and plane
  components::TGridTable Dtransient;   // template of the history tables of TLoadtype
  components::TGridTable Trandom;      // random load spectra, one row per spectrum
  components::TGridTable Tspectrum;    // template of the spectrum tables of Trandom
  components::TGridTable D1;           // HALF-SPACE side layers; HALF-SPACE and STRATUM soil depth
  components::TGridTable TBattered;    // batter plane and angle; used by no operation
  components::TGridTable MassCal;      // mass components for the mass-properties calculation

  // The thirteen tables in the order above.
  std::array<components::TGridTable*, kCount> All();

  // Every table to `units`, converting its float columns and sub-tables.
  void SetUnits(int units);
  // Clears the modified flags of every table and its sub-tables.
  void ResetChanged();
};

// Foundation kinds of the program (the engine numbers them differently).
inline constexpr int kHalfSpace = 1;
inline constexpr int kPile = 2;
inline constexpr int kStratum = 3;
inline constexpr int kMultilayer = 4;

// Load types of the program.
inline constexpr int kHarmonicLoad = 1;
inline constexpr int kTransientLoad = 2;
inline constexpr int kRandomLoad = 3;

// Hz to the circular frequency (rad/s) of the project file, and back by division.
inline constexpr long double kCircularFrequencyFactor = 6.28L;

struct TProjectRead;

// The current project. Data windows read and assign the fields directly.
class TProgramData {
 public:
  // A new project: every field at its new-project value, the model switched to SI units, and
  // every table holding MinRows empty rows.
  explicit TProgramData(TProjectTables& tables);

  // A new project filled from the project file `file_name` (FileName is set to it). A file
  // that cannot be opened, or whose content is not what the reader expects, ends the reading
  // with a message for the user and the project as read so far; a header value that does not
  // convert gives a message and a new empty project carrying the file's name. Either way
  // every table ends with at least MinRows rows and no table is marked modified.
  static TProjectRead CreateFromFile(TProjectTables& tables, const std::string& file_name);

  // Writes the project file FileName and the geometry file beside it (GeometryFileName), and
  // clears the tables' modified flags; updates MassCount, SoilDepth, PileLength and the byte
  // flags. Raises components::EInOutError when a file cannot be written; the model is then
  // unchanged (the project file may be incomplete, the geometry file is not written).
  void Write();

  // Switches fields and tables to unit system `units` (clamped to 1..2).
  void SetUnits(int units);

  TProjectTables& Tables() const { return *tables_; }

  // Fields, in declaration order.
  int Units = 1;  // 1 English, 2 SI; a new project is switched to 2 at once
  std::string FileName = "NewData.kvd";
  std::string GeometryFileName;
  std::string FoundationKeyword = "HALF-SPACE";  // HALF-SPACE, PILE, STRATUM or MULTILAYER
  std::string LoadLine;  // the load-type line as last read from a project file
  int FoundationKind = kHalfSpace;
  std::string Title = "New Pile";
  long double ElementDepth = 0;  // length; recomputed by the side views
  int MassCount = 0;             // mass components written with the run data
  long double Mass = 0;          // mass
  long double InertiaX = 0, InertiaY = 0, InertiaZ = 0;     // mass-length^2
  long double ProductXY = 0, ProductXZ = 0, ProductYZ = 0;  // mass-length^2
  long double BaseX = 0, BaseY = 0, BaseZ = 0;  // length: centre of the foundation base
  long double PileLength = 0;      // length; for footings the soil depth of the geometry file
  long double PileUnitWeight = 0;  // force/length^3
  long double StaticLoad = 0;      // force
  long double PilePoisson = 0;
  long double PileDamping = 0;
  long double ShearCoefficient = 0;  // never converted
  long double EmbedmentDepth = 0;    // length (STRATUM)
  long double BedrockDepth = 0;      // length (STRATUM)
  long double CgX = 0, CgY = 0, CgZ = 0;                    // length, computed
  long double CbGlobalX = 0, CbGlobalY = 0, CbGlobalZ = 0;  // length, computed
  long double CbX = 0, CbY = 0, CbZ = 0;                    // length, entered
  long double FreqMax = 0, FreqMin = 0, FreqStep = 0;       // Hz, harmonic loading
  // Force amplitudes, or with Quadratic = 1 force coefficients (mass-length).
  long double ForceX = 0, ForceY = 0, ForceZ = 0;
  // Moment amplitudes (force-length), or with Quadratic = 1 coefficients (mass-length^2).
  long double MomentX = 0, MomentY = 0, MomentZ = 0;
  long double LoadPointX = 0, LoadPointY = 0, LoadPointZ = 0;  // length
  long double BelowVs = 0;          // length/second
  long double BelowUnitWeight = 0;  // force/length^3
  long double BelowDamping = 0;
  long double BelowPoisson = 0;
  int HeadFixed = 1;   // 1 fixed, 0 pinned pile heads
  int Circular = 0;    // 1 circular, 0 rectangular footing or cap
  int EndBearing = 0;  // 1 end-bearing, 0 floating piles
  std::string HeadText;         // display copies of the pile form; the switches are authoritative
  std::string TipText;
  std::string InteractionText;
  long double Radius = 0;     // length
  long double LengthX = 0;    // length
  long double WidthY = 0;     // length
  long double SoilDepth = 0;  // length; recomputed by every save
  long double PileModulus = 0;  // force/length^2
  int StiffnessMatrix = 1;
  int LoadType = kHarmonicLoad;
  int Interaction = 1;
  long double TimeStep = 0;  // seconds
  long double RandomFreqMax = 0, RandomFreqMin = 0;  // Hz
  long double ObservationPeriod = 0;  // seconds
  int PointCount = 0;  // points of each history (transient) or spectrum (random)
  int LoadCount = 0;   // load types (transient) or spectra (random)
  int Quadratic = 0;
  // Maintained by the writer: once a block has been written it keeps being written until the
  // project is replaced.
  std::uint8_t BatteredFlag = 0;
  std::uint8_t SideCapWeakFlag = 0;
  std::uint8_t WeakFlag = 1;

 private:
  TProjectTables* tables_;
};

// What reading a project file gives: the new project and, when the reading stopped early, the
// message to show the user (empty when the whole file was read).
struct TProjectRead {
  std::unique_ptr<TProgramData> project;
  std::string message;
};

}  // namespace korval::app
