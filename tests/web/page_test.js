// The page in a real browser: Debian's headless Chromium, driven by puppeteer-core.
// Types and pastes as a person would, converts, and compares the output with
// orvane-convert's byte for byte; checks the red marks, the message on hover, the
// untilting controls, a stopped run, the page's size and that it fetches nothing; times
// 100,000 lines; leaves screenshots in the build tree.
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

// orvane-convert's standard output; exit status 1 (some error lines) is expected here.
function cliOutput(file, args) {
  try {
    return execFileSync(convertTool, [...args, file], { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] });
  } catch (e) {
    if (e.status === 1) return e.stdout;
    throw e;
  }
}

// The page's engine under Node (tests/web/convert.js); exit status 1 is expected here.
function nodeOutput(file) {
  try {
    return execFileSync('node', [path.join(__dirname, 'convert.js'), path.dirname(pageFile), file],
      { encoding: 'utf8', maxBuffer: 1 << 28, stdio: ['ignore', 'pipe', 'ignore'] });
  } catch (e) {
    if (e.status === 1) return e.stdout;
    throw e;
  }
}

function firstDifference(a, b) {
  const la = a.split('\n');
  const lb = b.split('\n');
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

async function main() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'orvane-chromium-'));
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
    const page = await browser.newPage();
    await page.setViewport({ width: 1400, height: 900 });
    const fetched = [];
    page.on('request', (r) => {
      const url = r.url();
      if (!url.startsWith('file:') && !url.startsWith('data:')) fetched.push(url);
    });
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

    const size = fs.readdirSync(path.dirname(pageFile))
      .reduce((sum, f) => sum + fs.statSync(path.join(path.dirname(pageFile), f)).size, 0);
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

    // Paste the field notes, set declination and untilting, convert.
    const notes = fs.readFileSync(path.join(examples, 'field-notes.txt'), 'utf8');
    await page.focus('#input');
    await page.keyboard.sendCharacter(notes);
    await replaceFieldText(page, '#declination', '2');
    await page.click('.preset[data-value="0"]');
    await page.click('#convert');
    let output = await page.$eval('#output', (el) => el.lineView.text);
    let expected = cliOutput(path.join(examples, 'field-notes.txt'), ['--declination', '2', '--untilting', '0']);
    check(output === expected, 'field notes, declination 2: the output is orvane-convert\'s, byte for byte',
      firstDifference(output, expected));
    const shown = await page.$$eval('#output .lines-rows > div', (rows) => rows.map((r) => r.textContent).join('\n') + '\n');
    check(shown === expected, 'the output pane shows those lines', firstDifference(shown, expected));
    const counts = await page.$eval('#counts', (el) => el.textContent);
    check(counts === '6 lines converted, 2 unreadable, 2 copied.', 'the counts', counts);

    // The unreadable lines are red and bold, the others not; the message shows on hover.
    const marks = await page.evaluate(() =>
      [...document.querySelectorAll('.marks-lines > div')].slice(0, 10).map((row) => {
        const style = getComputedStyle(row);
        return { text: row.textContent, error: row.classList.contains('error'), color: style.color, weight: style.fontWeight };
      }));
    const redBold = (m) => m.color === 'rgb(192, 0, 0)' && m.weight === '700';
    check(marks.length === 10 && redBold(marks[8]) && redBold(marks[9]) && marks.filter(redBold).length === 2,
      'lines 9 and 10 are red and bold, no other line', JSON.stringify(marks.map((m) => [m.color, m.weight])));
    check(marks[9].text === notes.split('\n')[9], 'the marks are drawn on the lines they belong to');
    const box = await page.$eval('#input', (el) => {
      const r = el.getBoundingClientRect();
      const s = getComputedStyle(el);
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
    await page.screenshot({ path: path.join(outDir, 'page-after-convert.png') });
    await page.click('#copy-output');
    await page.waitForFunction(() => document.getElementById('copy-status').textContent !== '');
    const copied = await page.evaluate(() => navigator.clipboard.readText());
    check(copied === expected, 'Copy all puts the whole output on the clipboard', firstDifference(copied, expected));

    // A line added at the top: the marks move down with their lines until the next run.
    await page.focus('#input');
    await page.keyboard.down('Control');
    await page.keyboard.press('Home');
    await page.keyboard.up('Control');
    await page.keyboard.press('Enter');
    const moved = await page.$$eval('.marks-lines > div', (rows) =>
      rows.slice(0, 12).map((row, i) => (row.classList.contains('error') ? i : -1)).filter((i) => i >= 0));
    check(JSON.stringify(moved) === '[9,10]', 'after a line is added at the top the red lines are 10 and 11', JSON.stringify(moved));
    await page.keyboard.press('Backspace');

    // Untilting by 100 %, typed, on the tilted beds; Enter in the field converts.
    const beds = fs.readFileSync(path.join(examples, 'tilted-beds.txt'), 'utf8');
    await page.$eval('#input', (el, text) => {
      el.value = text;
      el.dispatchEvent(new Event('input', { bubbles: true }));
    }, beds);
    await replaceFieldText(page, '#untilting', '100');
    await page.keyboard.press('Enter');
    output = await page.$eval('#output', (el) => el.lineView.text);
    expected = cliOutput(path.join(examples, 'tilted-beds.txt'), ['--declination', '2', '--untilting', '100']);
    check(output === expected, 'tilted beds, untilting 100 typed, Enter: the output is orvane-convert\'s',
      firstDifference(output, expected));
    check((await page.$$('.marks-lines > .error')).length === 0, 'a run that reads every line leaves no red line');

    // One decimal, without sense letters, from the options.
    await page.click('#format-decimal');
    await page.click('#sense-data');
    await page.click('#convert');
    output = await page.$eval('#output', (el) => el.lineView.text);
    expected = cliOutput(path.join(examples, 'tilted-beds.txt'),
      ['--declination', '2', '--untilting', '100', '--decimal', '--no-sense']);
    check(output === expected, 'the options reach the engine (123.4, no character data)', firstDifference(output, expected));
    await page.click('#format-integer');
    await page.click('#sense-data');

    // An unreadable declination stops the run at the first line that converts; the
    // lines before it stay, and the message box says why.
    await replaceFieldText(page, '#declination', 'x');
    await page.click('#convert');
    const stopped = await page.evaluate(() => ({
      open: document.getElementById('message').open,
      text: document.getElementById('message-text').textContent,
      output: document.getElementById('output').lineView.text,
      counts: document.getElementById('counts').textContent,
    }));
    check(stopped.open && stopped.text === 'Declination "x" is not a number',
      'a declination of x stops the run with its message', JSON.stringify(stopped));
    check(stopped.output === beds.split('\n').slice(0, 2).join('\n') + '\n' &&
      stopped.counts.startsWith('Stopped at line 3.'), 'the lines before the stop are kept', JSON.stringify(stopped));
    await page.keyboard.press('Enter'); // OK
    check(!(await page.$eval('#message', (el) => el.open)), 'OK closes the message');
    await replaceFieldText(page, '#declination', '0');
    // An unreadable untilting percentage: the window's own message, once.
    await replaceFieldText(page, '#untilting', 'abc');
    await page.click('#convert');
    const stoppedAgain = await page.evaluate(() => ({
      open: document.getElementById('message').open,
      texts: [...document.querySelectorAll('#message-text p')].map((p) => p.textContent),
      output: document.getElementById('output').lineView.text,
    }));
    check(stoppedAgain.open && JSON.stringify(stoppedAgain.texts) === '["input [0-100]"]' &&
      stoppedAgain.output === beds.split('\n').slice(0, 2).join('\n') + '\n',
      'an untilting of abc stops the run with "input [0-100]"', JSON.stringify(stoppedAgain));
    await page.click('#message button');

    // 200 % zoom: the same page at half the width, twice the pixels.
    await page.setViewport({ width: 700, height: 900, deviceScaleFactor: 2 });
    await page.$eval('#input', (el, text) => {
      el.value = text;
      el.dispatchEvent(new Event('input', { bubbles: true }));
    }, notes);
    await page.click('.preset[data-value="0"]');
    await page.click('#convert');
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
    check(overflow <= 0, 'at 200 % zoom nothing runs off the side', `${overflow} px`);
    await page.screenshot({ path: path.join(outDir, 'page-zoom-200.png'), fullPage: true });
    await page.setViewport({ width: 1400, height: 900, deviceScaleFactor: 1 });

    // 100,000 lines: from the click to the output and the marks on screen.
    const bookFile = path.join(outDir, 'book-100000.txt');
    fs.writeFileSync(bookFile, execFileSync(makeFieldbook, ['100000'], { maxBuffer: 1 << 28 }));
    const book = fs.readFileSync(bookFile, 'utf8');
    await page.click('.preset[data-value="0"]');
    await page.$eval('#input', (el, text) => {
      el.value = text;
      el.dispatchEvent(new Event('input', { bubbles: true }));
      el.scrollTop = 0;
    }, book);
    const times = [];
    for (let i = 0; i < 3; ++i) {
      times.push(await page.evaluate(async () => {
        const t0 = performance.now();
        document.getElementById('convert').click();
        document.getElementById('output').scrollHeight; // the output laid out
        await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
        return performance.now() - t0;
      }));
    }
    check(times[0] < 1000, `100,000 lines from click to screen in ${Math.round(times[0])} ms the first time ` +
      `(then ${times.slice(1).map(Math.round).join(' and ')} ms)`);
    const big = await page.evaluate(() => ({
      lines: document.getElementById('output').lineView.text.split('\n').length - 1,
      rows: [...document.querySelectorAll('#output .lines-rows > div')].map((r) => r.textContent),
      counts: document.getElementById('counts').textContent,
    }));
    check(big.lines === 100000, `the output has 100,000 lines (${big.counts})`);
    output = await page.$eval('#output', (el) => el.lineView.text);
    expected = nodeOutput(bookFile);
    check(output === expected, 'the page shows exactly what its engine wrote', firstDifference(output, expected));
    // At the top and scrolled far down, the lines behind the input are the right ones,
    // red exactly where the output has an error line (this book has no comment lines).
    const marksAt = (line) => page.evaluate(async (line) => {
      const input = document.getElementById('input');
      const lh = parseFloat(getComputedStyle(input).lineHeight);
      input.scrollTop = line * lh;
      await new Promise((resolve) => requestAnimationFrame(resolve));
      const rows = [...document.querySelectorAll('.marks-lines > div')];
      const first = Math.max(0, Math.floor((input.scrollTop - parseFloat(getComputedStyle(input).paddingTop)) / lh));
      const lines = input.value.split('\n');
      const out = document.getElementById('output').lineView.text.split('\n');
      let red = 0;
      const wrong = rows.filter((row, k) => {
        const i = first + k;
        const error = row.classList.contains('error');
        if (error) ++red;
        return row.textContent !== (lines[i] ?? '') || error !== (i < 100000 && out[i].startsWith('#'));
      }).length;
      return { first, rows: rows.length, red, wrong };
    }, line);
    for (const line of [0, 70000]) {
      const m = await marksAt(line);
      check(m.wrong === 0 && m.rows > 20, `input scrolled to line ${m.first + 1}: ${m.rows} lines drawn, ${m.red} red, all right`, JSON.stringify(m));
    }

    check(fetched.length === 0, 'nothing is fetched from the network', fetched.join(', '));
    check(errors.length === 0, 'no script errors', errors.join('\n'));
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exitCode = failed === 0 ? 0 : 1;
}

main().catch((e) => {
  console.error(e);
  process.exitCode = 1;
});
