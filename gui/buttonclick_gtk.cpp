#include "buttonclick.h"

#include <wx/window.h>

#include <gtk/gtk.h>

namespace {
// Runs after the button's own "activate", which has started its wait for
// the key's release: the release is handed to it at once, and it clicks.
void releaseAtOnce(GtkWidget* button, gpointer) {
    GdkWindow* window = gtk_widget_get_window(button);
    if (!window) return;
    GdkEvent* release = gdk_event_new(GDK_KEY_RELEASE);
    release->key.window = GDK_WINDOW(g_object_ref(window));
    release->key.send_event = TRUE;
    release->key.time = gtk_get_current_event_time();
    gtk_widget_event(button, release);
    gdk_event_free(release);  // drops the window's reference too
}

void clickAtOnce(GtkWidget* button) {
    if (button && GTK_IS_BUTTON(button)) g_signal_connect_after(button, "activate", G_CALLBACK(releaseAtOnce), nullptr);
}
}  // namespace

void clickWhenActivated(wxWindow* button) {
    if (button) clickAtOnce(button->GetHandle());
}

void clickAcceptWhenActivated(wxWindow* fileDialog) {
    GtkWidget* dialog = fileDialog ? fileDialog->GetHandle() : nullptr;
    if (dialog && GTK_IS_DIALOG(dialog)) clickAtOnce(gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT));
}
