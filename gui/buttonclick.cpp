#include "buttonclick.h"

#include <gtk/gtk.h>

namespace {
// Hands the button the key's release that its own "activate" has started to
// wait for: it clicks at once.
void releaseAtOnce(GtkWidget* button) {
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
// signal runs that first), which has started the wait.
gboolean afterActivate(GSignalInvocationHint*, guint count, const GValue* values, gpointer) {
    auto* instance = count > 0 ? static_cast<GObject*>(g_value_get_object(&values[0])) : nullptr;
    if (instance && GTK_IS_BUTTON(instance)) releaseAtOnce(GTK_WIDGET(instance));
    return TRUE;  // stays for the next activation
}
}  // namespace

void clickButtonsWhenActivated() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    // The class holds the signal: it must exist before the signal is looked up.
    g_type_class_ref(GTK_TYPE_BUTTON);
    g_signal_add_emission_hook(g_signal_lookup("activate", GTK_TYPE_BUTTON), 0, afterActivate, nullptr, nullptr);
}
