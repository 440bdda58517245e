// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/exambank.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <algorithm>
#include <random>

#include "questionbank/categories.h"

namespace ExamBank {
namespace {

struct Row {
    QString category, question, answer, kind, explanation, picture;
    QStringList options{"", "", "", ""};
    QString key() const {
        return question + QChar(0) + options.join(QChar(0)) + QChar(0) + picture;
    }
};

// Plain modulo on the engine's own output: the same numbers with every
// standard library, unlike its distributions.
struct Dice {
    std::mt19937 engine;
    int below(int n) { return int(engine() % quint32(n)); }
    bool chance(int percent) { return below(100) < percent; }
};

const QStringList kSubjects{"机动车", "驾驶人", "行人", "非机动车",
                            "校车",   "货车",   "客车", "摩托车"};
const QStringList kPlaces{"路口",     "高速公路", "隧道",     "人行横道", "铁路道口",
                          "山区道路", "雨天路面", "学校门前", "立交桥",   "环岛"};
const QStringList kActions{"减速慢行", "停车让行", "鸣喇叭示意", "靠右停车", "开启危险报警闪光灯",
                           "保持车距", "加速通过", "掉头",       "倒车",     "变更车道"};

QString pick(Dice& d, const QStringList& from) {
    return from[d.below(int(from.size()))];
}

QString questionText(Dice& d, int n) {
    return QStringLiteral("%1在%2遇到情况时应当怎样做？（%3）")
        .arg(pick(d, kSubjects), pick(d, kPlaces))
        .arg(n);
}

void fillKind(Dice& d, Row& r, const QString& kind) {
    r.kind = kind;
    if (kind == QStringLiteral("判断")) {
        static const QStringList forms{"正确", "错误", "对", "错", "√", "×"};
        r.answer = pick(d, forms);
        return;
    }
    const int count = kind == QStringLiteral("多选") ? 4 : 3 + d.below(2);
    for (int i = 0; i < count; ++i)
        r.options[i] = pick(d, kActions) + QString::number(d.below(1000));
    if (kind == QStringLiteral("单选")) {
        r.answer = QChar(u'A' + d.below(count));
        if (d.chance(10)) r.answer = r.answer.toLower();
        return;
    }
    QString letters;
    for (int i = 0; i < count; ++i)
        if (d.chance(60)) letters += QChar(u'A' + i);
    if (letters.size() < 2) letters = QStringLiteral("AC");
    if (d.chance(20)) std::reverse(letters.begin(), letters.end());  // mended on import
    r.answer = letters;
}

// An answer that differs from r's once both are normalised.
QString otherAnswer(const Row& r) {
    if (r.kind == QStringLiteral("判断"))
        return QStringList{"正确", "对", "√"}.contains(r.answer) ? QStringLiteral("错误")
                                                                 : QStringLiteral("正确");
    QString letters = r.answer.toUpper();
    std::sort(letters.begin(), letters.end());
    if (r.kind == QStringLiteral("多选"))
        return letters == u"AB" ? QStringLiteral("CD") : QStringLiteral("AB");
    return letters == u"A" ? QStringLiteral("B") : QStringLiteral("A");
}

void writePicture(Dice& d, const QString& path, int n, int width) {
    const int height = width * 3 / 4;
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, d.engine() & 0xFFFFFF);
    image.setPixel(0, 0, qRgb(n & 0xFF, (n >> 8) & 0xFF, 0x55));  // never two alike
    image.save(path, "PNG");
}

QString field(const QString& s) {
    if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"'))) return s;
    return QLatin1Char('"') + QString(s).replace(QLatin1String("\""), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

}  // namespace

namespace {

// Which rows repeat an earlier question (some of them conflicting) and which
// share an earlier row's text; the first hundred rows are all new.
struct Plan {
    QStringList kinds;  // each row's kind, shuffled
    QSet<int> repeat, conflict, share;

    Plan(Dice& d, const Shape& shape) {
        for (int i = 0; i < shape.single; ++i) kinds << QStringLiteral("单选");
        for (int i = 0; i < shape.judge; ++i) kinds << QStringLiteral("判断");
        for (int i = 0; i < shape.multiple; ++i) kinds << QStringLiteral("多选");
        for (int i = int(kinds.size()) - 1; i > 0; --i) kinds.swapItemsAt(i, d.below(i + 1));
        const int total = int(kinds.size());
        while (repeat.size() < shape.agreeingRepeats + shape.conflicts)
            repeat.insert(100 + d.below(total - 100));
        for (int r : repeat)
            if (conflict.size() < shape.conflicts) conflict.insert(r);
        while (share.size() < shape.sharedTexts) {
            const int r = 100 + d.below(total - 100);
            if (!repeat.contains(r)) share.insert(r);
        }
    }
    // An earlier row of row i's kind that is no repeat itself, so that the
    // line a repeat names is that row's.
    int earlier(Dice& d, const std::vector<Row>& rows, int i) const {
        int from = d.below(i);
        while (rows[from].kind != kinds[i] || repeat.contains(from)) from = d.below(i);
        return from;
    }
};

Row repeated(Dice& d, const Plan& plan, const std::vector<Row>& rows, int i, const Shape& shape,
             Made& made) {
    const int from = plan.earlier(d, rows, i);
    Row r = rows[from];
    if (d.chance(30)) r.category = pick(d, Categories::names());
    if (plan.conflict.contains(i)) {
        if (!shape.mended) r.answer = otherAnswer(r);
        made.conflicts << QStringLiteral("第 %1 行的题目与第 %2 行重复").arg(i + 2).arg(from + 2);
    }
    ++made.repeats;
    return r;
}

Row fresh(Dice& d, const Plan& plan, const std::vector<Row>& rows, int i, const Shape& shape,
          Made& made) {
    Row r;
    r.category = pick(d, Categories::names());
    r.question = questionText(d, i);
    fillKind(d, r, plan.kinds[i]);
    if (plan.share.contains(i) && plan.kinds[i] != QStringLiteral("判断")) {
        const QString& text = rows[plan.earlier(d, rows, i)].question;
        // Its options tell it apart; in the old form, without them, each
        // text must be its own.
        r.question = shape.examColumns ? text : text + QStringLiteral("（另）%1").arg(i);
        ++made.sharingText;
    }
    if (d.chance(25))
        r.explanation = QStringLiteral("依据道路交通安全法的规定，") + pick(d, kActions);
    return r;
}

void writeCsv(const QString& path, const std::vector<Row>& rows, bool examColumns) {
    QString out = examColumns ? QStringLiteral(
                                    "category,question,answer,picture,explanation,kind,"
                                    "option_a,option_b,option_c,option_d\n")
                              : QStringLiteral("category,question,answer,picture\n");
    for (const Row& r : rows) {
        QStringList cells{r.category, r.question, r.answer, r.picture};
        if (examColumns) cells << r.explanation << r.kind << r.options;
        for (QString& c : cells) c = field(c);
        out += cells.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(out.toUtf8());
}

}  // namespace

Made write(const QString& folder, const Shape& shape) {
    Dice d{std::mt19937(shape.seed)};
    QDir().mkpath(folder + QStringLiteral("/pictures"));
    const Plan plan(d, shape);
    const int total = int(plan.kinds.size());
    std::vector<Row> rows;
    Made made;
    for (int i = 0; i < total; ++i) {
        if (plan.repeat.contains(i)) {
            rows.push_back(repeated(d, plan, rows, i, shape, made));
            continue;
        }
        Row r = fresh(d, plan, rows, i, shape, made);
        if (d.below(total - i) < shape.withPicture - made.pictureRows) {
            r.picture = QStringLiteral("pictures/%1.png").arg(i + 1, 4, 10, QLatin1Char('0'));
            writePicture(d, folder + QLatin1Char('/') + r.picture, i, shape.pictureWidth);
        }
        rows.push_back(r);
        made.pictureRows += r.picture.isEmpty() ? 0 : 1;
    }
    QSet<QString> distinct, distinctPictures;
    for (const Row& r : rows) {
        distinct.insert(r.key());
        if (!r.picture.isEmpty()) distinctPictures.insert(r.key());
    }
    made.rows = total;
    made.distinctQuestions = int(distinct.size());
    made.distinctPictureQuestions = int(distinctPictures.size());
    made.csv = folder + QStringLiteral("/bank.csv");
    writeCsv(made.csv, rows, shape.examColumns);
    return made;
}

}  // namespace ExamBank
