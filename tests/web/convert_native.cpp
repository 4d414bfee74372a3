// Converts a file with the page's binding built natively, as tests/web/convert.js does
// with the WebAssembly build: the output lines on standard output, so that the binding
// can be compared with orvane-convert.
//
//   page_engine_convert FILE [--declination TEXT] [--untilting TEXT]
//       [--no-surface] [--no-lineation] [--no-sense] [--no-projection] [--decimal]
// Exit status: 0 every data line converted, 1 some became error lines, 2 the run stopped.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

extern "C" {
int orvane_convert(const char*, std::size_t, const char*, std::size_t, const char*, std::size_t,
                   int);
const char* orvane_output();
std::size_t orvane_output_size();
std::uint32_t orvane_count(int);
const char* orvane_stop_messages();
std::size_t orvane_stop_messages_size();
}

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: page_engine_convert FILE [OPTIONS]\n");
    return 64;
  }
  std::string declination = "0", untilting = "0";
  int flags = 1 | 2 | 4 | 8;  // surface, lineation, sense, projection
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--declination" && i + 1 < argc) {
      declination = argv[++i];
    } else if (a == "--untilting" && i + 1 < argc) {
      untilting = argv[++i];
    } else if (a == "--no-surface") {
      flags &= ~1;
    } else if (a == "--no-lineation") {
      flags &= ~2;
    } else if (a == "--no-sense") {
      flags &= ~4;
    } else if (a == "--no-projection") {
      flags &= ~8;
    } else if (a == "--decimal") {
      flags |= 16;
    } else {
      std::fprintf(stderr, "page_engine_convert: unknown option '%s'\n", a.c_str());
      return 64;
    }
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "page_engine_convert: cannot read '%s'\n", argv[1]);
    return 2;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const int complete =
      orvane_convert(text.data(), text.size(), declination.data(), declination.size(),
                     untilting.data(), untilting.size(), flags);
  std::fwrite(orvane_output(), 1, orvane_output_size(), stdout);
  std::fwrite(orvane_stop_messages(), 1, orvane_stop_messages_size(), stderr);
  if (!complete) return 2;
  return orvane_count(2) > 0 ? 1 : 0;
}
