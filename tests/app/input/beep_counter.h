#pragma once
// Replaces the refusal beep with a counter for the life of a test.

#include "app/input/beep.h"

namespace strikon {

class BeepCounter {
  public:
    BeepCounter() : previous_(setBeepFunction([this] { ++count_; })) {}
    ~BeepCounter() { setBeepFunction(previous_); }
    BeepCounter(const BeepCounter&) = delete;
    BeepCounter& operator=(const BeepCounter&) = delete;

    int count() const { return count_; }

  private:
    int count_ = 0;
    BeepFunction previous_;
};

}  // namespace strikon
