#include "SaveList.h"

#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/core/Paths.h"
#include "framework/core/Streams.h"
#include "framework/core/Texts.h"
#include "scan/ResultTables.h"

namespace zorvex {

std::string DoublesListBytes(const TGridModel &grid, int doubleCount, ListFormat format, int *replacedRows) {
  if (replacedRows)
    *replacedRows = 0;
  std::string bytes;
  for (int row = 0; row <= doubleCount; ++row) {
    std::string line;
    for (int col = doubles_col::Num; col <= doubles_col::Size; ++col) {
      line += grid.Cell(col, row);
      line += '\t';
    }
    line += format.lfLineEnds ? "\n" : "\r\n";
    if (format.utf8) {
      bytes += line;
      continue;
    }
    bool complete = true;
    bytes += Utf8ToAnsi(line, &complete);
    if (!complete && row > 0 && replacedRows)
      ++*replacedRows;
  }
  return bytes;
}

SaveResult SaveDoublesList(const std::string &path, const TGridModel &grid, int doubleCount) {
  SaveResult result;
  if (path.empty())
    return result;
  const std::string bytes = DoublesListBytes(grid, doubleCount, {}, &result.replacedRows);
  std::unique_ptr<TFileStream> file;
  try {
    file = std::make_unique<TFileStream>(path, fm::Create | fm::ShareExclusive);
  } catch (const Exception &) {
    return result;
  }
  try {
    file->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    file->Close();
    result.outcome = SaveOutcome::Saved;
  } catch (const Exception &) {
    file.reset();
    DeleteFileAt(path);
    result.outcome = SaveOutcome::WriteFailed;
  }
  return result;
}

} // namespace zorvex
