#include <gtest/gtest.h>

#include "platform/messagebox.h"

TEST(MessageBox, HookRecordsTextIconAndTitle) {
    std::vector<MessageBox::Shown> seen;
    MessageBox::setHook([&](const MessageBox::Shown& s) { seen.push_back(s); });
    MessageBox::show(nullptr, MessageBox::Icon::Critical, QStringLiteral("Duplicate record !"));
    MessageBox::setHook({});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Duplicate record !");
    EXPECT_EQ(seen[0].icon, MessageBox::Icon::Critical);
    EXPECT_EQ(seen[0].title, "Study");
}

TEST(MessageBox, ColourHookAnswersTheDialog) {
    MessageBox::setColourHook([] { return std::optional<QColor>(QColor(1, 2, 3)); });
    EXPECT_EQ(MessageBox::chooseColour(nullptr), QColor(1, 2, 3));
    MessageBox::setColourHook([] { return std::optional<QColor>(); });
    EXPECT_FALSE(MessageBox::chooseColour(nullptr).has_value());
    MessageBox::setColourHook({});
}
