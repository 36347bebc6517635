#pragma once

#include <functional>

namespace testsupport {

// The one QApplication of the loader window suite, on the offscreen platform unless another
// is asked for.
void EnsureLoaderTestApp();
// Serves events until `done` holds or `ms` have passed; whether it holds.
bool ServeUntil(const std::function<bool()>& done, int ms);

}  // namespace testsupport
