// The page in a real browser: Debian's headless Chromium, driven by puppeteer-core.
// Opens, drops, types and pastes as a person would, converts, and compares what the
// page shows and saves with orvane-convert's output and files byte for byte; checks
// the red marks, the message on hover, the untilting controls, a stopped run, the
// stereonet and its exports, the stored settings, the page's size and that nothing
// leaves it; times opening and converting 100,000 lines; leaves screenshots in the
// build tree.
//
//   node page_test.js --page build/web/index.html --convert build/bin/orvane-convert
//        --make-fieldbook build/bin/make_fieldbook --examples examples --out DIR
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const arg = (name) => {
  const i = process.argv.indexOf('--' + name);
  if (i < 0 || i + 1 >= process.argv.length) throw new Error(`--${name} is missing`);
  return path.resolve(process.argv[i + 1]);
};
const pageFile = arg('page');
const pageDir = path.dirname(pageFile);
const convertTool = arg('convert');
const makeFieldbook = arg('make-fieldbook');
const examples = arg('examples');
const outDir = arg('out');

let passed = 0;
let failed = 0;
function check(ok, what, detail) {
  if (ok) {
    ++passed;
    console.log(`ok   ${what}`);
  } else {
    ++failed;
    console.log(`FAIL ${what}${detail === undefined ? '' : '\n     ' + detail}`);
  }
}

// orvane-convert on a file: its standard output (as bytes) and, with `fdt`, the fault
// data file it writes with -o. Exit status 1 (some error lines) is expected here.
function cli(file, args, fdt = null) {
  const extra = fdt ? ['-o', fdt] : [];
  try {
    return execFileSync(convertTool, [...args, ...extra, file], { stdio: ['ignore', 'pipe', 'ignore'] });
  } catch (e) {
    if (e.status === 1) return e.stdout;
    throw e;
  }
}
const cliText = (file, args) => cli(file, args).toString('utf8');

// The page's engine under Node (tests/web/convert.js); exit status 1 is expected here.
function nodeOutput(file) {
  try {
    return execFileSync('node', [path.join(__dirname, 'convert.js'), pageDir, file],
      { encoding: 'utf8', maxBuffer: 1 << 28, stdio: ['ignore', 'pipe', 'ignore'] });
  } catch (e) {
    if (e.status === 1) return e.stdout;
    throw e;
  }
}

function firstDifference(a, b) {
  const la = String(a).split('\n');
  const lb = String(b).split('\n');
  for (let i = 0; i < Math.max(la.length, lb.length); ++i) {
    if (la[i] !== lb[i]) return `line ${i + 1}: page ${JSON.stringify(la[i])} / orvane-convert ${JSON.stringify(lb[i])}`;
  }
  return 'no difference';
}

async function replaceFieldText(page, selector, text) {
  await page.click(selector, { clickCount: 3 });
  await page.keyboard.press('Backspace');
  if (text !== '') await page.type(selector, text);
}

async function withControl(page, key) {
  await page.keyboard.down('Control');
  await page.keyboard.press(key);
  await page.keyboard.up('Control');
}

const frames = (page) => page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
const editorText = (page, id) => page.$eval(id, (el) => el.lineEditor.text);
const shown = (page, id) => page.$eval(id, (el) => !el.hidden);

// Downloads land in `dir` under their guid; `take(action)` runs the action and gives
// the name the page offered and the bytes.
async function downloads(browser, dir) {
  const session = await browser.target().createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allowAndName', downloadPath: dir, eventsEnabled: true });
  const names = new Map();
  const done = new Map();
  session.on('Browser.downloadWillBegin', (e) => names.set(e.guid, e.suggestedFilename));
  session.on('Browser.downloadProgress', (e) => {
    if (e.state !== 'inProgress' && done.has(e.guid)) done.get(e.guid)(e.state);
    if (e.state !== 'inProgress' && !done.has(e.guid)) done.set(e.guid, e.state);
  });
  return async function take(action, timeout = 20000) {
    const before = new Set(names.keys());
    await action();
    const started = Date.now();
    let guid;
    while (!(guid = [...names.keys()].find((g) => !before.has(g)))) {
      if (Date.now() - started > timeout) throw new Error('no download began');
      await new Promise((r) => setTimeout(r, 20));
    }
    const state = typeof done.get(guid) === 'string' ? done.get(guid)
      : await new Promise((resolve) => done.set(guid, resolve));
    if (state !== 'completed') throw new Error(`download ${state}`);
    return { name: names.get(guid), bytes: fs.readFileSync(path.join(dir, guid)) };
  };
}

