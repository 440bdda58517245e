// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

// Every message of the programs goes through here: a modal box with an icon,
// the text, one OK button and the program's title. Tests install a hook that
// records the message instead of showing it.
class MessageBox {
public:
    enum class Icon { None, Information, Warning, Critical };
    struct Shown {
        Icon icon;
        QString text;
        QString title;
    };
    using Hook = std::function<void(const Shown&)>;

    static void show(QWidget* parent, Icon icon, const QString& text);
    static void setHook(Hook hook);

    // A question with the buttons Yes and No ("是" / "否"); true for Yes. Under
    // a test hook the message is recorded as any other and the answer hook
    // answers it (Yes when none is set).
    using AnswerHook = std::function<bool(const Shown&)>;
    static bool ask(QWidget* parent, const QString& text);
    static void setAnswerHook(AnswerHook hook);

    // The common colour dialog: sixteen custom colours that start black every
    // time, no preselected colour. Empty when the user cancels.
    using ColourHook = std::function<std::optional<QColor>()>;
    static std::optional<QColor> chooseColour(QWidget* parent);
    static void setColourHook(ColourHook hook);

    static QString title();
};
