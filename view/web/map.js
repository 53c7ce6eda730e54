// The map: the plan seen from above, to scale, x to the right and y up, with the
// kilometres, stations, signals, boards, signboards, tunnels, slow-downs and faults.

class MapView {
  constructor(canvas, scenario, page) {
    this.canvas = canvas;
    this.s = scenario;
    this.page = page;
    this.cam = { x: 0, y: 0, scale: 1 };  // the world point at the centre, pixels per metre
    this.size = { w: 1, h: 1 };
    this.faultMarks = [];
    this.pending = 'all';  // what the camera must fit before the next drawing
    attachGestures(canvas, {
      zoom: (f, x, y) => this.zoom(f, x, y),
      pan: (dx, dy) => this.pan(dx, dy),
      reset: () => page.reset(),
      point: (x, y) => {
        const m = this.nearestMetre(x, y);
        if (m !== null) page.setCursor(m);
      },
    });
  }

  toScreen(p) {
    const { w, h } = this.size;
    return { x: w / 2 + (p.x - this.cam.x) * this.cam.scale, y: h / 2 - (p.y - this.cam.y) * this.cam.scale };
  }

  toWorld(x, y) {
    const { w, h } = this.size;
    return { x: this.cam.x + (x - w / 2) / this.cam.scale, y: this.cam.y - (y - h / 2) / this.cam.scale };
  }

  // The camera on the points of `stretches` with a margin; no closer than `least` metres across.
  fitPoints(stretches, least) {
    let x0 = Infinity;
    let y0 = Infinity;
    let x1 = -Infinity;
    let y1 = -Infinity;
    for (const st of stretches)
      for (const p of st) {
        x0 = Math.min(x0, p.x);
        x1 = Math.max(x1, p.x);
        y0 = Math.min(y0, p.y);
        y1 = Math.max(y1, p.y);
      }
    if (!Number.isFinite(x0)) return;
    const { w, h } = this.size;
    const spanX = Math.max(x1 - x0, least);
    const spanY = Math.max(y1 - y0, least);
    this.cam = {
      x: (x0 + x1) / 2,
      y: (y0 + y1) / 2,
      scale: Math.min((w - 48) / spanX, (h - 48) / spanY),
    };
  }

  fitAll() {
    const beyond = this.page.state.beyond;
    this.fitPoints(this.s.visibleRuns(beyond).map((r) => r.stretch(r.first, r.last)), 200);
  }

  // Another view or a table chose the range: show that stretch of line.
  follow(whole) {
    this.pending = whole ? 'all' : 'range';
  }

  applyPending() {
    if (this.pending === 'all') this.fitAll();
    else if (this.pending === 'range') {
      const { from, to, beyond } = this.page.state;
      this.fitPoints(this.s.stretches(from, to, beyond), 150);
    }
    this.pending = null;
  }

  limitScale() {
    const whole = { ...this.cam };
    this.fitAll();
    const least = this.cam.scale * 0.25;
    this.cam = whole;
    this.cam.scale = clamp(this.cam.scale, least, 40);
  }

  zoom(factor, x, y) {
    const before = this.toWorld(x, y);
    this.cam.scale /= factor;
    this.limitScale();
    const after = this.toWorld(x, y);
    this.cam.x += before.x - after.x;
    this.cam.y += before.y - after.y;
    this.tellRange();
  }

  pan(dx, dy) {
    this.cam.x -= dx / this.cam.scale;
    this.cam.y += dy / this.cam.scale;
    this.tellRange();
  }

  // The metres of line inside the picture, as the range both views show.
  tellRange() {
    const { w, h } = this.size;
    let lo = Infinity;
    let hi = -Infinity;
    for (const r of this.s.visibleRuns(this.page.state.beyond)) {
      for (let i = 0; i + 1 < r.metres.length; ++i) {
        const a = this.toScreen({ x: r.x[i], y: r.y[i] });
        const b = this.toScreen({ x: r.x[i + 1], y: r.y[i + 1] });
        const t = clipSegment(a, b, w, h);
        if (!t) continue;
        const m0 = r.metres[i];
        const dm = r.metres[i + 1] - m0;
        lo = Math.min(lo, m0 + t[0] * dm);
        hi = Math.max(hi, m0 + t[1] * dm);
      }
    }
    if (Number.isFinite(lo)) this.page.setRange(lo, hi, this);
    else this.page.redraw();
  }

  // The metre of the line nearest to a point of the picture.
  nearestMetre(x, y) {
    let best = Infinity;
    let metre = null;
    for (const r of this.s.visibleRuns(this.page.state.beyond)) {
      if (r.metres.length === 1) continue;
      for (let i = 0; i + 1 < r.metres.length; ++i) {
        const a = this.toScreen({ x: r.x[i], y: r.y[i] });
        const b = this.toScreen({ x: r.x[i + 1], y: r.y[i + 1] });
        const dx = b.x - a.x;
        const dy = b.y - a.y;
        const l2 = dx * dx + dy * dy;
        const t = l2 > 0 ? clamp(((x - a.x) * dx + (y - a.y) * dy) / l2, 0, 1) : 0;
        const d = (a.x + t * dx - x) ** 2 + (a.y + t * dy - y) ** 2;
        if (d < best) {
          best = d;
          metre = r.metres[i] + t * (r.metres[i + 1] - r.metres[i]);
        }
      }
    }
    return metre;
  }

