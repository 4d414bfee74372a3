// The writer of each format, one per file beside this one; file_formats.cpp puts
// them in the table. Every format ends its lines in CR LF and copies the numbers
// as the output line writes them; LINE is the input line's number, counted from 1
// (in the window, the line's number in the output pane).
#pragma once

#include "format_writer.h"

namespace orvane {

// fdt: every output line unchanged, less the lines that the comment rule leaves
// out: the bytes of FaultFileBytes.
const FormatWriter& FaultDataFileWriter();

// csv (RFC 4180), for spreadsheets and APSG's FaultSet.from_csv:
//   dip_direction,dip,trend,plunge,sense,comment,line
//   118,30,48,11,N,"site 1, quarry wall",3
// The sense is the letter, empty for a line without one; trend and plunge are
// empty without a lineation; the comment loses its "#" and surrounding blanks. A
// cell is quoted only when it holds a comma, a quote (written twice), CR or LF.
// No comment rows; blank lines are left out.
const FormatWriter& CsvWriter();

// fpl, TectonicsFP's fault file: SENSE,DIPDIR,DIP,AZIMUTH,PLUNGE[,comment]
//   2,118,30,48,11,site 1, quarry wall
// SENSE 1 reverse, 2 normal, 3 dextral, 4 sinistral, 0 none. A comment line or an
// error line becomes ";" and the line after its first "#":
//   "# error in liniation data [35 50 N]" -> "; error in liniation data [35 50 N]"
// CR and LF inside a comment become blanks. Refuses a run without lineations, and
// a line without a lineation. No byte order mark.
const FormatWriter& TectonicsFpWriter();

// rgf, SG2PS's data file: tab-separated, every column name and every cell followed
// by a tab; DATA_ID "L" + LINE ("L3"), LOCATION from the options, LOC_X and LOC_Y
// "0.000000", DATATYPE "STRIAE", the numbers with one decimal ("118.0"), SENSE
// NORMAL, INVERSE, DEXTRAL or SINISTRAL (empty for a line without a sense),
// COMMENT the comment as in csv; DEPTH, GROUP_CODE, COLOR_CODE, FORMATION and
// PALEONORTH empty. A tab, CR or LF inside a cell becomes a blank. No comment rows,
// no byte order mark.
const FormatWriter& Sg2psWriter();

}  // namespace orvane
