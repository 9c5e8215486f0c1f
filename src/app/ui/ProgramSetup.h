#pragma once

namespace kivrun {

class KivrunApp;

// Hands the program-wide commands whose work lives in the core (preferences, import, ...)
// to a started application. The program and the GUI tests call it after Start.
void SetUpProgramCommands(KivrunApp& app);

}  // namespace kivrun