  path(g, points) {
    g.beginPath();
    points.forEach((p, i) => {
      const q = this.toScreen(p);
      if (i === 0) g.moveTo(q.x, q.y);
      else g.lineTo(q.x, q.y);
    });
  }

  stroke(g, from, to, style, width, dash = []) {
    const { beyond } = this.page.state;
    g.strokeStyle = style;
    g.lineWidth = width;
    g.setLineDash(dash);
    for (const st of this.s.stretches(from, to, beyond)) {
      this.path(g, st);
      g.stroke();
    }
    g.setLineDash([]);
  }

  draw() {
    const { g, w, h } = fitCanvas(this.canvas);
    this.size = { w, h };
    if (this.pending) this.applyPending();
    const s = this.s;
    const { beyond, cursor } = this.page.state;
    const at = (m) => {
      const p = s.pointAt(m, beyond);
      return p ? this.toScreen(p) : null;
    };
    const inside = (q, pad = 40) => q && q.x > -pad && q.x < w + pad && q.y > -pad && q.y < h + pad;
    g.lineCap = 'round';
    g.lineJoin = 'round';

    for (const d of s.data.slowdowns) this.stroke(g, d.from, d.to, colours.slowdownLine, 13);
    for (const r of s.visibleRuns(beyond)) {
      g.strokeStyle = r.beyond ? colours.beyond : colours.track;
      g.lineWidth = r.beyond ? 1.8 : 2.6;
      g.setLineDash(r.beyond ? [6, 4] : []);
      this.path(g, r.stretch(r.first, r.last));
      g.stroke();
    }
    g.setLineDash([]);
    for (const t of s.data.tunnels) {
      this.stroke(g, t.from, t.to, colours.tunnel, 7);
      this.stroke(g, t.from, t.to, '#f3ede6', 2.5, [5, 4]);
    }

    const mark = (q, shape, colour, r) => {
      g.fillStyle = colour;
      g.beginPath();
      if (shape === 'square') g.rect(q.x - r, q.y - r, 2 * r, 2 * r);
      else if (shape === 'triangle') {
        g.moveTo(q.x, q.y - r - 1);
        g.lineTo(q.x + r, q.y + r);
        g.lineTo(q.x - r, q.y + r);
        g.closePath();
      } else g.arc(q.x, q.y, r, 0, 2 * Math.PI);
      g.fill();
    };
    for (const b of s.data.signboards) if (inside(at(b.metre))) mark(at(b.metre), 'square', colours.signboard, 2.5);
    for (const b of s.data.speed_boards) if (inside(at(b.metre))) mark(at(b.metre), 'triangle', colours.board, 3);
    for (const sg of s.data.signals) if (inside(at(sg.metre))) mark(at(sg.metre), 'circle', colours.signal, 3);

    // Stations, their names where they fit.
    const room = new LabelRoom();
    for (const st of s.data.stations) {
      const q = at(st.metre);
      if (!inside(q)) continue;
      g.beginPath();
      g.arc(q.x, q.y, 5, 0, 2 * Math.PI);
      g.fillStyle = st.stop_cell !== null ? '#fff' : '#eceff1';
      g.fill();
      g.lineWidth = 2;
      g.strokeStyle = st.stop_cell !== null ? colours.station : colours.muted;
      g.stroke();
      room.place(q.x - 6, q.y - 6, q.x + 6, q.y + 6);
    }
    g.font = font(12, '600');
    for (const st of s.data.stations) {
      const q = at(st.metre);
      if (!inside(q)) continue;
      const tw = g.measureText(st.name).width;
      for (const [dx, dy] of [[9, -7], [9, 15], [-9 - tw, -7], [-9 - tw, 15], [-tw / 2, -12], [-tw / 2, 22]]) {
        const lx = q.x + dx;
        const ly = q.y + dy;
        if (room.place(lx - 2, ly - 11, lx + tw + 2, ly + 3)) {
          g.fillStyle = st.stop_cell !== null ? colours.station : colours.muted;
          g.fillText(st.name, lx, ly);
          break;
        }
      }
    }
    g.font = font(11, '600');
    g.fillStyle = colours.slowdownText;
    for (const d of s.data.slowdowns) {
      const q = at((d.from + d.to) / 2);
      if (!inside(q, 0)) continue;
      const label = `${d.speed_kmh} km/h`;
      const tw = g.measureText(label).width;
      for (const [dx, dy] of [[10, 16], [-10 - tw, -10], [10, -10], [-10 - tw, 16]])
        if (room.place(q.x + dx - 1, q.y + dy - 10, q.x + dx + tw + 1, q.y + dy + 2)) {
          g.fillText(label, q.x + dx, q.y + dy);
          break;
        }
    }

    // Kilometre ticks across the line, at least 25 pixels apart; their labels where
    // they fit, the round ones first.
    const step = Math.max(100, niceStep(25 / this.cam.scale, 1));
    g.font = font(10);
    g.strokeStyle = colours.ink;
    g.lineWidth = 1;
    const ticks = [];
    for (let m = 0; m <= s.length; m += step) {
      const q = at(m);
      const a = at(Math.max(0, m - 20));
      const b = at(Math.min(s.length, m + 20));
      if (!inside(q, 0) || !a || !b) continue;
      const len = Math.hypot(b.x - a.x, b.y - a.y) || 1;
      const nx = -(b.y - a.y) / len;
      const ny = (b.x - a.x) / len;
      g.beginPath();
      g.moveTo(q.x - nx * 5, q.y - ny * 5);
      g.lineTo(q.x + nx * 5, q.y + ny * 5);
      g.stroke();
      ticks.push({ m, q, nx, ny });
    }
    g.fillStyle = colours.muted;
    const rank = (m) => (m % (10 * step) === 0 ? 0 : m % (5 * step) === 0 ? 1 : 2);
    for (let wanted = 0; wanted < 3; ++wanted)
      for (const t of ticks) {
        if (rank(t.m) !== wanted) continue;
        const label = kmTick(t.m, step);
        const tw = g.measureText(label).width;
        for (const side of [1, -1]) {
          const nx = t.nx * side;
          const ny = t.ny * side;
          // The label's box hangs off the tick's end on the side the normal points to.
          const lx = t.q.x + nx * 9 - ((1 - nx) / 2) * tw;
          const top = t.q.y + ny * 9 - ((1 - ny) / 2) * 10;
          if (room.place(lx - 1, top, lx + tw + 1, top + 10)) {
            g.fillText(label, lx, top + 9);
            break;
          }
        }
      }

    // The report's warnings, then its faults on top.
    for (const w of s.warnings) {
      const q = at(w.position);
      if (!inside(q, 0)) continue;
      g.strokeStyle = colours.warning;
      g.lineWidth = 1.5;
      g.beginPath();
      g.arc(q.x, q.y, 7, 0, 2 * Math.PI);
      g.stroke();
    }
    this.faultMarks = [];
    for (const f of s.faults) {
      const q = at(f.position);
      if (!inside(q, 0)) continue;
      g.strokeStyle = colours.fault;
      g.lineWidth = 2.5;
      g.beginPath();
      g.arc(q.x, q.y, 9, 0, 2 * Math.PI);
      g.moveTo(q.x - 5, q.y - 5);
      g.lineTo(q.x + 5, q.y + 5);
      g.moveTo(q.x + 5, q.y - 5);
      g.lineTo(q.x - 5, q.y + 5);
      g.stroke();
      this.faultMarks.push({ metre: f.position, x: q.x, y: q.y });
    }

    if (cursor !== null) {
      const q = at(cursor);
      if (inside(q, 0)) {
        g.strokeStyle = colours.cursor;
        g.lineWidth = 2.5;
        g.beginPath();
        g.arc(q.x, q.y, 7, 0, 2 * Math.PI);
        g.stroke();
      }
    }
    this.scaleBar(g, h);
  }

