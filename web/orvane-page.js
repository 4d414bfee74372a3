// The page: the desktop program's main window and options in one form, on the engine
// compiled to WebAssembly (orvane-engine.js, through orvane-binding.js). Files are
// read, saved and drawn by the engine's own rules; nothing leaves the page.
(function () {
  'use strict';

  const $ = (id) => document.getElementById(id);
  const { OUTCOME, ENCODING, loadOrvaneEngine } = window.OrvaneBinding;
  const { LineEditor } = window.OrvaneLineEditor;

  // Nets of more faults than this are drawn when asked: the browser needs seconds to
  // show an SVG drawing of ten thousand great circles.
  const NET_DRAW_LIMIT = 5000;
  const NET_WIDTH = 1000; // the desktop program's export size
  const NET_HEIGHT = 800;
  const SETTINGS_KEY = 'orvane/ORV.ini';
  const ENCODING_NAMES = {
    [ENCODING.UTF8]: 'UTF-8',
    [ENCODING.UTF8_BOM]: 'UTF-8 with byte order mark',
    [ENCODING.WINDOWS_1252]: 'Windows-1252',
  };

  const form = $('workspace');
  const declination = $('declination');
  const slider = $('untilting-slider');
  const untilting = $('untilting');
  const convertButton = $('convert');
  const counts = $('counts');
  const lineation = $('lineation-data');
  const projection = $('projection');
  const removeComment = $('remove-comment');
  const copyButton = $('copy-output');
  const saveButton = $('save');
  const saveName = $('save-name');
  const netImage = $('net');
  let engine = null;

  // What the input came from: a file's name and encoding, or typed text.
  const source = { name: null, encoding: ENCODING.UTF8 };
  // The last run: its options, and whether input or settings changed since.
  let lastRun = null;
  let inputEditedSinceRun = false;
  // The net on the page: the provenance of its run, and what has been drawn of it.
  let net = null;
  let netUrl = null;

  // Sets an element's text, changing its text node rather than replacing it where it
  // has one: Chromium ends a run of typing that one undo takes back whenever nodes are
  // added or removed in the page.
  function say(id, text) {
    const el = $(id);
    if (el.textContent === text) return;
    if (el.childNodes.length === 1 && el.firstChild.nodeType === Node.TEXT_NODE) el.firstChild.data = text;
    else el.textContent = text;
  }

  function plural(n, one, many) {
    return `${n.toLocaleString('en')} ${n === 1 ? one : many}`;
  }

  // A message box as the desktop program shows it: modal, one OK button.
  function showMessages(messages) {
    const box = $('message');
    $('message-text').replaceChildren(
      ...messages.map((m) => {
        const p = document.createElement('p');
        p.textContent = m;
        return p;
      }),
    );
    if (!box.open) box.showModal();
  }

  // --- The panes ---------------------------------------------------------------------

  const input = new LineEditor($('input-editor'), $('input'), {
    marked: true,
    onEdit: () => {
      inputEditedSinceRun = true;
      showStale();
      describeCaret();
    },
  });
  const output = new LineEditor($('output-editor'), $('output'));
  // For the tests: the panes' whole texts.
  $('input').lineEditor = input;
  $('output').lineEditor = output;

  // The message of an unreadable line shows while the pointer is over it.
  $('input-editor').addEventListener('mousemove', (event) => {
    const message = input.marks.get(input.lineAtPoint(event.clientY));
    const title = message === undefined ? '' : message;
    if (input.textarea.title !== title) input.textarea.title = title;
  });

  // For the keyboard: the message of the line the caret is on, under the input.
  function describeCaret() {
    let text = '';
    if (input.marks.size > 0 && document.activeElement === input.textarea) {
      const line = input.caretLine();
      const message = input.marks.get(line);
      if (message !== undefined) text = `Line ${line + 1}: ${message}`;
    }
    say('input-status', text);
  }
  for (const type of ['keyup', 'mouseup', 'focus']) input.textarea.addEventListener(type, describeCaret);

  // The output's lines: a final line break ends the last line and starts none.
  function outputLines() {
    const lines = output.allLines();
    if (lines[lines.length - 1] === '') lines.pop();
    return lines;
  }

  // --- The settings column -------------------------------------------------------------

  // Declination: a warning while the text is not made of digits, "." and "-"; the text
  // stays as typed and the conversion reads it.
  function declinationChanged() {
    if (!engine) return;
    say('declination-warning', engine.isNumber(declination.value) ? '' : 'Input rotation angle');
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
      say('untilting-warning', '');
      if (value >= 1) setSlider(value); // 0 or less leaves the slider where it is
      return;
    }
    // "30-10" is the difference form, and "-" starts a negative number: no warning.
    say('untilting-warning', text === '' || text.includes('-') ? '' : 'input [0-100]');
  }

  // Without lineations there is nothing to project: the switch greys out, keeping its tick.
  function lineationChanged() {
    projection.disabled = !lineation.checked;
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

  // --- Out of date ------------------------------------------------------------------

  function sameOptions(a, b) {
    return Object.keys(a).every((k) => a[k] === b[k]);
  }

  // The output and the net say so when the input or a setting of the run has changed
  // since; the net also after a run that stopped, as it still shows the one before.
  function showStale() {
    if (!lastRun) return;
    const changed = inputEditedSinceRun || !sameOptions(options(), lastRun.options);
    $('output-stale').hidden = !changed;
    const netStale = net !== null && (changed || net.runId !== lastRun.id);
    $('net-stale').hidden = !netStale;
    $('net-stale-mark').hidden = !netStale;
    $('net-frame').classList.toggle('stale', netStale);
  }

  // --- Convert ----------------------------------------------------------------------

  function convert() {
    const o = options();
    const run = engine.convert(input.text, o);
    lastRun = { id: (lastRun ? lastRun.id : 0) + 1, options: o };
    inputEditedSinceRun = false;
    output.text = run.output;
    copyButton.disabled = run.output === '';
    say('copy-status', '');
    say('save-status', '');
    // Converted lines plain, unreadable lines red with their message; copied (blank and
    // comment) lines keep what they had, as in the desktop program.
    let next = 0;
    input.setMarks(run.outcomes.length, (i) => {
      const outcome = run.outcomes[i];
      if (outcome === OUTCOME.CONVERTED) return null;
      if (outcome === OUTCOME.UNREADABLE) return run.messages[next++];
      return undefined;
    });
    describeCaret();
    const c = run.counts;
    let summary =
      `${plural(c.converted, 'line', 'lines')} converted, ` +
      `${c.unreadable.toLocaleString('en')} unreadable, ${c.copied.toLocaleString('en')} copied.`;
    if (run.stopped) summary = `Stopped at line ${run.outcomes.length + 1}. ` + summary;
    counts.textContent = summary;
    if (!run.stopped) {
      saveButton.disabled = false;
      net = {
        runId: lastRun.id,
        source: source.name === null ? 'typed input' : source.name,
        declination: o.declination,
        untilting: o.untilting,
        ...engine.netCounts(),
      };
      netChanged();
    }
    showStale();
    if (run.stopped) showMessages(run.stopMessages);
  }

  form.addEventListener('submit', (event) => {
    event.preventDefault(); // Enter in a field converts, as the desktop program's default button
    if (engine) convert();
  });

  copyButton.addEventListener('click', async () => {
    try {
      await navigator.clipboard.writeText(output.text);
      say('copy-status', 'Copied.');
    } catch (error) {
      say('copy-status', `Could not copy: ${error.message}`);
    }
  });

  // --- Files ------------------------------------------------------------------------

  // Hands `bytes` to the browser as a download named `name`.
  function download(bytes, name, type) {
    const url = URL.createObjectURL(new Blob([bytes], { type }));
    const a = document.createElement('a');
    a.href = url;
    a.download = name;
    a.hidden = true;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  // Opens a field book as the desktop program does: the whole text replaces the input,
  // its encoding is kept for Save, and Save waits for the next run.
  async function openFile(file) {
    if (!engine) return;
    let bytes;
    try {
      bytes = new Uint8Array(await file.arrayBuffer());
    } catch (error) {
      showMessages([`Cannot read "${file.name}": ${error.message}`]);
      return;
    }
    let decoded;
    try {
      decoded = engine.decodeFile(bytes);
    } catch (error) {
      showMessages([`Cannot read "${file.name}": ${error.message}`]);
      return;
    }
    input.text = decoded.text;
    source.name = file.name;
    source.encoding = decoded.encoding;
    say('input-file', `${file.name} (${ENCODING_NAMES[decoded.encoding]})`);
    // The name to save under: the file's, without its extension unless that is ".fdt".
    const dot = file.name.lastIndexOf('.');
    saveName.value = dot > 0 && !file.name.endsWith('.fdt') ? file.name.slice(0, dot) : file.name;
    saveButton.disabled = true;
    inputEditedSinceRun = true;
    showStale();
    say('input-status', '');
    input.textarea.focus({ preventScroll: true });
  }

  const fileInput = $('file-input');
  $('open-file').addEventListener('click', () => fileInput.click());
  fileInput.addEventListener('change', () => {
    if (fileInput.files.length > 0) openFile(fileInput.files[0]);
    fileInput.value = ''; // the same file again is a new choice
  });

  // A file dropped anywhere on the page opens; of several, the first.
  const dropZone = $('drop-zone');
  const carriesFiles = (event) => event.dataTransfer && [...event.dataTransfer.types].includes('Files');
  document.addEventListener('dragover', (event) => {
    if (!carriesFiles(event)) return;
    event.preventDefault();
    event.dataTransfer.dropEffect = 'copy';
    dropZone.hidden = false;
  });
  document.addEventListener('dragleave', (event) => {
    if (event.relatedTarget === null) dropZone.hidden = true;
  });
  document.addEventListener('drop', (event) => {
    dropZone.hidden = true;
    if (!carriesFiles(event)) return;
    event.preventDefault();
    if (event.dataTransfer.files.length > 0) openFile(event.dataTransfer.files[0]);
  });

  // Save: the output's lines as a fault data file, made by the engine (the comment rule,
  // CR LF, the input's encoding), under the name with ".fdt" added where it lacks it.
  function save() {
    if (!engine || saveButton.disabled) return;
    const bytes = engine.faultFileBytes(outputLines(), removeComment.checked, source.encoding);
    const name = engine.faultDataFileName(saveName.value === '' ? 'result' : saveName.value);
    download(bytes, name, 'application/octet-stream');
    say('save-status', `Saved ${name}: ${plural(bytes.length, 'byte', 'bytes')}, ${ENCODING_NAMES[source.encoding]}.`);
  }
  saveButton.addEventListener('click', save);
  saveName.addEventListener('keydown', (event) => {
    if (event.key !== 'Enter') return;
    event.preventDefault(); // Enter here saves rather than converts
    save();
  });
  document.addEventListener('keydown', (event) => {
    if (!(event.ctrlKey || event.metaKey) || event.altKey || event.shiftKey) return;
    if (event.key === 's' || event.key === 'S') {
      event.preventDefault();
      save();
    } else if (event.key === 'o' || event.key === 'O') {
      event.preventDefault();
      fileInput.click();
    }
  });

  // --- The stereonet ----------------------------------------------------------------

  function netProjection() {
    return $('net-equal-angle').checked ? 'equal-angle' : 'equal-area';
  }

  // The SVG document of the last completed run's net, as the module writes it.
  function netSvg() {
    const style = { projection: netProjection(), width: NET_WIDTH, height: NET_HEIGHT };
    if (net) Object.assign(style, { source: net.source, declination: net.declination, untilting: net.untilting });
    const bytes = engine.netSvg(style);
    if (bytes === null) throw new Error('not enough memory to draw the stereonet');
    return bytes;
  }

  function netName(extension) {
    if (!net || source.name === null) return `stereonet.${extension}`;
    const dot = source.name.lastIndexOf('.');
    return `${dot > 0 ? source.name.slice(0, dot) : source.name}-stereonet.${extension}`;
  }

  // Lets the page show a status before a long drawing blocks it.
  const afterPaint = () => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));

  // Draws the net into the page, once it is in view (or when asked, for a crowded one).
  let netDrawn = null; // what is on the page: "runId projection"
  let netVisible = false;
  let netAsked = false;

  function netChanged() {
    netAsked = false;
    drawNetIfDue();
  }

  async function drawNet() {
    const key = `${net ? net.runId : 0} ${netProjection()}`;
    if (netDrawn === key) return;
    netDrawn = key;
    const what = net
      ? `${plural(net.faults, 'fault', 'faults')} drawn, ${plural(net.skipped, 'line', 'lines')} left out`
      : 'no run yet';
    const alt = `Stereonet, ${netProjection() === 'equal-area' ? 'equal area' : 'equal angle'}, lower hemisphere: ${what}`;
    $('net-crowded').hidden = true;
    say('net-status', 'Drawing…');
    await afterPaint();
    if (netDrawn !== key) return;
    let bytes;
    try {
      bytes = netSvg();
    } catch (error) {
      say('net-status', `Could not draw the stereonet: ${error.message}`);
      netDrawn = null;
      return;
    }
    const url = URL.createObjectURL(new Blob([bytes], { type: 'image/svg+xml' }));
    netImage.src = url;
    try {
      await netImage.decode();
    } catch (error) {
      // Replaced by a newer drawing, or a broken one: the checks below tell.
    }
    if (netImage.src !== url) {
      URL.revokeObjectURL(url); // a newer drawing took its place
      return;
    }
    if (netUrl) URL.revokeObjectURL(netUrl);
    netUrl = url;
    netImage.alt = alt;
    netImage.dataset.drawn = key;
    if (netDrawn === key) say('net-status', '');
  }

  function drawNetIfDue() {
    if (!engine) return;
    const key = `${net ? net.runId : 0} ${netProjection()}`;
    if (netDrawn === key) return;
    const crowded = net !== null && net.faults > NET_DRAW_LIMIT && !netAsked;
    $('net-crowded').hidden = !crowded;
    netImage.hidden = crowded;
    if (crowded) {
      say('net-crowded-text',
        `${plural(net.faults, 'fault', 'faults')} to draw: the browser takes a while over a net this full.`);
      return;
    }
    if (netVisible) drawNet();
  }

  $('net-draw').addEventListener('click', () => {
    netAsked = true;
    netImage.hidden = false;
    drawNetIfDue();
  });
  for (const radio of document.querySelectorAll('input[name="net-projection"]')) {
    radio.addEventListener('change', drawNetIfDue);
  }
  new IntersectionObserver((entries) => {
    netVisible = entries.some((e) => e.isIntersecting);
    drawNetIfDue();
  }, { rootMargin: '200px' }).observe($('net-frame'));

  $('export-svg').addEventListener('click', async () => {
    say('net-status', 'Writing the SVG…');
    await afterPaint();
    try {
      download(netSvg(), netName('svg'), 'image/svg+xml');
      say('net-status', `Exported ${netName('svg')}.`);
    } catch (error) {
      say('net-status', `Could not export: ${error.message}`);
    }
  });

  // PNG: the SVG drawn onto a canvas of the desktop export's size; the one on the page
  // where it is that drawing already, which saves reading the SVG again.
  $('export-png').addEventListener('click', async () => {
    say('net-status', 'Drawing the PNG…');
    await afterPaint();
    const onPage = netImage.dataset.drawn === `${net ? net.runId : 0} ${netProjection()}` && netImage.complete;
    const url = onPage ? null : URL.createObjectURL(new Blob([netSvg()], { type: 'image/svg+xml' }));
    try {
      let image = netImage;
      if (!onPage) {
        image = new Image(NET_WIDTH, NET_HEIGHT);
        image.src = url;
        await image.decode();
      }
      const canvas = document.createElement('canvas');
      canvas.width = NET_WIDTH;
      canvas.height = NET_HEIGHT;
      canvas.getContext('2d').drawImage(image, 0, 0, NET_WIDTH, NET_HEIGHT);
      const png = await new Promise((resolve) => canvas.toBlob(resolve, 'image/png'));
      if (!png) throw new Error('the browser could not make the PNG');
      download(png, netName('png'), 'image/png');
      say('net-status', `Exported ${netName('png')}.`);
    } catch (error) {
      say('net-status', `Could not export: ${error.message}`);
    } finally {
      if (url) URL.revokeObjectURL(url);
    }
  });

  // --- Stored settings ----------------------------------------------------------------

  // The engine's table of the eight stored settings names each; here is the control
  // that shows it, which must be of the setting's kind.
  const settingControls = {
    declination,
    untilting: slider,
    'format-integer': $('format-integer'),
    'format-decimal': $('format-decimal'),
    projection,
    'lineation-data': lineation,
    'sense-data': $('sense-data'),
    'remove-comment': removeComment,
  };
  const controlKinds = { text: ['text'], integer: ['range'], boolean: ['checkbox', 'radio'] };
  let settingsTable = [];

  function storedText() {
    try {
      return localStorage.getItem(SETTINGS_KEY) ?? '';
    } catch (error) {
      return ''; // storage refused (a private window, a policy): the defaults
    }
  }

  // Puts each stored value into its control as a user's change would: the control's
  // own rules follow (the slider clamps and writes the field, "liniation data" greys
  // out the projection, "int" then "double" set the format buttons).
  function loadSettings() {
    settingsTable = engine.settingsTable();
    for (const row of settingsTable) {
      const control = settingControls[row.name];
      if (!control || !controlKinds[row.type].includes(control.type)) {
        throw new Error(`no ${row.type} control for the stored setting "${row.key}"`);
      }
    }
    const values = engine.readSettings(storedText());
    settingsTable.forEach((row, i) => {
      const control = settingControls[row.name];
      const value = values[i];
      if (row.type === 'text') {
        control.value = value;
        declinationChanged();
      } else if (row.type === 'integer') {
        setSlider(Number(value));
      } else {
        control.checked = value === '1';
        if (control === lineation) lineationChanged();
      }
    });
  }

  function saveSettings() {
    if (settingsTable.length === 0) return;
    const values = settingsTable.map((row) => {
      const control = settingControls[row.name];
      if (row.type === 'text') return control.value;
      if (row.type === 'integer') return control.value;
      return control.checked ? '1' : '0';
    });
    try {
      localStorage.setItem(SETTINGS_KEY, engine.writeSettings(storedText(), values));
    } catch (error) {
      // Not stored; the page works on.
    }
  }

  // --- Wiring -------------------------------------------------------------------------

  declination.addEventListener('input', declinationChanged);
  untilting.addEventListener('input', untiltingChanged);
  slider.addEventListener('input', sliderChanged);
  for (const preset of document.querySelectorAll('.preset')) {
    preset.addEventListener('click', () => setSlider(Number(preset.dataset.value)));
  }
  lineation.addEventListener('change', lineationChanged);
  // Every change of a setting: out of date, and stored.
  form.addEventListener('input', () => showStale());
  form.addEventListener('change', () => showStale());
  const stored = new Set(Object.values(settingControls));
  for (const type of ['input', 'change', 'click']) {
    form.addEventListener(type, (event) => {
      if (stored.has(event.target) || event.target.classList.contains('preset')) saveSettings();
    });
  }
  window.addEventListener('pagehide', saveSettings);

  // Browsers compile WebAssembly quickly first and well only once a function has run
  // for a while, which would make the first Convert of a long text some three times
  // slower than the next. A few thousand lines in every notation, converted while the
  // page is idle, get the engine there first.
  function warmUp() {
    if (lastRun) return; // too late to help, and the engine keeps the net of that run
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
    // The warm-up is no run of the user's: the net stays empty until the first Convert.
    engine.convert('', {});
  }

  loadOrvaneEngine(window.createOrvaneEngine).then(
    (loaded) => {
      engine = loaded;
      loadSettings();
      convertButton.disabled = false;
      document.documentElement.dataset.engine = 'ready';
      drawNetIfDue();
      const idle = window.requestIdleCallback || ((f) => setTimeout(f, 0));
      idle(warmUp);
    },
    (error) => {
      counts.textContent = `The conversion engine could not start: ${error}`;
      document.documentElement.dataset.engine = 'failed';
    },
  );
})();
