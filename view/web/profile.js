// The profile: the elevation summed from the cells' gradients and the speed limit as
// a step line over the kilometres shown, with the slow-downs, tunnels, stations,
// signals, changes of adhesion and the report's faults.

class ProfileView {
  constructor(canvas, scenario, page) {
    this.canvas = canvas;
    this.s = scenario;
    this.page = page;
    this.box = { x0: 0, x1: 1, y0: 0, y1: 1 };
    this.faultMarks = [];
    const p = scenario.profile;
    this.topSpeed = Math.max(50, ...p.speed_kmh) * 1.15;
    attachGestures(canvas, {
      zoom: (f, x) => this.zoom(f, x),
      pan: (dx) => this.pan(dx),
      reset: () => page.reset(),
      point: (x) => page.setCursor(this.metreAt(clamp(x, this.box.x0, this.box.x1))),
    });
  }

  metreAt(x) {
    const { from, to } = this.page.state;
    return from + ((x - this.box.x0) / (this.box.x1 - this.box.x0)) * (to - from);
  }

  xOf(metre) {
    const { from, to } = this.page.state;
    return this.box.x0 + ((metre - from) / (to - from)) * (this.box.x1 - this.box.x0);
  }

  zoom(factor, x) {
    const { from, to } = this.page.state;
    const m = this.metreAt(clamp(x, this.box.x0, this.box.x1));
    const span = (to - from) * factor;
    this.page.setRange(m - (m - from) * factor, m - (m - from) * factor + span, this);
  }

  pan(dx) {
    const { from, to } = this.page.state;
    const shift = (dx / (this.box.x1 - this.box.x0)) * (to - from);
    this.page.setRange(from - shift, to - shift, this);
  }

  follow() {}

  // The elevation (metres) at each 50 m mark from cell i0 to i1, and its range.
  elevationRange(i0, i1) {
    const e = this.s.profile.elevation_mm;
    let lo = Infinity;
    let hi = -Infinity;
    for (let i = Math.max(0, i0); i <= Math.min(e.length - 1, i1); ++i) {
      lo = Math.min(lo, e[i] / 1000);
      hi = Math.max(hi, e[i] / 1000);
    }
    if (!Number.isFinite(lo)) return [0, 10];
    const pad = Math.max((hi - lo) * 0.12, 5);
    return [lo - pad, hi + pad];
  }

