#pragma once

#include <QString>
#include <QTemporaryDir>
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

} // namespace pukalo::test
