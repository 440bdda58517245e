// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editorvariant.h"

#include "questionbank/queries.h"

namespace {
QFont font(const QStringList& families, double points, bool bold = false) {
    QFont f;
    f.setFamilies(families);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// The list column on the left keeps its share of the extra width small; the
// boxes, where the long questions are edited, take the rest. The question box
// and the picture take the extra height; the buttons keep to the bottom.
QHash<QString, Stretch> managerStretch() {
    using A = Stretch::Across;
    using D = Stretch::Down;
    const Stretch atRight = Stretch::follow(A::Column, D::Stay);
    const Stretch atBottomRight = Stretch::follow(A::Column, D::Edge);
    const Stretch wideAtTop{A::Column, A::Edge, D::Stay, D::Stay};
    return {
        {QStringLiteral("xptopbuttons3"), Stretch::follow(A::Edge, D::Stay)},
        {QStringLiteral("xptopbuttons2"), Stretch::follow(A::Edge, D::Stay)},
        {QStringLiteral("xptopbuttons1"), Stretch::follow(A::Edge, D::Stay)},
        {QStringLiteral("Label2"), atRight},
        {QStringLiteral("Combo1"), wideAtTop},
        {QStringLiteral("Label_6"), atRight},
        {QStringLiteral("text1"), {A::Column, A::Edge, D::Stay, D::Question}},
        {QStringLiteral("Label_5"), Stretch::follow(A::Column, D::Question)},
        {QStringLiteral("text2"), {A::Column, A::Edge, D::Question, D::Question}},
        {QStringLiteral("picture"), {A::Column, A::Edge, D::Question, D::Edge}},
        {QStringLiteral("cmdPicture"), Stretch::follow(A::Middle, D::Edge)},
        {QStringLiteral("cmdSave"), atBottomRight},
        {QStringLiteral("CmdAdd"), atBottomRight},
        {QStringLiteral("cmdDelete"), atBottomRight},
        {QStringLiteral("Command1"), atBottomRight},
        {QStringLiteral("List1"), {A::Stay, A::Column, D::Stay, D::Edge}},
        {QStringLiteral("cmdGFirst"), Stretch::follow(A::Stay, D::Edge)},
        {QStringLiteral("cmdPrev"), Stretch::follow(A::Stay, D::Edge)},
        {QStringLiteral("txtGCurent"), {A::Stay, A::Column, D::Edge, D::Edge}},
        {QStringLiteral("cmdNext"), atBottomRight},
        {QStringLiteral("cmdGLast"), atBottomRight},
        {QStringLiteral("cmdGAdd"), atBottomRight},
    };
}

// Study's editor is one column: the boxes and the list take all of the
// extra width, the list all of the extra height; the buttons under the
// boxes keep to the left, the middle and the right of the form.
QHash<QString, Stretch> studyStretch() {
    using A = Stretch::Across;
    using D = Stretch::Down;
    const Stretch wide{A::Stay, A::Edge, D::Stay, D::Stay};
    const Stretch atBottomRight = Stretch::follow(A::Edge, D::Edge);
    return {
        {QStringLiteral("xptopbuttons3"), Stretch::follow(A::Edge, D::Stay)},
        {QStringLiteral("xptopbuttons2"), Stretch::follow(A::Edge, D::Stay)},
        {QStringLiteral("xptopbuttons1"), Stretch::follow(A::Edge, D::Stay)},
        {QStringLiteral("cmdPicture"), Stretch::follow(A::Edge, D::Stay)},
        {QStringLiteral("Label_6"), Stretch::fixed()},
        {QStringLiteral("text1"), wide},
        {QStringLiteral("Label_5"), Stretch::fixed()},
        {QStringLiteral("text2"), wide},
        {QStringLiteral("cmdSave"), Stretch::fixed()},
        {QStringLiteral("CmdAdd"), Stretch::follow(A::Half, D::Stay)},
        {QStringLiteral("cmdDelete"), Stretch::follow(A::Edge, D::Stay)},
        {QStringLiteral("List1"), {A::Stay, A::Edge, D::Stay, D::Edge}},
        {QStringLiteral("cmdGFirst"), Stretch::follow(A::Stay, D::Edge)},
        {QStringLiteral("cmdPrev"), Stretch::follow(A::Stay, D::Edge)},
        {QStringLiteral("txtGCurent"), {A::Stay, A::Edge, D::Edge, D::Edge}},
        {QStringLiteral("cmdNext"), atBottomRight},
        {QStringLiteral("cmdGLast"), atBottomRight},
        {QStringLiteral("cmdGAdd"), atBottomRight},
    };
}

}  // namespace

// The two descriptions are laid out by hand, a field or a group of fields a line.
// clang-format off
const EditorVariant& EditorVariant::study() {
    static const EditorVariant v{
        Kind::PersonalList,
        QStringLiteral("增加问题"),
        Queries::kPersonalFile,
        QString(),
        QStringLiteral("问题"),
        QStringLiteral("保存问题"), QStringLiteral("增加问题"), QStringLiteral("删除问题"),
        QStringLiteral("没有题目 !"),
        1, false, false, false,
        font({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei")}, 9),
        QSize(345, 497),
        {
            {QStringLiteral("xptopbuttons3"), QRect(264, 5, 21, 21)},
            {QStringLiteral("xptopbuttons2"), QRect(288, 5, 21, 21)},
            {QStringLiteral("xptopbuttons1"), QRect(312, 5, 21, 21)},
            {QStringLiteral("Label_6"), QRect(16, 32, 57, 17)},
            {QStringLiteral("text1"), QRect(16, 48, 313, 19)},
            {QStringLiteral("Label_5"), QRect(16, 72, 57, 17)},
            {QStringLiteral("text2"), QRect(16, 88, 313, 19)},
            {QStringLiteral("cmdSave"), QRect(24, 112, 81, 25)},
            {QStringLiteral("CmdAdd"), QRect(128, 112, 81, 25)},
            {QStringLiteral("cmdDelete"), QRect(232, 112, 89, 25)},
            {QStringLiteral("List1"), QRect(16, 144, 313, 316)},
            {QStringLiteral("cmdGFirst"), QRect(16, 464, 17, 17)},
            {QStringLiteral("cmdPrev"), QRect(32, 464, 17, 17)},
            {QStringLiteral("txtGCurent"), QRect(56, 464, 217, 19)},
            {QStringLiteral("cmdNext"), QRect(280, 464, 17, 17)},
            {QStringLiteral("cmdGLast"), QRect(296, 464, 17, 17)},
            {QStringLiteral("cmdGAdd"), QRect(312, 464, 17, 17)},
        },
        QRect(),
        QRect(269, 30, 60, 17),
        studyStretch(),
        false,
        WindowSizeMemory::kStudyEditor};
    return v;
}

const EditorVariant& EditorVariant::manager() {
    static const EditorVariant v{
        Kind::Bank,
        QStringLiteral("题目管理"),
        Queries::kBankFile,
        Queries::kBankConnect,
        QStringLiteral("题目"),
        QStringLiteral("保存题目"), QStringLiteral("增加题目"), QStringLiteral("删除题目"),
        QStringLiteral("没题目 !"),
        2, true, true, true,
        font({QStringLiteral("Arial")}, 9),
        QSize(481, 449),
        {
            {QStringLiteral("xptopbuttons3"), QRect(400, 5, 21, 21)},
            {QStringLiteral("xptopbuttons2"), QRect(424, 5, 21, 21)},
            {QStringLiteral("xptopbuttons1"), QRect(448, 5, 21, 21)},
            // The question box takes the free band under the drop-down
            // as well, so that a long question shows on several lines at
            // this size: its label moves up with it.
            {QStringLiteral("Label_6"), QRect(264, 94, 57, 17)},
            {QStringLiteral("text1"), QRect(264, 110, 201, 61)},
            {QStringLiteral("Label_5"), QRect(264, 176, 57, 17)},
            {QStringLiteral("text2"), QRect(264, 208, 201, 27)},
            {QStringLiteral("cmdSave"), QRect(264, 304, 89, 25)},
            {QStringLiteral("CmdAdd"), QRect(264, 336, 89, 25)},
            {QStringLiteral("cmdDelete"), QRect(264, 368, 89, 25)},
            {QStringLiteral("Command1"), QRect(264, 400, 89, 25)},
            {QStringLiteral("Label2"), QRect(256, 40, 105, 17)},
            {QStringLiteral("Combo1"), QRect(256, 64, 217, 21)},
            {QStringLiteral("List1"), QRect(8, 32, 241, 364)},
            {QStringLiteral("cmdGFirst"), QRect(8, 416, 17, 17)},
            {QStringLiteral("cmdPrev"), QRect(24, 416, 17, 17)},
            {QStringLiteral("txtGCurent"), QRect(48, 416, 145, 19)},
            {QStringLiteral("cmdNext"), QRect(200, 416, 17, 17)},
            {QStringLiteral("cmdGLast"), QRect(216, 416, 17, 17)},
            {QStringLiteral("cmdGAdd"), QRect(232, 416, 17, 17)},
        },
        QRect(361, 244, 104, 148),
        QRect(368, 400, 89, 25),
        managerStretch(),
        true,
        WindowSizeMemory::kManager};
    return v;
}
// clang-format on
