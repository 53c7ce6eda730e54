#pragma once

#include "sources/line_table.h"

namespace tracciato {

// The texts this build carries, each closed by its end marker.
LineTable route_table();          // route source, 471 lines
LineTable train_table();          // train source, 100 lines
LineTable notes_table();           // notes, 80 lines
LineTable slowdown_order_table();  // slow-down order, 47 lines
LineTable train_sheet_table();     // train sheet, 59 lines

// The starter scenario of `tracciato new`: a small route and a train over it, with
// every entry kind of both texts, each named in a comment.
LineTable starter_route_table();
LineTable starter_train_table();

}  // namespace tracciato
