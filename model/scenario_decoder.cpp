#include "model/scenario_decoder.h"

#include <cstring>

#include "model/record_layout.h"

namespace tracciato {

namespace {

// Little-endian reads over a byte string, each checked against its end.
class Lettore {
 public:
  Lettore(std::string_view bytes, const char* kind) : bytes_(bytes), kind_(kind) {}

  bool fine() const { return pos_ == bytes_.size(); }
  std::size_t pos() const { return pos_; }

  std::uint64_t intero(std::size_t n, const char* field) {
    require(n, field);
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < n; ++i)
      v |= std::uint64_t{static_cast<unsigned char>(bytes_[pos_ + i])} << (8 * i);
    pos_ += n;
    return v;
  }
  std::uint8_t u8(const char* f) { return static_cast<std::uint8_t>(intero(1, f)); }
  std::int16_t i16(const char* f) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(intero(2, f)));
  }
  std::uint16_t u16(const char* f) { return static_cast<std::uint16_t>(intero(2, f)); }
  std::int32_t i32(const char* f) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(intero(4, f)));
  }
  double f64(const char* f) {
    const std::uint64_t bits = intero(8, f);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  std::string testo(std::size_t n, const char* f) {
    require(n, f);
    std::string s(bytes_.substr(pos_, n));
    pos_ += n;
    return s;
  }
  // One field of a record, as its layout gives it.
  void field(const char* name, std::uint8_t& v) { v = u8(name); }
  void field(const char* name, std::int16_t& v) { v = i16(name); }
  void field(const char* name, std::int32_t& v) { v = i32(name); }
  void field(const char* name, std::string& text) {
    const std::size_t n = u16("the length of nome");
    text = testo(n, name);
  }

 private:
  void require(std::size_t n, const char* field) const {
    if (bytes_.size() - pos_ < n)
      throw DecodeError(std::string(kind_) + " ends inside " + field + " at byte " +
                            std::to_string(pos_) + " (file is " +
                            std::to_string(bytes_.size()) + " bytes)",
                        pos_);
  }
  std::string_view bytes_;
  const char* kind_;
  std::size_t pos_ = 0;
};

}  // namespace

DecodedPlan decode_plan(std::string_view bytes) {
  Lettore in(bytes, "plan file");
  std::vector<PlanValue> valori;
  while (!in.fine()) {
    const std::size_t at = in.pos();
    const std::uint16_t tag = in.u16("a type tag");
    if (tag == 0)
      valori.push_back({});
    else if (tag == 2)
      valori.push_back(PlanValue::of_integer(in.i16("an Integer value")));
    else if (tag == 5)
      valori.push_back(PlanValue::of_double(in.f64("a Double value")));
    else
      throw DecodeError("plan file: type tag " + std::to_string(tag) + " at byte " +
                            std::to_string(at) + " is none of 0 (Empty), 2 (Integer), 5 (Double)",
                        at);
  }
  if (valori.empty() || valori.size() % 2 != 0)
    throw DecodeError("plan file holds " + std::to_string(valori.size()) +
                          " values: x and y need the same number, at least one each",
                      bytes.size());
  DecodedPlan p;
  const auto half = static_cast<std::ptrdiff_t>(valori.size() / 2);
  p.x.assign(valori.begin(), valori.begin() + half);
  p.y.assign(valori.begin() + half, valori.end());
  return p;
}

std::vector<voce> decode_entries(std::string_view bytes) {
  Lettore in(bytes, "entry file");
  std::vector<voce> voci(87);
  for (voce& v : voci)
    for_each_field(v, [&in](const char* name, auto& field) { in.field(name, field); });
  if (!in.fine())
    throw DecodeError("entry file: " + std::to_string(bytes.size() - in.pos()) +
                          " bytes follow its 87 entries",
                      in.pos());
  return voci;
}

std::vector<cella> decode_cells(std::string_view bytes) {
  if (bytes.empty() || bytes.size() % cell_bytes != 0)
    throw DecodeError("cell file: " + std::to_string(bytes.size()) +
                          " bytes is not a whole number of 15-byte cells",
                      bytes.size() - bytes.size() % cell_bytes);
  Lettore in(bytes, "cell file");
  std::vector<cella> celle(bytes.size() / cell_bytes);
  for (cella& c : celle)
    for_each_field(c, [&in](const char* name, auto& field) { in.field(name, field); });
  return celle;
}

}  // namespace tracciato
