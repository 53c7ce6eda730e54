// The cell under the pointer: its index and metres, and every field with its number
// and its meaning, as `tracciato dump` decodes the cell file.

class Inspector {
  constructor(box, scenario) {
    this.box = box;
    this.s = scenario;
    this.shown = null;
  }

  show(metre) {
    const found = this.s.cellAt(metre);
    if (!found) {
      this.shown = null;
      this.box.replaceChildren(el('p', { class: 'hint', text: `km ${km(metre)}: no cell of the file covers it.` }));
      return;
    }
    if (this.shown === found.index) {
      this.box.querySelector('.pointer').textContent = `pointer at km ${km(metre)}`;
      return;
    }
    this.shown = found.index;
    const c = found.record;
    const rows = this.s.fields.map((name, k) => {
      const meaning = name === 'evento' ? c.event : c.meaning[name] || '';
      return el(
        'tr',
        { dataset: { field: name } },
        el('th', { scope: 'row', text: name }),
        el('td', { class: 'value', text: String(c.fields[k]) }),
        el('td', { class: 'meaning', text: meaning }),
      );
    });
    const pointsAt = c.points_at
      ? el(
          'p',
          { class: 'points-at' },
          `valore1 points at entry ${c.points_at.entry}`,
          c.points_at.role ? ` (${c.points_at.role})` : ' (outside the entry file)',
          c.points_at.name ? ': ' : '',
          c.points_at.name ? el('b', { text: c.points_at.name }) : null,
        )
      : null;
    this.box.replaceChildren(
      el(
        'div',
        { class: 'head', dataset: { cell: found.index } },
        `Cell ${found.index}, metres ${c.metres[0]} .. ${c.metres[1]}`,
      ),
      el('div', { class: 'hint pointer', text: `pointer at km ${km(metre)}` }),
      el('table', {}, el('tbody', {}, rows)),
      ...(pointsAt ? [pointsAt] : []),
    );
  }
}
