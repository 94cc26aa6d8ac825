// The journal editor's editing operations on the bare grid, as `mokpe journal`
// runs them (see journal_editing_cases.h).
#include "journal_editing_cases.h"

int main(int argc, char **argv)
{
    mokpe::bench::registerEditingBenchmarks("Core/", [] { return std::make_unique<mokpe::bench::Viewer>(); });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
