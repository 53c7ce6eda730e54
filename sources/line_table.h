#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tracciato {

class Platform;

// The literal that closes every line table. It is never written.
inline constexpr std::string_view end_marker = "riferimento fine del file";

// A table's room: slots 0 .. 1000, so at most 1000 lines before the end marker.
inline constexpr std::size_t table_slots = 1001;

// The lines of one text file, first line first, closed by `end_marker`.
// Texts are Windows-1252 bytes ("\xB0" is the degree sign).
using LineTable = std::vector<std::string>;

// The bytes a table writes: every slot up to the end marker, each followed by CR LF.
// A table without an end marker in its 1001 slots is a run-time failure.
std::string table_text(const LineTable& table);

// Writes `table` to `path`, replacing any file of that name.
void write_table(Platform& platform, const std::string& path, const LineTable& table);

}  // namespace tracciato
