#pragma once
// The areas a clone write sends, from the radio's area list: entries of ten characters, "SSSS EEEE "
// (first and last address in hex). Blocks are taken in order; an area's last block may be short.

#include <cstdint>
#include <string>

namespace qxt::link {

class WriteAreaList {
 public:
  struct Block {
    int32_t address = 0;
    int32_t count = 0;
  };

  void Reset(const std::string& list);
  // Forgets where the list stood: the next address reads 0 again.
  void Clear() { next_ = 0; }
  // The next block's address; negative once the list is exhausted.
  int32_t next() const { return next_; }
  // The next block of at most size bytes; advances through the list.
  Block Take(int16_t size);

 private:
  std::string list_;
  int32_t next_ = 0;
};

}  // namespace qxt::link
