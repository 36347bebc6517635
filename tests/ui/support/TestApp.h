#pragma once

namespace testsupport {

// The one QApplication of the ui suite, made on first use (never while tests are listed)
// and on the offscreen platform unless another is asked for.
void EnsureTestApp();

}  // namespace testsupport
