// Buttons that click as soon as a key activates them.
//
// A GTK button activated by a key (its mnemonic, Enter on a dialog's
// default button, Space) clicks only when that key is released on it, or a
// quarter of a second later. The release goes to the widget that has the
// focus, seldom to the button: Alt+C, or Enter typed in a dialog's text,
// kept the user waiting a quarter of a second before the program answered
// (the file chooser half a second: it activates its default button once
// more after it has looked the name up). A message box's buttons have the
// focus: they waited for the release of the key, as long as it was held.
#pragma once

class wxWindow;

// Makes a button of the window (a wxButton) click at once when activated.
void clickWhenActivated(wxWindow* button);
// The same for the accept button (Open, Save) of a native file dialog.
void clickAcceptWhenActivated(wxWindow* fileDialog);
// The same for the buttons of every message box the toolkit shows (made only
// when it is shown): once, after the toolkit has started.
void clickMessageBoxButtonsWhenActivated();
