#pragma once

#include <QtGlobal>

// How far a long operation has come, told to whoever shows it (a progress
// dialog in the windows, nobody in the headless command), and whether the user
// has asked it to stop.
namespace mokpe::common {

class Progress {
public:
    virtual ~Progress() = default;
    // A stage of `total` steps begins; its steps are told from 0 to `total`.
    virtual void setRange(qint64 total) = 0;
    virtual void setValue(qint64 done) = 0;
    // Whether the user asked the operation to stop. An operation asks only at
    // points where stopping leaves nothing half done.
    virtual bool wasCanceled() const = 0;
};

// Tells nobody and never stops: what a caller without a window passes.
Progress &noProgress();

// A stage that lies inside a longer one: its steps land from `offset` on in
// the owner's range, which the owner has set for the whole operation.
class ProgressShare final : public Progress {
public:
    ProgressShare(Progress &owner, qint64 offset) : owner_(owner), offset_(offset) {}
    void setRange(qint64) override {}
    void setValue(qint64 done) override { owner_.setValue(offset_ + done); }
    bool wasCanceled() const override { return owner_.wasCanceled(); }

private:
    Progress &owner_;
    qint64 offset_;
};

// Tells a stage's steps only every `stride` steps (lines, rows), so that a
// loop pays one comparison per step and the telling is lost in the work.
class ProgressSteps {
public:
    static constexpr qint64 kStride = 4096;

    // Begins a stage of `total` steps on `progress`.
    ProgressSteps(Progress &progress, qint64 total, qint64 stride = kStride)
        : progress_(progress), total_(total), stride_(stride > 0 ? stride : 1), next_(stride_)
    {
        progress_.setRange(total_);
        progress_.setValue(0);
    }

    // Step `done` is reached; true when the user asked to stop (looked at only
    // where the step is told).
    bool stopAt(qint64 done) { return done >= next_ && tell(done); }
    // The stage is complete.
    void finish() { progress_.setValue(total_); }

private:
    bool tell(qint64 done)
    {
        next_ = done + stride_;
        progress_.setValue(done);
        return progress_.wasCanceled();
    }

    Progress &progress_;
    qint64 total_;
    qint64 stride_;
    qint64 next_;
};

} // namespace mokpe::common
