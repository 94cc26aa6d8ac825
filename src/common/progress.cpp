#include "common/progress.h"

namespace mokpe::common {

namespace {

class SilentProgress final : public Progress {
public:
    void setRange(qint64) override {}
    void setValue(qint64) override {}
    bool wasCanceled() const override { return false; }
};

} // namespace

Progress &noProgress()
{
    static SilentProgress silent;
    return silent;
}

} // namespace mokpe::common