// Puts `text` (null: nothing) into the page's storage and opens the page again. The
// page stores its settings when it goes, so the text is written from another page
// (file:// pages share their storage) in between.
async function storeSettings(page, text) {
  const other = path.join(outDir, 'storage.html');
  fs.writeFileSync(other, '<!doctype html><title>storage</title>');
  await page.goto('file://' + other);
  await page.evaluate((t) => (t === null ? localStorage.removeItem('orvane/ORV.ini') : localStorage.setItem('orvane/ORV.ini', t)), text);
  await page.goto('file://' + pageFile);
  await page.waitForSelector('html[data-engine="ready"]', { timeout: 20000 });
}

// Fixtures written here from the encodings' descriptions: a Windows-1252 field book
// (é E9, ° B0, ô F4; CR LF line ends) and a UTF-8 one that starts with a byte order mark.
function writeFixtures() {
  const cp1252 = path.join(outDir, 'cafe-1252.txt');
  fs.writeFileSync(cp1252, Buffer.from(
    '# Caf\xe9 du Col, 12\xb0 W declination\r\n' +
    '120 30 45 20 N   # c\xf4te 1, 30\xb0 dip\r\n' +
    '35 50 N          # rep\xe8re 2\r\n' +
    'N28E32S R70N N\r\n', 'latin1'));
  const bom = path.join(outDir, 'with-bom.txt');
  fs.writeFileSync(bom, Buffer.concat([Buffer.from([0xef, 0xbb, 0xbf]),
    Buffer.from('120 30 45 20 N # first line, after the mark\n210/65 215/60 R # zweite Stelle, 5° Fallen\n', 'utf8')]));
  return { cp1252, bom };
}

