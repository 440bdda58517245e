// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <QFrame>
#include <array>
#include <cstdint>

class QuestionWindow;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

// A picture box used as a colour swatch. It keeps the colour number it was
// given, so a system-colour reference survives a save unchanged instead of
// turning into whatever RGB the current palette resolves it to.
class ColourSwatch : public QFrame {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);
    std::uint32_t oleColour() const { return ole_; }
    void setOleColour(std::uint32_t ole);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    std::uint32_t ole_ = 0;
};

// The options dialog "选项...". It edits the main window's in-memory settings
// while open, previews colours and font size on the main window, and on close
// either saves and reloads or lets the reload throw the changes away.
class Form3 : public QDialog {
    Q_OBJECT
public:
    explicit Form3(QuestionWindow& main);
    ~Form3() override;

    // What the menu does: build the dialog afresh, run it modally (the
    // display timer keeps ticking in the nested loop), release it, reload.
    static void showModal(QuestionWindow& main);

    // Handlers, named by control and event.
    void Form_Load();
    void Form_Unload();
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check5_Click();
    void VScroll1_Change();
    void VScroll2_Change();
    void text2_Change();
    void Picture1_Click();
    void Picture2_Click();
    void xpcmdbutton1_Click();

    static constexpr int kChoices = 11;  // "全部" and the ten categories

protected:
    // Escape, the close box and any accept/reject all end here, so no way out
    // skips the closing steps.
    void done(int result) override;

private:
    void buildControls();
    void createCategoryChoices();
    void setLabelFont(int points);
    void setLabelColour(std::uint32_t ole);
    void setFormColour(std::uint32_t ole);

    QuestionWindow& main_;
    bool unloaded_ = false;
    // The size that closing stores: the last whole number in range that
    // text2 held, so stray typing there never reaches the settings.
    int fontSize_ = 12;

    QFrame* Picture3_ = nullptr;
    QFrame* Picture4_ = nullptr;
    std::array<QRadioButton*, kChoices> Option1_{};
    QGroupBox* Frame2_ = nullptr;
    QCheckBox* Check5_ = nullptr;
    QCheckBox* Check1_ = nullptr;
    QCheckBox* Check2_ = nullptr;
    QCheckBox* Check3_ = nullptr;
    QLabel* Label2_ = nullptr;
    QLineEdit* text1_1_ = nullptr;
    QScrollBar* VScroll2_ = nullptr;
    QGroupBox* Frame1_1_ = nullptr;
    std::array<QLabel*, 3> Label8_{};
    ColourSwatch* Picture1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QScrollBar* VScroll1_ = nullptr;
    ColourSwatch* Picture2_ = nullptr;
    QPushButton* xpcmdbutton1_ = nullptr;
};
