// The engine module behind a small JavaScript face, for the page and for the tests
// that run it under Node. Texts go in and come out as UTF-8; lines are the engine's.
(function (root) {
  'use strict';

  const OUTCOME = Object.freeze({ COPIED: 0, CONVERTED: 1, UNREADABLE: 2 });
  const FLAGS = Object.freeze({
    surfaceData: 1,
    lineationData: 2,
    senseData: 4,
    projectionToSurface: 8,
    oneDecimal: 16,
  });

  // The settings of a run as the window takes them; the defaults are the window's.
  const DEFAULT_OPTIONS = Object.freeze({
    surfaceData: true,
    lineationData: true,
    senseData: true,
    projectionToSurface: true,
    oneDecimal: false,
    declination: '0',
    untilting: '0',
  });

  class OrvaneEngine {
    constructor(module) {
      this.m = module;
      this.encoder = new TextEncoder();
      this.decoder = new TextDecoder('utf-8');
    }

    // Copies `text` into the module as UTF-8; returns [pointer, byte count]. The caller frees.
    put(text) {
      const room = text.length * 3 + 1;
      const ptr = this.m._malloc(room);
      if (!ptr) throw new Error('out of memory for ' + room + ' bytes');
      const { written } = this.encoder.encodeInto(text, this.m.HEAPU8.subarray(ptr, ptr + room));
      return [ptr, written];
    }

    // Copies `bytes` (a Uint8Array) into the module; returns [pointer, byte count].
    putBytes(bytes) {
      const ptr = this.m._malloc(bytes.length + 1);
      if (!ptr) throw new Error('out of memory for ' + bytes.length + ' bytes');
      this.m.HEAPU8.set(bytes, ptr);
      return [ptr, bytes.length];
    }

    text(ptr, size) {
      return size === 0 ? '' : this.decoder.decode(this.m.HEAPU8.subarray(ptr, ptr + size));
    }

    // Calls `call` with the pointer and size of each text (copied in as UTF-8, freed after).
    withTexts(texts, call) {
      const pieces = [];
      try {
        for (const t of texts) pieces.push(typeof t === 'string' ? this.put(t) : this.putBytes(t));
        return call(...pieces.flat());
      } finally {
        for (const [ptr] of pieces) this.m._free(ptr);
      }
    }

    // The result buffer of the last call that fills it, as text or as a copy of its bytes.
    resultText() {
      return this.text(this.m._orvane_result(), this.m._orvane_result_size());
    }

    resultBytes() {
      const ptr = this.m._orvane_result();
      return this.m.HEAPU8.slice(ptr, ptr + this.m._orvane_result_size());
    }

    // Converts `input` with `options` (see DEFAULT_OPTIONS). Returns
    //   output:   the output lines, each followed by "\n"
    //   outcomes: a Uint8Array, one OUTCOME per input line that got an output line
    //   messages: the messages of the unreadable lines, in order
    //   counts:   { converted, unreadable, copied }
    //   stopped:  true when an unreadable declination or untilting ended the run;
    //             the lines before the one that stopped it are kept
    //   stopMessages: what the run told the user before it stopped
    convert(input, options) {
      const o = Object.assign({}, DEFAULT_OPTIONS, options);
      let flags = 0;
      for (const [name, bit] of Object.entries(FLAGS)) if (o[name]) flags |= bit;
      const pieces = [this.put(input), this.put(String(o.declination)), this.put(String(o.untilting))];
      let complete;
      try {
        complete = this.m._orvane_convert(
          pieces[0][0], pieces[0][1], pieces[1][0], pieces[1][1], pieces[2][0], pieces[2][1], flags);
      } finally {
        for (const [ptr] of pieces) this.m._free(ptr);
      }
      const m = this.m;
      const lineCount = m._orvane_line_count();
      const outcomesPtr = m._orvane_outcomes();
      const messages = this.text(m._orvane_messages(), m._orvane_messages_size());
      const stopMessages = this.text(m._orvane_stop_messages(), m._orvane_stop_messages_size());
      return {
        output: this.text(m._orvane_output(), m._orvane_output_size()),
        outcomes: m.HEAPU8.slice(outcomesPtr, outcomesPtr + lineCount),
        messages: messages === '' ? [] : messages.slice(0, -1).split('\n'),
        counts: {
          copied: m._orvane_count(OUTCOME.COPIED),
          converted: m._orvane_count(OUTCOME.CONVERTED),
          unreadable: m._orvane_count(OUTCOME.UNREADABLE),
        },
        stopped: complete === 0,
        stopMessages: stopMessages === '' ? [] : stopMessages.slice(0, -1).split('\n'),
      };
    }

    // The declination field's check: false when the window warns "Input rotation angle".
    isNumber(text) {
      const [ptr, size] = this.put(text);
      try {
        return this.m._orvane_is_number(ptr, size) === 1;
      } finally {
        this.m._free(ptr);
      }
    }

    // The untilting field as a whole number, or null when it is none.
    strToInt(text) {
      const [ptr, size] = this.put(text);
      const out = this.m._malloc(4);
      try {
        return this.m._orvane_str_to_int(ptr, size, out) === 1 ? this.m.HEAP32[out >> 2] : null;
      } finally {
        this.m._free(out);
        this.m._free(ptr);
      }
    }
  }

  // Field books and fault data files, through the engine's rules.
  Object.assign(OrvaneEngine.prototype, {
    // A file's bytes (Uint8Array) as the desktop program reads them: UTF-8, or else
    // Windows-1252. Returns { text, encoding }: the text with "\n" line breaks and
    // without a byte order mark, and the ENCODING to save it in.
    decodeFile(bytes) {
      const encoding = this.withTexts([bytes], (p, n) => this.m._orvane_decode_file(p, n));
      return { text: this.resultText(), encoding };
    },

    // The bytes (Uint8Array) of the fault data file of `lines` (an array of output
    // lines without line ends): CR LF after each, lines beginning with "#" left out
    // when `removeComment`, in `encoding`.
    faultFileBytes(lines, removeComment, encoding) {
      const text = lines.length === 0 ? '' : lines.join('\n') + '\n';
      this.withTexts([text], (p, n) => this.m._orvane_fault_file(p, n, removeComment ? 1 : 0, encoding));
      return this.resultBytes();
    },

    // The name a fault data file is saved under: "result" -> "result.fdt".
    faultDataFileName(name) {
      this.withTexts([name], (p, n) => this.m._orvane_fault_file_name(p, n));
      return this.resultText();
    },
  });

  // The stereonet of the last completed run.
  Object.assign(OrvaneEngine.prototype, {
    // The SVG document's bytes (Uint8Array), or null when the module ran out of memory.
    //   projection: 'equal-area' or 'equal-angle'
    //   source, declination, untilting: the provenance lines (texts, '' for none)
    //   width, height: pixels (default 1000 x 800, the export's size)
    netSvg({ projection = 'equal-area', source = '', declination = '', untilting = '', width = 1000, height = 800 } = {}) {
      const ok = this.withTexts([source, declination, untilting], (sp, sn, dp, dn, up, un) =>
        this.m._orvane_net_svg(projection === 'equal-angle' ? 1 : 0, sp, sn, dp, dn, up, un, width, height));
      return ok ? this.resultBytes() : null;
    },

    // { faults, skipped }: faults on the net and lines left out of it.
    netCounts() {
      return { faults: this.m._orvane_net_faults(), skipped: this.m._orvane_net_skipped() };
    },
  });

  // The stored settings: the engine's table, and a settings file (ORV.ini's format)
  // read and written through the engine.
  Object.assign(OrvaneEngine.prototype, {
    // [{ name, section, key, type: 'text' | 'integer' | 'boolean', fallback }] in the
    // table's order; values are texts as readSettings gives them.
    settingsTable() {
      const rows = [];
      for (let i = 0; i < this.m._orvane_setting_count(); ++i) {
        this.m._orvane_setting_describe(i);
        const [name, section, key, type, fallback] = this.resultText().split('\n');
        rows.push({ name, section, key, type, fallback });
      }
      return rows;
    },

    // The values that the settings file `iniText` gives, in the table's order: a text
    // as stored, an integer in decimal, a boolean as '1' or '0'; defaults where the
    // file lacks a setting or holds something unreadable.
    readSettings(iniText) {
      this.withTexts([iniText], (p, n) => this.m._orvane_settings_load(p, n));
      const values = [];
      for (let i = 0; i < this.m._orvane_setting_count(); ++i) {
        this.m._orvane_setting_read(i);
        values.push(this.resultText());
      }
      return values;
    },

    // `iniText` with every setting set to `values` (texts as readSettings gives them),
    // everything else in it kept.
    writeSettings(iniText, values) {
      this.withTexts([iniText], (p, n) => this.m._orvane_settings_load(p, n));
      values.forEach((value, i) => this.withTexts([String(value)], (p, n) => this.m._orvane_setting_write(i, p, n)));
      this.m._orvane_settings_text();
      return this.resultText();
    },
  });

  // How a file's text is stored (orvane_decode_file's codes).
  const ENCODING = Object.freeze({ UTF8: 0, UTF8_BOM: 1, WINDOWS_1252: 2 });

  // Resolves to an OrvaneEngine once the module (createOrvaneEngine from
  // orvane-engine.js) has compiled its embedded WebAssembly.
  async function loadOrvaneEngine(createModule) {
    return new OrvaneEngine(await createModule());
  }

  const api = { OrvaneEngine, loadOrvaneEngine, OUTCOME, ENCODING, DEFAULT_OPTIONS };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.OrvaneBinding = api;
})(typeof self !== 'undefined' ? self : this);