async function main() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'orvane-chromium-'));
  const downloadDir = fs.mkdtempSync(path.join(os.tmpdir(), 'orvane-downloads-'));
  const fixtures = writeFixtures();
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
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
  try {
    const take = await downloads(browser, downloadDir);
    const page = await browser.newPage();
    await page.setViewport({ width: 1400, height: 900 });
    // Every request the page makes: only its own files may be among them.
    const requests = [];
    page.on('request', (r) => requests.push(r.url()));
    const errors = [];
    page.on('pageerror', (e) => errors.push(String(e)));
    page.on('console', (m) => {
      if (m.type() === 'error') errors.push(m.text());
    });

    await page.goto('file://' + pageFile);
    await browser.defaultBrowserContext().overridePermissions('file://',
      ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
    await page.waitForSelector('html[data-engine="ready"]', { timeout: 20000 });
    check(true, 'the page opens from disk and its engine starts');

    const size = fs.readdirSync(pageDir).reduce((sum, f) => sum + fs.statSync(path.join(pageDir, f)).size, 0);
    check(size < 1024 * 1024, `the page with its engine is under 1 MB (${size} bytes)`);

    // Every control has a name a screen reader can say.
    const unnamed = await page.evaluate(() =>
      [...document.querySelectorAll('input, textarea, button, select')]
        .filter((el) => !el.closest('dialog'))
        .filter((el) => !(el.labels && el.labels.length) && !el.getAttribute('aria-label') && !el.textContent.trim())
        .map((el) => el.id || el.outerHTML.slice(0, 60)));
    check(unnamed.length === 0, 'every control has a label', unnamed.join(', '));

    // The untilting controls keep each other in step.
    const untilting = () =>
      page.evaluate(() => [document.getElementById('untilting-slider').value, document.getElementById('untilting').value]);
    await page.click('.preset[data-value="75"]');
    check(JSON.stringify(await untilting()) === '["75","75"]', 'the 75 % preset moves slider and field');
    await replaceFieldText(page, '#untilting', '50');
    check(JSON.stringify(await untilting()) === '["50","50"]', 'typing 50 moves the slider');
    await replaceFieldText(page, '#untilting', '150');
    check(JSON.stringify(await untilting()) === '["100","100"]', 'typing 150 puts the slider at 100 and the field reads 100');
    await replaceFieldText(page, '#untilting', 'abc');
    const warning = await page.$eval('#untilting-warning', (el) => el.textContent);
    check(warning === 'input [0-100]', 'text that is no number is warned about', warning);
    await replaceFieldText(page, '#untilting', '30-10');
    check(JSON.stringify(await untilting()) === '["30","30-10"]', 'typing 30-10: the slider follows 3 and 30, then stays');
    await page.focus('#untilting-slider');
    await page.keyboard.press('Home');
    check(JSON.stringify(await untilting()) === '["0","0"]', 'the slider, moved by keyboard, writes the field');
    await replaceFieldText(page, '#declination', '7W');
    const declWarning = await page.$eval('#declination-warning', (el) => el.textContent);
    check(declWarning === 'Input rotation angle', 'a declination of 7W is warned about', declWarning);

    // Without lineations the projection switch greys out and keeps its tick.
    await page.click('#lineation-data');
    check(await page.$eval('#projection', (el) => el.disabled && el.checked), 'unticking liniation data greys out the projection');
    await page.click('#lineation-data');
    check(await page.$eval('#projection', (el) => !el.disabled), 'ticking it again makes the projection usable');

    // Before any run the net is drawn empty once it comes into view.
    await page.$eval('#net-section', (el) => el.scrollIntoView());
    await page.waitForFunction(() => document.getElementById('net').dataset.drawn === '0 equal-area', { timeout: 10000 });
    check(true, 'before any run the empty net is drawn');
    await page.evaluate(() => window.scrollTo(0, 0));

    // Typed lines: the net's title says so.
    await page.focus('#input');
    await page.keyboard.type('120 30 45 20 N\n35 50 N\n');
    await replaceFieldText(page, '#declination', '2');
    await page.click('#convert');
    const svgTitle = (svg) => [...((svg.match(/<g class="title"[^>]*>([\s\S]*?)<\/g>/) || [])[1] || '')
      .matchAll(/<text[^>]*>([^<]*)<\/text>/g)].map((m) => m[1]);
    const typedNet = await take(() => page.click('#export-svg'));
    check(typedNet.name === 'stereonet.svg' &&
      JSON.stringify(svgTitle(typedNet.bytes.toString('utf8'))) === '["Equal area","lower hemisphere","typed input","declination 2°","untilting 0 %"]',
      'the net of typed lines names "typed input"', `${typedNet.name} ${JSON.stringify(svgTitle(typedNet.bytes.toString('utf8')))}`);

    // Open the field notes through the file input, set declination and untilting, convert.
    const notesFile = path.join(examples, 'field-notes.txt');
    const notes = fs.readFileSync(notesFile, 'utf8');
    await (await page.$('#file-input')).uploadFile(notesFile);
    await page.waitForFunction(() => document.getElementById('input-file').textContent !== '');
    check((await editorText(page, '#input')) === notes, 'the opened file fills the input');
    check((await page.$eval('#input-file', (el) => el.textContent)) === 'field-notes.txt (UTF-8)', 'its name and encoding show');
    check((await page.$eval('#save-name', (el) => el.value)) === 'field-notes', 'the name to save under is the file\'s');
    await replaceFieldText(page, '#declination', '2');
    await replaceFieldText(page, '#untilting', '0');
    await page.click('#convert');
    let output = await editorText(page, '#output');
    let expected = cliText(notesFile, ['--declination', '2', '--untilting', '0']);
    check(output === expected, 'field notes, declination 2: the output is orvane-convert\'s, byte for byte',
      firstDifference(output, expected));
    const counts = await page.$eval('#counts', (el) => el.textContent);
    check(counts === '6 lines converted, 2 unreadable, 2 copied.', 'the counts', counts);
    check(!(await shown(page, '#output-stale')) && !(await shown(page, '#net-stale')), 'nothing is out of date after the run');

    // The unreadable lines are red and bold, the others not; the message shows on hover.
    const marks = await page.evaluate(() =>
      [...document.querySelectorAll('#input-editor .marks-lines > div')].slice(0, 10).map((row) => {
        const style = getComputedStyle(row);
        return { text: row.textContent, color: style.color, weight: style.fontWeight };
      }));
    const redBold = (m) => m.color === 'rgb(192, 0, 0)' && m.weight === '700';
    check(marks.length === 10 && redBold(marks[8]) && redBold(marks[9]) && marks.filter(redBold).length === 2,
      'lines 9 and 10 are red and bold, no other line', JSON.stringify(marks.map((m) => [m.color, m.weight])));
    check(marks[9].text === notes.split('\n')[9], 'the marks are drawn on the lines they belong to');
    const box = await page.$eval('#input-editor', (el) => {
      const r = el.getBoundingClientRect();
      const s = getComputedStyle(document.getElementById('input'));
      return { x: r.left + 40, top: r.top + el.clientTop + parseFloat(s.paddingTop), lh: parseFloat(s.lineHeight) };
    });
    await page.mouse.move(box.x, box.top + 9.5 * box.lh);
    const hover = await page.$eval('#input', (el) => el.title);
    check(hover === 'error in liniation data', 'hovering line 10 shows its message', hover);
    await page.mouse.move(box.x, box.top + 2.5 * box.lh);
    check((await page.$eval('#input', (el) => el.title)) === '', 'a converted line shows no message');
    // For the keyboard: the message of the line the caret is on, under the input.
    await page.mouse.click(box.x, box.top + 9.5 * box.lh);
    const status = await page.$eval('#input-status', (el) => el.textContent);
    check(status === 'Line 10: error in liniation data', 'with the caret on line 10 its message shows under the input', status);

    // The net of the run: drawn from the module's SVG, with its provenance.
    await page.$eval('#net-section', (el) => el.scrollIntoView());
    await page.waitForFunction(() => document.getElementById('net').dataset.drawn === '2 equal-area', { timeout: 10000 });
    check((await page.$eval('#net', (el) => el.alt)) ===
      'Stereonet, equal area, lower hemisphere: 6 faults drawn, 4 lines left out', 'the net of the run is drawn');
    await page.evaluate(() => window.scrollTo(0, 0));
    await page.screenshot({ path: path.join(outDir, 'page-after-convert.png') });
    await page.screenshot({ path: path.join(outDir, 'page-full.png'), fullPage: true });

    await page.click('#copy-output');
    await page.waitForFunction(() => document.getElementById('copy-status').textContent !== '');
    const copied = await page.evaluate(() => navigator.clipboard.readText());
    check(copied === expected, 'Copy all puts the whole output on the clipboard', firstDifference(copied, expected));

    // Save: the fault data file orvane-convert -o writes, offered as field-notes.fdt.
    const cliFdt = path.join(outDir, 'field-notes-cli.fdt');
    cli(notesFile, ['--declination', '2', '--untilting', '0'], cliFdt);
    let saved = await take(() => page.click('#save'));
    check(saved.name === 'field-notes.fdt' && saved.bytes.equals(fs.readFileSync(cliFdt)),
      'Save gives field-notes.fdt, byte for byte orvane-convert -o\'s', `${saved.name}: ${JSON.stringify(saved.bytes.toString('latin1'))}`);
    // The name rule, and Enter in the name field saving with "Remove comment line" off.
    await page.click('#remove-comment');
    await replaceFieldText(page, '#save-name', 'result.FDT');
    saved = await take(() => page.keyboard.press('Enter'));
    cli(notesFile, ['--declination', '2', '--untilting', '0', '--keep-comments'], cliFdt);
    check(saved.name === 'result.FDT.fdt' && saved.bytes.equals(fs.readFileSync(cliFdt)),
      'result.FDT saves as result.FDT.fdt; comment and error lines kept as with --keep-comments', saved.name);
    await page.click('#remove-comment');

    // Export the net as SVG: one great circle per converted plane, the legend's counts,
    // the provenance; and as a PNG of the export's size that shows the faults.
    await page.$eval('#net-section', (el) => el.scrollIntoView());
    const svg = (await take(() => page.click('#export-svg'))).bytes.toString('utf8');
    const group = (name) => (svg.match(new RegExp(`<g class="${name}"[^>]*>([\\s\\S]*?)</g>`)) || [])[1] || '';
    const texts = (name) => [...group(name).matchAll(/<text[^>]*>([^<]*)<\/text>/g)].map((m) => m[1]);
    const circles = (group('great-circles').match(/<path /g) || []).length;
    const senses = expected.split('\n').filter((l) => /^ *\d/.test(l)).map((l) => l.trim().split(/\s+/)[4]);
    const legend = ['normal N', 'reverse R', 'dextral D', 'sinistral S']
      .map((s) => s.split(' ')).map(([name, letter]) => `${name} ${senses.filter((x) => x === letter).length}`);
    check(circles === 6, `the SVG has one great circle per converted plane (${circles})`);
    check(JSON.stringify(texts('legend')) === JSON.stringify(legend), 'the legend counts the senses', JSON.stringify(texts('legend')));
    check(JSON.stringify(texts('count')) === '["6 faults drawn","4 lines left out"]', 'the count note', JSON.stringify(texts('count')));
    check(JSON.stringify(svgTitle(svg)) === '["Equal area","lower hemisphere","field-notes.txt","declination 2°","untilting 0 %"]',
      'the title names projection, file, declination and untilting', JSON.stringify(svgTitle(svg)));
    await page.click('#net-equal-angle');
    await page.waitForFunction(() => document.getElementById('net').dataset.drawn === '2 equal-angle', { timeout: 10000 });
    check(!(await shown(page, '#net-stale')), 'the other projection redraws the net, which stays up to date');
    const png = await take(() => page.click('#export-png'), 30000);
    const pngSize = png.bytes.length > 24 ? [png.bytes.readUInt32BE(16), png.bytes.readUInt32BE(20)] : [];
    check(png.name === 'field-notes-stereonet.png' && png.bytes.subarray(1, 4).toString() === 'PNG' &&
      JSON.stringify(pngSize) === '[1000,800]', `Export PNG gives a PNG of 1000 x 800 (${png.name}, ${pngSize.join(' x ')})`);
    // Pixels in the colours of the senses, not only black on white: the faults are drawn.
    const coloured = await page.evaluate(async (b64) => {
      const bytes = Uint8Array.from(atob(b64), (c) => c.charCodeAt(0));
      const image = new Image();
      image.src = URL.createObjectURL(new Blob([bytes], { type: 'image/png' }));
      await image.decode();
      const canvas = document.createElement('canvas');
      canvas.width = image.naturalWidth;
      canvas.height = image.naturalHeight;
      const g = canvas.getContext('2d');
      g.drawImage(image, 0, 0);
      const d = g.getImageData(0, 0, canvas.width, canvas.height).data;
      let n = 0;
      for (let i = 0; i < d.length; i += 4) if (Math.max(d[i], d[i + 1], d[i + 2]) - Math.min(d[i], d[i + 1], d[i + 2]) > 60) ++n;
      return n;
    }, png.bytes.toString('base64'));
    check(coloured > 500, `the PNG shows the coloured faults (${coloured} coloured pixels)`);
    await page.click('#net-equal-area');

    // Out of date: an edit of the input or a change of a setting, until the next run.
    await page.focus('#input');
    await withControl(page, 'End');
    await page.keyboard.type('# a new line');
    check(await shown(page, '#output-stale') && await shown(page, '#net-stale') && await shown(page, '#net-stale-mark'),
      'editing the input puts output and net out of date');
    await page.click('#convert');
    check(!(await shown(page, '#output-stale')), 'Convert brings them up to date');
    await replaceFieldText(page, '#declination', '3');
    check(await shown(page, '#output-stale'), 'a new declination puts the output out of date');
    await replaceFieldText(page, '#declination', '2');
    check(!(await shown(page, '#output-stale')), 'the declination of the run again: up to date');
    await page.click('#remove-comment');
    check(!(await shown(page, '#output-stale')), '"Remove comment line" changes no run, nothing out of date');
    await page.click('#remove-comment');

    // A line added at the top: the marks move down with their lines until the next run.
    await page.focus('#input');
    await withControl(page, 'Home');
    await page.keyboard.press('Enter');
    const moved = await page.$$eval('#input-editor .marks-lines > div', (rows) =>
      rows.slice(0, 12).map((row, i) => (row.classList.contains('error') ? i : -1)).filter((i) => i >= 0));
    check(JSON.stringify(moved) === '[9,10]', 'after a line is added at the top the red lines are 10 and 11', JSON.stringify(moved));
    await page.keyboard.press('Backspace');

    // A Windows-1252 field book, dropped onto the page with a second file: the first
    // opens, reads as orvane-convert reads its bytes, and saves back in Windows-1252.
    const dropped = fs.readFileSync(fixtures.cp1252).toString('base64');
    await page.evaluate((b64) => {
      const bytes = Uint8Array.from(atob(b64), (c) => c.charCodeAt(0));
      const data = new DataTransfer();
      data.items.add(new File([bytes], 'cafe-1252.txt'));
      data.items.add(new File(['99 99 99 99 N\n'], 'second.txt'));
      document.dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
    }, dropped);
    await page.waitForFunction(() => document.getElementById('input-file').textContent.startsWith('cafe-1252.txt'));
    check((await page.$eval('#input-file', (el) => el.textContent)) === 'cafe-1252.txt (Windows-1252)',
      'a dropped Windows-1252 file opens (the first of two) and says its encoding');
    check((await editorText(page, '#input')).split('\n')[1] === '120 30 45 20 N   # côte 1, 30° dip',
      'its degree signs and accents read as the program reads them');
    check(await page.$eval('#save', (el) => el.disabled), 'opening a file disables Save until the next run');
    await page.click('#convert');
    output = await editorText(page, '#output');
    expected = cli(fixtures.cp1252, ['--declination', '2', '--untilting', '0']).toString('latin1');
    check(output === expected, 'its output is orvane-convert\'s', firstDifference(output, expected));
    saved = await take(() => page.click('#save'));
    cli(fixtures.cp1252, ['--declination', '2', '--untilting', '0'], cliFdt);
    check(saved.name === 'cafe-1252.fdt' && saved.bytes.equals(fs.readFileSync(cliFdt)),
      'saved in Windows-1252, byte for byte orvane-convert -o\'s', JSON.stringify(saved.bytes.toString('latin1')));

    // A UTF-8 file with a byte order mark: the mark is not part of the first line, and
    // the saved file has it again (orvane-convert -o writes the same lines without it).
    await (await page.$('#file-input')).uploadFile(fixtures.bom);
    await page.waitForFunction(() => document.getElementById('input-file').textContent.startsWith('with-bom.txt'));
    check((await page.$eval('#input-file', (el) => el.textContent)) === 'with-bom.txt (UTF-8 with byte order mark)' &&
      (await editorText(page, '#input')).startsWith('120 30'), 'a file with a byte order mark opens without it in the first line');
    await page.click('#convert');
    output = await editorText(page, '#output');
    expected = cliText(fixtures.bom, ['--declination', '2', '--untilting', '0']);
    check(output === expected, 'its output is orvane-convert\'s', firstDifference(output, expected));
    saved = await take(() => page.click('#save'));
    cli(fixtures.bom, ['--declination', '2', '--untilting', '0'], cliFdt);
    check(saved.bytes.equals(Buffer.concat([Buffer.from([0xef, 0xbb, 0xbf]), fs.readFileSync(cliFdt)])),
      'saved with the mark before orvane-convert -o\'s lines');

    // Untilting by 100 %, typed, on the tilted beds; Enter in the field converts.
    const bedsFile = path.join(examples, 'tilted-beds.txt');
    const beds = fs.readFileSync(bedsFile, 'utf8');
    await page.$eval('#input', (el, text) => {
      el.lineEditor.text = text;
    }, beds);
    await replaceFieldText(page, '#untilting', '100');
    await page.keyboard.press('Enter');
    output = await editorText(page, '#output');
    expected = cliText(bedsFile, ['--declination', '2', '--untilting', '100']);
    check(output === expected, 'tilted beds, untilting 100 typed, Enter: the output is orvane-convert\'s',
      firstDifference(output, expected));
    check((await page.$$('#input-editor .marks-lines > .error')).length === 0, 'a run that reads every line leaves no red line');

    // One decimal, without sense letters, from the options.
    await page.click('#format-decimal');
    await page.click('#sense-data');
    await page.click('#convert');
    output = await editorText(page, '#output');
    expected = cliText(bedsFile, ['--declination', '2', '--untilting', '100', '--decimal', '--no-sense']);
    check(output === expected, 'the options reach the engine (123.4, no character data)', firstDifference(output, expected));
    await page.click('#format-integer');
    await page.click('#sense-data');

    // An unreadable declination stops the run at the first line that converts; the
    // lines before it stay, the message box says why, and the net is out of date.
    await replaceFieldText(page, '#declination', 'x');
    await page.click('#convert');
    const stopped = await page.evaluate(() => ({
      open: document.getElementById('message').open,
      text: document.getElementById('message-text').textContent,
      output: document.getElementById('output').lineEditor.text,
      counts: document.getElementById('counts').textContent,
      netStale: !document.getElementById('net-stale').hidden,
    }));
    check(stopped.open && stopped.text === 'Declination "x" is not a number',
      'a declination of x stops the run with its message', JSON.stringify(stopped));
    check(stopped.output === beds.split('\n').slice(0, 2).join('\n') + '\n' &&
      stopped.counts.startsWith('Stopped at line 3.'), 'the lines before the stop are kept', JSON.stringify(stopped));
    check(stopped.netStale, 'the net of the run before is out of date');
    await page.keyboard.press('Enter'); // OK
    check(!(await page.$eval('#message', (el) => el.open)), 'OK closes the message');
    await replaceFieldText(page, '#declination', '0');
    // An unreadable untilting percentage: the window's own message, once.
    await replaceFieldText(page, '#untilting', 'abc');
    await page.click('#convert');
    const stoppedAgain = await page.evaluate(() => ({
      open: document.getElementById('message').open,
      texts: [...document.querySelectorAll('#message-text p')].map((p) => p.textContent),
      output: document.getElementById('output').lineEditor.text,
    }));
    check(stoppedAgain.open && JSON.stringify(stoppedAgain.texts) === '["input [0-100]"]' &&
      stoppedAgain.output === beds.split('\n').slice(0, 2).join('\n') + '\n',
      'an untilting of abc stops the run with "input [0-100]"', JSON.stringify(stoppedAgain));
    await page.click('#message button');

    // 200 % zoom: the same page at half the width, twice the pixels.
    await page.setViewport({ width: 700, height: 900, deviceScaleFactor: 2 });
    await page.$eval('#input', (el, text) => {
      el.lineEditor.text = text;
    }, notes);
    await page.click('.preset[data-value="0"]');
    const drawnBefore = await page.$eval('#net', (el) => el.dataset.drawn);
    await page.click('#convert');
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
    check(overflow <= 0, 'at 200 % zoom nothing runs off the side', `${overflow} px`);
    await page.$eval('#net-section', (el) => el.scrollIntoView());
    await page.waitForFunction((before) => document.getElementById('net').dataset.drawn !== before, { timeout: 10000 }, drawnBefore);
    await page.screenshot({ path: path.join(outDir, 'page-zoom-200.png'), fullPage: true });
    // A low window: the columns grow to hold the settings rather than run into the net.
    await page.setViewport({ width: 1400, height: 560, deviceScaleFactor: 1 });
    const low = await page.evaluate(() => {
      const settings = document.querySelector('.settings').getBoundingClientRect();
      const net = document.getElementById('net-section').getBoundingClientRect();
      return { settingsBottom: Math.round(settings.bottom), netTop: Math.round(net.top) };
    });
    check(low.settingsBottom < low.netTop, 'in a low window the settings column stays above the net', JSON.stringify(low));
    await page.setViewport({ width: 1400, height: 900, deviceScaleFactor: 1 });

    // The settings are kept: after a reload the eight stored ones are back.
    await replaceFieldText(page, '#declination', '2.5');
    await replaceFieldText(page, '#untilting', '37');
    await page.click('#format-decimal');
    await page.click('#lineation-data');
    await page.click('#sense-data');
    await page.click('#remove-comment');
    await page.click('#surface-data'); // not one of the eight: back to ticked
    const settings = () => page.evaluate(() => {
      const v = (id) => document.getElementById(id);
      return [v('declination').value, v('untilting-slider').value, v('untilting').value, v('format-integer').checked,
        v('format-decimal').checked, v('projection').checked, v('projection').disabled, v('lineation-data').checked,
        v('sense-data').checked, v('remove-comment').checked, v('surface-data').checked];
    });
    await page.reload();
    await page.waitForSelector('html[data-engine="ready"]', { timeout: 20000 });
    let restored = await settings();
    check(JSON.stringify(restored) === '["2.5","37","37",false,true,true,true,false,false,false,true]',
      'the eight settings survive a reload (surface data, not among them, is ticked again)', JSON.stringify(restored));
    // Kept in the desktop program's ini form and read by its rules: letter case of names
    // is free, 250 is the slider's 100, 0x1E is 30, neither format button is possible.
    await storeSettings(page, '; by hand\n[CORRECTION]\nWest=5.5W\n[bedding dip correction]\nratio=250\n' +
      '[OutputForm]\nint=0\ndouble=0\n[options]\nliniation data=0\nsense data=yes\n');
    restored = await settings();
    check(JSON.stringify(restored) === '["5.5W","100","100",false,false,true,true,false,true,true,true]',
      'a hand-written settings text is read by the desktop program\'s rules', JSON.stringify(restored));
    check((await page.$eval('#declination-warning', (el) => el.textContent)) === 'Input rotation angle',
      'a stored declination of 5.5W is warned about');
    await page.click('#format-integer');
    const stored = await page.evaluate(() => localStorage.getItem('orvane/ORV.ini'));
    check(stored.startsWith('; by hand\n[CORRECTION]\nWest=5.5W\n') && stored.includes('\nint=1\ndouble=0\n'),
      'writing keeps what the text held and replaces values in place', JSON.stringify(stored));
    await storeSettings(page, null);
    restored = await settings();
    check(JSON.stringify(restored) === '["0","0","0",true,false,true,false,true,true,true,true]',
      'without stored settings the defaults', JSON.stringify(restored));

    // 100,000 lines: opened from a file, then from the click to the output and the
    // marks on screen.
    const bookFile = path.join(outDir, 'book-100000.txt');
    fs.writeFileSync(bookFile, execFileSync(makeFieldbook, ['100000'], { maxBuffer: 1 << 28 }));
    const book = fs.readFileSync(bookFile, 'utf8');
    await page.evaluate(() => new Promise((r) => (window.requestIdleCallback || setTimeout)(r)));
    await page.evaluate(() => {
      window.openStarted = performance.now();
    });
    await (await page.$('#file-input')).uploadFile(bookFile);
    await page.waitForFunction(() => document.getElementById('input-file').textContent.startsWith('book-100000'));
    await frames(page);
    const openMs = await page.evaluate(() => performance.now() - window.openStarted);
    check(openMs < 1000, `100,000 lines open and show in ${Math.round(openMs)} ms`);
    const paneHeight = await page.$eval('#input-editor', (el) => el.getBoundingClientRect().height);
    check(paneHeight < 900, `the input pane stays within the window (${Math.round(paneHeight)} px high)`);
    check((await editorText(page, '#input')) === book, 'the input holds all of them');
    const times = [];
    for (let i = 0; i < 3; ++i) {
      times.push(await page.evaluate(async () => {
        const t0 = performance.now();
        document.getElementById('convert').click();
        document.getElementById('output-editor').scrollHeight; // the output laid out
        await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
        return performance.now() - t0;
      }));
    }
    check(times[0] < 1000, `100,000 lines from click to screen in ${Math.round(times[0])} ms the first time ` +
      `(then ${times.slice(1).map(Math.round).join(' and ')} ms)`);
    output = await editorText(page, '#output');
    check(output.split('\n').length - 1 === 100000, `the output has 100,000 lines (${await page.$eval('#counts', (el) => el.textContent)})`);
    expected = nodeOutput(bookFile);
    check(output === expected, 'the page shows exactly what its engine wrote', firstDifference(output, expected));
    // At the top and scrolled far down, the lines behind the input are the right ones,
    // red exactly where the output has an error line (this book has no comment lines).
    const marksAt = (line) => page.evaluate(async (line) => {
      const editor = document.getElementById('input').lineEditor;
      editor.box.scrollTop = line * editor.lh;
      await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
      const first = Math.max(0, Math.floor((editor.box.scrollTop - editor.pad) / editor.lh));
      const rows = [...editor.layer.children].slice(0, Math.floor(editor.box.clientHeight / editor.lh));
      const out = editor.box.ownerDocument.getElementById('output').lineEditor;
      let red = 0;
      const wrong = rows.filter((row, k) => {
        const i = first + k;
        const error = row.classList.contains('error');
        if (error) ++red;
        return row.textContent !== editor.lineAt(i) || error !== out.lineAt(i).startsWith('#');
      }).length;
      // The textarea holds the lines in view.
      const ta = editor.textarea;
      const inWindow = first >= editor.windowStart && first + rows.length <= editor.windowStart + ta.value.split('\n').length;
      return { first, rows: rows.length, red, wrong, inWindow };
    }, line);
    for (const line of [0, 70000]) {
      const m = await marksAt(line);
      check(m.wrong === 0 && m.rows > 20 && m.inWindow, `input scrolled to line ${m.first + 1}: ${m.rows} lines drawn, ${m.red} red, all right`, JSON.stringify(m));
    }
    await page.screenshot({ path: path.join(outDir, 'page-100000-lines.png') });
    const netCrowded = await page.$eval('#net-crowded-text', (el) => el.textContent);
    check(netCrowded.startsWith('97,002 faults to draw'), 'a net of 97,002 faults waits to be asked for', netCrowded);

    // Editing a long text: the keyboard pages past the lines the textarea holds, typing
    // lands where the caret is also after scrolling far away, and select all, copy and
    // typing over it take the whole text.
    const bookLines = book.split('\n');
    await page.mouse.click(box.x, box.top + 0.5 * box.lh);
    await withControl(page, 'Home');
    for (let i = 0; i < 60; ++i) await page.keyboard.press('PageDown');
    const paged = await page.evaluate(() => document.getElementById('input').lineEditor.caretLine());
    await page.keyboard.type('Q');
    const pagedText = await page.$eval('#input', (el, i) => el.lineEditor.lineAt(i), paged);
    check(paged > 1500 && pagedText === 'Q' + bookLines[paged], `60 times Page Down reaches line ${paged + 1}, and typing lands there`);
    await page.evaluate(() => {
      const editor = document.getElementById('input').lineEditor;
      editor.box.scrollTop = 90000 * editor.lh;
    });
    await frames(page);
    await page.keyboard.type('W');
    const back = await page.evaluate((i) => {
      const editor = document.getElementById('input').lineEditor;
      return { text: editor.lineAt(i), first: Math.floor(editor.box.scrollTop / editor.lh) };
    }, paged);
    check(back.text === 'QW' + bookLines[paged] && Math.abs(back.first - paged) < 60,
      'scrolled 90,000 lines away, typing lands at the caret and brings it back into view', JSON.stringify(back));
    // Shift with Page Down selects on past the lines the textarea held at first, as far
    // as the window can follow; typing then replaces exactly the selected lines.
    await withControl(page, 'Home');
    await page.keyboard.down('Shift');
    for (let i = 0; i < 40; ++i) await page.keyboard.press('PageDown');
    await page.keyboard.up('Shift');
    const selected = await page.evaluate(() => {
      const editor = document.getElementById('input').lineEditor;
      const { anchor, focus } = editor.selection();
      const shownChars = editor.textarea.selectionEnd - editor.textarea.selectionStart;
      return { anchor, focus, lines: editor.lineCount, last: editor.lineAt(focus.line), shownChars };
    });
    await page.keyboard.type('Z');
    const replaced = await page.evaluate(() => {
      const editor = document.getElementById('input').lineEditor;
      return { first: editor.lineAt(0), lines: editor.lineCount };
    });
    check(selected.anchor.line === 0 && selected.focus.line > 800 && selected.focus.column === 0 && selected.shownChars > 10000 &&
      replaced.first === 'Z' + selected.last && replaced.lines === selected.lines - selected.focus.line,
      `Shift+Page Down selects ${selected.focus.line} lines, and typing replaces just them`, JSON.stringify({ selected, replaced }));
    await withControl(page, 'KeyA');
    await withControl(page, 'KeyC');
    const all = await page.evaluate(() => navigator.clipboard.readText());
    check(all === await editorText(page, '#input') && all.length > 2000000, `Ctrl+A, Ctrl+C copies the whole text (${all.length} characters)`);
    await page.keyboard.type('x');
    check((await editorText(page, '#input')) === 'x', 'typing over everything selected leaves what was typed');

    const own = (url) => url.startsWith('file://' + pageDir + '/') || url === 'file://' + path.join(outDir, 'storage.html') ||
      url.startsWith('blob:') || url.startsWith('data:');
    check(requests.length > 0 && requests.every(own),
      'no request leaves the page: only its own files, and drawings it made itself',
      requests.filter((url) => !own(url)).join(', '));
    check(errors.length === 0, 'no script errors', errors.join('\n'));
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
    fs.rmSync(downloadDir, { recursive: true, force: true });
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exitCode = failed === 0 ? 0 : 1;
}

main().catch((e) => {
  console.error(e);
  process.exitCode = 1;
});
