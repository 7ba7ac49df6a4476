// The search window, in process: a keystroke in the field until the result list is painted,
// for a one-character, a two-character and a no-match query (median and worst in microseconds
// over the rounds), and opening the window until its field has the focus.
#include "bench/benchsupport.h"
#include "ui/controls.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pukalo;

static void report(const QString &what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("%s\t%.0f\t%.0f\n", qPrintable(what), times[times.size() / 2], times.back());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    bench::MainWindow window;
    FormMain *form = window.form;
    auto *open = form->findChild<QAction *>(QStringLiteral("mnuSearch"));

    std::vector<double> opening;
    for (int round = 0; round < 30; ++round) {
        QElapsedTimer clock;
        clock.start();
        open->trigger();
        auto *field = form->findChild<SearchField *>(QStringLiteral("Field"));
        while (QApplication::focusWidget() != field)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        opening.push_back(double(clock.nsecsElapsed()) / 1000.0);
        field->window()->close();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    report(QStringLiteral("opening until the field has the focus"), opening);

    open->trigger();
    auto *field = form->findChild<SearchField *>(QStringLiteral("Field"));
    auto *results = form->findChild<QTreeWidget *>(QStringLiteral("Results"));
    for (const char *query : {"に", "にこ", "えがお", "niko", "ぱんだ", "泣いてる",
                              "ありがとうございます", "さよなら 涙"}) {
        std::vector<double> times;
        for (int round = 0; round < 205; ++round) {
            field->clear();
            QApplication::processEvents();
            QElapsedTimer clock;
            clock.start();
            field->setText(QString::fromUtf8(query));
            results->viewport()->repaint();
            if (round >= 5)
                times.push_back(double(clock.nsecsElapsed()) / 1000.0);
        }
        report(QStringLiteral("keystroke to results painted, query ") + QString::fromUtf8(query),
               times);
    }
    return 0;
}
