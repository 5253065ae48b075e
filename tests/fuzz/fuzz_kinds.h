#ifndef TESTS_FUZZ_FUZZ_KINDS_H_
#define TESTS_FUZZ_FUZZ_KINDS_H_

#include <string>
#include <vector>

#include "tests/fuzz/input_mutator.h"

namespace veneer::test {

// One kind of untrusted input that the fuzzer feeds to the framework: how its inputs look, the valid
// samples they are mutated from, and the call that reads one. The table is built once and lives
// until the process ends; UI thread only.
struct FuzzKind {
  const char* name;
  MutationShape shape;
  int default_count;  // Inputs per run of the test command.
  // Small valid samples, built at run time (some write files the samples name, in the temporary
  // folder). Every sample must be accepted, except the last `foreign_seeds`: samples of formats that
  // the framework may refuse (images that are neither PNG, JPEG, BMP nor GIF), there so that their
  // decoders, when present, are fuzzed too.
  std::vector<std::string> (*make_seeds)();
  size_t foreign_seeds;
  // Reads one input. Returns whether the framework accepted it (parsed, opened, decoded or drew
  // it); a broken promise of the interface (a result out of range, a device context left changed)
  // is described in `*fault`. Inputs of units of 2 are UTF-16LE text.
  bool (*run)(const std::string& input, std::string* fault);
};

const std::vector<FuzzKind>& FuzzKinds();

}  // namespace veneer::test

#endif  // TESTS_FUZZ_FUZZ_KINDS_H_
