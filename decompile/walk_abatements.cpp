#include "decompile/walk_abatements.h"

#include <string>

#include "model/post_elaborazione.h"
#include "model/walk_rules.h"
#include "platform/runtime_failure.h"

namespace tracciato::decompile {

namespace {

// A choice that the cells as read rule out.
struct Contradiction {};

enum class Role : std::uint8_t {
  fixed,      // placed by the readers, as read
  open,       // an abatement of 180 not yet looked at by the walk
  walk,       // placed by the walk
  source,     // placed by a source line before the walk
};

struct Decision {
  bool source = false;
  bool can_be_source = true;
};

// The cells before the walk, as the choices so far make them. A cell with an
// abatement of 180 is free until the walk first asks: then the next decision says
// whether a source line put it there (busy) or the walk places it now.
class Picture {
 public:
  Picture(const std::vector<cella>& read, std::vector<Decision>& decisions)
      : read_(read), cells_(read), roles_(read.size(), Role::fixed), decisions_(decisions) {
    for (std::size_t i = 0; i < cells_.size(); ++i) {
      if (is_180(read[i])) {
        roles_[i] = Role::open;
        cells_[i].evento = event::none;
        cells_[i].valore1 = 0;
      }
    }
  }

  std::uint8_t evento(std::int64_t i) const { return at(i).evento; }
  std::int16_t valore1(std::int64_t i) const { return at(i).valore1; }
  bool is_free(std::int64_t i) {
    const cella& c = at(i);
    if (roles_[static_cast<std::size_t>(i)] != Role::open) return tracciato::is_free(c);
    if (next_ == decisions_.size()) decisions_.push_back({false, may_be_source(i)});
    const Decision d = decisions_[next_++];
    if (d.source) {
      if (!d.can_be_source) throw Contradiction{};
      become(i, Role::source);
      return false;
    }
    roles_[static_cast<std::size_t>(i)] = Role::walk;  // the walk places it now
    return true;
  }
  void place(std::int64_t i) {
    if (roles_[static_cast<std::size_t>(i)] != Role::walk || at(i).evento != event::none)
      throw Contradiction{};  // the walk would place an abatement the files do not hold
    become(i, Role::walk);
  }
  void lower(std::int64_t i) {
    cella& c = cells_[static_cast<std::size_t>(i)];
    c.valore1 = minimo(walk::abatement_value, c.valore1);
    if (c.valore1 != read_[static_cast<std::size_t>(i)].valore1) throw Contradiction{};
  }
  void no_room(Code, std::int64_t, const NoRoom&) {}
  void failing(std::int64_t) {}

  // The abatements the walk never asked about are sources'; all of them must be
  // allowed there.
  std::vector<std::int64_t> sources() const {
    std::vector<std::int64_t> out;
    for (std::size_t i = 0; i < roles_.size(); ++i) {
      if (roles_[i] == Role::open && !may_be_source(static_cast<std::int64_t>(i)))
        throw Contradiction{};
      if (roles_[i] == Role::open || roles_[i] == Role::source)
        out.push_back(static_cast<std::int64_t>(i));
    }
    return out;
  }
  std::size_t decisions_taken() const { return next_; }

 private:
  static bool is_180(const cella& c) {
    return c.evento == event::abatement && c.valore1 == walk::abatement_value;
  }
  const cella& at(std::int64_t i) const {
    if (i < 0 || i >= static_cast<std::int64_t>(cells_.size()))
      throw RuntimeFailure("celle(" + std::to_string(i) + "): index outside the table");
    return cells_[static_cast<std::size_t>(i)];
  }
  // A source abatement stands on a cell p / 50 that passes the position check
  // (p + 100 <= 50 * n_celle) and not in cell 1, whose first value holds a mark.
  bool may_be_source(std::int64_t i) const {
    const std::int64_t n = static_cast<std::int64_t>(cells_.size()) - 1;
    return i != 1 && i >= 0 && i <= n - 2;
  }
  void become(std::int64_t i, Role r) {
    roles_[static_cast<std::size_t>(i)] = r;
    cells_[static_cast<std::size_t>(i)].evento = event::abatement;
    cells_[static_cast<std::size_t>(i)].valore1 = walk::abatement_value;
  }

  const std::vector<cella>& read_;
  std::vector<cella> cells_;
  std::vector<Role> roles_;
  std::vector<Decision>& decisions_;
  std::size_t next_ = 0;
};

constexpr int most_walks = 4000;

}  // namespace

std::optional<std::vector<std::int64_t>> source_abatements_of_180(const std::vector<cella>& celle) {
  std::vector<Decision> decisions;
  const std::int64_t n_celle = static_cast<std::int64_t>(celle.size()) - 1;
  for (int walk = 0; walk < most_walks; ++walk) {
    Picture picture(celle, decisions);
    try {
      walk::walk(picture, n_celle);
      return picture.sources();
    } catch (const Contradiction&) {
    } catch (const RuntimeFailure&) {
      // The walk ran off the cells, which the compile that wrote them did not.
    }
    // Back to the latest choice of the walk's that could be a source's instead.
    decisions.resize(std::min(decisions.size(), picture.decisions_taken()));
    while (!decisions.empty() && (decisions.back().source || !decisions.back().can_be_source))
      decisions.pop_back();
    if (decisions.empty()) return std::nullopt;
    decisions.back().source = true;
  }
  return std::nullopt;
}

}  // namespace tracciato::decompile
