#include "program_harness.h"

namespace corvalen::testing {

ProgramHarness::ProgramHarness(Sites sites)
    : program(std::make_unique<Corvalen>(Platform { components, shell, dialogs }, std::move(sites)))
{
    program->start();
}

ProgramHarness::~ProgramHarness() = default;

} // namespace corvalen::testing
