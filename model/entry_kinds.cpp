#include "model/entry_kinds.h"

#include <array>

#include "model/text.h"

namespace tracciato {

namespace {

constexpr ValueField route_length[] = {{"length", "route length in metres"}};
constexpr ValueField progressive[] = {
    {"value 1", "start of the progressive"}, {"value 2", "end of the progressive"},
    {"value 3", "its third value (1 adds 100 to value 2)"}};
constexpr ValueField background[] = {{"value", "background value"}};
constexpr ValueField repetition[] = {{"first position", "where the repetition starts (m)"},
                                     {"second position", "where it ends (m)"}};
constexpr ValueField gradient[] = {{"position", "where the gradient starts (m)"},
                                   {"gradient", "per mille, -100 to 155"}};
constexpr ValueField curve[] = {{"start", "where the curve starts (m)"},
                                {"length", "its length (m)"}};
constexpr ValueField mountain[] = {{"start", "where the span starts (m)"},
                                   {"end", "where it ends (m)"},
                                   {"type", "mountain type; above 10 with markers"}};
constexpr ValueField speed_boards[] = {
    {"position", "where the boards stand (m)"}, {"vas", "first speed, side s (km/h)"},
    {"vbs", "second speed, side s (km/h)"},     {"vcs", "third speed, side s (km/h)"},
    {"strisces", "stripes, side s"},            {"vad", "first speed, side d (km/h)"},
    {"vbd", "second speed, side d (km/h)"},     {"vcd", "third speed, side d (km/h)"},
    {"strisced", "stripes, side d"}};
constexpr ValueField signboard[] = {{"position", "where the board stands (m)"},
                                    {"text", "the board's text"}};
constexpr ValueField cars[] = {{"cars", "number of cars"}};
constexpr ValueField braked_mass[] = {{"braked mass", "braked-mass percentage"}};
constexpr ValueField sand[] = {{"sand", "sand value"}};
constexpr ValueField clock[] = {
    {"hours", "starting time: hours"}, {"minutes", "minutes"}, {"seconds", "seconds"}};
constexpr ValueField adhesion[] = {{"position", "where the adhesion applies from (m)"},
                                   {"adhesion", "adhesion percentage"}};
constexpr ValueField speed[] = {{"position", "where the limit applies from (m)"},
                                {"speed", "speed limit in km/h"}};
constexpr ValueField station[] = {
    {"position", "station position (m), a multiple of 50"},
    {"kind", "station kind"},
    {"length", "station length (m), a multiple of 100"},
    {"opz1", "attribute"},
    {"opz5", "attribute, kept only for stations of 600 m or more"},
    {"opz4", "area extension: not 0 adds 50 m to the area's end"},
    {"par1", "attribute"},
    {"par2", "attribute"},
    {"opz2", "attribute"},
    {"par3", "attribute"},
    {"par4", "attribute"},
    {"par5", "attribute"},
    {"opz3", "attribute"},
    {"hours", "timetable time: hours"},
    {"minutes", "minutes"},
    {"seconds", "seconds"},
    {"name", "station name"}};
constexpr ValueField signal[] = {
    {"posizione", "signal position (m)"}, {"sx", "left-side kind"},
    {"s1", "left-side first digit"},      {"s2", "left-side second digit"},
    {"s3", "left-side third digit"},      {"rapp", "digit packed with the two kinds"},
    {"dx", "right-side kind"},            {"d1", "right-side first digit"},
    {"d2", "right-side second digit"},    {"d3", "right-side third digit"},
    {"tempo", "time, kept for kind 2 on the left side"}};
constexpr ValueField slowdown[] = {
    {"x", "start position (m)"},
    {"v", "speed in the slow-down (km/h)"},
    {"l", "length (m)"},
    {"f_tt", "flag stored with the start and end boards"},
    {"f_ta", "not 0: the four approach cells before the warning board"},
    {"d_v", "not 0: second value of the boards and approach cells"}};
constexpr ValueField abatement[] = {{"position", "where the abatement stands (m)"},
                                    {"value", "its speed value; 0 or less: a bare mark"}};

constexpr std::array<EntryKind, 23> kinds{{
    {"lunghezza percorso", TextPart::general, "route length", route_length, false},
    {"progressiva chilometrica tre", TextPart::general, "progressive", progressive, false},
    {"progressiva chilometrica due", TextPart::general, "progressive", progressive, false},
    {"progressiva chilometrica uno", TextPart::general, "progressive", progressive, false},
    {"sfondo uno", TextPart::general, "background", background, false},
    {"sfondo due", TextPart::general, "background", background, false},
    {"sfondo tre", TextPart::general, "background", background, false},
    {"ripetizione segnali", TextPart::general, "signal repetition", repetition, false},
    {"pendenza", TextPart::body, "gradient", gradient, true},
    {"curva", TextPart::body, "curve", curve, true},
    {"montagna", TextPart::body, "mountain span", mountain, true},
    {"indicatori_vmax", TextPart::body, "speed-indicator boards", speed_boards, true},
    {"cartello_indicatore", TextPart::body, "signboard", signboard, true},
    {"percentuale massa frenata", TextPart::train, "braked mass", braked_mass, false},
    {"numero vetture", TextPart::train, "number of cars", cars, false},
    {"velocita", TextPart::train, "speed limit", speed, true},
    {"aderenza", TextPart::train, "adhesion", adhesion, true},
    {"orologio", TextPart::train, "clock", clock, false},
    {"sabbia", TextPart::train, "sand", sand, false},
    {"segnale", TextPart::train, "signal", signal, true},
    {"rallentamento", TextPart::train, "slow-down", slowdown, true},
    {"abbattimento", TextPart::train, "abatement", abatement, true},
    {"stazione", TextPart::train, "station", station, true},
}};

}  // namespace

std::span<const EntryKind> entry_kinds() { return kinds; }

bool recognises(Entry e, std::string_view f) { return recognises(e, f, lowercase(f)); }

bool recognises(Entry e, std::string_view f, std::string_view lowered) {
  auto any = [lowered](std::string_view w) { return contains(lowered, w); };
  auto lower = [f](std::string_view w) { return contains(f, w); };
  switch (e) {
    case Entry::route_length: return any("lunghezza") && any("percorso");
    case Entry::progressive_three: return lower("tre") && lower("progressiva");
    case Entry::progressive_two: return lower("due") && lower("progressiva");
    case Entry::progressive_one: return lower("uno") && lower("progressiva");
    case Entry::background_one: return lower("sfondo") && lower("uno");
    case Entry::background_two: return lower("sfondo") && lower("due");
    case Entry::background_three: return lower("sfondo") && lower("tre");
    case Entry::signal_repetition: return lower("segnali") && lower("ripetizione");
    case Entry::gradient: return any("pendenza");
    case Entry::curve: return any("curva");
    case Entry::mountain: return any("montagna");
    case Entry::speed_boards: return any("indicatori_v");
    case Entry::signboard: return any("cartello") && any("indicat");
    case Entry::braked_mass: return any("frenata") && any("massa");
    case Entry::cars: return any("vetture");
    case Entry::speed: return any("velocit");
    case Entry::adhesion: return any("aderenza");
    case Entry::clock: return any("orologio");
    case Entry::sand: return any("sabbia");
    case Entry::signal: return any("segnale");
    case Entry::slowdown: return any("rallentamento");
    case Entry::abatement: return any("abbattimento");
    case Entry::station: return any("stazione");
  }
  return false;
}

const EntryKind* entry_kind_of(std::string_view field, TextPart part) {
  for (std::size_t i = 0; i < kinds.size(); ++i)
    if (kinds[i].part == part && recognises(static_cast<Entry>(i), field)) return &kinds[i];
  return nullptr;
}

}  // namespace tracciato
