// SPDX-License-Identifier: GPL-3.0-or-later
// The order by memory without a window: which question comes next, what
// limits it, and that showing a question writes nothing.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "questionbank/bankschema.h"
#include "questionbank/examfields.h"
#include "questionbank/queries.h"
#include "questionbank/questionidentity.h"
#include "questionbank/recordset.h"
#include "study/datacontrol.h"
#include "study/learnerprogress.h"
#include "study/memoryorder.h"
#include "study/recordsetcursor.h"
#include "tests/support/picturebytes.h"

namespace {

constexpr qint64 kDay = Fsrs::kDayMs;
const QString kLaw = QStringLiteral("交通安全法律");
const QString kSignal = QStringLiteral("交通信号");

BankSchema::Question q(const QString& category, int n) {
    return {category, QStringLiteral("问%1").arg(n), QStringLiteral("答%1").arg(n)};
}

QString idOf(int n) {
    return QuestionIdentity::of(QStringLiteral("问%1").arg(n), {}, {});
}

// A bank in a folder of its own, the display's data source over it, and the
// order with its settings and clock in the test's hands.
struct Order {
    QTemporaryDir dir;
    DataControl data;
    RecordSetCursor cursor{data};
    MemoryOrder::Settings settings{true, 20};
    qint64 now = QDateTime(QDate(2026, 3, 10), QTime(12, 0)).toMSecsSinceEpoch();
    LearnerProgress progress{[this] { return dir.path(); }, [] { return 0.9; }};
    MemoryOrder order{data, cursor, progress, [this] { return settings; }, [this] { return now; }};

    explicit Order(const std::vector<BankSchema::Question>& bank) {
        BankSchema::build(file(Queries::kBankFile), BankSchema::Kind::Bank, bank,
                          Queries::kBankPassword);
    }
    QString file(const QString& name) const { return dir.filePath(name); }
    void open(const QString& source = Queries::displayAll()) {
        data.DatabaseName = file(Queries::kBankFile);
        data.Connect = Queries::kBankConnect;
        data.RecordSource = source;
        ASSERT_TRUE(data.Refresh());
        order.opened();
    }
    QString shown() const { return order.question(); }
    QStringList steps(int n) {
        QStringList out;
        for (int i = 0; i < n; ++i) {
            order.move(1);
            out << shown();
        }
        return out;
    }
    // Grades question n directly in the store, at a time of its own.
    void graded(int n, Fsrs::Grade grade, qint64 at) {
        ASSERT_TRUE(progress.store()->recordGrade(idOf(n), grade, at));
    }
    int reviews() { return int(progress.store()->reviewsBetween(0, now + 1000 * kDay)->size()); }
};

std::vector<BankSchema::Question> five(const QString& category = kLaw) {
    return {q(category, 1), q(category, 2), q(category, 3), q(category, 4), q(category, 5)};
}

}  // namespace

TEST(MemoryOrder, DueQuestionsComeFirstTheMostOverdueFirstThenNewOnesInBankOrder) {
    Order o(five());
    o.graded(2, Fsrs::Grade::Knew, o.now - 30 * kDay);
    o.graded(4, Fsrs::Grade::Knew, o.now - 40 * kDay);  // due ten days earlier than 2
    o.graded(5, Fsrs::Grade::Easy, o.now - kDay);       // not due for weeks
    o.open();
    EXPECT_EQ(o.shown(), "问4") << "the first question shown is chosen too";
    ASSERT_TRUE(o.order.grade(Fsrs::Grade::Knew));
    o.order.move(1);
    EXPECT_EQ(o.shown(), "问2");
    ASSERT_TRUE(o.order.grade(Fsrs::Grade::Vague));
    EXPECT_EQ(o.steps(3), QStringList({"问1", "问3", "问1"})) << "new ones, again and again";
}

