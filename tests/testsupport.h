#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

namespace pukalo::test {

// Points the settings store at a fresh folder for the lifetime of the object, so tests never
// read or write the user's settings, and lets a test lay out or read the file by hand.
class ScratchSettings
{
public:
    ScratchSettings();
    ~ScratchSettings();

    // Writes [Settings] with exactly these key=value lines (values as raw text).
    void write(const std::vector<std::pair<QString, QString>> &entries);
    QString value(const QString &key) const; // null when the key is not stored
    QString filePath() const;
    // Puts a plain file where the settings folder belongs, so that no write can succeed.
    void blockWrites();

private:
    QTemporaryDir m_dir;
};

// Counts End and run-time error reports instead of ending the test process.
struct EndRecorder
{
    EndRecorder();
    ~EndRecorder();
    int ends = 0;
    int status = -1; // of the last end
    QStringList reports;
};

// One log, in order, of what the always-on-top protocol does: every SetTopmost call with its
// flag ("topmost 1"), every stored option ("save Facechack=1") and every failure report.
class ProtocolLog
{
public:
    ProtocolLog();
    ~ProtocolLog();
    QStringList entries;
    // SetTopmost calls only, as their flags.
    QList<int> flags() const;
};

// Runs `action` on the modal window of type W once it is shown, from inside its event loop.
void WhenModalShown(const char *className, std::function<void(QWidget *)> action);
template <typename W>
void WhenModalShown(std::function<void(W *)> action)
{
    WhenModalShown(W::staticMetaObject.className(),
                   [action](QWidget *w) { action(static_cast<W *>(w)); });
}

} // namespace pukalo::test
