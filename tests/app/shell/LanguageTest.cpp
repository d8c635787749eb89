// The window's English translation: complete, in step with the sources, used
// only when asked for, and shown in the window when installed.
#include "shell/Language.h"

#include "COMSocket.h"
#include "shell/ShellSteps.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QXmlStreamReader>

#include <map>
#include <utility>

namespace {

const QString SHIPPED_TS = QStringLiteral(KR7_SOURCE_DIR "/resources/translations/kr7controller_en.ts");

struct TTsMessage {
    QString translation;
    bool finished = true;
};
// (context, source text) -> its translation.
using TTsMessages = std::map<std::pair<QString, QString>, TTsMessage>;

TTsMessages ReadTs(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&file);
    TTsMessages messages;
    QString context;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"source")
            source = xml.readElementText();
        else if (xml.name() == u"translation") {
            TTsMessage& message = messages[{context, source}];
            message.finished = xml.attributes().value(QStringLiteral("type")).isEmpty();
            message.translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

void ExpectAllTranslated(const TTsMessages& messages) {
    for (const auto& [key, message] : messages) {
        EXPECT_TRUE(message.finished) << key.first.toStdString() << ": " << key.second.toStdString();
        EXPECT_FALSE(message.translation.isEmpty()) << key.first.toStdString() << ": " << key.second.toStdString();
    }
}

QStringList Args(std::initializer_list<const char*> args) {
    QStringList list{QStringLiteral("KR7Controller")};
    for (const char* arg : args)
        list << QString::fromUtf8(arg);
    return list;
}

QProcessEnvironment Env(const char* lang) {
    QProcessEnvironment env;
    if (lang != nullptr)
        env.insert(QStringLiteral("KR7_LANG"), QString::fromUtf8(lang));
    return env;
}

// The width a button's caption needs: the hint of a push or tool button adds
// a minimum width and margins, so there only the text counts.
int CaptionWidth(const QAbstractButton& button) {
    if (qobject_cast<const QPushButton*>(&button) == nullptr && qobject_cast<const QToolButton*>(&button) == nullptr)
        return button.sizeHint().width();
    QString text = button.text();
    text.remove(u'&');
    return button.fontMetrics().horizontalAdvance(text);
}

class EnglishWindowTest : public TShellTest {
protected:
    void SetUp() override {
        english = InstallProgramEnglish();
        ASSERT_NE(english, nullptr);
        form = MakeForm(true);
    }
    template <typename T = QWidget> T* Find(const char* name) const { return form->findChild<T*>(name); }

    std::unique_ptr<QTranslator> english;
    std::unique_ptr<TFormKR7> form;
};

} // namespace

TEST(TranslationFileTest, EveryTextHasAnEnglishTranslation) {
    const TTsMessages shipped = ReadTs(SHIPPED_TS);
    EXPECT_GT(shipped.size(), 100u);
    ExpectAllTranslated(shipped);
}

// lupdate run over the window's sources and form, and the models' wording
// that the window shows, finds no text the shipped
// translation lacks, and none it holds that the sources no longer have.
TEST(TranslationFileTest, LupdateFindsNoNewOrVanishedText) {
    const QString lupdate = QStringLiteral(KR7_LUPDATE);
    if (!QFile::exists(lupdate))
        GTEST_SKIP() << "lupdate is not installed (qt6-l10n-tools)";
    QTemporaryDir dir;
    const QString refreshed = dir.filePath(QStringLiteral("kr7controller_en.ts"));
    ASSERT_TRUE(QFile::copy(SHIPPED_TS, refreshed));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(lupdate, {QStringLiteral("-silent"), QStringLiteral("-no-obsolete"), QStringLiteral("-locations"),
                            QStringLiteral("none"), QStringLiteral(KR7_SOURCE_DIR "/app"),
                            QStringLiteral(KR7_SOURCE_DIR "/models"),
                            QStringLiteral(KR7_SOURCE_DIR "/resources/Kr7unit1.ui"), QStringLiteral("-ts"), refreshed});
    ASSERT_TRUE(process.waitForFinished(-1));
    ASSERT_EQ(process.exitCode(), 0) << process.readAll().toStdString();
    const TTsMessages shipped = ReadTs(SHIPPED_TS);
    const TTsMessages found = ReadTs(refreshed);
    for (const auto& [key, message] : found)
        EXPECT_TRUE(shipped.count(key)) << "new text " << key.first.toStdString() << ": " << key.second.toStdString();
    for (const auto& [key, message] : shipped)
        EXPECT_TRUE(found.count(key)) << "vanished text " << key.first.toStdString() << ": "
                                      << key.second.toStdString();
    ExpectAllTranslated(found);
}

