// The page of `tracciato view` in a real browser: Debian's chromium, headless, driven
// by playwright-core. It stages the shipped scenario (the embedded run) and a faulty one
// (the shipped texts with a signal on a busy cell and a misspelled keyword), writes their
// pages with the tracciato executable and checks them against what `tracciato dump`
// decodes from the same files.
//
//   node view/test/page_test.mjs --exe build/release/tracciato --out DIR [--screenshot FILE]
//
// DIR receives the staged scenarios, their pages and the screenshots embedded.png and
// faulty.png; --screenshot also saves the picture of the README there.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { parseArgs } from 'node:util';

const { values: args } = parseArgs({
  options: { exe: { type: 'string' }, out: { type: 'string' }, screenshot: { type: 'string' } },
});
if (!args.exe || !args.out) {
  console.error('usage: node page_test.mjs --exe TRACCIATO --out DIR [--screenshot FILE]');
  process.exit(64);
}
const exe = path.resolve(args.exe);
const out = path.resolve(args.out);
const chromiumPath = process.env.TRACCIATO_CHROMIUM || '/usr/bin/chromium';

let chromium;
try {
  ({ chromium } = await import('playwright-core'));
} catch {
  console.error(
    `page_test: playwright-core is not installed: run "npm ci" in ${path.dirname(new URL(import.meta.url).pathname)} ` +
      '(tools/setup.sh test does)',
  );
  process.exit(1);
}
if (!fs.existsSync(chromiumPath)) {
  console.error(`page_test: no browser at ${chromiumPath}: install Debian's chromium (tools/setup.sh test does)`);
  process.exit(1);
}

// --- the scenarios ------------------------------------------------------------------

function run(argv, options = {}) {
  const r = spawnSync(options.exe || exe, argv, { cwd: options.cwd || out, encoding: 'utf8' });
  if (r.error) throw r.error;
  return r;
}

function runOk(argv, options) {
  const r = run(argv, options);
  assert.equal(r.status, options?.status ?? 0, `${argv.join(' ')}: ${r.stderr}`);
  return r;
}

function dumpJson(file) {
  return JSON.parse(runOk(['dump', file, '--format', 'json']).stdout);
}

// The fields of one cell as dump's text shows them: name -> [value, meaning].
function dumpCellLine(file, index) {
  const line = runOk(['dump', file]).stdout.split('\n').find((l) => l.startsWith(`cell ${index}  `));
  const fields = new Map();
  for (const part of line.split('  ').slice(2)) {
    const m = /^(\w+) (-?\d+)(?: \((.*)\))?$/.exec(part);
    fields.set(m[1], [m[2], m[3] ?? '']);
  }
  return { line, fields };
}

// What dump decodes of a scenario's entry and cell files.
function decoded(dir, route, train) {
  const cells = dumpJson(path.join(dir, `${route}_${train}.dat`)).cells;
  const entries = dumpJson(path.join(dir, `${route}_${train}.sim`)).entries;
  const count = (event) => cells.filter((c) => c.event === event).length;
  let tunnels = 0;
  cells.forEach((c, i) => {
    if (c.montagna !== 0 && (i === 0 || cells[i - 1].montagna === 0)) ++tunnels;
  });
  return {
    cells,
    entries,
    counts: {
      stations: entries.filter((e) => /^station \d+$/.test(e.role)).length,
      signals: count('signal'),
      speed_boards: count('speed-indicator boards'),
      signboards: count('signboard'),
      slowdowns: count('slow-down start'),
      tunnels,
    },
  };
}

const embedded = { dir: path.join(out, 'embedded'), route: 'ROVELDA-MARNE', train: 'K 517' };
const faulty = { dir: path.join(out, 'faulty'), route: 'F', train: 'T' };
const bare = { dir: path.join(out, 'no-plan'), route: 'F', train: 'T' };

