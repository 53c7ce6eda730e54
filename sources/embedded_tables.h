#pragma once

#include "sources/line_table.h"

namespace tracciato {

// The texts this build carries, each closed by its end marker.
LineTable tabella_linea();          // route source, 471 lines
LineTable tabella_treno();          // train source, 100 lines
LineTable tabella_note();           // notes, 80 lines
LineTable tabella_rallentamenti();  // slow-down order, 47 lines
LineTable tabella_scheda();         // train sheet, 59 lines

}  // namespace tracciato
