// The scenario as tracciato wrote it into the page (the element #scenario), and the
// look-ups both views share: the cell at a metre, the plan's point at a metre.

// One run of the plan's outline: metres rising, coordinates in metres.
class PlanRun {
  constructor(flat, beyond) {
    const n = flat.length / 3;
    this.beyond = beyond;
    this.metres = new Float64Array(n);
    this.x = new Float64Array(n);
    this.y = new Float64Array(n);
    for (let i = 0; i < n; ++i) {
      this.metres[i] = flat[3 * i];
      this.x[i] = flat[3 * i + 1] / 100;
      this.y[i] = flat[3 * i + 2] / 100;
    }
  }
  get first() {
    return this.metres[0];
  }
  get last() {
    return this.metres[this.metres.length - 1];
  }
  // The index i with metres[i] <= m < metres[i + 1] (clamped to the run).
  segment(m) {
    let lo = 0;
    let hi = this.metres.length - 1;
    while (hi - lo > 1) {
      const mid = (lo + hi) >> 1;
      if (this.metres[mid] <= m) lo = mid;
      else hi = mid;
    }
    return lo;
  }
  pointAt(m) {
    if (this.metres.length === 1) return { x: this.x[0], y: this.y[0] };
    const i = this.segment(m);
    const span = this.metres[i + 1] - this.metres[i];
    const t = span > 0 ? clamp((m - this.metres[i]) / span, 0, 1) : 0;
    return {
      x: this.x[i] + t * (this.x[i + 1] - this.x[i]),
      y: this.y[i] + t * (this.y[i + 1] - this.y[i]),
    };
  }
  // The points of metres from .. to, ends included.
  stretch(from, to) {
    const a = Math.max(from, this.first);
    const b = Math.min(to, this.last);
    if (!(a <= b)) return [];
    const out = [this.pointAt(a)];
    for (let i = this.segment(a) + 1; i < this.metres.length && this.metres[i] < b; ++i)
      out.push({ x: this.x[i], y: this.y[i] });
    out.push(this.pointAt(b));
    return out;
  }
}

class Scenario {
  constructor(data) {
    this.data = data;
    this.route = data.route;
    this.train = data.train;
    this.length = data.length;
    this.cells = data.cells.records;
    this.fields = data.cells.fields;
    this.profile = data.profile;
    this.report = data.report;
    this.runs = data.plan
      ? [
          ...data.plan.route.map((r) => new PlanRun(r, false)),
          ...data.plan.beyond.map((r) => new PlanRun(r, true)),
        ]
      : null;
    this.hasBeyond = !!this.runs && this.runs.some((r) => r.beyond);
    this.faults = (data.report ? data.report.faults : []).filter((f) => f.position !== null);
    this.warnings = (data.report ? data.report.warnings : []).filter((w) => w.position != null);
  }

  // The cell whose metres hold `metre`, found from the metres each cell carries.
  cellAt(metre) {
    const m = Math.floor(metre);
    let lo = 0;
    let hi = this.cells.length - 1;
    if (hi < 0 || m < this.cells[0].metres[0] || m > this.cells[hi].metres[1]) return null;
    while (lo < hi) {
      const mid = (lo + hi + 1) >> 1;
      if (this.cells[mid].metres[0] <= m) lo = mid;
      else hi = mid - 1;
    }
    return { index: lo, record: this.cells[lo] };
  }

  visibleRuns(beyond) {
    return this.runs ? this.runs.filter((r) => beyond || !r.beyond) : [];
  }

  // The plan's point at `metre`, on the runs shown (the route's come first).
  pointAt(metre, beyond) {
    for (const r of this.visibleRuns(beyond))
      if (metre >= r.first && metre <= r.last) return r.pointAt(metre);
    return null;
  }

  stretches(from, to, beyond) {
    return this.visibleRuns(beyond)
      .map((r) => r.stretch(from, to))
      .filter((s) => s.length > 1);
  }
}
