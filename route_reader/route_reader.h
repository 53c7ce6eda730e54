#pragma once

namespace tracciato {

struct Scenario;
class Platform;
struct SourceTexts;

// The route half of the model reader: reads the route source text into the model.
// Returns true when the train half is to run: the text was read to its end, or the
// reading stopped softly on a position beyond the model (code 15).
bool read_route(Scenario& s, Platform& platform, const SourceTexts& sources);

}  // namespace tracciato
