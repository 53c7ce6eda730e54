#include "dump/dump_csv.h"

#include "dump/dump_cell_meaning.h"
#include "dump/dump_entry_roles.h"
#include "dump/dump_fields.h"
#include "dump/dump_text_forms.h"

namespace tracciato::dump {

namespace {

std::string csv_field(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

void cells(std::ostream& out, const DumpedFile& f) {
  out << "cell,metre_from,metre_to";
  for_each_field(cella{}, [&](std::string_view name, std::size_t, std::int64_t) {
    out << ',' << name;
    if (name == "evento") out << ",event";
  });
  out << ",meaning\n";
  for (std::size_t i = 0; i < f.celle.size(); ++i) {
    const auto index = static_cast<std::int64_t>(i);
    const cella& c = f.celle[i];
    out << i << ',' << first_metre(index) << ',' << last_metre(index);
    for_each_field(c, [&](std::string_view name, std::size_t, std::int64_t v) {
      out << ',' << v;
      if (name == "evento") out << ',' << csv_field(event_name(c.evento));
    });
    std::string meaning;
    for (const FieldMeaning& m : cell_meaning(index, c)) {
      if (!meaning.empty()) meaning += "; ";
      meaning += std::string(m.field) + ": " + parts_text(m.parts);
    }
    out << ',' << csv_field(meaning) << '\n';
  }
}

void entries(std::ostream& out, const DumpedFile& f) {
  out << "entry,role";
  auto header = [&](std::string_view name, auto&&...) { out << ',' << name; };
  for_each_field(voce{}, header, header);
  out << '\n';
  const EntryRoles roles = entry_roles(f.voci);
  for (std::size_t i = 0; i < f.voci.size(); ++i) {
    out << i << ',' << csv_field(roles.role[i]);
    for_each_field(
        f.voci[i], [&](std::string_view, std::size_t, std::int64_t v) { out << ',' << v; },
        [&](std::string_view, const std::string& text) {
          out << ',' << csv_field(escaped(text));
        });
    out << '\n';
  }
}

void plan(std::ostream& out, const DumpedFile& f) {
  out << "metre,x_kind,x,y_kind,y\n";
  for (std::size_t m = 0; m < f.plan.x.size(); ++m)
    out << m << ',' << value_kind(f.plan.x[m]) << ',' << value_text(f.plan.x[m]) << ','
        << value_kind(f.plan.y[m]) << ',' << value_text(f.plan.y[m]) << '\n';
}

}  // namespace

void write_csv(std::ostream& out, const DumpedFile& file) {
  switch (file.kind) {
    case DumpKind::plan: plan(out, file); break;
    case DumpKind::entries: entries(out, file); break;
    case DumpKind::cells: cells(out, file); break;
  }
}

}  // namespace tracciato::dump
