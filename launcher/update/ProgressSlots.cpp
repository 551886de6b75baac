#include "launcher/update/ProgressSlots.h"

void ProgressSlotTable::Clear() {
  slots_.clear();
  current_ = 0;
}

bool ProgressSlotTable::Add(int itemIndex) {
  if (Count() >= kCapacity) return false;
  slots_.push_back({itemIndex, 0});
  return true;
}

int ProgressSlotTable::Find(int itemIndex) const {
  for (int i = 0; i < Count(); ++i) {
    if (slots_[i].itemIndex == itemIndex) return i;
  }
  return -1;
}

bool ProgressSlotTable::SetPercent(int itemIndex, int percent) {
  int slot = Find(itemIndex);
  if (slot < 0) return false;
  slots_[slot].percent = percent;
  return slot == current_;
}

bool ProgressSlotTable::AdvanceAfter(int itemIndex, int& barPercent) {
  int slot = Find(itemIndex);
  if (slot < 0 || slot != current_ || current_ >= Count() - 1) return false;
  do {
    ++current_;
  } while (current_ < Count() && slots_[current_].percent >= 100);
  if (current_ >= Count()) return false;
  barPercent = slots_[current_].percent;
  return true;
}

int BatchPercent(std::int64_t received, std::int64_t total) {
  if (total == 0) return 0;
  return static_cast<int>(static_cast<double>(received) / static_cast<double>(total) * 100.0);
}
