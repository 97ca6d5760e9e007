#include "tests/e2e/harness/Process.h"

namespace e2e {

Lines ProcessResult::OutLines() const { return SplitLines(out); }

Lines ProcessResult::ErrLines() const { return SplitLines(err); }

}  // namespace e2e
