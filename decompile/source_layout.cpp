#include "decompile/source_layout.h"

#include <algorithm>
#include <array>

#include "decompile/compiled_files.h"

namespace tracciato::decompile {

namespace {

constexpr const char* crlf = "\r\n";

// One entry line: its keyword, its values and, for stations and signboards, a text
// field at the end.
struct Row {
  std::string keyword;
  std::vector<std::string> values;
  std::optional<std::string> text;
};

std::string n(std::int64_t v) { return std::to_string(v); }

// Rows with their values in columns, each right-aligned at least two blanks after the
// comma before it.
std::string table(const std::vector<Row>& rows) {
  std::size_t keyword_width = 0;
  std::vector<std::size_t> widths;
  for (const Row& r : rows) {
    keyword_width = std::max(keyword_width, r.keyword.size());
    if (widths.size() < r.values.size()) widths.resize(r.values.size(), 0);
    for (std::size_t j = 0; j < r.values.size(); ++j)
      widths[j] = std::max(widths[j], r.values[j].size());
  }
  std::string out;
  for (const Row& r : rows) {
    out += r.keyword + ",";
    out.append(keyword_width - r.keyword.size(), ' ');
    for (std::size_t j = 0; j < r.values.size(); ++j) {
      out.append(2 + widths[j] - r.values[j].size(), ' ');
      out += r.values[j];
      if (j + 1 < r.values.size() || r.text) out += ",";
    }
    if (r.text && !r.text->empty()) out += " " + *r.text;
    out += crlf;
  }
  return out;
}

// A section: its header, the comment line that names its fields (one field holding a
// hyphen and no comma, which both readers pass over), its entries.
std::string section(const std::string& header, const std::string& comment,
                    const std::vector<Row>& rows) {
  return header + crlf + "- " + comment + crlf + table(rows);
}

std::string field_or_refuse(const std::string& text, const std::string& what) {
  if (auto field = text_field(text)) return *field;
  throw Refusal(what + " holds a double quote together with a comma, a line end, a blank at "
                       "either end or a leading quote: no text field gives it back");
}

std::string repetition_keyword(int codes) {
  if (codes == 4) return "ripetizione segnali 4 codici";
  if (codes == 9) return "ripetizione segnali 9 codici";
  return "ripetizione segnali codici";  // neither number: the reading stops on it
}

std::vector<std::string> triple(const Triple& t) { return {n(t.first), n(t.second), n(t.third)}; }

std::string side(std::int64_t v, bool blank) { return blank ? std::string() : n(v); }

}  // namespace

std::optional<std::string> text_field(const std::string& text) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  const bool plain = text.find_first_of(",\r\n") == std::string::npos &&
                     (text.empty() || (!blank(text.front()) && !blank(text.back()) &&
                                       text.front() != '"'));
  if (plain) return text;
  if (text.find('"') == std::string::npos) return "\"" + text + "\"";
  return std::nullopt;
}

std::string route_text(const RouteSource& r, bool with_plan) {
  std::string out;
  std::vector<Row> general{
      {"lunghezza percorso", {n(r.length)}, {}},
      {"progressiva chilometrica uno", triple(r.progressive_uno), {}},
      {"progressiva chilometrica due", triple(r.progressive_due), {}},
      {"progressiva chilometrica tre", triple(r.progressive_tre), {}},
      {"sfondo uno", {n(r.background_uno)}, {}},
      {"sfondo due", {n(r.background_due)}, {}},
      {"sfondo tre", {n(r.background_tre)}, {}},
  };
  if (r.earlier_codes) general.push_back({repetition_keyword(*r.earlier_codes), {"0", "50"}, {}});
  general.push_back({repetition_keyword(r.repetition_codes),
                     {n(r.repetition_first), n(r.repetition_second)}, {}});
  out += section("[generale]",
                 "general data: route length / progressives uno due tre (three values each) / "
                 "backgrounds uno due tre / signal repetition start and end",
                 general);

  std::vector<Row> curves;
  if (with_plan)
    for (const CurveEntry& c : r.curves) curves.push_back({c.keyword, {n(c.start), n(c.length)}, {}});
  out += section("[curve]",
                 "curves: curva then d (right) or s (left) and the class 1 to 6 / start / "
                 "length in metres",
                 curves);

  std::vector<Row> gradients;
  for (const ListEntry& g : r.gradients) gradients.push_back({"pendenza", {n(g.position), n(g.value)}, {}});
  out += section("[pendenze]", "gradients: position / per mille from there on", gradients);

  std::vector<Row> mountains;
  for (const MountainEntry& m : r.mountains)
    mountains.push_back({"montagna", {n(m.start), n(m.end), n(m.type)}, {}});
  out += section("[montagne]", "mountain spans: start / end / type (10 more also puts the markers)",
                 mountains);

  std::vector<Row> boards;
  for (const BoardsEntry& b : r.boards) {
    const bool blank_d = b.side_d[0] == 0 && b.side_d[1] == 0 && b.side_d[2] == 0;
    boards.push_back({"indicatori_vmax",
                      {n(b.position), n(b.side_s[0]), n(b.side_s[1]), n(b.side_s[2]),
                       n(b.stripes_s), side(b.side_d[0], blank_d), side(b.side_d[1], blank_d),
                       side(b.side_d[2], blank_d), n(b.stripes_d)},
                      {}});
  }
  out += section("[cartelli]",
                 "speed-indicator boards: position / side s speeds a b c / stripes / side d "
                 "speeds a b c / stripes",
                 boards);

  std::vector<Row> signboards;
  for (std::size_t i = 0; i < r.signboards.size(); ++i) {
    const SignboardEntry& s = r.signboards[i];
    signboards.push_back({"cartello_indicatore", {n(s.position)},
                          field_or_refuse(s.text, "the text of signboard " + std::to_string(80 - i))});
  }
  out += section("[indicazioni]", "signboards: position / text", signboards);

  if (r.stops_after_body)
    out += std::string("- the compile of these files stopped reading here: this entry stops it "
                       "again") +
           crlf + "curva,  0,  0" + crlf;
  out += std::string("[fine]") + crlf;
  return out;
}

