// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a question bank of real size into a folder: 3,600 questions over
// the ten categories, 1,300 of them with a JPEG or PNG picture of 20-60 KB.
// The first question of the file has a picture, so a display of all
// questions starts on one. Usage: bench_picturebank <folder>
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "bench/study/picturemaker.h"
#include "questionbank/bankschema.h"
#include "questionbank/categories.h"
#include "questionbank/queries.h"

int main(int argc, char** argv) {
    // Encoding pictures needs no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_picturebank <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    QRandomGenerator random(3600);
    const QStringList categories = Categories::names();
    std::vector<BankSchema::Question> qs;
    qint64 pictureBytes = 0;
    int pictures = 0;
    for (int i = 0; i < 3600; ++i) {
        BankSchema::Question q{
            categories.at(i % categories.size()),
            QStringLiteral("第%1题：驾驶机动车遇到图中这种情况时，应当怎样做？")
                .arg(i + 1, 4, 10, QLatin1Char('0')),
            QStringLiteral("减速慢行，注意观察，确认安全后通过（%1）").arg(i + 1),
            {}};
        // 1,300 of 3,600, spread evenly: every question whose share ticks over.
        if ((i + 1) * 1300 / 3600 != i * 1300 / 3600 || i == 0) {
            if (pictures < 1300) {
                const int target = 20 * 1024 + int(random.bounded(40 * 1024));
                q.picture = pictures % 4 == 3 ? PictureMaker::png(random, target)
                                              : PictureMaker::jpeg(random, QSize(480, 360), target);
                pictureBytes += q.picture.size();
                ++pictures;
            }
        }
        qs.push_back(std::move(q));
    }
    try {
        BankSchema::build(folder + QLatin1Char('/') + Queries::kBankFile, BankSchema::Kind::Bank,
                          qs, Queries::kBankPassword);
        BankSchema::build(folder + QLatin1Char('/') + Queries::kPersonalFile,
                          BankSchema::Kind::PersonalList, {}, {});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_picturebank: %s\n", e.what());
        return 1;
    }
    std::printf("%d questions, %d with pictures (%.1f MB of pictures)\n", int(qs.size()), pictures,
                pictureBytes / 1048576.0);
    return 0;
}
