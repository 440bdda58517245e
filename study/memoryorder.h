// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "questionbank/fsrs.h"
#include "study/recordidentities.h"
#include "study/studycycle.h"

class DataControl;
class LearnerProgress;
class RecordSetCursor;

// The display's records in the order by memory: each step goes to the
// question the learner most needs now (NextQuestion) among the records the
// display holds, so the category choice, the personal list included, still
// limits what is shown. Showing writes nothing: a question shown and not
// graded keeps its schedule, and is passed over until every question of its
// kind (due, new or weakest) has had its turn, so that a learner who is away
// does not find one question shown again and again. Chosen but not usable
// (the progress store failed, or the file could not be read again for the
// questions' identities), it steps in the documented order.
class MemoryOrder : public StudyCycle::Records {
public:
    struct Settings {
        bool byMemory = false;  // studyorder is 1
        int newPerDay = 20;     // newperday
    };
    using SettingsSource = std::function<Settings()>;
    using Clock = std::function<qint64()>;  // ms since the epoch

    MemoryOrder(DataControl& data, RecordSetCursor& cursor, LearnerProgress& progress,
                SettingsSource settings, Clock clock);

    // The data control opened another set: its identities are read anew
    // (when the order is chosen) and, by memory, the set goes to the question
    // wanted first.
    void opened();
    // The order was switched on or off.
    void switched();
    // Chosen, and the progress store and the identities are at hand. Asking
    // opens the store when the order is chosen.
    bool inEffect();
    bool chosen() const { return settings_().byMemory; }
    // The identity of the shown record; empty when not known.
    QString shownIdentity() const;

    struct Graded {
        QString identity;
        Fsrs::Card card;    // after the grade
        int forgotten = 0;  // the question's "forgot" grades so far, this one included
    };
    // Records a grade for the shown question; nothing when not in effect or
    // when the store could not write it.
    std::optional<Graded> grade(Fsrs::Grade grade);

    int count() const override;
    void move(int direction) override;
    bool hasCurrent() const override;
    int position() const override;
    QString question() const override;
    QString answer() const override;

private:
    // Identities in the set's order, with their rows.
    struct Candidates {
        QStringList identities;
        std::vector<int> rows;
    };
    const Candidates& everyRecord();
    void forward(bool passShown);
    void back();
    bool goTo(const QString& identity);
    void goToRow(int row);

    DataControl& data_;
    RecordSetCursor& cursor_;
    LearnerProgress& progress_;
    SettingsSource settings_;
    Clock clock_;
    RecordIdentities identities_;
    bool identitiesRead_ = false;  // for the set open now
    Candidates every_;
    int everyCount_ = -1;  // the set's record count when every_ was made
    QSet<QString> passedOver_;
    QStringList history_;  // identities shown before, the latest last
};