namespace {

Row station_row(const StationEntry& s, std::size_t number) {
  Row r{"stazione", {n(s.position)}, {}};
  if (s.position_only) return r;
  r.values.push_back(n(s.kind));
  r.values.push_back(n(s.length));
  if (s.length_only) return r;
  for (std::int64_t v : {s.opz1, s.opz5, s.opz4, s.par1, s.par2, s.opz2, s.par3, s.par4, s.par5,
                         s.opz3, s.hours, s.minutes, s.seconds})
    r.values.push_back(n(v));
  r.text = field_or_refuse(s.name, "the name of station " + std::to_string(number));
  return r;
}

struct Kind {
  TrainLine::Kind kind;
  const char* header;
  const char* comment;
  bool always;  // a section of the shipped text, written even when empty
};

constexpr std::array<Kind, 4> kinds{{
    {TrainLine::Kind::station, "[stazioni]",
     "stations: position / kind / length / opz1 / opz5 / area 50 m longer / par1 par2 opz2 / "
     "par3 par4 par5 / opz3 / hours minutes seconds / name",
     true},
    {TrainLine::Kind::slowdown, "[rallentamenti]",
     "slow-downs: start / km/h / length / f_tt / f_ta (the four approach cells) / d_v", true},
    {TrainLine::Kind::abatement, "[abbattimenti]", "abatements: position / value (0 for none)",
     false},
    {TrainLine::Kind::signal, "[segnali]",
     "signals: position / sx s1 s2 s3 / rapp / dx d1 d2 d3 / time", true},
}};

std::size_t rank(TrainLine::Kind k) {
  for (std::size_t i = 0; i < kinds.size(); ++i)
    if (kinds[i].kind == k) return i;
  return kinds.size();
}

}  // namespace

std::string train_text(const TrainSource& t) {
  std::string out;
  out += section("[generale]",
                 "general data: cars / braked mass percentage / sand / clock hours minutes seconds",
                 {{"numero vetture", {n(t.cars)}, {}},
                  {"percentuale massa frenata", {n(t.braked_mass)}, {}},
                  {"sabbia", {n(t.sand)}, {}},
                  {"orologio", {n(t.clock[0]), n(t.clock[1]), n(t.clock[2])}, {}}});
  std::vector<Row> adhesion, speeds;
  for (const ListEntry& e : t.adhesion) adhesion.push_back({"aderenza", {n(e.position), n(e.value)}, {}});
  for (const ListEntry& e : t.speeds) speeds.push_back({"velocita", {n(e.position), n(e.value)}, {}});
  out += section("[aderenze]", "adhesion: position / value from there on", adhesion);
  out += section("[vel_limite]", "line speed: position / km/h from there on", speeds);

  // The positioned lines in their order, a section wherever the kind changes; a section
  // of the shipped text with no line is written empty where it belongs.
  std::vector<std::pair<TrainLine::Kind, std::vector<Row>>> blocks;
  for (const TrainLine& line : t.order) {
    Row row;
    switch (line.kind) {
      case TrainLine::Kind::station:
        row = station_row(t.stations[line.index], line.index + 1);
        break;
      case TrainLine::Kind::slowdown: {
        const SlowdownEntry& s = t.slowdowns[line.index];
        row = {"rallentamento", {n(s.start), n(s.speed), n(s.length), n(s.f_tt), n(s.f_ta), n(s.d_v)}, {}};
        break;
      }
      case TrainLine::Kind::abatement: {
        const AbatementEntry& a = t.abatements[line.index];
        row = {"abbattimento", {n(a.position), n(a.value)}, {}};
        break;
      }
      case TrainLine::Kind::signal: {
        const SignalEntry& s = t.signals[line.index];
        row = {"segnale",
               {n(s.position), n(s.sx), n(s.s1), n(s.s2), n(s.s3), n(s.rapp), n(s.dx), n(s.d1),
                n(s.d2), n(s.d3), n(s.tempo)},
               {}};
        break;
      }
    }
    if (blocks.empty() || blocks.back().first != line.kind) blocks.push_back({line.kind, {}});
    blocks.back().second.push_back(std::move(row));
  }
  for (const Kind& k : kinds) {
    if (!k.always) continue;
    const bool present = std::any_of(blocks.begin(), blocks.end(),
                                     [&](const auto& b) { return b.first == k.kind; });
    if (present) continue;
    auto at = std::find_if(blocks.begin(), blocks.end(),
                           [&](const auto& b) { return rank(b.first) > rank(k.kind); });
    blocks.insert(at, {k.kind, {}});
  }
  for (const auto& [kind, rows] : blocks) {
    const Kind& k = kinds[rank(kind)];
    out += section(k.header, k.comment, rows);
  }
  out += std::string("[codici]") + crlf + "[fine]" + crlf;
  return out;
}

}  // namespace tracciato::decompile
