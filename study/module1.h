#pragma once

struct SettingsRecord;

// The larger of two values: the first when it is greater, else the second.
template <class A, class B>
auto MaxValue(A a, B b) -> decltype(a > b ? a : b) {
    return a > b ? a : b;
}

// Adds (markword 1) or removes (markword 0) Study's start at log-on; any other
// value changes nothing. Failures are ignored.
void SetAutoRun(const SettingsRecord& settings);
