#include "SaveList.h"

#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/core/Paths.h"
#include "framework/core/Streams.h"
#include "framework/core/Texts.h"
#include "scan/ResultTables.h"

namespace zorvex {

std::string DoublesListBytes(const TGridModel &grid, int doubleCount, ListFormat format) {
  std::string text;
  for (int row = 0; row <= doubleCount; ++row) {
    for (int col = doubles_col::Num; col <= doubles_col::Size; ++col) {
      text += grid.Cell(col, row);
      text += '\t';
    }
    text += format.lfLineEnds ? "\n" : "\r\n";
  }
  return format.utf8 ? text : Utf8ToAnsi(text);
}

SaveOutcome SaveDoublesList(const std::string &path, const TGridModel &grid, int doubleCount) {
  if (path.empty())
    return SaveOutcome::CannotCreate;
  const std::string bytes = DoublesListBytes(grid, doubleCount);
  std::unique_ptr<TFileStream> file;
  try {
    file = std::make_unique<TFileStream>(path, fm::Create | fm::ShareExclusive);
  } catch (const Exception &) {
    return SaveOutcome::CannotCreate;
  }
  try {
    file->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    file->Close();
    return SaveOutcome::Saved;
  } catch (const Exception &) {
    file.reset();
    DeleteFileAt(path);
    return SaveOutcome::WriteFailed;
  }
}

} // namespace zorvex
