// Where the program keeps its settings: beside itself when run from a build
// or portable folder, in the user's configuration folder when installed.
#include "shell/SettingsLocation.h"

#include "shell/UserFolders.h"

#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

QProcessEnvironment Env(const QString& home, const QString& configHome = QString(),
                        const QString& stateHome = QString()) {
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), home);
    if (!configHome.isEmpty())
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    if (!stateHome.isEmpty())
        env.insert(QStringLiteral("XDG_STATE_HOME"), stateHome);
    return env;
}

TProgramPlace Place(const QString& dir, bool writable,
                    const QString& installBinDir = QStringLiteral("/usr/local/bin")) {
    return TProgramPlace{dir, writable, installBinDir};
}

} // namespace

TEST(SettingsLocationTest, BuildOrPortableFolderKeepsSettingsBesideTheProgram) {
    const QProcessEnvironment env = Env(QStringLiteral("/home/ola"), QStringLiteral("/home/ola/cfg"));
    EXPECT_EQ(SettingsFolder(Place(QStringLiteral("/home/ola/kr7/build/bin"), true), env),
              QStringLiteral("/home/ola/kr7/build/bin"));
    // A build tree below /usr is still a build tree.
    EXPECT_EQ(SettingsFolder(Place(QStringLiteral("/usr/src/kr7/build/bin/"), true), env),
              QStringLiteral("/usr/src/kr7/build/bin"));
    // A copy in a folder it may not write to falls back to the user's folder.
    EXPECT_EQ(SettingsFolder(Place(QStringLiteral("/media/stick/kr7"), false), env),
              QStringLiteral("/home/ola/cfg/KR7Controller"));
}

TEST(SettingsLocationTest, InstalledProgramNeverKeepsSettingsBesideItself) {
    const QProcessEnvironment env = Env(QStringLiteral("/home/ola"), QStringLiteral("/home/ola/cfg"));
    const QString expected = QStringLiteral("/home/ola/cfg/KR7Controller");
    // Writable for root, still not where settings go.
    EXPECT_EQ(SettingsFolder(Place(QStringLiteral("/usr/bin"), true), env), expected);
    EXPECT_EQ(SettingsFolder(Place(QStringLiteral("/usr/local/bin"), true, QStringLiteral("/usr/bin")), env), expected);
    EXPECT_EQ(SettingsFolder(Place(QStringLiteral("/opt/kr7/bin"), true, QStringLiteral("/opt/kr7/bin")), env),
              expected);
    EXPECT_EQ(SettingsFolder(Place(QStringLiteral("/opt/kr7//bin/"), true, QStringLiteral("/opt/kr7/bin")), env),
              expected);
    EXPECT_FALSE(IsInstalledProgram(Place(QStringLiteral("/usr/bin/extra"), true)));
}

TEST(SettingsLocationTest, UserFoldersFollowTheXdgVariablesOrTheirDefaults) {
    EXPECT_EQ(ConfigHome(Env(QStringLiteral("/home/ola"))), QStringLiteral("/home/ola/.config"));
    EXPECT_EQ(StateHome(Env(QStringLiteral("/home/ola"))), QStringLiteral("/home/ola/.local/state"));
    EXPECT_EQ(ConfigHome(Env(QStringLiteral("/home/ola"), QStringLiteral("/x/cfg/"))), QStringLiteral("/x/cfg"));
    EXPECT_EQ(StateHome(Env(QStringLiteral("/home/ola"), QString(), QStringLiteral("/x/state"))),
              QStringLiteral("/x/state"));
    // A relative value is not a valid XDG folder and is ignored.
    EXPECT_EQ(ConfigHome(Env(QStringLiteral("/home/ola"), QStringLiteral("cfg"))), QStringLiteral("/home/ola/.config"));
    EXPECT_EQ(SettingsFolder(Place(QStringLiteral("/usr/bin"), false), Env(QStringLiteral("/home/ola"))),
              QStringLiteral("/home/ola/.config/KR7Controller"));
}
