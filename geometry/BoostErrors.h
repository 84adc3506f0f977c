#pragma once

// How Boost.Math reports a bad argument here. By default it throws
// std::domain_error with a message that formats the value through a string
// stream. The analysis catches every such error as it is and never reads its
// message, so the same exception is thrown with a fixed message instead: the
// same behaviour, without streams and locales, which would otherwise make up
// a third of the page's WebAssembly. Include before any Boost.Math header.

#include <stdexcept>

#define BOOST_MATH_DOMAIN_ERROR_POLICY user_error

namespace boost::math::policies {

template <class T>
T user_domain_error(const char* /*function*/, const char* /*message*/, const T& /*value*/) {
  throw std::domain_error("Boost.Math: an argument outside the domain");
}

}  // namespace boost::math::policies
