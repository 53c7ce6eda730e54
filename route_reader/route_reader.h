#pragma once

namespace tracciato {

struct Scenario;
class Platform;
struct SorgentiTesto;

// The route half of the model reader: reads the route source text into the model.
// Returns true when the train half is to run: the text was read to its end, or the
// reading stopped softly on a position beyond the model (code 15).
bool leggi_linea(Scenario& s, Platform& platform, const SorgentiTesto& sorgenti);

}  // namespace tracciato