function stage() {
  fs.rmSync(out, { recursive: true, force: true });
  for (const s of [embedded, faulty, bare]) fs.mkdirSync(s.dir, { recursive: true });

  // The shipped scenario: the embedded run, in a folder with a copy of the executable.
  const copy = path.join(embedded.dir, path.basename(exe));
  fs.copyFileSync(exe, copy);
  fs.chmodSync(copy, 0o755);
  runOk([], { exe: copy, cwd: embedded.dir });
  fs.rmSync(copy);
  embedded.page = path.join(embedded.dir, `${embedded.route}_${embedded.train}.html`);
  runOk(['view', embedded.dir, '--route', embedded.route, '--train', embedded.train]);

  // The faulty one: a signal on the start board of a slow-down (error 16 at 56900 m)
  // and a misspelled keyword in the route text (a warning).
  runOk(['sources', faulty.dir]);
  const route = fs.readFileSync(path.join(faulty.dir, 'ROVELDA-MARNE_linea.txt'), 'latin1');
  const train = fs.readFileSync(path.join(faulty.dir, 'ROVELDA-MARNE_K 517-.txt'), 'latin1');
  const lastSignal = 'segnale,   97350,   2, 4, 0,  0, 0,    0,  0,0,0, 0\r\n';
  assert.ok(train.includes(lastSignal) && route.includes('pendenza,  1550,   -6\r\n'));
  fs.writeFileSync(path.join(faulty.dir, 'F_linea.txt'),
                   route.replace('pendenza,  1550,   -6\r\n', 'pendenza,  1550,   -6\r\npendnza,  1700,   3\r\n'), 'latin1');
  fs.writeFileSync(path.join(faulty.dir, 'F_T-.txt'),
                   train.replace(lastSignal, `${lastSignal}segnale,   56900,   1, 4, 0,  0, 0,    0,  0,0,0, 0\r\n`),
                   'latin1');
  faulty.report = path.join(faulty.dir, 'report.json');
  runOk(['compile', 'F_linea.txt', 'F_T-.txt', '--report', 'report.json'], { cwd: faulty.dir, status: 1 });
  faulty.page = path.join(faulty.dir, 'faulty.html');
  runOk(['view', faulty.dir, '--route', 'F', '--train', 'T', '--report', faulty.report, '-o', faulty.page]);

  // A compile without a plan: a page without a map.
  for (const f of ['F_linea.txt', 'F_T-.txt']) fs.copyFileSync(path.join(faulty.dir, f), path.join(bare.dir, f));
  runOk(['compile', 'F_linea.txt', 'F_T-.txt', '--no-plan'], { cwd: bare.dir, status: 1 });
  bare.page = path.join(bare.dir, 'F_T.html');
  const r = runOk(['view', bare.dir, '--route', 'F', '--train', 'T']);
  assert.match(r.stderr, /no plan file .*: the page has no map/);
}

// --- the browser ----------------------------------------------------------------------

let browser;

before(async () => {
  stage();
  browser = await chromium.launch({
    executablePath: chromiumPath,
    headless: true,
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
    ],
  });
});

after(async () => {
  if (browser) await browser.close();
});

// Opens a page, keeping what the console said and every request the page made.
async function open(file) {
  const context = await browser.newContext({ viewport: { width: 1400, height: 1100 }, deviceScaleFactor: 1 });
  const page = await context.newPage();
  const seen = { errors: [], requests: [] };
  page.on('console', (m) => {
    if (m.type() === 'error' || m.type() === 'warning') seen.errors.push(`${m.type()}: ${m.text()}`);
  });
  page.on('pageerror', (e) => seen.errors.push(`uncaught: ${e.message}`));
  page.on('request', (r) => seen.requests.push(r.url()));
  const url = pathToFileURL(file).href;
  await page.goto(url);
  await page.waitForFunction(() => window.tracciatoView && window.tracciatoView.firstDrawMs !== null);
  const timing = await page.evaluate(() => ({
    firstDraw: window.tracciatoView.firstDrawMs,
    paint: performance.getEntriesByName('first-contentful-paint')[0]?.startTime ?? null,
  }));
  return { page, context, seen, url, timing };
}

function assertQuiet({ seen, url }) {
  assert.deepEqual(seen.errors, [], 'the console stays quiet');
  assert.deepEqual(seen.requests.filter((r) => r !== url), [], 'no request but the page itself');
}

const headerFacts = (page) =>
  page.$$eval('#facts li', (lis) => Object.fromEntries(lis.map((li) => [li.dataset.fact, li.querySelector('b').textContent])));

