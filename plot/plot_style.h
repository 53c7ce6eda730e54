#pragma once

#include "plot/plot_canvas.h"

// The look both pictures share, so that a mark means the same on the map and the profile.
namespace tracciato::plot::style {

inline const Colour ink{0.13, 0.13, 0.13};
inline const Colour muted{0.42, 0.42, 0.42};
inline const Colour grid{0.88, 0.88, 0.88};
inline const Colour track{0.10, 0.25, 0.45};
inline const Colour beyond_track{0.62, 0.67, 0.74};
inline const Colour tunnel{0.38, 0.30, 0.22};
inline const Colour tunnel_casing{0.86, 0.80, 0.70};
inline const Colour tunnel_band{0.55, 0.55, 0.55, 0.22};
inline const Colour slowdown{0.96, 0.55, 0.05, 0.55};
inline const Colour slowdown_band{0.98, 0.62, 0.10, 0.30};
inline const Colour slowdown_text{0.70, 0.33, 0.00};
inline const Colour station{0.72, 0.11, 0.11};
inline const Colour signal{0.10, 0.50, 0.20};
inline const Colour signboard{0.45, 0.20, 0.60};
inline const Colour elevation_fill{0.80, 0.72, 0.52, 0.55};
inline const Colour elevation_line{0.45, 0.33, 0.15};
inline const Colour speed{0.08, 0.40, 0.75};
inline const Colour adhesion{0.30, 0.30, 0.55};

inline MarkStyle station_stop(double size = 10) {
  return {Shape::circle, size, station, {1, 1, 1}, 1.5, false};
}
inline MarkStyle station_no_stop(double size = 10) {
  return {Shape::circle, size, station, {1, 1, 1}, 1.5, true};
}
inline MarkStyle signal_mark(double size = 7) {
  return {Shape::triangle, size, signal, {1, 1, 1}, 0.8, false};
}
inline MarkStyle signboard_mark(double size = 7) {
  return {Shape::diamond, size, signboard, {1, 1, 1}, 0.8, false};
}

inline const TextStyle title{16, ink, true};
inline const TextStyle label{11, ink, false, false, true};
inline const TextStyle small{10, muted};

}  // namespace tracciato::plot::style
