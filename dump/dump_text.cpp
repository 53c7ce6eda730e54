#include "dump/dump_text.h"

#include "dump/dump_cell_meaning.h"
#include "dump/dump_entry_roles.h"
#include "dump/dump_fields.h"
#include "dump/dump_text_forms.h"

namespace tracciato::dump {

namespace {

void cells(std::ostream& out, const DumpedFile& f) {
  const auto n = static_cast<std::int64_t>(f.celle.size());
  out << "cell file: " << n << " cells (0 .. " << n - 1 << "), " << f.bytes.size() << " bytes\n";
  for (std::int64_t i = 0; i < n; ++i) {
    const cella& c = f.celle[static_cast<std::size_t>(i)];
    const auto meaning = cell_meaning(i, c);
    out << "cell " << i << "  metres " << first_metre(i) << ".." << last_metre(i);
    for_each_field(c, [&](std::string_view name, std::size_t, std::int64_t v) {
      out << "  " << name << ' ' << v;
      if (name == "evento")
        out << " (" << event_name(c.evento) << ")";
      else if (const FieldMeaning* m = meaning_of(meaning, name))
        out << " (" << parts_text(m->parts) << ")";
    });
    out << '\n';
  }
}

void entries(std::ostream& out, const DumpedFile& f) {
  const EntryRoles roles = entry_roles(f.voci);
  out << "entry file: " << f.voci.size() << " entries, " << f.bytes.size() << " bytes, "
      << roles.stations << " stations, " << roles.signboards << " signboards\n";
  for (std::size_t i = 0; i < f.voci.size(); ++i) {
    const voce& v = f.voci[i];
    const bool station = roles.role[i].starts_with("station");
    out << "entry " << i << "  " << roles.role[i];
    auto label = [&](std::string_view name) {
      if (const char* l = header_field_label(i, name)) out << " (" << l << ")";
    };
    for_each_field(
        v,
        [&](std::string_view name, std::size_t, std::int64_t value) {
          out << "  " << name << ' ' << value;
          label(name);
          if (station && name == "orario")
            if (auto t = clock_text(value)) out << " (" << *t << ")";
        },
        [&](std::string_view name, const std::string& text) {
          out << "  " << name << ' ' << quoted(text);
          label(name);
        });
    out << '\n';
  }
}

void plan(std::ostream& out, const DumpedFile& f) {
  const std::size_t n = f.plan.x.size();
  out << "plan file: metres 0 .. " << n - 1 << ", " << f.bytes.size() << " bytes\n";
  auto value = [&](const char* axis, const PlanValue& v) {
    out << "  " << axis << ' ' << value_kind(v);
    if (v.kind != PlanValue::Kind::Empty) out << ' ' << value_text(v);
  };
  for (std::size_t m = 0; m < n; ++m) {
    out << "metre " << m;
    value("x", f.plan.x[m]);
    value("y", f.plan.y[m]);
    out << '\n';
  }
}

}  // namespace

void write_text(std::ostream& out, const DumpedFile& file) {
  switch (file.kind) {
    case DumpKind::plan: plan(out, file); break;
    case DumpKind::entries: entries(out, file); break;
    case DumpKind::cells: cells(out, file); break;
  }
}

}  // namespace tracciato::dump
