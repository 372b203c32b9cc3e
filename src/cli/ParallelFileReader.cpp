#include "ParallelFileReader.h"

#include "framework/core/Streams.h"
#include "scan/ScanState.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace zorvex {

namespace {

// How many folders may be kept open: the process's limit of open files, less
// what the threads and the rest of the program need.
size_t OpenFolderBudget() {
#ifdef _WIN32
  return SIZE_MAX; // a folder handle there is its path alone
#else
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
    return 4096;
  return limit.rlim_cur > 256 ? static_cast<size_t>(limit.rlim_cur - 256) : 0;
#endif
}

} // namespace

void ParallelFileReader::ReadFiles(ScanState &state, const std::vector<int> &rows, ContentPart part,
                                   const std::function<bool(int done)> &progress) {
  // With a cold cache the reads then sweep the disk instead of jumping about
  // it; several at once keep the device busy while each waits for its blocks.
  const auto fileOf = [&](int row) -> const ScannedFile & { return state.Files[static_cast<size_t>(row - 1)]; };
  std::vector<int> order(rows);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return fileOf(a).fileId < fileOf(b).fileId; });
  // Each file is opened in its open folder, which spares the system a walk of
  // the whole path for every file.
  std::vector<std::unique_ptr<TDirectoryHandle>> folders(state.Folders.size());
  const auto folderOf = [&](int row) -> std::unique_ptr<TDirectoryHandle> & {
    return folders[static_cast<size_t>(fileOf(row).folder)];
  };
  size_t budget = OpenFolderBudget();
  for (const int row : order)
    if (!folderOf(row) && budget > 0) {
      folderOf(row) = std::make_unique<TDirectoryHandle>(state.Folders[static_cast<size_t>(fileOf(row).folder)]);
      --budget;
    }
  std::atomic<size_t> next{0};
  std::atomic<int> done{0};
  std::mutex failureLock;
  std::exception_ptr failure;
  const auto readNext = [&]() {
    const size_t index = next.fetch_add(1);
    if (index >= order.size())
      return false;
    ReadScannedFile(state, order[index], part, folderOf(order[index]).get());
    return true;
  };
  const auto stopAll = [&] {
    next.store(order.size());
    std::lock_guard<std::mutex> lock(failureLock);
    if (!failure)
      failure = std::current_exception();
  };

  std::vector<std::thread> helpers;
  for (int t = 1; t < threads_ && static_cast<size_t>(t) < order.size(); ++t)
    helpers.emplace_back([&] {
      try {
        while (readNext())
          ++done;
      } catch (...) {
        stopAll();
      }
    });
  // The calling thread reads too, and reports the progress between its files.
  try {
    while (readNext())
      if (!progress(++done)) {
        next.store(order.size());
        break;
      }
  } catch (...) {
    stopAll();
  }
  for (std::thread &helper : helpers)
    helper.join();
  if (failure)
    std::rethrow_exception(failure);
  progress(done.load());
}

} // namespace zorvex
