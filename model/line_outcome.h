#pragma once

namespace tracciato {

// What a line handler of the train reader leaves the reading loop to do.
enum class LineOutcome {
  next,        // go on with the next keyword field
  soft_stop,   // code 15 recorded: complete the lists and end the reading normally
  error_exit,  // a fault recorded: delete the text (when the run deletes) and end at once
};

}  // namespace tracciato
