#pragma once

#include <cstdint>
#include <vector>

// The upper bar follows one package at a time: one slot per queued package, in queue
// order, and the slot the bar shows.
class ProgressSlotTable {
 public:
  static constexpr int kCapacity = 80;

  void Clear();
  bool Add(int itemIndex);
  bool Empty() const { return slots_.empty(); }
  int Count() const { return static_cast<int>(slots_.size()); }
  int Current() const { return current_; }
  void SetCurrent(int slot) { current_ = slot; }
  int PercentAt(int slot) const { return slots_[slot].percent; }

  // Stores an item's percentage; true when its slot is the one the bar shows.
  bool SetPercent(int itemIndex, int percent);
  // After an item has been unpacked: when it was the shown slot, moves on to the next slot
  // still below 100. True (with that slot's percentage) when the bar must change.
  bool AdvanceAfter(int itemIndex, int& barPercent);

 private:
  struct Slot {
    int itemIndex;
    int percent;
  };
  int Find(int itemIndex) const;

  std::vector<Slot> slots_;
  int current_ = 0;
};

// received / total x 100 in double precision, truncated toward zero; total must not be 0.
int BatchPercent(std::int64_t received, std::int64_t total);
