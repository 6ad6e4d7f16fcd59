#pragma once

// The one place where the program's windows are declared to the registry and tied to each other and to the main
// window's menu: which entry opens which window, what a window's save means for another.
namespace mx {

class MainWindow;

void wireWindows(MainWindow& main);

} // namespace mx
