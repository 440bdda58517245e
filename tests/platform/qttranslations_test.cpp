// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include "platform/qttranslations.h"

namespace {

QString okText() {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    return box.button(QMessageBox::Ok)->text() + QLatin1Char('|') +
           box.button(QMessageBox::Cancel)->text();
}

QStringList colourDialogTexts() {
    QColorDialog dialog;
    QStringList texts{dialog.windowTitle()};
    for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) texts << button->text();
    return texts;
}

TEST(QtTranslations, MessageBoxButtonsAndColourDialogReadInChinese) {
    const QString englishOk = okText();
    const QStringList englishColour = colourDialogTexts();
    ASSERT_EQ(englishOk, "OK|Cancel") << "nothing translated before";

    QTranslator* translator = QtTranslations::install(qApp);
    ASSERT_NE(translator, nullptr) << "qtbase_zh_CN.qm is part of the machine's setup";
    EXPECT_EQ(okText(), QStringLiteral("确定|取消"));
    const QStringList colour = colourDialogTexts();
    EXPECT_TRUE(colour.contains(QStringLiteral("选择颜色"))) << colour.join(' ').toStdString();
    EXPECT_TRUE(colour.contains(QStringLiteral("添加到自定义颜色(&A)")))
        << colour.join(' ').toStdString();
    EXPECT_FALSE(colour.contains(QStringLiteral("Select Color")));

    QCoreApplication::removeTranslator(translator);
    delete translator;
    EXPECT_EQ(okText(), englishOk) << "the other tests keep Qt's own texts";
}

}  // namespace
