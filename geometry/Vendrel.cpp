#include "Vendrel.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>

#if defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

#include "Arithmetic.h"
#include "Powers.h"
#include "VectorUnit.h"

namespace Vendrel {

using geometry::Add;
using geometry::Mul;
using geometry::Sub;
using geometry::ToSingle;

namespace {

// Power-basis coefficients a, b, c of one coordinate: B(t) = a t^3 + b t^2 + c t + P0.
// Each checked 32-bit step is taken in the order the coefficients are defined.
std::array<float, 3> CubicCoefficients(std::int32_t p0, std::int32_t p1, std::int32_t p2,
                                       std::int32_t p3) {
  const std::int32_t a = Add(Mul(Sub(p1, p2), 3), Sub(p3, p0));
  const std::int32_t s = Add(p0, p2);
  const std::int32_t b = Sub(Mul(s, 3), Mul(p1, 6));
  const std::int32_t c = Mul(Sub(p1, p0), 3);
  return {ToSingle(a), ToSingle(b), ToSingle(c)};
}

// The sum's samples: t = 0, dt, dt + dt, ... while t <= end, the parameter
// accumulated by addition, never by multiplying the pass number. The sum and
// the count of its samples both walk them here. With kLanes > 1 the samples
// come kLanes at a time, consecutive, to `lanes` (an array of them) while the
// last of them is within the end, and the few left over one at a time to
// `sample`; the counter runs through the same additions either way.
template <std::size_t kLanes = 1, class Sample, class Lanes = std::nullptr_t>
[[gnu::always_inline]] inline void ForEachSample(double dt, double end, Sample&& sample,
                                                 [[maybe_unused]] Lanes&& lanes = nullptr) {
  double t = 0.0;
  if constexpr (kLanes > 1) {
    std::array<double, kLanes> ts{};
    for (;;) {
      ts[0] = t;
      for (std::size_t k = 1; k < kLanes; ++k) ts[k] = ts[k - 1] + dt;
      if (!(ts[kLanes - 1] <= end)) break;
      lanes(ts);
      t = ts[kLanes - 1] + dt;
    }
  }
  // NOLINTNEXTLINE(cert-flp30-c,clang-analyzer-security.FloatLoopCounter)
  for (; t <= end; t += dt) sample(t);
}

// f(t) = ((C0 t^4 + C1 t^3) + C2 t^2) + C3 t + C4 at a sample t, or on
// WebAssembly at two samples side by side, one in each lane of T.
// kFusedSquareError takes the exact error of t*t from one fused multiply-add
// instead of Dekker's product: the same value, fewer instructions.
template <bool kFusedSquareError, class T>
[[gnu::always_inline]] inline T SpeedSquared(const std::array<double, 5>& C, T t) {
  geometry::BasicPowers<T> p;
  if constexpr (kFusedSquareError) {
    const T t2 = t * t;
    p = geometry::PowersFrom(t, t2, __builtin_fma(t, t, -t2));
  } else {
    p = geometry::PowersOf(t);
  }
  return ((C[0] * p.t4 + C[1] * p.t3) + C[2] * p.t2) + C[3] * t + C[4];
}

// The left Riemann sum of sqrt(f) over the samples. Samples where f is
// negative add nothing. WebAssembly has no fused multiply-add; its vectors
// evaluate two consecutive samples at once instead, each lane with the
// one-sample operations, and the two terms are added to the sum in order.
template <bool kFusedSquareError>
[[gnu::always_inline]] inline double Integrate(const std::array<double, 5>& C, double dt,
                                               double end) {
  double S = 0.0;
  const auto one = [&](double t) {
    const double f = SpeedSquared<kFusedSquareError>(C, t);
    if (f >= 0) S += std::sqrt(f) * dt;
  };
#if defined(__wasm_simd128__)
  using Pair = double __attribute__((vector_size(16)));
  ForEachSample<2>(dt, end, one, [&](const std::array<double, 2>& t) {
    const Pair f = SpeedSquared<kFusedSquareError>(C, Pair{t[0], t[1]});
    const Pair term = reinterpret_cast<Pair>(wasm_f64x2_sqrt(reinterpret_cast<v128_t>(f))) * dt;
    if (f[0] >= 0) S += term[0];
    if (f[1] >= 0) S += term[1];
  });
#else
  ForEachSample(dt, end, one);
#endif
  return S;
}

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
__attribute__((target("fma"))) double IntegrateFused(const std::array<double, 5>& C, double dt,
                                                     double end) {
  return Integrate<true>(C, dt, end);
}

double IntegrateFastest(const std::array<double, 5>& C, double dt, double end) {
  static const bool hasFma = __builtin_cpu_supports("fma");
  return hasFma ? IntegrateFused(C, dt, end) : Integrate<false>(C, dt, end);
}
#else
double IntegrateFastest(const std::array<double, 5>& C, double dt, double end) {
  return Integrate<false>(C, dt, end);
}
#endif

// The step dt = 1/n and the loop bound end = 1 - dt, or nothing when the
// step is negative: t = 0 then never reaches end = 1 - dt > 1 and no sample is
// taken.
struct Steps {
  double dt;
  double end;
};

std::optional<Steps> StepsOf(double divisions) {
  const double dt = geometry::Divide(1.0, divisions);
  const double end = geometry::Checked(1.0 - dt);
  if (dt < 0.0) return std::nullopt;
  // A step too small to move t near the end (n beyond about 1e16, or an
  // infinite n) could never finish the loop: report it instead of hanging.
  if (end + dt == end) throw geometry::Error(geometry::ErrorKind::InvalidOperation);
  return Steps{dt, end};
}

}  // namespace

std::array<float, 5> SpeedSquaredCoefficients(std::span<const geometry::IntPoint> P) {
  geometry::CheckSubscript(P.size(), 4);

  // cubicCoef holds ax, bx, cx, ay, by, cy.
  const std::array<float, 3> x = CubicCoefficients(P[0].x, P[1].x, P[2].x, P[3].x);
  const std::array<float, 3> y = CubicCoefficients(P[0].y, P[1].y, P[2].y, P[3].y);
  const double ax = x[0], bx = x[1], cx = x[2];
  const double ay = y[0], by = y[1], cy = y[2];

  // speedSqCoef: C0..C4 of f(t) = |B'(t)|^2, evaluated in double from the
  // single-precision cubic coefficients and stored in single precision.
  const std::array<float, 5> speedSqCoef = {
      ToSingle((ax * ax + ay * ay) * 9),
      ToSingle((ay * by + ax * bx) * 12),
      ToSingle((bx * bx + by * by) * 4 + (ay * cy + ax * cx) * 6),
      ToSingle((by * cy + bx * cx) * 4),
      ToSingle(cx * cx + cy * cy),
  };
  return speedSqCoef;
}

double CurveLength(std::span<const geometry::IntPoint> P, double divisions) {
  const std::array<float, 5> speedSqCoef = SpeedSquaredCoefficients(P);
  const double C0 = speedSqCoef[0], C1 = speedSqCoef[1], C2 = speedSqCoef[2], C3 = speedSqCoef[3],
               C4 = speedSqCoef[4];

  const std::optional<Steps> steps = StepsOf(divisions);
  if (!steps) return 0.0;
  geometry::ClearUpperVectorState();
  const double S = IntegrateFastest({C0, C1, C2, C3, C4}, steps->dt, steps->end);
  return geometry::Checked(S);
}

std::int64_t CurveLengthSamples(double divisions) {
  const std::optional<Steps> steps = StepsOf(divisions);
  if (!steps) return 0;
  std::int64_t samples = 0;
  ForEachSample(steps->dt, steps->end, [&](double /*t*/) { ++samples; });
  return samples;
}

}  // namespace Vendrel
