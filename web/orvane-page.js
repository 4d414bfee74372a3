// The page: the desktop program's main window and options in one form, on the engine
// compiled to WebAssembly (orvane-engine.js, through orvane-binding.js).
(function () {
  'use strict';

  const $ = (id) => document.getElementById(id);
  const { OUTCOME, loadOrvaneEngine } = window.OrvaneBinding;

  // The input pane: a plain textarea whose own text is transparent, over a layer that
  // draws only the lines in view, unreadable ones red and bold. Drawing only what is
  // in view keeps a 100,000-line text as quick as a short one.
  class MarkedInput {
    constructor(textarea, layer, status) {
      this.textarea = textarea;
      this.layer = layer;
      this.rows = layer.firstElementChild;
      this.status = status;
      this.lines = [''];
      this.marks = new Map(); // line index -> message of the last run that failed it

      textarea.addEventListener('input', () => this.edited());
      textarea.addEventListener('scroll', () => this.draw());
      textarea.addEventListener('mousemove', (e) => this.hover(e));
      for (const type of ['keyup', 'mouseup', 'focus']) {
        textarea.addEventListener(type, () => this.describeCaret());
      }
      new ResizeObserver(() => this.fit()).observe(textarea);
      this.fit();
    }

    // The layer covers the textarea's inside, its scroll bars left free.
    fit() {
      this.layer.style.width = this.textarea.clientWidth + 'px';
      this.layer.style.height = this.textarea.clientHeight + 'px';
      this.draw();
    }

    // Draws the lines in view behind the textarea, where the textarea has them.
    draw() {
      const ta = this.textarea;
      const style = getComputedStyle(ta);
      const lh = parseFloat(style.lineHeight);
      const padTop = parseFloat(style.paddingTop);
      const padLeft = parseFloat(style.paddingLeft);
      const first = Math.max(0, Math.floor((ta.scrollTop - padTop) / lh));
      const count = Math.ceil(ta.clientHeight / lh) + 2;
      while (this.rows.childElementCount < count) this.rows.appendChild(document.createElement('div'));
      while (this.rows.childElementCount > count) this.rows.lastElementChild.remove();
      let row = this.rows.firstElementChild;
      for (let i = first; i < first + count; ++i, row = row.nextElementSibling) {
        const text = i < this.lines.length ? this.lines[i] : '';
        if (row.textContent !== text) row.textContent = text;
        const marked = this.marks.has(i);
        if (row.classList.contains('error') !== marked) row.classList.toggle('error', marked);
      }
      const x = padLeft - ta.scrollLeft;
      const y = padTop + first * lh - ta.scrollTop;
      this.rows.style.transform = `translate(${x}px, ${y}px)`;
    }

    // Keeps the marks on their lines while the text is edited: lines before and after
    // the change keep theirs, a line edited in place keeps its own, lines replaced lose
    // theirs. The next Convert marks every data line afresh.
    edited() {
      const old = this.lines;
      const now = this.textarea.value.split('\n');
      let head = 0;
      const shortest = Math.min(old.length, now.length);
      while (head < shortest && old[head] === now[head]) ++head;
      let tail = 0;
      while (tail < shortest - head && old[old.length - 1 - tail] === now[now.length - 1 - tail]) ++tail;
      const oldEnd = old.length - tail; // old lines [head, oldEnd) became now's [head, newEnd)
      const newEnd = now.length - tail;
      if (this.marks.size > 0 && !(oldEnd - head === 1 && newEnd - head === 1)) {
        const shift = newEnd - oldEnd;
        const kept = new Map();
        for (const [i, message] of this.marks) {
          if (i < head) kept.set(i, message);
          else if (i >= oldEnd) kept.set(i + shift, message);
        }
        this.marks = kept;
      }
      this.lines = now;
      this.draw();
      this.describeCaret();
    }

    // Marks from a run: converted lines plain, unreadable lines red with their message;
    // copied (blank and comment) lines keep what they had, as in the desktop program.
    applyRun(run) {
      let next = 0;
      for (let i = 0; i < run.outcomes.length; ++i) {
        const outcome = run.outcomes[i];
        if (outcome === OUTCOME.CONVERTED) this.marks.delete(i);
        else if (outcome === OUTCOME.UNREADABLE) this.marks.set(i, run.messages[next++]);
      }
      this.draw();
      this.describeCaret();
    }

    lineAt(clientY) {
      const ta = this.textarea;
      const style = getComputedStyle(ta);
      const y = clientY - ta.getBoundingClientRect().top - ta.clientTop - parseFloat(style.paddingTop);
      return Math.floor((y + ta.scrollTop) / parseFloat(style.lineHeight));
    }

    // The message of an unreadable line shows while the pointer is over it.
    hover(event) {
      const message = this.marks.get(this.lineAt(event.clientY));
      const title = message === undefined ? '' : message;
      if (this.textarea.title !== title) this.textarea.title = title;
    }

    // For the keyboard: the message of the line the caret is on.
    describeCaret() {
      const ta = this.textarea;
      let text = '';
      if (this.marks.size > 0 && document.activeElement === ta) {
        const line = ta.value.slice(0, ta.selectionStart).split('\n').length - 1;
        const message = this.marks.get(line);
        if (message !== undefined) text = `Line ${line + 1}: ${message}`;
      }
      if (this.status.textContent !== text) this.status.textContent = text;
    }
  }

  // The output pane: its text, and in the page only the lines in view.
  class LineView {
    constructor(element) {
      this.element = element;
      this.space = element.querySelector('.lines-space');
      this.rows = element.querySelector('.lines-rows');
      this.value = '';
      this.lines = [];
      element.lineView = this; // for the tests, and the later Save
      element.addEventListener('scroll', () => this.draw());
      new ResizeObserver(() => this.draw()).observe(element);
    }

    // The whole output: every line followed by "\n", as the engine wrote it.
    get text() {
      return this.value;
    }

    set text(value) {
      this.value = value;
      this.lines = value.split('\n');
      if (this.lines[this.lines.length - 1] === '') this.lines.pop();
      let widest = 0;
      for (const line of this.lines) if (line.length > widest) widest = line.length;
      const style = getComputedStyle(this.element);
      const lh = parseFloat(style.lineHeight);
      const pad = parseFloat(getComputedStyle(this.rows).paddingLeft);
      this.space.style.height = `${this.lines.length * lh + 2 * pad}px`;
      this.space.style.width = `calc(${widest}ch + ${2 * pad}px)`;
      this.element.scrollTop = 0;
      this.element.scrollLeft = 0;
      this.draw();
    }

    draw() {
      const lh = parseFloat(getComputedStyle(this.element).lineHeight);
      const pad = parseFloat(getComputedStyle(this.rows).paddingLeft);
      const first = Math.max(0, Math.floor((this.element.scrollTop - pad) / lh));
      const count = Math.min(Math.ceil(this.element.clientHeight / lh) + 2, Math.max(0, this.lines.length - first));
      while (this.rows.childElementCount < count) this.rows.appendChild(document.createElement('div'));
      while (this.rows.childElementCount > count) this.rows.lastElementChild.remove();
      let row = this.rows.firstElementChild;
      for (let i = first; i < first + count; ++i, row = row.nextElementSibling) {
        if (row.textContent !== this.lines[i]) row.textContent = this.lines[i];
      }
      this.rows.style.transform = `translateY(${pad + first * lh}px)`;
    }
  }

  const form = $('workspace');
  const input = new MarkedInput($('input'), $('input-marks'), $('input-status'));
  const output = new LineView($('output'));
  const copyButton = $('copy-output');
  const declination = $('declination');
  const slider = $('untilting-slider');
  const untilting = $('untilting');
  const convertButton = $('convert');
  const counts = $('counts');
  const lineation = $('lineation-data');
  const projection = $('projection');
  let engine = null;

  function warn(id, text) {
    const el = $(id);
    if (el.textContent !== text) el.textContent = text;
  }

  // A message box as the desktop program shows it: modal, one OK button.
  function showMessages(messages) {
    const box = $('message');
    const text = $('message-text');
    text.replaceChildren(
      ...messages.map((m) => {
        const p = document.createElement('p');
        p.textContent = m;
        return p;
      }),
    );
    if (!box.open) box.showModal();
  }

  // Declination: a warning while the text is not made of digits, "." and "-"; the text
  // stays as typed and the conversion reads it.
  function declinationChanged() {
    if (!engine) return;
    warn('declination-warning', engine.isNumber(declination.value) ? '' : 'Input rotation angle');
  }

  // Untilting: the slider writes its position into the field; the presets move the
  // slider; a whole number of 1 or more typed into the field moves the slider, which
  // clamps it to 0..100 and, when it moved, writes its position back (so 150 reads 100,
  // unless the slider already stood at 100). The conversion reads the field.
  function setSlider(value) {
    const position = Math.min(100, Math.max(0, value));
    if (position === Number(slider.value)) return;
    slider.value = String(position);
    sliderChanged();
  }

  function sliderChanged() {
    slider.setAttribute('aria-valuetext', `${slider.value} %`);
    untilting.value = slider.value;
    untiltingChanged();
  }

  function untiltingChanged() {
    if (!engine) return;
    const text = untilting.value;
    const value = engine.strToInt(text);
    if (value !== null) {
      warn('untilting-warning', '');
      if (value >= 1) setSlider(value); // 0 or less leaves the slider where it is
      return;
    }
    // "30-10" is the difference form, and "-" starts a negative number: no warning.
    warn('untilting-warning', text === '' || text.includes('-') ? '' : 'input [0-100]');
  }

  function options() {
    return {
      surfaceData: $('surface-data').checked,
      lineationData: lineation.checked,
      senseData: $('sense-data').checked,
      projectionToSurface: projection.checked, // read even while greyed out
      oneDecimal: !$('format-integer').checked,
      declination: declination.value,
      untilting: untilting.value,
    };
  }

  function plural(n, one, many) {
    return `${n.toLocaleString('en')} ${n === 1 ? one : many}`;
  }

  function convert() {
    const run = engine.convert(input.textarea.value, options());
    output.text = run.output;
    copyButton.disabled = run.output === '';
    $('copy-status').textContent = '';
    input.applyRun(run);
    const c = run.counts;
    let summary =
      `${plural(c.converted, 'line', 'lines')} converted, ` +
      `${c.unreadable.toLocaleString('en')} unreadable, ${c.copied.toLocaleString('en')} copied.`;
    if (run.stopped) summary = `Stopped at line ${run.outcomes.length + 1}. ` + summary;
    counts.textContent = summary;
    if (run.stopped) showMessages(run.stopMessages);
  }

  form.addEventListener('submit', (event) => {
    event.preventDefault(); // Enter in a field converts, as the desktop program's default button
    if (engine) convert();
  });
  copyButton.addEventListener('click', async () => {
    try {
      await navigator.clipboard.writeText(output.text);
      $('copy-status').textContent = 'Copied.';
    } catch (error) {
      $('copy-status').textContent = `Could not copy: ${error.message}`;
    }
  });
  declination.addEventListener('input', declinationChanged);
  untilting.addEventListener('input', untiltingChanged);
  slider.addEventListener('input', sliderChanged);
  for (const preset of document.querySelectorAll('.preset')) {
    preset.addEventListener('click', () => setSlider(Number(preset.dataset.value)));
  }
  // Without lineations there is nothing to project: the switch greys out, keeping its tick.
  lineation.addEventListener('change', () => {
    projection.disabled = !lineation.checked;
  });

  // Browsers compile WebAssembly quickly first and well only once a function has run
  // for a while, which would make the first Convert of a long text some three times
  // slower than the next. A few thousand lines in every notation, converted while the
  // page is idle, get the engine there first.
  function warmUp() {
    const sample = [
      '120 30 45 20 N 90/30 # a',
      'N28E32S R70N N N10E30E',
      '210/65 215/60 R 90/60',
      'NS70W P5S D 90/30',
      '40 85 N40W03N S N10E30E',
      'EW45N AN10W N 90/30',
      '300/45 AS60E R 90/30',
      '35 50 N',
      '# comment',
    ].join('\n');
    const text = (sample + '\n').repeat(400);
    for (const o of [{}, { untilting: '100', declination: '2' }, { oneDecimal: true, untilting: '37' }]) {
      engine.convert(text, o);
    }
  }

  loadOrvaneEngine(window.createOrvaneEngine).then(
    (loaded) => {
      engine = loaded;
      convertButton.disabled = false;
      document.documentElement.dataset.engine = 'ready';
      const idle = window.requestIdleCallback || ((f) => setTimeout(f, 0));
      idle(warmUp);
    },
    (error) => {
      counts.textContent = `The conversion engine could not start: ${error}`;
      document.documentElement.dataset.engine = 'failed';
    },
  );
})();
