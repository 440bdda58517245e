// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <type_traits>

struct SettingsRecord;

// The larger of two values: the first when it is greater, else the second.
template <class A, class B>
std::common_type_t<A, B> MaxValue(A a, B b) {
    if (a > b) return a;
    return b;
}

// Adds (markword 1) or removes (markword 0) Study's start at log-on; any other
// value changes nothing. Failures are ignored.
void SetAutoRun(const SettingsRecord& settings);