// The command line wins over the environment; other names keep Polish, and a
// switch without its value is no request.
TEST(RequestedLanguageTest, EnglishOnlyWhenAskedFor) {
    const struct {
        QStringList args;
        const char* env;
        TLanguage language;
    } cases[] = {
        {Args({}), nullptr, TLanguage::Polish},
        {Args({"--lang", "en"}), nullptr, TLanguage::English},
        {Args({"-service", "--lang=EN"}), nullptr, TLanguage::English},
        {Args({}), "en", TLanguage::English},
        {Args({"--lang", "pl"}), "en", TLanguage::Polish},
        {Args({"--lang", "de"}), nullptr, TLanguage::Polish},
        {Args({}), "en_GB.UTF-8", TLanguage::Polish},
        {Args({"--lang"}), nullptr, TLanguage::Polish},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RequestedLanguage(c.args, Env(c.env)), c.language)
            << c.args.join(u' ').toStdString() << " KR7_LANG=" << (c.env ? c.env : "");
}

TEST_F(EnglishWindowTest, CaptionsAndLogLinesReadEnglish) {
    EXPECT_EQ(Find<QAbstractButton>("CheckBoxConnect")->text(), QStringLiteral("Conn&ect"));
    EXPECT_EQ(Find<QAbstractButton>("ButtonLogoLoad")->text(), QStringLiteral("&Import"));
    auto* pages = Find<QTabWidget>("PageControl");
    EXPECT_EQ(pages->tabText(pages->indexOf(Find("TabSheetHorizNeon"))), QStringLiteral("Horizontal ticker"));
    EXPECT_EQ(pages->tabText(pages->indexOf(Find("TabSheetService"))), QStringLiteral("Service"));

    TPtyPort pty(3);
    const TWindowControls ui(*form);
    UserInput::ShowPage(ui.PageControl, ui.TabSheetHorizNeon);
    UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
    UserInput::Type(ui.ComboBoxPort, QStringLiteral("COM3"));
    form->ClearLog();
    QTest::mouseClick(Find<QAbstractButton>("CheckBoxConnect"), Qt::LeftButton);
    EXPECT_EQ(form->LogLines(), (QStringList{QString(), QStringLiteral("Connecting...."),
                                             QStringLiteral("Port connected."), QStringLiteral("Port: COM3")}));
    form->ClearLog();
    QTest::mouseClick(Find<QAbstractButton>("CheckBoxConnect"), Qt::LeftButton);
    EXPECT_EQ(form->LogLines(), (QStringList{QString(), QStringLiteral("Port not connected.")}));

    // The reason for a failed open reads English too, naming the holder.
    TCOMSocket holder;
    ASSERT_TRUE(holder.SelectPort("COM3"));
    holder.SetBaudRate(2400);
    ASSERT_TRUE(holder.Open());
    form->ClearLog();
    QTest::mouseClick(Find<QAbstractButton>("CheckBoxConnect"), Qt::LeftButton);
    // The system names a program by at most 15 letters of its file.
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName().left(15);
    EXPECT_EQ(form->LogLines().last(),
              QStringLiteral("Reason: the port %1/COM3 is in use by another program (%2 (PID %3)).")
                  .arg(pty.Folder(), program)
                  .arg(QCoreApplication::applicationPid()));
}

// Every caption fits its control on every page; with KR7_SHOTS_DIR set the
// pages are saved there to be looked at.
TEST_F(EnglishWindowTest, CaptionsFitTheirControls) {
    auto* pages = Find<QTabWidget>("PageControl");
    const QString shots = qEnvironmentVariable("KR7_SHOTS_DIR");
    for (int page = 0; page < pages->count(); ++page) {
        UserInput::ShowPage(pages, pages->widget(page));
        if (!shots.isEmpty())
            form->grab().save(QDir(shots).filePath(QStringLiteral("english-page%1.png").arg(page)));
    }
    for (const QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty() || button->objectName().isEmpty())
            continue;
        EXPECT_LE(CaptionWidth(*button), button->width())
            << button->objectName().toStdString() << " \"" << button->text().toStdString() << '"';
    }
    for (const QLabel* label : form->findChildren<QLabel*>()) {
        if (label->text().isEmpty() || label->wordWrap())
            continue;
        EXPECT_LE(label->sizeHint().width(), label->width())
            << label->objectName().toStdString() << " \"" << label->text().toStdString() << '"';
    }
}
