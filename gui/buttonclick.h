// Buttons that click as soon as a key activates them.
//
// A GTK button activated by a key (its mnemonic, Enter on a dialog's
// default button, Space) clicks only when that key is released on it, or a
// quarter of a second later. The release goes to the widget that has the
// focus, seldom to the button: Alt+C, Enter typed in a dialog's text, or
// Enter on a message box's "Oui" kept the user waiting a quarter of a second
// before the program answered (the file chooser half a second: it activates
// its default button once more after it has looked the name up).
#pragma once

// Makes every button of the program click at once when a key activates it:
// the window's own, and those of the toolkit's dialogs (message boxes, input
// boxes, file choosers), which are made only when they are shown. Once,
// after the toolkit has started.
void clickButtonsWhenActivated();
