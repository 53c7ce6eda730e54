// The tables under the views and the list of the report's faults and warnings; a
// click on a row brings both views to it.

// The meanings of a cell's four values, as the inspector shows them.
function valuesOf(scenario, cell) {
  const c = scenario.cells[cell];
  if (!c) return '';
  return ['valore1', 'valore2', 'valore3', 'valore4']
    .filter((f) => c.meaning[f])
    .map((f) => c.meaning[f])
    .join('; ');
}

// Rows that a click brings the views to take the Enter key alike.
function pressOnEnter(e) {
  if (e.key === 'Enter' || e.key === ' ') {
    e.preventDefault();
    e.currentTarget.click();
  }
}

function tableKinds(s) {
  const d = s.data;
  const num = (v) => ({ text: v === null || v === undefined ? '' : String(v), number: true });
  return [
    {
      key: 'stations',
      title: 'Stations',
      columns: ['entry', 'name', 'km', 'kind', 'area, km', 'stop cell', 'time'],
      rows: d.stations.map((st) => ({
        at: st.metre,
        span: [st.metre - 1500, st.metre + 1500],
        cells: [
          num(st.entry),
          { text: st.name },
          num(km(st.metre)),
          num(st.kind),
          { text: `${km(st.area[0])} .. ${km(st.area[1])}` },
          st.stop_cell !== null ? num(st.stop_cell) : { text: 'none' },
          { text: st.time || '' },
        ],
      })),
    },
    {
      key: 'signals',
      title: 'Signals',
      columns: ['km', 'cell', 'values', 'tempo'],
      rows: d.signals.map((sg) => ({
        at: sg.metre,
        span: [sg.metre - 1000, sg.metre + 1000],
        cells: [num(km(sg.metre)), num(sg.cell), { text: valuesOf(s, sg.cell) }, num(s.cells[sg.cell].fields[5])],
      })),
    },
    {
      key: 'slowdowns',
      title: 'Slow-downs',
      columns: ['from km', 'to km', 'length', 'speed', 'start cell', 'end board'],
      rows: d.slowdowns.map((sd) => ({
        at: sd.from,
        span: [sd.from - 600, sd.to + 600],
        cells: [
          num(km(sd.from)),
          num(km(sd.to)),
          num(`${sd.to - sd.from} m`),
          num(`${sd.speed_kmh} km/h`),
          num(sd.cell),
          { text: sd.has_end ? 'yes' : "none: to the route's end" },
        ],
      })),
    },
    {
      key: 'speed_boards',
      title: 'Speed-indicator boards',
      columns: ['km', 'cell', 'speeds and stripes'],
      rows: d.speed_boards.map((b) => ({
        at: b.metre,
        span: [b.metre - 1000, b.metre + 1000],
        cells: [num(km(b.metre)), num(b.cell), { text: valuesOf(s, b.cell) }],
      })),
    },
    {
      key: 'signboards',
      title: 'Signboards',
      columns: ['km', 'cell', 'entry', 'text'],
      rows: d.signboards.map((b) => ({
        at: b.metre,
        span: [b.metre - 1000, b.metre + 1000],
        cells: [num(km(b.metre)), num(b.cell), num(b.entry), { text: b.text }],
      })),
    },
    {
      key: 'tunnels',
      title: 'Tunnels',
      columns: ['from km', 'to km', 'length', 'montagna'],
      rows: d.tunnels.map((t) => ({
        at: t.from,
        span: [t.from - 600, t.to + 600],
        cells: [num(km(t.from)), num(km(t.to)), num(`${t.to - t.from} m`), num(t.montagna)],
      })),
    },
  ];
}

class Tables {
  constructor(tabs, box, scenario, page) {
    this.tabs = tabs;
    this.box = box;
    this.page = page;
    this.kinds = tableKinds(scenario);
    for (const k of this.kinds)
      tabs.append(
        el('button', {
          type: 'button',
          role: 'tab',
          dataset: { table: k.key },
          text: `${k.title} (${k.rows.length})`,
          onclick: () => this.open(k.key),
        }),
      );
    this.open(this.kinds[0].key);
  }

  open(key) {
    const kind = this.kinds.find((k) => k.key === key);
    for (const b of this.tabs.children) b.setAttribute('aria-selected', String(b.dataset.table === key));
    if (kind.rows.length === 0) {
      this.box.replaceChildren(el('p', { class: 'empty', text: `No ${kind.title.toLowerCase()}.` }));
      return;
    }
    const body = el(
      'tbody',
      {},
      kind.rows.map((r, i) =>
        el(
          'tr',
          {
            dataset: { row: i, metre: r.at },
            tabindex: 0,
            onkeydown: pressOnEnter,
            onclick: (e) => {
              for (const tr of body.children) tr.classList.remove('chosen');
              e.currentTarget.classList.add('chosen');
              this.page.goTo(r.at, r.span[0], r.span[1]);
            },
          },
          r.cells.map((c) => el('td', { class: c.number ? 'number' : '', text: c.text })),
        ),
      ),
    );
    this.box.replaceChildren(
      el('table', { dataset: { table: key } }, el('thead', {}, el('tr', {}, kind.columns.map((c) => el('th', { text: c })))), body),
    );
  }
}

// The faults and warnings of the report, in its order; the ones with a position go there.
function listProblems(section, list, title, scenario, page) {
  const r = scenario.report;
  if (!r) return;
  section.hidden = false;
  title.textContent = `Faults (${r.faults.length}) and warnings (${r.warnings.length})`;
  const where = (p) => (p.file ? `${p.file}${p.line ? `:${p.line}` : ''}: ` : '');
  const items = [
    ...r.faults.map((f) => ({ kind: 'fault', p: f, label: f.code != null ? `error ${f.code}` : 'error', at: f.position })),
    ...r.warnings.map((w) => ({ kind: 'warning', p: w, label: 'warning', at: w.position ?? null })),
  ];
  if (items.length === 0) list.replaceChildren(el('li', { class: 'unplaced', text: 'none' }));
  for (const it of items)
    list.append(
      el(
        'li',
        {
          class: `${it.kind}${it.at === null ? ' unplaced' : ''}`,
          dataset: it.at === null ? {} : { metre: it.at },
          tabindex: it.at === null ? undefined : 0,
          onkeydown: it.at === null ? undefined : pressOnEnter,
          onclick: it.at === null ? undefined : () => page.goTo(it.at, it.at - 1000, it.at + 1000),
          title: it.at === null ? 'no position in the report' : `at km ${km(it.at)}`,
        },
        el('span', { class: 'where', text: where(it.p) }),
        el('span', { class: 'kind', text: it.label }),
        `: ${it.p.message}`,
        it.at !== null ? el('span', { class: 'hint', text: ` (km ${km(it.at)})` }) : null,
      ),
    );
}
