#pragma once
// Whether the test runs under Wine, for the few places where Wine's outcome
// differs from Windows' and each is asserted on its own.

namespace quellbrook::test_support {

bool RunningUnderWine();

}  // namespace quellbrook::test_support
