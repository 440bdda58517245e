#pragma once
#include <type_traits>

struct SettingsRecord;

// The larger of two values: the first when it is greater, else the second.
// Returned by value: with two arguments of one type the conditional is an
// lvalue, and declaring the result as its decltype returned a reference to a
// parameter that is gone by the time the caller reads it.
template <class A, class B>
auto MaxValue(A a, B b) -> std::decay_t<decltype(a > b ? a : b)> {
    return a > b ? a : b;
}

// Adds (markword 1) or removes (markword 0) Study's start at log-on; any other
// value changes nothing. Failures are ignored.
void SetAutoRun(const SettingsRecord& settings);
