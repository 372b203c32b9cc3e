#include "FileReader.h"

#include "ScanState.h"
#include "framework/core/Exceptions.h"

namespace zorvex {

void ReadScannedFile(ScanState &state, int row, ContentPart part, const TDirectoryHandle *folder) {
  ScannedFile &file = state.Files[static_cast<size_t>(row - 1)];
  try {
    if (folder)
      ReadFileContentPart(*folder, file.name, file.size, part, file.content);
    else
      ReadFileContentPart(state.FilePath(row), file.size, part, file.content);
  } catch (const EAbort &) {
    throw;
  } catch (const Exception &) {
    file.content.read = ContentRead::Failed;
  }
}

} // namespace zorvex
