// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/memoryorder.h"

#include <vector>

#include "platform/logging.h"
#include "questionbank/nextquestion.h"
#include "questionbank/recordset.h"
#include "study/datacontrol.h"
#include "study/learnerprogress.h"
#include "study/recordsetcursor.h"

namespace {

constexpr int kHistory = 200;  // steps back that Left can take

const char* nameOf(NextQuestion::Reason r) {
    switch (r) {
        case NextQuestion::Reason::Due:
            return "due";
        case NextQuestion::Reason::New:
            return "new";
        case NextQuestion::Reason::LowestRecall:
            return "weakest";
        case NextQuestion::Reason::None:
            break;
    }
    return "none";
}

// Which of the rule's kinds a question is now.
NextQuestion::Reason kindOf(const QHash<QString, Fsrs::Card>& cards, const QString& id,
                            qint64 now) {
    const auto it = cards.constFind(id);
    if (it == cards.cend() || it->isNew()) return NextQuestion::Reason::New;
    return it->dueMs <= now ? NextQuestion::Reason::Due : NextQuestion::Reason::LowestRecall;
}

}  // namespace

MemoryOrder::MemoryOrder(DataControl& data, RecordSetCursor& cursor, LearnerProgress& progress,
                         SettingsSource settings, Clock clock)
    : data_(data),
      cursor_(cursor),
      progress_(progress),
      settings_(std::move(settings)),
      clock_(std::move(clock)) {}

void MemoryOrder::opened() {
    identities_.clear();
    everyCount_ = -1;
    identitiesRead_ = false;
    passedOver_.clear();
    history_.clear();
    if (count() > 0 && inEffect()) forward(false);
}

void MemoryOrder::switched() {
    passedOver_.clear();
    history_.clear();
}

bool MemoryOrder::inEffect() {
    if (!chosen() || !progress_.store()) return false;
    if (!identitiesRead_) {
        identitiesRead_ = true;
        identities_.load(data_);
        everyCount_ = -1;
    }
    return identities_.known();
}

QString MemoryOrder::shownIdentity() const {
    const RecordSet* rs = data_.Recordset();
    return rs && rs->hasCurrent() ? identities_.at(*rs, rs->AbsolutePosition()) : QString();
}

void MemoryOrder::move(int direction) {
    if (!inEffect()) {
        cursor_.move(direction);
        return;
    }
    if (direction < 0)
        back();
    else
        forward(true);
}

void MemoryOrder::forward(bool passShown) {
    const RecordSet& rs = *data_.Recordset();
    ProgressStore* store = progress_.store();
    const auto cards = store ? store->allCards() : std::nullopt;
    if (!cards) {
        // The store failed just now: the documented order goes on.
        cursor_.move(1);
        return;
    }
    const QString shown = passShown ? shownIdentity() : QString();
    // The records neither shown now nor passed over.
    const Candidates& every = everyRecord();
    const auto candidates = [&] {
        Candidates c;
        for (size_t i = 0; i < every.rows.size(); ++i) {
            const QString& id = every.identities[qsizetype(i)];
            if (id == shown || passedOver_.contains(id)) continue;
            c.identities << id;
            c.rows.push_back(every.rows[i]);
        }
        return c;
    };
    const qint64 now = clock_();
    const int limit = settings_().newPerDay;
    if (!shown.isEmpty()) passedOver_.insert(shown);

    // What the rule asks for with nothing passed over, and among the rest.
    const Candidates& all = every;
    const NextQuestion::Choice wanted = NextQuestion::choose(all.identities, *cards, now, limit);
    Candidates open = candidates();
    NextQuestion::Choice choice = NextQuestion::choose(open.identities, *cards, now, limit);
    if (choice.reason != wanted.reason) {
        // Every question of the kind wanted has had its turn: they come round
        // again. Should the shown one be the only one of its kind, another
        // comes between, so that the display moves on.
        passedOver_.removeIf(
            [&](const QString& id) { return kindOf(*cards, id, now) == wanted.reason; });
        open = candidates();
        choice = NextQuestion::choose(open.identities, *cards, now, limit);
    }
    if (choice.position < 0) {
        // Every other question has had its turn: a new round for all.
        passedOver_.clear();
        open = candidates();
        choice = NextQuestion::choose(open.identities, *cards, now, limit);
    }
    if (choice.position < 0) {
        // Nothing but the shown question.
        if (wanted.position < 0) return cursor_.move(1);
        open = all;
        choice = wanted;
    }
    if (!shown.isEmpty()) history_ << shown;
    if (history_.size() > kHistory) history_.removeFirst();
    goToRow(open.rows[size_t(choice.position)]);
    qCInfo(lcDisplay).noquote() << "by memory:" << nameOf(choice.reason) << choice.identity;
}

void MemoryOrder::back() {
    while (!history_.isEmpty()) {
        const QString previous = history_.takeLast();
        if (goTo(previous)) {
            qCInfo(lcDisplay).noquote() << "by memory: back to" << previous;
            return;
        }
    }
    cursor_.move(-1);
}

bool MemoryOrder::goTo(const QString& identity) {
    const Candidates& every = everyRecord();
    const qsizetype i = every.identities.indexOf(identity);
    if (i < 0) return false;
    goToRow(every.rows[size_t(i)]);
    return true;
}

const MemoryOrder::Candidates& MemoryOrder::everyRecord() {
    // The set changes under the order only by losing records (K).
    const RecordSet& rs = *data_.Recordset();
    if (everyCount_ == rs.RecordCount()) return every_;
    every_ = {};
    for (int row = 0; row < rs.RecordCount(); ++row) {
        const QString id = identities_.at(rs, row);
        if (id.isEmpty()) continue;
        every_.identities << id;
        every_.rows.push_back(row);
    }
    everyCount_ = rs.RecordCount();
    return every_;
}

void MemoryOrder::goToRow(int row) {
    RecordSet& rs = *data_.Recordset();
    rs.MoveFirst();
    if (row > 0) rs.Move(row, rs.Bookmark());
}

std::optional<MemoryOrder::Graded> MemoryOrder::grade(Fsrs::Grade grade) {
    if (!inEffect()) return std::nullopt;
    const QString id = shownIdentity();
    ProgressStore* store = progress_.store();
    if (id.isEmpty() || !store) return std::nullopt;
    const auto card = store->recordGrade(id, grade, clock_());
    if (!card) return std::nullopt;
    Graded g{id, *card, 0};
    passedOver_.remove(id);  // rescheduled: no longer a question left ungraded
    if (grade == Fsrs::Grade::Forgot) {
        if (const auto reviews = store->reviewsOf(id))
            for (const ProgressStore::Review& r : *reviews)
                g.forgotten += r.grade == Fsrs::Grade::Forgot ? 1 : 0;
    }
    return g;
}

int MemoryOrder::count() const {
    return cursor_.count();
}
bool MemoryOrder::hasCurrent() const {
    return cursor_.hasCurrent();
}
int MemoryOrder::position() const {
    return cursor_.position();
}
QString MemoryOrder::question() const {
    return cursor_.question();
}
QString MemoryOrder::answer() const {
    return cursor_.answer();
}
