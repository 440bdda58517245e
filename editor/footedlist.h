// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QListView>

// A list box that lends the foot of its frame to another widget (the
// personal-list editor's picture): while the foot shows, the entries give
// way to it and scroll above it; the box keeps its place and size.
class FootedList : public QListView {
    Q_OBJECT
public:
    explicit FootedList(QWidget* parent = nullptr);

    // `foot` becomes a child of the list, `height` pixels tall, hidden.
    void setFoot(QWidget* foot, int height);
    void showFoot(bool on);
    bool footShown() const { return shown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void placeFoot();

    QWidget* foot_ = nullptr;
    int height_ = 0;
    bool shown_ = false;
};
