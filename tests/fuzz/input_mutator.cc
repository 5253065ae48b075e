#include "tests/fuzz/input_mutator.h"

#include <algorithm>

namespace veneer::test {
namespace {

constexpr int kMaxStackedMutations = 8;
constexpr size_t kMaxChunkUnits = 64;
constexpr size_t kMaxRepeatShift = 12;  // Up to 4096 copies.

constexpr uint16_t kInterestingUnits[] = {0x0000, 0x0001, 0x0020, 0x007F, 0x0080, 0x00FF,
                                          0xD800, 0xDFFF, 0xFEFF, 0xFFFE, 0xFFFF};
constexpr uint32_t kInterestingFields[] = {0,      1,          0x7F,       0x80,       0xFF,      0x100,
                                           0x7FFF, 0x8000,     0xFFFF,     0x10000,    8192,      8193,
                                           65535,  0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFE};
const char* const kBoundaryNumbers[] = {"0",          "-1",         "1",
                                        "255",        "256",        "1024",
                                        "8192",       "8193",       "65535",
                                        "65536",      "2147483647", "-2147483648",
                                        "2147483648", "4294967295", "99999999999999999999",
                                        "-0",         "+"};

}  // namespace

InputMutator::InputMutator(uint64_t seed, const MutationShape& shape) : state_(seed), shape_(shape) {}

// splitmix64: small, fast and good enough to pick mutations.
uint64_t InputMutator::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

size_t InputMutator::Below(size_t bound) { return static_cast<size_t>(Next() % bound); }

size_t InputMutator::Offset(const std::string& input, bool inside) {
  return Below(Units(input) + (inside ? 0 : 1)) * shape_.unit;
}

std::string InputMutator::Widened(const std::string& ascii) const {
  if (shape_.unit == 1) return ascii;
  std::string wide;
  for (const char ch : ascii) wide.append({ch, '\0'});
  return wide;
}

void InputMutator::Mutate(std::string* input, const std::string& partner) {
  const int count = 1 + static_cast<int>(Below(kMaxStackedMutations));
  for (int step = 0; step < count; ++step) {
    switch (Below(11)) {
      case 0:
        FlipBit(input);
        break;
      case 1:
        SetInterestingUnit(input);
        break;
      case 2:
        SetInterestingField(input);
        break;
      case 3:
        InsertRandomChunk(input);
        break;
      case 4:
        DeleteChunk(input);
        break;
      case 5:
        DuplicateChunk(input);
        break;
      case 6:
        Truncate(input);
        break;
      case 7:
        Splice(input, partner);
        break;
      case 8:
        ReplaceNumber(input);
        break;
      case 9:
        InsertRepeated(input);
        break;
      default:
        InsertToken(input);
        break;
    }
    if (input->size() > shape_.max_size) input->resize(shape_.max_size / shape_.unit * shape_.unit);
  }
}

void InputMutator::FlipBit(std::string* input) {
  if (input->empty()) return;
  (*input)[Below(input->size())] ^= static_cast<char>(1u << Below(8));
}

void InputMutator::SetInterestingUnit(std::string* input) {
  if (Units(*input) == 0) return;
  const uint16_t value = kInterestingUnits[Below(std::size(kInterestingUnits))];
  const size_t at = Offset(*input, true);
  (*input)[at] = static_cast<char>(value);
  if (shape_.unit == 2) (*input)[at + 1] = static_cast<char>(value >> 8);
}

// Sets a 16- or 32-bit field, little- or big-endian, at any byte offset.
void InputMutator::SetInterestingField(std::string* input) {
  const size_t width = Below(2) ? 2 : 4;
  if (input->size() < width) return;
  const uint32_t value = kInterestingFields[Below(std::size(kInterestingFields))];
  const bool big_endian = Below(2) != 0;
  const size_t at = Below(input->size() - width + 1);
  for (size_t byte = 0; byte < width; ++byte) {
    const size_t shift = 8 * (big_endian ? width - 1 - byte : byte);
    (*input)[at + byte] = static_cast<char>(value >> shift);
  }
}

void InputMutator::InsertRandomChunk(std::string* input) {
  std::string chunk((1 + Below(kMaxChunkUnits)) * shape_.unit, '\0');
  for (char& byte : chunk) byte = static_cast<char>(Next());
  input->insert(Offset(*input, false), chunk);
}

void InputMutator::DeleteChunk(std::string* input) {
  if (Units(*input) == 0) return;
  const size_t at = Offset(*input, true);
  const size_t units = 1 + Below(std::min(kMaxChunkUnits, (input->size() - at) / shape_.unit));
  input->erase(at, units * shape_.unit);
}

void InputMutator::DuplicateChunk(std::string* input) {
  if (Units(*input) == 0) return;
  const size_t from = Offset(*input, true);
  const size_t units = 1 + Below((input->size() - from) / shape_.unit);
  const std::string chunk = input->substr(from, units * shape_.unit);
  input->insert(Offset(*input, false), chunk);
}

void InputMutator::Truncate(std::string* input) { input->resize(Offset(*input, false)); }

// This input's head followed by the partner's tail.
void InputMutator::Splice(std::string* input, const std::string& partner) {
  input->resize(Offset(*input, false));
  input->append(partner, Offset(partner, false), std::string::npos);
}

// Replaces one run of ASCII digits (or, when there is none, inserts at a random place) with a
// boundary value.
void InputMutator::ReplaceNumber(std::string* input) {
  const size_t unit = shape_.unit;
  auto is_digit = [&](size_t at) {
    return (*input)[at] >= '0' && (*input)[at] <= '9' && (unit == 1 || (*input)[at + 1] == '\0');
  };
  std::vector<size_t> runs;
  for (size_t at = 0; at + unit <= input->size(); at += unit) {
    if (is_digit(at) && (at == 0 || !is_digit(at - unit))) runs.push_back(at);
  }
  size_t start = runs.empty() ? Offset(*input, false) : runs[Below(runs.size())];
  size_t end = start;
  while (end + unit <= input->size() && is_digit(end)) end += unit;
  input->replace(start, end - start, Widened(kBoundaryNumbers[Below(std::size(kBoundaryNumbers))]));
}

const std::string& InputMutator::PickToken() { return shape_.dictionary[Below(shape_.dictionary.size())]; }

void InputMutator::InsertToken(std::string* input) {
  if (shape_.dictionary.empty()) return InsertRandomChunk(input);
  input->insert(Offset(*input, false), Widened(PickToken()));
}

// A token, or one unit of the input, repeated 2 to 4096 times (unclosed brackets, deep nesting).
void InputMutator::InsertRepeated(std::string* input) {
  std::string piece;
  if (!shape_.dictionary.empty() && Below(2)) {
    piece = Widened(PickToken());
  } else if (Units(*input) != 0) {
    piece = input->substr(Offset(*input, true), shape_.unit);
  } else {
    return;
  }
  const size_t copies = size_t{1} << (1 + Below(kMaxRepeatShift));
  std::string repeated;
  repeated.reserve(std::min(copies * piece.size(), shape_.max_size));
  for (size_t copy = 0; copy < copies && repeated.size() < shape_.max_size; ++copy) repeated += piece;
  input->insert(Offset(*input, false), repeated);
}

}  // namespace veneer::test
