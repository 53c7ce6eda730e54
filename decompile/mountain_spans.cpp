#include "decompile/mountain_spans.h"

#include <algorithm>
#include <cstdint>

namespace tracciato::decompile {

namespace {

constexpr std::uint8_t joined_type = 3;  // a span within 150 m of the one before

// A span in cells: its first and last cell, the type its cells show and whether it
// puts markers on every fourth cell counted from its first.
struct CellSpan {
  std::int64_t first = 0, last = 0;
  std::uint8_t type = 0;
  bool markers = false;
  bool shares_last = false;  // its last cell is also the next span's first
};

class Cells {
 public:
  explicit Cells(const std::vector<cella>& c) : c_(c) {}
  std::int64_t last() const { return static_cast<std::int64_t>(c_.size()) - 1; }
  std::uint8_t type(std::int64_t i) const { return c_[static_cast<std::size_t>(i)].montagna; }
  bool marker(std::int64_t i) const {
    return c_[static_cast<std::size_t>(i)].evento == event::mountain_marker;
  }
  // A cell a span's marker may have gone to: it shows the marker, or an event that took
  // the cell afterwards; a cell with no event never had one.
  bool taken(std::int64_t i) const { return c_[static_cast<std::size_t>(i)].evento != 0; }

 private:
  const std::vector<cella>& c_;
};

std::vector<std::int64_t> markers_in(const Cells& c, std::int64_t from, std::int64_t to) {
  std::vector<std::int64_t> m;
  for (std::int64_t i = from; i <= to; ++i)
    if (c.marker(i)) m.push_back(i);
  return m;
}

std::int64_t first_at_or_after(const std::vector<std::int64_t>& m, std::int64_t from) {
  const auto it = std::lower_bound(m.begin(), m.end(), from);
  return it == m.end() ? -1 : *it;
}

// A run of type 3 cut into spans, each one with or without markers, so that every
// marker falls on a fourth cell of its span and every fourth cell of a span with
// markers shows one or was taken since. A span whose fourth cell is also the first of
// the next one (it ends half way into it) keeps its marker there.
void split_joined_run(const Cells& c, std::int64_t from, std::int64_t to,
                      const std::vector<std::int64_t>& m, std::int64_t shared,
                      std::vector<CellSpan>& out) {
  std::int64_t pos = from;  // `shared`: a marker already explained by the span before
  auto next_marker = [&](std::int64_t at) {
    std::int64_t next = first_at_or_after(m, at);
    if (next == shared && next >= 0) next = first_at_or_after(m, next + 1);
    return next;
  };
  while (pos <= to) {
    const std::int64_t next = next_marker(pos);
    if (next < 0) {
      out.push_back({pos, to, joined_type, false});
      return;
    }
    const std::int64_t count = next - pos;
    if (count < 3 || count % 4 != 3) {
      const std::int64_t start = next - 3;  // a span whose fourth cell is that marker
      if (start <= pos) {
        out.push_back({pos, to, joined_type, true});
        return;
      }
      out.push_back({pos, start - 1, joined_type, false});
      pos = start;
      continue;
    }
    std::int64_t end = to, following = -1;
    bool shares = false;
    for (std::int64_t i = pos; i <= to; ++i) {
      const bool fourth = (i - pos) % 4 == 3;
      if (fourth && !c.taken(i)) {
        // No marker ever went here: the span ends before this cell.
        following = i;
        const std::int64_t later = next_marker(i);
        if (later >= 0 && later - 3 <= i && later - 3 > i - 4) following = later - 3;
        end = following - 1;
        break;
      }
      if (!fourth && c.marker(i) && i != shared) {
        // A marker of another phase: the fourth cell of the span after this one, which
        // may begin on this span's own last marker, this one ending half way into it.
        following = i - 3;
        end = following - 1;
        if ((following - pos) % 4 == 3 && c.marker(following) && following % 2 == 0) {
          end = following;
          shares = true;
        }
        break;
      }
    }
    if (following >= 0 && following <= pos) {
      out.push_back({pos, to, joined_type, true});
      return;
    }
    out.push_back({pos, end, joined_type, true, shares});
    if (following < 0) return;
    shared = shares ? following : -1;
    pos = following;
  }
}

// The type a source line gives for cells showing `type`, with or without markers.
std::int64_t source_type(std::uint8_t type, bool markers) {
  if (markers) return type >= 1 ? type + 10 : 256 + 10;
  return type <= 10 ? type : std::int64_t{type} - 256;
}

}  // namespace

std::vector<MountainEntry> mountain_spans(const std::vector<cella>& celle) {
  const Cells c(celle);
  std::vector<CellSpan> spans;
  for (std::int64_t i = 0; i <= c.last();) {
    const std::uint8_t type = c.type(i);
    if (type == 0) {
      // Markers where no type shows: a span of type 0 with markers left them.
      if (c.marker(i) && i >= 3) {
        std::int64_t last = i;
        while (last + 4 <= c.last() && c.marker(last + 4) && c.type(last + 1) == 0 &&
               c.type(last + 2) == 0 && c.type(last + 3) == 0 && c.type(last + 4) == 0)
          last += 4;
        spans.push_back({i - 3, last, 0, true});
        i = last + 1;
      } else {
        ++i;
      }
      continue;
    }
    std::int64_t to = i;
    while (to + 1 <= c.last() && c.type(to + 1) == type) ++to;
    std::vector<std::int64_t> m = markers_in(c, i, to);
    if (type != joined_type) {
      spans.push_back({i, to, type, !m.empty()});
    } else {
      // A span that ends half way into its last cell shares it with a span starting
      // there, which takes the cell's type; its marker may still show in that cell.
      std::int64_t shared = -1;
      if (!m.empty() && m.front() == i && !spans.empty()) {
        CellSpan& before = spans.back();
        bool fourths_taken = true;
        for (std::int64_t q = before.first + 3; q < i; q += 4) fourths_taken = fourths_taken && c.taken(q);
        if (before.last == i - 1 && (i - before.first) % 4 == 3 && i % 2 == 0 && fourths_taken) {
          before.last = i;
          before.markers = true;
          before.shares_last = true;
          shared = i;
        }
      }
      split_joined_run(c, i, to, m, shared, spans);
    }
    i = to + 1;
  }

  std::vector<MountainEntry> out;
  for (std::size_t k = 0; k < spans.size(); ++k) {
    const CellSpan& s = spans[k];
    MountainEntry e;
    e.start = 50 * s.first;
    e.end = 50 * (s.last + 1);
    if (s.shares_last) e.end = 50 * s.last + 25;
    if (k > 0 && spans[k - 1].shares_last) e.start = 50 * s.first + 25;
    // A span within 150 m after the one before takes type 3: one with a type of its own
    // starts a metre later when that keeps it apart.
    if (k > 0 && s.type != joined_type && e.start - out.back().end == 150) e.start += 1;
    e.type = source_type(s.type, s.markers);
    out.push_back(e);
  }
  return out;
}

}  // namespace tracciato::decompile
