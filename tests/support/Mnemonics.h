#pragma once

#include <QString>

class QWidget;

// The mnemonics that clash in window, read from its widgets: those its buttons, labels with a
// buddy, group boxes and menu bar share, all of which act anywhere in the window, and those the
// items of any one of its menus share. One line a clash ("Alt+E: &Edit | &Edit Deed..."); empty
// when there is none.
QString MnemonicClashes(const QWidget& window);
