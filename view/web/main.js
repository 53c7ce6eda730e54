// The page: reads the scenario, fills the header, and keeps the two views on one range
// of kilometres and one cursor.

const scenario = new Scenario(JSON.parse(document.getElementById('scenario').textContent));

function fillHeader(s) {
  const title = `${s.route || 'Route'}, train ${s.train || '?'}`;
  document.title = `${title}: tracciato view`;
  document.getElementById('title').textContent = title;
  const c = s.data.counts;
  const fact = (key, label, value) =>
    el('li', { dataset: { fact: key } }, `${label} `, el('b', { text: String(value) }));
  const facts = [
    fact('length', 'length', lengthText(s.length)),
    fact('stations', 'stations', c.stations),
    fact('signals', 'signals', c.signals),
    fact('speed_boards', 'speed-indicator boards', c.speed_boards),
    fact('signboards', 'signboards', c.signboards),
    fact('slowdowns', 'slow-downs', c.slowdowns),
    fact('tunnels', 'tunnels', c.tunnels),
  ];
  if (s.report) {
    const r = s.report;
    const outcome = fact('outcome', 'outcome', r.outcome);
    outcome.classList.add(r.outcome === 'ok' ? 'outcome-ok' : 'outcome-bad');
    facts.push(outcome, fact('faults', 'faults', r.faults.length), fact('warnings', 'warnings', r.warnings.length));
  }
  document.getElementById('facts').replaceChildren(...facts);
}

function fillLegend(section) {
  const swatch = (colour, label) =>
    el('li', {}, el('span', { class: 'swatch', style: `background: ${colour}` }), label);
  section.replaceChildren(
    el('h2', { text: 'Legend' }),
    el(
      'ul',
      {},
      swatch(colours.track, 'the line'),
      swatch(colours.beyond, "beyond the route's end"),
      swatch(colours.elevation, 'elevation'),
      swatch(colours.speed, 'speed limit'),
      swatch(colours.slowdownLine, 'slow-down'),
      swatch(colours.tunnel, 'tunnel'),
      swatch(colours.station, 'station'),
      swatch(colours.signal, 'signal'),
      swatch(colours.board, 'speed-indicator boards'),
      swatch(colours.signboard, 'signboard'),
      swatch(colours.adhesion, 'adhesion'),
      swatch(colours.fault, 'fault of the report'),
      swatch(colours.warning, 'warning of the report'),
      swatch(colours.cursor, 'cursor'),
    ),
  );
}

const page = {
  state: { from: 0, to: Math.max(scenario.length, 100), cursor: null, beyond: scenario.hasBeyond },
  views: [],
  frame: 0,
  drawn: false,
  firstDrawMs: null,

  extent() {
    return [0, Math.max(scenario.length, 100)];
  },

  // The range of metres both views show; `source` is the view that chose it, which
  // keeps its own picture. Never narrower than 100 m nor wider than the route.
  setRange(from, to, source, whole = false) {
    const [lo, hi] = this.extent();
    let span = clamp(to - from, Math.min(100, hi - lo), hi - lo);
    let a = (from + to) / 2 - span / 2;
    a = clamp(a, lo, hi - span);
    this.state.from = a;
    this.state.to = a + span;
    for (const v of this.views) if (v !== source) v.follow(whole);
    this.redraw();
  },

  setCursor(metre) {
    this.state.cursor = metre;
    inspector.show(metre);
    this.redraw();
  },

  reset() {
    this.setRange(...this.extent(), null, true);
  },

  goTo(metre, from, to) {
    this.setRange(from, to, null);
    this.setCursor(metre);
  },

  redraw() {
    if (this.frame) return;
    this.frame = requestAnimationFrame(() => {
      this.frame = 0;
      this.drawNow();
    });
  },

  drawNow() {
    for (const v of this.views) v.draw();
    const { from, to } = this.state;
    document.getElementById('range').textContent = `km ${km(from)} to ${km(to)} (${lengthText(Math.round(to - from))})`;
    if (!this.drawn) {
      this.drawn = true;
      this.firstDrawMs = performance.now();
    }
  },
};

fillHeader(scenario);
fillLegend(document.getElementById('legend'));
const inspector = new Inspector(document.getElementById('cell'), scenario);
const profile = new ProfileView(document.getElementById('profile'), scenario, page);
page.views.push(profile);
let map = null;
if (scenario.runs && scenario.runs.length) {
  map = new MapView(document.getElementById('map'), scenario, page);
  page.views.push(map);
} else {
  document.getElementById('map').hidden = true;
  document.getElementById('no-map').hidden = false;
}
const beyondBox = document.getElementById('beyond');
document.getElementById('beyond-option').hidden = !scenario.hasBeyond;
beyondBox.addEventListener('change', () => {
  page.state.beyond = beyondBox.checked;
  if (map) map.follow(true);
  page.redraw();
});
document.getElementById('reset').addEventListener('click', () => page.reset());
new Tables(document.getElementById('tabs'), document.getElementById('table-box'), scenario, page);
listProblems(
  document.getElementById('problems'),
  document.getElementById('problem-list'),
  document.getElementById('problems-title'),
  scenario,
  page,
);
new ResizeObserver(() => page.redraw()).observe(document.getElementById('views'));
page.drawNow();

// For the page's tests and for scripts: where a metre is drawn, in the window's
// coordinates, and what the views show.
window.tracciatoView = {
  get firstDrawMs() {
    return page.firstDrawMs;
  },
  state: () => ({ ...page.state }),
  screenPoint(view, metre) {
    const v = view === 'map' ? map : profile;
    const q = v && v.screenPoint(metre);
    if (!q) return null;
    const r = v.canvas.getBoundingClientRect();
    return { x: r.left + q.x, y: r.top + q.y };
  },
  faultMarks(view) {
    const v = view === 'map' ? map : profile;
    if (!v) return [];
    const r = v.canvas.getBoundingClientRect();
    return v.faultMarks.map((f) => ({ metre: f.metre, x: r.left + f.x, y: r.top + f.y }));
  },
};
