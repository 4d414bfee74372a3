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

    text(ptr, size) {
      return size === 0 ? '' : this.decoder.decode(this.m.HEAPU8.subarray(ptr, ptr + size));
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

  // Resolves to an OrvaneEngine once the module (createOrvaneEngine from
  // orvane-engine.js) has compiled its embedded WebAssembly.
  async function loadOrvaneEngine(createModule) {
    return new OrvaneEngine(await createModule());
  }

  const api = { OrvaneEngine, loadOrvaneEngine, OUTCOME, DEFAULT_OPTIONS };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.OrvaneBinding = api;
})(typeof self !== 'undefined' ? self : this);