TEST(MemoryOrder, NewQuestionsStopAtTheDailyLimitThenTheWeakestComes) {
    Order o(five());
    o.settings.newPerDay = 2;
    o.open();
    EXPECT_EQ(o.shown(), "问1");
    ASSERT_TRUE(o.order.grade(Fsrs::Grade::Easy));
    o.order.move(1);
    EXPECT_EQ(o.shown(), "问2");
    ASSERT_TRUE(o.order.grade(Fsrs::Grade::Forgot));
    // Two begun today and nothing due: no third new one, but the question
    // remembered worst, then the other one.
    o.now += 60 * 60 * 1000;
    o.open();
    EXPECT_EQ(o.shown(), "问2");
    EXPECT_EQ(o.steps(1), QStringList({"问1"}));

    // Questions begun on another day do not count against today.
    o.now += 15 * 60 * 60 * 1000;
    ASSERT_EQ(QDateTime::fromMSecsSinceEpoch(o.now).time().hour(), 4);
    o.settings.newPerDay = 1;
    EXPECT_EQ(o.steps(1), QStringList({"问3"}));
}

TEST(MemoryOrder, AQuestionShownButNotGradedKeepsItsScheduleAndIsPassedOver) {
    Order o(five());
    o.graded(2, Fsrs::Grade::Knew, o.now - 30 * kDay);
    o.graded(4, Fsrs::Grade::Knew, o.now - 40 * kDay);
    const Fsrs::Card before = *o.progress.store()->card(idOf(2));
    o.open();
    // The due ones take turns until they are graded; nothing is written meanwhile.
    EXPECT_EQ(o.steps(4), QStringList({"问2", "问4", "问2", "问4"}));
    EXPECT_EQ(o.reviews(), 2);
    const Fsrs::Card after = *o.progress.store()->card(idOf(2));
    EXPECT_EQ(after.dueMs, before.dueMs);
    EXPECT_EQ(after.reps, before.reps);

    // One due question left, shown and not graded: others come between.
    ASSERT_TRUE(o.order.grade(Fsrs::Grade::Knew));
    EXPECT_EQ(o.steps(5), QStringList({"问2", "问1", "问2", "问3", "问2"}));
    EXPECT_EQ(o.reviews(), 3);
}

TEST(MemoryOrder, TheCategoryChoiceAndThePersonalListLimitWhatIsShown) {
    std::vector<BankSchema::Question> bank = five(kSignal);
    for (int n = 6; n <= 8; ++n) bank.push_back(q(kLaw, n));
    Order o(bank);
    o.graded(1, Fsrs::Grade::Knew, o.now - 40 * kDay);  // due, but of another category
    o.graded(7, Fsrs::Grade::Knew, o.now - 30 * kDay);
    o.open(Queries::displayCategory(kLaw));
    EXPECT_EQ(o.shown(), "问7");
    // A lone due question ungraded lets the others come between.
    EXPECT_EQ(o.steps(4), QStringList({"问6", "问7", "问8", "问7"}));

    // The personal list is a category like the others; its questions share
    // their progress with the same questions in the bank.
    BankSchema::build(o.file(Queries::kPersonalFile), BankSchema::Kind::PersonalList,
                      {{{}, "问3", "答3"}, {{}, "问1", "答1"}}, {});
    o.data.DatabaseName = o.file(Queries::kPersonalFile);
    o.data.Connect = Queries::kDefaultConnect;
    o.data.RecordSource = Queries::personalList();
    ASSERT_TRUE(o.data.Refresh());
    o.order.opened();
    EXPECT_EQ(o.shown(), "问1");
    ASSERT_TRUE(o.order.grade(Fsrs::Grade::Vague));
    EXPECT_EQ(o.progress.store()->card(idOf(1))->reps, 2);
}

TEST(MemoryOrder, AQuestionIsKnownByItsTextAndItsPicture) {
    const QByteArray red = PictureBytes::encoded("PNG", 4, 4, Qt::red);
    const QByteArray blue = PictureBytes::encoded("PNG", 4, 4, Qt::blue);
    Order o({{kLaw, "停车", "答1", red}, {kLaw, "停车", "答2", blue}});
    ASSERT_TRUE(o.progress.store()->recordGrade(QuestionIdentity::of("停车", {}, red),
                                                Fsrs::Grade::Knew, o.now - 30 * kDay));
    o.open();
    EXPECT_EQ(o.order.shownIdentity(), QuestionIdentity::of("停车", {}, red));
    EXPECT_EQ(o.order.answer(), "答1") << "the due one of the two";
    o.order.move(1);
    EXPECT_EQ(o.order.shownIdentity(), QuestionIdentity::of("停车", {}, blue));
}