// The inspector's cell: its heading and each field's number and meaning.
const inspected = (page) =>
  page.$eval('#cell', (box) => ({
    cell: box.querySelector('[data-cell]')?.dataset.cell,
    head: box.querySelector('[data-cell]')?.textContent,
    pointsAt: box.querySelector('.points-at')?.textContent ?? null,
    fields: Object.fromEntries(
      [...box.querySelectorAll('tr[data-field]')].map((tr) => [
        tr.dataset.field,
        [tr.querySelector('.value').textContent, tr.querySelector('.meaning').textContent],
      ]),
    ),
  }));

const state = (page) => page.evaluate(() => window.tracciatoView.state());
const screenPoint = (page, view, metre) => page.evaluate(([v, m]) => window.tracciatoView.screenPoint(v, m), [view, metre]);
const canvasBox = (page, id) => page.$eval(`#${id}`, (c) => { const r = c.getBoundingClientRect(); return { x: r.left, y: r.top, w: r.width, h: r.height }; });

// Whether a pixel of the fault's colour lies within `r` pixels of (x, y) on a canvas.
const faultColourNear = (page, id, x, y, r = 12) =>
  page.evaluate(([id, x, y, r]) => {
    const c = document.getElementById(id);
    const b = c.getBoundingClientRect();
    const ratio = c.width / b.width;
    const px = c.getContext('2d').getImageData(Math.round((x - b.left - r) * ratio), Math.round((y - b.top - r) * ratio),
                                               Math.round(2 * r * ratio), Math.round(2 * r * ratio)).data;
    for (let i = 0; i < px.length; i += 4)
      if (Math.abs(px[i] - 198) < 30 && Math.abs(px[i + 1] - 40) < 30 && Math.abs(px[i + 2] - 40) < 30) return true;
    return false;
  }, [id, x, y, r]);

// The canvas in the window, scrolled there if the page had moved it away.
const reveal = (page, id) => page.locator(`#${id}`).scrollIntoViewIfNeeded();

async function pointAt(page, view, metre) {
  await reveal(page, view);
  const q = await screenPoint(page, view, metre);
  assert.ok(q, `metre ${metre} is drawn on the ${view}`);
  await page.mouse.move(q.x, q.y);
  await page.evaluate(() => new Promise((done) => requestAnimationFrame(done)));
}

// --- the checks ---------------------------------------------------------------------------

