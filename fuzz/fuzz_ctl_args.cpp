// kr7ctl's command line from arbitrary bytes: the words (separated by NUL
// bytes) follow "--dry-run", so no port is ever opened. The run ends with a
// known status; a success prints the help, the version or only whole device
// commands, a failure a "kr7ctl: " message and nothing else. File names are
// read in a private folder that holds a text file, glyph sets and a short
// set; words that could reach outside it or write files are left out.
#include "FuzzTempFile.h"
#include "Kr7ctl.h"

#include <QImage>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Words one input may hold, and bytes a word may hold: a command line of a
// few actions, each with its options.
constexpr std::size_t MAX_WORDS = 24;
constexpr std::size_t MAX_WORD_BYTES = 80;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void WriteFixture(const QString& name, const QByteArray& bytes) {
    TFuzzFolder::Get().Write(name, reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                             static_cast<std::size_t>(bytes.size()));
}

// The files the seeds name, in the folder every run works in.
void MakeFixtures() {
    WriteFixture(QStringLiteral("news.txt"), "Pierwsza linia\r\nDruga, dłuższa linia tekstu do zawinięcia\n\nKoniec");
    QByteArray set(13824, '\0');
    for (qsizetype i = 0; i < set.size(); ++i)
        set[i] = static_cast<char>((i * 37 + 11) & 0xFF);
    WriteFixture(QStringLiteral("set.bin"), set);
    WriteFixture(QStringLiteral("short.bin"), set.left(100));
    QImage chars(192, 288, QImage::Format_RGB32);
    chars.fill(0xFFFFFFu);
    chars.save(TFuzzFolder::Get().Path(QStringLiteral("set.bmp")), "BMP");
}

// The private folder as the working folder while one input runs; libFuzzer's
// own relative paths (corpus, artifacts) need the old one back afterwards.
class TInFixtureFolder {
public:
    TInFixtureFolder() : previous_(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        Check(previous_ >= 0);
        Check(::chdir(TFuzzFolder::Get().Path(QStringLiteral(".")).toLocal8Bit().constData()) == 0);
    }
    ~TInFixtureFolder() {
        Check(::fchdir(previous_) == 0);
        ::close(previous_);
    }
    TInFixtureFolder(const TInFixtureFolder&) = delete;
    TInFixtureFolder& operator=(const TInFixtureFolder&) = delete;

private:
    int previous_;
};

// A word the harness does not pass on: one naming a path outside the folder,
// a preview or output file (also as "--out=FILE"), the machine's own port
// list, or standard input as a text.
bool LeftOut(const std::string& word) {
    return word.find('/') != std::string::npos || word.rfind("--preview", 0) == 0 || word.rfind("--out", 0) == 0 ||
           word == "ports" || word == "-";
}

bool Words(std::string_view bytes, std::vector<std::string>& words) {
    words.push_back("--dry-run");
    for (;;) {
        const std::size_t nul = bytes.find('\0');
        std::string word(bytes.substr(0, nul));
        if (word.size() > MAX_WORD_BYTES || LeftOut(word) || words.size() > MAX_WORDS)
            return false;
        words.push_back(std::move(word));
        if (nul == std::string_view::npos)
            return true;
        bytes.remove_prefix(nul + 1);
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// "FF 00 03 00 00 00 00 00 00 03 ...": a frame with its checksum over the
// code and the six parameters, then the payload.
void CheckCommandLine(std::string_view line) {
    Check(line.size() % 3 == 2 && line.size() >= 3 * 10 - 1);
    std::vector<int> bytes;
    for (std::size_t i = 0; i < line.size(); i += 3) {
        Check(i + 2 == line.size() || line[i + 2] == ' ');
        const int high = HexValue(line[i]);
        const int low = HexValue(line[i + 1]);
        Check(high >= 0 && low >= 0);
        bytes.push_back(high * 16 + low);
    }
    Check(bytes[0] == 0xFF && bytes[1] == 0x00);
    int sum = 0;
    for (int i = 2; i <= 8; ++i)
        sum += bytes[static_cast<std::size_t>(i)];
    Check(bytes[9] == (sum & 0xFF));
}

void CheckSuccess(const std::string& out) {
    if (out.rfind("Usage: kr7ctl", 0) == 0 || out.rfind("kr7ctl ", 0) == 0)
        return;
    std::size_t start = 0;
    while (start < out.size()) {
        const std::size_t end = out.find('\n', start);
        Check(end != std::string::npos);
        CheckCommandLine(std::string_view(out).substr(start, end - start));
        start = end + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    MakeFixtures();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words;
    if (!Words(std::string_view(reinterpret_cast<const char*>(data), size), words))
        return 0;
    std::ostringstream out;
    std::ostringstream err;
    int status = 0;
    {
        const TInFixtureFolder inFolder;
        status = Kr7ctlMain(words, out, err);
    }
    const std::string printed = out.str();
    const std::string errors = err.str();
    Check(status == EXIT_DONE || status == EXIT_USAGE || status == EXIT_FILE || status == EXIT_LOGO_TOO_BIG);
    if (status == EXIT_DONE) {
        CheckSuccess(printed);
        return 0;
    }
    Check(printed.empty());
    // One line, unless a word quoted in it holds a line break.
    Check(errors.rfind("kr7ctl: ", 0) == 0 && !errors.empty() && errors.back() == '\n');
    return 0;
}
