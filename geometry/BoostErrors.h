#pragma once

// How Boost.Math reports a bad argument here: BoostPolicy, given to every
// call into it that can raise one. Boost's default policy throws
// std::domain_error with a message that formats the value through a string
// stream. The analysis turns what a library throws into its own error by the
// exception's type alone (WithOwnErrors, AnalysisDetail.h) and never reads
// its message, so the same exception is thrown with a fixed message instead:
// the same behaviour, without string streams and locales (70 KB of the page's
// WebAssembly). Everything else is Boost's default.

#include <stdexcept>

#include <boost/math/policies/error_handling.hpp>
#include <boost/math/policies/policy.hpp>

namespace geometry::detail {

using BoostPolicy = boost::math::policies::policy<
    boost::math::policies::domain_error<boost::math::policies::user_error>>;

}  // namespace geometry::detail

namespace boost::math::policies {

template <class T>
T user_domain_error(const char* /*function*/, const char* /*message*/, const T& /*value*/) {
  throw std::domain_error("Boost.Math: an argument outside the domain");
}

}  // namespace boost::math::policies
