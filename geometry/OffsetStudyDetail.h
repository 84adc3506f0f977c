#pragma once

// What the parts of the offset study share (OffsetCusps.cpp,
// OffsetSplitting.cpp, OffsetStudy.cpp). Private to geometry/.

#include <span>
#include <vector>

#include "AnalysisDetail.h"
#include "OffsetStudy.h"

namespace geometry::detail {

// The signed curvature of B and the factor 1 + d·κ(t) from the factorisation
// B'/3 = g w of ExactRoots.cpp: with Cw = w × w', B' × B'' = 9 g² Cw and
// |B'|³ = 27 |g|³ |w|³, so κ = Cw / (3 |g| |w|³), finite up to a zero tangent,
// where it grows without bound and keeps its sign.
class FactorField {
 public:
  FactorField(const TangentField& f, double d);

  double Curvature(double t) const;
  double Factor(double t) const { return 1 + d_ * Curvature(t); }
  // 3 |g| |w|³ + d Cw: continuous everywhere, with the sign of the factor.
  double Numerator(double t) const;
  // d Cw(t), negative where a root of the degree-12 polynomial is a cusp.
  double Side(double t) const { return d_ * cw_.At(t); }

  const TangentField& field() const { return f_; }
  double distance() const { return d_; }
  const Poly2& cw() const { return cw_; }

 private:
  double WCubed(double t) const;

  const TangentField& f_;
  double d_;
  Poly2 cw_;
};

// The parameters in [0, 1] where the factor changes sign, ascending, each to
// the last bits of a double (OffsetCusps.cpp).
std::vector<double> CuspParameters(const FactorField& field);

// The splitting table for the curve P whose true offset curve is O
// (OffsetSplitting.cpp).
std::vector<SplitRow> SplittingTable(const SampledOffset& O, std::span<const IntPoint> P, double d);

// h at each of `u` for the curve P split into k equal pieces (u in piece j's
// [j/k, (j+1)/k] at its own parameter k u - j, the last piece taking u = 1);
// empty where a piece could not be built (OffsetSplitting.cpp).
std::vector<double> PieceDistances(const SampledOffset& O, std::span<const IntPoint> P, double d,
                                   int k, std::span<const double> u);

}  // namespace geometry::detail
