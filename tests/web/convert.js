// Converts a file with the page's engine, as `orvane-convert` converts it: the output
// lines on standard output. For comparing the two builds.
//
//   node convert.js PAGE_DIR FILE [--declination TEXT] [--untilting TEXT]
//        [--no-surface] [--no-lineation] [--no-sense] [--no-projection] [--decimal]
// Exit status: 0 every data line converted, 1 some became error lines, 2 the run stopped.
'use strict';
const fs = require('fs');
const path = require('path');

const [pageDir, file, ...args] = process.argv.slice(2);
if (!pageDir || !file) {
  process.stderr.write('usage: node convert.js PAGE_DIR FILE [OPTIONS]\n');
  process.exit(64);
}
const options = {};
const switches = {
  '--no-surface': ['surfaceData', false],
  '--no-lineation': ['lineationData', false],
  '--no-sense': ['senseData', false],
  '--no-projection': ['projectionToSurface', false],
  '--decimal': ['oneDecimal', true],
};
for (let i = 0; i < args.length; ++i) {
  if (args[i] === '--declination') options.declination = args[++i];
  else if (args[i] === '--untilting') options.untilting = args[++i];
  else if (switches[args[i]]) options[switches[args[i]][0]] = switches[args[i]][1];
  else {
    process.stderr.write(`convert.js: unknown option '${args[i]}'\n`);
    process.exit(64);
  }
}

const createOrvaneEngine = require(path.resolve(pageDir, 'orvane-engine.js'));
const { loadOrvaneEngine } = require(path.resolve(pageDir, 'orvane-binding.js'));

loadOrvaneEngine(createOrvaneEngine).then((engine) => {
  // The page hands the engine UTF-8; a file that is not UTF-8 would not come through
  // unchanged, so none is accepted here.
  const bytes = fs.readFileSync(file);
  const text = new TextDecoder('utf-8', { fatal: true }).decode(bytes);
  const run = engine.convert(text, options);
  process.stdout.write(run.output);
  for (const message of run.stopMessages) process.stderr.write(`convert.js: ${message}\n`);
  process.exitCode = run.stopped ? 2 : run.counts.unreadable > 0 ? 1 : 0;
});
