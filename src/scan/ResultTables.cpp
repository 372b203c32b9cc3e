#include "ResultTables.h"

namespace zorvex {

namespace {
const ResultGridLayout kFiles{453, 120, 544, 193, 5, 11, 10, {40, 490, -1, -1, -1}};
const ResultGridLayout kDirs{9, 120, 427, 193, 2, 11, 10, {40, 360}};
const ResultGridLayout kDoubles{9, 318, 988, 397, 4, 23, 23, {40, 430, 430, 60}};
} // namespace

const ResultGridLayout &LayoutOf(ResultGrid grid) {
  switch (grid) {
  case ResultGrid::Files: return kFiles;
  case ResultGrid::Dirs: return kDirs;
  case ResultGrid::Doubles: break;
  }
  return kDoubles;
}

std::string HeaderCommaText(ResultGrid grid, bool french) {
  switch (grid) {
  case ResultGrid::Files:
    return french ? "NUM,\"FICHIER VERIFI\xC3\x89\",CRC,\"SIZE 2\",SIZE" : "NUM,\"FILE SCANNED\",CRC,\"SIZE 2\",SIZE";
  case ResultGrid::Dirs:
    return french ? "NUM,\"SOUS-REPERTOIRE VERIFI\xC3\x89\"" : "NUM,\"SUB-DIRECTORY SCANNED\"";
  case ResultGrid::Doubles: break;
  }
  return french ? "NUM,\"PREMIER FICHIER TROUV\xC3\x89\",\"DOUBLON TROUV\xC3\x89\",TAILLE"
                : "NUM,\"FIRST FILE FOUND\",\"DOUBLE FOUND\",SIZE";
}

void SetHeaderRow(TGridModel &model, ResultGrid grid, bool french) {
  model.SetRowCommaText(0, HeaderCommaText(grid, french));
}

void ApplyColumnWidths(TGridModel &model, ResultGrid grid) {
  int col = 0;
  for (const int width : LayoutOf(grid).colWidths)
    model.SetColWidth(col++, width);
}

TGridModel MakeResultGrid(ResultGrid grid) {
  const ResultGridLayout &layout = LayoutOf(grid);
  TGridModel model(layout.colCount, layout.initialRowCount);
  model.SetDefaultRowHeight(16);
  return model;
}

void AppendRow(TGridModel &model, ResultGrid grid, int &counter, std::initializer_list<std::string_view> cells) {
  ++counter;
  int col = 0;
  for (const std::string_view cell : cells)
    model.SetCell(col++, counter, std::string(cell));
  model.SetRowCount(counter + 1);
  const int visible = LayoutOf(grid).visibleDataRows;
  if (model.RowCount() > visible)
    model.SetTopRow(model.RowCount() - visible);
}

void ResetRows(TGridModel &model, ResultGrid grid, int &counter) {
  const int cols = LayoutOf(grid).colCount;
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
