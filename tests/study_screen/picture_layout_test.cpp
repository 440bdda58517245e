// SPDX-License-Identifier: GPL-3.0-or-later
// The display window with a question's picture above its text, on a
// 1024x768 screen: the picture's size and place, the window around both, and
// questions without a picture laid out as they always were.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QLoggingCategory>
#include <QPainter>
#include <QScreen>

#include "platform/widgets/twips.h"
#include "questionbank/queries.h"
#include "study/questionpicture.h"
#include "tests/study/studyfixture.h"

namespace {

const QString kCategory = QStringLiteral("交通信号");
const QString kQuestion = QStringLiteral("驾驶机动车在路口看到这个标志，表示什么？");
const QString kLong = QStringLiteral(
    "机动车在高速公路上发生故障时，应当依照规定开启危险报警闪光灯，并在来车方向一百五十米以外设置"
    "警告标志，车上人员应当迅速转移到右侧路肩上或者应急车道内，并且迅速报警。遇到这个标志时怎样做"
    "？");

QByteArray sign() {
    return readFile(QStringLiteral(TEST_SOURCE_DIR "/data/bank-pictures/sign-no-entry.svg"));
}

QByteArray bitmap(QSize size, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QPainter(&image).fillRect(QRect(QPoint(0, 0), size / 2), Qt::yellow);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// Records the display's log lines while it lives.
struct DisplayLog {
    static inline QStringList lines;
    QtMessageHandler previous;
    DisplayLog() {
        lines.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("study.display=true"));
        previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& m) { lines << m; });
    }
    ~DisplayLog() {
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());
    }
    static bool has(const QString& part) {
        for (const QString& l : lines)
            if (l.contains(part)) return true;
        return false;
    }
};

struct Layout {
    QRect frame, label, picture;
    bool pictureShown;
};

Layout layoutOf(QuestionWindow& w) {
    return {w.frameGeometry(), w.LB()->geometry(), w.picture()->geometry(),
            w.picture()->isVisibleTo(&w)};
}

QuestionWindow& startOn(StudyFixture& f, const std::vector<BankSchema::Question>& qs,
                        const char* fontSize = "12") {
    f.env.makeBank(qs);
    f.settings({{"guageword", "2"}, {"voice", "0"}, {"FontSizeNumber", fontSize}});
    QuestionWindow& w = f.start();
    w.move(100, 100);
    w.fitToText();
    return w;
}

}  // namespace

TEST(PictureLayout, QuestionWithoutPictureLaysOutAsBefore) {
    // The same question in a file written before pictures came, in a file
    // with the column, and after a question with a picture: one layout.
    for (const char* fontSize : {"12", "24"}) {
        SCOPED_TRACE(fontSize);
        StudyFixture old;
        BankSchema::build(old.env.file(Queries::kBankFile), BankSchema::Kind::Bank,
                          {{kCategory, QStringLiteral("2") + kLong, QStringLiteral("正确")}},
                          Queries::kBankPassword, BankSchema::Pictures::WithoutColumn);
        old.settings({{"guageword", "2"}, {"voice", "0"}, {"FontSizeNumber", fontSize}});
        QuestionWindow& before = old.start();
        before.move(100, 100);
        before.fitToText();
        const Layout expected = layoutOf(before);
        EXPECT_FALSE(expected.pictureShown);
        EXPECT_EQ(expected.label.topLeft(), QPoint(Twips::toPixels(60), Twips::toPixels(80)));

        StudyFixture now;
        QuestionWindow& w = startOn(
            now,
            {{kCategory, QStringLiteral("1") + kQuestion, QStringLiteral("禁止驶入"), sign()},
             {kCategory, QStringLiteral("2") + kLong, QStringLiteral("正确")}},
            fontSize);
        ASSERT_TRUE(w.picture()->shown());
        w.cycle().onStepTimer();
        ASSERT_TRUE(w.LB()->text().startsWith(QStringLiteral("2") + kLong.left(10)));
        const Layout after = layoutOf(w);
        EXPECT_FALSE(after.pictureShown);
        EXPECT_FALSE(w.picture()->shown());
        EXPECT_EQ(after.frame, expected.frame);
        EXPECT_EQ(after.label, expected.label);
    }
}

TEST(PictureLayout, SignStandsCentredAboveTheText) {
    StudyFixture f;
    DisplayLog log;
    QuestionWindow& w = startOn(f, {{kCategory, kQuestion, QStringLiteral("禁止驶入"), sign()}});
    const Layout l = layoutOf(w);
    ASSERT_TRUE(l.pictureShown);
    // The sign is drawn 240 wide; it fits the 160-pixel height.
    EXPECT_EQ(l.picture.size(), QSize(160, 160));
    EXPECT_EQ(l.picture.top(), Twips::toPixels(80));
    EXPECT_EQ(l.label.top(), l.picture.bottom() + 1 + Twips::toPixels(120));
    EXPECT_EQ(l.label.left(), Twips::toPixels(60));
    EXPECT_NEAR(l.picture.center().x(), l.label.center().x(), 1);
    EXPECT_EQ(w.height(), l.label.bottom() + 1 + Twips::toPixels(120));
    EXPECT_EQ(w.width(), l.label.width() + Twips::toPixels(200));
    EXPECT_TRUE(QRect(QPoint(0, 0), w.size()).contains(l.picture));
    EXPECT_TRUE(w.LB()->text().startsWith(kQuestion));
    EXPECT_TRUE(DisplayLog::has(QStringLiteral("picture 160x160 svg")))
        << DisplayLog::lines.join('\n').toStdString();
    // The picture is what the window shows at its place: the sign's red ring.
    const QImage shot = w.grab().toImage();
    const QColor ring = shot.pixelColor(l.picture.center().x(), l.picture.top() + 6);
    EXPECT_GT(ring.red(), 150);
    EXPECT_LT(ring.green(), 80);
}

