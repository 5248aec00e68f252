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

// Runs on every button's "activate", after the button's own handler (the
// signal runs that first): a message box's button is released at once.
gboolean afterActivate(GSignalInvocationHint*, guint count, const GValue* values, gpointer) {
    auto* instance = count > 0 ? static_cast<GObject*>(g_value_get_object(&values[0])) : nullptr;
    if (instance && GTK_IS_BUTTON(instance) && GTK_IS_MESSAGE_DIALOG(gtk_widget_get_toplevel(GTK_WIDGET(instance))))
        releaseAtOnce(GTK_WIDGET(instance), nullptr);
    return TRUE;  // stays for the next activation
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
    if (dialog && GTK_IS_DIALOG(dialog))
        clickAtOnce(gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT));
}

void clickMessageBoxButtonsWhenActivated() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    // The class holds the signal: it must exist before the signal is looked up.
    g_type_class_ref(GTK_TYPE_BUTTON);
    g_signal_add_emission_hook(g_signal_lookup("activate", GTK_TYPE_BUTTON), 0, afterActivate, nullptr, nullptr);
}
