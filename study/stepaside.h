// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <Qt>

class QWidget;

// While another window of Study is open (options, about, the personal-list
// editor, a message, the colour dialog), the display gives up its place
// above all other windows and takes it back when the last of them closes.
// Kept above, the display would hide parts of them whenever they overlap
// it, and grows while the options preview a larger font: a window manager
// stacks an always-on-top window over every ordinary one, however new.
// Pop-up menus and the display's own notes do not count.
class StepAside : public QObject {
    Q_OBJECT
public:
    explicit StepAside(QWidget& display, QObject* parent = nullptr);
    ~StepAside() override;
    bool steppedAside() const { return stepped_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    bool counts(const QObject* o) const;
    bool anotherOpen() const;
    void stepAside();
    void recount();
    void setDisplayFlags(Qt::WindowFlags flags);

    QWidget& display_;
    bool stepped_ = false;
    bool recountDue_ = false;
};
