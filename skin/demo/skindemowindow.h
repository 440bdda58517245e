// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

class QLabel;
class QLineEdit;
class ClickControl;
class SkinFrame;
class SkinButton;
class TitleBarButtons;

// A frameless window carrying the skin the way the question editor does:
// the frame over the whole client area, three title buttons over its band
// and a few command buttons inside.
class SkinDemoWindow : public QWidget {
    Q_OBJECT
public:
    explicit SkinDemoWindow(QWidget* parent = nullptr);

    // The last event a skin control raised, as "control event".
    QString lastEvent() const;

protected:
    void changeEvent(QEvent* e) override;

private:
    void buildTitleButtons();
    void buildCommandButtons();
    void reportEvents(ClickControl* control);
    void placeTitleButtons();
    void report(const QString& control, const QString& event);
    void toggleMaximised();

    SkinFrame* frame_;
    TitleBarButtons* closeButton_;
    TitleBarButtons* maximiseButton_;
    TitleBarButtons* minimiseButton_;
    SkinButton* saveButton_;
    SkinButton* addButton_;
    SkinButton* deleteButton_;
    SkinButton* exitButton_;
    QLineEdit* questionEdit_;
    QLabel* eventLabel_;
};
