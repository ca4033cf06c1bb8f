#pragma once
// Every random choice of the program (random parameters, formulas, colours and
// gradations) draws through these functions, so one seed reproduces a session.
//
// The generator is one process-wide additive feedback generator, used from one
// thread only. It yields exactly the sequence of the C library's random() after
// srandom(seed), but is our own, so no other code can disturb it and the
// sequence is the same on every platform. randomize() seeds it once at start-up
// from the clock; a caller that wants a reproducible run (the renderer's --seed,
// an unsigned 32-bit value S) calls seed(S), which is the same as srandom(S).
// Before any seeding it behaves as after seed(1).

#include <cstdint>

namespace orlenza {

// The generator itself, for tests and for code that wants a private stream.
class AdditiveFeedbackGenerator {
 public:
  static constexpr std::uint32_t k_max = 2147483647u;  // largest value of next()

  constexpr AdditiveFeedbackGenerator() noexcept { seed(1); }
  constexpr explicit AdditiveFeedbackGenerator(std::uint32_t s) noexcept { seed(s); }

  // srandom(s): a seed of 0 is taken as 1.
  constexpr void seed(std::uint32_t s) noexcept;
  // random(): the next value in 0 ... 2147483647.
  constexpr std::uint32_t next() noexcept;

 private:
  static constexpr int k_degree = 31;
  static constexpr int k_separation = 3;
  std::uint32_t m_state[k_degree] = {};
  int m_front = 0;  // index of the word that receives the sum
  int m_rear = 0;   // index of the word added to it
};

namespace RandomUtils {

// Seeds the shared generator from the current time (seconds); answers the seed used.
std::uint32_t randomize();
// Seeds the shared generator: the same as srandom(s).
void seed(std::uint32_t s);
// The next raw draw, 0 ... 2147483647, as random() would give it.
std::uint32_t random();

// a + (r / 2147483647) (b - a): both ends can occur.
double doubleRnd(double a, double b);
// lo ... hi, each value with the same chance. Bounds given the wrong way round
// are swapped.
unsigned short intRnd(unsigned short lo, unsigned short hi);
// u / 10^k with u uniform in [0, 1] (first draw) and k uniform in lo ... hi
// (second draw): the decimal exponent is uniform.
double logRnd(unsigned short lo, unsigned short hi);

// The arithmetic of one draw r (0 ... 2147483647), apart from the generator,
// so that the bounds can be checked directly.
double doubleFromDraw(std::uint32_t r, double a, double b);
unsigned short intFromDraw(std::uint32_t r, unsigned short lo, unsigned short hi);
double logFromDraws(std::uint32_t first, std::uint32_t second, unsigned short lo, unsigned short hi);

}  // namespace RandomUtils

// ---- inline definitions ----

constexpr void AdditiveFeedbackGenerator::seed(std::uint32_t s) noexcept {
  if (s == 0) s = 1;
  // The start words follow the minimal standard generator, 16807 r mod (2^31 - 1),
  // with the seed taken as a signed 32-bit word and Schrage's decomposition, so
  // seeds of 2^31 and above give what the C library gives.
  auto word = static_cast<std::int32_t>(s);
  m_state[0] = s;
  for (int i = 1; i < k_degree; ++i) {
    std::int32_t const hi = word / 127773;
    std::int32_t const lo = word % 127773;
    word = 16807 * lo - 2836 * hi;
    if (word < 0) word += 2147483647;
    m_state[i] = static_cast<std::uint32_t>(word);
  }
  m_front = k_separation;
  m_rear = 0;
  for (int i = 0; i < 10 * k_degree; ++i) next();
}

constexpr std::uint32_t AdditiveFeedbackGenerator::next() noexcept {
  std::uint32_t const value = m_state[m_front] + m_state[m_rear];  // wraps modulo 2^32
  m_state[m_front] = value;
  if (++m_front == k_degree) m_front = 0;
  if (++m_rear == k_degree) m_rear = 0;
  return value >> 1;
}

}  // namespace orlenza
