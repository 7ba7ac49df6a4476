// Category switch, in process: a choice in Combo1 for each of the sixteen categories, with the four
// lists painted before the clock stops. Prints per category the median and the worst time in
// microseconds over the rounds, after warm-up rounds.
#include "bench/benchsupport.h"
#include "catalogue/catalogue.h"
#include "ui/controls.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pukalo;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    bench::MainWindow window;
    FormMain *form = window.form;

    auto *combo = form->findChild<ComboBox *>(QStringLiteral("Combo1"));
    QList<ListBox *> lists;
    for (const char *name : {"List1", "List2", "List3", "List4"})
        lists << form->findChild<ListBox *>(QLatin1StringView(name));
    const auto order = CategoriesInDisplayOrder();
    const int warmup = 5, rounds = 200;
    std::vector<std::vector<double>> times(order.size());
    for (int round = 0; round < warmup + rounds; ++round) {
        for (size_t i = 0; i < order.size(); ++i) {
            const int index = int(i);
            QElapsedTimer clock;
            clock.start();
            combo->setCurrentIndex(index);
            emit combo->activated(index);
            for (ListBox *list : lists)
                list->viewport()->repaint();
            const double us = double(clock.nsecsElapsed()) / 1000.0;
            if (round >= warmup)
                times[i].push_back(us);
        }
    }
    std::vector<double> medians, worsts;
    for (size_t i = 0; i < order.size(); ++i) {
        auto &t = times[i];
        std::sort(t.begin(), t.end());
        medians.push_back(t[t.size() / 2]);
        worsts.push_back(t.back());
        std::printf("%s\t%.0f\t%.0f\n", QStringView(order[i]->name).toString().toUtf8().constData(),
                    t[t.size() / 2], t.back());
    }
    std::sort(medians.begin(), medians.end());
    std::printf("ALL\t%.0f\t%.0f\n", medians[medians.size() / 2],
                *std::max_element(worsts.begin(), worsts.end()));
    delete form;
    return 0;
}
