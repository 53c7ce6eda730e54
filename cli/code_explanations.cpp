#include "cli/code_explanations.h"

#include <algorithm>
#include <array>
#include <vector>

#include "model/register_codes.h"

namespace tracciato::cli {

namespace {

using P = TextPart;

// The explanations; each meaning comes from the model's list of codes.
struct Text {
  std::int32_t number;
  std::string_view rule;
  TextPart part;
  std::string_view example;
  bool whole_text;
  std::string_view fix;
};

constexpr std::array<Text, 28> texts{{
    {1, "The route may be at most 1000000 m long. The reading of the route text ends here.",
     P::general, "lunghezza percorso, 1200000", false,
     "Shorten the route to 1000000 m at most; without a valid length no file is written."},
    {2, "The first two values of each kilometre progressive must be multiples of 50; they are "
        "checked once the train text has been read.",
     P::general, "progressiva chilometrica uno, 25, 0, 0", false,
     "Make values 1 and 2 of every progressive multiples of 50."},
    {3, "The first value of the signal repetition, where the repetition starts, must be a "
        "multiple of 50. The reading of the route text ends here.",
     P::general, "ripetizione segnali 4 codici, 1025, 5000", false,
     "Write the start as a multiple of 50."},
    {4, "The second value of the signal repetition, where it ends, must be a multiple of 50. "
        "The reading of the route text ends here.",
     P::general, "ripetizione segnali 4 codici, 1000, 5025", false,
     "Write the end as a multiple of 50."},
    {5, "The signal-repetition keyword names the number of codes with the digit 4 or 9 in its "
        "field. The reading of the route text ends here.",
     P::general, "ripetizione segnali, 1000, 5000", false,
     "Write `ripetizione segnali 4 codici` or `ripetizione segnali 9 codici`."},
    {6, "A signboard takes the 50 m cell of its position (position / 50 + 1) and needs it free: "
        "no event there but a mountain marker. The reading ends here.",
     P::body, "cartello_indicatore, 1000, (PONTE)\ncartello_indicatore, 1020, (GALLERIA)", false,
     "Move the signboard (or the event on its cell p / 50 + 1) by 50 m at least."},
    {7, "An abatement takes the cell position / 50 (without the + 1 of signals and boards) and "
        "needs it free. The reading of the train text ends here.",
     P::train, "segnale, 1000, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\nabbattimento, 1050, 100", false,
     "Move the abatement (its cell is p / 50) or the event on that cell."},
    {8, "A station's position must be a multiple of 50. The reading of the train text ends here.",
     P::train, "stazione, 1025, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, ALFA", false,
     "Write the position as a multiple of 50."},
    {9, "A station's length must be a multiple of 100. The reading of the train text ends here.",
     P::train, "stazione, 1000, 12, 250, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, ALFA", false,
     "Write the length as a multiple of 100."},
    {10, "Stations and signboard texts share the 80 entries of the entry table: stations count "
         "up from entry 1, signboards down from entry 80, and the station that would reach the "
         "signboards ends the reading. With N signboards at most 78 - N stations fit.",
     P::train, "", false, "Keep stations and signboards together at 78 at most."},
    {11, "Every signal within 1000 m before a slow-down's warning board gets an abatement in one "
         "of the two cells before it: a free cell, or an abatement already there lowered to 180. "
         "The compile goes on.",
     P::train,
     "segnale, 1350, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\nsegnale, 1400, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\n"
     "segnale, 1450, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\nrallentamento, 2900, 120, 100, 1, 0, 0",
     false, "Free one of the two cells before the signal, move the signal, or move the slow-down."},
    {12, "Before a slow-down's start the compiler places abatements 250 to 350 m, 550 to 650 m and "
         "900 to 1000 m before it, each in the first free cell of its window. The compile goes on.",
     P::train,
     "segnale, 2550, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\nsegnale, 2600, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\n"
     "segnale, 2650, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\nrallentamento, 2900, 120, 100, 1, 0, 0",
     false, "Move what stands in that window, or move the slow-down."},
    {13, "Inside a slow-down below 110 km/h the compiler places an abatement every 400 m, moved by "
         "one cell around a busy one, and one before the first signal within 600 m after its end. "
         "The compile goes on.",
     P::train,
     "segnale, 3250, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\nsegnale, 3300, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\n"
     "segnale, 3350, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\nrallentamento, 2900, 50, 600, 1, 0, 0",
     false, "Free the cell the position names and its two neighbours, or the two cells before that signal; or move the signal or the slow-down."},
    {15, "A positioned entry may stand at most 100 m (a station 800 m) before the end of the track "
         "the model makes: the route's end plus 7000 m. The reading of this text stops here, as "
         "if it ended; the rest of it is disregarded.",
     P::train, "segnale, 16950, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0", false,
     "Move the entry before the limit, or lengthen the route; the rest of that text was not read."},
    {16, "A signal takes the cell position / 50 + 1 and needs it free. The reading of the train "
         "text ends here.",
     P::train,
     "stazione, 0, 8, 500, 1,0,0, 0,0,0, 0,0,0, 0, 9,0,0, ALFA\nsegnale, 400, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0",
     false, "Move the signal, or what stands on its cell p / 50 + 1 (a station's stop cell, a slow-down board, a board, another signal)."},
    {17, "A slow-down starting after 1500 m puts its warning board 1200 m before its start, on a "
         "free cell. The reading of the train text ends here.",
     P::train, "segnale, 1000, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\nrallentamento, 2200, 50, 100, 1, 0, 0",
     false, "Move the slow-down or the event on the warning board's cell."},
    {18, "A slow-down's start board takes the cell of its start and needs it free. The reading of "
         "the train text ends here.",
     P::train, "segnale, 3000, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\nrallentamento, 3000, 50, 100, 1, 0, 0",
     false, "Move the slow-down or the event on its start cell."},
    {19, "A slow-down's end board takes the cell of its start plus its length and needs it free. "
         "The reading of the train text ends here.",
     P::train, "segnale, 3100, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\nrallentamento, 3000, 50, 100, 1, 0, 0",
     false, "Change the length or the start, or move the event on the end cell."},
    {20, "With f_ta not 0 a slow-down claims the four cells before its warning board, all of "
         "which must be free; its boards are written all the same. The reading of the train text "
         "ends here.",
     P::train, "segnale, 1750, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\nrallentamento, 3000, 50, 100, 1, 1, 0",
     false, "Free the four cells before the warning board, or set `f_ta` to 0."},
    {21, "Speed-indicator boards take the cell position / 50 + 1 and need it free. The reading "
         "ends here.",
     P::body, "cartello_indicatore, 1000, (A)\nindicatori_vmax, 1000, 90, 90, 90, 0, , , , 0", false,
     "Move the boards or the event on their cell p / 50 + 1."},
    {22, "A station's area must begin at least 350 m after the area of the station before it "
         "ends. The reading of the train text ends here.",
     P::train,
     "stazione, 1000, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, ALFA\n"
     "stazione, 1300, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, BETA",
     false, "Move the station, shorten one of the two, or check the stations are in rising order."},
    {24, "A station's stop cell is its area's end / 50 - 1, and must come after cell 1. The "
         "reading of the train text ends here.",
     P::train, "stazione, 0, 12, 100, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, ALFA", false,
     "Move the station on, or lengthen it."},
    {25, "The texts could not be read as the format wants: a line with too few values, a field "
         "that is not a whole number, a number its field cannot hold, an entry that would reach "
         "outside the track, no route length. The message says which, at its line. The reading "
         "ends here.",
     P::train, "segnale, 5900, 1, 4", false,
     "Read the message of `check`: it names the line and the field."},
    {101, "The route text must exist.", P::general, "", false,
     "Give the path of an existing route text."},
    {102, "The route text must hold a field containing \"[generale]\", and not as its last field: "
          "everything before it is disregarded.",
     P::general, "lunghezza percorso, 10000\n[curve]\n[fine]", true,
     "Open the general section with a `[generale]` line."},
    {103, "A curve keyword holds its class as a digit 1 to 6 (\"curvad4\"), and the plan may not "
          "pass metre 1000000 while a curve is drawn. The reading ends here.",
     P::body, "curvad, 1000, 100", false,
     "Write the class digit (`curvad4`); end every curve before metre 1000000."},
    {1250, "Cell 1 (0 to 49 m) is the compiler's own: its first value takes a mark. No entry may "
           "put an event there, nor may the post-processing place an abatement there for a "
           "slow-down starting before 1050 m. No binary file is written.",
     P::train, "abbattimento, 50, 100", false,
     "Keep events off cell 1 (0 to 49 m): signals, boards, signboards and slow-down starts at 25 m or more, abatements outside 26 to 74 m; start slow-downs at 1050 m or later, so that their windows before the start stay above cell 1."},
    {1251, "Cell 1's second value takes the route's check value: no entry may set it. No binary "
           "file is written.",
     P::train, "rallentamento, 0, 0, 100, 1, 0, 7", false,
     "As 1250: an event in cell 1 wrote its `valore2`."},
}};

std::vector<CodeExplanation> all() {
  std::vector<CodeExplanation> out;
  for (const Text& t : texts) {
    std::string_view meaning;
    if (t.number == number_of(ErroreNumber::marks_taken))
      meaning = "errore: a reserved slot (entry 85's par1 or cell 1's valore1) already in use";
    else if (t.number == number_of(ErroreNumber::codes_taken))
      meaning = "errore: a reserved slot (entry 85's orario or cell 1's valore2) already in use";
    else if (const auto code = code_numbered(t.number))
      meaning = meaning_of(*code);
    out.push_back({t.number, meaning, t.rule, t.part, t.example, t.whole_text, t.fix});
  }
  return out;
}

std::string part_name(const CodeExplanation& e) {
  if (e.whole_text) return "a whole route text";
  switch (e.part) {
    case TextPart::general: return "the route text's general section";
    case TextPart::body: return "the route text's body";
    case TextPart::train: return "the train text";
  }
  return {};
}

}  // namespace

std::span<const CodeExplanation> code_explanations() {
  static const std::vector<CodeExplanation> list = all();
  return list;
}

const CodeExplanation* explanation_of(std::int64_t number) {
  for (const CodeExplanation& e : code_explanations())
    if (e.number == number) return &e;
  return nullptr;
}

std::string explanation_text(const CodeExplanation& e) {
  std::string out = (e.number >= 1250 ? "errore " : "error ") + std::to_string(e.number) + ": " +
                    std::string(e.meaning) + "\n\nRule: " + std::string(e.rule) + "\n";
  if (!e.example.empty()) {
    out += "\nExample, in " + part_name(e) + ":\n";
    std::string_view rest = e.example;
    while (!rest.empty()) {
      const std::size_t end = rest.find('\n');
      out += "    " + std::string(rest.substr(0, end)) + "\n";
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
  }
  out += "\nWhat to do: " + std::string(e.fix) + "\n";
  return out;
}

std::string explanations_markdown() {
  std::string out = "| code | meaning | what to do |\n|---|---|---|\n";
  for (const CodeExplanation& e : code_explanations())
    out += "| " + std::to_string(e.number) + " | " + std::string(e.meaning) + " | " +
           std::string(e.fix) + " |\n";
  return out;
}

}  // namespace tracciato::cli
