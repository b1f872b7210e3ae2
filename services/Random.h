#pragma once
#include <cstdint>

// The demo's one process-wide random generator. It is exact on purpose: the
// scenes' pictures depend on every value it returns, so the platform's own
// rand() must never stand in for it.
namespace Random {

// Next value, 0 to 32767: state := state * 214013 + 2531011, value := bits 16..30.
int Next();

// Sets the state; the state is 1 at program start.
void Seed(std::uint32_t seed);

// Current state, for tests and the offline renderer.
std::uint32_t State();

}  // namespace Random
