// Numbers as the page writes them, the colours of its drawings and small helpers.
// The page's scripts are joined into one module in the order view/CMakeLists.txt
// lists them; each file uses what the files before it declare.

const colours = {
  ink: '#1d2733',
  muted: '#66707c',
  grid: '#e4e8ec',
  track: '#1f5fa8',
  beyond: '#9aa5b1',
  elevation: '#7a8b5a',
  elevationFill: 'rgba(122, 139, 90, 0.18)',
  speed: '#1f5fa8',
  slowdown: 'rgba(232, 137, 43, 0.22)',
  slowdownLine: 'rgba(232, 137, 43, 0.55)',
  slowdownText: '#a5520a',
  tunnel: '#5b4636',
  station: '#1d2733',
  signal: '#2e7d32',
  signboard: '#7b3fa0',
  board: '#00838f',
  adhesion: '#8d6e63',
  fault: '#c62828',
  warning: '#b26a00',
  cursor: '#d81b60',
};

const font = (px, weight = '') =>
  `${weight} ${px}px system-ui, -apple-system, "Segoe UI", "DejaVu Sans", sans-serif`.trim();

// A position in kilometres with its metres: 38950 -> "38.950".
function km(metre) {
  const m = Math.round(metre);
  const sign = m < 0 ? '-' : '';
  const a = Math.abs(m);
  return `${sign}${Math.floor(a / 1000)}.${String(a % 1000).padStart(3, '0')}`;
}

// An axis label for a tick `step` metres from the next: whole kilometres when the
// step allows, else as many decimals as it needs.
function kmTick(metre, step) {
  const decimals = step >= 1000 ? 0 : step >= 100 ? 1 : step >= 10 ? 2 : 3;
  return (metre / 1000).toFixed(decimals);
}

function lengthText(metres) {
  return metres >= 1000 ? `${(metres / 1000).toFixed(metres % 1000 ? 3 : 0)} km` : `${metres} m`;
}

// 1, 2 or 5 times a power of ten: the step of about `count` ticks over `span`.
function niceStep(span, count) {
  const raw = span / Math.max(count, 1);
  const power = 10 ** Math.floor(Math.log10(raw));
  for (const f of [1, 2, 5, 10]) if (f * power >= raw) return f * power;
  return 10 * power;
}

function clamp(v, lo, hi) {
  return Math.min(Math.max(v, lo), hi);
}

// An element with attributes and children; strings become text, never markup.
function el(tag, attrs = {}, ...children) {
  const e = document.createElement(tag);
  for (const [k, v] of Object.entries(attrs)) {
    if (v === undefined || v === null || v === false) continue;
    if (k === 'class') e.className = v;
    else if (k === 'text') e.textContent = v;
    else if (k.startsWith('on')) e.addEventListener(k.slice(2), v);
    else if (k === 'dataset') Object.assign(e.dataset, v);
    else e.setAttribute(k, v === true ? '' : String(v));
  }
  for (const c of children.flat()) {
    if (c === null || c === undefined || c === false) continue;
    e.append(typeof c === 'string' || typeof c === 'number' ? String(c) : c);
  }
  return e;
}

// A canvas sized to its box in device pixels; returns its context scaled to CSS pixels.
function fitCanvas(canvas) {
  const ratio = window.devicePixelRatio || 1;
  const w = Math.max(1, Math.round(canvas.clientWidth));
  const h = Math.max(1, Math.round(canvas.clientHeight));
  if (canvas.width !== Math.round(w * ratio) || canvas.height !== Math.round(h * ratio)) {
    canvas.width = Math.round(w * ratio);
    canvas.height = Math.round(h * ratio);
  }
  const g = canvas.getContext('2d');
  g.setTransform(ratio, 0, 0, ratio, 0, 0);
  g.clearRect(0, 0, w, h);
  return { g, w, h };
}

// Labels that must not overlap: place() says whether a box is still free, and takes it.
class LabelRoom {
  constructor() {
    this.boxes = [];
  }
  place(x0, y0, x1, y1) {
    for (const b of this.boxes) if (x0 < b[2] && b[0] < x1 && y0 < b[3] && b[1] < y1) return false;
    this.boxes.push([x0, y0, x1, y1]);
    return true;
  }
}

// Wheel, drag, double-click and pointing on a canvas, in the canvas's CSS pixels.
function attachGestures(canvas, on) {
  let drag = null;
  const local = (e) => {
    const r = canvas.getBoundingClientRect();
    return [e.clientX - r.left, e.clientY - r.top];
  };
  canvas.addEventListener(
    'wheel',
    (e) => {
      e.preventDefault();
      const unit = e.deltaMode === 1 ? 16 : e.deltaMode === 2 ? 400 : 1;
      const [x, y] = local(e);
      on.zoom(Math.exp(clamp(e.deltaY * unit, -400, 400) * 0.0015), x, y);
    },
    { passive: false },
  );
  canvas.addEventListener('pointerdown', (e) => {
    if (e.button !== 0) return;
    drag = { x: e.clientX, y: e.clientY, moved: false };
    canvas.setPointerCapture(e.pointerId);
  });
  canvas.addEventListener('pointermove', (e) => {
    if (drag) {
      const dx = e.clientX - drag.x;
      const dy = e.clientY - drag.y;
      if (drag.moved || Math.abs(dx) + Math.abs(dy) > 2) {
        drag.moved = true;
        canvas.classList.add('dragging');
        drag.x = e.clientX;
        drag.y = e.clientY;
        on.pan(dx, dy);
      }
      return;
    }
    on.point(...local(e));
  });
  const end = (e) => {
    if (!drag) return;
    const wasClick = !drag.moved;
    drag = null;
    canvas.classList.remove('dragging');
    if (canvas.hasPointerCapture(e.pointerId)) canvas.releasePointerCapture(e.pointerId);
    if (wasClick) on.point(...local(e));
  };
  canvas.addEventListener('pointerup', end);
  canvas.addEventListener('pointercancel', end);
  canvas.addEventListener('dblclick', (e) => {
    e.preventDefault();
    on.reset();
  });
}