test('the page of the shipped scenario', async (t) => {
  const d = decoded(embedded.dir, embedded.route, embedded.train);
  const cellFile = path.join(embedded.dir, `${embedded.route}_${embedded.train}.dat`);
  const p = await open(embedded.page);
  const { page } = p;
  console.log(`# ${path.basename(embedded.page)}: ${fs.statSync(embedded.page).size} bytes, ` +
              `first drawing ${p.timing.firstDraw.toFixed(0)} ms, first paint ${p.timing.paint?.toFixed(0)} ms after navigation`);

  await t.test('it is small and draws at once', () => {
    assert.ok(fs.statSync(embedded.page).size < 2e6);
    assert.ok(p.timing.firstDraw < 3000, `first drawing after ${p.timing.firstDraw} ms`);
  });

  await t.test('the header counts are what dump decodes', async () => {
    const facts = await headerFacts(page);
    for (const [key, n] of Object.entries(d.counts)) assert.equal(facts[key], String(n), key);
    assert.equal(facts.stations, '27');
    assert.equal(facts.signals, '41');
    assert.equal(facts.length, '100 km');
    assert.equal(await page.title(), 'ROVELDA-MARNE, train K 517: tracciato view');
  });

  await t.test("pointing at the first slow-down's start board shows its cell as dump decodes it", async () => {
    const index = d.cells.findIndex((c) => c.event === 'slow-down start');
    const [first, last] = d.cells[index].metres;
    const { fields } = dumpCellLine(cellFile, index);
    await page.click('#tabs [data-table="slowdowns"]');
    await page.click('#table-box tbody tr[data-row="0"]');
    for (const view of ['profile', 'map']) {
      await page.mouse.move(5, 5);
      await pointAt(page, view, (first + last + 1) / 2);
      const cell = await inspected(page);
      assert.equal(cell.cell, String(index), view);
      assert.match(cell.head, new RegExp(`metres ${first} \\.\\. ${last}`));
      assert.deepEqual(new Map(Object.entries(cell.fields)), fields, view);
      assert.equal(cell.fields.evento[1], 'slow-down start');
      assert.equal(cell.fields.valore1[1], 'v 75 km/h');
    }
  });

  await t.test('a station cell names its station', async () => {
    const stop = d.cells.findIndex((c) => c.event === 'station' && c.valore1 === 1);
    await page.click('#tabs [data-table="stations"]');
    await page.click('#table-box tbody tr[data-row="0"]');
    await pointAt(page, 'profile', d.cells[stop].metres[0] + 25);
    const cell = await inspected(page);
    assert.equal(cell.cell, String(stop));
    assert.match(cell.pointsAt, /entry 1 \(station 1\): ROVELDA$/);
  });

  await t.test('clicking a station row moves both views to its kilometre', async () => {
    await page.click('#tabs [data-table="stations"]');
    const row = 4;
    const entry = row + 1;
    const stop = d.cells.find((c) => c.event === 'station' && c.valore1 === entry);
    const metre = stop ? stop.metres[0] : d.entries[entry].posizione;
    assert.equal(await page.$eval(`#table-box tr[data-row="${row}"] td:nth-child(2)`, (td) => td.textContent),
                 d.entries[entry].nome);
    await page.click(`#table-box tr[data-row="${row}"]`);
    await page.evaluate(() => new Promise((done) => requestAnimationFrame(done)));
    const s = await state(page);
    assert.equal(s.cursor, metre);
    assert.ok(Math.abs((s.from + s.to) / 2 - metre) < 1 && s.to - s.from <= 3000, JSON.stringify(s));
    await reveal(page, 'profile');
    const prof = await canvasBox(page, 'profile');
    const q = await screenPoint(page, 'profile', metre);
    assert.ok(Math.abs(q.x - (prof.x + prof.w / 2)) < 2, 'the station stands in the middle of the profile');
    await reveal(page, 'map');
    const map = await canvasBox(page, 'map');
    const m = await screenPoint(page, 'map', metre);
    assert.ok(m && Math.abs(m.x - (map.x + map.w / 2)) < map.w / 4 && Math.abs(m.y - (map.y + map.h / 2)) < map.h / 4,
              'the station stands near the middle of the map');
    assert.equal((await inspected(page)).cell, String(Math.floor(metre / 50) + 1));
  });

  await t.test('wheel and drag move both views, a double-click shows the whole route', async () => {
    await reveal(page, 'map');
    const map = await canvasBox(page, 'map');
    await page.dblclick('#map');
    let s = await state(page);
    assert.deepEqual([s.from, s.to], [0, 100000]);
    await page.mouse.move(map.x + map.w / 2, map.y + map.h / 2);
    for (let k = 0; k < 3; ++k) await page.mouse.wheel(0, -300);
    await page.evaluate(() => new Promise((done) => requestAnimationFrame(done)));
    s = await state(page);
    assert.ok(s.to - s.from < 60000, `the map zoomed in: ${JSON.stringify(s)}`);
    await reveal(page, 'profile');
    const prof = await canvasBox(page, 'profile');
    const before = s;
    await page.mouse.move(prof.x + prof.w / 2, prof.y + 100);
    await page.mouse.down();
    await page.mouse.move(prof.x + prof.w / 2 - 200, prof.y + 100, { steps: 5 });
    await page.mouse.up();
    s = await state(page);
    assert.ok(s.from > before.from && Math.abs(s.to - s.from - (before.to - before.from)) < 1, JSON.stringify([before, s]));
    const middle = (s.from + s.to) / 2;
    assert.ok(await screenPoint(page, 'map', middle), 'the map shows the stretch the profile shows');
    await page.dblclick('#profile');
    s = await state(page);
    assert.deepEqual([s.from, s.to], [0, 100000]);
  });

  await t.test('the stretch beyond the route end can be hidden', async () => {
    assert.ok(await screenPoint(page, 'map', 104000));
    await page.uncheck('#beyond');
    await page.evaluate(() => new Promise((done) => requestAnimationFrame(done)));
    assert.equal(await screenPoint(page, 'map', 104000), null);
    await page.check('#beyond');
  });

  await page.screenshot({ path: path.join(out, 'embedded.png'), fullPage: true });
  if (args.screenshot) {
    // The README's picture: around the first slow-down, its start board's cell shown.
    await page.click('#tabs [data-table="slowdowns"]');
    await page.click('#table-box tbody tr[data-row="0"]');
    await page.evaluate(() => new Promise((done) => requestAnimationFrame(done)));
    const prof = await canvasBox(page, 'profile');
    await page.mouse.move(prof.x + prof.w / 2, prof.y + 120);
    for (let k = 0; k < 6; ++k) await page.mouse.wheel(0, 300);
    await pointAt(page, 'profile', 38975);
    await page.screenshot({ path: args.screenshot, clip: { x: 0, y: 0, width: 1400, height: 1100 } });
  }
  await t.test('no console error and no network request', () => assertQuiet(p));
  await p.context.close();
});

