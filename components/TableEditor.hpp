// What the grid table model needs from the windows around it. The table window and the
// program implement these; the model itself draws nothing.
#pragma once

#include <string_view>

namespace korval::components {

class TGridTable;

// An object held by one row of a table column: a sub-table, or an object of the owner's.
class TRowObject {
 public:
  virtual ~TRowObject() = default;
};

// A window control that a table's editor can be embedded in; the program wraps its widget.
class TWindowControl {
 public:
  virtual ~TWindowControl() = default;
};

// Text measurement on the editor grid's canvas, for column widths.
class TFontMetric {
 public:
  virtual int TextWidth(std::string_view text) const = 0;  // pixels
  virtual int PixelsPerInch() const = 0;                   // of the screen
 protected:
  ~TFontMetric() = default;
};

// The editing window of one table, as the table sees it.
class TTableEditor {
 public:
  // Redraw everything: headers, cells, row numbers, buttons, layout.
  virtual void Refresh() = 0;
  // Redraw one cell (column index among all columns, row).
  virtual void CellChanged(int column, int row) = 0;
  // The sub-table number changed: set the window title again.
  virtual void Retitle() = 0;
  // Show the window; a modal editor returns when it has been closed.
  virtual void Show() = 0;
  // Close and free the window. Whether the table or the user closes it, the window calls
  // TGridTable::DetachEditor before it goes.
  virtual void Close() = 0;
  virtual bool IsModal() const = 0;

 protected:
  ~TTableEditor() = default;
};

// Creates editing windows; the program installs one with SetTableEditorFactory. Without one
// the tables open no editor.
class TTableEditorFactory {
 public:
  // The editor of `table`: embedded in `parent` when it is given, else a window of its own;
  // modal or not. The window attaches to the table (it is the table's editor from now on).
  virtual TTableEditor* CreateEditor(TGridTable& table, TWindowControl* parent, bool modal) = 0;

 protected:
  ~TTableEditorFactory() = default;
};

void SetTableEditorFactory(TTableEditorFactory* factory);

}  // namespace korval::components
