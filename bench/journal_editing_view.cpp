// The journal editor's editing operations through the table model with the
// editor's grid view attached and on screen (offscreen platform): once with
// what the view does on hearing each change, once with the repaint that
// follows (see journal_editing_cases.h).
#include "journal/journal_table_model.h"
#include "journal/ui/journal_grid_view.h"
#include "journal_editing_cases.h"

#include <QApplication>

namespace {

using namespace mokpe;

class TableViewer final : public bench::Viewer {
public:
    explicit TableViewer(bool paintTimed) : paintTimed_(paintTimed) {}
    void attach(journal::JournalGrid &grid) override
    {
        model_ = std::make_unique<journal::JournalTableModel>(grid);
        view_ = std::make_unique<journal::JournalGridView>();
        view_->setJournalModel(model_.get());
        view_->setColumnWidthsTwips(journal::kColumnWidthsTwips.data(), journal::kColumnCount);
        view_->resize(1000, 600);
        view_->show();
        // The middle row in sight, where the operations work.
        view_->setCurrentGridCell(grid.journalRowCount() / 2, journal::DateColumn);
    }
    void heard() override
    {
        if (paintTimed_)
            QCoreApplication::processEvents();
    }
    void settle() override { QCoreApplication::processEvents(); }
    ~TableViewer() override
    {
        view_.reset();
        model_.reset();
    }

private:
    bool paintTimed_;
    std::unique_ptr<journal::JournalTableModel> model_;
    std::unique_ptr<journal::JournalGridView> view_;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // What the view does on hearing each change, and the same with the screen
    // drawn again (the event loop run once).
    bench::registerEditingBenchmarks("View/", [] { return std::make_unique<TableViewer>(false); });
    bench::registerEditingBenchmarks("ViewPainted/", [] { return std::make_unique<TableViewer>(true); });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
