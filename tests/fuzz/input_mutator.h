#ifndef TESTS_FUZZ_INPUT_MUTATOR_H_
#define TESTS_FUZZ_INPUT_MUTATOR_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace veneer::test {

// How a fuzz kind's inputs are built: bytes or UTF-16 code units, at most how long, and which
// tokens of its syntax are worth inserting.
struct MutationShape {
  size_t unit = 1;                      // 1: bytes; 2: UTF-16LE code units, never split.
  size_t max_size = 4096;               // In bytes.
  std::vector<std::string> dictionary;  // ASCII tokens; widened for units of 2.
};

// Makes fuzz inputs from valid samples: a seeded chain of a few stacked mutations (bit flips, units
// and 16/32-bit fields set to boundary values, random chunks inserted, chunks deleted or duplicated,
// truncation, splicing with another sample, decimal numbers replaced with boundary values, syntax
// tokens inserted once or thousands of times over, for costs that grow faster than the input). The same seed
// gives the same chain. Holds no input; one thread.
class InputMutator {
 public:
  InputMutator(uint64_t seed, const MutationShape& shape);

  // Replaces `input` with a mutated copy; `partner` is the sample that splicing takes its tail from.
  void Mutate(std::string* input, const std::string& partner);

  // A number in [0, bound); bound must be at least 1.
  size_t Below(size_t bound);

 private:
  uint64_t Next();
  size_t Units(const std::string& input) const { return input.size() / shape_.unit; }
  // A unit-aligned byte offset in [0, size], or in [0, size) with `inside`.
  size_t Offset(const std::string& input, bool inside);
  std::string Widened(const std::string& ascii) const;

  void FlipBit(std::string* input);
  void SetInterestingUnit(std::string* input);
  void SetInterestingField(std::string* input);
  void InsertRandomChunk(std::string* input);
  void DeleteChunk(std::string* input);
  void DuplicateChunk(std::string* input);
  void Truncate(std::string* input);
  void Splice(std::string* input, const std::string& partner);
  void ReplaceNumber(std::string* input);
  void InsertToken(std::string* input);
  void InsertRepeated(std::string* input);
  const std::string& PickToken();

  uint64_t state_;
  const MutationShape& shape_;
};

}  // namespace veneer::test

#endif  // TESTS_FUZZ_INPUT_MUTATOR_H_
