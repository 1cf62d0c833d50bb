#include "storage/Sha256.h"

#include <array>
#include <cstdint>

#if defined(__x86_64__)
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace wisetup {
namespace {

constexpr std::array<std::uint32_t, 64> kRound = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::uint32_t Rotr(std::uint32_t x, int n) {
  return (x >> n) | (x << (32 - n));
}

void Compress(std::array<std::uint32_t, 8>& h, const std::uint8_t* block) {
  std::array<std::uint32_t, 64> w{};
  for (int i = 0; i < 16; ++i) {
    w[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(block[4 * i]) << 24 |
                                     static_cast<std::uint32_t>(block[4 * i + 1]) << 16 |
                                     static_cast<std::uint32_t>(block[4 * i + 2]) << 8 |
                                     static_cast<std::uint32_t>(block[4 * i + 3]);
  }
  for (std::size_t i = 16; i < 64; ++i) {
    const std::uint32_t s0 = Rotr(w[i - 15], 7) ^ Rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
    const std::uint32_t s1 = Rotr(w[i - 2], 17) ^ Rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
    w[i] = w[i - 16] + s0 + w[i - 7] + s1;
  }
  std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], k = h[7];
  for (std::size_t i = 0; i < 64; ++i) {
    const std::uint32_t s1 = Rotr(e, 6) ^ Rotr(e, 11) ^ Rotr(e, 25);
    const std::uint32_t ch = (e & f) ^ (~e & g);
    const std::uint32_t t1 = k + s1 + ch + kRound[i] + w[i];
    const std::uint32_t s0 = Rotr(a, 2) ^ Rotr(a, 13) ^ Rotr(a, 22);
    const std::uint32_t maj = (a & b) ^ (a & c) ^ (b & c);
    const std::uint32_t t2 = s0 + maj;
    k = g;
    g = f;
    f = e;
    e = d + t1;
    d = c;
    c = b;
    b = a;
    a = t1 + t2;
  }
  h[0] += a;
  h[1] += b;
  h[2] += c;
  h[3] += d;
  h[4] += e;
  h[5] += f;
  h[6] += g;
  h[7] += k;
}

using State = std::array<std::uint32_t, 8>;
using CompressBlocks = void (*)(State& h, const std::uint8_t* blocks, std::size_t count);

void CompressPortable(State& h, const std::uint8_t* blocks, std::size_t count) {
  for (std::size_t b = 0; b < count; ++b) Compress(h, blocks + 64 * b);
}

#if defined(__x86_64__)
// The processor's SHA instructions take four rounds a step; the state is kept as ABEF and CDGH.
__attribute__((target("sha,sse4.1"))) void CompressShaNi(State& h, const std::uint8_t* blocks,
                                                         std::size_t count) {
  const __m128i byteSwap = _mm_set_epi64x(0x0c0d0e0f08090a0bLL, 0x0405060700010203LL);
  const __m128i dcba = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<__m128i*>(&h[0])), 0xB1);
  __m128i cdgh = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<__m128i*>(&h[4])), 0x1B);
  __m128i abef = _mm_alignr_epi8(dcba, cdgh, 8);
  cdgh = _mm_blend_epi16(cdgh, dcba, 0xF0);
  for (std::size_t b = 0; b < count; ++b) {
    const __m128i savedAbef = abef;
    const __m128i savedCdgh = cdgh;
    __m128i msg[4];
    for (int i = 0; i < 4; ++i) {
      const auto* at = reinterpret_cast<const __m128i*>(blocks + 64 * b + 16 * i);
      msg[i] = _mm_shuffle_epi8(_mm_loadu_si128(at), byteSwap);
    }
    for (int step = 0; step < 16; ++step) {
      const __m128i& now = msg[step % 4];
      const __m128i k = _mm_add_epi32(now, _mm_loadu_si128(reinterpret_cast<const __m128i*>(
                                               &kRound[4 * static_cast<std::size_t>(step)])));
      cdgh = _mm_sha256rnds2_epu32(cdgh, abef, k);
      abef = _mm_sha256rnds2_epu32(abef, cdgh, _mm_shuffle_epi32(k, 0x0E));
      __m128i& previous = msg[(step + 3) % 4];
      if (step >= 3 && step <= 14) {
        __m128i& next = msg[(step + 1) % 4];
        next = _mm_sha256msg2_epu32(_mm_add_epi32(next, _mm_alignr_epi8(now, previous, 4)), now);
      }
      if (step >= 1 && step <= 12) previous = _mm_sha256msg1_epu32(previous, now);
    }
    abef = _mm_add_epi32(abef, savedAbef);
    cdgh = _mm_add_epi32(cdgh, savedCdgh);
  }
  const __m128i feba = _mm_shuffle_epi32(abef, 0x1B);
  const __m128i dchg = _mm_shuffle_epi32(cdgh, 0xB1);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(&h[0]), _mm_blend_epi16(feba, dchg, 0xF0));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(&h[4]), _mm_alignr_epi8(dchg, feba, 8));
}

bool HasShaInstructions() {
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_SSE4_1) || !(c & bit_SSSE3)) return false;
  return __get_cpuid_count(7, 0, &a, &b, &c, &d) != 0 && (b & bit_SHA) != 0;
}
#endif

CompressBlocks Fastest() {
#if defined(__x86_64__)
  static const CompressBlocks chosen = HasShaInstructions() ? CompressShaNi : CompressPortable;
  return chosen;
#else
  return CompressPortable;
#endif
}

std::string Digest(std::string_view data, CompressBlocks compress) {
  State h = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
             0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
  std::size_t whole = data.size() / 64 * 64;
  compress(h, bytes, whole / 64);

  // The last bytes, the 0x80 marker and the bit length fill one or two final blocks.
  std::array<std::uint8_t, 128> tail{};
  const std::size_t rest = data.size() - whole;
  for (std::size_t i = 0; i < rest; ++i) tail[i] = bytes[whole + i];
  tail[rest] = 0x80;
  const std::size_t tailSize = rest < 56 ? 64 : 128;
  const std::uint64_t bits = static_cast<std::uint64_t>(data.size()) * 8;
  for (std::size_t i = 0; i < 8; ++i) {
    tail[tailSize - 1 - i] = static_cast<std::uint8_t>(bits >> (8 * i));
  }
  compress(h, tail.data(), tailSize / 64);

  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(64);
  for (const std::uint32_t word : h) {
    for (int shift = 28; shift >= 0; shift -= 4) out += kDigits[(word >> shift) & 0xF];
  }
  return out;
}

}  // namespace

std::string Sha256Hex(std::string_view data) {
  return Digest(data, Fastest());
}

std::string Sha256HexPortable(std::string_view data) {
  return Digest(data, CompressPortable);
}

}  // namespace wisetup