TEST(PictureLayout, WidePictureWidensTheTextToItsWidth) {
    StudyFixture f;
    QuestionWindow& w = startOn(f, {{kCategory, QStringLiteral("这是什么？"),
                                     QStringLiteral("路口"), bitmap({480, 240}, "PNG")}});
    const Layout l = layoutOf(w);
    EXPECT_EQ(l.picture.size(), QSize(320, 160));
    EXPECT_EQ(l.label.width(), 320) << "the short text takes the picture's width";
    EXPECT_EQ(l.picture.left(), l.label.left());
    EXPECT_EQ(w.width(), 320 + Twips::toPixels(200));
}

TEST(PictureLayout, TallAndVeryWidePicturesStayWithinTheirBox) {
    {
        StudyFixture f;
        QuestionWindow& w =
            startOn(f, {{kCategory, kQuestion, QStringLiteral("高"), bitmap({200, 900}, "JPEG")}});
        const QSize s = w.picture()->pictureSize();
        EXPECT_LE(s.height(), 160);
        EXPECT_GE(s.height(), 158);
        EXPECT_NEAR(double(s.width()) / s.height(), 200.0 / 900.0, 0.02) << "aspect kept";
    }
    {
        StudyFixture f;
        QuestionWindow& w =
            startOn(f, {{kCategory, kQuestion, QStringLiteral("宽"), bitmap({6000, 300}, "PNG")}});
        const QSize s = w.picture()->pictureSize();
        EXPECT_LE(s.width(), 1024 - Twips::toPixels(200));
        EXPECT_NEAR(double(s.width()) / s.height(), 20.0, 0.5) << "aspect kept";
        EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(w.frameGeometry()))
            << w.frameGeometry().x() << "," << w.frameGeometry().y() << " "
            << w.frameGeometry().width() << "x" << w.frameGeometry().height();
        // Moved partly past the right edge, it comes back at the next change.
        w.move(600, 100);
        w.fitToText();
        EXPECT_EQ(w.frameGeometry().right(), 1023);
    }
}

TEST(PictureLayout, WindowGrownByAPictureMovesUpAboveTheScreenBottom) {
    StudyFixture f;
    QuestionWindow& w =
        startOn(f,
                {{kCategory, QStringLiteral("1无图"), QStringLiteral("答")},
                 {kCategory, QStringLiteral("2有图"), QStringLiteral("答"), sign()}},
                "24");
    ASSERT_FALSE(w.picture()->shown());
    w.move(200, 768 - w.frameGeometry().height() - 10);
    w.cycle().onStepTimer();
    ASSERT_TRUE(w.picture()->shown());
    EXPECT_EQ(w.frameGeometry().bottom(), 767);
    EXPECT_EQ(w.x(), 200);
}

TEST(PictureLayout, BrokenPictureShowsTheTextAloneAndChangesNothing) {
    QByteArray truncatedPng = bitmap({200, 200}, "PNG");
    truncatedPng.truncate(60);
    const std::vector<QByteArray> broken = {
        QByteArray("\xFF\xD8\xFF this is not a JPEG", 22), truncatedPng,
        QByteArray("<svg xmlns='http://www.w3.org/2000/svg'><use href='#a' id='a'/></svg>"),
        QByteArray("plain text, no picture at all")};
    for (const QByteArray& bytes : broken) {
        SCOPED_TRACE(bytes.left(12).toHex().toStdString());
        StudyFixture plain;
        QuestionWindow& reference = startOn(plain, {{kCategory, kQuestion, QStringLiteral("答")}});
        const Layout expected = layoutOf(reference);

        StudyFixture f;
        DisplayLog log;
        QuestionWindow& w = startOn(f, {{kCategory, kQuestion, QStringLiteral("答"), bytes}});
        const QByteArray file = readFile(f.env.file(Queries::kBankFile));
        EXPECT_FALSE(w.picture()->shown());
        EXPECT_EQ(f.shownQuestion(), kQuestion);
        EXPECT_EQ(layoutOf(w).frame, expected.frame);
        EXPECT_EQ(layoutOf(w).label, expected.label);
        EXPECT_TRUE(f.messages.empty()) << "no message box";
        EXPECT_TRUE(DisplayLog::has(QStringLiteral("picture not shown:")))
            << DisplayLog::lines.join('\n').toStdString();
        w.cycle().onStepTimer();
        EXPECT_EQ(readFile(f.env.file(Queries::kBankFile)), file) << "reading never writes";
    }
}

TEST(PictureLayout, PictureIsReadWhenItsRecordIsShown) {
    // The picture comes from the file at each showing: a record whose
    // picture was removed after the set opened shows none.
    StudyFixture f;
    QuestionWindow& w =
        startOn(f, {{kCategory, QStringLiteral("1甲"), QStringLiteral("答"), sign()},
                    {kCategory, QStringLiteral("2乙"), QStringLiteral("答")}});
    ASSERT_TRUE(w.picture()->shown());
    BankSchema::build(f.env.file(Queries::kBankFile), BankSchema::Kind::Bank,
                      {{kCategory, QStringLiteral("1甲"), QStringLiteral("答")},
                       {kCategory, QStringLiteral("2乙"), QStringLiteral("答"), sign()}},
                      Queries::kBankPassword);
    w.cycle().onStepTimer();
    EXPECT_EQ(f.shownQuestion(), QStringLiteral("2乙"));
    EXPECT_TRUE(w.picture()->shown());
    w.cycle().onStepTimer();
    EXPECT_EQ(f.shownQuestion(), QStringLiteral("1甲"));
    EXPECT_FALSE(w.picture()->shown());
}
