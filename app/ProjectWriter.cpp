// Writing the project file (the engine's input) and the geometry file beside it.
//
// Both are byte text with CR LF line ends; values on a line are separated by one blank, and
// the trailing blanks of the records are part of the layout. Reals are written with 8
// significant digits (the general format of the table cells), the centre coordinates of the
// run data as 23-character long reals. Cells are written as the texts the tables show.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <string>

#include "app/DataUnit.hpp"
#include "components/Errors.hpp"
#include "components/NumberFormat.hpp"
#include "components/Units.hpp"

namespace korval::app {
namespace {

using components::TGridTable;

std::string G8(long double value) { return components::FormatGeneral(value, components::kCellDigits); }
std::string Int(int value) { return std::to_string(value); }

std::string CellText(const TGridTable& table, int column, int row) { return table.Cell(column, row).GetText(); }
long double CellNumber(const TGridTable& table, int column, int row) { return table.Cell(column, row).GetFloat(); }
int CellInteger(const TGridTable& table, int column, int row) { return table.Cell(column, row).GetInt(); }

// Values separated by blanks.
std::string Joined(std::initializer_list<std::string> values) {
  std::string line;
  for (const std::string& v : values) line += (line.empty() ? "" : " ") + v;
  return line;
}

// Values each followed by a blank.
std::string Terminated(std::initializer_list<std::string> values) {
  std::string line;
  for (const std::string& v : values) line += v + " ";
  return line;
}

// Row `row` of a soil table; a row beyond the table's end reads as an empty row (zeros), so
// that the soil rows always match the layers they belong to.
class SoilRow {
 public:
  SoilRow(const TGridTable& table, int row) : table_(table), row_(row) {}
  std::string Text(int column) const { return Present() ? CellText(table_, column, row_) : G8(0); }
  long double Number(int column) const { return Present() ? CellNumber(table_, column, row_) : 0; }

