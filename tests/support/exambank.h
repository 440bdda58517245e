// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

// A generated question bank in the shape of a real exam bank: a CSV in the
// full form with its picture files beside it. Random but seeded, so every run
// writes the same bank.
namespace ExamBank {

struct Shape {
    int single = 1936, judge = 1527, multiple = 115;
    int withPicture = 1024;
    int conflicts = 7;         // the same question again with another answer
    int agreeingRepeats = 30;  // the same question again with the same answer
    int sharedTexts = 80;     // rows whose text an earlier row has, with another picture or options
    bool examColumns = true;  // false: only category,question,answer,picture, every text unique
    bool mended = false;      // the conflicting rows given the first row's answer
    int pictureWidth = 48;    // pictures are noise, about 3 bytes a pixel as PNG
    quint32 seed = 20261208;
    int rows() const { return single + judge + multiple; }
};

struct Made {
    QString csv;
    QStringList conflicts;  // "第 N 行的题目与第 M 行重复" for each conflict
    int rows = 0;
    int pictureRows = 0;        // rows of their own with a picture file (repeats not counted)
    int repeats = 0;            // rows that repeat an earlier question (conflicts included)
    int distinctQuestions = 0;  // what a build with --skip-repeats keeps
    int distinctPictureQuestions = 0;
    int sharingText = 0;  // rows whose text an earlier, different question has
};

// Writes folder/bank.csv and folder/pictures/*.png.
Made write(const QString& folder, const Shape& shape = {});

}  // namespace ExamBank
