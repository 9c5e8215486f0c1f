#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "devices/Activity.h"
#include "document/ActivityImport.h"
#include "store/Rows.h"

namespace kivrun {

class CTamselDoc;
class View;

// What the log says about how activities become workouts: its preferences, the names of its
// optional fields, the class new workouts take.
WorkoutRules WorkoutRulesOf(CTamselDoc& doc);

// One activity of an import: a workout session of a file, or a file that gave none.
struct ActivityItem {
    enum class Status {
        New,
        InLog,          // imported before: the log has its workout
        SameWorkout,    // probably recorded twice: a workout of the log, or of this import
        NotAnActivity,  // a course, settings file...
        Refused,        // nothing usable in the file
    };
    std::string path;
    devices::FileKind kind = devices::FileKind::Unknown;
    devices::ReadStatus read = devices::ReadStatus::Refused;
    std::string reason;  // what was wrong (a salvaged or refused file), or what it is instead
    std::string device;
    std::optional<devices::Session> session;
    LocalStart start;
    std::string sport;  // the log sport's letter; empty while none fits
    Status status = Status::Refused;
    RowId sameEntry = 0;  // InLog, SameWorkout: the workout of the log
    int sameItem = -1;    // SameWorkout: the earlier activity of this import
    bool checked = false;
    RowId entryId = 0;  // the workout it became

    bool HasWorkout() const { return session.has_value(); }
    const std::string& DeviceSport() const;
};

// The activities of one import as the review window and the tool show them: each mapped to a
// log sport, its duplicates found, checked when it should be imported. Import() writes the
// checked ones.
class ActivityBatch {
  public:
    // Reads what the log says about imports: time, heart rate field, class, remembered sports.
    explicit ActivityBatch(CTamselDoc& doc);

    // Before activities are added (the tool's options): the time to take, and a log sport
    // for a device sport ("running", or "cycling" for all its sub-sports) over any other.
    void SetTime(DeviceTime time) { rules_.time = time; }
    void MapDeviceSport(const std::string& deviceSport, const std::string& sport);

    // What one file gave: one activity per workout session (multisport transitions left
    // out), or one that says why there is none.
    void Add(const std::string& path, devices::Activity activity);

    const std::vector<ActivityItem>& Items() const { return items_; }
    std::size_t Size() const { return items_.size(); }
    const ActivityItem& Item(std::size_t index) const { return items_.at(index); }
    const WorkoutRules& Rules() const { return rules_; }
    CTamselDoc& Document() const { return doc_; }

    // An activity without a workout or a log sport stays unchecked.
    bool CanCheck(std::size_t index) const;
    void SetChecked(std::size_t index, bool checked);
    // Every activity of this device sport goes to the sport (the log keeps the choice on
    // import); their duplicates are found again. The indexes whose values changed.
    std::vector<std::size_t> ChooseSport(std::size_t index, const std::string& sport);
    // Duplicates are imported too.
    void CheckDuplicates();
    std::size_t CheckedCount() const;

    // The workout an activity would be (nothing for one without a workout or a sport).
    std::optional<EntryDetail> Workout(std::size_t index) const;
    // "new", "already in the log", "probably the same workout as Running on 3/31/2024,
    // 6.71 M, 0:59:00", "not an activity: course", "damaged: bad CRC; salvaged what it held".
    std::string StatusText(std::size_t index) const;

    // Writes the checked activities as workouts: one transaction, one undo step, one notice.
    // Each written activity learns its EntryID; the sports chosen for device sports are
    // remembered. How many were written; 0 when none was checked or the log refused (the
    // user was told why).
    int Import(View* sender);

  private:
    std::string SportFor(const std::string& deviceSport) const;
    WorkoutSpan SpanOf(const ActivityItem& item) const;
    void Evaluate(std::size_t index);
    void FindInLog(ActivityItem& item) const;
    void FindInBatch(std::size_t index);
    std::string EntryText(RowId entryId) const;

    CTamselDoc& doc_;
    WorkoutRules rules_;
    bool logKnowsImports_ = false;                   // the log has its "Imported Activities" table
    std::map<std::string, std::string> remembered_;  // device sport -> letter, from the log
    std::map<std::string, std::string> mapped_;      // the tool's, over the log's
    std::map<std::string, std::string> chosen_;      // chosen in this review
    std::vector<ActivityItem> items_;
};

}  // namespace kivrun
