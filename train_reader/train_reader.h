#pragma once

namespace tracciato {

struct Scenario;
class Platform;
struct SourceTexts;

// The train half of the model reader: reads the train source text into the model.
void read_train(Scenario& s, Platform& platform, const SourceTexts& sources);

}  // namespace tracciato
