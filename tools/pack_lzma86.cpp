// Packs a file into the launcher's LZMA86 form: filter 0 (no branch filter), properties
// 0x5D (lc 3, lp 0, pb 2) and a 16 MiB dictionary. Usage: pack_lzma86 input output
#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" {
#include "Lzma86.h"
}

namespace {

constexpr int kLevel = 5;  // gives lc 3, lp 0, pb 2
constexpr unsigned kDictionarySize = 16u << 20;

bool ReadFile(const char* path, std::vector<unsigned char>& bytes) {
  std::FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return false;
  unsigned char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  bool ok = std::ferror(f) == 0;
  std::fclose(f);
  return ok;
}

bool WriteFile(const char* path, const unsigned char* data, size_t size) {
  std::FILE* f = std::fopen(path, "wb");
  if (f == nullptr) return false;
  bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s input output\n", argv[0]);
    return 2;
  }
  std::vector<unsigned char> input;
  if (!ReadFile(argv[1], input)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  // Incompressible input can come out slightly larger than it went in.
  std::vector<unsigned char> output(input.size() + input.size() / 2 + 1024);
  size_t outSize = output.size();
  int res = Lzma86_Encode(output.data(), &outSize, input.data(), input.size(), kLevel, kDictionarySize, SZ_FILTER_NO);
  if (res != SZ_OK) {
    std::fprintf(stderr, "encoding failed (%d)\n", res);
    return 1;
  }
  if (!WriteFile(argv[2], output.data(), outSize)) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %zu -> %zu bytes\n", argv[2], input.size(), outSize);
  return 0;
}
