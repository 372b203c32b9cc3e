#include "ParallelFileReader.h"

#include "scan/ScanState.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

namespace zorvex {

void ParallelFileReader::ReadFiles(ScanState &state, const std::vector<int> &rows, ContentPart part,
                                   const std::function<bool(int done)> &progress) {
  // With a cold cache the reads then sweep the disk instead of jumping about
  // it; several at once keep the device busy while each waits for its blocks.
  std::vector<int> order(rows);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return state.Files[static_cast<size_t>(a - 1)].fileId < state.Files[static_cast<size_t>(b - 1)].fileId;
  });
  std::atomic<size_t> next{0};
  std::atomic<int> done{0};
  std::mutex failureLock;
  std::exception_ptr failure;
  const auto readNext = [&]() {
    const size_t index = next.fetch_add(1);
    if (index >= order.size())
      return false;
    ReadScannedFile(state, order[index], part);
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
