#include "app/commandline.h"

#include "app/dictionary.h"

#include "catalogue/search.h"
#include "catalogue/userkaomoji.h"
#include "platform/programinfo.h"
#include "platform/stderrline.h"

#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace pukalo {

namespace {
const char kUsage[] =
    "Usage: pukalo [OPTION]\n"
    "Without an option, opens the kaomoji picker, or brings the one running to the front.\n"
    "  --find [WORDS...]   the search window, with WORDS in its field\n"
    "  --list              the whole catalogue, your own kaomoji last: category, kaomoji,\n"
    "                      description, reading\n"
    "  --search WORDS...   the rows the search window finds for WORDS, in its order\n"
    "  --dictionary        a user dictionary for Japanese input methods (Mozc's tab-separated\n"
    "                      form: reading, kaomoji, part of speech, description), one line\n"
    "                      for every reading of every kaomoji\n"
    "  --import FILE       adds the kaomoji of FILE to your own: a user dictionary exported\n"
    "                      from Mozc (entries of the part of speech 顔文字) or a plain list,\n"
    "                      one a line; those already there are skipped, nothing is removed\n"
    "  -h, --help          this text\n"
    "  --version           the version\n"
    "Fields are separated by one tab; kaomoji keep their outer blanks.\n";

void print(const QStringList &fields)
{
    const QByteArray line = fields.join(u'\t').toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
}

// A launcher or a script must not take a list cut short (a full disk, a closed output) for the
// whole catalogue: the status says it was not all written. A reader that stopped early
// (`| head -1`) is no error worth a word.
int finish(int status)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    if (errno != EPIPE)
        StderrLine("could not write the output: %s", std::strerror(errno));
    return 1;
}

void printRows(const std::vector<CatalogueEntry> &entries)
{
    for (const CatalogueEntry &e : entries)
        print({QStringView(e.category->name).toString(), QStringView(e.row->kaomoji).toString(),
               QStringView(e.row->description).toString(), QStringView(e.row->reading).toString()});
}
} // namespace

std::optional<int> RunCommandLine(int argc, char **argv)
{
    // Options of Qt's own (-platform, -style) start with one dash and are Qt's business.
    const std::string_view option = argc < 2 ? std::string_view() : argv[1];
    if ((option.substr(0, 2) != "--" && option != "-h") || option == "--find")
        return std::nullopt;
    if (option == "--search" && argc > 2) {
        QStringList words;
        for (int i = 2; i < argc; ++i)
            words << QString::fromLocal8Bit(argv[i]);
        const std::vector<CatalogueEntry> found = Search(words.join(u' '));
        printRows(found);
        return finish(found.empty() ? 1 : 0);
    }
    if (argc == 2 && option == "--list") {
        printRows(AllEntries());
        return finish(0);
    }
    if (argc == 2 && option == "--dictionary") {
        for (const DictionaryLine &line : InputMethodDictionary())
            print({line.reading, line.kaomoji, line.partOfSpeech, line.comment});
        return finish(0);
    }
    if (argc == 3 && option == "--import") {
        QString why;
        const std::optional<UserKaomoji::Imported> done =
            UserKaomoji::Import(QString::fromLocal8Bit(argv[2]), &why);
        if (!done) {
            StderrLine("%s", qUtf8Printable(why));
            return 1;
        }
        std::printf(
            "%s\n",
            qUtf8Printable(QStringLiteral("%1 個追加、%2 個はもうあるか読めないので飛ばしました"
                                          "（顔文字以外の %3 語は読みません）: %4")
                               .arg(done->added)
                               .arg(done->skipped)
                               .arg(done->others)
                               .arg(UserKaomoji::FilePath())));
        return finish(0);
    }
    if (argc == 2 && (option == "--help" || option == "-h")) {
        std::fputs(kUsage, stdout);
        return finish(0);
    }
    if (argc == 2 && option == "--version") {
        std::printf("%s %s\n", program::kCommand, program::kVersion);
        return finish(0);
    }
    std::fputs(kUsage, stderr);
    return 2;
}

} // namespace pukalo
