#pragma once

#include <gtest/gtest.h>

#include "Arithmetic.h"

// Runs f and returns the kind of the program's error it raised; a call that
// raises nothing fails the test.
template <class F>
geometry::ErrorKind KindOf(F&& f) {
  try {
    f();
  } catch (const geometry::Error& e) {
    return e.kind();
  }
  ADD_FAILURE() << "no error raised";
  return geometry::ErrorKind::SubscriptOutOfRange;
}
