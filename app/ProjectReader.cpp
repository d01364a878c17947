// Reading a project file back into a new project.
//
// The reader follows the record order of the writer: a few keywords steer it (matched as whole
// lines or by their first characters), every other record is found by its position. Numbers
// are taken with the word reader; the values that stand on a keyword line (gravity,
// dimensions, counts, the soil below) are parsed from the line's text.
#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>

#include "app/DataUnit.hpp"
#include "components/Errors.hpp"
#include "components/NumberFormat.hpp"
#include "components/Units.hpp"
#include "components/WordRead.hpp"

namespace korval::app {
namespace {

using components::EConvertError;
using components::TGridTable;

std::string Trimmed(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return std::string(text.substr(begin, end - begin));
}

// Characters `first` (counted from 1) onwards; empty when the text is shorter.
std::string From(std::string_view text, std::size_t first) {
  return first - 1 < text.size() ? std::string(text.substr(first - 1)) : std::string();
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

int FoundationKindOf(const std::string& keyword) {
  if (keyword == "HALF-SPACE") return kHalfSpace;
  if (keyword == "PILE") return kPile;
  if (keyword == "STRATUM") return kStratum;
  if (keyword == "MULTILAYER") return kMultilayer;
  return 0;
}

// The sub-table of a table column's cell; every load direction has one.
TGridTable& SubTable(const TGridTable& table, int row) {
  TGridTable* sub = table.Cell(1, row).GetTable();
  if (!sub) throw components::Exception("A loading row has no value table");
  return *sub;
}

class ProjectReader {
 public:
  ProjectReader(TProgramData& project, components::TWordReader& words)
      : p_(project), t_(project.Tables()), words_(words) {}

  void Read() {
    ReadHeader();
    const std::string& kind = p_.FoundationKeyword;
    if (kind == "PILE") ReadPileGroup();
    if (kind == "MULTILAYER") ReadMultilayerBody();
    if (kind == "HALF-SPACE") {
      Constants({&TProgramData::BaseX, &TProgramData::BaseY, &TProgramData::BaseZ});
      ReadHalfSpaceSoil();
    }
    if (kind == "STRATUM")
      Constants({&TProgramData::BaseX, &TProgramData::BaseY, &TProgramData::BaseZ, &TProgramData::EmbedmentDepth,
                 &TProgramData::BedrockDepth});
    ReadSoilBelow();
    if (kind == "PILE")
      ReadCapSoil();
    else
      Skip();  // LOAD
    ReadLoad();
    ReadRunData();
  }

 private:
  // ---- lines and values ----

  std::string Line() {
    line_ = words_.LineNumber();
    return words_.ReadLine();
  }
  void Skip() { words_.ReadLine(); }
  long double Real() { return words_.ReadReal(); }
  int Integer() { return words_.ReadInteger(); }
  void Reals(std::initializer_list<long double TProgramData::*> fields) {
    for (auto field : fields) p_.*field = Real();
  }
  // The CONSTANTS line and the foundation constants after it.
  void Constants(std::initializer_list<long double TProgramData::*> fields) {
    Skip();
    Reals(fields);
    words_.FinishLine();
  }

  // A value that stands on the line last read.
  [[noreturn]] void NotValid(const std::string& text, const char* what) const {
    throw EConvertError("Error on Line " + std::to_string(line_) + "\n'" + text + "' is not a valid " + what + ".");
  }
  long double Parsed(std::string_view text) const {
    const std::string value = Trimmed(text);
    long double number = 0;
    if (components::ParseNumber(value, number) != components::NumberParse::kOk) NotValid(value, "floating point value");
    return number;
  }
  int ParsedInteger(std::string_view text) const {
    const std::string value = Trimmed(text);
    long double number = 0;
    if (components::ParseNumber(value, number) != components::NumberParse::kOk || number != std::trunc(number) ||
        number < -2147483648.0L || number > 2147483647.0L)
      NotValid(value, "integer value");
    return static_cast<int>(number);
  }

  // ---- tables ----

  // Reads `count` rows into `table` with `row` (given the row index). The table grows one row
  // at a time, so a count larger than the file holds ends at the file's end, not in memory.
  template <class ReadRow>
  static void Rows(TGridTable& table, int count, ReadRow row) {
    table.SetRowCount(0);
    for (int r = 0; r < count; ++r) {
      table.SetRowCount(r + 1);
      row(r);
    }
  }
  // Reads `count` rows of a row number (not used) and numbers into columns 0 to `columns` - 1,
  // then drops `ignored` numbers of each row.
  void NumberedRows(TGridTable& table, int count, int columns, int ignored = 0) {
    Rows(table, count, [&](int r) {
      Integer();
      Cells(table, r, columns);
      for (int k = 0; k < ignored; ++k) Real();
    });
    words_.FinishLine();
  }
  void Cells(TGridTable& table, int row, int columns) {
    for (int c = 0; c < columns; ++c) table.Cell(c, row).SetFloat(Real());
  }

  // ---- records ----

  void ReadHeader() {
    const std::string title = Line();
    p_.Title = title.size() > 6 ? title.substr(6, 248) : std::string();
    std::string line = Line();
    p_.StiffnessMatrix = line == "MATRIX" ? 1 : 0;
    if (p_.StiffnessMatrix == 1) line = Line();
    // English units are those with gravity in ft/s^2.
    p_.SetUnits(Parsed(From(line, 9)) >= 10 ? components::kEnglishUnits : components::kSIUnits);
    p_.FoundationKeyword = From(Trimmed(Line()), 12);
    p_.FoundationKind = FoundationKindOf(p_.FoundationKeyword);
    if (p_.FoundationKind == 0) NotValid(p_.FoundationKeyword, "foundation type");
    line = Line();
    if (StartsWith(line, "CIRCULAR")) {
      p_.Circular = 1;
      p_.Radius = Parsed(From(line, 10));
    } else {
      p_.Circular = 0;
      const std::string sides = From(line, 13);
      const std::size_t comma = sides.find(',');
      p_.LengthX = Parsed(sides.substr(0, comma));
      p_.WidthY = Parsed(comma == std::string::npos ? std::string() : sides.substr(comma + 1));
    }
    Skip();  // MASS
    Reals({&TProgramData::Mass, &TProgramData::InertiaX, &TProgramData::InertiaY, &TProgramData::InertiaZ,
           &TProgramData::ProductXY, &TProgramData::ProductXZ, &TProgramData::ProductYZ});
    words_.FinishLine();
  }

  // Foundation constants of a pile group or a multilayer body.
  void ReadBodyConstants() {
    Constants({&TProgramData::BaseX, &TProgramData::BaseY, &TProgramData::BaseZ, &TProgramData::PileLength,
               &TProgramData::PileUnitWeight, &TProgramData::StaticLoad, &TProgramData::PilePoisson,
               &TProgramData::PileDamping, &TProgramData::ShearCoefficient, &TProgramData::PileModulus});
  }

  void ReadPileGroup() {
    const int layers = ParsedInteger(From(Trimmed(Line()), 8));
    const std::string heads = Trimmed(Line());
    p_.HeadFixed = StartsWith(heads, "FIXED") ? 1 : 0;
    const int piles = ParsedInteger(From(heads, p_.HeadFixed == 1 ? 7 : 8));
    Rows(t_.Pilecoord, piles, [&](int r) {
      Integer();
      Cells(t_.Pilecoord, r, 2);
    });
    words_.FinishLine();
    ReadBodyConstants();
    Skip();  // ELEMENT
    NumberedRows(t_.PileData, layers, 7);

    std::string line = Line();
    p_.EndBearing = line == "END-BEARING" ? 1 : 0;
    if (line == "FLOATING" || line == "END-BEARING") line = Line();
    if (line == "BATTERED") {
      for (int r = 0; r < t_.Pilecoord.RowCount(); ++r) ReadBatteredPile(r);
      line = Line();
    }
    p_.Interaction = StartsWith(line, "INTERACTION") ? 1 : 0;
    if (p_.Interaction == 1) Skip();  // SOIL
    Skip();  // WEAK
    Skip();  // CONSTANTS
    NumberedRows(t_.D, t_.PileData.RowCount(), 5, 3);
  }

  // "3 XZ  " and the angle on the next line. A record without a plane ("3 15 ") holds the
  // angle itself; with another word in place of the plane the angle follows on the next line.
  // Either leaves the plane as it is.
  void ReadBatteredPile(int r) {
    const std::string record = Line();
    const std::size_t blank = record.find(' ');
    const std::string rest = blank == std::string::npos ? std::string() : record.substr(blank + 1);
    TGridTable& piles = t_.Pilecoord;
    long double angle = 0;
    if (StartsWith(rest, "XZ") || StartsWith(rest, "YZ")) {
      piles.Cell(3, r).SetInt(StartsWith(rest, "XZ") ? 1 : 2);
      angle = Parsed(Line());
    } else if (components::ParseNumber(Trimmed(rest), angle) != components::NumberParse::kOk) {
      angle = Parsed(Line());
    }
    piles.Cell(2, r).SetFloat(angle);
  }

  void ReadMultilayerBody() {
    const int layers = ParsedInteger(From(Trimmed(Line()), 7));
    ReadBodyConstants();
    Skip();  // ELEMENT
    NumberedRows(t_.MultiElement, layers, 7);
    Skip();  // SOIL
    std::string line = Line();
    if (StartsWith(line, "WEAK")) line = Line();  // written only when there are adjacent layers
    const int adjacent = ParsedInteger(From(Trimmed(line), 11));
    NumberedRows(t_.D, adjacent, 5, 3);
    NumberedRows(t_.Multisoil, t_.MultiElement.RowCount() - t_.D.RowCount(), 6);
  }

  void ReadHalfSpaceSoil() {
    Skip();  // SOIL
    std::string line = Line();
    const bool weak = StartsWith(line, "WEAK");
    if (weak) line = Line();
    const int layers = ParsedInteger(From(Trimmed(line), 11));
    if (layers > 0) p_.WeakFlag = weak ? 1 : 0;
    NumberedRows(t_.D1, layers, weak ? 6 : 5, weak ? 3 : 0);
  }

  void ReadSoilBelow() {
    long double TProgramData::*const below[] = {&TProgramData::BelowVs, &TProgramData::BelowUnitWeight,
                                                &TProgramData::BelowPoisson, &TProgramData::BelowDamping};
    if (p_.FoundationKeyword == "STRATUM") {
      Skip();  // SOIL
      Skip();  // CONSTANTS
      for (auto field : below) p_.*field = Real();
      words_.FinishLine();
      return;
    }
    const std::string values = From(Trimmed(Line()), 7);
    const components::TWordContainer words(values);
    if (words.Count() != 4) NotValid(values, "list of four numbers");
    for (int k = 0; k < 4; ++k) p_.*below[k] = Parsed(words.Words()[static_cast<std::size_t>(k)]);
  }

  // The side soil of an embedded cap, plain or with its weakened zone, then the LOAD line.
  void ReadCapSoil() {
    const std::string line = Line();
    bool weak = false;
    if (StartsWith(line, "SIDE-CAP")) {
      if (!StartsWith(Line(), "EMBEDDED")) return;  // that line was LOAD
      weak = true;
    } else if (!StartsWith(line, "EMBEDDED")) {
      return;  // that line was LOAD
    }
    NumberedRows(t_.pilecapsoil, Integer(), weak ? 6 : 5, weak ? 3 : 0);
    Skip();  // LOAD
  }

  void ReadLoad() {
    const std::string line = Line();
    p_.LoadLine = line;
    Skip();  // CONSTANTS
    const long double w = kCircularFrequencyFactor;
    if (StartsWith(line, "TRANSIENT")) {
      p_.LoadType = kTransientLoad;
      p_.PointCount = Integer();
      p_.TimeStep = Real();
      p_.LoadCount = Integer();
      Series(t_.TLoadtype, false);
    } else if (StartsWith(line, "RANDOM")) {
      p_.LoadType = kRandomLoad;
      p_.RandomFreqMax = Real() / w;
      p_.RandomFreqMin = Real() / w;
      p_.PointCount = Integer();
      p_.ObservationPeriod = Real();
      p_.LoadCount = Integer();
      Series(t_.Trandom, true);
    } else {
      p_.Quadratic = Trimmed(Line()) == "QUADRATIC" ? 1 : 0;
      p_.FreqMax = Real() / w;
      p_.FreqMin = Real() / w;
      p_.FreqStep = Real() / w;
      Reals({&TProgramData::ForceX, &TProgramData::ForceY, &TProgramData::ForceZ, &TProgramData::MomentX,
             &TProgramData::MomentY, &TProgramData::MomentZ});
      p_.LoadPointX = p_.LoadPointY = p_.LoadPointZ = 0;
      words_.FinishLine();
      // Older files end the harmonic data without the point of application.
      if (words_.WordCount() > 1) {
        Reals({&TProgramData::LoadPointX, &TProgramData::LoadPointY, &TProgramData::LoadPointZ});
        words_.FinishLine();
      }
    }
  }

  // LoadCount rows, each a load direction (random spectra: twice, the second ignored) and
  // PointCount values.
  void Series(TGridTable& table, bool twice) {
    Rows(table, p_.LoadCount, [&](int r) {
      table.Cell(0, r).SetInt(words_.ReadInteger(1, 6));
      if (twice) Integer();
      TGridTable& values = SubTable(table, r);
      Rows(values, p_.PointCount, [&](int k) { values.Cell(0, k).SetFloat(Real()); });
    });
    words_.FinishLine();
  }

  void ReadRunData() {
    Skip();  // RUN
    p_.MassCount = 0;
    if (words_.AtEnd()) return;
    p_.MassCount = Integer();
    if (p_.MassCount <= 0) return;
    Rows(t_.MassCal, p_.MassCount, [&](int r) { Cells(t_.MassCal, r, 7); });
    words_.FinishLine();
    long double TProgramData::*const centres[3][3] = {
        {&TProgramData::CgX, &TProgramData::CgY, &TProgramData::CgZ},
        {&TProgramData::CbX, &TProgramData::CbY, &TProgramData::CbZ},
        {&TProgramData::CbGlobalX, &TProgramData::CbGlobalY, &TProgramData::CbGlobalZ}};
    for (const auto& centre : centres) {
      if (words_.AtEnd()) return;
      for (auto field : centre) p_.*field = Real();
      words_.FinishLine();
    }
  }

  TProgramData& p_;
  TProjectTables& t_;
  components::TWordReader& words_;
  int line_ = 0;  // number of the line last read whole
};

}  // namespace

TProjectRead TProgramData::CreateFromFile(TProjectTables& tables, const std::string& file_name) {
  TProjectRead read{std::make_unique<TProgramData>(tables), {}};
  read.project->FileName = file_name;
  for (TGridTable* table : tables.All()) table->SetRowCount(0);
  try {
    components::TWordReader words(file_name);
    ProjectReader(*read.project, words).Read();
  } catch (const EConvertError& e) {
    read.message = e.what();
    read.project = std::make_unique<TProgramData>(tables);
    read.project->FileName = file_name;
  } catch (const components::EInOutError& e) {
    read.message = e.what();
  }
  for (TGridTable* table : tables.All())
    if (table->RowCount() < table->MinRows()) table->SetRowCount(table->MinRows());
  tables.ResetChanged();
  return read;
}

}  // namespace korval::app