  scaleBar(g, h) {
    const metres = niceStep(90 / this.cam.scale, 1);
    const px = metres * this.cam.scale;
    const x0 = 14;
    const y = h - 14;
    g.fillStyle = 'rgba(255, 255, 255, 0.8)';
    g.fillRect(x0 - 6, y - 22, px + 12, 28);
    g.fillStyle = colours.ink;
    g.fillRect(x0, y - 4, px / 2, 4);
    g.strokeStyle = colours.ink;
    g.lineWidth = 1;
    g.strokeRect(x0 + 0.5, y - 4.5, px - 1, 4);
    g.font = font(10);
    g.textAlign = 'center';
    g.fillText(lengthText(metres), x0 + px / 2, y - 8);
    g.textAlign = 'left';
  }

  screenPoint(metre) {
    const p = this.s.pointAt(metre, this.page.state.beyond);
    if (!p) return null;
    const q = this.toScreen(p);
    const { w, h } = this.size;
    return q.x >= 0 && q.x <= w && q.y >= 0 && q.y <= h ? q : null;
  }
}

// The part of the segment a-b inside the rectangle 0..w, 0..h, as the fractions
// [t0, t1] of the segment (Liang-Barsky), or null.
function clipSegment(a, b, w, h) {
  let t0 = 0;
  let t1 = 1;
  const dx = b.x - a.x;
  const dy = b.y - a.y;
  for (const [p, q] of [[-dx, a.x], [dx, w - a.x], [-dy, a.y], [dy, h - a.y]]) {
    if (p === 0) {
      if (q < 0) return null;
    } else {
      const r = q / p;
      if (p < 0) t0 = Math.max(t0, r);
      else t1 = Math.min(t1, r);
      if (t0 > t1) return null;
    }
  }
  return [t0, t1];
}
