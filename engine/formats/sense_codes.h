// How the analysis programs' files write the sense of slip, read and written here
// once: TectonicsFP's numeric codes and SG2PS's words.
#pragma once

#include <string_view>

namespace orvane {

// TectonicsFP's code of a sense letter: '1' reverse (R), '2' normal (N), '3' dextral
// (D), '4' sinistral (S), '0' for anything else (unknown).
char TectonicsFpCode(char sense);

// The sense letter of a TectonicsFP code (quality already taken off): 1 "R", 2 "N",
// 3 "D", 4 "S"; 0 (no sense) for 0 and 5, which mean unknown; '?' for any other
// number, which is no code.
char SenseOfTectonicsFpCode(int code);

// SG2PS's word for a sense letter: "NORMAL", "INVERSE", "DEXTRAL", "SINISTRAL", and
// "" for anything else.
std::string_view Sg2psSenseWord(char sense);

// The sense letter of an SG2PS sense word, matched ignoring ASCII letter case: "+",
// "THRUST", "UP", "INVERSE", "U", "I", "REVERSE", "R" reverse; "-", "NORMAL", "FAULT",
// "DOWN", "DOWNWARD", "N" normal; "DEXTRAL", "DX", "D" dextral; "SINISTRAL", "SN",
// "S" sinistral; 0 for "", "X" and "NONE"; '?' for any other word.
char SenseOfSg2psWord(std::string_view word);

}  // namespace orvane
