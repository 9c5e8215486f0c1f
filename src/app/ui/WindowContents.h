#pragma once

namespace kivrun {

// Plugs the views of every kind of log window into the window templates, and their
// printouts into what `kivrun --print` can print. The program calls it once before it
// reads its command line, the GUI tests before any window opens; each view adds its lines
// here.
void RegisterWindowContents();

}  // namespace kivrun
