#include "model/scenario_files.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>

#include "model/record_layout.h"
#include "model/scenario.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"

namespace tracciato {

namespace {

// Little-endian packing, one field at a time: the files never depend on the layout
// of the in-memory records. It writes into room made beforehand, so that each byte
// costs a store and not a growth check.
class Scrittura {
 public:
  explicit Scrittura(char* out) : p_(out) {}
  void byte(std::uint8_t v) { *p_++ = static_cast<char>(v); }
  void u16(std::uint16_t v) {
    byte(static_cast<std::uint8_t>(v & 0xFF));
    byte(static_cast<std::uint8_t>(v >> 8));
  }
  void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
  void u32(std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) byte(static_cast<std::uint8_t>((v >> shift) & 0xFF));
  }
  void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
  void u64(std::uint64_t v) {
    for (int shift = 0; shift < 64; shift += 8) byte(static_cast<std::uint8_t>((v >> shift) & 0xFF));
  }
  void f64(double v) { u64(std::bit_cast<std::uint64_t>(v)); }
  void testo(const std::string& s) {
    s.copy(p_, s.size());
    p_ += s.size();
  }
  // One field of a record, as its layout gives it.
  void field(std::uint8_t v) { byte(v); }
  void field(std::int16_t v) { i16(v); }
  void field(std::int32_t v) { i32(v); }
  void field(const std::string& text) {
    u16(static_cast<std::uint16_t>(text.size()));
    testo(text);
  }
  // Bytes written from `inizio` on.
  std::size_t scritti(const char* inizio) const { return static_cast<std::size_t>(p_ - inizio); }

 private:
  char* p_;
};

void valore(Scrittura& w, const PlanValue& v) {
  w.u16(static_cast<std::uint16_t>(v.kind));
  switch (v.kind) {
    case PlanValue::Kind::Empty: break;
    case PlanValue::Kind::Integer: w.i16(v.integer); break;
    case PlanValue::Kind::Double: w.f64(v.real); break;
  }
}

// The most a tagged value takes: tag and Double.
constexpr std::size_t byte_valore_max = 10;

}  // namespace

PlanPieces::PlanPieces(const Scenario& s)
    : corrente_(s.planimetria.x().elements()), seguente_(s.planimetria.y().elements()) {}

std::size_t PlanPieces::operator()(std::span<char> spazio) {
  Scrittura w(spazio.data());
  std::size_t posti = spazio.size() / byte_valore_max;  // values that surely fit
  while (posti > 0) {
    if (corrente_.empty()) {
      if (seguente_.empty()) break;
      corrente_ = seguente_;
      seguente_ = {};
    }
    const std::size_t n = std::min(posti, corrente_.size());
    for (const PlanValue& v : corrente_.first(n)) valore(w, v);
    corrente_ = corrente_.subspan(n);
    posti -= n;
  }
  return w.scritti(spazio.data());
}

std::string encode_plan(const Scenario& s) {
  const std::size_t valori = s.planimetria.x().elements().size() + s.planimetria.y().elements().size();
  std::string out(byte_valore_max * valori, '\0');
  out.resize(PlanPieces(s)(out));
  return out;
}

std::string encode_entries(const Scenario& s) {
  const auto voci = s.voci.elements();
  std::size_t totale = 0;
  for (const voce& v : voci) totale += entry_bytes_without_name + v.nome.size();
  for (std::size_t i = 0; i < voci.size(); ++i) {
    // The length field has 16 bits: a longer text cannot be written without corrupting
    // every field after it.
    if (voci[i].nome.size() > std::numeric_limits<std::uint16_t>::max())
      throw RuntimeFailure("voci(" + std::to_string(i) + "): name of " +
                           std::to_string(voci[i].nome.size()) +
                           " bytes does not fit the 16-bit length field of the entry file");
  }
  std::string out(totale, '\0');
  Scrittura w(out.data());
  for (const voce& v : voci)
    for_each_field(v, [&w](const char*, const auto& field) { w.field(field); });
  return out;
}

std::string encode_cells(const Scenario& s) {
  const auto celle = s.celle.elements();
  std::string out(cell_bytes * celle.size(), '\0');
  Scrittura w(out.data());
  for (const cella& c : celle)
    for_each_field(c, [&w](const char*, const auto& field) { w.field(field); });
  return out;
}

void write_scenario_files(const Scenario& s, Platform& platform, const ScenarioFiles& file,
                          std::vector<std::string>& scritti) {
  auto write = [&](const std::string& path, const std::string& bytes) {
    platform.write(path, bytes);
    scritti.push_back(path);
  };
  if (s.con_planimetria != 0) {
    // The largest file by far (20 MB for 1000 km): written as it is encoded.
    platform.write_in_pieces(file.planimetria, PlanPieces(s));
    scritti.push_back(file.planimetria);
  }
  write(file.voci, encode_entries(s));
  write(file.celle, encode_cells(s));
}

}  // namespace tracciato
