// Where a reader puts its records: a list it fills, or a list handed on in
// batches, so that a long text never holds all its records at once.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace declarium {

template <typename Record>
class RecordSink {
 public:
  using HandOn = std::function<void(std::vector<Record>&)>;

  // Every record stays in the list (emptied first). Not explicit: a reader
  // given a list fills it.
  RecordSink(std::vector<Record>& records) : records_(records) { records_.clear(); }
  // The list is handed on whenever it holds batch records, and once more at
  // the end; it is empty afterwards. Room for a batch is made at once: grown
  // as records come, the list would move them and fill fresh memory twice.
  RecordSink(std::vector<Record>& records, std::size_t batch, HandOn handOn)
      : records_(records), batch_(batch == 0 ? 1 : batch), handOn_(std::move(handOn)) {
    records_.clear();
    records_.reserve(batch_);
  }
  RecordSink(const RecordSink&) = delete;
  RecordSink(RecordSink&&) = default;

  // A new record at the end. A full batch goes first, so the record a reader
  // is still filling (and may drop again) is never handed on.
  Record& emplace_back() {
    if (handOn_ && records_.size() >= batch_) Flush();
    return records_.emplace_back();
  }
  void pop_back() { records_.pop_back(); }

  // Hands on what is left; the number of records read in all.
  int Finish() {
    if (handOn_ && !records_.empty()) Flush();
    return static_cast<int>(handedOn_ + records_.size());
  }

 private:
  void Flush() {
    handedOn_ += records_.size();
    handOn_(records_);
    records_.clear();
  }

  std::vector<Record>& records_;
  std::size_t batch_ = 0;
  HandOn handOn_;
  std::size_t handedOn_ = 0;
};

}  // namespace declarium
