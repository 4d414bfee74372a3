// What the converter sets up before it opens any file.
#pragma once

namespace orvane::cli {

// Makes sure descriptors 0, 1 and 2 are open, so that no file the program opens
// takes the place of a standard stream (diagnostics would land in it). A closed one
// is opened on /dev/null the wrong way round, so that using it fails: reading a
// closed standard input says "cannot read '-'", writing a closed standard output
// "cannot write '-'". False when /dev/null cannot be opened.
bool OpenClosedStandardStreams();

// On SIGINT, SIGTERM, SIGHUP and SIGPIPE, removes the temporary file of every
// unfinished AtomicFile, then ends the program by the signal as if it had not been
// caught (a shell reports 128 + the signal). A signal ignored at start stays ignored.
void RemoveTemporaryFilesOnSignals();

// An exception that cannot reach main (one thrown while another unwinds, as a
// painter can when memory runs out) ends the program here instead of in abort():
// temporary files removed, "orvane-convert: out of memory" (or the exception's
// text) on standard error, exit status 2.
void ReportUncaughtExceptions();

}  // namespace orvane::cli
