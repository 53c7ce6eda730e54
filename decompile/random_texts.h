#pragma once

#include <cstdint>
#include <string>

namespace tracciato::decompile {

// A route text and a train text drawn at random from a seed, for round trips: every
// kind of entry, mostly where an author would put it, some of them packed close
// (adjacent curves and spans, signals 100 m apart, abatements in the post-processing's
// windows, slow-downs of length 0 or below 1500 m, texts that need quotes), and now and
// then an entry that the compile refuses or that takes the compile out of the promised
// class (a busy cell, overlapping spans, a station on an earlier event).
struct RandomTexts {
  std::string route;
  std::string train;
  bool plan = true;
};

RandomTexts random_texts(std::uint64_t seed);

}  // namespace tracciato::decompile