// A personal list written before pictures came is keyed on the text; a
// picture put in later adds the column but no stored identity, so the
// identity is worked out from the text, the options and the picture.
TEST(MemoryOrder, FilesWithoutStoredIdentitiesAreKnownByTextOptionsAndPicture) {
    Order o(five());
    ExamFields exam;
    exam.kind = ExamKind::kSingle;
    exam.options = {QStringLiteral("甲"), QStringLiteral("乙"), QString(), QString()};
    BankSchema::build(o.file(Queries::kPersonalFile), BankSchema::Kind::PersonalList,
                      {{{}, "停车", "B", {}, exam}, {{}, "让行", "答"}}, {},
                      BankSchema::Pictures::WithoutColumn);
    const QByteArray png = PictureBytes::encoded("PNG", 4, 4, Qt::green);
    {
        SQLite::Database db(o.file(Queries::kPersonalFile).toStdString(), SQLite::OPEN_READWRITE);
        db.exec("ALTER TABLE Word ADD COLUMN picture BLOB");
        SQLite::Statement up(db, "UPDATE Word SET picture = ? WHERE English = '让行'");
        up.bind(1, png.constData(), int(png.size()));
        up.exec();
    }
    const QString withOptions = QuestionIdentity::of("停车", exam.options, {});
    const QString withPicture = QuestionIdentity::of("让行", {}, png);
    ASSERT_TRUE(o.progress.store()->recordGrade(withPicture, Fsrs::Grade::Knew, o.now - 30 * kDay));
    o.data.DatabaseName = o.file(Queries::kPersonalFile);
    o.data.Connect = Queries::kDefaultConnect;
    o.data.RecordSource = Queries::personalList();
    ASSERT_TRUE(o.data.Refresh());
    ASSERT_TRUE(o.data.Recordset()->hasPictureColumn());
    ASSERT_FALSE(o.data.Recordset()->keyedOnIdentity());
    o.order.opened();
    EXPECT_EQ(o.order.shownIdentity(), withPicture) << "the due one";
    o.order.move(1);
    EXPECT_EQ(o.order.shownIdentity(), withOptions);
}

TEST(MemoryOrder, NotChosenOrWithoutAStoreTheDocumentedOrderGoesOnAndNothingIsWritten) {
    Order o(five());
    o.settings.byMemory = false;
    o.open();
    EXPECT_EQ(o.steps(5), QStringList({"问2", "问3", "问4", "问5", "问1"}));
    EXPECT_FALSE(o.order.grade(Fsrs::Grade::Knew));
    EXPECT_FALSE(QFile::exists(o.file(ProgressStore::kFileName))) << "never opened";

    Order d(five());
    {
        QFile junk(d.file(ProgressStore::kFileName));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
    }
    d.open();
    EXPECT_FALSE(d.order.inEffect());
    EXPECT_EQ(d.shown(), "问1");
    EXPECT_EQ(d.steps(2), QStringList({"问2", "问3"}));
    EXPECT_FALSE(d.order.grade(Fsrs::Grade::Knew));
    EXPECT_FALSE(d.progress.takeUntoldFault().isEmpty());
    QFile after(d.file(ProgressStore::kFileName));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), QByteArray(4096, 'x'));
}

TEST(MemoryOrder, LeftGoesBackThroughTheQuestionsShown) {
    Order o(five());
    o.open();
    EXPECT_EQ(o.steps(2), QStringList({"问2", "问3"}));
    o.order.move(-1);
    EXPECT_EQ(o.shown(), "问2");
    o.order.move(-1);
    EXPECT_EQ(o.shown(), "问1");
    o.order.move(-1);
    EXPECT_EQ(o.shown(), "问5") << "before the first one shown: the documented step back";
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
