// What the in-process benchmarks share: the main window shown as at start-up, with settings of
// its own in a scratch folder.
#pragma once

#include "forms/main/formmain.h"
#include "platform/settingsstore.h"
#include "ui/formslot.h"
#include "ui/japanesefont.h"

#include <QApplication>
#include <QTemporaryDir>

namespace pukalo::bench {

struct MainWindow
{
    MainWindow()
    {
        ApplyDesignLook();
        SetSettingsDirectoryForTesting(settings.path());
        form = FormSlot<FormMain>::Load();
        FormSlot<FormMain>::Show();
        QApplication::processEvents();
    }
    QTemporaryDir settings;
    FormMain *form = nullptr;
};

} // namespace pukalo::bench
