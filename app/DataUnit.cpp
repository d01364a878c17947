#include "app/DataUnit.hpp"

#include <algorithm>
#include <cassert>
#include <utility>
#include <vector>

#include "components/ColumnTypes.hpp"
#include "components/TableColumn.hpp"
#include "components/Units.hpp"

namespace korval::app {
namespace {

using components::TGridTable;

// ---- the project tables, defined once ----

struct ColumnDefinition {
  enum Kind { kFloat, kChoice, kSubTable } kind;
  std::vector<std::string> header;
  std::string units;               // float columns; empty: dimensionless
  std::vector<std::string> items;  // choice columns
  int template_identifier = -1;    // table columns
};

ColumnDefinition Float(std::vector<std::string> header, std::string units = "") {
  return {ColumnDefinition::kFloat, std::move(header), std::move(units), {}};
}
ColumnDefinition Choice(std::vector<std::string> header, std::vector<std::string> items) {
  return {ColumnDefinition::kChoice, std::move(header), {}, std::move(items)};
}
ColumnDefinition SubTable(std::vector<std::string> header, int template_identifier) {
  return {ColumnDefinition::kSubTable, std::move(header), {}, {}, template_identifier};
}

struct TableDefinition {
  TGridTable TProjectTables::*table;
  int identifier;
  const char* caption;
  int min_rows;
  int max_rows;  // 0: no limit
  std::vector<ColumnDefinition> columns;
};

const std::vector<std::string> kLoadDirections = {"Force in X-direction", "Force in Y-direction",
                                                  "Force in Z-direction", "Moment about X-axis",
                                                  "Moment about Y-axis",  "Moment about Z-axis"};
const std::vector<std::string> kPlanes = {"XZ-Plane", "YZ-Plane"};

// Identifiers of the two template tables.
constexpr int kHistoryTemplate = 8;
constexpr int kSpectrumTemplate = 10;

const std::vector<TableDefinition>& Definitions() {
  static const std::vector<TableDefinition> definitions = {
      {&TProjectTables::D, 1, "Soil Properties", 1, 20,
       {Float({"Shear wave", "velocity, "}, "L2/SEC"), Float({"Unit weight", ""}, "F/L2^3"),
        Float({"Poisson's", "ratio"}), Float({"Material", "damping"}), Float({"Weak zone shear", "modulus ratio"})}},
      {&TProjectTables::TLoadtype, 2, "Transient Loading Data", 1, 0,
       {Choice({"Load type"}, kLoadDirections), SubTable({"Load amplitude"}, kHistoryTemplate)}},
      {&TProjectTables::PileData, 3, "Pile Data", 1, 200,
       {Float({"Layer", "depth"}, "L2"), Float({"Radius of pile", "X-dir."}, "L2"),
        Float({"Radius of pile", "Y-dir."}, "L2"), Float({"Cross-sectional", "area"}, "L2^2"),
        Float({"Moment of inertia", "X-dir."}, "L2^4"), Float({"Moment of inertia", "Y-dir."}, "L2^4"),
        Float({"Torsional polar moment", "of inertia Z-dir."}, "L2^4")}},
      {&TProjectTables::pilecapsoil, 4, "Side Weakened Soil Parameters", 1, 20,
       {Float({"Thickness", "of layer"}, "L2"), Float({"Shear wave", "velocity, "}, "L2/SEC"),
        Float({"Unit weight", ""}, "F/L2^3"), Float({"Poisson's", "ratio"}), Float({"Material", "damping"}),
        Float({"Weak zone shear", "moduli ratio"})}},
      {&TProjectTables::Multisoil, 5, "Soil Column Layer", 1, 20,
       {Float({"Shear wave", "velocity, "}, "L2/SEC"), Float({"Unit weight", ""}, "F/L2^3"),
        Float({"Poisson's", "ratio"}), Float({"Material", "damping"}), Float({"Weak zone shear", "modulus ratio"}),
        Float({"Material damping", "ratio"})}},
      {&TProjectTables::MultiElement, 6, "Multi-Layer Foundation", 1, 20,
       {Float({"Layer", "depth"}, "L2"), Float({"Radius of", "foundation X"}, "L2"),
        Float({"Radius of", "foundation Y"}, "L2"), Float({"Cross-section", "area"}, "L2^2"),
        Float({"Moment of", "inertia X"}, "L2^4"), Float({"Moment of", "inertia Y"}, "L2^4"),
        Float({"Torsional", "coefficient"})}},
      {&TProjectTables::Pilecoord, 7, "Pile Coordinations", 1, 200,
       {Float({"X-coord."}, "L2"), Float({"Y-coord."}, "L2"), Float({"Battered angle", "in degrees"}),
        Choice({"Battered", "plane"}, kPlanes)}},
      {&TProjectTables::Dtransient, kHistoryTemplate, "Load Amplitude", 1, 0, {Float({"Load amplitude"}, "F")}},
      {&TProjectTables::Trandom, 9, "Random Loading data", 1, 0,
       {Choice({"Spectrum", "coordinates"}, kLoadDirections), SubTable({"Data"}, kSpectrumTemplate)}},
      {&TProjectTables::Tspectrum, kSpectrumTemplate, "Random Spectrum Data", 1, 0,
       {Float({"Spectrum data"}, "F")}},
      {&TProjectTables::D1, 11, "Soil Layer Data", 1, 20,
       {Float({"Thickness", ""}, "L2"), Float({"Shear wave", "velocity, "}, "L2/SEC"),
        Float({"Unit weight", ""}, "F/L2^3"), Float({"Poisson's", "ratio"}), Float({"Material", "damping"}),
        Float({"Weak zone shear", "modulus ratio"})}},
      {&TProjectTables::TBattered, 0, "Battered Pile Data", 1, 0,
       {Choice({"Batter plane"}, kPlanes), Float({"Batter angle"}, "DEGREES")}},
      {&TProjectTables::MassCal, 12, "Mass Components including equipment, and self weight of footing ", 1, 30,
       {Float({"Mass"}, "F6"), Float({"x-coord."}, "L2"), Float({"y-coord."}, "L2"), Float({"z-coord."}, "L2"),
        Float({"Length", "x-direction"}, "L2"), Float({"Width", "y-direction"}, "L2"),
        Float({"Thickness", "z-direction"}, "L2")}},
  };
  return definitions;
}

// Shown under the buttons of the soil-properties table's editor.
constexpr const char* kWeakZoneComment =
    "Weak Zone Shear Moduli Ratio is suggested to be:\n"
    "- 0.25 to 0.50 for machine foundations,\n"
    "- less than 0.25 for seismic response.\n"
    "A value of 1 indicates no reduction will be considered\n"
    "A value of 0 may generate numerical errors.";

void AddColumn(TGridTable& table, const ColumnDefinition& definition) {
  switch (definition.kind) {
    case ColumnDefinition::kFloat: {
      auto column = std::make_unique<components::TFloatColumn>();
      column->SetHeaderLines(definition.header);
      column->SetUnitString(definition.units);
      table.AddColumn(std::move(column));
      break;
    }
    case ColumnDefinition::kChoice: {
      auto column = std::make_unique<components::TEnumColumn>();
      column->SetHeaderLines(definition.header);
      column->SetItems(definition.items);
      table.AddColumn(std::move(column));
      break;
    }
    case ColumnDefinition::kSubTable: {
      auto column = std::make_unique<components::TTableColumn>();
      column->SetHeaderLines(definition.header);
      // One template per item of the first column (the load direction), all the same table.
      const auto* first = table.ColumnCount() > 0 ? dynamic_cast<const components::TEnumColumn*>(&table.Column(0)) : nullptr;
      const std::size_t count = first ? first->Items().size() : 1;
      for (std::size_t i = 0; i < count; ++i) column->Templates().AddIdentifier(definition.template_identifier);
      table.AddColumn(std::move(column));
      break;
    }
  }
}

int& LiveTableSets() {
  static int count = 0;
  return count;
}

// ---- unit categories of the fields ----

struct ConvertedField {
  long double TProgramData::*field;
  const char* units;  // unit string of the field's quantity
};

constexpr ConvertedField kConvertedFields[] = {
    {&TProgramData::BaseX, "L2"},           {&TProgramData::BaseY, "L2"},
    {&TProgramData::BaseZ, "L2"},           {&TProgramData::PileLength, "L2"},
    {&TProgramData::EmbedmentDepth, "L2"},  {&TProgramData::BedrockDepth, "L2"},
    {&TProgramData::CgX, "L2"},             {&TProgramData::CgY, "L2"},
    {&TProgramData::CgZ, "L2"},             {&TProgramData::CbX, "L2"},
    {&TProgramData::CbY, "L2"},             {&TProgramData::CbZ, "L2"},
    {&TProgramData::CbGlobalX, "L2"},       {&TProgramData::CbGlobalY, "L2"},
    {&TProgramData::CbGlobalZ, "L2"},       {&TProgramData::LoadPointX, "L2"},
    {&TProgramData::LoadPointY, "L2"},      {&TProgramData::LoadPointZ, "L2"},
    {&TProgramData::Radius, "L2"},          {&TProgramData::LengthX, "L2"},
    {&TProgramData::WidthY, "L2"},          {&TProgramData::BelowVs, "L2/SEC"},
    {&TProgramData::PileUnitWeight, "F/L2^3"}, {&TProgramData::BelowUnitWeight, "F/L2^3"},
    {&TProgramData::PileModulus, "F/L2^2"}, {&TProgramData::StaticLoad, "F"},
    {&TProgramData::Mass, "F6"},            {&TProgramData::InertiaX, "F6-L2^2"},
    {&TProgramData::InertiaY, "F6-L2^2"},   {&TProgramData::InertiaZ, "F6-L2^2"},
    {&TProgramData::ProductXY, "F6-L2^2"},  {&TProgramData::ProductXZ, "F6-L2^2"},
    {&TProgramData::ProductYZ, "F6-L2^2"},
};

// Harmonic amplitudes: forces and moments, or with quadratic loading their coefficients.
constexpr long double TProgramData::*kForces[] = {&TProgramData::ForceX, &TProgramData::ForceY, &TProgramData::ForceZ};
constexpr long double TProgramData::*kMoments[] = {&TProgramData::MomentX, &TProgramData::MomentY,
                                                   &TProgramData::MomentZ};

}  // namespace

// ---- TProjectTables ----

TProjectTables::TProjectTables() {
  ++LiveTableSets();
  assert(LiveTableSets() == 1 && "one set of project tables at a time");
  // Identifiers first: the table columns resolve their templates when rows are made.
  for (const TableDefinition& definition : Definitions()) (this->*definition.table).SetIdentifier(definition.identifier);
  for (const TableDefinition& definition : Definitions()) {
    TGridTable& table = this->*definition.table;
    table.SetCaption(definition.caption);
    table.SetMinRows(definition.min_rows);
    table.SetMaxRows(definition.max_rows);
    for (const ColumnDefinition& column : definition.columns) AddColumn(table, column);
  }
  D.SetComments(kWeakZoneComment);
}

TProjectTables::~TProjectTables() { --LiveTableSets(); }

std::array<TGridTable*, TProjectTables::kCount> TProjectTables::All() {
  return {&D,          &TLoadtype, &PileData, &pilecapsoil, &Multisoil, &MultiElement, &Pilecoord,
          &Dtransient, &Trandom,   &Tspectrum, &D1,         &TBattered, &MassCal};
}

void TProjectTables::SetUnits(int units) {
  for (TGridTable* table : All()) table->SetUnits(units);
}

void TProjectTables::ResetChanged() {
  for (TGridTable* table : All()) table->SetChanged(false);
}

// ---- TProgramData ----

TProgramData::TProgramData(TProjectTables& tables) : tables_(&tables) {
  SetUnits(components::kSIUnits);
  for (TGridTable* table : tables.All()) {
    table->SetRowCount(0);
    table->SetRowCount(table->MinRows());
  }
  tables.ResetChanged();
}

void TProgramData::SetUnits(int units) {
  units = std::clamp(units, components::kEnglishUnits, components::kSIUnits);
  if (units != Units) {
    const auto convert = [&](long double TProgramData::*field, const char* unit_string) {
      this->*field *= components::ConversionMultiplier(Units, units, unit_string);
    };
    for (const ConvertedField& f : kConvertedFields) convert(f.field, f.units);
    for (auto field : kForces) convert(field, Quadratic == 1 ? "F6-L2" : "F");
    for (auto field : kMoments) convert(field, Quadratic == 1 ? "F6-L2^2" : "F-L2");
  }
  Units = units;
  tables_->SetUnits(units);
}

}  // namespace korval::app
