// An import storing or an export writing: the program does not end under
// it. Such a run pumps events, so the tray's exit can arrive meanwhile; the
// exit is then kept and done once the last run is over.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace declarium {

class RunningOperation {
 public:
  RunningOperation() { ++Count(); }
  ~RunningOperation() {
    if (--Count() != 0) return;
    std::vector<std::function<void()>> waiting = std::move(Waiting());
    Waiting().clear();
    for (const std::function<void()>& f : waiting) f();
  }
  RunningOperation(const RunningOperation&) = delete;
  RunningOperation& operator=(const RunningOperation&) = delete;

  static bool Any() { return Count() > 0; }
  // Runs then at once when nothing runs, else when the last run ends.
  static void WhenNoneRuns(std::function<void()> then) {
    if (Any()) {
      Waiting().push_back(std::move(then));
    } else {
      then();
    }
  }

 private:
  static int& Count() {
    static int count = 0;
    return count;
  }
  static std::vector<std::function<void()>>& Waiting() {
    static std::vector<std::function<void()>> waiting;
    return waiting;
  }
};

}  // namespace declarium