  draw() {
    const { g, w, h } = fitCanvas(this.canvas);
    const b = (this.box = { x0: 62, x1: w - 62, y0: 38, y1: h - 64 });
    if (b.x1 - b.x0 < 20 || b.y1 - b.y0 < 20) return;
    const { from, to, cursor } = this.page.state;
    const s = this.s;
    const p = s.profile;
    const i0 = Math.floor(from / 50);
    const i1 = Math.ceil(to / 50);
    const [low, high] = this.elevationRange(i0, i1);
    const yE = (m) => b.y1 - ((m - low) / (high - low)) * (b.y1 - b.y0);
    const yV = (v) => b.y1 - (v / this.topSpeed) * (b.y1 - b.y0);
    const x = (m) => this.xOf(m);
    const visible = (a, z) => z >= from && a <= to;

    g.save();
    g.beginPath();
    g.rect(b.x0, 0, b.x1 - b.x0, h);
    g.clip();

    // The kilometre grid.
    const step = niceStep(to - from, (b.x1 - b.x0) / 90);
    g.strokeStyle = colours.grid;
    g.lineWidth = 1;
    g.beginPath();
    for (let m = Math.ceil(from / step) * step; m <= to; m += step) {
      g.moveTo(Math.round(x(m)) + 0.5, b.y0);
      g.lineTo(Math.round(x(m)) + 0.5, b.y1);
    }
    g.stroke();

    // Slow-down bands, then the tunnels along the top of the plot.
    for (const d of s.data.slowdowns) {
      if (!visible(d.from, d.to)) continue;
      g.fillStyle = colours.slowdown;
      g.fillRect(x(d.from), b.y0, Math.max(x(d.to) - x(d.from), 1.5), b.y1 - b.y0);
    }
    for (const t of s.data.tunnels) {
      if (!visible(t.from, t.to)) continue;
      g.fillStyle = colours.tunnel;
      g.fillRect(x(t.from), b.y0, Math.max(x(t.to) - x(t.from), 1.5), 6);
    }

    // The elevation: an area under a line, one point every 50 m.
    const e = p.elevation_mm;
    const first = clamp(i0, 0, e.length - 1);
    const last = clamp(i1, 0, e.length - 1);
    g.beginPath();
    g.moveTo(x(first * 50), yE(e[first] / 1000));
    for (let i = first + 1; i <= last; ++i) g.lineTo(x(i * 50), yE(e[i] / 1000));
    g.lineTo(x(last * 50), b.y1);
    g.lineTo(x(first * 50), b.y1);
    g.closePath();
    g.fillStyle = colours.elevationFill;
    g.fill();
    g.beginPath();
    g.moveTo(x(first * 50), yE(e[first] / 1000));
    for (let i = first + 1; i <= last; ++i) g.lineTo(x(i * 50), yE(e[i] / 1000));
    g.strokeStyle = colours.elevation;
    g.lineWidth = 1.5;
    g.stroke();

    // The speed limit, a step per cell.
    const v = p.speed_kmh;
    g.beginPath();
    for (let i = clamp(i0 - 1, 0, v.length - 1); i <= clamp(i1, 0, v.length - 1); ++i) {
      const y = yV(v[i]);
      if (i === clamp(i0 - 1, 0, v.length - 1)) g.moveTo(x(i * 50), y);
      else g.lineTo(x(i * 50), y);
      g.lineTo(x((i + 1) * 50), y);
    }
    g.strokeStyle = colours.speed;
    g.lineWidth = 2;
    g.stroke();

    // The slow-downs' speeds, on their bands.
    g.font = font(11, '600');
    g.fillStyle = colours.slowdownText;
    g.textAlign = 'center';
    for (const d of s.data.slowdowns)
      if (visible(d.from, d.to)) g.fillText(`${d.speed_kmh} km/h`, (x(d.from) + x(d.to)) / 2, b.y0 + 20);

    // The stations: a line down the plot (their names go above it, below).
    for (const st of s.data.stations) {
      if (!visible(st.metre, st.metre)) continue;
      const sx = Math.round(x(st.metre)) + 0.5;
      g.strokeStyle = st.stop_cell !== null ? colours.station : colours.muted;
      g.setLineDash([3, 3]);
      g.lineWidth = 1;
      g.beginPath();
      g.moveTo(sx, b.y0);
      g.lineTo(sx, b.y1);
      g.stroke();
      g.setLineDash([]);
    }

    // The strips under the plot: signals, then the adhesion wherever it changes.
    const signalY = b.y1 + 28;
    const adhesionY = b.y1 + 48;
    g.fillStyle = colours.signal;
    for (const sg of s.data.signals) {
      if (!visible(sg.metre, sg.metre)) continue;
      const sx = x(sg.metre);
      g.beginPath();
      g.moveTo(sx, signalY - 6);
      g.lineTo(sx + 4, signalY + 4);
      g.lineTo(sx - 4, signalY + 4);
      g.closePath();
      g.fill();
    }
    g.font = font(10);
    g.textAlign = 'left';
    const a = p.adhesion;
    // The value in force where the range begins, then every change within it.
    const inForce = clamp(Math.floor(from / 50), 0, a.length - 1);
    for (let i = 0; i < a.length; ++i) {
      if (i !== inForce && ((i > 0 && a[i] === a[i - 1]) || !visible(i * 50, i * 50))) continue;
      const ax = Math.round(x(Math.max(i * 50, from))) + 0.5;
      g.strokeStyle = colours.adhesion;
      g.beginPath();
      g.moveTo(ax, adhesionY - 6);
      g.lineTo(ax, adhesionY + 6);
      g.stroke();
      g.fillStyle = colours.adhesion;
      g.fillText(`${a[i]} %`, ax + 3, adhesionY + 4);
    }

    // The report's warnings and faults at their metres, the faults on top.
    for (const w of s.warnings) {
      if (!visible(w.position, w.position)) continue;
      const wx = Math.round(x(w.position)) + 0.5;
      g.strokeStyle = colours.warning;
      g.lineWidth = 1;
      g.setLineDash([3, 3]);
      g.beginPath();
      g.moveTo(wx, b.y0);
      g.lineTo(wx, b.y1);
      g.stroke();
      g.setLineDash([]);
    }
    this.faultMarks = [];
    for (const f of s.faults) {
      if (!visible(f.position, f.position)) continue;
      const fx = Math.round(x(f.position)) + 0.5;
      g.strokeStyle = colours.fault;
      g.lineWidth = 2;
      g.beginPath();
      g.moveTo(fx, b.y0);
      g.lineTo(fx, b.y1);
      g.stroke();
      g.fillStyle = colours.fault;
      g.beginPath();
      g.moveTo(fx - 6, b.y0);
      g.lineTo(fx + 6, b.y0);
      g.lineTo(fx, b.y0 + 9);
      g.closePath();
      g.fill();
      this.faultMarks.push({ metre: f.position, x: fx, y: b.y0 + 4 });
    }

    // The cursor.
    if (cursor !== null && visible(cursor, cursor)) {
      const cx = Math.round(x(cursor)) + 0.5;
      g.strokeStyle = colours.cursor;
      g.lineWidth = 1.5;
      g.beginPath();
      g.moveTo(cx, b.y0);
      g.lineTo(cx, b.y1 + 56);
      g.stroke();
    }
    g.restore();

    // The stations' names in two rows above the plot, where they fit.
    const room = new LabelRoom();
    g.font = font(11);
    g.textAlign = 'center';
    for (const st of s.data.stations) {
      if (!visible(st.metre, st.metre)) continue;
      const tw = g.measureText(st.name).width;
      const sx = clamp(x(st.metre), tw / 2 + 2, w - tw / 2 - 2);
      for (const y of [13, 27]) {
        if (room.place(sx - tw / 2 - 3, y - 10, sx + tw / 2 + 3, y + 2)) {
          g.fillStyle = st.stop_cell !== null ? colours.station : colours.muted;
          g.fillText(st.name, sx, y);
          break;
        }
      }
    }

    // Frame and scales.
    g.strokeStyle = colours.muted;
    g.lineWidth = 1;
    g.strokeRect(b.x0 + 0.5, b.y0 + 0.5, b.x1 - b.x0 - 1, b.y1 - b.y0 - 1);
    g.fillStyle = colours.ink;
    g.font = font(11);
    g.textAlign = 'center';
    for (let m = Math.ceil(from / step) * step; m <= to; m += step)
      g.fillText(kmTick(m, step), x(m), b.y1 + 13);
    g.textAlign = 'right';
    g.fillText('km', b.x0 - 6, b.y1 + 13);
    g.fillStyle = colours.muted;
    g.font = font(10);
    g.fillText('signals', b.x0 - 6, signalY + 4);
    g.fillText('adhesion', b.x0 - 6, adhesionY + 4);

    const eStep = niceStep(high - low, 5);
    g.font = font(11);
    g.fillStyle = colours.elevation;
    g.textAlign = 'right';
    for (let m = Math.ceil(low / eStep) * eStep; m <= high; m += eStep)
      g.fillText(`${Math.round(m)} m`, b.x0 - 6, yE(m) + 4);
    g.fillStyle = colours.speed;
    g.textAlign = 'left';
    const vStep = niceStep(this.topSpeed, 5);
    for (let k = 0; k <= this.topSpeed; k += vStep) g.fillText(`${k}`, b.x1 + 6, yV(k) + 4);
    g.fillText('km/h', b.x1 + 6, b.y0 - 4);

    if (cursor !== null && visible(cursor, cursor)) {
      const label = `km ${km(cursor)}`;
      g.font = font(11, '600');
      const tw = g.measureText(label).width + 8;
      const lx = clamp(x(cursor) - tw / 2, 0, w - tw);
      g.fillStyle = colours.cursor;
      g.fillRect(lx, b.y1 + 2, tw, 15);
      g.fillStyle = '#fff';
      g.textAlign = 'left';
      g.fillText(label, lx + 4, b.y1 + 13);
    }
  }

  // Where `metre` is drawn, in the canvas's CSS pixels (the middle of the plot's height).
  screenPoint(metre) {
    const { from, to } = this.page.state;
    if (metre < from || metre > to) return null;
    return { x: this.xOf(metre), y: (this.box.y0 + this.box.y1) / 2 };
  }
}