 private:
  bool Present() const { return row_ < table_.RowCount(); }
  const TGridTable& table_;
  int row_;
};

// A soil row with its weakened zone: number, the first `plain` columns, then the weak-zone
// Poisson's ratio and damping (the layer's Poisson's ratio, twice its damping) and the
// weak-zone thickness ratio `ratio` where the shear modulus ratio (the last of the plain
// columns) is at most `reduced`, else 0. `poisson` and `damping` are column indexes.
std::string WeakRow(int number, const SoilRow& row, int plain, int poisson, int damping, long double ratio,
                    long double reduced) {
  std::string line = Int(number);
  for (int c = 0; c < plain; ++c) line += " " + row.Text(c);
  const long double w = row.Number(plain - 1) <= reduced ? ratio : 0;
  return line + " " + row.Text(poisson) + " " + G8(2 * row.Number(damping)) + " " + G8(w);
}

// Number and the first `columns` cell texts.
std::string PlainRow(int number, const SoilRow& row, int columns) {
  std::string line = Int(number);
  for (int c = 0; c < columns; ++c) line += " " + row.Text(c);
  return line;
}

bool AnyAbove(const TGridTable& table, int column, long double limit) {
  for (int r = 0; r < table.RowCount(); ++r)
    if (std::fabs(CellNumber(table, column, r)) > limit) return true;
  return false;
}

class TextFile {
 public:
  void Line(const std::string& text) { text_ += text + "\r\n"; }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// Number and the seven section columns of each layer (pile sections, foundation layers).
void Sections(TextFile& f, const TGridTable& table) {
  for (int r = 0; r < table.RowCount(); ++r) {
    std::string line = Int(r + 1);
    for (int c = 0; c < 7; ++c) line += " " + CellText(table, c, r);
    f.Line(line);
  }
}

// Layers of a MULTILAYER foundation beside which `D` holds soil; more rows of `D` than there
// are layers are not written.
int AdjacentLayers(const TProjectTables& t) { return std::min(t.D.RowCount(), t.MultiElement.RowCount()); }

// A pile battered in no chosen plane is battered in the XZ plane.
bool BatteredInYZ(const TGridTable& piles, int row) { return CellInteger(piles, 3, row) == 2; }

// The values one save derives from the model; committed when both files are written.
struct SaveState {
  std::uint8_t battered, side_cap_weak, weak;
  int mass_count;
  long double soil_depth, pile_length;
};

std::string ProjectFileText(const TProgramData& p, SaveState& s) {
  const TProjectTables& t = p.Tables();
  const std::string& kind = p.FoundationKeyword;
  const bool half_space = kind == "HALF-SPACE", pile = kind == "PILE", stratum = kind == "STRATUM",
             multilayer = kind == "MULTILAYER";
  const int piles = t.Pilecoord.RowCount();
  TextFile f;

  f.Line("TITLE=" + p.Title);
  if (p.StiffnessMatrix == 1) f.Line("MATRIX");
  f.Line(p.Units == components::kEnglishUnits ? "GRAVITY=32.2" : "GRAVITY=9.8");
  f.Line("FOUNDATION=" + kind);
  f.Line(p.Circular != 0 ? "CIRCULAR=" + G8(p.Radius) : "RECTANGULAR=" + G8(p.LengthX) + "," + G8(p.WidthY));
  f.Line("MASS ");
  f.Line(Joined({G8(p.Mass), G8(p.InertiaX), G8(p.InertiaY), G8(p.InertiaZ), G8(p.ProductXY), G8(p.ProductXZ),
                 G8(p.ProductYZ)}));
  if (pile) {
    f.Line("LAYERS=" + Int(t.PileData.RowCount()));
    f.Line((p.HeadFixed == 1 ? "FIXED=" : "PINNED=") + Int(piles));
    for (int i = 0; i < piles; ++i) f.Line(Terminated({Int(i + 1), CellText(t.Pilecoord, 0, i), CellText(t.Pilecoord, 1, i)}));
  }
  if (multilayer) f.Line("LAYER=" + Int(t.MultiElement.RowCount()));

  f.Line("CONSTANTS ");
  if (half_space) f.Line(Terminated({G8(p.BaseX), G8(p.BaseY), G8(p.BaseZ)}));
  if (stratum) f.Line(Terminated({G8(p.BaseX), G8(p.BaseY), G8(p.BaseZ), G8(p.EmbedmentDepth), G8(p.BedrockDepth)}));
  if (pile || multilayer) {
    f.Line(Terminated({G8(p.BaseX), G8(p.BaseY), G8(p.BaseZ), G8(p.PileLength), G8(p.PileUnitWeight)}));
    f.Line(Joined({G8(p.StaticLoad), G8(p.PilePoisson), G8(p.PileDamping), G8(p.ShearCoefficient), G8(p.PileModulus)}));
  }
  if (multilayer) {
    f.Line("ELEMENT");
    Sections(f, t.MultiElement);
  }
  if (pile) {
    f.Line("ELEMENT");
    Sections(f, t.PileData);
    f.Line(p.EndBearing != 0 ? "END-BEARING" : "FLOATING");
    if (AnyAbove(t.Pilecoord, 2, 1e-7L)) s.battered = 1;
    if (s.battered == 1) {
      f.Line("BATTERED");
      for (int i = 0; i < piles; ++i) {
        f.Line(Int(i + 1) + " " + (BatteredInYZ(t.Pilecoord, i) ? "YZ  " : "XZ  "));
        f.Line(CellText(t.Pilecoord, 2, i) + " ");
      }
    }
    if (p.Interaction == 1) f.Line("INTERACTION ");
  }

  f.Line("SOIL ");
  if (stratum) f.Line("CONSTANTS ");
  if (multilayer) {
    const int adjacent = AdjacentLayers(t);
    if (adjacent > 0) f.Line("WEAK ");
    f.Line("CONSTANTS=" + Int(adjacent));
    for (int r = 0; r < adjacent; ++r) f.Line(WeakRow(r + 1, SoilRow(t.D, r), 5, 2, 3, 1, 0.99999L));
    for (int k = 0; k < t.MultiElement.RowCount() - adjacent; ++k)
      f.Line(PlainRow(adjacent + k + 1, SoilRow(t.Multisoil, k), 6));
  }
  if (half_space) {
    if (AnyAbove(t.D1, 5, 1e-7L)) s.weak = 1;
    if (s.weak == 1) f.Line("WEAK ");
    f.Line("CONSTANTS=" + Int(t.D1.RowCount()));
    for (int r = 0; r < t.D1.RowCount(); ++r)
      f.Line(s.weak == 1 ? WeakRow(r + 1, SoilRow(t.D1, r), 6, 3, 4, 0.1L, 0.999999L)
                         : PlainRow(r + 1, SoilRow(t.D1, r), 5));
  }
  if (pile) {
    // One soil row per pile layer.
    f.Line("WEAK");
    f.Line("CONSTANTS");
    for (int r = 0; r < t.PileData.RowCount(); ++r) f.Line(WeakRow(r + 1, SoilRow(t.D, r), 5, 2, 3, 1, 0.999999L));
  }
  const std::string below = Joined({G8(p.BelowVs), G8(p.BelowUnitWeight), G8(p.BelowPoisson), G8(p.BelowDamping)});
  f.Line(stratum ? below : "BELOW=" + below);
  const int cap_layers = t.pilecapsoil.RowCount();
  if (pile && cap_layers > 0) {
    if (AnyAbove(t.pilecapsoil, 5, 1e-7L)) s.side_cap_weak = 1;
    if (s.side_cap_weak == 1) {
      f.Line("SIDE-CAP");
      f.Line("EMBEDDED");
      f.Line(Int(cap_layers) + " ");
      for (int r = 0; r < cap_layers; ++r) f.Line(WeakRow(r + 1, SoilRow(t.pilecapsoil, r), 6, 3, 4, 0.1L, 0.999999L));
    } else if (CellNumber(t.pilecapsoil, 1, cap_layers - 1) > 1e-5L) {
      f.Line("EMBEDDED");
      f.Line(Int(cap_layers) + " ");
      for (int r = 0; r < cap_layers; ++r) f.Line(PlainRow(r + 1, SoilRow(t.pilecapsoil, r), 5));
    }
  }

  f.Line("LOAD ");
  f.Line(p.LoadType == kHarmonicLoad ? "HARMONIC " : p.LoadType == kTransientLoad ? "TRANSIENT " : "RANDOM ");
  f.Line("CONSTANTS ");
  const long double w = kCircularFrequencyFactor;
  if (p.LoadType == kHarmonicLoad) {
    f.Line(p.Quadratic == 1 ? "QUADRATIC " : "NONQUADRATIC ");
    f.Line(Terminated({G8(w * p.FreqMax), G8(w * p.FreqMin), G8(w * p.FreqStep)}));
    f.Line(Terminated({G8(p.ForceX), G8(p.ForceY), G8(p.ForceZ)}));
    f.Line(Terminated({G8(p.MomentX), G8(p.MomentY), G8(p.MomentZ)}));
    f.Line(Terminated({G8(p.LoadPointX), G8(p.LoadPointY), G8(p.LoadPointZ)}));
  }
  // Each loaded direction or spectrum: its direction code, then its values one per line.
  const auto series = [&](const TGridTable& table, bool twice) {
    f.Line(Int(table.RowCount()) + " ");
    for (int r = 0; r < table.RowCount(); ++r) {
      const int direction = CellInteger(table, 0, r);
      f.Line(twice ? Int(direction) + " " + Int(direction) : Int(direction) + " ");
      if (const TGridTable* values = table.Cell(1, r).GetTable())
        for (int k = 0; k < values->RowCount(); ++k) f.Line(CellText(*values, 0, k) + " ");
    }
  };
  if (p.LoadType == kTransientLoad) {
    f.Line(Int(p.PointCount) + " ");
    f.Line(G8(p.TimeStep) + " ");
    series(t.TLoadtype, false);
  }
  if (p.LoadType == kRandomLoad) {
    f.Line(Terminated({G8(w * p.RandomFreqMax), G8(w * p.RandomFreqMin)}));
    f.Line(Int(p.PointCount) + " ");
    f.Line(G8(p.ObservationPeriod) + " ");
    series(t.Trandom, true);
  }

  f.Line("RUN ");
  const TGridTable& masses = t.MassCal;
  s.mass_count = masses.RowCount() > 0 && CellNumber(masses, 0, 0) >= 1e-8L ? masses.RowCount() : 0;
  f.Line(Int(s.mass_count));
  if (s.mass_count > 0)
    for (int r = 0; r < masses.RowCount(); ++r) {
      std::string line;
      for (int c = 0; c < 7; ++c) line += CellText(masses, c, r) + " ";
      f.Line(line);
    }
  using components::FormatLongReal;
  f.Line(Terminated({FormatLongReal(p.CgX), FormatLongReal(p.CgY), FormatLongReal(p.CgZ)}));
  f.Line(Terminated({FormatLongReal(p.CbX), FormatLongReal(p.CbY), FormatLongReal(p.CbZ)}));
  f.Line(Terminated({FormatLongReal(p.CbGlobalX), FormatLongReal(p.CbGlobalY), FormatLongReal(p.CbGlobalZ)}));
  return f.Text();
}

// The geometry file: footprint, piles and the soil column by depth, for the 3D viewer.
std::string GeometryFileText(const TProgramData& p, SaveState& s) {
  const TProjectTables& t = p.Tables();
  const std::string& kind = p.FoundationKeyword;
  const auto column_sum = [](const TGridTable& table, int rows) {
    long double sum = 0;
    for (int r = 0; r < rows; ++r) sum += CellNumber(table, 0, r);
    return sum;
  };
  if (kind == "PILE")
    s.soil_depth = column_sum(t.pilecapsoil, t.pilecapsoil.RowCount());
  else if (kind == "MULTILAYER")
    s.soil_depth = column_sum(t.MultiElement, AdjacentLayers(t));
  else
    s.soil_depth = column_sum(t.D1, t.D1.RowCount());

  TextFile f;
  if (p.Circular != 0) {
    f.Line("CIRCULAR ");
    if (s.soil_depth < 1e-5L) s.soil_depth = 0.15L * p.Radius;
    f.Line(" " + G8(p.Radius) + " " + G8(p.Radius) + " " + G8(s.soil_depth));
    if (s.pile_length < 1e-5L) s.pile_length = 3 * p.Radius;
  } else {
    f.Line("RECTANGULAR ");
    if (s.soil_depth < 1e-5L) s.soil_depth = 0.15L * p.WidthY;
    f.Line(" " + G8(p.LengthX) + " " + G8(p.WidthY) + " " + G8(s.soil_depth));
    if (s.pile_length < 1e-5L) s.pile_length = 2 * p.LengthX;
  }
  const std::string length = G8(s.pile_length), tip = G8(0.2L * s.pile_length);
  // The layers of the soil column by thickness, then the soil below to the pile length and a
  // fifth of it beneath.
  const auto column = [&](const TGridTable& table, int layers) {
    f.Line(Int(layers + 2));
    for (int l = 0; l < layers; ++l) f.Line(Int(l + 1) + " " + CellText(table, 0, l) + " ");
    f.Line(Int(layers + 1) + " " + length);
    f.Line(Int(layers + 2) + " " + tip);
  };
  if (kind == "PILE") {
    const TGridTable& piles = t.Pilecoord;
    f.Line(Int(piles.RowCount()));
    f.Line(length + " ");
    for (int i = 0; i < piles.RowCount(); ++i) f.Line(Terminated({Int(i + 1), CellText(piles, 0, i), CellText(piles, 1, i)}));
    f.Line("ELEMENT");
    f.Line(Int(t.PileData.RowCount()));
    Sections(f, t.PileData);
    if (s.battered == 1) {
      f.Line("BATTERED");
      for (int i = 0; i < piles.RowCount(); ++i)
        f.Line(Int(i + 1) + " " + (BatteredInYZ(piles, i) ? "90 " : "0 ") + CellText(piles, 2, i) + " ");
    }
    f.Line("SOIL");
    f.Line(kind);
    column(t.pilecapsoil, t.pilecapsoil.RowCount());
    return f.Text();
  }
  f.Line(" 0");
  f.Line("SOIL");
  f.Line(kind);
  if (kind == "MULTILAYER") {
    const int adjacent = AdjacentLayers(t);
    f.Line(Int(adjacent));
    column(t.MultiElement, adjacent);
  } else if (kind == "HALF-SPACE" || kind == "STRATUM") {
    const int n = t.D1.RowCount();
    if (n > 0 && CellNumber(t.D1, 0, 0) > 0) {
      f.Line(Int(n));
      column(t.D1, n);
    } else {
      f.Line(" 0");
      f.Line(Int(n + 1));
      f.Line(Int(n) + " " + length);
      f.Line(Int(n + 1) + " " + tip);
    }
  }
  return f.Text();
}

void WriteTextFile(const std::string& name, const std::string& text) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (!file) throw components::EInOutError("Cannot create file \"" + name + "\": " + std::strerror(errno));
  bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  int err = ok ? 0 : errno;
  if (std::fclose(file) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) throw components::EInOutError("Cannot write file \"" + name + "\": " + std::strerror(err));
}

}  // namespace

void TProgramData::Write() {
  SaveState s{BatteredFlag, SideCapWeakFlag, WeakFlag, MassCount, SoilDepth, PileLength};
  const std::string project = ProjectFileText(*this, s);
  const std::string geometry = GeometryFileText(*this, s);
  const std::string geometry_name = std::filesystem::path(FileName).replace_extension(".kvt").string();
  WriteTextFile(FileName, project);
  WriteTextFile(geometry_name, geometry);
  GeometryFileName = geometry_name;
  BatteredFlag = s.battered;
  SideCapWeakFlag = s.side_cap_weak;
  WeakFlag = s.weak;
  MassCount = s.mass_count;
  SoilDepth = s.soil_depth;
  PileLength = s.pile_length;
  tables_->ResetChanged();
}

}  // namespace korval::app
