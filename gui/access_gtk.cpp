#include "access.h"

#include <wx/window.h>

#include <atk/atk.h>
#include <gtk/gtk.h>

#include "app/textfile.h"

namespace {
AtkObject* accessibleOf(wxWindow* window) {
    GtkWidget* widget = window ? window->GetHandle() : nullptr;
    if (!widget) return nullptr;
    if (GTK_IS_SCROLLED_WINDOW(widget)) {
        GtkWidget* child = gtk_bin_get_child(GTK_BIN(widget));
        if (child) widget = child;
    }
    return gtk_widget_get_accessible(widget);
}
}  // namespace

void setAccessibleName(wxWindow* window, const std::wstring& name) {
    if (AtkObject* a = accessibleOf(window)) atk_object_set_name(a, toUtf8(name).c_str());
}

void setAccessibleDescription(wxWindow* window, const std::wstring& description) {
    AtkObject* a = accessibleOf(window);
    if (!a) return;
    std::string text = toUtf8(description);
    const char* current = atk_object_get_description(a);
    if (current && text == current) return;  // a change is spoken: say nothing new twice
    atk_object_set_description(a, text.c_str());
}

void setLabelledBy(wxWindow* box, wxWindow* label, bool labelled) {
    AtkObject* a = accessibleOf(box);
    AtkObject* l = accessibleOf(label);
    if (!a || !l) return;
    AtkRelationSet* relations = atk_object_ref_relation_set(a);
    bool now = atk_relation_set_contains_target(relations, ATK_RELATION_LABELLED_BY, l);
    g_object_unref(relations);
    if (now == labelled) return;  // a relation added twice would be said twice
    if (labelled) {
        atk_object_add_relationship(a, ATK_RELATION_LABELLED_BY, l);
        atk_object_add_relationship(l, ATK_RELATION_LABEL_FOR, a);
    } else {
        atk_object_remove_relationship(a, ATK_RELATION_LABELLED_BY, l);
        atk_object_remove_relationship(l, ATK_RELATION_LABEL_FOR, a);
    }
}

void makeNotification(wxWindow* window) {
    if (AtkObject* a = accessibleOf(window)) atk_object_set_role(a, ATK_ROLE_NOTIFICATION);
}

void announce(wxWindow* window, const std::wstring& text) {
    AtkObject* a = accessibleOf(window);
    // The signal exists from ATK 2.46 on; older libraries simply lack it.
    if (a && g_signal_lookup("announcement", G_OBJECT_TYPE(a)) != 0)
        g_signal_emit_by_name(a, "announcement", toUtf8(text).c_str());
}

void makeDialog(wxWindow* window) {
    if (AtkObject* a = accessibleOf(window)) atk_object_set_role(a, ATK_ROLE_DIALOG);
}

void setListCursor(wxWindow* list, int row) {
    GtkWidget* widget = list ? list->GetHandle() : nullptr;
    if (widget && GTK_IS_SCROLLED_WINDOW(widget)) widget = gtk_bin_get_child(GTK_BIN(widget));
    if (!widget || !GTK_IS_TREE_VIEW(widget) || row < 0) return;
    GtkTreeView* tree = GTK_TREE_VIEW(widget);
    GtkTreePath* current = nullptr;
    gtk_tree_view_get_cursor(tree, &current, nullptr);
    bool same = current && gtk_tree_path_get_depth(current) == 1 && gtk_tree_path_get_indices(current)[0] == row;
    if (current) gtk_tree_path_free(current);
    if (same) return;
    GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
    gtk_tree_view_set_cursor(tree, path, nullptr, FALSE);
    gtk_tree_path_free(path);
}

namespace {
GtkWidget* findMenuBar(GtkWidget* widget) {
    if (!widget) return nullptr;
    if (GTK_IS_MENU_BAR(widget)) return widget;
    if (!GTK_IS_CONTAINER(widget)) return nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    GtkWidget* found = nullptr;
    for (GList* c = children; c && !found; c = c->next) found = findMenuBar(GTK_WIDGET(c->data));
    g_list_free(children);
    return found;
}
}  // namespace

void openFirstMenu(wxWindow* menuBar) {
    GtkWidget* bar = findMenuBar(menuBar ? menuBar->GetHandle() : nullptr);
    if (!bar) return;
    GList* items = gtk_container_get_children(GTK_CONTAINER(bar));
    if (items) gtk_widget_mnemonic_activate(GTK_WIDGET(items->data), FALSE);
    g_list_free(items);
}

void makeListBox(wxWindow* list) {
    if (AtkObject* a = accessibleOf(list)) atk_object_set_role(a, ATK_ROLE_LIST_BOX);
}

void markRules(wxWindow* textBox, const std::vector<std::pair<long, long>>& ranges) {
    GtkWidget* widget = textBox ? textBox->GetHandle() : nullptr;
    if (widget && GTK_IS_SCROLLED_WINDOW(widget)) widget = gtk_bin_get_child(GTK_BIN(widget));
    if (!widget || !GTK_IS_TEXT_VIEW(widget)) return;
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(widget));
    static const char* const kTag = "yzo-rule";
    // Blanks are not struck through nor underlined (the text is drawn
    // without decoration past its last visible character): a grey band.
    static const char* const kRuleColour = "#a0a0a0";
    if (!gtk_text_tag_table_lookup(gtk_text_buffer_get_tag_table(buffer), kTag))
        gtk_text_buffer_create_tag(buffer, kTag, "background", kRuleColour, nullptr);
    GtkTextIter start, end;
    gtk_text_buffer_get_bounds(buffer, &start, &end);
    gtk_text_buffer_remove_tag_by_name(buffer, kTag, &start, &end);
    for (const auto& [from, to] : ranges) {
        gtk_text_buffer_get_iter_at_offset(buffer, &start, static_cast<gint>(from));
        gtk_text_buffer_get_iter_at_offset(buffer, &end, static_cast<gint>(to));
        gtk_text_buffer_apply_tag_by_name(buffer, kTag, &start, &end);
    }
}

// Orca reads a GTK dialog, its title and its text, as it opens.
void announceQuestion(wxWindow*, const std::wstring&) {}