test('the page of a faulty scenario, with its report', async (t) => {
  const report = JSON.parse(fs.readFileSync(faulty.report, 'utf8'));
  const fault = report.faults[0];
  assert.equal(fault.position, 56900);
  const p = await open(faulty.page);
  const { page } = p;

  await t.test('the header gives the outcome and the numbers of faults and warnings', async () => {
    const facts = await headerFacts(page);
    assert.equal(facts.outcome, 'faults');
    assert.equal(facts.faults, String(report.faults.length));
    assert.equal(facts.warnings, String(report.warnings.length));
    const d = decoded(faulty.dir, faulty.route, faulty.train);
    for (const [key, n] of Object.entries(d.counts)) assert.equal(facts[key], String(n), key);
  });

  await t.test('every fault and warning is listed with its file, line and message', async () => {
    const items = await page.$$eval('#problem-list li', (lis) => lis.map((li) => li.textContent));
    assert.equal(items.length, report.faults.length + report.warnings.length);
    for (const f of report.faults)
      assert.ok(items.some((i) => i.startsWith(`${f.file}:${f.line}: error ${f.code}: ${f.message}`)), f.message);
    for (const w of report.warnings)
      assert.ok(items.some((i) => i.startsWith(`${w.file}:${w.line}: warning: ${w.message}`)), w.message);
  });

  await t.test('the fault is marked on both views at its metres', async () => {
    for (const [view, id] of [['profile', 'profile'], ['map', 'map']]) {
      const marks = await page.evaluate((v) => window.tracciatoView.faultMarks(v), view);
      const mark = marks.find((m) => m.metre === fault.position);
      assert.ok(mark, `${view}: ${JSON.stringify(marks)}`);
      const q = await screenPoint(page, view, fault.position);
      assert.ok(Math.abs(mark.x - q.x) < 1.5, `${view}: the mark stands at ${fault.position} m`);
      assert.ok(await faultColourNear(page, id, mark.x, mark.y), `${view}: drawn in red`);
    }
  });

  await t.test('clicking the fault brings both views to it', async () => {
    await page.click('#problem-list li.fault');
    await page.evaluate(() => new Promise((done) => requestAnimationFrame(done)));
    const s = await state(page);
    assert.equal(s.cursor, fault.position);
    assert.ok(s.from < fault.position && fault.position < s.to && s.to - s.from <= 2000, JSON.stringify(s));
    assert.ok(await screenPoint(page, 'map', fault.position));
    const cell = await inspected(page);
    assert.equal(cell.cell, String(fault.position / 50 + 1));
    assert.equal(cell.fields.evento[1], 'slow-down start');
  });

  await page.screenshot({ path: path.join(out, 'faulty.png'), fullPage: true });
  await t.test('no console error and no network request', () => assertQuiet(p));
  await p.context.close();
});

test('the page of a scenario without a plan file has no map', async () => {
  const p = await open(bare.page);
  assert.equal(await p.page.isVisible('#map'), false);
  assert.equal(await p.page.isVisible('#no-map'), true);
  await p.page.click('#tabs [data-table="signals"]');
  await p.page.click('#table-box tbody tr[data-row="0"]');
  await pointAt(p.page, 'profile', 2475);
  assert.equal((await inspected(p.page)).cell, '50');
  assertQuiet(p);
  await p.context.close();
});

test('the command line', () => {
  let r = run(['view']);
  assert.equal(r.status, 64);
  r = run(['view', path.join(out, 'nowhere'), '--route', 'A', '--train', 'B']);
  assert.equal(r.status, 3);
  assert.match(r.stderr, /^tracciato view: .*nowhere.*A_B\.sim.*\n$/);
  r = run(['view', '--help']);
  assert.equal(r.status, 0);
  assert.match(r.stdout, /Examples:/);
});
