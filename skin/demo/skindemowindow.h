// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

class QLabel;
class QLineEdit;
class xp_canvas;
class xpcmdbutton;
class xptopbuttons;

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
    void placeTitleButtons();
    void report(const QString& control, const QString& event);
    void xptopbuttons2_Click();

    xp_canvas* xp_canvas1;
    xptopbuttons* xptopbuttons1;
    xptopbuttons* xptopbuttons2;
    xptopbuttons* xptopbuttons3;
    xpcmdbutton* cmdSave;
    xpcmdbutton* CmdAdd;
    xpcmdbutton* cmdDelete;
    xpcmdbutton* Command1;
    QLineEdit* txtQuestion;
    QLabel* lblEvent;
};
