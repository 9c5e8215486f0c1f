#pragma once

namespace kivrun {

// Plugs the views of every kind of log window into the window templates. The program and
// the GUI tests call it once before any window opens; each view adds its line here.
void RegisterWindowContents();

}  // namespace kivrun
