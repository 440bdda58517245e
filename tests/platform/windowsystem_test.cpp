// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/windowsystem.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

namespace {
// Sets or clears the two variables for one test and puts them back after.
struct Env {
    QByteArray display = qgetenv("DISPLAY"), platform = qgetenv("QT_QPA_PLATFORM");
    bool hadDisplay = qEnvironmentVariableIsSet("DISPLAY");
    bool hadPlatform = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    Env(const char* d, const char* p) {
        d ? qputenv("DISPLAY", d) : qunsetenv("DISPLAY");
        p ? qputenv("QT_QPA_PLATFORM", p) : qunsetenv("QT_QPA_PLATFORM");
    }
    ~Env() {
        hadDisplay ? qputenv("DISPLAY", display) : qunsetenv("DISPLAY");
        hadPlatform ? qputenv("QT_QPA_PLATFORM", platform) : qunsetenv("QT_QPA_PLATFORM");
    }
};
}  // namespace

TEST(WindowSystem, AnXServerMeansX11WithWaylandAsFallbackAndTheChoiceIsTakenBack) {
    Env env(":5", nullptr);
    EXPECT_TRUE(WindowSystem::preferX11());
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), "xcb;wayland");
    WindowSystem::forgetPreference(true);
    EXPECT_FALSE(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"));
}

TEST(WindowSystem, TheUsersChoiceAndTheAbsenceOfXAreLeftAlone) {
    {
        Env env(":5", "wayland");
        EXPECT_FALSE(WindowSystem::preferX11());
        WindowSystem::forgetPreference(false);
        EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), "wayland");
    }
    {
        Env env(nullptr, nullptr);
        EXPECT_FALSE(WindowSystem::preferX11());
        EXPECT_FALSE(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"));
    }
    {
        Env env("", "");
        EXPECT_FALSE(WindowSystem::preferX11()) << "an empty DISPLAY names no X server";
    }
}
