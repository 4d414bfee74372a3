// A plain-text editor that stays quick for long field books.
//
// A browser's textarea lays out all of its text: given 100,000 lines, Chromium needs
// about five seconds to show it and is slow to type into; given 1,000 lines, a few
// tens of milliseconds. So the editor is a scrolled box as tall as the whole text,
// and a textarea in it that holds only the lines around the view. Up to WHOLE_LIMIT
// lines it holds all of them and is simply a textarea: typing, pasting, selecting
// and undo are the browser's own. Beyond, the textarea holds WINDOW_LINES lines and
// moves (its lines are written back and the next ones put in) when the view or the
// caret comes near one of its ends. Select all, copy, cut and paste then act on the
// whole text; a selection made by hand stays within the window (with the keyboard,
// the window follows it up to nearly WINDOW_LINES lines), and undo does not reach
// back past a move of the window.
//
// With a layer (the input pane), the textarea's own text is transparent and the
// layer behind it draws the lines in view, marked lines red and bold; the marks move
// with their lines as the text is edited.
(function (root) {
  'use strict';

  const WHOLE_LIMIT = 2000;
  const WINDOW_LINES = 1000;
  const EDGE_LINES = 250; // the window moves when the view comes this near one of its ends

  // The number of "\n" in text[from, to).
  function countBreaks(text, from = 0, to = text.length) {
    let n = 0;
    for (let i = text.indexOf('\n', from); i >= 0 && i < to; i = text.indexOf('\n', i + 1)) ++n;
    return n;
  }

  class LineEditor {
    // box: the scrolled element; it receives the textarea, a spacer and, with
    // `marked`, the layer. onEdit is called after every change of the text by the user.
    constructor(box, textarea, { marked = false, onEdit = () => {} } = {}) {
      this.box = box;
      this.textarea = textarea;
      this.onEdit = onEdit;
      this.head = []; // lines before the window
      this.win = ['']; // the window's lines: the textarea's text split at "\n"
      this.tail = []; // lines after the window
      this.marks = new Map(); // line index -> message
      this.detached = null; // a selection left outside the window by scrolling
      this.allSelected = false; // Ctrl+A: everything, not only the window

      box.classList.add('line-editor');
      this.space = document.createElement('div');
      this.space.className = 'line-editor-space';
      this.space.setAttribute('aria-hidden', 'true');
      box.prepend(this.space);
      if (marked) {
        box.classList.add('marked');
        this.layer = document.createElement('div');
        this.layer.className = 'marks-lines';
        this.layer.setAttribute('aria-hidden', 'true');
        box.insertBefore(this.layer, textarea);
      } else {
        this.layer = null;
      }

      textarea.addEventListener('input', () => this.edited());
      textarea.addEventListener('keydown', (e) => this.keydown(e));
      // Showing the caret at the start of a line or of the text leaves the padding out
      // of view; it comes back.
      textarea.addEventListener('keyup', () => {
        if (this.box.scrollLeft <= this.pad) this.box.scrollLeft = 0;
        if (this.box.scrollTop <= this.pad) this.box.scrollTop = 0;
      });
      textarea.addEventListener('beforeinput', (e) => this.beforeinput(e));
      textarea.addEventListener('paste', (e) => this.paste(e));
      textarea.addEventListener('copy', (e) => this.copy(e, false));
      textarea.addEventListener('cut', (e) => this.copy(e, true));
      textarea.addEventListener('compositionstart', () => this.reattach());
      // While a button is down (a selection being dragged) the window stays.
      this.pointerDown = false;
      textarea.addEventListener('mousedown', () => {
        this.detached = null;
        this.allSelected = false;
        this.pointerDown = true;
      });
      document.addEventListener('mouseup', () => {
        if (!this.pointerDown) return;
        this.pointerDown = false;
        this.scrolled();
      });
      // The textarea never scrolls itself: where the browser scrolled it to show the
      // caret, the box scrolls instead.
      textarea.addEventListener('scroll', () => this.handOverScroll());
      box.addEventListener('scroll', () => this.scrolled());
      new ResizeObserver(() => {
        this.metrics(); // the reader's font size may have changed
        this.layOut();
        this.draw();
      }).observe(box);
      this.metrics();
      this.layOut();
    }

    // The text: lines joined by "\n".
    get text() {
      const parts = [];
      if (this.head.length > 0) parts.push(this.head.join('\n'));
      parts.push(this.textarea.value);
      if (this.tail.length > 0) parts.push(this.tail.join('\n'));
      return parts.join('\n');
    }

    // Replaces the whole text (line breaks "\n", "\r\n" or "\r"); marks are dropped,
    // the view goes to the top and the caret to the start.
    set text(value) {
      this.marks.clear();
      this.detached = null;
      this.allSelected = false;
      this.setLines(value.includes('\r') ? value.split(/\r\n|\r|\n/) : value.split('\n'), 0);
      this.box.scrollTop = 0;
      this.box.scrollLeft = 0;
      this.textarea.setSelectionRange(0, 0);
      this.draw();
    }

    get lineCount() {
      return this.head.length + this.win.length + this.tail.length;
    }

    lineAt(i) {
      if (i < this.head.length) return this.head[i];
      i -= this.head.length;
      if (i < this.win.length) return this.win[i];
      return this.tail[i - this.win.length];
    }

    allLines() {
      return this.head.concat(this.win, this.tail);
    }

    get windowStart() {
      return this.head.length;
    }

    // The line index at a point of the screen (clientY), or -1 outside the text.
    lineAtPoint(clientY) {
      const top = this.box.getBoundingClientRect().top + this.box.clientTop;
      const i = Math.floor((clientY - top + this.box.scrollTop - this.pad) / this.lh);
      return i >= 0 && i < this.lineCount ? i : -1;
    }

    // The line the caret (the moving end of the selection) is on.
    caretLine() {
      if (this.detached) return this.detached.focus.line;
      const ta = this.textarea;
      const at = ta.selectionDirection === 'backward' ? ta.selectionStart : ta.selectionEnd;
      return this.head.length + countBreaks(ta.value, 0, at);
    }

    // Marks from a run: `outcome(i)` for each line i < count gives the message of a
    // line to mark, null for a line to unmark, or undefined to leave the line as it is.
    setMarks(count, outcome) {
      for (let i = 0; i < count; ++i) {
        const o = outcome(i);
        if (o === undefined) continue;
        if (o === null) this.marks.delete(i);
        else this.marks.set(i, o);
      }
      this.draw();
    }

    // Scrolls so that line i is in view (in the middle when it was not).
    revealLine(i) {
      const y = this.pad + i * this.lh;
      if (y < this.box.scrollTop || y + this.lh > this.box.scrollTop + this.box.clientHeight) {
        this.box.scrollTop = Math.max(0, y - this.box.clientHeight / 2);
      }
    }

    // --- The window ------------------------------------------------------------

    metrics() {
      const style = getComputedStyle(this.textarea);
      this.lh = parseFloat(style.lineHeight);
      this.pad = parseFloat(style.paddingTop);
    }

    get windowed() {
      return this.head.length > 0 || this.tail.length > 0;
    }

    // Puts lines[start, start + WINDOW_LINES) into the textarea (all lines when they
    // are few), the others into head and tail.
    setLines(lines, start) {
      let s = 0;
      let e = lines.length;
      if (lines.length > WHOLE_LIMIT) {
        s = Math.max(0, Math.min(start, lines.length - WINDOW_LINES));
        e = s + WINDOW_LINES;
      }
      this.head = s === 0 ? [] : lines.slice(0, s);
      this.win = s === 0 && e === lines.length ? lines : lines.slice(s, e);
      this.tail = e === lines.length ? [] : lines.slice(e);
      this.textarea.value = this.win.join('\n');
      this.layOut(true);
    }

    // Moves the window so that it starts near `start`, keeping the selection where it
    // is in the text; a selection that the new window does not hold is kept aside.
    moveWindow(start) {
      const ta = this.textarea;
      const focused = document.activeElement === ta;
      const selection = this.detached || this.selection();
      const all = this.allLines();
      const scrollTop = this.box.scrollTop;
      const scrollLeft = this.box.scrollLeft;
      this.setLines(all, start);
      this.box.scrollTop = scrollTop;
      this.box.scrollLeft = scrollLeft;
      const back = this.toWindow(selection.anchor);
      const front = this.toWindow(selection.focus);
      if (this.allSelected) {
        ta.setSelectionRange(0, ta.value.length);
      } else if (back !== null && front !== null) {
        this.detached = null;
        if (back <= front) ta.setSelectionRange(back, front, 'forward');
        else ta.setSelectionRange(front, back, 'backward');
      } else {
        this.detached = selection;
        ta.setSelectionRange(0, 0);
      }
      if (focused && document.activeElement !== ta) ta.focus({ preventScroll: true });
      this.draw();
    }

    // The selection in lines and columns of the whole text.
    selection() {
      const ta = this.textarea;
      const position = (offset) => {
        const line = countBreaks(ta.value, 0, offset);
        const lineStart = ta.value.lastIndexOf('\n', offset - 1) + 1;
        return { line: this.head.length + line, column: offset - lineStart };
      };
      const start = position(ta.selectionStart);
      const end = position(ta.selectionEnd);
      return ta.selectionDirection === 'backward' ? { anchor: end, focus: start } : { anchor: start, focus: end };
    }

    // The offset in the textarea of a position of the whole text, or null outside it.
    toWindow({ line, column }) {
      const i = line - this.head.length;
      if (i < 0 || i >= this.win.length) return null;
      let offset = 0;
      for (let k = 0; k < i; ++k) offset += this.win[k].length + 1;
      return offset + Math.min(column, this.win[i].length);
    }

    // The window follows the view: when fewer than EDGE_LINES lines lie between the
    // lines in view and an end of the window, it is centred on the view and the
    // selection together where they fit into it, else on the view alone.
    scrolled() {
      if (this.windowed && !this.pointerDown) {
        const first = Math.floor((this.box.scrollTop - this.pad) / this.lh);
        const last = first + Math.ceil(this.box.clientHeight / this.lh);
        const s = this.head.length;
        const e = s + this.win.length;
        if ((first - s < EDGE_LINES && s > 0) || (e - last < EDGE_LINES && this.tail.length > 0)) {
          const { anchor, focus } = this.detached || this.selection();
          const low = Math.min(first, anchor.line, focus.line);
          const high = Math.max(last, anchor.line, focus.line);
          const both = high - low <= WINDOW_LINES - 2 * (last - first);
          const start = Math.round(both ? (low + high - WINDOW_LINES) / 2 : (first + last - WINDOW_LINES) / 2);
          // Where the window cannot move further that way, it stays.
          if (Math.max(0, Math.min(start, this.lineCount - WINDOW_LINES)) !== s) this.moveWindow(start);
        }
      }
      this.draw();
    }

    // A selection that scrolling left outside the window comes back (and into view)
    // before the keyboard acts on it.
    reattach() {
      if (!this.detached) return;
      const { anchor, focus } = this.detached;
      this.centreOnSelection(anchor, focus);
      this.revealLine(focus.line);
    }

    // The textarea's size and place: as high as its lines (and at least the box where
    // it holds the last line, so that a click below the text lands in it), as wide as
    // its longest line and some room to type.
    layOut(measure = false) {
      const ta = this.textarea;
      const boxHeight = this.box.clientHeight;
      const boxWidth = this.box.clientWidth;
      let height = this.win.length * this.lh + 2 * this.pad;
      if (this.tail.length === 0) height = Math.max(height, boxHeight - this.head.length * this.lh);
      ta.style.top = `${this.head.length * this.lh}px`;
      ta.style.height = `${height}px`;
      if (measure || !(parseFloat(ta.style.width) >= boxWidth)) ta.style.width = `${boxWidth}px`;
      if (ta.scrollWidth > ta.clientWidth) ta.style.width = `${ta.scrollWidth + 4 * this.lh}px`;
      this.space.style.height = `${(this.head.length + this.win.length + this.tail.length) * this.lh + 2 * this.pad}px`;
      this.space.style.width = ta.style.width;
      this.handOverScroll();
    }

    handOverScroll() {
      const ta = this.textarea;
      if (ta.scrollTop === 0 && ta.scrollLeft === 0) return;
      const dy = ta.scrollTop;
      const dx = ta.scrollLeft;
      ta.scrollTop = 0;
      ta.scrollLeft = 0;
      this.box.scrollTop += dy;
      this.box.scrollLeft += dx;
    }

    // --- Editing -----------------------------------------------------------------

    // After the browser changed the textarea's text: the marks follow their lines.
    edited() {
      const now = this.textarea.value.split('\n');
      this.moveMarks(this.head.length, this.win, now);
      this.win = now;
      this.layOut();
      this.draw();
      this.onEdit();
    }

    // Lines before and after a change keep their marks, a line edited in place keeps
    // its own, lines replaced lose theirs. `old` and `now` are the lines from `from` on
    // before and after the change; everything after them moves with the difference.
    moveMarks(from, old, now) {
      if (this.marks.size === 0) return;
      let head = 0;
      const shortest = Math.min(old.length, now.length);
      while (head < shortest && old[head] === now[head]) ++head;
      let tail = 0;
      while (tail < shortest - head && old[old.length - 1 - tail] === now[now.length - 1 - tail]) ++tail;
      const oldEnd = old.length - tail;
      const newEnd = now.length - tail;
      if (oldEnd - head === 1 && newEnd - head === 1) return;
      const shift = newEnd - oldEnd;
      const kept = new Map();
      for (const [i, message] of this.marks) {
        if (i < from + head) kept.set(i, message);
        else if (i >= from + oldEnd) kept.set(i + shift, message);
      }
      this.marks = kept;
    }

    // Replaces the text between two positions of the whole text by `text` and puts
    // the caret after it: paste, cut and typing over everything in a long text.
    replace(start, end, text) {
      const all = this.allLines();
      const before = all[start.line].slice(0, start.column);
      const after = all[end.line].slice(end.column);
      const inserted = (before + text + after).split('\n');
      const old = all.slice(start.line, end.line + 1);
      this.moveMarks(start.line, old, inserted);
      const lines = all.slice(0, start.line).concat(inserted, all.slice(end.line + 1));
      const caret = {
        line: start.line + inserted.length - 1,
        column: inserted[inserted.length - 1].length - after.length,
      };
      this.detached = null;
      this.allSelected = false;
      this.setLines(lines, caret.line - WINDOW_LINES / 2);
      const offset = this.toWindow(caret);
      this.textarea.setSelectionRange(offset, offset);
      this.revealLine(caret.line);
      this.draw();
      this.onEdit();
    }

    // True while Ctrl+A's selection of everything stands.
    everythingSelected() {
      const ta = this.textarea;
      if (this.allSelected && (ta.selectionStart !== 0 || ta.selectionEnd !== ta.value.length)) {
        this.allSelected = false;
      }
      return this.allSelected;
    }

    everything() {
      const last = this.lineCount - 1;
      return [{ line: 0, column: 0 }, { line: last, column: this.lineAt(last).length }];
    }

    keydown(e) {
      const control = e.ctrlKey || e.metaKey;
      if ((e.key === 'PageDown' || e.key === 'PageUp') && !control && !e.altKey) {
        e.preventDefault();
        this.page(e.key === 'PageDown' ? 1 : -1, e.shiftKey);
        return;
      }
      if (!this.windowed) return;
      if (control && !e.altKey && (e.key === 'a' || e.key === 'A')) {
        e.preventDefault();
        this.detached = null;
        this.allSelected = true;
        this.textarea.setSelectionRange(0, this.textarea.value.length);
        return;
      }
      if (['Control', 'Shift', 'Alt', 'Meta', 'CapsLock'].includes(e.key)) return;
      if (this.everythingSelected()) return; // the change itself is handled in beforeinput
      this.reattach();
      if (control && (e.key === 'Home' || e.key === 'End') && !e.shiftKey) {
        // The browser then puts the caret at the start or the end of the textarea, but
        // shows it only where that moved it.
        const home = e.key === 'Home';
        this.moveWindow(home ? 0 : this.lineCount);
        this.detached = null;
        this.box.scrollTop = home ? 0 : this.box.scrollHeight;
        this.scrolled();
        return;
      }
      // Whatever the key does (move, join lines, extend the selection), the caret keeps
      // a screenful of lines on either side: near an end of the window, the window is
      // centred on the selection again. A selection too long for that has reached the
      // longest the keyboard can make it.
      const { anchor, focus } = this.selection();
      const page = Math.ceil(this.box.clientHeight / this.lh) + 2;
      const s = this.head.length;
      const near = (focus.line - s < page && s > 0) || (s + this.win.length - focus.line < page && this.tail.length > 0);
      if (!near) return;
      if (Math.abs(anchor.line - focus.line) <= this.longestSelection(page)) {
        this.centreOnSelection(anchor, focus);
      } else if (e.shiftKey) {
        e.preventDefault();
      }
    }

    // The most lines a selection made by hand may span: the window less two screenfuls
    // at each end, so that the window also holds it together with the view.
    longestSelection(page) {
      return WINDOW_LINES - 4 * page;
    }

    centreOnSelection(anchor, focus) {
      this.moveWindow(Math.round((anchor.line + focus.line - WINDOW_LINES) / 2));
    }

    // Page Down and Page Up: the caret and the view move by the lines in view, less
    // one. (The browser would page by the textarea's height, which is the window's.)
    page(direction, extend) {
      this.reattach();
      const ta = this.textarea;
      const lines = Math.max(1, Math.floor(this.box.clientHeight / this.lh) - 1);
      const { anchor, focus } = this.selection();
      let line = Math.max(0, Math.min(this.lineCount - 1, focus.line + direction * lines));
      if (extend) {
        const longest = this.longestSelection(lines + 3);
        line = Math.max(anchor.line - longest, Math.min(anchor.line + longest, line));
      }
      const end = { line, column: focus.column };
      const from = extend ? anchor : end;
      if (Math.min(from.line, line) < this.head.length || Math.max(from.line, line) >= this.head.length + this.win.length) {
        this.centreOnSelection(from, end);
      }
      const to = this.toWindow(end);
      const back = this.toWindow(from);
      if (back <= to) ta.setSelectionRange(back, to, 'forward');
      else ta.setSelectionRange(to, back, 'backward');
      this.box.scrollTop += direction * lines * this.lh;
      this.revealLine(line);
      this.draw();
    }

    // Typing over everything selected in a long text replaces all of it: the lines
    // outside the window go, and the browser replaces the window's.
    beforeinput(e) {
      if (!this.windowed) return;
      if (this.everythingSelected()) {
        this.marks.clear();
        this.head = [];
        this.tail = [];
        this.allSelected = false;
        this.layOut();
        return;
      }
      if (this.detached && e.cancelable) {
        e.preventDefault();
        this.reattach();
      }
    }

    paste(e) {
      const pasted = e.clipboardData.getData('text/plain').replace(/\r\n?/g, '\n');
      const lines = countBreaks(pasted) + 1;
      if (!this.windowed && this.lineCount + lines <= WHOLE_LIMIT) return; // the browser's own
      e.preventDefault();
      if (this.everythingSelected()) {
        const [start, end] = this.everything();
        this.replace(start, end, pasted);
        return;
      }
      const { anchor, focus } = this.detached || this.selection();
      const forward = anchor.line < focus.line || (anchor.line === focus.line && anchor.column <= focus.column);
      this.replace(forward ? anchor : focus, forward ? focus : anchor, pasted);
    }

    copy(e, cut) {
      if (!this.windowed) return;
      let range = null;
      if (this.everythingSelected()) range = this.everything();
      else if (this.detached) {
        const { anchor, focus } = this.detached;
        const forward = anchor.line < focus.line || (anchor.line === focus.line && anchor.column <= focus.column);
        range = forward ? [anchor, focus] : [focus, anchor];
      }
      if (range === null) return; // the window holds the selection: the browser's own
      const [start, end] = range;
      const lines = [];
      for (let i = start.line; i <= end.line; ++i) {
        let line = this.lineAt(i);
        if (i === end.line) line = line.slice(0, end.column);
        if (i === start.line) line = line.slice(start.column);
        lines.push(line);
      }
      e.clipboardData.setData('text/plain', lines.join('\n'));
      e.preventDefault();
      if (cut) this.replace(start, end, '');
    }

    // --- The layer -----------------------------------------------------------------

    // Draws the lines in view behind the textarea, marked ones red and bold. The rows
    // stay and only their texts change: Chromium ends a run of typing that one undo
    // takes back whenever nodes are added or removed elsewhere in the page.
    draw() {
      if (!this.layer) return;
      const first = Math.max(0, Math.floor((this.box.scrollTop - this.pad) / this.lh));
      const count = Math.ceil(this.box.clientHeight / this.lh) + 2;
      const shown = Math.max(0, Math.min(count, this.lineCount - first));
      const rows = this.layer;
      while (rows.childElementCount < count) {
        rows.appendChild(document.createElement('div')).appendChild(document.createTextNode(''));
      }
      while (rows.childElementCount > count) rows.lastElementChild.remove();
      let row = rows.firstElementChild;
      for (let k = 0; k < count; ++k, row = row.nextElementSibling) {
        const text = k < shown ? this.lineAt(first + k) : '';
        if (row.firstChild.data !== text) row.firstChild.data = text;
        const marked = k < shown && this.marks.has(first + k);
        if (row.classList.contains('error') !== marked) row.classList.toggle('error', marked);
      }
      rows.style.top = `${this.pad + first * this.lh}px`;
      rows.style.height = `${shown * this.lh}px`;
    }
  }

  const api = { LineEditor, WHOLE_LIMIT, WINDOW_LINES };
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.OrvaneLineEditor = api;
})(typeof self !== 'undefined' ? self : this);
