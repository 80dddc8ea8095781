// Writes COUNT pseudo-random bytes (every value 0 to 255, line feeds and NULs included) to
// standard output; the same SEED always gives the same bytes, so a failing fault test can be
// repeated.
//
// Usage: random_bytes COUNT SEED
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: random_bytes COUNT SEED\n");
    return 2;
  }
  unsigned long long count = std::strtoull(argv[1], nullptr, 10);
  std::uint64_t state = std::strtoull(argv[2], nullptr, 10) * 0x9E3779B97F4A7C15ULL + 1;
  std::vector<unsigned char> block(4096);
  while (count > 0) {
    std::size_t size = count < block.size() ? static_cast<std::size_t>(count) : block.size();
    for (std::size_t i = 0; i < size; ++i) {
      // xorshift64*: plenty for test data.
      state ^= state >> 12;
      state ^= state << 25;
      state ^= state >> 27;
      block[i] = static_cast<unsigned char>((state * 0x2545F4914F6CDD1DULL) >> 56);
    }
    if (std::fwrite(block.data(), 1, size, stdout) != size) return 1;
    count -= size;
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
