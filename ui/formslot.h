#pragma once

#include <QObject>
#include <QWidget>

namespace pukalo {

// The program's long-lived windows each exist at most once and are reached by name, as
// FormSlot<FormMain>. Load creates the window hidden and runs its Form_Load once per creation;
// Show loads it if needed and shows it modeless; Unload destroys it, so a later Load builds it
// afresh from its design.
template <typename Form>
class FormSlot
{
public:
    static Form *Instance() { return s_form; }

    static Form *Load()
    {
        if (!s_form) {
            s_form = new Form();
            s_form->setAttribute(Qt::WA_DeleteOnClose, false);
            QObject::connect(s_form, &QObject::destroyed, [] { s_form = nullptr; });
            s_form->Form_Load();
        }
        return s_form;
    }

    static void Show() { Load()->show(); }

    static void Unload()
    {
        if (Form *form = s_form) {
            s_form = nullptr;
            form->hide();
            form->deleteLater();
        }
    }

private:
    static inline Form *s_form = nullptr;
};

} // namespace pukalo
