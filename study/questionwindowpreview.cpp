// SPDX-License-Identifier: GPL-3.0-or-later
// The display's part in the options dialog: the dialog changes the settings,
// and the display shows the look at once, before anything is saved.
#include <QLabel>

#include "platform/olecolour.h"
#include "study/questionpicture.h"
#include "study/questionwindow.h"

namespace {
// Stays until the display cycle shows its next record.
const char* const kSample = "Welcome to use Quillmere V3.3.";
}  // namespace

void QuestionWindow::followSettings() {
    connect(&studySettings_, &StudySettings::fontSizeChanged, this,
            &QuestionWindow::previewFontSize);
    connect(&studySettings_, &StudySettings::textColourChanged, this,
            &QuestionWindow::previewTextColour);
    connect(&studySettings_, &StudySettings::formColourChanged, this,
            &QuestionWindow::previewFormColour);
}

void QuestionWindow::previewFontSize(int points) {
    QFont f = LB_->font();
    f.setPointSize(points);
    LB_->setFont(f);
    picture_->setFontPoints(points);
    fitToText();
    repaint();
}

void QuestionWindow::previewTextColour(std::uint32_t ole, bool withSample) {
    if (withSample) LB_->setText(QLatin1String(kSample));
    QPalette p = LB_->palette();
    p.setColor(QPalette::WindowText, OleColour::toColor(ole));
    LB_->setPalette(p);
    repaint();
}

void QuestionWindow::previewFormColour(std::uint32_t ole) {
    QPalette p = palette();
    p.setColor(QPalette::Window, OleColour::toColor(ole));
    setPalette(p);
    repaint();
}
