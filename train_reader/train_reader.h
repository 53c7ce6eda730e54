#pragma once

namespace tracciato {

struct Scenario;
class Platform;
struct SorgentiTesto;

// The train half of the model reader: reads the train source text into the model.
void leggi_treno(Scenario& s, Platform& platform, const SorgentiTesto& sorgenti);

}  // namespace tracciato
