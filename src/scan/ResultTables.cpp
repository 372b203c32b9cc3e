#include "ResultTables.h"

namespace zorvex {

namespace {
struct GridShape {
  int colCount;
  int initialRowCount;
  int visibleDataRows; // the newest rows stay in view: top row = row count - this
};

GridShape ShapeOf(ResultGrid grid) {
  switch (grid) {
  case ResultGrid::Files: return {5, 11, 10};
  case ResultGrid::Dirs: return {2, 11, 10};
  case ResultGrid::Doubles: break;
  }
  return {4, 23, 23};
}
} // namespace

std::string HeaderCommaText(ResultGrid grid, bool french) {
  switch (grid) {
  case ResultGrid::Files:
    return french ? "NUM,\"FICHIER VERIFI\xC3\x89\",CRC,\"SIZE 2\",SIZE" : "NUM,\"FILE SCANNED\",CRC,\"SIZE 2\",SIZE";
  case ResultGrid::Dirs: return french ? "NUM,\"SOUS-REPERTOIRE VERIFI\xC3\x89\"" : "NUM,\"SUB-DIRECTORY SCANNED\"";
  case ResultGrid::Doubles: break;
  }
  return french ? "NUM,\"PREMIER FICHIER TROUV\xC3\x89\",\"DOUBLON TROUV\xC3\x89\",TAILLE"
                : "NUM,\"FIRST FILE FOUND\",\"DOUBLE FOUND\",SIZE";
}

void SetHeaderRow(TGridModel &model, ResultGrid grid, bool french) {
  model.SetRowCommaText(0, HeaderCommaText(grid, french));
}

TGridModel MakeResultGrid(ResultGrid grid) {
  const GridShape shape = ShapeOf(grid);
  return TGridModel(shape.colCount, shape.initialRowCount);
}

void AppendRow(TGridModel &model, ResultGrid grid, int &counter, std::initializer_list<std::string_view> cells) {
  ++counter;
  int col = 0;
  for (const std::string_view cell : cells)
    model.SetCell(col++, counter, std::string(cell));
  model.SetRowCount(counter + 1);
  const int visible = ShapeOf(grid).visibleDataRows;
  if (model.RowCount() > visible)
    model.SetTopRow(model.RowCount() - visible);
}

void ResetRows(TGridModel &model, ResultGrid grid, int &counter) {
  const int cols = ShapeOf(grid).colCount;
  for (int row = 1; row <= counter; ++row)
    for (int col = 0; col < cols; ++col)
      model.SetCell(col, row, std::string());
  counter = 0;
}

std::string PadSizeText(std::string_view sizeText) {
  if (sizeText.size() >= 8)
    return std::string(sizeText);
  return std::string(8 - sizeText.size(), '0') + std::string(sizeText);
}

} // namespace zorvex
