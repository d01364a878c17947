// Helpers of the grid table tests: an editor that records what the table tells it, a font
// metric with fixed character widths, and small table builders.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "components/ColumnTypes.hpp"
#include "components/Table.hpp"
#include "components/TableColumn.hpp"
#include "components/TableEditor.hpp"

namespace korval::components::testing {

class RecordingFactory;

class RecordingEditor : public TTableEditor {
 public:
  RecordingEditor(RecordingFactory& factory, TGridTable& table, TWindowControl* parent, bool modal)
      : factory_(factory), table_(table), parent_(parent), modal_(modal) {}

  void Refresh() override { ++refreshes; }
  void CellChanged(int column, int row) override { cells.emplace_back(column, row); }
  void Retitle() override { title = table_.EditorTitle(); }
  void Show() override { ++shows; }
  void Close() override;
  bool IsModal() const override { return modal_; }

  TGridTable& Table() const { return table_; }
  TWindowControl* Parent() const { return parent_; }

  int refreshes = 0;
  int shows = 0;
  std::string title;
  std::vector<std::pair<int, int>> cells;

 private:
  RecordingFactory& factory_;
  TGridTable& table_;
  TWindowControl* parent_;
  bool modal_;
};

class RecordingFactory : public TTableEditorFactory {
 public:
  TTableEditor* CreateEditor(TGridTable& table, TWindowControl* parent, bool modal) override {
    open_.push_back(std::make_unique<RecordingEditor>(*this, table, parent, modal));
    ++created;
    return open_.back().get();
  }
  // The open editor of `table`, or nullptr.
  RecordingEditor* EditorOf(const TGridTable& table) const {
    for (const auto& e : open_)
      if (&e->Table() == &table) return e.get();
    return nullptr;
  }
  int OpenCount() const { return static_cast<int>(open_.size()); }
  void Forget(RecordingEditor* editor) {
    open_.erase(std::find_if(open_.begin(), open_.end(), [&](const auto& e) { return e.get() == editor; }));
  }

  int created = 0;

 private:
  std::vector<std::unique_ptr<RecordingEditor>> open_;
};

inline void RecordingEditor::Close() {
  table_.DetachEditor();
  factory_.Forget(this);  // frees this editor
}

// Installs a recording factory for the test's lifetime.
class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override { SetTableEditorFactory(&factory); }
  void TearDown() override { SetTableEditorFactory(nullptr); }
  RecordingFactory factory;
};

// Every character 8 pixels wide on a 96 pixels-per-inch screen.
class FixedMetric : public TFontMetric {
 public:
  int TextWidth(std::string_view text) const override { return 8 * static_cast<int>(text.size()); }
  int PixelsPerInch() const override { return 96; }
};

template <class C>
C& AddNamed(TGridTable& table, std::unique_ptr<C> column, std::vector<std::string> header) {
  column->SetHeaderLines(std::move(header));
  return table.AddColumn(std::move(column));
}

inline TFloatColumn& AddFloat(TGridTable& table, std::string units, std::vector<std::string> header = {"value"}) {
  auto column = std::make_unique<TFloatColumn>();
  column->SetUnitString(std::move(units));
  return AddNamed(table, std::move(column), std::move(header));
}

inline TEnumColumn& AddEnum(TGridTable& table, std::vector<std::string> items) {
  auto column = std::make_unique<TEnumColumn>();
  column->SetItems(std::move(items));
  return AddNamed(table, std::move(column), {"choice"});
}

inline TIntColumn& AddInt(TGridTable& table, int minimum, int maximum, int fallback = 0) {
  auto column = std::make_unique<TIntColumn>();
  column->SetMinimum(minimum);
  column->SetMaximum(maximum);
  column->SetDefault(fallback);
  return AddNamed(table, std::move(column), {"count"});
}

// The six load directions of transient and random loading.
inline std::vector<std::string> LoadDirections() {
  return {"Force in X-direction", "Force in Y-direction", "Force in Z-direction",
          "Moment about X-axis",  "Moment about Y-axis",  "Moment about Z-axis"};
}

}  // namespace korval::components::testing
