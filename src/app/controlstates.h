#pragma once

// Which controls of the main window are usable in each of its states. Each function sets
// exactly the controls its state decides and leaves every other one as it is.
namespace Ui {
class MainWindow2;
}

namespace app {

// Right after the window was built: nothing that needs a controller is usable, the
// session-only categories, the extra screen-group buttons and the upload bar are hidden.
void applyConstructionState(Ui::MainWindow2 &ui);

// After a successful login: the session controls are enabled and every category is shown.
// The media pad, the video position, the caption panel's visibility and the screen-group
// buttons are left to the panels that own them.
void applyLoggedInState(Ui::MainWindow2 &ui);

// After a session ended: the session controls are disabled again and the session-only
// categories hidden.
void applyDisconnectedState(Ui::MainWindow2 &ui);

} // namespace app
