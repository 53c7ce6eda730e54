#include "compiler/memorizza_dati.h"

#include "model/scenario.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"
#include "route_reader/route_reader.h"
#include "train_reader/train_reader.h"

namespace tracciato {

namespace {

// The failure handler: the texts still there are removed only by a run that deletes
// its sources; a failure to delete one is not allowed to hide the first failure.
void elimina_se_esiste(Platform& platform, const std::string& path) {
  try {
    if (platform.exists(path)) platform.remove(path);
  } catch (const RuntimeFailure&) {
  }
}

}  // namespace

void memorizza_dati(Scenario& s, Platform& platform, const SourceTexts& sources) {
  try {
    if (read_route(s, platform, sources)) read_train(s, platform, sources);
  } catch (const RuntimeFailure& failure) {
    if (sources.delete_after_reading) {
      elimina_se_esiste(platform, sources.route);
      elimina_se_esiste(platform, sources.train);
    }
    s.record(Code::reading_failure, std::nullopt, failure.what(), &failure);
  }
}

}  // namespace tracciato
