#include "dump/dump_hex.h"

#include <algorithm>
#include <cstdio>

#include "dump/dump_cell_meaning.h"
#include "dump/dump_fields.h"
#include "dump/dump_text_forms.h"

namespace tracciato::dump {

namespace {

// Walks the file's bytes field by field.
class HexLines {
 public:
  HexLines(std::ostream& out, const std::string& bytes) : out_(out), bytes_(bytes) {}

  void field(const std::string& name, std::size_t width, const std::string& value) {
    char offset[24];
    std::snprintf(offset, sizeof offset, "%10zu", at_);
    std::string hex;
    for (std::size_t i = 0; i < width && at_ + i < bytes_.size(); ++i) {
      char b[4];
      std::snprintf(b, sizeof b, i == 0 ? "%02x" : " %02x", static_cast<unsigned char>(bytes_[at_ + i]));
      hex += b;
    }
    hex.resize(std::max<std::size_t>(hex.size(), 23), ' ');
    std::string label = name;
    label.resize(std::max<std::size_t>(label.size(), 28), ' ');
    out_ << offset << "  " << hex << "  " << label << ' ' << value << '\n';
    at_ += width;
  }
  void text(const std::string& name, const std::string& text) {
    for (std::size_t k = 0; k < text.size(); k += 8)
      field(name + "[" + std::to_string(k) + "]", std::min<std::size_t>(8, text.size() - k),
            quoted(std::string_view(text).substr(k, 8)));
  }

 private:
  std::ostream& out_;
  const std::string& bytes_;
  std::size_t at_ = 0;
};

void cells(std::ostream& out, const DumpedFile& f) {
  out << "cell file: " << f.celle.size() << " cells, " << f.bytes.size() << " bytes\n";
  HexLines lines(out, f.bytes);
  for (std::size_t i = 0; i < f.celle.size(); ++i) {
    const std::string record = "celle(" + std::to_string(i) + ").";
    const cella& c = f.celle[i];
    for_each_field(c, [&](std::string_view name, std::size_t width, std::int64_t v) {
      std::string value = std::to_string(v);
      if (name == "evento") value += " (" + std::string(event_name(c.evento)) + ")";
      lines.field(record + std::string(name), width, value);
    });
  }
}

void entries(std::ostream& out, const DumpedFile& f) {
  out << "entry file: " << f.voci.size() << " entries, " << f.bytes.size() << " bytes\n";
  HexLines lines(out, f.bytes);
  for (std::size_t i = 0; i < f.voci.size(); ++i) {
    const std::string record = "voci(" + std::to_string(i) + ").";
    for_each_field(
        f.voci[i],
        [&](std::string_view name, std::size_t width, std::int64_t v) {
          lines.field(record + std::string(name), width, std::to_string(v));
        },
        [&](std::string_view name, const std::string& text) {
          lines.field(record + std::string(name) + " length", 2, std::to_string(text.size()));
          lines.text(record + std::string(name), text);
        });
  }
}

void plan(std::ostream& out, const DumpedFile& f) {
  out << "plan file: metres 0 .. " << f.plan.x.size() - 1 << ", " << f.bytes.size() << " bytes\n";
  HexLines lines(out, f.bytes);
  for (int k = 0; k < 2; ++k) {
    const std::vector<PlanValue>& axis = k == 0 ? f.plan.x : f.plan.y;
    for (std::size_t m = 0; m < axis.size(); ++m) {
      const PlanValue& v = axis[m];
      const std::string name = "planimetria(" + std::to_string(m) + "," + std::to_string(k) + ").";
      lines.field(name + "tag", 2,
                  std::to_string(static_cast<int>(v.kind)) + " (" + value_kind(v) + ")");
      if (v.kind == PlanValue::Kind::Integer) lines.field(name + "value", 2, value_text(v));
      if (v.kind == PlanValue::Kind::Double) lines.field(name + "value", 8, value_text(v));
    }
  }
}

}  // namespace

void write_hex(std::ostream& out, const DumpedFile& file) {
  switch (file.kind) {
    case DumpKind::plan: plan(out, file); break;
    case DumpKind::entries: entries(out, file); break;
    case DumpKind::cells: cells(out, file); break;
  }
}

}  // namespace tracciato::dump
